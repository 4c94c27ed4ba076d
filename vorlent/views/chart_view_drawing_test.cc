// The chart view's drawing as a host sees it: the header and chart area
// drawn by their own views, or through the chart view's hooks once the
// chart controller's adapters are the presenters again, and the export of
// the whole.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QVBoxLayout>
#include <QScrollBar>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/chart_view_testing.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/header_view_testing.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::ChartViewTest;
using testing::pixelAt;

// Paints bars plain magenta, counts the header's labels, and from inside
// the header's background and the bar hooks sends a line from (1, 2) to
// (3, 4) to the border hooks, whose Qt forms record what reaches them.
class TracingChart : public GanttChart {
 public:
  using GanttChart::drawBar;
  using GanttChart::drawContentBorder;
  using GanttChart::drawHeaderBackground;
  using GanttChart::drawHeaderBorder;
  using GanttChart::drawHeaderCellLabel;

  void drawBar(QPainter& painter, const GanttChartItemPtr& /*item*/, const QRectF& rectangle,
               const QColor& /*fillColor*/, const QColor& /*secondaryFillColor*/,
               const std::optional<QColor>& /*strokeColor*/, double /*strokeWidth*/,
               double /*cornerRadius*/, bool /*isHighlighted*/, bool /*isFocused*/,
               bool /*isSelected*/, const QColor& /*highlightColor*/, const QColor& /*focusColor*/,
               const QColor& /*selectionColor*/, double /*highlightWidth*/, double /*focusWidth*/,
               double /*selectionWidth*/, bool /*allowsMoving*/, bool /*allowsResizing*/,
               bool /*allowsResizingAtStart*/, bool /*allowsMovingVertically*/,
               double /*thumbDistance*/) override {
    ++bars;
    painter.fillRect(rectangle, Qt::magenta);
    drawContentBorder(Rectangle(0, 0, 9, 9), Line{Point{1, 2}, Point{3, 4}}, 0.5, Color());
  }
  void drawHeaderCellLabel(QPainter& painter, const TimeSelector& selector,
                           const GanttChartHeaderRow& row, const QRectF& rectangle,
                           const QString& text, const QColor& foregroundColor,
                           Qt::Alignment alignment, const QFont& font,
                           VerticalTextAlignment verticalAlignment) override {
    labels.push_back(text);
    GanttChart::drawHeaderCellLabel(painter, selector, row, rectangle, text, foregroundColor,
                                    alignment, font, verticalAlignment);
  }
  void drawHeaderBackground(QPainter& painter, const QColor& color, const QSizeF& size) override {
    GanttChart::drawHeaderBackground(painter, color, size);
    drawHeaderBorder(Rectangle(0, 0, 9, 9), Line{Point{1, 2}, Point{3, 4}}, 0.5, Color());
  }
  void drawHeaderBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                        const QPointF& p2, double lineWidth, const QColor& color) override {
    headerLines.emplace_back(p1, p2);
    GanttChart::drawHeaderBorder(painter, rectangle, p1, p2, lineWidth, color);
  }
  void drawContentBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                         const QPointF& p2, double lineWidth, const QColor& color) override {
    contentLines.emplace_back(p1, p2);
    GanttChart::drawContentBorder(painter, rectangle, p1, p2, lineWidth, color);
  }

  int bars = 0;
  std::vector<QString> labels;
  std::vector<QLineF> headerLines;
  std::vector<QLineF> contentLines;
};

class ChartDrawing : public ChartViewTest {
 protected:
  ChartDrawing() {
    chart = std::make_unique<TracingChart>();
    chart->resize(640, 320);
    testing::showActive(*chart);
    chart->setController(project.controller);
  }
  [[nodiscard]] TracingChart& tracing() const { return static_cast<TracingChart&>(*chart); }
  // The adapters the chart controller made become the presenters again.
  void drawThroughTheChart() const {
    const GanttChartControllerPtr& controller = project.controller;
    controller->headerController()->setPresenter(controller->headerPresenter());
    controller->contentController()->setPresenter(controller->contentPresenter());
  }
  // Where the chart's image shows a document point of the chart area.
  [[nodiscard]] QPointF inChart(const Point& point) const {
    return onContent(point) + QPointF(chart->content()->pos());
  }
};

