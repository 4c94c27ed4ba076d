#include "vorlent/intervals/selector_kinds.h"

#include <algorithm>

#include "vorlent/intervals/calendar_period_selector.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/period_selector.h"

namespace vorlent {

const TimeIntervalSelector* innermostSelector(const TimeIntervalSelector* selector) {
  constexpr int kMaxDepth = 256;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    const auto* enclosing = dynamic_cast<const EnclosedTimeIntervalSelector*>(selector);
    if (!enclosing) return selector;
    selector = enclosing->selector().get();
  }
  return selector;
}

bool selectsCurrentMoment(const TimeSelector& selector) {
  const auto* moments = dynamic_cast<const MomentPeriodSelector*>(
      innermostSelector(selector.intervalSelector.get()));
  return moments != nullptr && !moments->moments.has_value();
}

bool selectsCurrentMoment(const std::vector<TimeSelector>& selectors) {
  return std::any_of(selectors.begin(), selectors.end(),
                     [](const TimeSelector& s) { return selectsCurrentMoment(s); });
}

bool dropsEmptyAreas(const TimeSelector& selector) {
  const TimeIntervalSelector* inner = innermostSelector(selector.intervalSelector.get());
  return dynamic_cast<const PeriodSelector*>(inner) != nullptr ||
         dynamic_cast<const CalendarPeriodSelector*>(inner) != nullptr;
}

}  // namespace vorlent
