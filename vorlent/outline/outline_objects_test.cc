#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "vorlent/outline/outline_dependency.h"
#include "vorlent/outline/outline_item.h"
#include "vorlent/outline/outline_row.h"
#include "vorlent/time/time.h"

namespace vorlent {
namespace {

const Time kStart = Time::reference();
const Time kFinish = Time::reference().addingDays(2);

OutlineGanttChartItemPtr makeItem(std::optional<std::string> label = "Build",
                                  std::optional<std::string> details = std::nullopt) {
  return OutlineGanttChartItem::create(std::move(label), kStart, kFinish, 0.25, std::nullopt,
                                       std::move(details), nullptr, 0, true, std::nullopt,
                                       std::nullopt, {});
}

TEST(OutlineGanttChartItem, RaisesHasChangedOnlyForAGivenStyle) {
  EXPECT_FALSE(makeItem()->hasChanged());
  auto styled = OutlineGanttChartItem::create("x", kStart, kFinish, 0, std::nullopt, std::nullopt,
                                              nullptr, 0, true, std::nullopt,
                                              GanttChartItemStyle(Color::redColor()), {});
  EXPECT_TRUE(styled->hasChanged());
  EXPECT_EQ(styled->settings().style.barFillColor, Color::redColor());
  EXPECT_FALSE(OutlineGanttChartRow::create("r", {}, std::nullopt, {})->hasChanged());
}

TEST(OutlineGanttChartItem, MomentaryItemIsStandardEntropicAndNotStarted) {
  auto item = OutlineGanttChartItem::fromTime("m", kStart, std::nullopt, std::nullopt, nullptr, 0,
                                              true, std::nullopt, std::nullopt, {});
  EXPECT_TRUE(item->isStandard());
  EXPECT_TRUE(item->isMomentary());
  EXPECT_TRUE(item->isEntropic());
  EXPECT_EQ(item->completion(), 0);
}

TEST(OutlineGanttChartItem, KeepsCompletionAndReversedTimesAsGiven) {
  auto item = makeItem();
  item->setCompletion(1.5);
  EXPECT_TRUE(item->isStarted());
  EXPECT_TRUE(item->isCompleted());
  EXPECT_FALSE(item->isInProgress());
  item->setCompletion(-0.5);
  EXPECT_FALSE(item->isStarted() || item->isCompleted() || item->isInProgress());
  item->setTime(TimeRange(kFinish, kStart));
  EXPECT_EQ(item->start(), kFinish);
  EXPECT_FALSE(item->isEntropic());
}

TEST(OutlineGanttChartItem, WritesEveryChangeThroughToItsTwin) {
  auto item = makeItem();
  auto twin = item->makeGanttChartItem(3, false);
  ASSERT_TRUE(twin);
  EXPECT_EQ(twin->row(), 3);
  EXPECT_EQ(outlineGanttChartItemOf(*twin), item);
  EXPECT_EQ(twin->completion(), 0.25);

  twin->setHasChanged(false);
  item->setFinish(kFinish.addingDays(1));
  EXPECT_EQ(twin->time(), TimeRange(kStart, kFinish.addingDays(1)));
  EXPECT_TRUE(twin->hasChanged());

  item->setCompletion(1.5);
  EXPECT_EQ(twin->completion(), 1.5);
  item->setType(GanttChartItemType::milestone);
  EXPECT_TRUE(twin->isMilestone());
  item->setZIndex(7);
  EXPECT_EQ(twin->zIndex(), 7);
  item->setIsVisible(false);
  EXPECT_FALSE(twin->isVisible());
  item->setAttachment("note");
  EXPECT_EQ(twin->attachment(), "note");
  GanttChartItemSettings settings;
  settings.allowsMovingBar = false;
  item->setSettings(settings);
  EXPECT_FALSE(twin->settings().allowsMovingBar);
  item->setStyle(GanttChartItemStyle(Color::greenColor()));
  EXPECT_EQ(twin->settings().style.barFillColor, Color::greenColor());
  EXPECT_FALSE(twin->settings().allowsMovingBar);

  item->setContext(42);
  EXPECT_EQ(outlineGanttChartItemOf(*twin), item);
}

TEST(OutlineGanttChartItem, LabelReachesTwinDetailsOnlyWhenBuiltWithLabelDetails) {
  auto item = makeItem("Design");
  auto twin = item->makeGanttChartItem(0, true);
  EXPECT_EQ(twin->details(), "Design");
  item->setLabel("Plan");
  EXPECT_EQ(twin->label(), "Plan");
  EXPECT_EQ(twin->details(), "Plan");
  item->setDetails(std::nullopt);
  EXPECT_EQ(twin->details(), std::nullopt);
  item->setLabel("Ship");
  EXPECT_EQ(twin->details(), "Ship");

  auto plain = makeItem("Design");
  auto plainTwin = plain->makeGanttChartItem(0, false);
  EXPECT_EQ(plainTwin->details(), std::nullopt);
  plain->setLabel("Plan");
  EXPECT_EQ(plainTwin->details(), std::nullopt);
}

TEST(OutlineGanttChartRow, ReusesTwinsAndMovesThemToTheAskedRow) {
  auto first = makeItem("a");
  auto second = makeItem("b");
  auto row = OutlineGanttChartRow::create("row", {first, nullptr, second}, std::nullopt, {});
  auto twins = row->ganttChartItems(4, true);
  ASSERT_EQ(twins.size(), 2u);
  for (auto& twin : twins) twin->setHasChanged(false);

  auto again = row->ganttChartItems(4, false);
  EXPECT_EQ(again, twins);
  EXPECT_FALSE(again[0]->hasChanged());
  EXPECT_EQ(again[0]->details(), "a");  // keeps the details it was built with

  auto moved = row->ganttChartItems(9, true);
  EXPECT_EQ(moved, twins);
  EXPECT_EQ(moved[1]->row(), 9);
  EXPECT_TRUE(moved[1]->hasChanged());
}

TEST(OutlineGanttChartRow, RelinksATwinWhoseContextWasCleared) {
  auto item = makeItem();
  auto row = OutlineGanttChartRow::create("row", {item}, std::nullopt, {});
  auto twin = row->ganttChartItems(0, false).front();
  twin->setContext({});
  EXPECT_EQ(outlineGanttChartItemOf(*twin), nullptr);
  EXPECT_EQ(row->ganttChartItems(0, false).front(), twin);
  EXPECT_EQ(outlineGanttChartItemOf(*twin), item);
}

TEST(OutlineGanttChartDependency, HasChangedFollowsTheGivenTypeOrStyle) {
  auto a = makeItem();
  auto b = makeItem();
  EXPECT_FALSE(OutlineGanttChartDependency::create("d", a, b, std::nullopt, 0, true, std::nullopt,
                                                   std::nullopt, {})
                   ->hasChanged());
  auto typed = OutlineGanttChartDependency::create(
      "d", a, b, std::nullopt, 0, true, GanttChartDependencyType::fromStartToFinish, std::nullopt,
      {});
  EXPECT_TRUE(typed->hasChanged());
  EXPECT_EQ(typed->fromType(), GanttChartDependencyEndType::start);
  EXPECT_EQ(typed->toType(), GanttChartDependencyEndType::finish);
  EXPECT_FALSE(typed->isFromEntropic());
  EXPECT_FALSE(typed->isToEntropic());
  EXPECT_EQ(typed->fromTime(), a->start());
  EXPECT_EQ(typed->toTime(), b->finish());
}

TEST(OutlineGanttChartDependency, TwinFollowsEverythingButItsEnds) {
  auto a = makeItem();
  auto b = makeItem();
  auto c = makeItem();
  auto dependency = OutlineGanttChartDependency::create("d", a, b, std::nullopt, 0, true,
                                                        std::nullopt, std::nullopt, {});
  auto twin = dependency->makeGanttChartDependency(a->makeGanttChartItem(0, false),
                                                   b->makeGanttChartItem(1, false), true);
  EXPECT_FALSE(twin->hasChanged());
  EXPECT_EQ(twin->details(), "d");
  EXPECT_EQ(outlineGanttChartDependencyOf(*twin), dependency);

  dependency->setType(GanttChartDependencyType::fromFinishToFinish);
  EXPECT_EQ(twin->type(), GanttChartDependencyType::fromFinishToFinish);
  EXPECT_TRUE(twin->hasChanged());
  dependency->setZIndex(3);
  EXPECT_EQ(twin->zIndex(), 3);

  const GanttChartItemPtr oldFrom = twin->from();
  dependency->setFrom(c);
  EXPECT_TRUE(dependency->hasChanged());
  EXPECT_EQ(twin->from(), oldFrom);
}

// The twin handed to the chart keeps its outline object (and so the twin)
// alive; dropping both sides frees everything, which LeakSanitizer checks.
TEST(OutlineTwinOwnership, TwinKeepsItsOutlineObjectAliveWithoutACycle) {
  GanttChartItemPtr twin;
  std::weak_ptr<OutlineGanttChartItem> weakItem;
  {
    auto item = makeItem();
    weakItem = item;
    twin = item->makeGanttChartItem(0, false);
  }
  ASSERT_FALSE(weakItem.expired());
  EXPECT_EQ(outlineGanttChartItemOf(*twin), weakItem.lock());
  twin.reset();
  EXPECT_TRUE(weakItem.expired());

  std::weak_ptr<OutlineGanttChartDependency> weakDependency;
  GanttChartDependencyPtr dependencyTwin;
  {
    auto a = makeItem();
    auto b = makeItem();
    auto dependency = OutlineGanttChartDependency::create("d", a, b, std::nullopt, 0, true,
                                                          std::nullopt, std::nullopt, {});
    weakDependency = dependency;
    dependencyTwin = dependency->makeGanttChartDependency(a->makeGanttChartItem(0, false),
                                                          b->makeGanttChartItem(1, false), false);
  }
  EXPECT_FALSE(weakDependency.expired());
  dependencyTwin.reset();
  EXPECT_TRUE(weakDependency.expired());
}

TEST(OutlineTwinOwnership, ReplacingATwinLeavesTheOldOneValidForItsHolders) {
  auto item = makeItem();
  auto first = item->makeGanttChartItem(0, false);
  auto second = item->makeGanttChartItem(1, false);
  EXPECT_NE(first, second);
  EXPECT_EQ(item->ganttChartItem(), second);
  EXPECT_EQ(first->row(), 0);  // still alive and readable
  item->setCompletion(0.75);
  EXPECT_EQ(second->completion(), 0.75);
  EXPECT_EQ(first->completion(), 0.25);
}

}  // namespace
}  // namespace vorlent
