#include "vorlent/views/content_view.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>
#include <memory>

#include "vorlent/views/content_view_testing.h"

namespace vorlent {
namespace {

using testing::isNear;
using testing::pixelAt;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 160, 0);
const QColor kBlack(0, 0, 0);

// The hooks' Qt forms drawing onto a white image, antialiased as the canvas
// draws.
class Hooks : public ::testing::Test {
 protected:
  Hooks() : image(240, 120, QImage::Format_ARGB32_Premultiplied) {
    image.fill(kWhite);
    painter = std::make_unique<QPainter>(&image);
    painter->setRenderHint(QPainter::Antialiasing);
  }

  // Ends painting (draw everything first) and gives the colour at a point.
  QColor at(double x, double y) {
    if (painter->isActive()) painter->end();
    return pixelAt(image, QPointF(x, y));
  }
  bool inked(double x, double y) { return !isNear(at(x, y), kWhite, 8); }
  // Whether any pixel of `region` but outside `rect` has ink.
  bool inkOutside(const QRect& rect, QRect region = QRect()) {
    if (painter->isActive()) painter->end();
    if (region.isNull()) region = image.rect();
    for (int y = region.top(); y <= region.bottom(); ++y) {
      for (int x = region.left(); x <= region.right(); ++x) {
        if (!rect.contains(x, y) && image.pixelColor(x, y) != kWhite) return true;
      }
    }
    return false;
  }

  void bar(const QRectF& rect, bool highlighted, bool focused, bool selected,
           bool movableVertically = true) {
    view.drawBar(*painter, item, rect, kRed, kBlue, std::nullopt, 0, 2, highlighted, focused,
                 selected, kGreen, kBlack, kBlue, 2, 3, 4, true, true, true, movableVertically, 3);
  }
  void line(const QPolygonF& points, double width, bool highlighted = false) {
    view.drawDependencyLine(*painter, nullptr, points, kBlack, width, 8, 10, highlighted, false,
                            false, 2, 3, 4);
  }

