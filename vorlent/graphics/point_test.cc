#include "vorlent/graphics/point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "vorlent/graphics/line.h"
#include "vorlent/graphics/rectangle.h"

namespace vorlent {
namespace {

TEST(PointDistance, IsEuclideanAndExactAlongAnAxis) {
  EXPECT_EQ((Point{5, 0}).distance(Point{1, 0}), 4);
  EXPECT_EQ((Point{2, -1}).distance(Point{2, 6}), 7);
  EXPECT_EQ((Point{0, 0}).distance(Point{3, 4}), 5);
  EXPECT_TRUE((Point{0, 0}).isClose(Point{3, 4}, 5));
  EXPECT_FALSE((Point{0, 0}).isClose(Point{3, 4}, 4.99));
}

TEST(PointDistance, ToALineIsPerpendicularToTheInfiniteLine) {
  // Beyond the segment's end, but measured to the line through it.
  EXPECT_DOUBLE_EQ((Point{20, 3}).distance(Line(0, 0, 10, 0)), 3);
  EXPECT_DOUBLE_EQ((Point{0, 2}).distance(Line(0, 0, 2, 2)), std::sqrt(2.0));
  EXPECT_DOUBLE_EQ((Point{0, 2}).distance(Line(2, 2, 0, 0)), std::sqrt(2.0));
}

TEST(PointDistance, ToAZeroLengthLineIsTheDistanceToItsPoint) {
  EXPECT_EQ((Point{4, 5}).distance(Line(1, 1, 1, 1)), 5);
}

TEST(PointIsCloseToRectangle, GrowsTheRectangleByTheTolerances) {
  const Rectangle r(0, 0, 10, 4);
  EXPECT_TRUE((Point{-2, 5}).isClose(r, 2, 1));
  EXPECT_FALSE((Point{-2.1, 5}).isClose(r, 2, 1));
  EXPECT_FALSE((Point{-2, 5.1}).isClose(r, 2, 1));
}

struct SegmentCase {
  const char* name;
  Point point;
  Line line;
  double tolerance;
  bool close;
};

TEST(PointIsCloseToSegment, FollowsTheBoxThenDistanceRule) {
  const Line horizontal(0, 0, 10, 0);
  const Line diagonal(0, 0, 10, 10);
  const SegmentCase cases[] = {
      {"near a horizontal segment", {3, 0.5}, horizontal, 1, true},
      {"too far from a horizontal segment", {3, 0.5}, horizontal, 0.4, false},
      {"beyond the end, outside the grown box", {11.5, 0}, horizontal, 1, false},
      {"beyond the end, inside the grown box", {10.9, 0.9}, horizontal, 1, true},
      {"on the line of a vertical segment", {0, 5}, Line(0, 10, 0, 0), 0, true},
      {"near a diagonal", {5, 6}, diagonal, 0.75, true},
      {"too far from a diagonal", {5, 6}, diagonal, 0.7, false},
      {"on the diagonal's line but past its end", {12, 12}, diagonal, 1, false},
      {"on a reversed diagonal", {5, 5}, Line(10, 0, 0, 10), 0, true},
      {"at a zero-length segment", {1, 1.5}, Line(1, 1, 1, 1), 0.5, true},
      {"beside a zero-length segment", {1, 1.6}, Line(1, 1, 1, 1), 0.5, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.point.isClose(c.line, c.tolerance), c.close) << c.name;
  }
}

TEST(PointIsCloseToPolyline, TestsEverySegment) {
  const std::vector<Point> polyline = {{0, 0}, {10, 0}, {10, 10}};
  EXPECT_TRUE((Point{5, 0.5}).isClose(polyline, 1));
  EXPECT_TRUE((Point{10.5, 8}).isClose(polyline, 1));
  EXPECT_FALSE((Point{5, 5}).isClose(polyline, 1));
}

TEST(PointIsCloseToPolyline, NothingIsCloseToFewerThanTwoPoints) {
  const std::vector<Point> single = {{1, 1}};
  EXPECT_FALSE((Point{1, 1}).isClose(single, 10));
  EXPECT_FALSE((Point{1, 1}).isClose(std::vector<Point>{}, 10));
}

TEST(PointValues, MoveAndCompare) {
  EXPECT_EQ(Point(1, 2).movedBy(3, -4), (Point{4, -2}));
  EXPECT_EQ(Point::origin(), (Point{0, 0}));
  EXPECT_EQ(std::hash<Point>{}(Point{-0.0, 1}), std::hash<Point>{}(Point{0, 1}));
}

TEST(LineMembers, LengthAndOrientation) {
  const Line backwards(5, 0, 1, 0);
  EXPECT_EQ(backwards.length(), 4);
  EXPECT_TRUE(backwards.isHorizontal());
  EXPECT_FALSE(backwards.isVertical());
  EXPECT_EQ(Line(2, 9, 2, 1).length(), 8);
  EXPECT_TRUE(Line(2, 9, 2, 1).isVertical());
  EXPECT_EQ(Line(0, 0, 3, 4).length(), 5);
  EXPECT_EQ(Line(Point{1, 2}, Point{3, 4}), Line(1, 2, 3, 4));
  EXPECT_EQ(Line(1, 2, 3, 4).x2(), 3);
  EXPECT_EQ(Line(1, 2, 3, 4).y1(), 2);
}

TEST(PolylineLines, JoinsConsecutivePoints) {
  const std::vector<Point> points = {{0, 0}, {1, 0}, {1, 1}};
  EXPECT_EQ(lines(points), (std::vector<Line>{Line(0, 0, 1, 0), Line(1, 0, 1, 1)}));
  EXPECT_TRUE(lines(std::vector<Point>{{3, 3}}).empty());
  EXPECT_TRUE(lines(std::vector<Point>{}).empty());
}

}  // namespace
}  // namespace vorlent
