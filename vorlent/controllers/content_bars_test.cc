#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_testing.h"
#include "vorlent/controllers/content_drawing_geometry.h"
#include "vorlent/controllers/diagram_generator.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::at;
using testing::kChartWeek;
using testing::link;
using testing::makeItem;

// A week-long chart (420 points) showing rows 0 to 9.
struct Chart {
  std::shared_ptr<GanttChartItemSource> source;
  std::shared_ptr<GanttChartContentController> controller;

  explicit Chart(std::vector<GanttChartItemPtr> items,
                 std::vector<GanttChartDependencyPtr> dependencies = {})
      : source(std::make_shared<GanttChartItemSource>(std::move(items),
                                                      std::move(dependencies))),
        controller(GanttChartContentController::create(source)) {
    controller->setScrollableTimeline(TimeRange(at(kSunday), Time(kChartWeek + 1, kSunday, 0)));
    controller->setViewport(Rectangle(0, 0, 420, 250));
  }
};

std::vector<std::string> labelsOf(const std::vector<GanttChartBar>& bars) {
  std::vector<std::string> labels;
  for (const GanttChartBar& bar : bars) labels.push_back(bar.item->label().value_or("?"));
  return labels;
}

std::vector<std::string> labelsOf(const std::vector<GanttChartDependencyLine>& lines) {
  std::vector<std::string> labels;
  for (const GanttChartDependencyLine& line : lines) {
    labels.push_back(line.dependency->label().value_or("?"));
  }
  return labels;
}

// --- Geometry ----------------------------------------------------------------------

TEST(ContentBarGeometry, AStandardBarSpansItsTimeWithinItsRowLessTheInsets) {
  const auto task = makeItem("task", 2, at(kMonday), at(kTuesday));
  Chart chart({task});
  EXPECT_EQ(chart.controller->bounds(task), Rectangle(60, 53, 60, 19));
}

TEST(ContentBarGeometry, AMilestoneIsASquareCentredOnItsMoment) {
  const auto milestone =
      makeItem("done", 1, at(kWednesday, 12), at(kWednesday, 12), GanttChartItemType::milestone);
  Chart chart({milestone});
  const Rectangle bounds = chart.controller->bounds(milestone);
  EXPECT_EQ(bounds, Rectangle(200.5, 28, 19, 19));
  EXPECT_EQ(bounds.centerX(), chart.controller->x(at(kWednesday, 12)));
  EXPECT_EQ(bounds.centerY(), chart.controller->middle(1));

  // In a row too low for the insets it keeps the minimum size at its moment.
  chart.controller->setRowHeight(4);
  EXPECT_EQ(chart.controller->bounds(milestone), Rectangle(210, 7, 4, 0.25));
}

TEST(ContentBarGeometry, AShortBarIsWidenedToTheMinimumWidthFromItsStart) {
  const auto blip = makeItem("blip", 0, at(kMonday), at(kMonday, 1));
  Chart chart({blip});
  EXPECT_EQ(chart.controller->bounds(blip), Rectangle(60, 3, 4, 19));
  // A reversed item is placed at its start with the minimum width too.
  const auto reversed = makeItem("reversed", 0, at(kTuesday), at(kMonday));
  EXPECT_EQ(chart.controller->bounds(reversed), Rectangle(120, 3, 4, 19));
}

TEST(ContentBarGeometry, TheCompletedPartRunsFromTheStartToWhereTheCompletionReaches) {
  const auto task = makeItem("task", 1, at(kMonday), at(kWednesday));
  task->setCompletion(0.5);
  const auto summary =
      makeItem("phase", 2, at(kMonday), at(kWednesday), GanttChartItemType::summary);
  summary->setCompletion(0.25);
  Chart chart({task, summary});
  EXPECT_EQ(chart.controller->completionBounds(task), Rectangle(60, 28, 60, 19));
  // A summary's completed part leaves room for its bracket's triangles.
  EXPECT_EQ(chart.controller->completionBounds(summary), Rectangle(60, 53, 30, 17));
}

TEST(ContentBarGeometry, ACompletedPartNeverTurnsOverAboveItsBar) {
  const auto summary =
      makeItem("phase", 3, at(kMonday), at(kWednesday), GanttChartItemType::summary);
  summary->setCompletion(0.5);
  Chart chart({summary});
  chart.controller->setRowHeight(4);
  // 4 - 2 × 3 - 2 would be -4 points high, which turned over would reach up
  // into the row above.
  const Rectangle completed = chart.controller->completionBounds(summary);
  EXPECT_EQ(completed.top(), 15);
  EXPECT_EQ(completed.height(), 0);
}

