#pragma once

#include <unordered_map>

#include "vorlent/model/item.h"

namespace vorlent {

// A value per item type, as the per-type dictionaries of the settings and
// styles hold them; an absent key places nothing for that type.
template <class V>
using PerItemType = std::unordered_map<GanttChartItemType, V>;

}  // namespace vorlent
