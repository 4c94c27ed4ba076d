#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/style/header_style.h"
#include "vorlent/style/theme_constants.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/header_view_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::countInk;
using testing::expectInkInEveryCell;
using testing::kHeaderStart;
using testing::makeHeaderController;
using testing::makeShownHeader;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(HeaderDrawing, EveryDayCellOfA700By25HeaderShowsItsLabel) {
  const auto header = makeShownHeader(700, 25);
  header->setController(makeHeaderController());
  header->scrollTo(90, 90);  // a day cut on either side
  const QImage image = header->imageRepresentation();
  ASSERT_EQ(image.size(), QSize(700, 25));
  expectInkInEveryCell(*header, image, 1, 12);
  expectInkInEveryCell(*header, image, 0, 2);  // the weeks above
}

TEST(HeaderDrawing, TheDesignTimeSampleLabelsEveryDay) {
  const auto header = makeShownHeader(700, 25);
  header->prepareForInterfaceBuilder();
  expectInkInEveryCell(*header, header->imageRepresentation(), 0, 12);
}

TEST(HeaderDrawing, LabelsStayReadableFarAlongAnEndlessHeader) {
  const auto header = makeShownHeader(700, 25);
  auto controller = GanttChartHeaderController::create(TimeRange(kHeaderStart, Time::max()));
  header->setController(controller);
  ASSERT_GT(header->scrollView()->documentSize().width(),
            StandardScrollView::kMaximumDocumentLength);
  header->scrollTo(1e9, 1e9 + 700);
  ASSERT_GT(controller->viewport().left(), 9e8);
  expectInkInEveryCell(*header, header->imageRepresentation(), 1, 11);
}

TEST(HeaderDrawing, CentredLabelsSitInTheMiddleOfTheRowTopOnesAtItsTop) {
  const auto header = makeShownHeader(700, 60);
  const auto controller = makeHeaderController();
  controller->setRows({GanttChartHeaderRow(TimeIntervalType::days())});
  header->setController(controller);
  const auto inkCentre = [&] {
    const QImage image = header->imageRepresentation();
    double sum = 0;
    int count = 0;
    for (int y = 2; y < 58; ++y) {
      const int ink = countInk(image, QRect(2, y, 50, 1));
      sum += ink * y;
      count += ink;
    }
    return count > 0 ? sum / count : -1.0;
  };
  EXPECT_NEAR(inkCentre(), 30, 3);
  GanttChartHeaderStyle top;
  top.verticalLabelAlignment = VerticalTextAlignment::top;
  controller->setStyle(top);
  controller->settingsDidChange();
  const double topCentre = inkCentre();
  EXPECT_GT(topCentre, 0);
  EXPECT_LT(topCentre, 15);
}

TEST(HeaderDrawing, ADarkPaletteDarkensTheBackground) {
  const auto header = makeShownHeader(700, 50);
  header->setController(makeHeaderController());
  const QPoint blank(55, 40);  // right of a left-aligned day label
  const QColor light = header->imageRepresentation().pixelColor(blank);
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(20, 20, 24));
  header->setPalette(dark);
  const QColor darkened = header->imageRepresentation().pixelColor(blank);
  EXPECT_GT(light.lightnessF(), 0.5);
  EXPECT_LT(darkened.lightnessF(), 0.5);
  EXPECT_EQ(darkened, toQt(darkHeaderBackgroundColor()));
}

// Draws each label centred in a rectangle a thousand billion points wide
// around the cell's centre, or right-aligned in one ending at its right edge.
class WideLabelHeader : public GanttChartHeader {
 public:
  using GanttChartHeader::drawCellLabel;
  void drawCellLabel(QPainter& painter, const TimeSelector& selector,
                     const GanttChartHeaderRow& row, const QRectF& rectangle, const QString& text,
                     const QColor& foregroundColor, Qt::Alignment /*alignment*/, const QFont& font,
                     VerticalTextAlignment verticalAlignment) override {
    constexpr double kWide = 1e12;
    const QRectF wide =
        rightAligned
            ? QRectF(rectangle.right() - kWide, rectangle.y(), kWide, rectangle.height())
            : QRectF(rectangle.center().x() - kWide / 2, rectangle.y(), kWide, rectangle.height());
    GanttChartHeader::drawCellLabel(painter, selector, row, wide, text, foregroundColor,
                                    rightAligned ? Qt::AlignRight : Qt::AlignHCenter, font,
                                    verticalAlignment);
  }
  bool rightAligned = false;
};