TEST(ContentBarGeometry, TimesTheCalendarCannotPlaceGiveNoFiniteBounds) {
  const auto broken = makeItem("broken", 0, at(kMonday), at(kTuesday));
  broken->setStart(Time(kChartWeek, kMonday, std::numeric_limits<double>::quiet_NaN()));
  const auto far = makeItem("far", 0, at(kMonday), at(kTuesday));
  far->setFinish(Time(std::numeric_limits<int64_t>::max(), 0, 0));
  Chart chart({});
  EXPECT_FALSE(detail::isFinite(chart.controller->bounds(broken)));
  EXPECT_FALSE(detail::isFinite(chart.controller->completionBounds(broken)));
  EXPECT_FALSE(detail::isFinite(chart.controller->bounds(far)));
}

// --- Visible bars ----------------------------------------------------------------------

TEST(ContentVisibleBars, ComeInZOrderWithTiesKeptInTheManagersOrder) {
  const auto top = makeItem("top", 0, at(kMonday), at(kTuesday), GanttChartItemType::standard, 1);
  const auto first = makeItem("first", 1, at(kMonday), at(kTuesday));
  const auto second = makeItem("second", 2, at(kMonday), at(kTuesday));
  const auto bottom =
      makeItem("bottom", 3, at(kMonday), at(kTuesday), GanttChartItemType::standard, -1);
  const auto third = makeItem("third", 4, at(kMonday), at(kTuesday));
  const auto hidden = makeItem("hidden", 5, at(kMonday), at(kTuesday));
  hidden->setIsVisible(false);
  Chart chart({top, first, second, bottom, third, hidden});
  EXPECT_THAT(labelsOf(chart.controller->visibleBars()),
              ElementsAre("bottom", "first", "second", "third", "top"));
}

TEST(ContentVisibleBars, ManyTiesKeepTheManagersOrder) {
  // Enough bars and lines that a sort which does not keep ties in order
  // would mix them.
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::vector<std::string> expectedBars[2];
  std::vector<std::string> expectedLines[2];
  for (int index = 0; index < 60; ++index) {
    const int64_t zIndex = index % 3 == 1 ? 1 : 0;
    const std::string label = std::to_string(index);
    items.push_back(makeItem(label, index % 8, at(index % 6), at(index % 6, 12),
                             GanttChartItemType::standard, zIndex));
    expectedBars[zIndex].push_back(label);
    if (index == 0) continue;
    dependencies.push_back(link(label, items[index - 1], items[index],
                                GanttChartDependencyType::fromFinishToStart, zIndex));
    expectedLines[zIndex].push_back(label);
  }
  Chart chart(items, dependencies);
  auto lowThenHigh = [](const std::vector<std::string> (&lists)[2]) {
    std::vector<std::string> all = lists[0];
    all.insert(all.end(), lists[1].begin(), lists[1].end());
    return all;
  };
  EXPECT_EQ(labelsOf(chart.controller->visibleBars()), lowThenHigh(expectedBars));
  EXPECT_EQ(labelsOf(chart.controller->visibleDependencyLines()), lowThenHigh(expectedLines));
}

TEST(ContentVisibleBars, InARectangleAreThoseTouchingItEdgesIncluded) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));     // x 60...120
  const auto b = makeItem("b", 0, at(kWednesday), at(kThursday));  // x 180...240
  const auto c = makeItem("c", 1, at(kMonday), at(kTuesday));     // y 28...47
  Chart chart({a, b, c});
  EXPECT_THAT(labelsOf(chart.controller->visibleBars(Rectangle(120, 0, 60, 22))),
              ElementsAre("a", "b"));
  EXPECT_THAT(labelsOf(chart.controller->visibleBars(Rectangle(121, 0, 58, 50))), IsEmpty());
  EXPECT_THAT(labelsOf(chart.controller->visibleBars(Rectangle(0, 47, 420, 1))),
              ElementsAre("c"));
}

TEST(ContentVisibleBars, AreKeptPerViewportUntilTheCachesAreCleared) {
  const auto task = makeItem("task", 0, at(kMonday), at(kTuesday));
  Chart chart({task});
  EXPECT_THAT(labelsOf(chart.controller->visibleBars()), ElementsAre("task"));
  // Moved behind the controller's back: the viewport's bars stay as they were
  // until something tells the controller.
  task->setTime(TimeRange(at(kWednesday), at(kThursday)));
  EXPECT_EQ(chart.controller->visibleBars().front().bounds.left(), 60);
  chart.controller->settingsDidChange();
  EXPECT_EQ(chart.controller->visibleBars().front().bounds.left(), 180);
}

