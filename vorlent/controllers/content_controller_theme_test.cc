#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_controller_testing.h"

namespace vorlent {
namespace {

using testing::ContentRecorder;
using testing::operator+;
using ::testing::IsEmpty;

using Log = std::vector<std::string>;

// What `settingsDidChange()` sends, in its order.
Log settingsChanged() {
  return {"observer.settingsDidChange",
          "observer.visibleBarsDidChange",
          "observer.visibleDependencyLinesDidChange",
          "observer.dependencyLineThumbAreaDidChange",
          "observer.highlightedScheduleAreasDidChange",
          "observer.highlightedIntervalAreasDidChange"};
}

// A theme application: the settings' notifications, then the style observer.
Log themeApplied() { return settingsChanged() + Log{"style.defaultStyleDidChange"}; }

// A base style told apart by one field.
GanttChartContentBaseStyle styleMarked(double rowBorderLineWidth) {
  GanttChartContentBaseStyle style;
  style.rowBorderLineWidth = rowBorderLineWidth;
  return style;
}

class FixedModeProvider : public ModeProvider {
 public:
  explicit FixedModeProvider(Mode answer) : answer_(answer) {}
  Mode mode() const override { return answer_; }
  void set(Mode answer) { answer_ = answer; }

 private:
  Mode answer_;
};

class MarkingStyleProvider : public GanttChartContentStyleProvider {
 public:
  GanttChartContentBaseStyle style(const GanttChartContentBaseStyle& basedOn, const Theme& theme,
                                   Mode mode) override {
    asked.push_back(theme);
    askedModes.push_back(mode);
    GanttChartContentBaseStyle replaced = basedOn;
    replaced.barStrokeWidth = 42;
    if (onAsk) onAsk();
    return replaced;
  }
  std::vector<Theme> asked;
  std::vector<Mode> askedModes;
  std::function<void()> onAsk;
};

class ContentThemeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controller = GanttChartContentController::create();
    recorder = std::make_shared<ContentRecorder>();
    recorder->observe(*controller, recorder);
  }

  std::shared_ptr<GanttChartContentController> controller;
  std::shared_ptr<ContentRecorder> recorder;
};

TEST_F(ContentThemeTest, SettingsChangesForgetAndRedraw) {
  controller->settingsDidChange();
  EXPECT_EQ(recorder->take(), settingsChanged());
}

TEST_F(ContentThemeTest, TheFirstUnforcedUpdateAppliesTheThemeOnce) {
  controller->updateDefaultStyle(false);
  EXPECT_EQ(recorder->take(), themeApplied());
  const GanttChartContentBaseStyle preset(Theme::standard(), Mode::light);
  EXPECT_EQ(controller->defaultStyle().barFillColor, preset.barFillColor);
  EXPECT_EQ(controller->actualStyle().barFillColor, preset.barFillColor);
  controller->updateDefaultStyle(false);
  EXPECT_THAT(recorder->take(), IsEmpty());
}

TEST_F(ContentThemeTest, AssigningTheThemeOrModeAlwaysReapplies) {
  controller->updateDefaultStyle(false);
  recorder->take();
  controller->setTheme(Theme::standard());
  EXPECT_EQ(recorder->take(), themeApplied());
  controller->setMode(Mode::light);
  EXPECT_EQ(recorder->take(), themeApplied());
  controller->setTheme(Theme::jewel());
  EXPECT_EQ(recorder->take(), themeApplied());
  EXPECT_EQ(controller->defaultStyle().barFillColor,
            GanttChartContentBaseStyle(Theme::jewel(), Mode::light).barFillColor);
}

TEST_F(ContentThemeTest, TheModeComesFromTheControllerThenTheProviderThenLight) {
  EXPECT_EQ(controller->actualMode(), Mode::light);
  const auto provider = std::make_shared<FixedModeProvider>(Mode::dark);
  controller->setModeProvider(provider);
  EXPECT_EQ(controller->actualMode(), Mode::dark);
  EXPECT_EQ(controller->defaultStyle().backgroundColor,
            GanttChartContentBaseStyle(Theme::standard(), Mode::dark).backgroundColor);
  controller->setMode(Mode::light);
  EXPECT_EQ(controller->actualMode(), Mode::light);
  controller->setMode(std::nullopt);
  EXPECT_EQ(controller->actualMode(), Mode::dark);
}

TEST_F(ContentThemeTest, AProvidersNewAnswerWaitsForTheNextUnforcedUpdate) {
  const auto provider = std::make_shared<FixedModeProvider>(Mode::light);
  controller->setModeProvider(provider);
  recorder->take();
  provider->set(Mode::dark);
  EXPECT_THAT(recorder->take(), IsEmpty());
  controller->updateDefaultStyle(false);
  EXPECT_EQ(recorder->take(), themeApplied());
  // The same provider assigned again changes nothing.
  controller->setModeProvider(provider);
  EXPECT_THAT(recorder->take(), IsEmpty());
}

TEST_F(ContentThemeTest, AHostsOwnDefaultStyleSurvivesUnforcedUpdates) {
  controller->setDefaultStyle(styleMarked(7));
  controller->updateDefaultStyle(false);
  controller->setModeProvider(std::make_shared<FixedModeProvider>(Mode::dark));
  EXPECT_THAT(recorder->take(), IsEmpty());
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 7);
  controller->setMode(Mode::dark);
  EXPECT_EQ(recorder->take(), themeApplied());
  EXPECT_NE(controller->defaultStyle().rowBorderLineWidth, 7);
}

