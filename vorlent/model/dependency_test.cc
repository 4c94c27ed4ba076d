#include "vorlent/model/dependency.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vorlent {
namespace {

struct Fixture {
  GanttChartItemPtr from =
      std::make_shared<GanttChartItem>("F", 0, Time(0, 1, 0), Time(0, 2, 0), 0.0);
  GanttChartItemPtr to =
      std::make_shared<GanttChartItem>("T", 1, Time(0, 3, 0), Time(0, 4, 0), 0.0);
  GanttChartDependencyPtr make(std::optional<GanttChartDependencyType> type = std::nullopt,
                               std::optional<GanttChartDependencyStyle> style = std::nullopt) {
    return std::make_shared<GanttChartDependency>("D", from, to, std::nullopt, 0, true, type,
                                                  style);
  }
};

TEST(GanttChartDependencyType, TypeAndEndsDetermineEachOther) {
  using End = GanttChartDependencyEndType;
  struct Row {
    GanttChartDependencyType type;
    End from, to;
    bool fromEntropic, toEntropic;
  };
  const Row table[] = {
      {GanttChartDependencyType::fromFinishToStart, End::finish, End::start, true, true},
      {GanttChartDependencyType::fromStartToStart, End::start, End::start, false, true},
      {GanttChartDependencyType::fromFinishToFinish, End::finish, End::finish, true, false},
      {GanttChartDependencyType::fromStartToFinish, End::start, End::finish, false, false},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(::testing::Message() << row.type);
    EXPECT_EQ(makeGanttChartDependencyType(row.from, row.to), row.type);
    EXPECT_EQ(fromType(row.type), row.from);
    EXPECT_EQ(toType(row.type), row.to);
    EXPECT_EQ(isFromEntropic(row.type), row.fromEntropic);
    EXPECT_EQ(isToEntropic(row.type), row.toEntropic);
  }
}

TEST(GanttChartDependency, GivenTypeOrStyleRaisesTheFlag) {
  Fixture f;
  const auto plain = f.make();
  EXPECT_EQ(plain->type(), GanttChartDependencyType::fromFinishToStart);
  EXPECT_TRUE(plain->isFromEntropic());
  EXPECT_TRUE(plain->isToEntropic());
  EXPECT_FALSE(plain->hasChanged());
  EXPECT_TRUE(f.make(GanttChartDependencyType::fromFinishToStart)->hasChanged());
  EXPECT_TRUE(f.make(std::nullopt, GanttChartDependencyStyle(std::nullopt, 2.0))->hasChanged());
}

TEST(GanttChartDependency, PositionalAndNamedInitialisersStoreTheSame) {
  Fixture f;
  const auto positional = std::make_shared<GanttChartDependency>(
      "L", f.from, f.to, "det", 4, false, GanttChartDependencyType::fromStartToFinish,
      GanttChartDependencyStyle(Color::black(), 2.0), std::string("ctx"));
  const auto named = GanttChartDependency::create(
      {.label = "L",
       .from = f.from,
       .to = f.to,
       .details = "det",
       .zIndex = 4,
       .isVisible = false,
       .type = GanttChartDependencyType::fromStartToFinish,
       .style = GanttChartDependencyStyle(Color::black(), 2.0),
       .context = std::string("ctx")});
  for (const auto& dependency : {positional, named}) {
    EXPECT_EQ(dependency->label(), "L");
    EXPECT_EQ(dependency->from(), f.from);
    EXPECT_EQ(dependency->to(), f.to);
    EXPECT_EQ(dependency->details(), "det");
    EXPECT_EQ(dependency->zIndex(), 4);
    EXPECT_FALSE(dependency->isVisible());
    EXPECT_EQ(dependency->type(), GanttChartDependencyType::fromStartToFinish);
    EXPECT_EQ(dependency->style().lineColor, Color::black());
    EXPECT_EQ(dependency->style().lineWidth, 2.0);
    EXPECT_EQ(std::any_cast<std::string>(dependency->context()), "ctx");
    EXPECT_TRUE(dependency->hasChanged());
  }
  const auto plain = GanttChartDependency::create({.from = f.from, .to = f.to});
  EXPECT_EQ(plain->label(), std::nullopt);
  EXPECT_EQ(plain->zIndex(), 0);
  EXPECT_TRUE(plain->isVisible());
  EXPECT_EQ(plain->type(), GanttChartDependencyType::fromFinishToStart);
  EXPECT_FALSE(plain->hasChanged());
}

TEST(GanttChartDependency, LinkedTimesFollowTheEndsAndTheItems) {
  Fixture f;
  const auto dependency = f.make();
  dependency->setType(GanttChartDependencyType::fromStartToFinish);
  EXPECT_EQ(dependency->fromType(), GanttChartDependencyEndType::start);
  EXPECT_EQ(dependency->toType(), GanttChartDependencyEndType::finish);
  EXPECT_EQ(dependency->fromTime(), f.from->start());
  EXPECT_EQ(dependency->toTime(), f.to->finish());
  f.to->setFinish(Time(1, 0, 0));
  EXPECT_EQ(dependency->toTime(), Time(1, 0, 0));
}

TEST(GanttChartDependency, ChangingOneEndChangesTheType) {
  Fixture f;
  const auto dependency = f.make();
  dependency->setFromType(GanttChartDependencyEndType::start);
  EXPECT_EQ(dependency->type(), GanttChartDependencyType::fromStartToStart);
}

TEST(GanttChartDependency, FieldsSetOnOneDependencyStayWithIt) {
  // Label, details, context and settings live out of line until first set;
  // the defaults other dependencies read must not change with them.
  Fixture f;
  const auto edited = GanttChartDependency::create({.from = f.from, .to = f.to});
  const auto plain = GanttChartDependency::create({.from = f.from, .to = f.to});
  GanttChartDependencySettings highlighted;
  highlighted.isHighlighted = true;
  edited->setSettings(highlighted);
  edited->setDetails("det");
  edited->setContext(7);
  edited->setStyle(GanttChartDependencyStyle(Color::black(), 2));
  EXPECT_TRUE(edited->settings().isHighlighted);
  EXPECT_EQ(edited->style().lineWidth, 2);
  EXPECT_EQ(edited->details(), "det");
  EXPECT_EQ(std::any_cast<int>(edited->context()), 7);
  for (const auto& other : {plain, GanttChartDependency::create({.from = f.from, .to = f.to})}) {
    EXPECT_FALSE(other->settings().isHighlighted);
    EXPECT_EQ(other->style().lineColor, std::nullopt);
    EXPECT_EQ(other->label(), std::nullopt);
    EXPECT_EQ(other->details(), std::nullopt);
    EXPECT_FALSE(other->context().has_value());
  }
}

TEST(GanttChartDependency, EverySetterRaisesTheFlagEvenForAnEqualValue) {
  Fixture f;
  using Setter = std::function<void(GanttChartDependency&)>;
  const std::pair<const char*, Setter> setters[] = {
      {"label", [](GanttChartDependency& d) { d.setLabel(d.label()); }},
      {"details", [](GanttChartDependency& d) { d.setDetails(d.details()); }},
      {"from", [](GanttChartDependency& d) { d.setFrom(d.from()); }},
      {"to", [](GanttChartDependency& d) { d.setTo(d.to()); }},
      {"fromType", [](GanttChartDependency& d) { d.setFromType(d.fromType()); }},
      {"toType", [](GanttChartDependency& d) { d.setToType(d.toType()); }},
      {"type", [](GanttChartDependency& d) { d.setType(d.type()); }},
      {"zIndex", [](GanttChartDependency& d) { d.setZIndex(d.zIndex()); }},
      {"isVisible", [](GanttChartDependency& d) { d.setIsVisible(d.isVisible()); }},
      {"context", [](GanttChartDependency& d) { d.setContext(d.context()); }},
      {"settings", [](GanttChartDependency& d) { d.setSettings(d.settings()); }},
      {"style", [](GanttChartDependency& d) { d.setStyle(d.style()); }},
  };
  for (const auto& [name, set] : setters) {
    SCOPED_TRACE(name);
    const auto dependency = f.make();
    set(*dependency);
    EXPECT_TRUE(dependency->hasChanged());
    dependency->setHasChanged(false);
    EXPECT_FALSE(dependency->hasChanged());
  }
}

TEST(GanttChartDependencySettings, ReadOnlyOnlyTouchesDeletion) {
  GanttChartDependencySettings settings;
  settings.isHighlighted = true;
  settings.style.lineWidth = 3;
  EXPECT_FALSE(settings.isReadOnly());
  settings.setIsReadOnly(true);
  EXPECT_FALSE(settings.allowsDeletingDependencyLine);
  EXPECT_TRUE(settings.isHighlighted);
  EXPECT_EQ(settings.style.lineWidth, 3.0);
}

TEST(GanttChartDependencyDeathTest, NullItemIsAFatalStop) {
  Fixture f;
  EXPECT_DEATH(GanttChartDependency("D", f.from, nullptr), "both of its items");
}

}  // namespace
}  // namespace vorlent