TEST(ContentVisibleBars, LeaveOutItemsThatCannotBePlaced) {
  const auto good = makeItem("good", 0, at(kMonday), at(kTuesday));
  const auto broken = makeItem("broken", 1, at(kMonday), at(kTuesday));
  broken->setFinish(Time(kChartWeek, kTuesday, std::numeric_limits<double>::infinity()));
  const auto farRow =
      makeItem("far row", std::numeric_limits<int64_t>::max(), at(kMonday), at(kTuesday));
  Chart chart({good, broken, farRow});
  EXPECT_THAT(labelsOf(chart.controller->visibleBars()), ElementsAre("good"));
  EXPECT_EQ(chart.controller->item(Point{70, 35}), nullptr);
}

// --- At a point ------------------------------------------------------------------------

TEST(ContentBarHitTest, FindsOnlyExactHitsWithoutADistance) {
  const auto task = makeItem("task", 1, at(kMonday), at(kTuesday));  // [(60, 28) 60 x 19]
  Chart chart({task});
  EXPECT_EQ(chart.controller->item(Point{60, 28}), task);  // the corner counts
  EXPECT_EQ(chart.controller->item(Point{59, 30}), nullptr);
  EXPECT_EQ(chart.controller->item(Point{70, 27}), nullptr);
  // The row above and the row below are other rows.
  EXPECT_EQ(chart.controller->item(Point{70, 20}), nullptr);
  EXPECT_EQ(chart.controller->item(Point{70, 50}), nullptr);
}

TEST(ContentBarHitTest, WidensHorizontallyAndVerticallyOnlyWhenAsked) {
  const auto task = makeItem("task", 1, at(kMonday), at(kTuesday));  // [(60, 28) 60 x 19]
  Chart chart({task});
  ASSERT_TRUE(chart.controller->bar(Point{59, 30}, 2));
  EXPECT_EQ(chart.controller->bar(Point{59, 30}, 2)->item, task);
  EXPECT_FALSE(chart.controller->bar(Point{70, 27}, 2));
  EXPECT_FALSE(chart.controller->bar(Point{70, 27}, 2, false));
  EXPECT_TRUE(chart.controller->bar(Point{70, 27}, 2, true));
  // A negative or undefined distance is no distance.
  EXPECT_FALSE(chart.controller->bar(Point{59, 30}, -5));
  EXPECT_FALSE(chart.controller->bar(Point{59, 30}, std::numeric_limits<double>::quiet_NaN()));
  EXPECT_TRUE(chart.controller->bar(Point{-1000, 30}, std::numeric_limits<double>::infinity()));
}

TEST(ContentBarHitTest, PrefersTheTopmostBarAndAnExactHitOverAWidenedOne) {
  // Equal z-indexes: the later one is drawn over the earlier one.
  const auto under = makeItem("under", 0, at(kMonday), at(kWednesday));  // x 60...180
  const auto over = makeItem("over", 0, at(kTuesday), at(kThursday));    // x 120...240
  // Topmost of all, on the next row, its left end at x 60.
  const auto raised =
      makeItem("raised", 1, at(kMonday), at(kTuesday), GanttChartItemType::standard, 5);
  const auto lower = makeItem("lower", 1, at(kTuesday, 1), at(kWednesday));  // x 122.5...
  Chart chart({under, over, raised, lower});
  EXPECT_EQ(chart.controller->item(Point{150, 10}), over);
  EXPECT_EQ(chart.controller->item(Point{100, 10}), under);
  // 1.5 points right of the raised bar, inside the lower one: the exact hit
  // wins although the raised bar lies within the distance and above.
  EXPECT_EQ(chart.controller->bar(Point{123, 35}, 5)->item, lower);
  // Between them, only widened hits: the topmost of those.
  EXPECT_EQ(chart.controller->bar(Point{121, 35}, 5)->item, raised);
}

TEST(ContentLineHitTest, FindsTheTopmostLineWithinTheHoveringDistance) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));        // right edge 120
  const auto b = makeItem("b", 0, at(kThursday), at(kFriday));       // left edge 240
  const auto lower = link("lower", a, b);
  const auto upper = link("upper", a, b);
  Chart chart({a, b}, {lower, upper});
  // Both run straight along y 12.5 from x 120 to x 240.
  EXPECT_EQ(chart.controller->dependency(Point{200, 16}), upper);
  EXPECT_EQ(chart.controller->dependency(Point{200, 18}), nullptr);
  EXPECT_EQ(chart.controller->dependencyLine(Point{200, 18}, 6)->dependency, upper);
  upper->setZIndex(-1);
  chart.controller->settingsDidChange();
  EXPECT_EQ(chart.controller->dependency(Point{200, 16}), lower);
}

