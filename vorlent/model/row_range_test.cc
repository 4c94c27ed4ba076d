#include "vorlent/model/row_range.h"

#include <gtest/gtest.h>

#include <limits>

namespace vorlent {
namespace {

TEST(RowRange, OrdersItsEnds) {
  EXPECT_EQ(RowRange(7, 3), RowRange(3, 7));
  EXPECT_EQ(RowRange(7, 3).first(), 3);
  EXPECT_EQ(RowRange(7, 3).last(), 7);
  EXPECT_EQ(std::hash<RowRange>{}(RowRange(7, 3)), std::hash<RowRange>{}(RowRange(3, 7)));
}

TEST(RowRange, SingleRowCountsOneAndContainsOnlyItself) {
  const RowRange range(5, 5);
  EXPECT_EQ(range.count(), 1);
  EXPECT_TRUE(range.contains(5));
  EXPECT_FALSE(range.contains(4));
  EXPECT_FALSE(range.contains(6));
}

TEST(RowRange, CountSaturatesInsteadOfOverflowing) {
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(RowRange(kMin, kMax).count(), kMax);
  EXPECT_EQ(RowRange(0, kMax - 1).count(), kMax);
  EXPECT_EQ(RowRange(-1, 1).count(), 3);
}

TEST(RowRange, IntersectionSharesRowsInEitherOrder) {
  struct Case {
    RowRange a;
    RowRange b;
    std::optional<RowRange> shared;
  };
  const Case cases[] = {
      {RowRange(0, 10), RowRange(10, 20), RowRange(10, 10)},
      {RowRange(0, 10), RowRange(11, 20), std::nullopt},
      {RowRange(0, 10), RowRange(3, 4), RowRange(3, 4)},
      {RowRange(3, 4), RowRange(5, 6), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.a << " and " << c.b);
    EXPECT_EQ(c.a.intersects(c.b), c.shared.has_value());
    EXPECT_EQ(c.b.intersects(c.a), c.shared.has_value());
    EXPECT_EQ(c.a.intersecting(c.b), c.shared);
    EXPECT_EQ(c.b.intersecting(c.a), c.shared);
  }
}

}  // namespace
}  // namespace vorlent
