#include "vorlent/style/header_style.h"

#include "vorlent/style/style_merge.h"

namespace vorlent {

namespace {

#define VORLENT_COUNT_FIELD(type, name, init) +1
constexpr int kHeaderStyleFieldCount =
    0 VORLENT_HEADER_STYLE_FIELDS(VORLENT_COUNT_FIELD, VORLENT_COUNT_FIELD);
#undef VORLENT_COUNT_FIELD
static_assert(kHeaderStyleFieldCount == 19, "the header style has 19 fields");

}  // namespace

GanttChartHeaderBaseStyle GanttChartHeaderStyle::applyingTo(
    const GanttChartHeaderBaseStyle& base) const {
  GanttChartHeaderBaseStyle result;
#define VORLENT_MERGE_FIELD(type, name, init) result.name = detail::mergedField(name, base.name);
#define VORLENT_MERGE_OPTIONAL(type, name, init) \
  result.name = detail::mergedOptionalField(name, base.name);
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_MERGE_FIELD, VORLENT_MERGE_OPTIONAL)
#undef VORLENT_MERGE_FIELD
#undef VORLENT_MERGE_OPTIONAL
  return result;
}

}  // namespace vorlent