// --- Visible dependency lines -------------------------------------------------------------

TEST(ContentVisibleLines, LeaveOutHiddenDependenciesAndThoseOfHiddenItems) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));
  const auto b = makeItem("b", 1, at(kWednesday), at(kThursday));
  const auto hiddenItem = makeItem("hidden item", 2, at(kWednesday), at(kThursday));
  hiddenItem->setIsVisible(false);
  const auto shown = link("shown", a, b);
  const auto toHidden = link("to hidden", a, hiddenItem);
  const auto hidden = link("hidden", b, a);
  hidden->setIsVisible(false);
  Chart chart({a, b, hiddenItem}, {shown, toHidden, hidden});
  EXPECT_THAT(labelsOf(chart.controller->visibleDependencyLines()), ElementsAre("shown"));
}

TEST(ContentVisibleLines, ComeInZOrderWithTiesKeptInTheManagersOrder) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));
  const auto b = makeItem("b", 1, at(kWednesday), at(kThursday));
  Chart chart({a, b}, {link("2", a, b, GanttChartDependencyType::fromFinishToStart, 2),
                       link("0a", a, b), link("-1", b, a, GanttChartDependencyType::fromFinishToStart, -1),
                       link("0b", b, a)});
  EXPECT_THAT(labelsOf(chart.controller->visibleDependencyLines()),
              ElementsAre("-1", "0a", "0b", "2"));
}

TEST(ContentVisibleLines, AreNoneWhileTheSettingsHideThem) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));
  const auto b = makeItem("b", 0, at(kThursday), at(kFriday));
  Chart chart({a, b}, {link("ab", a, b)});
  GanttChartContentSettings settings = chart.controller->settings();
  settings.showsDependencyLines = false;
  chart.controller->setSettings(settings);
  chart.controller->settingsDidChange();
  EXPECT_THAT(chart.controller->visibleDependencyLines(), IsEmpty());
  EXPECT_THAT(chart.controller->visibleDependencyLines(Rectangle(0, 0, 420, 250)), IsEmpty());
  EXPECT_EQ(chart.controller->dependency(Point{200, 12.5}), nullptr);
}

TEST(ContentVisibleLines, InARectangleAreThoseWithASegmentPassingThroughIt) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));   // right edge 120, middle 12.5
  const auto b = makeItem("b", 0, at(kFriday), at(kSaturday));  // left edge 300
  const auto c = makeItem("c", 3, at(kWednesday), at(kThursday));
  const auto straight = link("straight", a, b);
  // Down from x 128 to row 3 and along it: an L whose corner region is
  // empty.
  const auto bent = link("bent", a, c, GanttChartDependencyType::fromFinishToFinish);
  Chart chart({a, b, c}, {straight, bent});
  ASSERT_EQ(chart.controller->polyline(bent),
            (std::vector<Point>{{120, 12.5}, {248, 12.5}, {248, 87.5}, {240, 87.5}}));
  // Through the middle of the straight line, neither end inside.
  EXPECT_THAT(labelsOf(chart.controller->visibleDependencyLines(Rectangle(150, 0, 50, 25))),
              ElementsAre("straight", "bent"));
  // Within the bent line's bounding box but off its segments.
  EXPECT_THAT(labelsOf(chart.controller->visibleDependencyLines(Rectangle(150, 30, 50, 40))),
              IsEmpty());
  // Touching the vertical segment's edge counts.
  EXPECT_THAT(labelsOf(chart.controller->visibleDependencyLines(Rectangle(200, 30, 48, 40))),
              ElementsAre("bent"));
}

// --- Routing ------------------------------------------------------------------------------

// Two bars and the controller's route between them: `from` spans Monday on
// row `fromRow` (x 60...120, unless given), `to` starts `gap` points after
// its finish on row `toRow` and is `width` points wide.
struct Route {
  std::shared_ptr<GanttChartContentController> controller = GanttChartContentController::create();

  Route() { controller->setScrollableTimeline(TimeRange(at(kSunday), Time(kChartWeek + 1, kSunday, 0))); }

  std::vector<Point> between(int64_t fromRow, double fromLeft, double fromWidth, int64_t toRow,
                             double toLeft, double toWidth, GanttChartDependencyType type,
                             bool toMilestone = false) const {
    const Rectangle from(fromLeft, 25.0 * static_cast<double>(fromRow) + 3, fromWidth, 19);
    const Rectangle to(toLeft, 25.0 * static_cast<double>(toRow) + 3, toWidth, 19);
    return controller->dependencyPolyline(from, to, type, false, toMilestone);
  }
  void setSettings(bool verticallyEnding, bool onSourceRow) {
    GanttChartContentSettings settings = controller->settings();
    settings.drawsVerticallyEndingDependencyLinesWhenApplicable = verticallyEnding;
    settings.drawsDependencyLinesSpanningHorizontalDistancePrimarilyOnSourceRow = onSourceRow;
    controller->setSettings(settings);
  }
};

