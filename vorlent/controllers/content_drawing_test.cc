#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_geometry.h"
#include "vorlent/controllers/content_drawing_testing.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::at;
using testing::kChartWeek;
using testing::link;
using testing::makeItem;
using testing::named;
using testing::PresenterCall;
using testing::RecordingContentPresenter;
using testing::TestableContentController;

// A week (420 points, 60 per day) on 7 rows of 25 points, all in view,
// drawn with the plain default style assigned by hand.
struct Drawing {
  std::shared_ptr<TestableContentController> controller;
  std::shared_ptr<RecordingContentPresenter> presenter;

  Drawing(std::vector<GanttChartItemPtr> items,
                   std::vector<GanttChartDependencyPtr> dependencies = {})
      : controller(TestableContentController::create(std::move(items), std::move(dependencies))),
        presenter(std::make_shared<RecordingContentPresenter>(controller)) {
    controller->setScrollableTimeline(TimeRange(at(kSunday), Time(kChartWeek + 1, kSunday, 0)));
    controller->setViewport(Rectangle(0, 0, 420, 175));
    controller->setDefaultStyle(GanttChartContentBaseStyle());
    controller->setPresenter(presenter);
  }

  void changeSettings(const std::function<void(GanttChartContentSettings&)>& change) {
    GanttChartContentSettings settings = controller->settings();
    change(settings);
    controller->setSettings(settings);
    controller->settingsDidChange();
  }
  void changeStyle(const std::function<void(GanttChartContentBaseStyle&)>& change) {
    GanttChartContentBaseStyle style = controller->defaultStyle();
    change(style);
    controller->setDefaultStyle(style);
    controller->settingsDidChange();
  }

  std::vector<std::string> draw(const Rectangle& rectangle) {
    presenter->calls.clear();
    controller->draw(rectangle);
    return presenter->briefs();
  }
  std::vector<std::string> callsNamed(const Rectangle& rectangle, const std::string& name) {
    draw(rectangle);
    std::vector<std::string> result;
    for (const PresenterCall& call : presenter->callsNamed(name)) result.push_back(call.brief());
    return result;
  }
};

// Every kind of element at once: each route of the elbow router, a
// milestone, a summary, a completion bar, an attachment, schedule and
// interval areas with the current moment (Tuesday 10:30), the link thumb,
// the temporary line and the temporary bar, a highlighted, a focused and a
// selected element.
struct Fixture {
  ScopedClock tuesdayMorning{makeDate(at(kTuesday, 10.5))};
  GanttChartItemPtr a = makeItem("A", 0, at(kMonday), at(kTuesday));         // x 60...120
  GanttChartItemPtr b = makeItem("B", 0, at(kThursday), at(kFriday));        // x 240...300
  GanttChartItemPtr c = makeItem("C", 1, at(kWednesday), at(kThursday));     // x 180...240
  GanttChartItemPtr d = makeItem("D", 2, at(kMonday), at(kTuesday));         // x 60...120
  GanttChartItemPtr e = makeItem("E", 3, at(kTuesday, 1.2), at(kWednesday, 1.2));  // x 123...183
  GanttChartItemPtr f = makeItem("F", 4, at(kSunday, 12), at(kMonday));      // x 30...60
  GanttChartItemPtr s = makeItem("S", 4, at(kThursday), at(kSaturday), GanttChartItemType::summary);
  GanttChartItemPtr m =
      makeItem("M", 5, at(kWednesday, 12), at(kWednesday, 12), GanttChartItemType::milestone);
  GanttChartItemPtr g = makeItem("G", 2, at(kTuesday, 4), at(kWednesday));  // x 130...180
  std::optional<Drawing> drawing;

