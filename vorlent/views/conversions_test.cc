#include "vorlent/views/conversions.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vorlent {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(GeometryToQt, ClampsEveryCoordinateIntoTheFiniteRange) {
  struct Case {
    double in;
    double out;
  };
  for (const Case c : {Case{1.5, 1.5}, Case{-2, -2}, Case{kInf, kMax}, Case{-kInf, -kMax},
                       Case{kNaN, kMax}}) {
    EXPECT_EQ(toQt(Point{c.in, 7}), QPointF(c.out, 7)) << c.in;
    EXPECT_EQ(toQt(Point{7, c.in}), QPointF(7, c.out)) << c.in;
  }
}

TEST(GeometryToQt, ClampsLengthsIntoZeroToTheGreatestFinite) {
  struct Case {
    double in;
    double out;
  };
  for (const Case c : {Case{3, 3}, Case{-3, 0}, Case{kInf, kMax}, Case{-kInf, 0},
                       Case{kNaN, kMax}}) {
    const QSizeF size = toQt(Size{c.in, 5});
    EXPECT_EQ(size.width(), c.out) << c.in;
    EXPECT_EQ(size.height(), 5);
    EXPECT_EQ(toQt(Size{5, c.in}).height(), c.out) << c.in;
  }
}

TEST(GeometryToQt, ClampsARectanglesOriginAndSizeSeparately) {
  EXPECT_EQ(toQt(Rectangle(1, 2, 3, 4)), QRectF(1, 2, 3, 4));
  Rectangle unnormalised;
  unnormalised.origin = Point{kNaN, -kInf};
  unnormalised.size = Size{-3, kInf};
  const QRectF rect = toQt(unnormalised);
  EXPECT_EQ(rect.x(), kMax);
  EXPECT_EQ(rect.y(), -kMax);
  EXPECT_EQ(rect.width(), 0);
  EXPECT_EQ(rect.height(), kMax);
}

TEST(GeometryToQt, ConvertsPointListsInOrderWithTheSameClamping) {
  EXPECT_TRUE(toQt(std::vector<Point>{}).isEmpty());
  const QPolygonF polygon = toQt(std::vector<Point>{{3, 4}, {kInf, 1}, {0, -1}});
  ASSERT_EQ(polygon.size(), 3);
  EXPECT_EQ(polygon[0], QPointF(3, 4));
  EXPECT_EQ(polygon[1], QPointF(kMax, 1));
  EXPECT_EQ(polygon[2], QPointF(0, -1));
}

TEST(GeometryFromQt, CopiesPointsSizesAndPointListsUnchanged) {
  EXPECT_EQ(fromQt(QPointF(-1.25, kInf)), (Point{-1.25, kInf}));
  EXPECT_EQ(fromQt(QSizeF(-3, 2)), (Size{-3, 2}));
  QPolygonF polygon;
  polygon << QPointF(1, 2) << QPointF(-3, 4);
  EXPECT_EQ(fromQt(polygon), (std::vector<Point>{{1, 2}, {-3, 4}}));
  EXPECT_TRUE(fromQt(QPolygonF()).empty());
}

TEST(GeometryFromQt, ARectangleOfNegativeSizeKeepsItsArea) {
  EXPECT_EQ(fromQt(QRectF(10, 20, 4, 6)), Rectangle(10, 20, 4, 6));
  const Rectangle flippedWidth = fromQt(QRectF(10, 20, -4, 6));
  EXPECT_EQ(flippedWidth.origin, (Point{6, 20}));
  EXPECT_EQ(flippedWidth.size, (Size{4, 6}));
  const Rectangle flippedBoth = fromQt(QRectF(10, 20, -4, -6));
  EXPECT_EQ(flippedBoth.origin, (Point{6, 14}));
  EXPECT_EQ(flippedBoth.size, (Size{4, 6}));
  // Qt's own reading of the rectangle agrees.
  EXPECT_EQ(toQt(flippedBoth), QRectF(10, 20, -4, -6).normalized());
}