using Points = std::vector<Point>;
constexpr auto kFinishToStart = GanttChartDependencyType::fromFinishToStart;
constexpr auto kStartToStart = GanttChartDependencyType::fromStartToStart;
constexpr auto kFinishToFinish = GanttChartDependencyType::fromFinishToFinish;
constexpr auto kStartToFinish = GanttChartDependencyType::fromStartToFinish;

TEST(ContentRouter, FinishToStartRunsStraightAlongOneRow) {
  Route route;
  EXPECT_EQ(route.between(2, 60, 60, 2, 220, 60, kFinishToStart),
            (Points{{120, 62.5}, {220, 62.5}}));
}

TEST(ContentRouter, FinishToStartTurnsDownAfterTheSourceToALaterBar) {
  Route route;
  EXPECT_EQ(route.between(2, 60, 60, 3, 220, 60, kFinishToStart),
            (Points{{120, 62.5}, {128, 62.5}, {128, 87.5}, {220, 87.5}}));
  // And up, to a bar on a row above.
  EXPECT_EQ(route.between(2, 60, 60, 0, 220, 60, kFinishToStart),
            (Points{{120, 62.5}, {128, 62.5}, {128, 12.5}, {220, 12.5}}));
}

TEST(ContentRouter, FinishToStartRunsBackAlongTheTargetRowToAnEarlierBar) {
  Route route;
  // The target starts before the source's finish: back along the top of the
  // target's row to 8 points before its start.
  EXPECT_EQ(route.between(1, 60, 60, 3, 20, 30, kFinishToStart),
            (Points{{120, 37.5}, {128, 37.5}, {128, 75}, {12, 75}, {12, 87.5}, {20, 87.5}}));
  // Upwards, along the bottom of the target's row.
  EXPECT_EQ(route.between(3, 60, 60, 1, 20, 30, kFinishToStart),
            (Points{{120, 87.5}, {128, 87.5}, {128, 50}, {12, 50}, {12, 37.5}, {20, 37.5}}));
}

TEST(ContentRouter, FinishToStartCanSpanTheDistanceOnTheSourceRow) {
  Route route;
  route.setSettings(true, true);
  EXPECT_EQ(route.between(1, 60, 60, 3, 220, 30, kFinishToStart),
            (Points{{120, 37.5}, {212, 37.5}, {212, 87.5}, {220, 87.5}}));
  EXPECT_EQ(route.between(1, 60, 60, 3, 20, 30, kFinishToStart),
            (Points{{120, 37.5}, {128, 37.5}, {128, 75}, {12, 75}, {12, 87.5}, {20, 87.5}}));
}

TEST(ContentRouter, FinishToStartEndsVerticallyOnAWideBarStartingJustAfterTheSource) {
  Route route;
  // 3 points after the source's finish, 60 wide, on the next row down: onto
  // its top edge.
  EXPECT_EQ(route.between(1, 60, 60, 2, 123, 60, kFinishToStart),
            (Points{{120, 37.5}, {128, 37.5}, {128, 53}}));
  // On a row above: onto its bottom edge.
  EXPECT_EQ(route.between(2, 60, 60, 1, 123, 60, kFinishToStart),
            (Points{{120, 62.5}, {128, 62.5}, {128, 47}}));
  // Not onto a milestone, nor onto a narrow bar: back along the row instead.
  EXPECT_EQ(route.between(1, 60, 60, 2, 123, 19, kFinishToStart, true).size(), 6U);
  EXPECT_EQ(route.between(1, 60, 60, 2, 123, 24, kFinishToStart).size(), 6U);
  route.setSettings(false, false);
  EXPECT_EQ(route.between(1, 60, 60, 2, 123, 60, kFinishToStart),
            (Points{{120, 37.5}, {128, 37.5}, {128, 50}, {115, 50}, {115, 62.5}, {123, 62.5}}));
}

TEST(ContentRouter, StartToStartGoesRoundBeforeBothStarts) {
  Route route;
  // On one row, starts 50 apart: along the bottom of the row.
  EXPECT_EQ(route.between(1, 60, 60, 1, 110, 60, kStartToStart),
            (Points{{60, 37.5}, {52, 37.5}, {52, 50}, {102, 50}, {102, 37.5}, {110, 37.5}}));
  // On other rows: down 8 points before the earlier start.
  EXPECT_EQ(route.between(1, 60, 60, 3, 110, 60, kStartToStart),
            (Points{{60, 37.5}, {52, 37.5}, {52, 87.5}, {110, 87.5}}));
}