TEST_F(ChartDrawing, TheViewsDrawForThemselvesUntilTheAdaptersArePresentersAgain) {
  const QImage own = chart->imageRepresentation();
  EXPECT_EQ(tracing().bars, 0);
  EXPECT_TRUE(tracing().labels.empty());
  EXPECT_NE(pixelAt(own, inChart(centreOf(project.task))), QColor(Qt::magenta));

  drawThroughTheChart();
  const QImage traced = chart->imageRepresentation();
  EXPECT_GT(tracing().bars, 0) << "the subclass's Qt hook";
  EXPECT_EQ(pixelAt(traced, inChart(centreOf(project.task))), QColor(Qt::magenta));
  EXPECT_FALSE(tracing().labels.empty());
  EXPECT_EQ(testing::countInk(traced, chart->header()->geometry()),
            testing::countInk(own, chart->header()->geometry()))
      << "the header looks as its own view draws it";
  // The rest of the chart area is the content view's own drawing.
  const Point gate = centreOf(project.gate);
  EXPECT_EQ(pixelAt(traced, inChart(gate)), pixelAt(own, inChart(gate)));
}

TEST_F(ChartDrawing, ALineReachesTheViewsQtHooksAsItsTwoPoints) {
  drawThroughTheChart();
  (void)chart->imageRepresentation();
  const QLineF sent(QPointF(1, 2), QPointF(3, 4));
  EXPECT_NE(std::find(tracing().headerLines.begin(), tracing().headerLines.end(), sent),
            tracing().headerLines.end());
  EXPECT_NE(std::find(tracing().contentLines.begin(), tracing().contentLines.end(), sent),
            tracing().contentLines.end());
}

TEST_F(ChartDrawing, EveryElementDrawnThroughTheChartLooksAsTheViewsDrawIt) {
  // A plain chart: each hook only converts and forwards, so the picture
  // drawn through the chart's hooks is the views' own, pixel for pixel.
  chart = std::make_unique<GanttChart>();
  chart->resize(640, 320);
  testing::showActive(*chart);
  chart->setController(project.controller);
  const auto& area = project.controller->contentController();
  project.task->setLabel("Build it");
  project.task->setAttachment("Ana");
  project.task->setCompletion(0.5);
  project.phase->setLabel("Phase");
  area->setShowsAttachments(true);
  area->setScheduleHighlighters({ScheduleTimeSelector(ScheduleTimeType::weekends)});
  area->setIntervalHighlighters({TimeSelector(TimeIntervalType::days(), "d")});
  project.controller->headerController()->setScheduleHighlighters(
      {ScheduleTimeSelector(ScheduleTimeType::weekends)});
  // The pointer just after the task's end shows a link thumb there.
  const Rectangle task = area->bounds(project.task);
  testing::SyntheticMouse(chart->content()->canvas())
      .moveTo(onContent(Point{task.right() + 3, task.origin.y + task.size.height / 2}));
  ASSERT_TRUE(area->dependencyLineThumbArea().has_value());
  const QImage own = chart->imageRepresentation();
  drawThroughTheChart();
  EXPECT_EQ(chart->imageRepresentation(), own);
}

TEST_F(ChartDrawing, OutsideAPaintPassTheLibraryFormsDrawNothing) {
  drawThroughTheChart();
  chart->drawHeaderBorder(Rectangle(), Line{}, 1, Color());
  chart->drawBar(project.task, Rectangle(0, 0, 10, 10), Color(), Color(), std::nullopt, 1, 2, false,
                 false, false, Color(), Color(), Color(), 1, 1, 1, true, true, true, true, 3);
  EXPECT_EQ(tracing().bars, 0);
  EXPECT_TRUE(tracing().headerLines.empty());
}

TEST_F(ChartDrawing, ToolTipsAreTheChartAreasDetails) {
  EXPECT_EQ(chart->toolTip(project.task), "Build it");
  EXPECT_EQ(chart->toolTip(project.link), "Then open");
  drawThroughTheChart();
  EXPECT_EQ(project.controller->contentPresenter()->toolTip(project.task), "Build it");
}

// --- Image export -------------------------------------------------------------------------

TEST_F(ChartDrawing, ExportsTheHeaderOverTheChartAreaAsAPngOfItsSize) {
  const QByteArray png = chart->imageData();
  ASSERT_TRUE(png.startsWith("\x89PNG"));
  const QImage decoded = QImage::fromData(png, "png");
  ASSERT_EQ(decoded.size(), QSize(640, 320));
  EXPECT_GT(testing::countInk(decoded, QRect(0, 0, 640, 50)), 100) << "the header's labels";
  const QImage content = chart->content()->imageRepresentation();
  const QPointF task = onContent(centreOf(project.task));
  EXPECT_EQ(pixelAt(decoded, inChart(centreOf(project.task))), pixelAt(content, task));
  EXPECT_EQ(chart->image().size(), QSize(640, 320));
  EXPECT_TRUE(chart->imageData("jpeg", ImageProperties{50, std::nullopt}).startsWith("\xff\xd8"));
  EXPECT_TRUE(chart->imageData("no such format").isEmpty());
}