  GanttChartContent view;
  GanttChartItemPtr item = GanttChartItem::create({});
  QImage image;
  std::unique_ptr<QPainter> painter;
};

// --- Bars -----------------------------------------------------------------------------------

TEST_F(Hooks, ABarIsAGradientFromTheSecondaryColourAtTheTopToTheFillAtTheBottom) {
  bar(QRectF(20, 20, 100, 40), false, false, false);
  EXPECT_TRUE(isNear(at(70, 21.5), kBlue, 20)) << "top";
  EXPECT_TRUE(isNear(at(70, 58.5), kRed, 20)) << "bottom";
  EXPECT_TRUE(isNear(at(70, 40), QColor(128, 0, 128), 8)) << "middle";
  EXPECT_FALSE(inked(18, 40)) << "no outline without a state";
  EXPECT_FALSE(inked(70, 65)) << "no focus line";
}

TEST_F(Hooks, ASelectedFocusedBarIsOutlinedInTheSelectionColourWithADashedLineUnderIt) {
  bar(QRectF(20, 20, 100, 40), true, true, true);
  // Selection (blue, 4) wins over focus (black, 3) and highlight (green, 2).
  EXPECT_TRUE(isNear(at(70, 17), kBlue)) << "the outline, 4 points around the bar";
  EXPECT_TRUE(isNear(at(17, 40), kBlue));
  EXPECT_FALSE(inked(70, 15));
  // The dashed line at the outline's bottom (64) plus the thumb distance (3),
  // a point short of the bar's ends, in dashes of two points.
  int changes = 0;
  for (int x = 21; x < 119; ++x) changes += inked(x + 0.5, 67) != inked(x + 1.5, 67) ? 1 : 0;
  EXPECT_NEAR(changes, 48, 2);
  EXPECT_EQ(at(22, 67).blue(), 255) << "in the selection colour";
  EXPECT_EQ(at(22, 67).red(), at(22, 67).green());
  EXPECT_FALSE(inked(20.5, 67));
  EXPECT_FALSE(inked(119.5, 67));
}

TEST_F(Hooks, OnlyAFocusedBarThatMayMoveBetweenRowsGetsTheFocusLine) {
  bar(QRectF(20, 20, 100, 30), true, false, false);
  bar(QRectF(20, 80, 100, 20), false, true, false, false);
  EXPECT_TRUE(isNear(at(70, 18.5), kGreen)) << "highlighted";
  EXPECT_FALSE(inked(70, 56));
  EXPECT_TRUE(isNear(at(70, 77.5), kBlack)) << "focused";
  EXPECT_FALSE(inked(70, 106));
}

TEST_F(Hooks, AFocusedBarNarrowerThanTwoPointsHasAFocusLineAsWideAsItself) {
  bar(QRectF(50, 20, 1, 20), false, true, false);
  EXPECT_TRUE(inked(50.5, 46.5));
  EXPECT_FALSE(inkOutside(QRect(50, 44, 1, 6), QRect(0, 44, 240, 6)))
      << "from the bar's right edge back to its left, not beyond";
}

TEST_F(Hooks, ACollapsedSummaryHasABaseLineAndTipsThatStopAtTheOppositeEdge) {
  view.drawSummaryBar(*painter, item, QRectF(20, 20, 60, 30), kRed, kRed, std::nullopt, 0, 10, 10,
                      false, false, false, false, kGreen, kBlack, kBlue, 2, 3, 4, true, true, true,
                      true, 3);
  // The tips reach 100 inwards: each ends at the far edge, so they cross
  // under the middle of the bracket.
  EXPECT_TRUE(isNear(at(50, 30), kRed)) << "the body";
  EXPECT_TRUE(isNear(at(50, 43), kRed)) << "where the tips overlap";
  EXPECT_FALSE(inked(50, 47.5)) << "under the crossing";
  EXPECT_TRUE(inked(50, 49.5)) << "the collapsed summary's base line";
  EXPECT_FALSE(inkOutside(QRect(20, 20, 60, 31)));
}

TEST_F(Hooks, AMilestoneIsADiamondAndAZeroWidthCompletionDrawsNothing) {
  view.drawMilestone(*painter, item, QRectF(20, 20, 40, 40), kRed, kRed, kBlack, 1, false, false,
                     false, kGreen, kBlack, kBlue, 2, 3, 4, true, true, 3);
  view.drawCompletionBar(*painter, item, QRectF(100, 20, 0, 40), kRed, kRed, kBlack, 4, 2, true, 3);
  EXPECT_TRUE(isNear(at(40, 40), kRed)) << "the centre is filled";
  EXPECT_FALSE(inked(22, 22)) << "the corners are not";
  EXPECT_FALSE(inkOutside(QRect(18, 18, 45, 45))) << "not even a stroke for the completion";
}

// --- Lines ----------------------------------------------------------------------------------

TEST_F(Hooks, ADependencyLineHasInkBetweenItsEndsAndAnArrowHeadAtTheLast) {
  line(QPolygonF{QPointF(20, 30), QPointF(150, 30)}, 1);
  EXPECT_TRUE(inked(80, 30.5));
  EXPECT_TRUE(inked(143, 32)) << "the head is wider than the line";
  EXPECT_FALSE(inked(80, 32));
  EXPECT_FALSE(inked(150.5, 30.5)) << "the head ends at the last point";
}

TEST_F(Hooks, ALineIsAsWideAsItsWidthPlusItsStatesAndAWidthOfZeroIsAHairline) {
  line(QPolygonF{QPointF(20, 30), QPointF(150, 30), QPointF(150, 31)}, 4, true);
  line(QPolygonF{QPointF(20, 80), QPointF(150, 80)}, 0);
  int thick = 0;
  for (int y = 20; y < 40; ++y) thick += isNear(at(80, y + 0.5), kBlack, 60) ? 1 : 0;
  EXPECT_EQ(thick, 6) << "4 plus the highlight width 2";
  EXPECT_TRUE(inked(80, 80.5)) << "the cosmetic pen";
}

TEST_F(Hooks, AnArrowHeadFollowsTheLastSegmentThatHasALength) {
  line(QPolygonF{QPointF(100, 20), QPointF(100, 90), QPointF(100, 90)}, 1);
  line(QPolygonF{QPointF(200, 50), QPointF(200, 50)}, 1);
  line(QPolygonF{QPointF(30, 50)}, 1);
  EXPECT_TRUE(inked(101.5, 83)) << "pointing down along the vertical segment";
  EXPECT_FALSE(inked(95, 93));
  EXPECT_FALSE(inkOutside(QRect(94, 18, 13, 74)))
      << "a line of one point, or of points that coincide, has no head";
}

TEST_F(Hooks, TheTemporaryLineIsDashedUnlessItsDashIsNotPositive) {
  const auto gaps = [this](double y) {
    int count = 0;
    for (int x = 20; x < 130; ++x) count += inked(x + 0.5, y) ? 0 : 1;
    return count;
  };
  view.drawTemporaryDependencyLine(
      *painter, item, nullptr, GanttChartDependencyType::fromFinishToStart,
      QPolygonF{QPointF(10, 20.5), QPointF(140, 20.5)}, kBlack, 1, 4, 4, 5);
  view.drawTemporaryDependencyLine(
      *painter, item, nullptr, GanttChartDependencyType::fromFinishToStart,
      QPolygonF{QPointF(10, 50.5), QPointF(140, 50.5)}, kBlack, 1, 4, 4, 0);
  view.drawTemporaryDependencyLine(
      *painter, item, nullptr, GanttChartDependencyType::fromFinishToStart,
      QPolygonF{QPointF(10, 80.5), QPointF(140, 80.5)}, kBlack, 1, 4, 4, -3);
  EXPECT_NEAR(gaps(20.5), 55, 6) << "dashes and gaps of 5";
  EXPECT_EQ(gaps(50.5), 0);
  EXPECT_EQ(gaps(80.5), 0);
}

TEST_F(Hooks, ThumbsBulgeOutOfTheBarsEnd) {
  view.drawDependencyLineThumb(*painter, item, GanttChartDependencyEndType::finish, QPointF(40, 30),
                               10, kBlack);
  view.drawDependencyLineThumb(*painter, item, GanttChartDependencyEndType::start, QPointF(100, 30),
                               10, kBlack);
  const GanttChartItemPtr milestone =
      GanttChartItem::create({.type = GanttChartItemType::milestone});
  view.drawDependencyLineThumb(*painter, milestone, GanttChartDependencyEndType::finish,
                               QPointF(40, 80), 10, kBlack);
  view.drawDependencyLineThumb(*painter, milestone, GanttChartDependencyEndType::start,
                               QPointF(100, 80), 10, kBlack);
  EXPECT_TRUE(inked(45, 30));
  EXPECT_FALSE(inked(35, 30)) << "a finish thumb lies right of its centre";
  EXPECT_TRUE(inked(95, 30));
  EXPECT_FALSE(inked(105, 30)) << "a start thumb left of it";
  EXPECT_TRUE(inked(35, 80)) << "a milestone's thumb reaches around three quarters";
  EXPECT_FALSE(inked(31.5, 80));
  EXPECT_TRUE(inked(105, 80));
  EXPECT_FALSE(inked(108.5, 80));
}

TEST_F(Hooks, TheTemporaryBarIsADashedOutlineOnly) {
  view.drawTemporaryBar(*painter, QRectF(20.5, 20.5, 100, 30), kBlack, 2, 3);
  EXPECT_FALSE(inked(70, 35)) << "not filled";
  int gaps = 0;
  for (int x = 30; x < 110; ++x) gaps += inked(x + 0.5, 20.5) ? 0 : 1;
  EXPECT_NEAR(gaps, 40, 6);
}

// --- Areas and labels -----------------------------------------------------------------------

TEST_F(Hooks, FillsKeepThePaintersCompositionMode) {
  painter->setCompositionMode(QPainter::CompositionMode_Source);
  view.drawTimeArea(*painter, ScheduleTimeSelector(ScheduleTimeType::weekends),
                    QRectF(10, 10, 50, 50), QColor(0, 0, 255, 128));
  view.drawBackground(*painter, 0, QRectF(100, 10, 50, 50), QColor(255, 0, 0, 64));
  EXPECT_EQ(at(30, 30).alpha(), 128) << "replaced, not blended over white";
  EXPECT_EQ(at(120, 30).alpha(), 64);
}

TEST_F(Hooks, LabelsAreCentredOrAtTheTopAndStayInsideTheirRectangles) {
  QFont font;
  font.setPixelSize(12);
  view.drawBarLabel(*painter, item, QRectF(10, 0, 100, 120),
                    "A label far too long for its bar, cut short", kBlack, Qt::AlignLeft, font);
  view.drawTimeAreaLabel(*painter, TimeSelector(TimeIntervalType::days()), QRectF(130, 10, 60, 100),
                         "Clipped at the edge of its area", kBlack, Qt::AlignLeft, font,
                         VerticalTextAlignment::top);
  // One line of the font as this machine has it, with a pixel either side
  // for antialiasing: unhinted glyphs may spread into it.
  const int line = static_cast<int>(std::ceil(QFontMetricsF(font).height())) + 2;
  EXPECT_FALSE(inkOutside(QRect(9, 58 - line / 2, 102, line + 4), QRect(0, 0, 125, 120)))
      << "one line in the middle, cut short within its rectangle";
  EXPECT_FALSE(inkOutside(QRect(130, 10, 60, line), QRect(125, 0, 115, 120)))
      << "one line at the top, clipped at the rectangle's edge";
  int topInk = 0;
  for (int y = 10; y < 10 + line; ++y) {
    for (int x = 130; x < 190; ++x) topInk += inked(x, y) ? 1 : 0;
  }
  EXPECT_GT(topInk, 20);
}

// A host's megabyte note as a label, here a letter under a million
// combining accents (the costliest text to shape), still draws within its
// bar like any other label.
TEST_F(Hooks, AMegabyteLabelIsDrawnWithinItsBar) {
  QString note = "a";
  note.append(QString(1 << 20, QChar(0x0301)));
  QFont font;
  font.setPixelSize(12);
  view.drawBarLabel(*painter, item, QRectF(10, 0, 100, 40), note, kBlack, Qt::AlignLeft, font);
  view.drawAttachmentLabel(*painter, item, QRectF(10, 40, 100, 40), note + "\n" + note, kBlack,
                           font);
  view.drawTimeAreaLabel(*painter, TimeSelector(TimeIntervalType::days()), QRectF(130, 10, 60, 100),
                         note, kBlack, Qt::AlignLeft, font, VerticalTextAlignment::top);
  // Some ink in the bar, wherever the font puts the letter's strokes; none
  // outside it but a pixel of antialiasing.
  int barInk = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 10; x < 110; ++x) barInk += inked(x, y) ? 1 : 0;
  }
  EXPECT_GT(barInk, 0);
  EXPECT_FALSE(inkOutside(QRect(9, 0, 102, 80), QRect(0, 0, 125, 120)));
}