TEST(ContentRouter, FinishToFinishGoesRoundAfterBothFinishes) {
  Route route;
  EXPECT_EQ(route.between(1, 60, 60, 1, 150, 60, kFinishToFinish),
            (Points{{120, 37.5}, {128, 37.5}, {128, 50}, {218, 50}, {218, 37.5}, {210, 37.5}}));
  EXPECT_EQ(route.between(1, 60, 60, 0, 40, 60, kFinishToFinish),
            (Points{{120, 37.5}, {128, 37.5}, {128, 12.5}, {100, 12.5}}));
}

TEST(ContentRouter, StartToFinishIsTheMirrorOfFinishToStart) {
  Route route;
  // The target lies wholly before the source: straight along one row.
  EXPECT_EQ(route.between(1, 200, 60, 1, 20, 60, kStartToFinish),
            (Points{{200, 37.5}, {80, 37.5}}));
  EXPECT_EQ(route.between(1, 200, 60, 2, 20, 60, kStartToFinish),
            (Points{{200, 37.5}, {192, 37.5}, {192, 62.5}, {80, 62.5}}));
  EXPECT_EQ(route.between(1, 60, 60, 2, 100, 60, kStartToFinish),
            (Points{{60, 37.5}, {52, 37.5}, {52, 50}, {168, 50}, {168, 62.5}, {160, 62.5}}));
}

TEST(ContentRouter, AShortHopStepsAcrossHalfWay) {
  Route route;
  // The target's start 10 points after the source's finish on the same row:
  // too close to turn.
  EXPECT_EQ(route.between(1, 60, 60, 1, 130, 60, kFinishToStart),
            (Points{{120, 37.5}, {125, 37.5}, {125, 37.5}, {130, 37.5}}));
  const Rectangle from(60, 28, 60, 19);
  const Rectangle to(70, 30, 60, 19);  // a little lower, within half a row
  EXPECT_EQ(route.controller->dependencyPolyline(from, to, kStartToStart, false, false),
            (Points{{60, 37.5}, {65, 37.5}, {65, 39.5}, {70, 39.5}}));
}

TEST(ContentRouter, ASourceInsideItsTargetHasNothingToRoute) {
  Route route;
  // A dependency of an item on itself leaves from inside its own bar.
  for (const auto type : allGanttChartDependencyTypes()) {
    EXPECT_EQ(route.between(1, 60, 60, 1, 60, 60, type).size(), 1U) << type;
  }
}

