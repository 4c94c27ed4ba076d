#include "vorlent/model/item.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;

GanttChartItemPtr makeItem(std::optional<GanttChartItemType> type = std::nullopt,
                           std::optional<GanttChartItemStyle> style = std::nullopt) {
  return std::make_shared<GanttChartItem>("A", 2, Time(0, 1, 8 * kHour), Time(0, 2, 16 * kHour),
                                          0.25, std::nullopt, std::nullopt, nullptr, true, 0, true,
                                          type, style);
}

TEST(GanttChartItem, StartsUnchangedUnlessAStyleIsGiven) {
  EXPECT_FALSE(makeItem()->hasChanged());
  EXPECT_FALSE(makeItem(GanttChartItemType::summary)->hasChanged());
  EXPECT_TRUE(makeItem(std::nullopt, GanttChartItemStyle(std::nullopt))->hasChanged());
  EXPECT_TRUE(
      makeItem(GanttChartItemType::milestone, GanttChartItemStyle(Color::black()))->hasChanged());
}

TEST(GanttChartItem, InitialiserStoresWhatItIsGiven) {
  const auto item = std::make_shared<GanttChartItem>(
      "L", -3, Time(0, 3, 0), Time(0, 2, 0), 1.5, "att", "det", nullptr, false, 7, false,
      GanttChartItemType::summary, GanttChartItemStyle(Color::white()), std::string("ctx"));
  EXPECT_EQ(item->label(), "L");
  EXPECT_EQ(item->row(), -3);
  EXPECT_EQ(item->start(), Time(0, 3, 0));
  EXPECT_EQ(item->finish(), Time(0, 2, 0));
  EXPECT_EQ(item->completion(), 1.5);
  EXPECT_EQ(item->attachment(), "att");
  EXPECT_EQ(item->details(), "det");
  EXPECT_FALSE(item->isExpanded());
  EXPECT_EQ(item->zIndex(), 7);
  EXPECT_FALSE(item->isVisible());
  EXPECT_TRUE(item->isSummary());
  EXPECT_EQ(item->style().barFillColor, Color::white());
  EXPECT_EQ(std::any_cast<std::string>(item->context()), "ctx");
  EXPECT_FALSE(item->isEntropic());
}

TEST(GanttChartItem, FieldsSetOnOneItemStayWithIt) {
  // Attachment, schedule and context live out of line until first set; the
  // defaults other items read must not change with them.
  const auto edited = makeItem();
  const auto plain = makeItem();
  const auto schedule = ScheduleDefinition::standard();
  edited->setAttachment("att");
  edited->setSchedule(schedule);
  edited->setContext(42);
  EXPECT_EQ(edited->attachment(), "att");
  EXPECT_EQ(edited->schedule(), schedule);
  EXPECT_EQ(std::any_cast<int>(edited->context()), 42);
  EXPECT_EQ(plain->attachment(), std::nullopt);
  EXPECT_EQ(plain->schedule(), nullptr);
  EXPECT_FALSE(plain->context().has_value());
  EXPECT_EQ(makeItem()->attachment(), std::nullopt);

  edited->setAttachment(std::nullopt);
  EXPECT_EQ(edited->attachment(), std::nullopt);
  EXPECT_EQ(edited->schedule(), schedule);
}

TEST(GanttChartItem, OptionsLeftOutTakeThePositionalDefaults) {
  const auto positional =
      std::make_shared<GanttChartItem>("A", 2, Time(0, 1, 8 * kHour), Time(0, 2, 16 * kHour), 0.25);
  const auto named = GanttChartItem::create({.label = "A",
                                             .row = 2,
                                             .start = Time(0, 1, 8 * kHour),
                                             .finish = Time(0, 2, 16 * kHour),
                                             .completion = 0.25});
  for (const auto& item : {positional, named}) {
    EXPECT_EQ(item->label(), "A");
    EXPECT_EQ(item->row(), 2);
    EXPECT_EQ(item->time(), TimeRange(Time(0, 1, 8 * kHour), Time(0, 2, 16 * kHour)));
    EXPECT_EQ(item->completion(), 0.25);
    EXPECT_EQ(item->attachment(), std::nullopt);
    EXPECT_EQ(item->details(), std::nullopt);
    EXPECT_EQ(item->schedule(), nullptr);
    EXPECT_TRUE(item->isExpanded());
    EXPECT_EQ(item->zIndex(), 0);
    EXPECT_TRUE(item->isVisible());
    EXPECT_TRUE(item->isStandard());
    EXPECT_FALSE(item->context().has_value());
    EXPECT_FALSE(item->hasChanged());
  }
  const auto styled =
      GanttChartItem::create({.type = GanttChartItemType::milestone,
                              .style = GanttChartItemStyle(Color::black()),
                              .context = std::string("ctx")});
  EXPECT_TRUE(styled->isMilestone());
  EXPECT_EQ(styled->style().barFillColor, Color::black());
  EXPECT_EQ(std::any_cast<std::string>(styled->context()), "ctx");
  EXPECT_TRUE(styled->hasChanged());
}