// --- What a host's override may hand over ---------------------------------------------------

TEST_F(Hooks, AHugeBarShowsItsVisiblePartAndNothingOutsideTheClip) {
  painter->setClipRect(QRect(20, 20, 200, 80));
  bar(QRectF(-1e300, 40, 2e300, 20), true, true, true);
  EXPECT_TRUE(isNear(at(120, 50), QColor(128, 0, 128), 8)) << "the middle of its gradient";
  EXPECT_TRUE(isNear(at(120, 37), kBlue)) << "its outline";
  EXPECT_FALSE(inkOutside(QRect(20, 20, 200, 80)));
}

TEST_F(Hooks, NonFiniteAndAbsurdGeometryPaintsNothingOutsideTheClip) {
  painter->setClipRect(QRect(20, 20, 200, 80));
  bar(QRectF(kNaN, 40, 10, 10), false, false, false);
  bar(QRectF(30, 40, kInfinity, 10), false, false, false);
  line(QPolygonF{QPointF(-kInfinity, 30), QPointF(1e300, 30), QPointF(1e300, kNaN),
                 QPointF(100, 90), QPointF(100, 90)},
       1e300);
  view.drawTemporaryDependencyLine(
      *painter, item, nullptr, GanttChartDependencyType::fromFinishToStart,
      QPolygonF{QPointF(-1e12, 25), QPointF(1e12, 25)}, kBlack, 1, 1e300, kInfinity, 1e-300);
  view.drawDependencyLineThumb(*painter, item, GanttChartDependencyEndType::finish,
                               QPointF(1e300, 1e300), 1e300, kBlack);
  view.drawDependencyLineThumb(*painter, item, GanttChartDependencyEndType::start, QPointF(0, 50),
                               kInfinity, kBlack);
  view.drawTemporaryBar(*painter, QRectF(-1e308, -1e308, kInfinity, kInfinity), kBlack, kInfinity,
                        1e-12);
  view.drawSummaryBar(*painter, item, QRectF(0, 0, 1e300, 50), kRed, kRed, kBlack, kInfinity, kNaN,
                      1e300, false, false, false, false, kGreen, kBlack, kBlue, 2, 3, 4, true, true,
                      true, true, kNaN);
  view.drawBarLabel(*painter, item, QRectF(-1e300, 0, 2e300, 1e300), "Centred far away", kBlack,
                    Qt::AlignHCenter, QFont());
  view.drawTimeAreaLabel(*painter, TimeSelector(TimeIntervalType::days()), QRectF(kNaN, 0, 10, 10),
                         "x", kBlack, Qt::AlignRight, QFont(), VerticalTextAlignment::center);
  view.drawBorder(*painter, QRectF(), QPointF(kNaN, 0), QPointF(10, 10), 1, kBlack);
  view.drawBackground(*painter, QColor(0, 0, 0, 0), QSizeF(1e300, 1e300));
  EXPECT_FALSE(inkOutside(QRect(20, 20, 200, 80)));
}