  Fixture() {
    a->setCompletion(0.5);
    a->setAttachment("a");
    GanttChartItemSettings highlighted = a->settings();
    highlighted.isHighlighted = true;
    a->setSettings(highlighted);
    s->setCompletion(0.25);
    s->setIsExpanded(false);
    s->setZIndex(-1);
    using enum GanttChartDependencyType;
    drawing.emplace(std::vector{a, b, c, d, e, f, s, m, g},
                    std::vector{link("straight", a, b, fromFinishToStart),
                                link("down", a, c, fromFinishToStart),
                                link("vertical", d, e, fromFinishToStart),
                                link("back", e, f, fromFinishToStart),
                                link("ss", a, b, fromStartToStart),
                                link("ff", c, m, fromFinishToFinish),
                                link("sf", m, s, fromStartToFinish),
                                link("hop", d, g, fromFinishToStart),
                                link("self", f, f, fromFinishToStart)});
    TestableContentController& controller = *drawing->controller;
    drawing->changeStyle([](GanttChartContentBaseStyle& style) {
      style.backgroundColor = Color(0.9, 0.9, 0.9, 1);
      style.borders = {Border{BorderPosition::bottom, std::nullopt, std::nullopt}};
    });
    controller.setScheduleHighlighters(
        {named(ScheduleTimeSelector(ScheduleTimeType::weekends), "weekend")});
    TimeSelector friday(std::make_shared<TimeIntervalSource>([](const TimeRange&) {
                          return std::vector{TimeRange(at(kFriday), at(kSaturday))};
                        }),
                        std::make_shared<TimeLabelSource>([](const TimeRange&) {
                          return std::optional<std::string>("Fri");
                        }));
    friday.style = TimeAreaStyle(Color::greenColor(), std::nullopt, std::nullopt);
    friday.style->isBackgroundExtending = false;
    TimeSelector now(std::make_shared<MomentPeriodSelector>(std::nullopt, false));
    now.style = TimeAreaStyle(std::nullopt,
                              std::vector{Border{BorderPosition::left, Color::redColor(), 1.0}},
                              std::nullopt);
    controller.setIntervalHighlighters({named(friday, "friday"), named(now, "now")});
    controller.focused = GanttChartElement::bar(c, GanttChartBarElementAction::move, true);
    const std::vector<GanttChartDependencyLine> lines = controller.visibleDependencyLines();
    controller.selected = GanttChartElement::dependencyLine(lines.at(1).dependency, true);
    controller.thumb = GanttChartDependencyLineThumbArea{
        a, GanttChartDependencyEndType::finish, Rectangle(120, 8.5, 12, 8), Point{120, 12.5}, 4};
    controller.temporaryLine = GanttChartTemporaryDependencyLine{
        a, GanttChartDependencyEndType::finish, nullptr, GanttChartDependencyEndType::start,
        std::vector<Point>{{120, 12.5}, {150, 40}}};
    controller.temporaryBarValue = GanttChartTemporaryBar{Rectangle(300, 153, 4, 19)};
  }
};

std::vector<std::string> barCalls(const std::string& name, const std::string& bounds,
                                  const std::string& shape, std::vector<std::string> rest) {
  std::vector<std::string> calls{"bar " + name + " " + bounds, shape + " " + name + " " + bounds};
  for (std::string& call : rest) calls.push_back(std::move(call));
  return calls;
}