TEST(GanttChartItem, FromTimeMakesAMomentaryStandardItem) {
  const auto item = GanttChartItem::fromTime("M", 1, Time(0, 2, 5 * kHour));
  EXPECT_TRUE(item->isStandard());
  EXPECT_TRUE(item->isMomentary());
  EXPECT_EQ(item->completion(), 0);
  EXPECT_FALSE(item->hasChanged());
  EXPECT_TRUE(GanttChartItem::fromTime("M", 1, Time(), std::nullopt, std::nullopt, nullptr, true, 0,
                                       true, GanttChartItemType::milestone)
                  ->isMilestone());
}

TEST(GanttChartItem, DayEndAndNextDayStartAreOneMoment) {
  const auto item =
      std::make_shared<GanttChartItem>("A", 0, Time(0, 1, 24 * kHour), Time(0, 2, 0), 0.0);
  EXPECT_TRUE(item->isMomentary());
  EXPECT_TRUE(item->isEntropic());
  item->setFinish(Time(0, 2, 24 * kHour - 1).addingDays(-1));  // one second before the start
  EXPECT_FALSE(item->isMomentary());
  EXPECT_FALSE(item->isEntropic());
}

TEST(GanttChartItem, CompletionStates) {
  struct Case {
    double completion;
    bool started, completed, inProgress;
  };
  for (const Case c : {Case{0, false, false, false}, Case{0.5, true, false, true},
                       Case{1, true, true, false}, Case{1.5, true, true, false}}) {
    SCOPED_TRACE(c.completion);
    const auto item = makeItem();
    item->setCompletion(c.completion);
    EXPECT_EQ(item->isStarted(), c.started);
    EXPECT_EQ(item->isCompleted(), c.completed);
    EXPECT_EQ(item->isInProgress(), c.inProgress);
  }
}

TEST(GanttChartItem, EverySetterRaisesTheFlagEvenForAnEqualValue) {
  using Setter = std::function<void(GanttChartItem&)>;
  const std::pair<const char*, Setter> setters[] = {
      {"label", [](GanttChartItem& i) { i.setLabel(i.label()); }},
      {"attachment", [](GanttChartItem& i) { i.setAttachment(i.attachment()); }},
      {"details", [](GanttChartItem& i) { i.setDetails(i.details()); }},
      {"row", [](GanttChartItem& i) { i.setRow(i.row()); }},
      {"time", [](GanttChartItem& i) { i.setTime(i.time()); }},
      {"schedule", [](GanttChartItem& i) { i.setSchedule(i.schedule()); }},
      {"start", [](GanttChartItem& i) { i.setStart(i.start()); }},
      {"finish", [](GanttChartItem& i) { i.setFinish(i.finish()); }},
      {"completion", [](GanttChartItem& i) { i.setCompletion(i.completion()); }},
      {"type", [](GanttChartItem& i) { i.setType(i.type()); }},
      {"isExpanded", [](GanttChartItem& i) { i.setIsExpanded(i.isExpanded()); }},
      {"zIndex", [](GanttChartItem& i) { i.setZIndex(i.zIndex()); }},
      {"isVisible", [](GanttChartItem& i) { i.setIsVisible(i.isVisible()); }},
      {"context", [](GanttChartItem& i) { i.setContext(i.context()); }},
      {"settings",
       [](GanttChartItem& i) {
         auto settings = i.settings();
         settings.isHighlighted = true;
         i.setSettings(settings);
       }},
      {"style", [](GanttChartItem& i) { i.setStyle(i.style()); }},
  };
  for (const auto& [name, set] : setters) {
    SCOPED_TRACE(name);
    const auto item = makeItem();
    set(*item);
    EXPECT_TRUE(item->hasChanged());
    item->setHasChanged(false);
    EXPECT_FALSE(item->hasChanged());
  }
}

TEST(GanttChartItem, StartAndFinishReplaceOneEndOnly) {
  const auto item = makeItem();
  item->setStart(Time(0, 5, 0));
  EXPECT_EQ(item->start(), Time(0, 5, 0));
  EXPECT_EQ(item->finish(), Time(0, 2, 16 * kHour));
  EXPECT_FALSE(item->isEntropic());
}

TEST(GanttChartItem, SettingsAreNotSharedBetweenItems) {
  const auto a = makeItem();
  const auto b = makeItem();
  auto settings = a->settings();
  settings.setAllowsResizingBar(false);
  a->setSettings(settings);
  EXPECT_FALSE(a->settings().allowsResizingBar());
  EXPECT_TRUE(b->settings().allowsResizingBar());
}

