#include "vorlent/model/constraints.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "vorlent/model/behavior_test_support.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::on;

TEST(GanttChartItemConstraintSet, AnswersTheFirstDefinitionForThatVeryItem) {
  const auto item = makeItem("I", 0, on(kMonday, 8), on(kMonday, 16));
  const auto lookalike = makeItem("I", 0, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemConstraintSet set({
      {item, {on(kMonday, 9), std::nullopt, std::nullopt, std::nullopt}},
      {item, {on(kTuesday, 9), std::nullopt, std::nullopt, std::nullopt}},
  });
  ASSERT_TRUE(set.constraintsOf(item).has_value());
  EXPECT_EQ(set.constraintsOf(item)->minStart, on(kMonday, 9));
  EXPECT_FALSE(set.constraintsOf(lookalike).has_value());

  set.setConstraints({{lookalike, {std::nullopt, on(kFriday, 8), std::nullopt, std::nullopt}}});
  EXPECT_FALSE(set.constraintsOf(item).has_value());
  EXPECT_EQ(set.constraintsOf(lookalike)->maxStart, on(kFriday, 8));
}

TEST(GanttChartItemConstraintSource, AnswersFromItsFunction) {
  const auto item = makeItem("I", 0, on(kMonday, 8), on(kMonday, 16));
  const GanttChartItemConstraintSource source([](const GanttChartItemPtr&) {
    return GanttChartItemConstraints(std::nullopt, std::nullopt, on(kMonday, 12), std::nullopt);
  });
  EXPECT_EQ(source.constraintsOf(item)->minFinish, on(kMonday, 12));
  EXPECT_FALSE(GanttChartItemConstraintSource(nullptr).constraintsOf(item).has_value());
}

}  // namespace
}  // namespace vorlent
