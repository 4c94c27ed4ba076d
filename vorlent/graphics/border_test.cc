#include "vorlent/graphics/border.h"

#include <gtest/gtest.h>

#include <functional>
#include <unordered_set>

namespace vorlent {
namespace {

TEST(BorderPosition, AllCasesInDeclarationOrder) {
  const auto all = allBorderPositions();
  EXPECT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0], BorderPosition::top);
  EXPECT_EQ(all[1], BorderPosition::bottom);
  EXPECT_EQ(all[2], BorderPosition::left);
  EXPECT_EQ(all[3], BorderPosition::right);
}

TEST(Border, EqualityComparesAllThreeFields) {
  const Border full(BorderPosition::left, Color::redColor(), 2.0);
  EXPECT_EQ(full, Border(BorderPosition::left, Color::redColor(), 2.0));
  EXPECT_NE(full, Border(BorderPosition::right, Color::redColor(), 2.0));
  EXPECT_NE(full, Border(BorderPosition::left, std::nullopt, 2.0));
  EXPECT_NE(full, Border(BorderPosition::left, Color::redColor(), std::nullopt));
  EXPECT_EQ(Border{BorderPosition::top}, Border(BorderPosition::top, std::nullopt, std::nullopt));
}

TEST(Border, HashAgreesWithEqualityAndSeparatesAbsentFromPresent) {
  const std::hash<Border> hash;
  EXPECT_EQ(hash(Border(BorderPosition::top, Color::black(), 1.0)),
            hash(Border(BorderPosition::top, Color(-0.0, 0, 0, 1), 1.0)));
  std::unordered_set<Border> borders;
  for (BorderPosition position : allBorderPositions()) {
    borders.insert(Border{position});
    borders.insert(Border(position, Color(), std::nullopt));
    borders.insert(Border(position, std::nullopt, 0.0));
    borders.insert(Border{position});
  }
  EXPECT_EQ(borders.size(), 12u);
}

}  // namespace
}  // namespace vorlent
