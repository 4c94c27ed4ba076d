#pragma once

#include <vector>

#include "vorlent/intervals/time_selector.h"

namespace vorlent::detail {

// Whether one of the highlighters shows the moving current moment: its
// interval selector, looked through any chain of enclosing selectors, picks
// moments without a list of its own. Such an area moves on with the clock,
// so what is drawn for it must be recomputed from time to time.
[[nodiscard]] bool showsCurrentMoment(const std::vector<TimeSelector>& highlighters);

}  // namespace vorlent::detail
