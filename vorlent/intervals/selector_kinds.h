#pragma once

#include <vector>

#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/intervals/time_selector.h"

namespace vorlent {

// The selector at the bottom of a chain of `EnclosedTimeIntervalSelector`s
// (the selector itself when it encloses none), which tells what kind of
// intervals a chain picks. A chain that comes back on itself is cut after a
// bounded number of steps rather than followed for ever. Null for null.
[[nodiscard]] const TimeIntervalSelector* innermostSelector(const TimeIntervalSelector* selector);

// Whether the selector's areas follow the clock: its innermost selector picks
// the current moment (a `MomentPeriodSelector` without moments of its own).
[[nodiscard]] bool selectsCurrentMoment(const TimeSelector& selector);

// Whether any of the selectors follows the clock; what is drawn for them must
// be recomputed as time moves on.
[[nodiscard]] bool selectsCurrentMoment(const std::vector<TimeSelector>& selectors);

// Whether areas of no width are left out: periods (`PeriodSelector`,
// `CalendarPeriodSelector`) lying wholly in hidden time would only draw stray
// borders, while moments are meant to be momentary and stay.
[[nodiscard]] bool dropsEmptyAreas(const TimeSelector& selector);

}  // namespace vorlent