TEST(HeaderDrawing, ALabelInAVeryWideRectangleIsPlacedByItsAlignment) {
  WideLabelHeader header;
  header.resize(700, 30);
  header.show();
  const auto controller = makeHeaderController();
  controller->setRows({GanttChartHeaderRow(TimeIntervalType::days())});
  header.setController(controller);
  // The day from 60 to 120: its middle third, then its last third.
  EXPECT_GT(countInk(header.imageRepresentation(), QRect(80, 0, 20, 30)), 0);
  EXPECT_EQ(countInk(header.imageRepresentation(), QRect(62, 0, 16, 30)), 0);
  header.rightAligned = true;
  header.clipView()->update();
  EXPECT_GT(countInk(header.imageRepresentation(), QRect(100, 0, 19, 30)), 0);
  EXPECT_EQ(countInk(header.imageRepresentation(), QRect(62, 0, 30, 30)), 0);
}

// Labels a host's generator makes a megabyte long, of a letter under
// combining accents (the costliest text to shape), still mark every cell.
TEST(HeaderDrawing, MegabyteLabelsStillMarkEveryCell) {
  const auto header = makeShownHeader(700, 25);
  const auto controller = makeHeaderController();
  std::string note = "a";
  for (int i = 0; i < (1 << 19); ++i) note += "\u0301";
  controller->setRows({GanttChartHeaderRow(
      TimeSelector(TimeIntervalType::days(),
                   std::make_shared<TimeLabelSource>([&note](const TimeRange& /*interval*/) {
                     return std::optional<std::string>(note);
                   })))});
  header->setController(controller);
  const QImage image = header->imageRepresentation();
  expectInkInEveryCell(*header, image, 0, 12);
}

// --- Image export ---------------------------------------------------------------

