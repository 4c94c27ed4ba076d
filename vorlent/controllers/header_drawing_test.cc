#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_controller_testing.h"
#include "vorlent/intervals/time_interval_type.h"

namespace vorlent {
namespace {

using testing::RecordingHeaderPresenter;

constexpr int64_t kWeek = 1200;  // Sunday 31 December 2023 to 7 January 2024
const TimeRange kTimeline(Time(kWeek, kSunday, 0), Time(kWeek + 1, kSunday, 0));
const Locale kEnglish("en_US");

template <class T>
T named(T value, std::string name) {
  value.context = std::move(name);
  return value;
}

// Weeks over days, weekends highlighted, and a red line at the current
// moment in the days row; the plain default style set by hand. The viewport
// shows Sunday to Tuesday.
struct Fixture {
  std::shared_ptr<GanttChartHeaderController> controller =
      GanttChartHeaderController::create(kTimeline);
  std::shared_ptr<RecordingHeaderPresenter> presenter =
      std::make_shared<RecordingHeaderPresenter>();

  Fixture() {
    TimeAreaStyle nowStyle;
    nowStyle.backgroundColor = Color::redColor();
    nowStyle.isBackgroundExtending = true;
    nowStyle.borders = std::vector{Border{BorderPosition::left, Color::redColor(), 1.0}};
    nowStyle.areBordersExtending = true;
    TimeSelector now =
        named(TimeSelector(TimeIntervalType::time(), TimeLabelFormat::none()), "now");
    now.style = nowStyle;
    controller->setRows(
        {named(GanttChartHeaderRow(
                   named(TimeSelector(TimeIntervalType::weeks(), "d MMM", kEnglish), "weeks")),
               "top"),
         named(GanttChartHeaderRow(std::vector{
                   named(TimeSelector(TimeIntervalType::days(),
                                      TimeLabelFormat::dayOfWeekShortAbbreviation(), kEnglish),
                         "days"),
                   now}),
               "bottom")});
    controller->setScheduleHighlighters(
        {named(ScheduleTimeSelector(ScheduleTimeType::weekends), "weekend")});
    controller->setDefaultStyle(GanttChartHeaderBaseStyle());
    controller->setViewport(Rectangle(0, 0, 180, 40));
    controller->setPresenter(presenter);
  }
};

TEST(HeaderDrawing, DrawsTheFixtureAsRecorded) {
  ScopedClock tuesdayMorning(makeDate(Time(kWeek, kTuesday, 10.5 * 3600)));
  Fixture f;
  f.controller->draw(Rectangle(0, 0, 180, 40));
  const std::string grey = "Color(0.5, 0.5, 0.5, 1)";
  const std::string label = " " + grey + " left Font(system, system size) center";
  auto cellBorders = [&](const std::string& cell, const std::string& box, double left, double top,
                         double right, double bottom) {
    auto line = [&](double x1, double y1, double x2, double y2) {
      std::ostringstream out;
      out << "cellBorder " << cell << " " << box << " " << Line(x1, y1, x2, y2) << " 0.25 " << grey;
      return out.str();
    };
    return std::vector<std::string>{line(left, top, left, bottom), line(right, top, right, bottom),
                                    line(left, top, right, top), line(left, bottom, right, bottom)};
  };
  std::vector<std::string> expected = {
      // A style set by hand starts from white; the header's own borders.
      "background Color(1, 1, 1, 1) 420 x 40",
      "border [(0, 0) 420 x 40] (0, 0)-(420, 0) 0.5 " + grey,
      "border [(0, 0) 420 x 40] (0, 40)-(420, 40) 0.5 " + grey,
      // Sunday; Saturday lies outside the rectangle.
      "area weekend [(0, 0) 60 x 40] Color(0.75, 0.75, 0.75, 0.125)",
  };
  auto append = [&](const std::vector<std::string>& lines) {
    expected.insert(expected.end(), lines.begin(), lines.end());
  };
  append(cellBorders("weeks/top", "[(0, 0) 420 x 20]", 0, 0, 420, 20));
  append({"label weeks/top [(2.5, 1) 415 x 18] \"31 Dec\"" + label});
  append(cellBorders("days/bottom", "[(0, 20) 60 x 20]", 0, 20, 60, 40));
  append({"label days/bottom [(2.5, 21) 55 x 18] \"S\"" + label});
  append(cellBorders("days/bottom", "[(60, 20) 60 x 20]", 60, 20, 120, 40));
  append({"label days/bottom [(62.5, 21) 55 x 18] \"M\"" + label});
  append(cellBorders("days/bottom", "[(120, 20) 60 x 20]", 120, 20, 180, 40));
  append({"label days/bottom [(122.5, 21) 55 x 18] \"T\"" + label});
  // The current moment, Tuesday 10:30: its background and border extend
  // from the top of the header down to its bottom, and it has no label.
  append(
      {"cell now/bottom [(146.25, 0) 0 x 40] Color(1, 0, 0, 1)",
       "cellBorder now/bottom [(146.25, 0) 0 x 40] (146.25, 0)-(146.25, 40) 1 Color(1, 0, 0, 1)"});
  EXPECT_EQ(f.presenter->calls, expected);
}

TEST(HeaderDrawing, TheCurrentMomentFollowsTheClockFromPassToPass) {
  std::optional<ScopedClock> clock(std::in_place, makeDate(Time(kWeek, kTuesday, 10.5 * 3600)));
  Fixture f;
  auto nowCells = [&] {
    std::vector<std::string> cells;
    for (const std::string& call : f.presenter->calls) {
      if (call.starts_with("cell now")) cells.push_back(call);
    }
    f.presenter->calls.clear();
    return cells;
  };
  f.controller->draw(Rectangle(0, 0, 180, 40));
  EXPECT_EQ(nowCells(),
            std::vector<std::string>{"cell now/bottom [(146.25, 0) 0 x 40] Color(1, 0, 0, 1)"});
  clock.reset();
  clock.emplace(makeDate(Time(kWeek, kTuesday, 11.5 * 3600)));
  f.controller->draw(Rectangle(0, 0, 180, 40));
  EXPECT_EQ(nowCells(),
            std::vector<std::string>{"cell now/bottom [(148.75, 0) 0 x 40] Color(1, 0, 0, 1)"});
}

TEST(HeaderDrawing, OnlyARectangleThatMeetsTheViewportDraws) {
  Fixture f;
  f.controller->draw(Rectangle(181, 0, 50, 40));
  f.controller->draw(Rectangle(0, 40.5, 50, 10));
  f.controller->draw(Rectangle(std::nan(""), 0, 50, 10));
  EXPECT_TRUE(f.presenter->calls.empty());
  f.controller->draw(Rectangle(180, 0, 50, 40));  // touching the right edge
  EXPECT_FALSE(f.presenter->calls.empty());
}

TEST(HeaderDrawing, BackgroundOfAHandSetStyleInDarkModeIsNearBlackThenTheStyles) {
  Fixture f;
  f.controller->setMode(Mode::dark);  // records dark
  GanttChartHeaderBaseStyle style;
  style.backgroundColor = Color::blueColor();
  style.borders = {};
  f.controller->setDefaultStyle(style);
  f.controller->setScheduleHighlighters({});
  f.controller->setRows({});
  f.controller->draw(Rectangle(0, 0, 180, 40));
  EXPECT_EQ(f.presenter->calls,
            (std::vector<std::string>{"background Color(0.125, 0.125, 0.125, 1) 420 x 0",
                                      "background Color(0, 0, 1, 1) 420 x 0"}));
}

TEST(HeaderDrawing, AnUnboundedHeaderStillGetsItsBackgroundCutNearTheViewport) {
  Fixture f;
  GanttChartHeaderBaseStyle style;
  style.backgroundColor = Color::blueColor();
  style.borders = {Border{BorderPosition::bottom, std::nullopt, std::nullopt}};
  f.controller->setDefaultStyle(style);
  f.controller->setScheduleHighlighters({});
  f.controller->setRows({});
  f.controller->setHourWidth(1e307);  // a week is wider than a double holds
  ASSERT_FALSE(std::isfinite(f.controller->totalDiagramHeaderSize().width));
  f.controller->draw(f.controller->viewport());
  // The hand-set style first gets the plain grey, then its own colour, then
  // its border; each background as wide as the pass can paint, no wider.
  ASSERT_EQ(f.presenter->calls.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    const std::string& call = f.presenter->calls[i];
    ASSERT_EQ(call.rfind("background", 0), 0u) << call;
    std::istringstream size(call.substr(call.rfind(')') + 1));
    double width = 0;
    std::string by;
    size >> width >> by;
    EXPECT_TRUE(std::isfinite(width)) << call;
    EXPECT_GE(width, f.controller->viewport().right()) << call;
  }
  EXPECT_EQ(f.presenter->calls[2].rfind("border", 0), 0u) << f.presenter->calls[2];
}

TEST(HeaderDrawing, ATooNarrowCellKeepsBordersAndBackgroundButNoLabel) {
  Fixture f;
  TimeSelector days(TimeIntervalType::days(), TimeLabelFormat::dayOfWeekShortAbbreviation(),
                    kEnglish);
  days.style = TimeAreaStyle(Color::greenColor(), std::nullopt, std::nullopt);
  f.controller->setRows({GanttChartHeaderRow(days)});
  f.controller->setScheduleHighlighters({});
  f.controller->setHourWidth(5.0 / 24);  // days exactly twice the label inset wide
  f.controller->draw(Rectangle(0, 0, 180, 40));
  int cells = 0, borders = 0, labels = 0;
  for (const std::string& call : f.presenter->calls) {
    cells += call.starts_with("cell ");
    borders += call.starts_with("cellBorder ");
    labels += call.starts_with("label ");
  }
  EXPECT_EQ(cells, 36);  // 180 points of 5-point days
  EXPECT_EQ(borders, 4 * 36);
  EXPECT_EQ(labels, 0);
}

TEST(HeaderDrawing, AreaColoursComeFromTheSelectorThenTheStyle) {
  Fixture f;
  f.controller->setRows({});
  ScheduleTimeSelector tinted(ScheduleTimeType::weekdays);
  tinted.color = Color::yellow();
  f.controller->setScheduleHighlighters({ScheduleTimeSelector(ScheduleTimeType::weekdays), tinted});
  GanttChartHeaderStyle style;
  style.highlightingTimeFillColor = Color::cyan();
  style.borders = std::vector<Border>{};
  f.controller->setStyle(style);
  f.controller->draw(Rectangle(0, 0, 180, 40));
  EXPECT_EQ(f.presenter->calls,
            (std::vector<std::string>{"background Color(1, 1, 1, 1) 420 x 0",
                                      "area ? [(60, 0) 120 x 0] Color(0, 1, 1, 1)",
                                      "area ? [(60, 0) 120 x 0] Color(1, 1, 0, 1)"}));
}

TEST(HeaderDrawing, WithoutTheCacheSelectorsRunEveryPass) {
  for (bool usesCache : {true, false}) {
    SCOPED_TRACE(usesCache);
    Fixture f;
    auto calls = std::make_shared<int>(0);
    auto weeks = TimeSelector(TimeIntervalType::weeks()).intervalSelector;
    f.controller->setRows({GanttChartHeaderRow(
        TimeSelector(std::make_shared<TimeIntervalSource>([calls, weeks](const TimeRange& range) {
          ++*calls;
          return weeks->times(range);
        })))});
    GanttChartHeaderSettings settings = f.controller->settings();
    settings.usesCache = usesCache;
    f.controller->setSettings(settings);
    for (int pass = 0; pass < 3; ++pass) f.controller->draw(Rectangle(0, 0, 90, 40));
    f.controller->draw(Rectangle(90, 0, 90, 40));
    EXPECT_EQ(*calls, usesCache ? 1 : 4);
  }
}

TEST(HeaderDrawing, APresenterThatGoesAwayMidPassGetsNoFurtherCalls) {
  Fixture f;
  int after = 0;
  f.presenter->onCall = [&] {
    if (f.presenter) {
      f.presenter.reset();  // the last strong reference: the recorder ends here
    } else {
      ++after;
    }
  };
  std::weak_ptr<GanttChartHeaderPresenter> weak = f.presenter;
  f.controller->draw(Rectangle(0, 0, 180, 40));
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(after, 0);
  f.controller->draw(Rectangle(0, 0, 180, 40));  // and no presenter at all
}

}  // namespace
}  // namespace vorlent