// A picture shows the chart, not Qt's scroll bars: the header and the chart
// area as a host that hides every scroll bar sees them, at the view's size,
// and the view on screen is left as it was.
TEST_F(ChartDrawing, ExportsShowNeitherScrollBarsNorTheBlankCorner) {
  StandardScrollView& area = *chart->content()->scrollView();
  chart->scrollTo(300, 301);
  chart->scrollVerticallyTo(200, 225);
  ASSERT_TRUE(area.verticalScrollBar()->isVisible());
  ASSERT_TRUE(area.horizontalScrollBar()->isVisible());
  const QPoint offset = area.scrollOffset();
  const Rectangle viewport = project.controller->contentController()->viewport();
  const int corner = chart->header()->blankCornerWidth();
  ASSERT_GT(corner, 0);

  // What a widget shows while the host hides the chart area's scroll bars.
  const auto withoutBars = [&area](QWidget& widget) {
    area.setHasVerticalScroller(false);
    area.setHasHorizontalScroller(false);
    const QImage picture = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return picture;
  };
  const auto rgb = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };

  const QImage bare = withoutBars(*chart);
  ASSERT_EQ(area.scrollOffset(), offset);
  EXPECT_EQ(rgb(chart->imageRepresentation()), bare);
  EXPECT_EQ(rgb(QImage::fromData(chart->imageData())), bare);
  EXPECT_EQ(rgb(chart->header()->imageRepresentation()), bare.copy(0, 0, 640, 50))
      << "the header without its blank corner";
  EXPECT_EQ(rgb(chart->content()->image().toImage()), withoutBars(*chart->content()));

  EXPECT_EQ(area.scrollOffset(), offset) << "the view is left as it was";
  EXPECT_EQ(project.controller->contentController()->viewport(), viewport);
  EXPECT_TRUE(area.verticalScrollBar()->isVisible());
  EXPECT_EQ(chart->header()->blankCornerWidth(), corner);
}

TEST(ChartImageExport, AChartWithoutAreaGivesNothingAndANeverShownOneIsLaidOut) {
  QWidget window;  // a window would be kept at its layout's minimum size
  GanttChart empty(&window);
  empty.resize(0, 200);
  EXPECT_TRUE(empty.imageRepresentation().isNull());
  EXPECT_TRUE(empty.imageData().isEmpty());

  GanttChart hidden;
  hidden.resize(300, 200);
  hidden.prepareForInterfaceBuilder();
  const QImage image = hidden.imageRepresentation();
  ASSERT_EQ(image.size(), QSize(300, 200));
  EXPECT_EQ(hidden.header()->geometry(), QRect(0, 0, 300, 25));
}

// A view made larger than any picture may be (a host resizing it by code)
// is refused, not rendered into gigabytes; the view stays as it was.
TEST(ChartImageExport, AChartTooLargeForAPictureGivesNothing) {
  GanttChart chart;
  chart.resize(16500, 16500);  // 16500² × 4 bytes is just over kMostImageBytes
  ASSERT_GT(qint64{16500} * 16500 * 4 * chart.devicePixelRatioF(), kMostImageBytes);
  EXPECT_TRUE(chart.imageRepresentation().isNull());
  EXPECT_TRUE(chart.image().isNull());
  EXPECT_TRUE(chart.imageData().isEmpty());
  EXPECT_EQ(chart.size(), QSize(16500, 16500));

  chart.resize(300, 200);
  EXPECT_EQ(chart.imageRepresentation().size(), QSize(300, 200) * chart.devicePixelRatioF());
}

// --- Design time -----------------------------------------------------------------------------

TEST(ChartViewSample, ShowsLabelledDaysOverAChainOfThreeItems) {
  GanttChart chart;
  chart.resize(700, 200);
  chart.show();
  chart.prepareForInterfaceBuilder();
  const GanttChartControllerPtr& sample = chart.controller();
  ASSERT_NE(sample, nullptr);
  const auto& content = sample->contentController();
  const auto items = content->itemManager()->availableItems();
  ASSERT_EQ(items.size(), 3U);
  EXPECT_EQ(content->itemManager()->availableDependencies().size(), 2U);
  const Time start = Time::reference();
  EXPECT_EQ(items[0]->row(), 0);
  EXPECT_EQ(items[0]->start(), start);
  EXPECT_EQ(items[1]->row(), 1);
  EXPECT_EQ(items[1]->start(), start.addingDays(1));
  EXPECT_EQ(items[2]->type(), GanttChartItemType::milestone);
  EXPECT_EQ(items[2]->start(), start.addingDays(2));
  EXPECT_EQ(content->desiredScrollableRowCount(), 100);
  EXPECT_EQ(sample->headerController()->rows().size(), 1U);

  // A 700 × 25 header of days, each labelled: eleven whole days beside
  // the vertical scroller the hundred rows need.
  const QImage image = chart.imageRepresentation();
  ASSERT_EQ(chart.header()->size(), QSize(700, 25));
  testing::expectInkInEveryCell(*chart.header(), image, 0, 11);
  // The first bar is where the controller says, over an empty row below.
  const Rectangle bar = content->bounds(items[0]);
  const QPointF centre =
      chart.content()->scrollView()->viewportPoint(
          QPointF(bar.origin.x + bar.size.width / 2, bar.origin.y + bar.size.height / 2)) +
      QPointF(chart.content()->pos());
  const QColor below = pixelAt(image, centre + QPointF(0, 2 * content->rowHeight()));
  EXPECT_FALSE(testing::isNear(pixelAt(image, centre), below, 20));
  EXPECT_TRUE(testing::isNear(pixelAt(image, centre),
                              toQt(content->actualStyle().barFillColorFor(items[0])), 40))
      << "the bar's colour, shaded by its gradient";
}

}  // namespace
}  // namespace vorlent