TEST(HeaderImageExport, GivesAPngOfTheViewsSizeAndOtherFormatsOnRequest) {
  const auto header = makeShownHeader(640, 40);
  header->setController(makeHeaderController());
  const QImage captured = header->imageRepresentation();
  EXPECT_EQ(captured.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(header->image().size(), QSize(640, 40));

  const QByteArray png = header->imageData();
  ASSERT_TRUE(png.startsWith("\x89PNG"));
  const QImage decoded = QImage::fromData(png, "png");
  EXPECT_EQ(decoded.size(), QSize(640, 40));
  EXPECT_EQ(decoded.pixelColor(100, 30), captured.pixelColor(100, 30));

  const QByteArray jpeg = header->imageData("JPEG", ImageProperties{10, std::nullopt});
  EXPECT_TRUE(jpeg.startsWith("\xff\xd8"));
  EXPECT_LT(jpeg.size(), header->imageData("jpeg", ImageProperties{100, std::nullopt}).size());
  EXPECT_TRUE(header->imageData("no such format").isEmpty());
  EXPECT_TRUE(header->imageData("").isEmpty());
}

TEST(HeaderImageExport, AnEmptyViewGivesNothing) {
  GanttChartHeader header;
  header.resize(0, 30);
  EXPECT_TRUE(header.imageRepresentation().isNull());
  EXPECT_TRUE(header.image().isNull());
  EXPECT_TRUE(header.imageData().isEmpty());
}

// --- Hooks in two forms ----------------------------------------------------------

// Calls each presenter requirement once from its drawing pass, with the
// values a test gives it.
class ScriptedHeaderController : public GanttChartHeaderController {
 public:
  ScriptedHeaderController()
      : GanttChartHeaderController(TimeRange(kHeaderStart, kHeaderStart.addingWeeks(1))) {}

  void draw(const Rectangle& /*within*/) override {
    const auto p = presenter();
    if (!p) return;
    const GanttChartHeaderRow& row = rows()[1];
    const TimeSelector& selector = row.selectors[0];
    p->drawBackground(Color(1, 0, 0, 1), Size{kInfinity, kNaN});
    p->drawBorder(Rectangle(0, 0, 10, 10), Line(1, 2, 3, 4), 0.5, Color(0, 0, 1, 1));
    p->drawTimeArea(ScheduleTimeSelector(ScheduleTimeType::weekends), Rectangle(5, 6, 7, 8),
                    Color(0, 1, 0, 0.5));
    p->drawCell(selector, row, Rectangle(10, 0, 20, 25), Color(0, 0, 0, 1));
    p->drawCellBorder(selector, row, Rectangle(10, 0, 20, 25), Line(kNaN, 0, kNaN, 25), kInfinity,
                      Color(0, 0, 0, 1));
    p->drawCellLabel(selector, row, Rectangle(10, 0, 20, 25), "Mo", Color(0.2, 0.4, 0.6, 1),
                     TextAlignment::right, Font{std::nullopt, 14.0}, VerticalTextAlignment::top);
  }
};

std::string describe(const QRectF& r) {
  std::ostringstream out;
  out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
  return out.str();
}

std::string describe(const QPointF& p) {
  std::ostringstream out;
  out << p.x() << "," << p.y();
  return out.str();
}

// Records what reaches the Qt hooks, then draws as the view does.
class RecordingHeader : public GanttChartHeader {
 public:
  using GanttChartHeader::drawBackground;
  using GanttChartHeader::drawBorder;
  using GanttChartHeader::drawCell;
  using GanttChartHeader::drawCellBorder;
  using GanttChartHeader::drawCellLabel;
  using GanttChartHeader::drawTimeArea;

  void drawBackground(QPainter& painter, const QColor& color, const QSizeF& size) override {
    calls.push_back("background " + color.name().toStdString() + " " + describe(QRectF({}, size)));
    GanttChartHeader::drawBackground(painter, color, size);
  }
  void drawBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1, const QPointF& p2,
                  double lineWidth, const QColor& color) override {
    calls.push_back("border " + describe(rectangle) + " " + describe(p1) + " " + describe(p2) +
                    " " + std::to_string(lineWidth));
    GanttChartHeader::drawBorder(painter, rectangle, p1, p2, lineWidth, color);
  }
  void drawTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                    const QRectF& rectangle, const QColor& fillColor) override {
    calls.push_back("time area " + describe(rectangle) + " alpha " +
                    std::to_string(qRound(fillColor.alphaF() * 100)));
    GanttChartHeader::drawTimeArea(painter, selector, rectangle, fillColor);
  }
  void drawCell(QPainter& painter, const TimeSelector& selector, const GanttChartHeaderRow& row,
                const QRectF& rectangle, const QColor& backgroundColor) override {
    calls.push_back("cell " + describe(rectangle));
    GanttChartHeader::drawCell(painter, selector, row, rectangle, backgroundColor);
  }
  void drawCellBorder(QPainter& painter, const TimeSelector& selector,
                      const GanttChartHeaderRow& row, const QRectF& rectangle, const QPointF& p1,
                      const QPointF& p2, double lineWidth, const QColor& color) override {
    calls.push_back("cell border " + describe(p1) + " " + describe(p2) + " " +
                    std::to_string(lineWidth));
    GanttChartHeader::drawCellBorder(painter, selector, row, rectangle, p1, p2, lineWidth, color);
  }
  void drawCellLabel(QPainter& painter, const TimeSelector& selector,
                     const GanttChartHeaderRow& row, const QRectF& rectangle, const QString& text,
                     const QColor& foregroundColor, Qt::Alignment alignment, const QFont& font,
                     VerticalTextAlignment verticalAlignment) override {
    calls.push_back("label " + text.toStdString() + " " + foregroundColor.name().toStdString() +
                    (alignment == Qt::AlignRight ? " right " : " ? ") +
                    std::to_string(font.pointSizeF()) +
                    (verticalAlignment == VerticalTextAlignment::top ? " top" : " centre"));
    GanttChartHeader::drawCellLabel(painter, selector, row, rectangle, text, foregroundColor,
                                    alignment, font, verticalAlignment);
  }

  std::vector<std::string> calls;
};

TEST(HeaderHooks, TheControllersCallsReachTheQtHooksConvertedAndFinite) {
  RecordingHeader header;
  header.resize(300, 25);
  header.show();
  header.setController(std::make_shared<ScriptedHeaderController>());
  header.calls.clear();
  const QImage image = header.imageRepresentation();

  std::ostringstream max;
  max << std::numeric_limits<double>::max();
  const std::vector<std::string> expected{
      "background #ff0000 0,0 " + max.str() + "x" + max.str(),
      "border 0,0 10x10 1,2 3,4 0.500000",
      "time area 5,6 7x8 alpha 50",
      "cell 10,0 20x25",
      "cell border " + max.str() + ",0 " + max.str() + ",25 inf",
      "label Mo #336699 right 14.000000 top",
  };
  EXPECT_EQ(header.calls, expected);
  EXPECT_EQ(image.pixelColor(200, 20), QColor(Qt::red)) << "the endless background is filled";
  EXPECT_EQ(image.pixelColor(11, 20), QColor(Qt::black)) << "so is the cell";
}

