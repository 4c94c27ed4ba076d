#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_controller_testing.h"
#include "vorlent/style/style_testing.h"

namespace vorlent {
namespace {

using testing::differingFields;
using testing::HeaderCallLog;

const TimeRange kTimeline(Time(1200, kSunday, 0), Time(1201, kSunday, 0));

class SwitchableMode : public ModeProvider {
 public:
  explicit SwitchableMode(Mode mode) : current(mode) {}
  [[nodiscard]] Mode mode() const override { return current; }
  Mode current;
};

// Tints the background of whatever style it is offered and remembers what it
// was asked.
class TintingStyleProvider : public GanttChartHeaderStyleProvider {
 public:
  GanttChartHeaderBaseStyle style(const GanttChartHeaderBaseStyle& basedOn, const Theme& theme,
                                  Mode mode) override {
    asked.push_back({basedOn.borderColor, theme, mode});
    GanttChartHeaderBaseStyle tinted = basedOn;
    tinted.backgroundColor = Color::magenta();
    return tinted;
  }
  struct Question {
    Color borderColor;
    Theme theme;
    Mode mode;
  };
  std::vector<Question> asked;
};

GanttChartHeaderBaseStyle brandStyle(const Color& background) {
  GanttChartHeaderBaseStyle style;
  style.backgroundColor = background;
  return style;
}

struct Themed {
  std::shared_ptr<GanttChartHeaderController> controller =
      GanttChartHeaderController::create(kTimeline);
  testing::HeaderRecording recording{*controller};

  Themed() {
    controller->setViewport(Rectangle(0, 0, 420, 40));
    recording.take();
  }
  HeaderCallLog take() { return recording.take(); }
  void draw() { controller->draw(Rectangle(0, 0, 420, 40)); }
  // Field by field; a preset's cell style selector is a new object each
  // time, so only its presence is compared.
  [[nodiscard]] bool hasPreset(const Theme& theme, Mode mode) const {
    const GanttChartHeaderBaseStyle preset(theme, mode);
    std::vector<std::string> differing = differingFields(controller->defaultStyle(), preset);
    std::erase(differing, "cellStyleSelector");
    return differing.empty() &&
           !controller->defaultStyle().cellStyleSelector == !preset.cellStyleSelector;
  }
};

std::string styleChange(const std::string& to, const std::string& from) {
  return "style.defaultStyleDidChange(" + to + " from " + from + ")";
}

std::string backgroundOf(const Theme& theme, Mode mode) {
  std::ostringstream out;
  out << *GanttChartHeaderBaseStyle(theme, mode).backgroundColor;
  return out.str();
}

TEST(HeaderThemes, TheFirstPassBuildsTheStandardStyleOnce) {
  Themed t;
  EXPECT_TRUE(t.hasPreset(Theme::generic(), Mode::light));  // the settings' own default
  t.draw();
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::light));
  const HeaderCallLog log = t.take();
  EXPECT_EQ(log.front(), "observer.highlightedScheduleAreasDidChange");
  EXPECT_EQ(log[1], "observer.cellsDidChange");
  EXPECT_EQ(log[2], styleChange(backgroundOf(Theme::standard(), Mode::light), "none"));
  EXPECT_EQ(log.size(), 3u);
  t.draw();
  EXPECT_TRUE(t.take().empty());
}

TEST(HeaderThemes, AStyleSetByHandSurvivesPassesUntilTheThemeIsAssigned) {
  Themed t;
  t.controller->setDefaultStyle(brandStyle(Color::yellow()));
  t.draw();
  t.controller->setModeProvider(std::make_shared<SwitchableMode>(Mode::dark));
  t.draw();
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::yellow());
  EXPECT_EQ(t.controller->actualStyle().backgroundColor, Color::yellow());
  t.take();

  t.controller->setTheme(Theme::jewel());
  EXPECT_TRUE(t.hasPreset(Theme::jewel(), Mode::dark));
  EXPECT_EQ(t.take().back(),
            styleChange(backgroundOf(Theme::jewel(), Mode::dark), "Color(1, 1, 0, 1)"));
}