TEST(OptionalConversions, GiveNothingForNothingAndThePlainResultOtherwise) {
  EXPECT_EQ(toQt(std::optional<Point>()), std::nullopt);
  EXPECT_EQ(toQt(std::optional<Point>(Point{kInf, 1})), QPointF(kMax, 1));
  EXPECT_EQ(toQt(std::optional<Size>(Size{-1, 1})), QSizeF(0, 1));
  EXPECT_EQ(toQt(std::optional<Rectangle>()), std::nullopt);
  EXPECT_EQ(toQt(std::optional<Rectangle>(Rectangle(1, 2, 3, 4))), QRectF(1, 2, 3, 4));
  EXPECT_EQ(toQt(std::optional<std::vector<Point>>()), std::nullopt);
  EXPECT_EQ(toQt(std::optional<std::vector<Point>>(std::vector<Point>{{1, 2}}))->size(), 1);
  EXPECT_EQ(toQt(std::optional<Color>()), std::nullopt);
  EXPECT_EQ(toQt(std::optional<TextAlignment>(TextAlignment::right)), Qt::AlignRight);
  EXPECT_EQ(toQt(std::optional<Font>()), std::nullopt);
  EXPECT_TRUE(toQt(std::optional<Font>(Font{})).has_value());

  EXPECT_EQ(fromQt(std::optional<QPointF>()), std::nullopt);
  EXPECT_EQ(fromQt(std::optional<QPointF>(QPointF(1, 2))), (Point{1, 2}));
  EXPECT_EQ(fromQt(std::optional<QSizeF>(QSizeF(1, 2))), (Size{1, 2}));
  EXPECT_EQ(fromQt(std::optional<QRectF>(QRectF(10, 20, -4, 6))), Rectangle(6, 20, 4, 6));
  EXPECT_EQ(fromQt(std::optional<QPolygonF>()), std::nullopt);
  EXPECT_EQ(fromQt(std::optional<QColor>()), std::nullopt);
  EXPECT_EQ(fromQt(std::optional<Qt::Alignment>(Qt::AlignHCenter)), TextAlignment::center);
  EXPECT_EQ(fromQt(std::optional<QPalette>()), std::nullopt);
}

// QColor keeps 16 bits a component.
constexpr double kColorTolerance = 1.0 / 65535;

void expectComponents(const QColor& color, double r, double g, double b, double a) {
  EXPECT_TRUE(color.isValid());
  EXPECT_NEAR(color.redF(), r, kColorTolerance);
  EXPECT_NEAR(color.greenF(), g, kColorTolerance);
  EXPECT_NEAR(color.blueF(), b, kColorTolerance);
  EXPECT_NEAR(color.alphaF(), a, kColorTolerance);
}

TEST(ColorConversions, PassesComponentsInRangeAndClampsTheRest) {
  expectComponents(toQt(Color(0.25, 0.5, 0.75, 1)), 0.25, 0.5, 0.75, 1);
  expectComponents(toQt(Color(-0.5, 1.5, kInf, -kInf)), 0, 1, 1, 0);
  expectComponents(toQt(Color(kNaN, kNaN, 0.5, kNaN)), 0, 0, 0.5, 0);
}

TEST(ColorConversions, ReadsQtColoursAsRgbComponents) {
  const Color read = fromQt(QColor::fromRgbF(0.25F, 0.5F, 0.75F, 0.5F));
  EXPECT_NEAR(read.red, 0.25, kColorTolerance);
  EXPECT_NEAR(read.green, 0.5, kColorTolerance);
  EXPECT_NEAR(read.blue, 0.75, kColorTolerance);
  EXPECT_NEAR(read.alpha, 0.5, kColorTolerance);
  // A colour given as hue, saturation and value still reads as RGB.
  const Color red = fromQt(QColor::fromHsvF(0, 1, 1));
  EXPECT_NEAR(red.red, 1, kColorTolerance);
  EXPECT_NEAR(red.green, 0, kColorTolerance);
  EXPECT_NEAR(red.blue, 0, kColorTolerance);
}

