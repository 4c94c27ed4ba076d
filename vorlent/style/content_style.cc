#include "vorlent/style/content_style.h"

#include "vorlent/style/style_merge.h"

namespace vorlent {

namespace {

#define VORLENT_COUNT_FIELD(type, name, init) +1
#define VORLENT_SKIP_FIELD(type, name, init)
constexpr int kContentStyleFieldCount =
    0 VORLENT_CONTENT_STYLE_FIELDS(VORLENT_COUNT_FIELD, VORLENT_COUNT_FIELD, VORLENT_COUNT_FIELD);
constexpr int kPerTypeDictionaryCount =
    0 VORLENT_CONTENT_STYLE_FIELDS(VORLENT_SKIP_FIELD, VORLENT_SKIP_FIELD, VORLENT_COUNT_FIELD);
#undef VORLENT_COUNT_FIELD
#undef VORLENT_SKIP_FIELD
static_assert(kContentStyleFieldCount == 89, "the chart area's style has 89 fields");
static_assert(kPerTypeDictionaryCount == 15, "the chart area's style has 15 per-type dictionaries");

}  // namespace

GanttChartContentBaseStyle GanttChartContentStyle::applyingTo(
    const GanttChartContentBaseStyle& base) const {
  GanttChartContentBaseStyle result;
#define VORLENT_MERGE_FIELD(type, name, init) result.name = detail::mergedField(name, base.name);
#define VORLENT_MERGE_OPTIONAL(type, name, init) \
  result.name = detail::mergedOptionalField(name, base.name);
#define VORLENT_MERGE_PER_TYPE(type, name, init) \
  result.name = detail::mergedDictionary(name, base.name);
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_MERGE_FIELD, VORLENT_MERGE_OPTIONAL, VORLENT_MERGE_PER_TYPE)
#undef VORLENT_MERGE_FIELD
#undef VORLENT_MERGE_OPTIONAL
#undef VORLENT_MERGE_PER_TYPE
  return result;
}

}  // namespace vorlent