TEST(GanttChartItemSettings, ReadOnlyTogglesAllTenPermissions) {
  GanttChartItemSettings settings;
  EXPECT_FALSE(settings.isReadOnly());
  settings.isHighlighted = true;
  settings.setIsReadOnly(true);
  EXPECT_TRUE(settings.isReadOnly());
  EXPECT_FALSE(settings.allowsMovingBar);
  EXPECT_FALSE(settings.allowsResizingBar());
  EXPECT_FALSE(settings.allowsResizingBarAtStart);
  EXPECT_FALSE(settings.allowsDeletingDependencyLinesFrom);
  EXPECT_TRUE(settings.isHighlighted);
  settings.setIsReadOnly(false);
  EXPECT_FALSE(settings.isReadOnly());
  EXPECT_TRUE(settings.allowsResizingBarAtStart);
  EXPECT_TRUE(settings.allowsCreatingDependencyLinesTo);
}

TEST(GanttChartItemSettings, AnyOfTheNineMainPermissionsEndsReadOnly) {
  using Allow = std::function<void(GanttChartItemSettings&)>;
  const std::pair<const char*, Allow> permissions[] = {
      {"movingBar", [](GanttChartItemSettings& s) { s.allowsMovingBar = true; }},
      {"resizingBar", [](GanttChartItemSettings& s) { s.setAllowsResizingBar(true); }},
      {"movingBarVertically",
       [](GanttChartItemSettings& s) { s.allowsMovingBarVertically = true; }},
      {"resizingCompletionBar",
       [](GanttChartItemSettings& s) { s.allowsResizingCompletionBar = true; }},
      {"deletingBar", [](GanttChartItemSettings& s) { s.allowsDeletingBar = true; }},
      {"creatingLinesTo",
       [](GanttChartItemSettings& s) { s.allowsCreatingDependencyLinesTo = true; }},
      {"creatingLinesFrom",
       [](GanttChartItemSettings& s) { s.allowsCreatingDependencyLinesFrom = true; }},
      {"deletingLinesTo",
       [](GanttChartItemSettings& s) { s.allowsDeletingDependencyLinesTo = true; }},
      {"deletingLinesFrom",
       [](GanttChartItemSettings& s) { s.allowsDeletingDependencyLinesFrom = true; }},
  };
  for (const auto& [name, allow] : permissions) {
    SCOPED_TRACE(name);
    GanttChartItemSettings settings;
    settings.setIsReadOnly(true);
    EXPECT_FALSE(
        settings.allowsMovingBar || settings.allowsResizingBar() ||
        settings.allowsResizingBarAtStart || settings.allowsMovingBarVertically ||
        settings.allowsResizingCompletionBar || settings.allowsDeletingBar ||
        settings.allowsCreatingDependencyLinesTo || settings.allowsCreatingDependencyLinesFrom ||
        settings.allowsDeletingDependencyLinesTo || settings.allowsDeletingDependencyLinesFrom);
    allow(settings);
    EXPECT_FALSE(settings.isReadOnly());
  }
}

TEST(GanttChartItemSettings, ResizingAtStartIsNotConsultedForReadOnly) {
  GanttChartItemSettings settings;
  settings.setIsReadOnly(true);
  settings.allowsResizingBarAtStart = true;
  EXPECT_TRUE(settings.isReadOnly());
  settings.allowsDeletingBar = true;
  EXPECT_FALSE(settings.isReadOnly());
}

TEST(GanttChartItemSettings, ResizingCouplesTheStartOneWayOnly) {
  GanttChartItemSettings settings;
  settings.setAllowsResizingBar(false);
  EXPECT_FALSE(settings.allowsResizingBarAtStart);
  settings.allowsResizingBarAtStart = true;
  EXPECT_FALSE(settings.allowsResizingBar());
  settings.setAllowsResizingBar(true);
  settings.allowsResizingBarAtStart = false;  // resizing at the finish only
  EXPECT_TRUE(settings.allowsResizingBar());
  EXPECT_FALSE(settings.allowsResizingBarAtStart);
}

TEST(GanttChartItemStyleSource, AnswersWithItsFunction) {
  const auto item = makeItem();
  const GanttChartItemStyleSource none([](const GanttChartItemPtr&) { return std::nullopt; });
  EXPECT_FALSE(none.style(item).has_value());
  const GanttChartItemStyleSource some([](const GanttChartItemPtr& i) {
    GanttChartItemStyle style(std::nullopt);
    style.barStrokeWidth = static_cast<double>(i->row());
    return std::optional(style);
  });
  const auto style = some.style(item);
  ASSERT_TRUE(style.has_value());
  EXPECT_EQ(style->barStrokeWidth, 2.0);
  EXPECT_FALSE(style->barFillColor.has_value());
}

}  // namespace
}  // namespace vorlent