TEST(ContentDrawing, DrawsTheFixtureBackToFront) {
  Fixture fixture;
  const std::vector<std::string> calls = fixture.drawing->draw(Rectangle(0, 0, 420, 175));
  std::vector<std::string> expected = {
      // A style assigned by hand starts from white, then its own colour.
      "background 420 x 175",
      "background 420 x 175",
      "border [(0, 0) 420 x 175] (0, 175)-(420, 175)",
      // Seven rows: six with data and the extra one. Counted from the last,
      // the even rows alternate.
      "rowBackground 0 [(0, 0) 420 x 25]",
      "rowBackground 2 [(0, 50) 420 x 25]",
      "rowBackground 4 [(0, 100) 420 x 25]",
      "rowBackground 6 [(0, 150) 420 x 25]",
      // Reaching down without end, cut 420 points (a viewport) below.
      "drawScheduleArea weekend [(0, 0) 60 x 595]",
      "drawScheduleArea weekend [(360, 0) 60 x 595]",
      // Friday's own background, the chart style's extending borders, the
      // label inset.
      "drawIntervalArea friday [(300, 0) 60 x 175]",
      "drawIntervalAreaBorder friday [(300, 0) 60 x 595] (300, 0)-(300, 595)",
      "drawIntervalAreaBorder friday [(300, 0) 60 x 595] (360, 0)-(360, 595)",
      "drawIntervalAreaLabel friday [(302.5, 1) 55 x 173]",
      "drawIntervalAreaBorder now [(146.25, 0) 0 x 595] (146.25, 0)-(146.25, 595)",
      // Lines in the manager's order; "self" has nothing to draw.
      "line straight",
      "drawDependencyLine straight (120, 12.5) (240, 12.5)",
      "line down",
      "drawDependencyLine down (120, 12.5) (128, 12.5) (128, 37.5) (180, 37.5)",
      "line vertical",
      "drawDependencyLine vertical (120, 62.5) (128, 62.5) (128, 78)",
      "line back",
      "drawDependencyLine back (183, 87.5) (191, 87.5) (191, 100) (22, 100) (22, 112.5) "
      "(30, 112.5)",
      "line ss",
      "drawDependencyLine ss (60, 12.5) (52, 12.5) (52, 25) (232, 25) (232, 12.5) (240, 12.5)",
      "line ff",
      "drawDependencyLine ff (240, 37.5) (248, 37.5) (248, 137.5) (219.5, 137.5)",
      "line sf",
      "drawDependencyLine sf (200.5, 137.5) (192.5, 137.5) (192.5, 125) (368, 125) (368, 112.5) "
      "(360, 112.5)",
      "line hop",
      "drawDependencyLine hop (120, 62.5) (125, 62.5) (125, 62.5) (130, 62.5)",
      "drawTemporaryDependencyLine A none fromFinishToStart (120, 12.5) (150, 40)",
  };
  auto append = [&](const std::vector<std::string>& lines) {
    expected.insert(expected.end(), lines.begin(), lines.end());
  };
  // The summary first (its z-index is lowest), then the manager's order.
  append(barCalls("S", "[(240, 103) 120 x 19]", "drawSummaryBar",
                  {"drawCompletionBar S [(241, 104) 28 x 15]",
                   "drawBarLabel S [(242.5, 105) 115 x 13]"}));
  append(barCalls("A", "[(60, 3) 60 x 19]", "drawBar",
                  {"drawCompletionBar A [(61, 4) 28 x 17]", "drawBarLabel A [(62.5, 5) 55 x 15]",
                   "drawAttachmentLabel A [(122.5, 5) 75 x 15]"}));
  append(barCalls("B", "[(240, 3) 60 x 19]", "drawBar",
                  {"drawCompletionBar B [(240, 4) 0 x 17]",
                   "drawBarLabel B [(242.5, 5) 55 x 15]"}));
  append(barCalls("C", "[(180, 28) 60 x 19]", "drawBar",
                  {"drawCompletionBar C [(180, 29) 0 x 17]",
                   "drawBarLabel C [(182.5, 30) 55 x 15]"}));
  append(barCalls("D", "[(60, 53) 60 x 19]", "drawBar",
                  {"drawCompletionBar D [(60, 54) 0 x 17]",
                   "drawBarLabel D [(62.5, 55) 55 x 15]"}));
  append(barCalls("E", "[(123, 78) 60 x 19]", "drawBar",
                  {"drawCompletionBar E [(123, 79) 0 x 17]",
                   "drawBarLabel E [(125.5, 80) 55 x 15]"}));
  append(barCalls("F", "[(30, 103) 30 x 19]", "drawBar",
                  {"drawCompletionBar F [(30, 104) 0 x 17]",
                   "drawBarLabel F [(32.5, 105) 25 x 15]"}));
  // A milestone: no completion bar, the wider label inset.
  append(barCalls("M", "[(200.5, 128) 19 x 19]", "drawMilestone",
                  {"drawBarLabel M [(205.5, 130) 9 x 15]"}));
  append(barCalls("G", "[(130, 53) 50 x 19]", "drawBar",
                  {"drawCompletionBar G [(130, 54) 0 x 17]",
                   "drawBarLabel G [(132.5, 55) 45 x 15]"}));
  append({"drawDependencyLineThumb A finish (120, 12.5)", "drawTemporaryBar [(300, 153) 4 x 19]"});
  EXPECT_THAT(calls, ::testing::ElementsAreArray(expected));
}

TEST(ContentDrawing, PassesTheResolvedStatesOfEachElement) {
  Fixture fixture;
  fixture.drawing->draw(Rectangle(0, 0, 420, 175));
  const RecordingContentPresenter& presenter = *fixture.drawing->presenter;
  auto styleOf = [&](const std::string& name, const std::string& subject) {
    for (const PresenterCall& call : presenter.calls) {
      if (call.name == name && call.subject == subject) return call.style;
    }
    return std::string("not drawn");
  };
  const std::string fill = "Color(0.333333, 0.666667, 1, 0.875)";
  // Highlighted by its settings; focused; neither. Focus, highlight and
  // selection colours fall back on the bar's fill.
  EXPECT_EQ(styleOf("drawBar", "A"), fill + " " + fill + " no-stroke 0.5 2 H " + fill + " " +
                                         fill + " " + fill + " 0.8 1 3 allows:mrsv 0.5");
  EXPECT_THAT(styleOf("drawBar", "C"), ::testing::HasSubstr(" F "));
  EXPECT_THAT(styleOf("drawBar", "B"), ::testing::HasSubstr(" - "));
  EXPECT_THAT(styleOf("drawSummaryBar", "S"),
              ::testing::StartsWith("Color(0, 0, 0, 1) Color(0, 0, 0, 1) no-stroke 0.5 2 1 "
                                    "collapsed -"));
  EXPECT_THAT(styleOf("drawMilestone", "M"), ::testing::StartsWith("Color(0, 0, 1, 1)"));
  EXPECT_THAT(styleOf("drawMilestone", "M"), ::testing::HasSubstr("allows:mv"));
  // The selected line.
  EXPECT_EQ(styleOf("drawDependencyLine", "down"), fill + " 0.8 3 4 S 0.2 0.5 0.8");
  EXPECT_EQ(styleOf("drawDependencyLine", "straight"), fill + " 0.8 3 4 - 0.2 0.5 0.8");
  // Without a target the temporary line takes the invalid colour.
  EXPECT_EQ(styleOf("drawTemporaryDependencyLine", "A none fromFinishToStart"),
            "Color(0.5, 0.5, 0.5, 1) 0.8 3 4 2");
  EXPECT_EQ(styleOf("drawDependencyLineThumb", "A finish"), "4 Color(0.5, 0.5, 0.5, 1)");
  EXPECT_EQ(styleOf("drawTemporaryBar", ""), fill + " 2 2");
  EXPECT_EQ(styleOf("drawIntervalAreaLabel", "friday"),
            "Fri Color(0.5, 0.5, 0.5, 1) left Font(system, system size) top");
  EXPECT_EQ(styleOf("drawIntervalAreaBorder", "now"), "1 Color(1, 0, 0, 1)");
}