TEST(AlignmentConversions, RoundTripEachCaseAndReadOtherQtAlignmentsAsLeft) {
  for (const TextAlignment alignment :
       {TextAlignment::left, TextAlignment::center, TextAlignment::right}) {
    EXPECT_EQ(fromQt(toQt(alignment)), alignment) << alignment;
  }
  EXPECT_EQ(toQt(TextAlignment::center), Qt::AlignHCenter);
  EXPECT_EQ(fromQt(Qt::AlignCenter), TextAlignment::center);
  EXPECT_EQ(fromQt(Qt::AlignRight | Qt::AlignVCenter), TextAlignment::right);
  EXPECT_EQ(fromQt(Qt::AlignTrailing), TextAlignment::right);
  EXPECT_EQ(fromQt(Qt::AlignJustify), TextAlignment::left);
  EXPECT_EQ(fromQt(Qt::AlignLeading), TextAlignment::left);
  EXPECT_EQ(fromQt(Qt::Alignment()), TextAlignment::left);
}

// A family installed on this machine, other than the application font's
// where there is one, that Qt draws in when asked for it.
QString installedFamily() {
  const QString application = QFont().family();
  QString found = application;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family) || QFontInfo(QFont(family)).family() != family) {
      continue;
    }
    found = family;
    if (family != application) break;
  }
  return found;
}

TEST(FontConversion, UsesAKnownFamilyAtTheRequestedSize) {
  const QString family = installedFamily();
  const QFont font = toQt(Font{family.toStdString(), 13});
  EXPECT_EQ(font.family(), family);
  EXPECT_EQ(font.pointSizeF(), 13);
  EXPECT_EQ(QFontInfo(font).family(), family);
}

TEST(FontConversion, FallsBackToTheApplicationFontForWhatIsMissingOrUnknown) {
  const QFont application;
  const QFont none = toQt(Font{});
  EXPECT_EQ(none.family(), application.family());
  EXPECT_EQ(none.pointSizeF(), application.pointSizeF());

  const QFont sizeOnly = toQt(Font{std::nullopt, 21});
  EXPECT_EQ(sizeOnly.family(), application.family());
  EXPECT_EQ(sizeOnly.pointSizeF(), 21);

  for (const std::string unknown : {"No Such Family Anywhere", ""}) {
    const QFont font = toQt(Font{unknown, 17});
    EXPECT_EQ(font.family(), application.family()) << unknown;
    EXPECT_EQ(font.pointSizeF(), 17) << unknown;
  }
}

TEST(FontConversion, KeepsTheApplicationSizeForSizesThatAreNotPositiveAndFinite) {
  const QFont application;
  for (const double bad : {0.0, -4.0, kNaN, kInf, -kInf}) {
    EXPECT_EQ(toQt(Font{"DejaVu Serif", bad}).pointSizeF(), application.pointSizeF()) << bad;
  }
  EXPECT_EQ(toQt(Font{std::nullopt, 1e9}).pointSizeF(), kMaximumFontPointSize);
}

TEST(CursorConversion, GivesEachCaseItsQtShape) {
  EXPECT_EQ(qtCursor(Cursor::moveHorizontally).shape(), Qt::OpenHandCursor);
  EXPECT_EQ(qtCursor(Cursor::moveVertically).shape(), Qt::ClosedHandCursor);
  EXPECT_EQ(qtCursor(Cursor::resizeHorizontally).shape(), Qt::SizeHorCursor);
  EXPECT_EQ(qtCursor(Cursor::resizeVertically).shape(), Qt::SizeHorCursor);
  EXPECT_EQ(qtCursor(Cursor::draw).shape(), Qt::PointingHandCursor);
}

}  // namespace
}  // namespace vorlent
