#include "vorlent/controllers/content_scrolling_current_time.h"

#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"

namespace vorlent::detail {

namespace {

// A chain of enclosing selectors that comes back on itself is cut after a
// bounded number of steps rather than followed for ever.
constexpr int kMaxEnclosingDepth = 256;

bool marksCurrentMoment(const TimeSelector& highlighter) {
  const TimeIntervalSelector* selector = highlighter.intervalSelector.get();
  for (int depth = 0; depth < kMaxEnclosingDepth; ++depth) {
    const auto* enclosing = dynamic_cast<const EnclosedTimeIntervalSelector*>(selector);
    if (!enclosing) break;
    selector = enclosing->selector().get();
  }
  const auto* moments = dynamic_cast<const MomentPeriodSelector*>(selector);
  return moments != nullptr && !moments->moments.has_value();
}

}  // namespace

bool showsCurrentMoment(const std::vector<TimeSelector>& highlighters) {
  for (const TimeSelector& highlighter : highlighters) {
    if (marksCurrentMoment(highlighter)) return true;
  }
  return false;
}

}  // namespace vorlent::detail