TEST(ContentDrawing, InteractionFeedbackFallsBackOnThePlainColours) {
  Fixture fixture;
  Drawing& drawing = *fixture.drawing;
  drawing.controller->temporaryLine->to = fixture.b;
  drawing.changeStyle([](GanttChartContentBaseStyle& style) {
    style.dependencyLineThumbColor = std::nullopt;
    style.temporaryInvalidDependencyLineColor = std::nullopt;
    style.dependencyLineColor = Color::redColor();
    style.temporaryBarColor = Color::greenColor();
  });
  drawing.draw(Rectangle(0, 0, 420, 175));
  const auto feedback = [&](const std::string& name) {
    return drawing.presenter->callsNamed(name).at(0).style;
  };
  EXPECT_EQ(feedback("drawTemporaryDependencyLine"), "Color(1, 0, 0, 1) 0.8 3 4 2");
  EXPECT_EQ(feedback("drawDependencyLineThumb"), "4 Color(1, 0, 0, 1)");
  EXPECT_EQ(feedback("drawTemporaryBar"), "Color(0, 1, 0, 1) 2 2");
}

TEST(ContentDrawing, OnlyRectanglesBesideOrAboveTheViewportAreSkipped) {
  Drawing drawing({makeItem("A", 0, at(kMonday), at(kTuesday))});
  drawing.controller->setViewport(Rectangle(60, 50, 120, 50));
  EXPECT_THAT(drawing.draw(Rectangle(0, 50, 59, 50)), IsEmpty());
  EXPECT_THAT(drawing.draw(Rectangle(181, 50, 59, 50)), IsEmpty());
  EXPECT_THAT(drawing.draw(Rectangle(60, 0, 120, 49)), IsEmpty());
  // Touching counts; below the viewport is drawn.
  EXPECT_THAT(drawing.draw(Rectangle(0, 50, 60, 50)), ::testing::Not(IsEmpty()));
  EXPECT_THAT(drawing.draw(Rectangle(60, 500, 120, 50)), ::testing::Not(IsEmpty()));
}

TEST(ContentDrawing, RowsBelowTheLastDataRowKeepAlternating) {
  Drawing drawing({makeItem("A", 0, at(kMonday), at(kTuesday)),
                   makeItem("B", 1, at(kMonday), at(kTuesday))});
  // Three rows (two with data, the extra one): counted from the last, the
  // even rows alternate, below the diagram too.
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "rowBackground"),
              ElementsAre("rowBackground 0 [(0, 0) 420 x 25]", "rowBackground 2 [(0, 50) 420 x 25]",
                          "rowBackground 4 [(0, 100) 420 x 25]",
                          "rowBackground 6 [(0, 150) 420 x 25]"));
  // Counted from the first: the odd rows. A rectangle ending on a row
  // boundary leaves out the row below it.
  drawing.changeSettings([](GanttChartContentSettings& s) { s.alternativeRowsOnCount = false; });
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 40, 420, 60), "rowBackground"),
              ElementsAre("rowBackground 1 [(0, 25) 420 x 25]",
                          "rowBackground 3 [(0, 75) 420 x 25]"));
}

TEST(ContentDrawing, ARowStyleFromTheSelectorIsTakenWhole) {
  Drawing drawing({makeItem("A", 0, at(kMonday), at(kTuesday))});
  drawing.changeStyle([](GanttChartContentBaseStyle& style) {
    style.rowStyle.borders = std::vector{Border{BorderPosition::bottom, std::nullopt, 0.5}};
    style.rowStyleSelector = std::make_shared<GanttChartRowStyleSource>(
        [](int64_t row) -> std::optional<GanttChartRowStyle> {
          if (row != 3) return std::nullopt;
          return GanttChartRowStyle();  // neither background nor borders
        });
  });
  // Two rows: the odd rows alternate, but row 3 has the selector's style.
  EXPECT_THAT(drawing.draw(Rectangle(0, 25, 420, 75)),
              ElementsAre("background 420 x 50", "rowBackground 1 [(0, 25) 420 x 25]",
                          "rowBorder 1 [(0, 25) 420 x 25] (0, 50)-(420, 50)",
                          "rowBorder 2 [(0, 50) 420 x 25] (0, 75)-(420, 75)"));
}

