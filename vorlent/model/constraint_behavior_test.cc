#include "vorlent/model/constraint_behavior.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::on;
using testing::span;

constexpr std::nullopt_t kNone = std::nullopt;

// One four-hour item (or the given one) under `limits`, on the standard
// calendar, with the constraint behaviour as the source's behaviour; the
// behaviour is applied to the item as it stands.
TimeRange constrained(const TimeRange& time, const GanttChartItemConstraints& limits,
                      bool preservingDurations = true) {
  const auto item = makeItem("I", 0, time.start, time.finish);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{item}, std::vector<GanttChartDependencyPtr>{},
      ScheduleDefinition::standard(),
      std::make_shared<GanttChartItemConstraintBehavior>(
          std::vector<GanttChartItemConstraintDefinition>{{item, limits}}, preservingDurations));
  source->applyBehaviorForTimeOf(item);
  return item->time();
}

TEST(ConstraintBehavior, AnItemStartingTooEarlyIsMovedToItsMinimumStart) {
  const GanttChartItemConstraints limits(on(kMonday, 10), kNone, kNone, kNone);
  EXPECT_EQ(constrained(span(on(kMonday, 8), on(kMonday, 12)), limits),
            span(on(kMonday, 10), on(kMonday, 14)));
  EXPECT_EQ(constrained(span(on(kMonday, 8), on(kMonday, 12)), limits, false),
            span(on(kMonday, 10), on(kMonday, 12)))
      << "without preserved durations only the start moves";
}

TEST(ConstraintBehavior, AnItemFinishingTooLateIsMovedBackKeepingItsWorkingDuration) {
  const GanttChartItemConstraints limits(kNone, kNone, kNone, on(kTuesday, 10));
  EXPECT_EQ(constrained(span(on(kTuesday, 8), on(kTuesday, 12)), limits),
            span(on(kMonday, 14), on(kTuesday, 10)))
      << "four working hours across the night";
}

TEST(ConstraintBehavior, MaximumStartAndMinimumFinishPullAndPush) {
  EXPECT_EQ(constrained(span(on(kWednesday, 8), on(kWednesday, 12)),
                        GanttChartItemConstraints(kNone, on(kTuesday, 8), kNone, kNone)),
            span(on(kTuesday, 8), on(kTuesday, 12)));
  EXPECT_EQ(constrained(span(on(kMonday, 8), on(kMonday, 12)),
                        GanttChartItemConstraints(kNone, kNone, on(kMonday, 16), kNone)),
            span(on(kMonday, 12), on(kMonday, 16)));
}

TEST(ConstraintBehavior, TheMinimumStartWinsAConflictWithTheMaximumFinish) {
  const GanttChartItemConstraints limits(on(kTuesday, 8), kNone, kNone, on(kMonday, 16));
  EXPECT_EQ(constrained(span(on(kMonday, 8), on(kMonday, 12)), limits),
            span(on(kTuesday, 8), on(kTuesday, 12)));
  EXPECT_EQ(constrained(span(on(kMonday, 8), on(kMonday, 12)), limits, false),
            span(on(kTuesday, 8), on(kTuesday, 8)))
      << "clamped on their own the ends cross, and the engine makes that zero-length";
}

TEST(ConstraintBehavior, AnItemInsideItsLimitsOrWithoutAnyIsLeftAlone) {
  const auto inside = makeItem("inside", 0, on(kMonday, 10), on(kMonday, 12));
  const auto free = makeItem("free", 1, on(kMonday, 8), on(kMonday, 12));
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{inside, free}, std::vector<GanttChartDependencyPtr>{},
      ScheduleDefinition::standard(),
      std::make_shared<GanttChartItemConstraintBehavior>(
          std::vector<GanttChartItemConstraintDefinition>{
              {inside, {on(kMonday, 9), on(kMonday, 11), on(kMonday, 11), on(kMonday, 13)}}}));
  source->applyBehaviorForTimeOf(inside);
  source->updateTime(free, on(kFriday, 8));
  EXPECT_EQ(inside->time(), span(on(kMonday, 10), on(kMonday, 12)));
  EXPECT_FALSE(inside->hasChanged());
  EXPECT_EQ(free->time(), span(on(kFriday, 8), on(kFriday, 12)));
}

TEST(ConstraintBehavior, DraggingAnItemPastItsLimitBringsItBack) {
  const auto item = makeItem("I", 0, on(kMonday, 8), on(kMonday, 12));
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{item}, std::vector<GanttChartDependencyPtr>{},
      ScheduleDefinition::standard(),
      std::make_shared<GanttChartItemConstraintBehavior>(
          std::vector<GanttChartItemConstraintDefinition>{
              {item, {kNone, on(kWednesday, 8), kNone, kNone}}}));
  source->updateTime(item, on(kFriday, 8));
  EXPECT_EQ(item->time(), span(on(kWednesday, 8), on(kWednesday, 12)));
}

// The correction is passed on both ways, so a constrained summary's children
// and parent, and its successors, follow it.
TEST(ConstraintBehavior, TheCorrectionCarriesBothCascadeFlags) {
  const auto item = makeItem("I", 0, on(kMonday, 8), on(kMonday, 12));
  GanttChartItemConstraintBehavior behavior(std::vector<GanttChartItemConstraintDefinition>{
      {item, {on(kTuesday, 8), kNone, kNone, kNone}}});
  using Flags = std::tuple<GanttChartItemPtr, bool, bool>;
  EXPECT_THAT(testing::cascadeFlagsOf(behavior.timeDidChange(
                  item, item->time(), false, false, GanttChartItemList(std::vector{item}),
                  GanttChartDependencyList(), ScheduleDefinition::standard())),
              ::testing::ElementsAre(Flags{item, true, true}));
}

TEST(ConstraintBehavior, AddingADependencyChecksOnlyItsTarget) {
  const auto from = makeItem("from", 0, on(kMonday, 8), on(kMonday, 12));
  const auto to = makeItem("to", 1, on(kMonday, 8), on(kMonday, 12));
  const GanttChartItemConstraints lateStart(on(kTuesday, 8), kNone, kNone, kNone);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{from, to}, std::vector<GanttChartDependencyPtr>{},
      ScheduleDefinition::standard(),
      std::make_shared<GanttChartItemConstraintBehavior>(
          std::vector<GanttChartItemConstraintDefinition>{{from, lateStart}, {to, lateStart}}));
  source->addNewDependency(from, to, GanttChartDependencyType::fromFinishToStart);
  EXPECT_EQ(from->time(), span(on(kMonday, 8), on(kMonday, 12)));
  EXPECT_EQ(to->time(), span(on(kTuesday, 8), on(kTuesday, 12)));
}

TEST(ConstraintBehavior, ProviderAndPreservingDefaults) {
  const auto set = std::make_shared<GanttChartItemConstraintSet>();
  EXPECT_TRUE(GanttChartItemConstraintBehavior(set).preservingDurations());
  EXPECT_FALSE(GanttChartItemConstraintBehavior(set, false).preservingDurations());
  EXPECT_EQ(GanttChartItemConstraintBehavior(set).provider(), set);
}

}  // namespace
}  // namespace vorlent
