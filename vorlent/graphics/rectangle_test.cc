#include "vorlent/graphics/rectangle.h"

#include <gtest/gtest.h>

#include <functional>
#include <unordered_set>

namespace vorlent {
namespace {

struct NormalisationCase {
  const char* name;
  Rectangle given;
  Rectangle expected;  // built with non-negative sizes, so stored as given
};

TEST(RectangleNormalisation, KeepsWidthAndHeightNonNegativeByMovingTheOrigin) {
  const NormalisationCase cases[] = {
      {"negative width", Rectangle(10, 10, -4, 6), Rectangle(6, 10, 4, 6)},
      {"negative height", Rectangle(1, 9, 2, -5), Rectangle(1, 4, 2, 5)},
      {"both negative", Rectangle(0, 0, -3, -2), Rectangle(-3, -2, 3, 2)},
      {"edges reversed", Rectangle::fromEdges(5, 8, 1, 2), Rectangle(1, 2, 4, 6)},
      {"edges in order", Rectangle::fromEdges(1, 2, 5, 8), Rectangle(1, 2, 4, 6)},
      {"origin and size", Rectangle(Point{10, 10}, Size{-4, -6}), Rectangle(6, 4, 4, 6)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.given, c.expected) << c.name;
    EXPECT_GE(c.given.width(), 0) << c.name;
    EXPECT_GE(c.given.height(), 0) << c.name;
  }
}

TEST(RectangleNormalisation, DirectAssignmentStoresTheSizeUnchanged) {
  Rectangle rectangle(0, 0, 1, 1);
  rectangle.size = Size{-4, 3};
  rectangle.origin = Point{7, 8};
  EXPECT_EQ(rectangle.size, (Size{-4, 3}));
  EXPECT_EQ(rectangle.left(), 7);
  EXPECT_EQ(rectangle.right(), 3);
}

TEST(RectangleNormalisation, EveryTransformNormalises) {
  const Rectangle r(0, 0, 10, 4);
  EXPECT_EQ(r.insetBy(8, 0), Rectangle(2, 0, 6, 4));
  EXPECT_EQ(r.insetBy(0, 3), Rectangle(0, 1, 10, 2));
  EXPECT_EQ(r.insetBy(-1, -2), Rectangle(-1, -2, 12, 8));
  EXPECT_EQ(r.insetBy(1), Rectangle(1, 1, 8, 2));
  EXPECT_EQ(r.insetBy(1, 2, 0.5, 0.5), Rectangle(1, 0.5, 7, 3));
  EXPECT_EQ(r.insetBy(12, 0, 0, 0), Rectangle(10, 0, 2, 4));
  EXPECT_EQ(r.movedBy(-3, 2), Rectangle(-3, 2, 10, 4));
}

TEST(RectangleMembers, DeriveEdgesCentresAndCornersFromTheStoredFields) {
  const Rectangle r(1, 2, 3, 4);
  EXPECT_EQ(r.left(), 1);
  EXPECT_EQ(r.top(), 2);
  EXPECT_EQ(r.right(), 4);
  EXPECT_EQ(r.bottom(), 6);
  EXPECT_EQ(r.centerX(), 2.5);
  EXPECT_EQ(r.centerY(), 4);
  EXPECT_EQ(r.topLeft(), (Point{1, 2}));
  EXPECT_EQ(r.topRight(), (Point{4, 2}));
  EXPECT_EQ(r.bottomLeft(), (Point{1, 6}));
  EXPECT_EQ(r.bottomRight(), (Point{4, 6}));
  EXPECT_EQ(r.centerLeft(), (Point{1, 4}));
  EXPECT_EQ(r.centerRight(), (Point{4, 4}));
  EXPECT_EQ(r.topCenter(), (Point{2.5, 2}));
  EXPECT_EQ(r.bottomCenter(), (Point{2.5, 6}));
  EXPECT_EQ(r.center(), (Point{2.5, 4}));
}

TEST(RectangleContains, IncludesEdgesAndCorners) {
  const Rectangle r(1, 2, 3, 4);
  for (const Point& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
    EXPECT_TRUE(r.contains(corner)) << corner;
    EXPECT_TRUE(corner.isContained(r)) << corner;
  }
  EXPECT_TRUE(r.contains(r.center()));
  EXPECT_FALSE(r.contains(Point{0.999, 3}));
  EXPECT_FALSE(r.contains(Point{2, 6.001}));
}

TEST(RectangleIntersects, TouchingRectanglesIntersectWithAZeroWidthOverlap) {
  const Rectangle a(0, 0, 2, 2);
  const Rectangle b(2, 1, 3, 3);
  EXPECT_TRUE(a.intersects(b));
  EXPECT_TRUE(b.intersects(a));
  EXPECT_EQ(a.intersecting(b), Rectangle(2, 1, 0, 1));
}

TEST(RectangleIntersects, OverlapIsTheCommonPart) {
  EXPECT_EQ(Rectangle(0, 0, 4, 4).intersecting(Rectangle(2, -1, 4, 3)), Rectangle(2, 0, 2, 2));
  EXPECT_EQ(Rectangle(0, 0, 4, 4).intersecting(Rectangle(1, 1, 1, 1)), Rectangle(1, 1, 1, 1));
}

TEST(RectangleIntersects, SeparateRectanglesHaveNoOverlap) {
  EXPECT_FALSE(Rectangle(0, 0, 2, 2).intersects(Rectangle(2.5, 0, 1, 1)));
  EXPECT_FALSE(Rectangle(0, 0, 2, 2).intersects(Rectangle(0, 2.5, 1, 1)));
  EXPECT_EQ(Rectangle(0, 0, 2, 2).intersecting(Rectangle(0, 3, 1, 1)), std::nullopt);
}

TEST(RectangleIntersects, TestsALineByItsBoundingBox) {
  const Rectangle r(0, 0, 2, 2);
  EXPECT_TRUE(r.intersects(Line(1, 1, 5, 5)));
  // The diagonal passes beside the corner at (2, 2), but its box overlaps.
  EXPECT_TRUE(r.intersects(Line(1, 4, 4, 1)));
  // Direction does not matter.
  EXPECT_TRUE(r.intersects(Line(5, 5, 1, 1)));
  EXPECT_FALSE(r.intersects(Line(3, 0, 3, 5)));
}

TEST(RectangleBorderLine, RunsLeftToRightOrTopToBottom) {
  const Rectangle r(1, 2, 3, 4);
  EXPECT_EQ(r.borderLine(BorderPosition::top), Line(1, 2, 4, 2));
  EXPECT_EQ(r.borderLine(BorderPosition::bottom), Line(1, 6, 4, 6));
  EXPECT_EQ(r.borderLine(BorderPosition::left), Line(1, 2, 1, 6));
  EXPECT_EQ(r.borderLine(BorderPosition::right), Line(4, 2, 4, 6));
}

TEST(SizeIncreasedBy, AddsWithoutNormalising) {
  EXPECT_EQ((Size{3, 4}).increasedBy(-5, 1), (Size{-2, 5}));
  EXPECT_EQ(Size::zero(), (Size{0, 0}));
}

TEST(GeometryHash, AgreesWithEqualityForNegativeZero) {
  EXPECT_EQ(Rectangle(-0.0, 0, -0.0, 1), Rectangle(0, 0, 0, 1));
  EXPECT_EQ(std::hash<Rectangle>{}(Rectangle(-0.0, 0, -0.0, 1)),
            std::hash<Rectangle>{}(Rectangle(0, 0, 0, 1)));
  EXPECT_EQ(std::hash<Size>{}(Size{-0.0, 2}), std::hash<Size>{}(Size{0, 2}));
}

TEST(GeometryHash, DistinguishesFieldOrder) {
  std::unordered_set<Rectangle> set = {Rectangle(1, 2, 3, 4), Rectangle(2, 1, 3, 4),
                                       Rectangle(1, 2, 4, 3), Rectangle(1, 2, 3, 4)};
  EXPECT_EQ(set.size(), 3u);
}

}  // namespace
}  // namespace vorlent