TEST(HeaderHooks, TheLibraryFormsDrawNothingOutsideADrawingPass) {
  RecordingHeader header;
  header.drawBackground(Color(1, 0, 0, 1), Size{10, 10});
  header.drawBorder(Rectangle(), Line(1, 2, 3, 4), 1, Color());
  EXPECT_TRUE(header.calls.empty());
  EXPECT_EQ(header.activePainter(), nullptr);
}

// Hands the view's own hooks whatever it likes, as a careless override might.
class CarelessHeader : public GanttChartHeader {
 public:
  using GanttChartHeader::drawBackground;
  using GanttChartHeader::drawBorder;
  using GanttChartHeader::drawCell;
  using GanttChartHeader::drawCellBorder;
  using GanttChartHeader::drawCellLabel;

  void drawBackground(QPainter& painter, const QColor& color, const QSizeF& /*size*/) override {
    GanttChartHeader::drawBackground(painter, color, QSizeF(kInfinity, kInfinity));
    GanttChartHeader::drawBackground(painter, color, QSizeF(kNaN, -5));
  }
  void drawBorder(QPainter& painter, const QRectF& rectangle, const QPointF& /*p1*/,
                  const QPointF& /*p2*/, double /*lineWidth*/, const QColor& color) override {
    GanttChartHeader::drawBorder(painter, rectangle, QPointF(-kInfinity, -kInfinity),
                                 QPointF(kInfinity, kInfinity), kNaN, color);
    GanttChartHeader::drawBorder(painter, rectangle, QPointF(-1e300, 10), QPointF(1e300, 10), -3,
                                 color);
  }
  void drawCell(QPainter& painter, const TimeSelector& selector, const GanttChartHeaderRow& row,
                const QRectF& /*rectangle*/, const QColor& backgroundColor) override {
    GanttChartHeader::drawCell(painter, selector, row, QRectF(kNaN, kNaN, kInfinity, kNaN),
                               backgroundColor);
  }
  void drawCellBorder(QPainter& painter, const TimeSelector& selector,
                      const GanttChartHeaderRow& row, const QRectF& rectangle, const QPointF& p1,
                      const QPointF& /*p2*/, double /*lineWidth*/, const QColor& color) override {
    GanttChartHeader::drawCellBorder(painter, selector, row, rectangle, QPointF(p1.x(), -1e200),
                                     QPointF(p1.x(), 1e200), 2, color);
    GanttChartHeader::drawCellBorder(painter, selector, row, rectangle, QPointF(-1e9, -1e9),
                                     QPointF(-1e9, 1e9), 1e9, color);
  }
  void drawCellLabel(QPainter& painter, const TimeSelector& selector,
                     const GanttChartHeaderRow& row, const QRectF& rectangle, const QString& text,
                     const QColor& foregroundColor, Qt::Alignment alignment, const QFont& font,
                     VerticalTextAlignment verticalAlignment) override {
    GanttChartHeader::drawCellLabel(painter, selector, row, QRectF(-1e300, kNaN, 1e301, kInfinity),
                                    text, foregroundColor, alignment, font, verticalAlignment);
    GanttChartHeader::drawCellLabel(
        painter, selector, row,
        QRectF(rectangle.x() - 5e11, rectangle.y(), 1e12, rectangle.height()), text,
        foregroundColor, Qt::AlignHCenter, font, verticalAlignment);
    GanttChartHeader::drawCellLabel(painter, selector, row, rectangle,
                                    text + QString(200, QChar('W')), foregroundColor, alignment,
                                    font, verticalAlignment);
  }
};

TEST(HeaderHooks, OverridesHandingOnNonFiniteGeometryDrawWithoutHarm) {
  CarelessHeader header;
  header.resize(700, 50);
  header.show();
  header.setController(makeHeaderController());
  const QImage image = header.imageRepresentation();
  ASSERT_EQ(image.size(), QSize(700, 50));
  const GanttChartHeaderBaseStyle standard(Theme::standard(), Mode::light);
  const QColor background = toQt(*standard.backgroundColor);
  EXPECT_EQ(image.pixelColor(650, 47), background);
  EXPECT_LT(image.pixelColor(650, 10).lightnessF(), background.lightnessF())
      << "the endless border line is drawn";
  EXPECT_LT(image.pixelColor(600, 47).lightnessF(), background.lightnessF())
      << "so is the endless cell border";
}

}  // namespace
}  // namespace vorlent
