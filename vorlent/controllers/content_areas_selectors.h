#pragma once

#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/intervals/time_selector.h"

namespace vorlent::detail {

// The selector at the bottom of a chain of `EnclosedTimeIntervalSelector`s
// (the selector itself when it encloses none). A chain that comes back on
// itself is cut after a bounded number of steps rather than followed for
// ever. Null for a null selector.
[[nodiscard]] const TimeIntervalSelector* innermostSelector(const TimeIntervalSelector* selector);

// Whether the selector's areas follow the clock: its innermost selector
// picks the current moment (a `MomentPeriodSelector` without moments).
[[nodiscard]] bool selectsCurrentMoment(const TimeSelector& selector);

// Whether areas of no width are left out: periods (`PeriodSelector`,
// `CalendarPeriodSelector`) lying wholly in hidden time would only draw
// stray borders, while moments are meant to be momentary.
[[nodiscard]] bool dropsEmptyAreas(const TimeSelector& selector);

}  // namespace vorlent::detail