namespace vorlent {
namespace {

// The README's window example over the README's three items, in a window of
// 900 × 300: a chart far narrower than the window.
GanttChart* showReadmeWindow(QWidget& window) {
  const Time monday = Time::fromYearMonthDay(2026, 3, 2, 8, 0, 0);
  const auto design = GanttChartItem::create({.label = "Design",
                                              .row = 0,
                                              .start = monday,
                                              .finish = monday.addingDays(1).addingHours(8)});
  const auto build = GanttChartItem::create({.label = "Build",
                                             .row = 1,
                                             .start = monday.addingDays(2),
                                             .finish = monday.addingDays(4).addingHours(8)});
  const auto release = GanttChartItem::create({.label = "Release",
                                               .row = 2,
                                               .start = monday.addingDays(7),
                                               .finish = monday.addingDays(7),
                                               .type = GanttChartItemType::milestone});
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector{design, build, release},
      std::vector{GanttChartDependency::create({.from = design, .to = build}),
                  GanttChartDependency::create({.from = build, .to = release})},
      ScheduleDefinition::standard(), GanttChartItemBehaviorSet::classic());
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  QWidget* parent = &window;
#include "readme_window_example.inc"
  layout->addWidget(chart);
  window.resize(900, 300);
  testing::showActive(window);
  return chart;
}

// Whether the column at `x` has a pixel that differs from white between `top`
// and `bottom`.
bool columnHasInk(const QImage& image, int x, int top, int bottom) {
  for (int y = top; y < bottom; ++y) {
    if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
  }
  return false;
}

TEST(ReadmeWindow, HeaderAndChartAreaFillTheWindowToTheSameRightEdge) {
  QWidget window;
  GanttChart* chart = showReadmeWindow(window);
  GanttChartContent* content = chart->content();
  GanttChartHeader* header = chart->header();
  const GanttChartContentControllerPtr controller = content->controller();
  ASSERT_LT(controller->totalDiagramSize().width, 600) << "the chart is narrower than its window";

  const QWidget* chartCanvas = content->canvas();
  const QWidget* headerCanvas = header->scrollView()->viewport();
  const int right = chartCanvas->mapTo(chart, QPoint(chartCanvas->width(), 0)).x();
  EXPECT_EQ(headerCanvas->mapTo(chart, QPoint(headerCanvas->width(), 0)).x(), right)
      << "header and chart area end at the same x";
  EXPECT_GT(right, 850);

  // The header's cells go on to its right edge: a day's border every 60
  // points in the last 300.
  const QImage top = header->imageRepresentation();
  const int dayRow = top.height() * 3 / 4;
  int borders = 0;
  for (int x = headerCanvas->width() - 300; x < headerCanvas->width(); ++x) {
    if (top.pixelColor(x, dayRow) != top.pixelColor(x - 1, dayRow)) ++borders;
  }
  EXPECT_GE(borders, 8) << "day cells in the last 300 points";

  // Each row's background reaches the chart area's right edge, the rows
  // below the last included.
  const QImage area = content->imageRepresentation();
  const QPoint origin = chartCanvas->mapTo(content, QPoint(0, 0));
  const int edge = origin.x() + chartCanvas->width() - 2;
  for (int64_t row = 0; row < 6; ++row) {
    const int y = origin.y() + static_cast<int>(controller->middle(row));
    EXPECT_EQ(area.pixelColor(edge, y), area.pixelColor(origin.x() + 2, y)) << "row " << row;
  }
  EXPECT_NE(area.pixelColor(edge, origin.y() + static_cast<int>(controller->middle(0))),
            area.pixelColor(edge, origin.y() + static_cast<int>(controller->middle(1))))
      << "the rows alternate there";
  EXPECT_TRUE(columnHasInk(top, headerCanvas->width() - 2, 0, top.height())) << "header's edge";
}

}  // namespace
}  // namespace vorlent