TEST(ContentDrawing, DarkModeStartsFromNearBlackUnderAHandAssignedStyle) {
  Drawing drawing({});
  drawing.controller->setMode(Mode::dark);
  drawing.controller->setDefaultStyle(GanttChartContentBaseStyle());
  drawing.draw(Rectangle(0, 0, 420, 175));
  EXPECT_EQ(drawing.presenter->calls.at(0).style, "Color(0.125, 0.125, 0.125, 1)");
  // A theme's style is not drawn over a plain colour first.
  drawing.controller->setTheme(Theme::standard());
  drawing.draw(Rectangle(0, 0, 420, 175));
  EXPECT_EQ(drawing.presenter->callsNamed("background").size(),
            drawing.controller->actualStyle().backgroundColor ? 1U : 0U);
}

TEST(ContentDrawing, CompletionBarsOnlyWhereTheItemHasTimeToComplete) {
  const auto summary =
      makeItem("S", 0, at(kMonday), at(kWednesday), GanttChartItemType::summary);
  const auto instant = makeItem("I", 1, at(kMonday), at(kMonday));
  const auto task = makeItem("T", 2, at(kMonday), at(kTuesday));
  Drawing drawing({summary, instant, task});
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawCompletionBar"),
              ElementsAre("drawCompletionBar S [(60, 4) 0 x 15]",
                          "drawCompletionBar T [(60, 54) 0 x 17]"));
  drawing.changeSettings(
      [](GanttChartContentSettings& s) { s.showsCompletionBarsForSummaryItems = false; });
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawCompletionBar"),
              ElementsAre("drawCompletionBar T [(60, 54) 0 x 17]"));
  drawing.changeSettings([](GanttChartContentSettings& s) { s.showsCompletionBars = false; });
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawCompletionBar"), IsEmpty());
}

TEST(ContentDrawing, ACompletionBarInARowTooLowStaysOnItsBar) {
  const auto summary =
      makeItem("S", 3, at(kMonday), at(kWednesday), GanttChartItemType::summary);
  summary->setCompletion(0.5);
  Drawing drawing({summary});
  drawing.controller->setRowHeight(4);
  const std::vector<PresenterCall> completions =
      (drawing.draw(Rectangle(0, 0, 420, 175)), drawing.presenter->callsNamed("drawCompletionBar"));
  ASSERT_EQ(completions.size(), 1U);
  // The bar is [(60, 15) 120 x 0.25]; the completed part has no height of
  // its own and keeps the least visible height around the bar's top.
  EXPECT_EQ(completions[0].geometry, "[(61, 14.75) 58 x 0.5]");
}

TEST(ContentDrawing, LabelsAndAttachmentsNeedRoomBeyondTheirInsets) {
  const auto narrow = makeItem("narrow", 0, at(kMonday), at(kMonday, 2));  // 5 points
  narrow->setAttachment("note");
  const auto wide = makeItem("wide", 1, at(kMonday), at(kTuesday));
  wide->setAttachment("note");
  Drawing drawing({narrow, wide});
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawBarLabel"),
              ElementsAre("drawBarLabel wide [(62.5, 30) 55 x 15]"));
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawAttachmentLabel"),
              ElementsAre("drawAttachmentLabel narrow [(67.5, 5) 75 x 15]",
                          "drawAttachmentLabel wide [(122.5, 30) 75 x 15]"));
  drawing.controller->setAttachmentLabelWidth(5);
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawAttachmentLabel"), IsEmpty());
  drawing.controller->setAttachmentLabelWidth(80);
  drawing.controller->setShowsAttachments(false);
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawAttachmentLabel"), IsEmpty());
  drawing.changeSettings([](GanttChartContentSettings& s) { s.showsLabels = false; });
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawBarLabel"), IsEmpty());
}

TEST(ContentDrawing, ABarWhoseAttachmentAloneReachesIntoTheRectangleIsDrawn) {
  const auto task = makeItem("task", 0, at(kMonday), at(kTuesday));  // x 60...120
  task->setAttachment("note");
  Drawing drawing({task});
  EXPECT_THAT(drawing.callsNamed(Rectangle(150, 0, 100, 25), "bar"),
              ElementsAre("bar task [(60, 3) 60 x 19]"));
  EXPECT_THAT(drawing.callsNamed(Rectangle(201, 0, 100, 25), "bar"), IsEmpty());
}