// Each condition of the router at and just beyond its limit, and the cases
// the examples above leave out. The source is Monday on row 1 (x 60...120)
// unless given; every bar is 19 points high, 3 below its row's top.
TEST(ContentRouter, EachConditionHoldsUpToItsLimit) {
  struct Case {
    const char* what;
    double fromLeft;
    int64_t toRow;
    double toLeft, toWidth;
    GanttChartDependencyType type;
    bool onSourceRow;
    Points expected;
  };
  const Points downOnto{{120, 37.5}, {128, 37.5}, {128, 53}};
  const Case cases[] = {
      {"onto the bottom edge, whatever the source-row setting", 60, 0, 123, 60, kFinishToStart,
       true, {{120, 37.5}, {128, 37.5}, {128, 22}}},
      {"onto a bar starting the minimum width before the finish", 60, 2, 116, 60, kFinishToStart,
       false, downOnto},
      {"not onto one starting earlier", 60, 2, 115, 60, kFinishToStart, false,
       {{120, 37.5}, {128, 37.5}, {128, 50}, {107, 50}, {107, 62.5}, {115, 62.5}}},
      {"onto a bar starting just before the rounded corner", 60, 2, 125.5, 60, kFinishToStart,
       false, downOnto},
      {"not onto one starting at the corner", 60, 2, 126, 60, kFinishToStart, false,
       {{120, 37.5}, {128, 37.5}, {128, 50}, {118, 50}, {118, 62.5}, {126, 62.5}}},
      {"onto a bar just wider than two ends and minimum widths", 60, 2, 123, 24.5,
       kFinishToStart, false, downOnto},
      {"not onto a bar on the source's own row", 60, 1, 123, 60, kFinishToStart, false,
       {{120, 37.5}, {121.5, 37.5}, {121.5, 37.5}, {123, 37.5}}},
      {"a short hop up to two end lengths", 60, 1, 135.5, 60, kFinishToStart, false,
       {{120, 37.5}, {127.75, 37.5}, {127.75, 37.5}, {135.5, 37.5}}},
      {"straight from two end lengths on", 60, 1, 136, 60, kFinishToStart, false,
       {{120, 37.5}, {136, 37.5}}},
      {"back along the bottom of its own row", 60, 1, 20, 30, kFinishToStart, false,
       {{120, 37.5}, {128, 37.5}, {128, 50}, {12, 50}, {12, 37.5}, {20, 37.5}}},
      {"one turn from two end lengths on", 60, 3, 136, 60, kFinishToStart, false,
       {{120, 37.5}, {128, 37.5}, {128, 87.5}, {136, 87.5}}},
      {"start to finish ahead on one row goes round", 200, 1, 220, 60, kStartToFinish, false,
       {{200, 37.5}, {192, 37.5}, {192, 50}, {288, 50}, {288, 37.5}, {280, 37.5}}},
      {"start to finish spanning on the source row", 200, 2, 20, 60, kStartToFinish, true,
       {{200, 37.5}, {88, 37.5}, {88, 62.5}, {80, 62.5}}},
      {"start to finish turning back, whatever the source-row setting", 60, 2, 100, 60,
       kStartToFinish, true,
       {{60, 37.5}, {52, 37.5}, {52, 50}, {168, 50}, {168, 62.5}, {160, 62.5}}},
      {"start to start back to an earlier start on one row", 110, 1, 20, 30, kStartToStart, false,
       {{110, 37.5}, {102, 37.5}, {102, 50}, {12, 50}, {12, 37.5}, {20, 37.5}}},
      {"start to start down before the earlier start", 60, 3, 20, 30, kStartToStart, false,
       {{60, 37.5}, {12, 37.5}, {12, 87.5}, {20, 87.5}}},
      {"finish to finish down after the later finish", 60, 3, 100, 60, kFinishToFinish, false,
       {{120, 37.5}, {168, 37.5}, {168, 87.5}, {160, 87.5}}},
      {"only finish to start ends vertically", 60, 2, 123, 60, kStartToFinish, false,
       {{60, 37.5}, {52, 37.5}, {52, 50}, {191, 50}, {191, 62.5}, {183, 62.5}}},
  };
  for (const Case& c : cases) {
    Route route;
    route.setSettings(true, c.onSourceRow);
    EXPECT_EQ(route.between(1, c.fromLeft, 60, c.toRow, c.toLeft, c.toWidth, c.type), c.expected)
        << c.what;
  }
}

TEST(ContentRouter, StaysFiniteWithoutAUsableRowHeight) {
  Route route;
  route.controller->setRowHeight(0);
  const Points points = route.between(1, 60, 60, 3, 20, 30, kFinishToStart);
  EXPECT_TRUE(detail::isFinite(points));
}

TEST(ContentDiagramGenerators, TheDirectGeneratorJoinsTheEndPoints) {
  const GanttChartDirectDiagramGenerator direct;
  const Rectangle from(60, 28, 60, 19);
  const Rectangle to(220, 78, 40, 19);
  EXPECT_EQ(direct.dependencyPolyline(from, to, kFinishToStart, false, false),
            (Points{{120, 37.5}, {220, 87.5}}));
  EXPECT_EQ(direct.dependencyPolyline(from, to, kStartToFinish, false, false),
            (Points{{60, 37.5}, {260, 87.5}}));
}

TEST(ContentDiagramGenerators, AHostsGeneratorRoutesEveryLineUntilItIsReleased) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));
  const auto b = makeItem("b", 2, at(kThursday), at(kFriday));
  const auto ab = link("ab", a, b);
  Chart chart({a, b}, {ab});
  auto direct = std::make_shared<GanttChartDirectDiagramGenerator>();
  chart.controller->setDiagramGenerator(direct);
  chart.controller->settingsDidChange();
  EXPECT_EQ(chart.controller->actualDiagramGenerator(), direct);
  const Points straight{{120, 12.5}, {240, 62.5}};
  EXPECT_EQ(chart.controller->polyline(ab), straight);
  ASSERT_EQ(chart.controller->visibleDependencyLines().size(), 1U);
  EXPECT_EQ(chart.controller->visibleDependencyLines().front().polyline, straight);
  // Hit along the diagonal, which the elbow route does not pass.
  EXPECT_EQ(chart.controller->dependency(Point{180, 37.5}), ab);

  direct.reset();
  EXPECT_EQ(chart.controller->actualDiagramGenerator(), chart.controller);
  const Points elbow{{120, 12.5}, {128, 12.5}, {128, 62.5}, {240, 62.5}};
  EXPECT_EQ(chart.controller->polyline(ab), elbow);
  chart.controller->settingsDidChange();
  EXPECT_EQ(chart.controller->visibleDependencyLines().front().polyline, elbow);
  EXPECT_EQ(chart.controller->dependency(Point{180, 37.5}), nullptr);
}