TEST(HeaderThemes, ModeAndModeProviderDecideTheMode) {
  Themed t;
  auto provider = std::make_shared<SwitchableMode>(Mode::dark);
  EXPECT_EQ(t.controller->actualMode(), Mode::light);
  t.controller->setModeProvider(provider);  // applies at once
  EXPECT_EQ(t.controller->actualMode(), Mode::dark);
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::dark));

  provider->current = Mode::light;  // followed at the next pass
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::dark));
  t.draw();
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::light));

  t.controller->setMode(Mode::dark);  // the controller's own mode wins
  provider->current = Mode::light;
  t.draw();
  EXPECT_EQ(t.controller->actualMode(), Mode::dark);
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::dark));
}

TEST(HeaderThemes, AssigningThemeOrModeAppliesEvenWhenNothingChanged) {
  Themed t;
  t.draw();
  t.take();
  t.controller->setTheme(Theme::standard());
  t.controller->setMode(std::nullopt);
  const std::string same = backgroundOf(Theme::standard(), Mode::light);
  EXPECT_EQ(t.take(),
            (HeaderCallLog{"observer.highlightedScheduleAreasDidChange", "observer.cellsDidChange",
                           styleChange(same, same), "observer.highlightedScheduleAreasDidChange",
                           "observer.cellsDidChange", styleChange(same, same)}));
}

TEST(HeaderThemes, CustomThemesUseTheStyleOfTheModeThenTheOneForAllModes) {
  Themed t;
  t.controller->setStyleForTheme("Brand", std::nullopt, brandStyle(Color::blueColor()));
  t.controller->setStyleForTheme("Brand", Mode::dark, brandStyle(Color::redColor()));
  EXPECT_EQ(t.controller->styleForTheme("Brand", Mode::dark)->backgroundColor, Color::redColor());
  EXPECT_FALSE(t.controller->styleForTheme("Brand", Mode::light));
  EXPECT_FALSE(t.controller->styleForTheme("brand", std::nullopt));

  t.controller->setTheme(Theme::custom("Brand"));
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::blueColor());
  t.controller->setMode(Mode::dark);
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::redColor());
  // Registering again re-applies at once; removing falls back to all modes.
  t.controller->setStyleForTheme("Brand", Mode::dark, brandStyle(Color::greenColor()));
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::greenColor());
  t.controller->setStyleForTheme("Brand", Mode::dark, std::nullopt);
  EXPECT_FALSE(t.controller->styleForTheme("Brand", Mode::dark));
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::blueColor());
}

TEST(HeaderThemes, AnUnregisteredCustomThemeKeepsTheStyleInForce) {
  Themed t;
  t.draw();
  t.take();
  t.controller->setTheme(Theme::custom("Unknown"));
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::light));
  EXPECT_TRUE(t.take().empty());
  t.draw();
  EXPECT_TRUE(t.hasPreset(Theme::standard(), Mode::light));
  // Registered later, the style is taken at once.
  t.controller->setStyleForTheme("Unknown", std::nullopt, brandStyle(Color::cyan()));
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::cyan());
}

TEST(HeaderThemes, AStyleProviderAdjustsTheThemesStyle) {
  Themed t;
  auto provider = std::make_shared<TintingStyleProvider>();
  t.controller->setStyleProvider(provider);
  t.controller->setTheme(Theme::aqua());
  ASSERT_EQ(provider->asked.size(), 1u);
  EXPECT_EQ(provider->asked[0].borderColor,
            GanttChartHeaderBaseStyle(Theme::aqua(), Mode::light).borderColor);
  EXPECT_EQ(provider->asked[0].theme, Theme::aqua());
  EXPECT_EQ(provider->asked[0].mode, Mode::light);
  EXPECT_EQ(t.controller->defaultStyle().backgroundColor, Color::magenta());
  // The provider's answer is a theme's style, not one set by hand.
  t.draw();
  EXPECT_EQ(provider->asked.size(), 1u);
}

TEST(HeaderThemes, OverridesApplyOntoTheDefaultStyle) {
  Themed t;
  GanttChartHeaderStyle overrides;
  overrides.labelForegroundColor = Color::redColor();
  t.controller->setStyle(overrides);
  t.controller->setTheme(Theme::aqua());
  EXPECT_EQ(t.controller->actualStyle().labelForegroundColor, Color::redColor());
  EXPECT_EQ(t.controller->actualStyle().borderColor,
            GanttChartHeaderBaseStyle(Theme::aqua(), Mode::light).borderColor);
  EXPECT_EQ(t.controller->style().labelForegroundColor, Color::redColor());
}

}  // namespace
}  // namespace vorlent