TEST_F(ContentThemeTest, CustomThemesUseTheStyleOfTheirModeElseTheAnyModeOne) {
  controller->setStyleForTheme("Brand", std::nullopt, styleMarked(7));
  controller->setStyleForTheme("Brand", Mode::dark, styleMarked(9));
  recorder->take();
  controller->setTheme(Theme::custom("Brand"));
  EXPECT_EQ(recorder->take(), themeApplied());
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 7);
  controller->setMode(Mode::dark);
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 9);
  // The registry is read by exact key.
  EXPECT_FALSE(controller->styleForTheme("Brand", Mode::light).has_value());
  EXPECT_EQ(controller->styleForTheme("Brand", std::nullopt)->rowBorderLineWidth, 7);
  EXPECT_EQ(controller->styleForTheme("Brand", Mode::dark)->rowBorderLineWidth, 9);
  EXPECT_FALSE(controller->styleForTheme("brand", Mode::dark).has_value());
}

TEST_F(ContentThemeTest, RemovingARegisteredStyleReappliesTheTheme) {
  controller->setStyleForTheme("Brand", std::nullopt, styleMarked(7));
  controller->setStyleForTheme("Brand", Mode::dark, styleMarked(9));
  controller->setMode(Mode::dark);
  controller->setTheme(Theme::custom("Brand"));
  recorder->take();
  controller->setStyleForTheme("Brand", Mode::dark, std::nullopt);
  EXPECT_EQ(recorder->take(), themeApplied());
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 7);
  EXPECT_FALSE(controller->styleForTheme("Brand", Mode::dark).has_value());
}

TEST_F(ContentThemeTest, AnUnregisteredCustomThemeKeepsThePreviousStyle) {
  controller->setTheme(Theme::jewel());
  const double stroke = controller->defaultStyle().barStrokeWidth;
  const auto fill = controller->defaultStyle().barFillColor;
  recorder->take();
  controller->setTheme(Theme::custom("Nobody"));
  EXPECT_THAT(recorder->take(), IsEmpty());
  EXPECT_EQ(controller->defaultStyle().barStrokeWidth, stroke);
  EXPECT_EQ(controller->defaultStyle().barFillColor, fill);
  // The last registered style of the current theme removed: the same.
  controller->setStyleForTheme("Brand", std::nullopt, styleMarked(7));
  controller->setTheme(Theme::custom("Brand"));
  recorder->take();
  controller->setStyleForTheme("Brand", std::nullopt, std::nullopt);
  EXPECT_THAT(recorder->take(), IsEmpty());
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 7);
  // Registering it again applies it at once.
  controller->setStyleForTheme("Brand", std::nullopt, styleMarked(8));
  EXPECT_EQ(recorder->take(), themeApplied());
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 8);
}

TEST_F(ContentThemeTest, AStyleProviderReplacesTheThemesStyle) {
  const auto provider = std::make_shared<MarkingStyleProvider>();
  controller->setStyleProvider(provider);
  controller->setMode(Mode::dark);
  ASSERT_EQ(provider->asked.size(), 1u);
  EXPECT_EQ(provider->asked[0], Theme::standard());
  EXPECT_EQ(provider->askedModes[0], Mode::dark);
  EXPECT_EQ(controller->defaultStyle().barStrokeWidth, 42);
  // The observer hears the new style and the one it replaced.
  ASSERT_EQ(recorder->lastStyleChange.size(), 2u);
  EXPECT_EQ(recorder->lastStyleChange[0].barStrokeWidth, 42);
  EXPECT_EQ(recorder->lastStyleChange[1].barStrokeWidth, GanttChartContentBaseStyle().barStrokeWidth);
}

TEST_F(ContentThemeTest, OverridesStayOnTopOfANewTheme) {
  GanttChartContentStyle overrides;
  overrides.barStrokeWidth = 3;
  controller->setStyle(overrides);
  controller->setTheme(Theme::aqua());
  EXPECT_EQ(controller->actualStyle().barStrokeWidth, 3);
  EXPECT_EQ(controller->actualStyle().barFillColor,
            GanttChartContentBaseStyle(Theme::aqua(), Mode::light).barFillColor);
}

TEST_F(ContentThemeTest, AThemeRequestedWhileOneIsAppliedFollowsIt) {
  const auto provider = std::make_shared<MarkingStyleProvider>();
  // A provider that keeps asking for another theme is heard a bounded number
  // of times; the last theme requested wins.
  int asked = 0;
  provider->onAsk = [&] {
    ++asked;
    controller->setTheme(asked % 2 ? Theme::jewel() : Theme::aqua());
  };
  controller->setStyleProvider(provider);
  controller->setTheme(Theme::generic());
  EXPECT_EQ(asked, CoalescedWrites<bool>::kMaxRounds);
  provider->onAsk = nullptr;
  controller->updateDefaultStyle(false);
  EXPECT_EQ(controller->defaultStyle().barFillColor,
            GanttChartContentBaseStyle(controller->theme(), Mode::light).barFillColor);
}

TEST_F(ContentThemeTest, TheDiagramGeneratorIsTheControllerUnlessOneIsAlive) {
  EXPECT_EQ(controller->actualDiagramGenerator(), controller);
  auto generator = std::make_shared<GanttChartDirectDiagramGenerator>();
  controller->setDiagramGenerator(generator);
  EXPECT_EQ(controller->actualDiagramGenerator(), generator);
  generator.reset();
  EXPECT_EQ(controller->actualDiagramGenerator(), controller);
}

}  // namespace
}  // namespace vorlent