TEST(ContentDiagramGenerators, ALineLeftUnroutedIsListedButNeverMet) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));
  const auto b = makeItem("b", 2, at(kThursday), at(kFriday));
  Chart chart({a, b}, {link("ab", a, b)});
  struct Unrouted : GanttChartDiagramGenerator {
    std::vector<Point> dependencyPolyline(const Rectangle&, const Rectangle&,
                                          GanttChartDependencyType, bool, bool) const override {
      return {};
    }
  };
  auto unrouted = std::make_shared<Unrouted>();
  chart.controller->setDiagramGenerator(unrouted);
  chart.controller->settingsDidChange();
  ASSERT_THAT(labelsOf(chart.controller->visibleDependencyLines()), ElementsAre("ab"));
  EXPECT_THAT(chart.controller->visibleDependencyLines().front().polyline, IsEmpty());
  EXPECT_THAT(chart.controller->visibleDependencyLines(Rectangle(0, 0, 420, 250)), IsEmpty());
  EXPECT_EQ(chart.controller->dependencyLine(Point{0, 0}, 1000), std::nullopt);
}

TEST(ContentDiagramGenerators, AControllerNoSharedPointerOwnsStillRoutesItself) {
  // A subclass may be made without the factory; asking for the generator
  // must not throw for want of an owner.
  struct Unowned : GanttChartContentController {
    Unowned() : GanttChartContentController(std::make_shared<GanttChartItemSource>()) {}
  };
  Unowned controller;
  const auto generator = controller.actualDiagramGenerator();
  EXPECT_EQ(generator.get(), &controller);
  EXPECT_THAT(generator->dependencyPolyline(Rectangle(0, 0, 10, 10), Rectangle(100, 0, 10, 10),
                                            GanttChartDependencyType::fromFinishToStart, false,
                                            false),
              ElementsAre(Point{10, 5}, Point{100, 5}));
}

// --- Bad input ----------------------------------------------------------------------------

TEST(ContentBarsWithBadInput, AnEmptyChartHasNothingToShowOrHit) {
  Chart chart({});
  EXPECT_THAT(chart.controller->visibleBars(), IsEmpty());
  EXPECT_THAT(chart.controller->visibleDependencyLines(), IsEmpty());
  EXPECT_FALSE(chart.controller->bar(Point{10, 10}, 100, true));
  EXPECT_EQ(chart.controller->dependency(Point{10, 10}), nullptr);
  EXPECT_THAT(chart.controller->polyline(nullptr), IsEmpty());
}

TEST(ContentBarsWithBadInput, ALineToAnItemTheManagerDoesNotHoldStillFollowsThatItem) {
  const auto a = makeItem("a", 0, at(kMonday), at(kTuesday));
  const auto stranger = makeItem("stranger", 0, at(kThursday), at(kFriday));
  const auto broken = makeItem("broken", 1, at(kMonday), at(kTuesday));
  broken->setStart(Time(kChartWeek, kMonday, std::numeric_limits<double>::quiet_NaN()));
  // An item source lists only dependencies between its own items; a
  // collection provider may hand out any.
  class Provider : public GanttChartCollectionProvider {
   public:
    std::vector<GanttChartItemPtr> items;
    std::vector<GanttChartDependencyPtr> dependencies;
    int64_t totalRowCount() override { return 2; }
    TimeRange preferredTimeline() override { return TimeRange(at(kSunday), at(kSaturday)); }
    std::vector<GanttChartItemPtr> filteredItems(const RowRange&, const TimeRange&) override {
      return items;
    }
    std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange&,
                                                              const TimeRange&) override {
      return dependencies;
    }
  };
  auto provider = std::make_shared<Provider>();
  provider->items = {a, broken};
  provider->dependencies = {link("to stranger", a, stranger), link("to broken", a, broken)};
  auto manager = std::make_shared<GanttChartItemManager>(provider, nullptr, nullptr);
  auto controller = GanttChartContentController::create(manager);
  controller->setScrollableTimeline(TimeRange(at(kSunday), Time(kChartWeek + 1, kSunday, 0)));
  controller->setViewport(Rectangle(0, 0, 420, 250));
  EXPECT_THAT(labelsOf(controller->visibleBars()), ElementsAre("a"));
  EXPECT_THAT(labelsOf(controller->visibleDependencyLines()), ElementsAre("to stranger"));
  EXPECT_THAT(controller->polyline(provider->dependencies[1]), IsEmpty());
}

}  // namespace
}  // namespace vorlent
