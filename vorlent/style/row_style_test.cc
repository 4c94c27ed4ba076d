#include "vorlent/style/row_style.h"

#include <gtest/gtest.h>

#include <vector>

#include "vorlent/style/content_base_style.h"

namespace vorlent {
namespace {

const Color kPlain(0.1, 0.2, 0.3, 1);
const Color kAlternative(0.4, 0.5, 0.6, 1);
const std::vector<Border> kPlainBorders = {Border{BorderPosition::bottom, std::nullopt, 1}};

struct AlternationCase {
  int64_t rowCount;
  bool onCount;
  std::vector<int64_t> alternateRows;
};

TEST(AlternateRows, FollowTheRowParityOrTheRowCount) {
  const std::vector<AlternationCase> cases = {
      {5, false, {1, 3}}, {4, false, {1, 3}}, {5, true, {0, 2, 4}},
      {4, true, {1, 3}},  {1, true, {0}},
  };
  for (const AlternationCase& entry : cases) {
    std::vector<int64_t> alternate;
    for (int64_t row = 0; row < entry.rowCount; ++row) {
      if (isAlternateRow(row, entry.rowCount, entry.onCount)) alternate.push_back(row);
    }
    EXPECT_EQ(alternate, entry.alternateRows)
        << entry.rowCount << " rows, on count " << entry.onCount;
  }
}

TEST(AlternateRows, LastRowAlternatesWhenCountedFromTheRowCount) {
  for (int64_t count = 1; count <= 8; ++count) {
    EXPECT_TRUE(isAlternateRow(count - 1, count, true)) << count;
  }
}

GanttChartContentBaseStyle twoRowStyles() {
  GanttChartContentBaseStyle style;
  style.rowStyle = GanttChartRowStyle(kPlain);
  style.rowStyle.borders = kPlainBorders;
  style.alternativeRowStyle = GanttChartRowStyle(kAlternative);
  return style;
}

TEST(RowStyleResolution, AlternateRowsTakeEachSetFieldOfTheAlternativeStyle) {
  const GanttChartContentBaseStyle style = twoRowStyles();
  const GanttChartRowStyle plain = style.rowStyleFor(0, 4, false);
  EXPECT_EQ(plain.backgroundColor, kPlain);
  EXPECT_EQ(plain.borders, kPlainBorders);
  const GanttChartRowStyle alternate = style.rowStyleFor(1, 4, false);
  EXPECT_EQ(alternate.backgroundColor, kAlternative);
  EXPECT_EQ(alternate.borders, kPlainBorders);
}

TEST(RowStyleResolution, AlternateRowWithoutAlternativeBackgroundFallsBackToThePlainOne) {
  GanttChartContentBaseStyle style = twoRowStyles();
  style.alternativeRowStyle.backgroundColor = std::nullopt;
  EXPECT_EQ(style.rowStyleFor(1, 4, false).backgroundColor, kPlain);
  EXPECT_EQ(style.rowStyleFor(3, 4, false).backgroundColor, kPlain);
}

TEST(RowStyleResolution, NoAlternationWhenAlternativeRowsIsOff) {
  GanttChartContentBaseStyle style = twoRowStyles();
  style.alternativeRows = false;
  for (int64_t row = 0; row < 5; ++row) {
    EXPECT_EQ(style.rowStyleFor(row, 5, true).backgroundColor, kPlain) << row;
  }
}

TEST(RowStyleResolution, AlternationOnCountFollowsTheRowCount) {
  const GanttChartContentBaseStyle style = twoRowStyles();
  EXPECT_EQ(style.rowStyleFor(0, 5, true).backgroundColor, kAlternative);
  EXPECT_EQ(style.rowStyleFor(1, 5, true).backgroundColor, kPlain);
  EXPECT_EQ(style.rowStyleFor(0, 4, true).backgroundColor, kPlain);
  EXPECT_EQ(style.rowStyleFor(3, 4, true).backgroundColor, kAlternative);
}

TEST(RowStyleResolution, SelectedStyleAloneGivesTheRowsLookAndIsAskedOnce) {
  GanttChartContentBaseStyle style = twoRowStyles();
  int calls = 0;
  style.rowStyleSelector = std::make_shared<GanttChartRowStyleSource>(
      [&calls](int64_t row) -> std::optional<GanttChartRowStyle> {
        ++calls;
        if (row == 2) return GanttChartRowStyle(std::nullopt);
        if (row == 1) return GanttChartRowStyle(Color::redColor());
        return std::nullopt;
      });
  const GanttChartRowStyle selectedEmpty = style.rowStyleFor(2, 4, false);
  EXPECT_EQ(calls, 1);
  // Nil fields of a selected style mean none, not the row styles' values.
  EXPECT_EQ(selectedEmpty.backgroundColor, std::nullopt);
  EXPECT_EQ(selectedEmpty.borders, std::nullopt);
  const GanttChartRowStyle selectedRed = style.rowStyleFor(1, 4, false);
  EXPECT_EQ(selectedRed.backgroundColor, Color::redColor());
  EXPECT_EQ(selectedRed.borders, std::nullopt);
  EXPECT_EQ(style.rowStyleFor(3, 4, false).backgroundColor, kAlternative);
  EXPECT_EQ(style.rowStyleFor(0, 4, false).borders, kPlainBorders);
}

TEST(RowStyle, ConstructorSetsTheBackgroundOnly) {
  const GanttChartRowStyle empty(std::nullopt);
  EXPECT_EQ(empty.backgroundColor, std::nullopt);
  EXPECT_EQ(empty.borders, std::nullopt);
  EXPECT_EQ(GanttChartRowStyle(kPlain).borders, std::nullopt);
}

TEST(RowStyleSource, ReturnsTheFunctionsAnswerAndNothingWithoutAFunction) {
  const GanttChartRowStyleSource source([](int64_t row) -> std::optional<GanttChartRowStyle> {
    if (row < 0) return std::nullopt;
    return GanttChartRowStyle(kPlain);
  });
  EXPECT_EQ(source.style(-1), std::nullopt);
  ASSERT_TRUE(source.style(3).has_value());
  EXPECT_EQ(source.style(3)->backgroundColor, kPlain);
  EXPECT_EQ(GanttChartRowStyleSource(nullptr).style(0), std::nullopt);
}

}  // namespace
}  // namespace vorlent