TEST(ContentDrawing, TheCurrentMomentIsPlacedAfreshAtEachPass) {
  std::optional<ScopedClock> clock(std::in_place, makeDate(at(kTuesday, 10.5)));
  Drawing drawing({});
  drawing.controller->setIntervalHighlighters(
      {named(TimeSelector(std::make_shared<MomentPeriodSelector>(std::nullopt, false)), "now")});
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawIntervalAreaBorder"),
              ElementsAre("drawIntervalAreaBorder now [(146.25, 0) 0 x 595] "
                          "(146.25, 0)-(146.25, 595)",
                          "drawIntervalAreaBorder now [(146.25, 0) 0 x 595] "
                          "(146.25, 0)-(146.25, 595)"));
  clock.emplace(makeDate(at(kTuesday, 12)));
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawIntervalAreaBorder"),
              ElementsAre("drawIntervalAreaBorder now [(150, 0) 0 x 595] (150, 0)-(150, 595)",
                          "drawIntervalAreaBorder now [(150, 0) 0 x 595] (150, 0)-(150, 595)"));
}

TEST(ContentDrawing, WithoutTheCacheEveryPassStartsAfresh) {
  const auto task = makeItem("task", 0, at(kMonday), at(kTuesday));
  Drawing drawing({task});
  drawing.draw(Rectangle(0, 0, 420, 175));
  // Moved behind the controller's back.
  task->setTime(TimeRange(at(kWednesday), at(kThursday)));
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "bar"),
              ElementsAre("bar task [(60, 3) 60 x 19]"));
  drawing.changeSettings([](GanttChartContentSettings& s) { s.usesCache = false; });
  task->setTime(TimeRange(at(kThursday), at(kFriday)));
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "bar"),
              ElementsAre("bar task [(240, 3) 60 x 19]"));
}

// --- Tool tips and cursors -----------------------------------------------------------

TEST(ContentToolTips, AreTheDetailsOfTheElementAtThePointAsThePresenterGivesThem) {
  const auto task = makeItem("task", 0, at(kMonday), at(kTuesday));
  task->setDetails("task details");
  const auto other = makeItem("other", 0, at(kThursday), at(kFriday));
  const auto dependency = link("link", task, other, GanttChartDependencyType::fromFinishToStart);
  dependency->setDetails("link details");
  Drawing drawing({task, other}, {dependency});
  auto& controller = *drawing.controller;
  controller.elementAt = [&](const Point& point) {
    if (point.x < 100) return GanttChartElement::bar(task, GanttChartBarElementAction::move, true);
    if (point.x < 200) return GanttChartElement::dependencyLine(dependency, true);
    return GanttChartElement::emptyArea(GanttChartPosition{}, true, true);
  };
  EXPECT_EQ(controller.toolTip(Point{50, 0}), "task details");
  EXPECT_EQ(controller.toolTip(Point{150, 0}), "link details");
  EXPECT_EQ(controller.toolTip(Point{250, 0}), std::nullopt);
  EXPECT_EQ(controller.toolTip(task), "task details");
  EXPECT_EQ(controller.toolTip(GanttChartItemPtr()), std::nullopt);
  drawing.changeSettings([](GanttChartContentSettings& s) { s.showsToolTips = false; });
  EXPECT_EQ(controller.toolTip(Point{50, 0}), std::nullopt);
  drawing.changeSettings([](GanttChartContentSettings& s) { s.showsToolTips = true; });
  drawing.presenter.reset();
  EXPECT_EQ(controller.toolTip(Point{50, 0}), std::nullopt);
}

TEST(ContentCursors, FollowTheActionADragFromTheBarWouldTake) {
  const auto task = makeItem("task", 0, at(kMonday), at(kTuesday));
  const auto dependency = link("link", task, task, GanttChartDependencyType::fromFinishToStart);
  Drawing drawing({task});
  auto& controller = *drawing.controller;
  GanttChartBarElementAction action = GanttChartBarElementAction::none;
  controller.elementAt = [&](const Point& point) {
    if (point.x < 100) return GanttChartElement::bar(task, action, true);
    if (point.x < 200) return GanttChartElement::dependencyLine(dependency, true);
    return GanttChartElement::emptyArea(GanttChartPosition{}, true, true);
  };
  using enum GanttChartBarElementAction;
  const std::vector<std::pair<GanttChartBarElementAction, std::optional<Cursor>>> expected = {
      {none, std::nullopt},
      {move, Cursor::moveHorizontally},
      {resize, Cursor::resizeHorizontally},
      {resizeAtStart, Cursor::resizeHorizontally},
      {resizeCompletion, Cursor::resizeHorizontally},
      {createDependencyLine, Cursor::draw},
      {createDependencyLineFromStart, Cursor::draw},
      {moveVertically, Cursor::moveVertically}};
  for (const auto& [barAction, cursor] : expected) {
    action = barAction;
    EXPECT_EQ(controller.cursor(Point{50, 0}), cursor) << barAction;
  }
  EXPECT_EQ(controller.cursor(Point{150, 0}), std::nullopt);
  EXPECT_EQ(controller.cursor(Point{250, 0}), std::nullopt);
}

