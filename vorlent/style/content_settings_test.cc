#include "vorlent/style/content_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/style/recorded_theme_access.h"
#include "vorlent/style/style_testing.h"

namespace vorlent {
namespace {

using Access = detail::RecordedThemeAccess;
using testing::differingFields;

GanttChartItemPtr makeItem(GanttChartItemType type = GanttChartItemType::standard) {
  return std::make_shared<GanttChartItem>("item", 0, Time(1, kMonday, 0), Time(1, kTuesday, 0), 0.0,
                                          std::nullopt, std::nullopt, nullptr, true, 0, true, type);
}

using SettingsEdit = std::function<void(GanttChartContentSettings&)>;
using ItemEdit = std::function<void(GanttChartItemSettings&)>;
using Query = std::function<bool(const GanttChartContentSettings&, const GanttChartItem&)>;

// One permission function with the three levels that decide it.
struct PermissionCase {
  std::string name;
  Query query;
  SettingsEdit forbidChartWide;
  ItemEdit forbidItem;
  std::function<void(GanttChartContentSettings&, PerItemType<bool>)> setPerType;
};

std::vector<PermissionCase> permissionCases() {
  return {
      {"allowsMovingBar", [](auto& s, auto& i) { return s.allowsMovingBar(i); },
       [](auto& s) { s.allowsMovingBars = false; }, [](auto& i) { i.allowsMovingBar = false; },
       [](auto& s, auto d) { s.allowsMovingBarsForType = d; }},
      {"allowsResizingBar", [](auto& s, auto& i) { return s.allowsResizingBar(i); },
       [](auto& s) { s.setAllowsResizingBars(false); },
       [](auto& i) { i.setAllowsResizingBar(false); },
       [](auto& s, auto d) { s.setAllowsResizingBarsForType(d); }},
      {"allowsResizingBarAtStart", [](auto& s, auto& i) { return s.allowsResizingBarAtStart(i); },
       [](auto& s) { s.allowsResizingBarsAtStart = false; },
       [](auto& i) { i.allowsResizingBarAtStart = false; },
       [](auto& s, auto d) { s.allowsResizingBarsAtStartForType = d; }},
      {"allowsMovingBarVertically", [](auto& s, auto& i) { return s.allowsMovingBarVertically(i); },
       [](auto& s) { s.allowsMovingBarsVertically = false; },
       [](auto& i) { i.allowsMovingBarVertically = false; },
       [](auto& s, auto d) { s.allowsMovingBarsVerticallyForType = d; }},
      {"allowsResizingCompletionBar",
       [](auto& s, auto& i) { return s.allowsResizingCompletionBar(i); },
       [](auto& s) { s.allowsResizingCompletionBars = false; },
       [](auto& i) { i.allowsResizingCompletionBar = false; },
       [](auto& s, auto d) { s.allowsResizingCompletionBarsForType = d; }},
      {"allowsDeletingBar", [](auto& s, auto& i) { return s.allowsDeletingBar(i); },
       [](auto& s) { s.allowsDeletingBars = false; }, [](auto& i) { i.allowsDeletingBar = false; },
       [](auto& s, auto d) { s.allowsDeletingBarsForType = d; }},
      {"allowsCreatingDependencyLinesFrom",
       [](auto& s, auto& i) { return s.allowsCreatingDependencyLinesFrom(i); },
       [](auto& s) { s.allowsCreatingDependencyLines = false; },
       [](auto& i) { i.allowsCreatingDependencyLinesFrom = false; },
       [](auto& s, auto d) { s.allowsCreatingDependencyLinesForType = d; }},
      {"allowsCreatingDependencyLinesTo",
       [](auto& s, auto& i) { return s.allowsCreatingDependencyLinesTo(i); },
       [](auto& s) { s.allowsCreatingDependencyLines = false; },
       [](auto& i) { i.allowsCreatingDependencyLinesTo = false; },
       [](auto& s, auto d) { s.allowsCreatingDependencyLinesForType = d; }},
      {"allowsDeletingDependencyLinesFrom",
       [](auto& s, auto& i) { return s.allowsDeletingDependencyLinesFrom(i); },
       [](auto& s) { s.allowsDeletingDependencyLines = false; },
       [](auto& i) { i.allowsDeletingDependencyLinesFrom = false; },
       [](auto& s, auto d) { s.allowsDeletingDependencyLinesForType = d; }},
      {"allowsDeletingDependencyLinesTo",
       [](auto& s, auto& i) { return s.allowsDeletingDependencyLinesTo(i); },
       [](auto& s) { s.allowsDeletingDependencyLines = false; },
       [](auto& i) { i.allowsDeletingDependencyLinesTo = false; },
       [](auto& s, auto d) { s.allowsDeletingDependencyLinesForType = d; }},
  };
}

TEST(ContentSettingsDefaults, MatchTheDocumentedValues) {
  const GanttChartContentSettings s;
  // The few flags that start off; every other flag starts on.
  for (const bool off :
       {s.drawsDependencyLinesSpanningHorizontalDistancePrimarilyOnSourceRow,
        s.activationTogglesExpansionForSummaryItems, s.allowsSelectingElements,
        s.allowsEditingElements, s.selectsNewlyCreatedElements, s.selectsEditedElements}) {
    EXPECT_FALSE(off);
  }
  for (const bool on : {s.showsLabels,
                        s.showsToolTips,
                        s.showsCompletionBars,
                        s.showsCompletionBarsForSummaryItems,
                        s.showsDependencyLines,
                        s.drawsVerticallyEndingDependencyLinesWhenApplicable,
                        s.allowsZooming,
                        s.allowsActivatingBars,
                        s.allowsActivatingDependencyLines,
                        s.allowsMovingBars,
                        s.allowsResizingBars(),
                        s.allowsResizingBarsAtStart,
                        s.allowsMovingBarsVertically,
                        s.allowsResizingCompletionBars,
                        s.preservesCompletedDurationUponResizingBars,
                        s.allowsUpdatingZIndexes,
                        s.allowsCreatingBars,
                        s.allowsCreatingMilestones,
                        s.allowsDeletingBars,
                        s.allowsCreatingDependencyLines,
                        s.allowsCreatingDependencyLinesFromStart,
                        s.allowsCreatingDependencyLinesToFinish,
                        s.allowsDeletingDependencyLines,
                        s.editsNewlyCreatedItems,
                        s.editsNewlyCreatedDependencies,
                        s.allowsEditingItems,
                        s.allowsEditingDependencies,
                        s.alternativeRowsOnCount,
                        s.usesCache}) {
    EXPECT_TRUE(on);
  }
  EXPECT_EQ(s.minBarWidth, 4);
  EXPECT_EQ(s.temporaryBarWidth, std::nullopt);
  EXPECT_EQ(s.resizingBarAreaWidth, 8);
  EXPECT_EQ(s.movingBarVerticallyAreaHeightRatio, 0.25);
  EXPECT_EQ(s.creatingDependencyLineFinishEndWidthRatio, 0.25);
  EXPECT_EQ(s.maxBarHoveringDistance, 12);
  EXPECT_EQ(s.maxLineHoveringDistance, 5);
  EXPECT_EQ(s.numberOfClicksRequiredToActivateElements, 1);
  EXPECT_EQ(s.autoScrollMargin, 25);
  EXPECT_EQ(s.autoScrollInterval, 0.04);
  EXPECT_EQ(s.autoShiftsScrollableTimelineBy, std::nullopt);
  EXPECT_TRUE(s.allowsResizingBarsForType().empty());
  EXPECT_TRUE(s.allowsDeletingDependencyLinesForType.empty());
}

TEST(ContentPermissions, EachLevelAloneRefusesAndAnAbsentEntryAllows) {
  for (const PermissionCase& entry : permissionCases()) {
    SCOPED_TRACE(entry.name);
    const auto item = makeItem(GanttChartItemType::summary);
    GanttChartContentSettings settings;
    EXPECT_TRUE(entry.query(settings, *item));

    GanttChartContentSettings chartWide;
    entry.forbidChartWide(chartWide);
    EXPECT_FALSE(entry.query(chartWide, *item));

    GanttChartItemSettings own = item->settings();
    entry.forbidItem(own);
    item->setSettings(own);
    EXPECT_FALSE(entry.query(settings, *item));
    item->setSettings(GanttChartItemSettings());

    GanttChartContentSettings perType;
    entry.setPerType(perType, {{GanttChartItemType::summary, false}});
    EXPECT_FALSE(entry.query(perType, *item));
    EXPECT_TRUE(entry.query(perType, *makeItem(GanttChartItemType::standard)));
    EXPECT_TRUE(entry.query(perType, *makeItem(GanttChartItemType::milestone)));
    entry.setPerType(perType, {{GanttChartItemType::summary, true}});
    EXPECT_TRUE(entry.query(perType, *item));
  }
}

TEST(ContentPermissions, ResizingAtStartNeedsResizingFirst) {
  GanttChartContentSettings settings;
  settings.setAllowsResizingBars(false);
  settings.allowsResizingBarsAtStart = true;
  const auto item = makeItem();
  EXPECT_FALSE(settings.allowsResizingBarAtStart(*item));

  GanttChartContentSettings perType;
  perType.setAllowsResizingBarsForType({{GanttChartItemType::standard, false}});
  perType.allowsResizingBarsAtStartForType[GanttChartItemType::standard] = true;
  EXPECT_FALSE(perType.allowsResizingBarAtStart(*item));
}

TEST(ContentPermissions, DeletingADependencyNeedsBothEndsAndItsOwnFlag) {
  const auto from = makeItem();
  const auto to = makeItem(GanttChartItemType::milestone);
  auto dependency = std::make_shared<GanttChartDependency>("link", from, to);
  GanttChartContentSettings settings;
  EXPECT_TRUE(settings.allowsDeletingDependencyLine(*dependency));

  GanttChartItemSettings fromSettings;
  fromSettings.allowsDeletingDependencyLinesFrom = false;
  from->setSettings(fromSettings);
  EXPECT_FALSE(settings.allowsDeletingDependencyLine(*dependency));
  from->setSettings(GanttChartItemSettings());

  settings.allowsDeletingDependencyLinesForType = {{GanttChartItemType::milestone, false}};
  EXPECT_FALSE(settings.allowsDeletingDependencyLine(*dependency));
  settings.allowsDeletingDependencyLinesForType.clear();

  GanttChartDependencySettings own;
  own.allowsDeletingDependencyLine = false;
  dependency->setSettings(own);
  EXPECT_FALSE(settings.allowsDeletingDependencyLine(*dependency));
}

TEST(ContentSettingsCouplings, ResizingCarriesTheResizingAtStartFlag) {
  GanttChartContentSettings settings;
  settings.setAllowsResizingBars(false);
  EXPECT_FALSE(settings.allowsResizingBarsAtStart);
  settings.setAllowsResizingBars(true);
  EXPECT_TRUE(settings.allowsResizingBarsAtStart);
  // Finish-only resizing: resizing first, then the start flag alone.
  settings.allowsResizingBarsAtStart = false;
  EXPECT_TRUE(settings.allowsResizingBars());
}

TEST(ContentSettingsCouplings, PerTypeResizingIsWrittenIntoResizingAtStartWithoutRemovals) {
  GanttChartContentSettings settings;
  settings.allowsResizingBarsAtStartForType = {{GanttChartItemType::summary, false}};
  settings.setAllowsResizingBarsForType({{GanttChartItemType::milestone, false}});
  const PerItemType<bool> expected = {{GanttChartItemType::summary, false},
                                      {GanttChartItemType::milestone, false}};
  EXPECT_EQ(settings.allowsResizingBarsAtStartForType, expected);
}

TEST(ContentSettingsCouplings, StartToFinishOnlyClearsAndSetsBothEndFlags) {
  GanttChartContentSettings settings;
  EXPECT_FALSE(settings.allowsCreatingDependencyLinesFromStartToFinishOnly());
  settings.setAllowsCreatingDependencyLinesFromStartToFinishOnly(true);
  EXPECT_FALSE(settings.allowsCreatingDependencyLinesFromStart);
  EXPECT_FALSE(settings.allowsCreatingDependencyLinesToFinish);
  EXPECT_TRUE(settings.allowsCreatingDependencyLinesFromStartToFinishOnly());
  settings.setAllowsCreatingDependencyLinesFromStartToFinishOnly(false);
  EXPECT_TRUE(settings.allowsCreatingDependencyLinesFromStart);
  EXPECT_TRUE(settings.allowsCreatingDependencyLinesToFinish);
}

TEST(ContentReadOnly, RoundTripsThroughTheTwelveFlagsOnly) {
  GanttChartContentSettings settings;
  EXPECT_FALSE(settings.isReadOnly());
  settings.setIsReadOnly(true);
  EXPECT_TRUE(settings.isReadOnly());
  EXPECT_FALSE(settings.allowsResizingBarsAtStart);
  EXPECT_FALSE(settings.allowsCreatingMilestones);
  EXPECT_FALSE(settings.allowsUpdatingZIndexes);
  // Activation, selection, editing and display flags are not editing flags.
  EXPECT_TRUE(settings.allowsActivatingBars);
  EXPECT_TRUE(settings.allowsEditingItems);
  EXPECT_TRUE(settings.showsLabels);
  EXPECT_TRUE(settings.allowsMovingBarsForType.empty());

  const std::vector<SettingsEdit> reopen = {
      [](auto& s) { s.allowsMovingBars = true; },
      [](auto& s) { s.setAllowsResizingBars(true); },
      [](auto& s) { s.allowsResizingCompletionBars = true; },
      [](auto& s) { s.allowsMovingBarsVertically = true; },
      [](auto& s) { s.allowsUpdatingZIndexes = true; },
      [](auto& s) { s.allowsCreatingBars = true; },
      [](auto& s) { s.allowsDeletingBars = true; },
      [](auto& s) { s.allowsCreatingMilestones = true; },
      [](auto& s) { s.allowsCreatingDependencyLines = true; },
      [](auto& s) { s.allowsDeletingDependencyLines = true; },
      [](auto& s) { s.allowsCreatingDependencyLinesFromStart = true; },
      [](auto& s) { s.allowsCreatingDependencyLinesToFinish = true; },
  };
  for (size_t i = 0; i < reopen.size(); ++i) {
    GanttChartContentSettings copy = settings;
    reopen[i](copy);
    EXPECT_FALSE(copy.isReadOnly()) << "flag " << i;
  }
  settings.setIsReadOnly(false);
  EXPECT_FALSE(settings.isReadOnly());
  EXPECT_TRUE(settings.allowsResizingBarsAtStart);
}

TEST(ContentReadOnly, TypeReadOnlyRoundTripsThroughTheEightDictionaries) {
  GanttChartContentSettings settings;
  const PerItemType<bool> none = {{GanttChartItemType::standard, false},
                                  {GanttChartItemType::milestone, false},
                                  {GanttChartItemType::summary, false}};
  EXPECT_EQ(settings.isTypeReadOnly(), none);

  settings.setIsTypeReadOnly({{GanttChartItemType::milestone, true}});
  const PerItemType<bool> milestoneOnly = {{GanttChartItemType::standard, false},
                                           {GanttChartItemType::milestone, true},
                                           {GanttChartItemType::summary, false}};
  EXPECT_EQ(settings.isTypeReadOnly(), milestoneOnly);
  const PerItemType<bool> written = {{GanttChartItemType::standard, true},
                                     {GanttChartItemType::milestone, false},
                                     {GanttChartItemType::summary, true}};
  for (const PerItemType<bool>* dictionary : std::vector<const PerItemType<bool>*>{
           &settings.allowsMovingBarsForType, &settings.allowsResizingBarsForType(),
           &settings.allowsResizingBarsAtStartForType, &settings.allowsMovingBarsVerticallyForType,
           &settings.allowsResizingCompletionBarsForType, &settings.allowsDeletingBarsForType,
           &settings.allowsCreatingDependencyLinesForType,
           &settings.allowsDeletingDependencyLinesForType}) {
    EXPECT_EQ(*dictionary, written);
  }
  EXPECT_FALSE(settings.allowsMovingBar(*makeItem(GanttChartItemType::milestone)));
  EXPECT_TRUE(settings.allowsMovingBar(*makeItem(GanttChartItemType::summary)));
}

TEST(ContentReadOnly, TypeReadOnlyCountsOnlyExplicitRefusalsAndIgnoresResizingAtStart) {
  GanttChartContentSettings settings;
  settings.setIsTypeReadOnly({{GanttChartItemType::summary, true}});
  settings.allowsResizingBarsAtStartForType[GanttChartItemType::summary] = true;
  EXPECT_TRUE(settings.isTypeReadOnly().at(GanttChartItemType::summary));
  settings.allowsDeletingBarsForType.erase(GanttChartItemType::summary);
  EXPECT_FALSE(settings.isTypeReadOnly().at(GanttChartItemType::summary));
}

TEST(ContentStyleLevels, ActualStyleIsTheOverrideLaidOntoTheDefault) {
  GanttChartContentSettings settings;
  EXPECT_EQ(differingFields(settings.actualStyle(), GanttChartContentBaseStyle()),
            std::vector<std::string>{});

  GanttChartContentStyle override;
  override.barFillColor = Color::redColor();
  settings.setStyle(override);
  EXPECT_EQ(settings.actualStyle().barFillColor, Color::redColor());

  GanttChartContentBaseStyle base;
  base.borderColor = Color::yellow();
  base.barFillColor = Color::greenColor();
  settings.setDefaultStyle(base);
  EXPECT_EQ(settings.defaultStyle().borderColor, Color::yellow());
  EXPECT_EQ(differingFields(settings.actualStyle(), override.applyingTo(base)),
            std::vector<std::string>{});
  EXPECT_EQ(settings.actualStyle().barFillColor, Color::redColor());
  EXPECT_EQ(settings.actualStyle().borderColor, Color::yellow());
}

TEST(ContentStyleLevels, AssigningTheDefaultStyleMarksTheRecordedThemeNone) {
  GanttChartContentSettings settings;
  EXPECT_EQ(Access::theme(settings), Theme::generic());
  EXPECT_EQ(Access::mode(settings), Mode::light);

  Access::setTheme(settings, Theme::jewel());
  Access::setMode(settings, Mode::dark);
  settings.setStyle(GanttChartContentStyle());
  EXPECT_EQ(Access::theme(settings), Theme::jewel());

  settings.setDefaultStyle(GanttChartContentBaseStyle(Theme::jewel(), Mode::dark));
  EXPECT_EQ(Access::theme(settings), Theme::none());
  EXPECT_EQ(Access::mode(settings), Mode::dark);

  Access::setTheme(settings, Theme::named("Brand"));
  settings.setDefaultStyle(GanttChartContentBaseStyle());
  EXPECT_EQ(Access::theme(settings), Theme::none());
}

TEST(ContentStrings, HoldTheMenuTextsAsTheyStand) {
  const GanttChartContentStrings strings;
  EXPECT_EQ(strings.createItem, "Create item");
  EXPECT_EQ(strings.createMilestoneItem, "Create milestone");
  EXPECT_EQ(strings.editItem, "Edit");
  EXPECT_EQ(strings.deleteItem, "Delete item");
  EXPECT_EQ(strings.deleteMilestoneItem, "Delete milestone");
  EXPECT_EQ(strings.editDependency, "Edit");
  EXPECT_EQ(strings.deleteDependency, "Delete dependency");
  EXPECT_EQ(GanttChartContentSettings().strings.deleteDependency, "Delete dependency");
}

}  // namespace
}  // namespace vorlent
