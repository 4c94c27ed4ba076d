#include "vorlent/views/paint_clipping.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <limits>
#include <optional>

namespace vorlent::paint {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QRectF kArea(0, 0, 100, 100);

TEST(PaintCutToArea, KeepsWhatLiesInsideAndCutsTheRestIncludingInfinities) {
  EXPECT_EQ(cutToArea(QRectF(10, 10, 20, 20), kArea), QRectF(10, 10, 20, 20));
  EXPECT_EQ(cutToArea(QRectF(30, 30, -20, -20), kArea), QRectF(10, 10, 20, 20));
  EXPECT_EQ(cutToArea(QRectF(-1e300, 10, 2e300, 20), kArea), QRectF(0, 10, 100, 20));
  EXPECT_EQ(cutToArea(QRectF(-kInfinity, -kInfinity, kInfinity, kInfinity), kArea), kArea);
  EXPECT_EQ(cutToArea(QRectF(200, 10, 20, 20), kArea), std::nullopt);
  EXPECT_EQ(cutToArea(QRectF(kNaN, 10, 20, 20), kArea), std::nullopt);
}

TEST(PaintPenWidth, KeepsTheHairlineForTheMeaninglessAndNarrowsTheHuge) {
  EXPECT_EQ(penWidth(0), 0.0);
  EXPECT_EQ(penWidth(2.5), 2.5);
  EXPECT_EQ(penWidth(kInfinity), kMaximumPenWidth);
  EXPECT_EQ(penWidth(-1), 0.0);
  EXPECT_EQ(penWidth(kNaN), 0.0);
}

TEST(PaintDashes, AreMeasuredInPointsWhateverThePenWidthAndOnlyWhenPositive) {
  QPen wide = solidPen(Qt::black, 4);
  setDashes(wide, 8, 20);
  EXPECT_EQ(wide.dashPattern(), (QList<qreal>{2, 2}));
  EXPECT_EQ(wide.dashOffset(), 1) << "20 points into a pattern of 16 is 4 points";
  QPen hairline = solidPen(Qt::black, 0);
  setDashes(hairline, 3);
  EXPECT_EQ(hairline.dashPattern(), (QList<qreal>{3, 3}));
  for (const double length : {0.0, -2.0, kNaN}) {
    QPen pen = solidPen(Qt::black, 1);
    setDashes(pen, length);
    EXPECT_EQ(pen.style(), Qt::SolidLine) << length;
  }
}

TEST(PaintCutPolyline, GivesTheRunsInsideWithHowFarAlongEachStarts) {
  const QPolygonF inside{QPointF(10, 10), QPointF(90, 10)};
  ASSERT_EQ(cutPolyline(inside, kArea).size(), 1U);
  EXPECT_EQ(cutPolyline(inside, kArea).front().points, inside);

  // In, out across the right edge, back in, and on.
  const QPolygonF wandering{QPointF(50, 10), QPointF(150, 10), QPointF(150, 50), QPointF(50, 50),
                            QPointF(50, 90)};
  const std::vector<PolylinePiece> pieces = cutPolyline(wandering, kArea);
  ASSERT_EQ(pieces.size(), 2U);
  EXPECT_EQ(pieces[0].points, (QPolygonF{QPointF(50, 10), QPointF(100, 10)}));
  EXPECT_EQ(pieces[0].offset, 0);
  EXPECT_EQ(pieces[1].points, (QPolygonF{QPointF(100, 50), QPointF(50, 50), QPointF(50, 90)}));
  EXPECT_EQ(pieces[1].offset, 190);
}

TEST(PaintCutPolyline, SplitsAtNaNAndBringsInfinitiesIntoReach) {
  const QPolygonF broken{QPointF(10, 10), QPointF(kNaN, 20), QPointF(20, 20), QPointF(30, 20)};
  const std::vector<PolylinePiece> pieces = cutPolyline(broken, kArea);
  ASSERT_EQ(pieces.size(), 1U);
  EXPECT_EQ(pieces[0].points, (QPolygonF{QPointF(20, 20), QPointF(30, 20)}));

  const QPolygonF endless{QPointF(-kInfinity, 50), QPointF(kInfinity, 50)};
  const std::vector<PolylinePiece> cut = cutPolyline(endless, kArea);
  ASSERT_EQ(cut.size(), 1U);
  EXPECT_EQ(cut[0].points, (QPolygonF{QPointF(0, 50), QPointF(100, 50)}));
}

TEST(PaintCutPolygon, ReplacesThePartsOutsideByTheAreasEdges) {
  const QPolygonF triangle{QPointF(50, -50), QPointF(150, 50), QPointF(50, 50)};
  const QRectF bounds = cutPolygon(triangle, kArea).boundingRect();
  EXPECT_EQ(bounds, QRectF(50, 0, 50, 50));
  EXPECT_TRUE(cutPolygon(QPolygonF{QPointF(200, 200), QPointF(300, 200), QPointF(250, 300)}, kArea)
                  .isEmpty());
  EXPECT_TRUE(
      cutPolygon(QPolygonF{QPointF(kNaN, 0), QPointF(10, 10), QPointF(0, 10)}, kArea).isEmpty());
}

TEST(PaintPrimitives, EndlessLinesAndFillsReachTheImageWhereTheyCrossIt) {
  QImage image(400, 20, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    // Narrowed to the widest pen: 128 points on either side.
    strokeLineWithin(painter, QPointF(0, -1e300), QPointF(0, 1e300), 1e9, Qt::green);
    strokeLineWithin(painter, QPointF(-kInfinity, 5.5), QPointF(kInfinity, 5.5), 1, Qt::black);
    fillWithin(painter, QRectF(200, 12, kInfinity, 4), Qt::blue);
    fillWithin(painter, QRectF(kNaN, 0, 10, 20), Qt::red);  // the NaN lies far to the right
  }
  EXPECT_EQ(image.pixelColor(127, 1), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(129, 1), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(0, 5), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(399, 5), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(199, 14), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(399, 14), QColor(Qt::blue));
  EXPECT_EQ(reachableArea(QPainter(&image), 0), QRectF(0, 0, 400, 20));
}

// Tall fills are made in bands; the pixels are those of one Qt fill,
// whatever the edges, the scale, the scroll offset and the clip.
TEST(PaintPrimitives, TallFillsGiveThePixelsOfOneFill) {
  struct Case {
    QRectF rect;
    double scale;
    QPointF offset;
    std::optional<QRectF> clip;
  };
  const QColor shade(40, 90, 200, 70);
  for (const Case& c :
       {Case{QRectF(10, 0, 60, kInfinity), 1, QPointF(0, -3), std::nullopt},
        Case{QRectF(10.3, 7.6, 33.45, 500), 1, QPointF(0, 0), std::nullopt},
        Case{QRectF(5.25, -20.5, 20, 900), 2, QPointF(-1.5, 0.25), std::nullopt},
        Case{QRectF(0, 0, 80, 1e300), 1.25, QPointF(0, -7), QRectF(3, 11, 90, 333)},
        Case{QRectF(40, 0, -30.7, 400.3), 1, QPointF(0, 0), QRectF(0, 1.5, 50, 300)}}) {
    QImage banded(120, 600, QImage::Format_ARGB32_Premultiplied);
    banded.fill(Qt::white);
    QImage whole = banded;
    const auto paint = [&](QImage& image, bool inBands) {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.scale(c.scale, c.scale);
      painter.translate(c.offset);
      if (c.clip) painter.setClipRect(*c.clip);
      const QRectF rect = c.rect.normalized().intersected(reachableArea(painter));
      if (inBands) {
        fillWithin(painter, c.rect, shade);
      } else {
        painter.fillRect(rect, shade);
      }
    };
    paint(banded, true);
    paint(whole, false);
    EXPECT_TRUE(banded == whole) << c.rect.x() << " " << c.rect.y() << " at " << c.scale;
  }
}

// Qt shapes a text whole before drawing any of it, so what the views lay out
// of one label is bounded, whatever the host hands them.
TEST(PaintCutForLayout, KeepsAShortTextAndCutsALongOneBetweenWholeCharacters) {
  const QString fits(paint::kMostLaidOutCharacters, QChar('a'));
  EXPECT_EQ(paint::cutForLayout(fits), fits);

  const QString megabyte = QString("a") + QString(1 << 20, QChar(0x0301));
  const QString cut = paint::cutForLayout(megabyte);
  EXPECT_EQ(cut, megabyte.left(paint::kMostLaidOutCharacters) + QChar(0x2026));

  // A surrogate pair straddling the limit is dropped whole, not halved.
  const QString pairs = QString(paint::kMostLaidOutCharacters - 1, QChar('a')) +
                        QString::fromUcs4(U"\U0001F600\U0001F600");
  const QString cutPairs = paint::cutForLayout(pairs);
  EXPECT_EQ(cutPairs, QString(paint::kMostLaidOutCharacters - 1, QChar('a')) + QChar(0x2026));
  EXPECT_FALSE(cutPairs.at(cutPairs.size() - 2).isHighSurrogate());
}

}  // namespace
}  // namespace vorlent::paint