// --- Faults and bad input --------------------------------------------------------------

TEST(ContentDrawingFaults, ARectangleThatIsNotFiniteDrawsNothing) {
  Drawing drawing({makeItem("A", 0, at(kMonday), at(kTuesday))});
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  EXPECT_THAT(drawing.draw(Rectangle(0, 0, 420, kInfinity)), IsEmpty());
  EXPECT_THAT(drawing.draw(Rectangle(std::numeric_limits<double>::quiet_NaN(), 0, 420, 175)),
              IsEmpty());
  EXPECT_THAT(drawing.draw(Rectangle(-kInfinity, 0, kInfinity, 175)), IsEmpty());
}

TEST(ContentDrawingFaults, AHugeRectangleIsCutToTheDrawingBounds) {
  Drawing drawing({makeItem("A", 0, at(kMonday), at(kTuesday))});
  drawing.changeStyle([](GanttChartContentBaseStyle& style) {
    style.rowStyle.borders = std::vector{Border{BorderPosition::left, std::nullopt, std::nullopt}};
  });
  drawing.controller->setScheduleHighlighters({named(ScheduleTimeSelector(ScheduleTimeType::weekends), "weekend")});
  drawing.draw(Rectangle(-1e300, -1e300, 2e300, 2e300));
  // Rows 0 to 23: the diagram of two rows with the viewport of 175 points,
  // grown by one viewport (420 points) below.
  EXPECT_EQ(drawing.presenter->callsNamed("rowBorder").size(), 24U);
  for (const PresenterCall& call : drawing.presenter->calls) {
    EXPECT_THAT(call.geometry, ::testing::Not(::testing::HasSubstr("inf"))) << call.brief();
    EXPECT_THAT(call.geometry, ::testing::Not(::testing::HasSubstr("e+"))) << call.brief();
  }
  EXPECT_THAT(drawing.presenter->callsNamed("drawScheduleArea").at(0).geometry,
              "[(0, 0) 60 x 595]");
}

TEST(ContentDrawingFaults, ThinRowsAreDrawnOnlyUpToABound) {
  struct RowCounter : RecordingContentPresenter {
    using RecordingContentPresenter::RecordingContentPresenter;
    void drawBackground(int64_t, const Rectangle&, const Color&) override { ++rows; }
    int64_t rows = 0;
  };
  Drawing drawing({});
  auto counter = std::make_shared<RowCounter>(drawing.controller);
  drawing.controller->setPresenter(counter);
  // A pass over 175 points draws no more rows than it has points, however
  // many rows they hold (the first row starting in each).
  for (double height : {1e-9, 1e-300, 0.25}) {
    counter->rows = 0;
    drawing.controller->setRowHeight(height);
    drawing.controller->draw(Rectangle(0, 0, 420, 175));
    EXPECT_GT(counter->rows, 0) << height;
    EXPECT_LE(counter->rows, 176) << height;
  }
  drawing.controller->setRowHeight(0);
  counter->rows = 0;
  drawing.controller->draw(Rectangle(0, 0, 420, 175));
  EXPECT_EQ(counter->rows, 0);
}

TEST(ContentDrawingFaults, ABarReachingFarBeyondTheDiagramIsCut) {
  const auto years = makeItem("years", 0, at(kMonday), Time(kChartWeek + 104, kMonday, 0));
  Drawing drawing({years});
  // Cut a viewport's width (420 points) beyond the week-long diagram.
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "drawBar"),
              ElementsAre("drawBar years [(60, 3) 780 x 19]"));
  EXPECT_THAT(drawing.presenter->callsNamed("drawBarLabel").at(0).geometry,
              "[(62.5, 5) 777.5 x 15]");
}

TEST(ContentDrawingFaults, DegenerateLinesAreNotHandedOver) {
  const auto a = makeItem("A", 0, at(kMonday), at(kTuesday));
  Drawing drawing({a});
  const auto self = link("self", a, a, GanttChartDependencyType::fromFinishToStart);
  drawing.controller->draw(GanttChartDependencyLine{self, {Point{1, 1}}});
  drawing.controller->draw(GanttChartDependencyLine{self, {}});
  drawing.controller->draw(
      GanttChartDependencyLine{self, {Point{1, 1}, Point{std::numeric_limits<double>::infinity(), 1}}});
  drawing.controller->draw(GanttChartDependencyLine{nullptr, {Point{1, 1}, Point{2, 2}}});
  drawing.controller->draw(GanttChartBar{a, Rectangle(std::numeric_limits<double>::quiet_NaN(), 0, 1, 1)});
  EXPECT_THAT(drawing.presenter->calls, IsEmpty());
}