TEST(ContentViewHooks, MilestonesSummariesAndLinesFarOutDrawAsNearTheOrigin) {
  GanttChartContent view;
  const GanttChartItemPtr item = GanttChartItem::create({});
  // The forms drawn with the painter moved by `far` on both axes, as a
  // canvas far along a long document draws them.
  const auto drawn = [&](double far) {
    QImage image(240, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(kWhite);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-far, -far);
    const QPointF at(far, far);
    view.drawMilestone(painter, item, QRectF(20, 20, 40, 40).translated(at), kRed, kRed, kBlack, 1,
                       false, false, false, kGreen, kBlack, kBlue, 2, 3, 4, true, true, 3);
    view.drawSummaryBar(painter, item, QRectF(80, 20, 60, 30).translated(at), kRed, kBlue, kBlack,
                        1, 10, 10, false, false, false, false, kGreen, kBlack, kBlue, 2, 3, 4, true,
                        true, true, true, 3);
    // A link from far off the image to an item on it.
    view.drawDependencyLine(
        painter, nullptr,
        QPolygonF{QPointF(-1e6, 100), QPointF(200, 100), QPointF(200, 60)}.translated(at), kBlack,
        1, 8, 10, false, false, false, 2, 3, 4);
    return image;
  };
  const QImage nearTheOrigin = drawn(0);
  // Beyond a trillion points, up to the longest document a scroll view maps.
  for (const double far : {std::ldexp(1.0, 44), std::ldexp(1.0, 52)}) {
    EXPECT_EQ(drawn(far), nearTheOrigin) << far;
  }
}

TEST(ContentViewHooks, TheLibraryFormsDrawNothingOutsideAPaintPass) {
  GanttChartContent view;
  const GanttChartItemPtr item = GanttChartItem::create({});
  view.drawBackground(Color(1, 0, 0, 1), Size{100, 100});
  view.drawBar(item, Rectangle(0, 0, 10, 10), Color(), Color(), std::nullopt, 1, 1, true, true,
               true, Color(), Color(), Color(), 1, 1, 1, true, true, true, true, 1);
  view.drawBarLabel(item, Rectangle(0, 0, 10, 10), "x", Color(), TextAlignment::center, Font());
  view.drawDependencyLine(nullptr, {Point{0, 0}, Point{10, 10}}, Color(), 1, 1, 1, false, false,
                          false, 1, 1, 1);
}

}  // namespace
}  // namespace vorlent