TEST(ContentDrawingFaults, ArrowHeadsPointAlongTheLastSegmentThatHasALength) {
  EXPECT_EQ(arrowHeadSegment(std::vector<Point>{{0, 0}, {10, 0}, {10, 0}}),
            Line(Point{0, 0}, Point{10, 0}));
  EXPECT_EQ(arrowHeadSegment(std::vector<Point>{{0, 0}, {0, 5}, {10, 5}}),
            Line(Point{0, 5}, Point{10, 5}));
  EXPECT_EQ(arrowHeadSegment(std::vector<Point>{{3, 3}, {3, 3}}), std::nullopt);
  EXPECT_EQ(arrowHeadSegment(std::vector<Point>{{3, 3}}), std::nullopt);
  EXPECT_EQ(arrowHeadSegment(std::vector<Point>{}), std::nullopt);
}

TEST(ContentDrawingFaults, WithoutAPresenterAPassDrawsNothingAndStillComputes) {
  const auto task = makeItem("task", 0, at(kMonday), at(kTuesday));
  Drawing drawing({task});
  drawing.presenter.reset();
  drawing.controller->draw(Rectangle(0, 0, 420, 175));
  EXPECT_EQ(drawing.controller->item(Point{70, 10}), task);
}

TEST(ContentDrawingFaults, APresenterMayChangeEverythingWhileItDraws) {
  Fixture fixture;
  Drawing& drawing = *fixture.drawing;
  int calls = 0;
  drawing.presenter->onCall = [&](const PresenterCall&) {
    ++calls;
    if (calls % 7 == 0) drawing.changeStyle([](GanttChartContentBaseStyle& style) {
      style.borders.push_back(Border{BorderPosition::top, std::nullopt, std::nullopt});
      style.timeAreaBorders.clear();
    });
    if (calls == 20) drawing.controller->setItemManager(std::make_shared<GanttChartItemSource>());
    if (calls == 30) drawing.controller->setIntervalHighlighters({});
  };
  drawing.controller->draw(Rectangle(0, 0, 420, 175));
  EXPECT_GT(calls, 30);
}

TEST(ContentDrawingFaults, APresenterMayChangeTheTextsItIsGiven) {
  // Drops the item's texts while drawing them, then reads what it was given.
  struct Renamer : RecordingContentPresenter {
    using RecordingContentPresenter::RecordingContentPresenter;
    void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                      const std::string& text, const Color& color, TextAlignment alignment,
                      const Font& font) override {
      item->setLabel(std::nullopt);
      texts.push_back(text);
      RecordingContentPresenter::drawBarLabel(item, rectangle, text, color, alignment, font);
    }
    void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                             const std::string& text, const Color& color,
                             const Font& font) override {
      item->setAttachment(std::nullopt);
      texts.push_back(text);
      RecordingContentPresenter::drawAttachmentLabel(item, rectangle, text, color, font);
    }
    std::vector<std::string> texts;
  };
  // Too long to be kept inside the string object itself.
  const std::string label(40, 'l');
  const std::string attachment(40, 'a');
  const auto task = makeItem(label, 0, at(kMonday), at(kTuesday));
  task->setAttachment(attachment);
  Drawing drawing({task});
  auto renamer = std::make_shared<Renamer>(drawing.controller);
  drawing.controller->setPresenter(renamer);
  drawing.controller->draw(Rectangle(0, 0, 420, 175));
  EXPECT_THAT(renamer->texts, ElementsAre(label, attachment));
}

TEST(ContentDrawingFaults, ItemsThatCannotBePlacedAreLeftOut) {
  const auto good = makeItem("good", 0, at(kMonday), at(kTuesday));
  const auto broken = makeItem("broken", 1, at(kMonday), at(kTuesday));
  broken->setStart(Time(kChartWeek, kMonday, std::numeric_limits<double>::quiet_NaN()));
  const auto reversed = makeItem("reversed", 2, at(kTuesday), at(kMonday));
  const auto far = makeItem("far", 1'000'000'000, at(kMonday), at(kTuesday));
  Drawing drawing({good, broken, reversed, far},
                  {link("to broken", good, broken, GanttChartDependencyType::fromFinishToStart)});
  EXPECT_THAT(drawing.callsNamed(Rectangle(0, 0, 420, 175), "bar"),
              ElementsAre("bar good [(60, 3) 60 x 19]", "bar reversed [(120, 53) 4 x 19]"));
  EXPECT_THAT(drawing.presenter->callsNamed("line"), IsEmpty());
}

}  // namespace
}  // namespace vorlent
