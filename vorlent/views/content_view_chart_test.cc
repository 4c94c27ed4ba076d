// The chart area as a user sees it: a real controller over a small project,
// drawn by the view and read back from its own export at the points the
// controller's geometry names.

#include "vorlent/views/content_view.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/mouse_input_testing.h"

namespace vorlent {
namespace {

using testing::isNear;
using testing::pixelAt;
using testing::SyntheticMouse;

// Week 1 of the library's calendar: Sunday 7 January 2001.
Time weekDay(int64_t day, double hours) { return Time(1, day, hours * 3600); }

// `top` over `bottom`, as the painter composites (both opaque or not).
QColor over(const QColor& top, const QColor& bottom) {
  const double alpha = top.alphaF();
  const auto blend = [alpha](double a, double b) { return a * alpha + b * (1 - alpha); };
  return QColor::fromRgbF(static_cast<float>(blend(top.redF(), bottom.redF())),
                          static_cast<float>(blend(top.greenF(), bottom.greenF())),
                          static_cast<float>(blend(top.blueF(), bottom.blueF())),
                          static_cast<float>(alpha + bottom.alphaF() * (1 - alpha)));
}

// Halfway between two colours: the middle of a bar's vertical gradient.
QColor halfway(const Color& a, const Color& b) {
  const QColor first = toQt(a);
  const QColor second = toQt(b);
  return QColor::fromRgbF(
      (first.redF() + second.redF()) / 2, (first.greenF() + second.greenF()) / 2,
      (first.blueF() + second.blueF()) / 2, (first.alphaF() + second.alphaF()) / 2);
}

// A task, a milestone and a summary on rows 0 to 2 of a three-week timeline,
// a dependency from the task to the milestone, in a 640 × 320 view.
class ContentChart : public testing::ContentViewTest {
 protected:
  ContentChart() : ContentViewTest(QSize(640, 320)) {
    auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{task, gate, phase},
        std::vector<GanttChartDependencyPtr>{link}, ScheduleDefinition::standard());
    controller = GanttChartContentController::create(source);
    controller->setScrollableTimeline(TimeRange(weekDay(0, 0), weekDay(21, 0)));
    view->setController(controller);
  }

  // Exports the view and reads the pixel showing a document point.
  QColor pixel(const Point& point) {
    image = view->imageRepresentation();
    return pixelAt(image, canvasPoint(toQt(point)));
  }
  // What the row under `point` shows where no bar lies: to the right of
  // every bar, in the same row.
  QColor rowBackground(const Point& point) { return pixel(Point{point.x + 300, point.y}); }

  const GanttChartContentBaseStyle& style() const { return controller->actualStyle(); }

  [[nodiscard]] Point centreOf(const GanttChartItemPtr& item) const {
    const Rectangle bounds = controller->bounds(item);
    return Point{bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2};
  }
  // The middle of the item's gradient over what its row shows at `point`:
  // the colour a bar shows halfway down.
  QColor barColour(const GanttChartItemPtr& item, const Point& point) {
    return over(halfway(style().secondaryBarFillColorFor(item), style().barFillColorFor(item)),
                rowBackground(point));
  }
  // Where the canvas shows a document point.
  [[nodiscard]] QPointF on(const Point& point) const { return canvasPoint(toQt(point)); }

  GanttChartItemPtr task = GanttChartItem::create(
      {.row = 0, .start = weekDay(1, 8), .finish = weekDay(3, 8), .details = "Build it"});
  GanttChartItemPtr gate = GanttChartItem::create({.row = 1,
                                                   .start = weekDay(4, 0),
                                                   .finish = weekDay(4, 0),
                                                   .type = GanttChartItemType::milestone});
  GanttChartItemPtr phase = GanttChartItem::create({.row = 2,
                                                    .start = weekDay(1, 8),
                                                    .finish = weekDay(5, 16),
                                                    .type = GanttChartItemType::summary});
  GanttChartDependencyPtr link = GanttChartDependency::create({.from = task, .to = gate});
  GanttChartContentControllerPtr controller;
  QImage image;
  SyntheticMouse mouse{view->canvas()};
};

TEST_F(ContentChart, EachBarsCentreHasItsResolvedColour) {
  for (const GanttChartItemPtr& item : {task, gate, phase}) {
    const Point centre = centreOf(item);
    const QColor expected = barColour(item, centre);
    EXPECT_TRUE(isNear(pixel(centre), expected, 4))
        << item->type() << ": " << pixel(centre).name(QColor::HexArgb).toStdString() << " not "
        << expected.name(QColor::HexArgb).toStdString();
  }
}

// Black labels on 40-point rows, in a font of `size` points, on bars inset
// by `barInset` above and below.
class BlackLabels : public ContentChart {
 protected:
  BlackLabels() {
    task->setLabel("yyyyyyyyyyyyyyyy");
    task->setAttachment("yyyy");
    phase->setLabel("gggggggggggggggggggggggg");
    controller->itemManager()->collectionDidChange();
  }
  void useLabels(double size, double barInset) {
    GanttChartContentStyle style;
    style.labelForegroundColor = Color::black();
    style.labelFont = Font{std::nullopt, size};
    style.attachmentForegroundColor = Color::black();
    style.attachmentFont = style.labelFont;
    style.verticalBarInset = barInset;
    style.summaryTriangleInset = 8;
    controller->setStyle(style);
    controller->setRowHeight(40);
    controller->settingsDidChange();
  }
  // Whether a pixel in the columns [left, right) of the rows [top, bottom)
  // shows the label's black.
  static bool inked(const QImage& picture, double left, double right, double top, double bottom) {
    for (int y = static_cast<int>(std::ceil(top)); y < bottom; ++y) {
      for (int x = static_cast<int>(std::ceil(left)); x < right; ++x) {
        if (picture.pixelColor(x, y).lightnessF() < 0.25) return true;
      }
    }
    return false;
  }
};

TEST_F(BlackLabels, ALabelTallerThanItsBarIsDrawnWholeAroundItAndCutOnlyAtItsRow) {
  useLabels(30, 14);
  const Rectangle bar = controller->bounds(task);
  ASSERT_EQ(bar.size.height, 12);
  // The bar's label, then its attachment beside it.
  const double left = bar.left() + 4;
  const double right = bar.right() + controller->attachmentLabelWidth() - 4;
  image = view->imageRepresentation();
  for (const auto& [from, to] :
       {std::pair{left, bar.right() - 4}, std::pair{bar.right() + 4, right}}) {
    EXPECT_TRUE(inked(image, from, to, bar.bottom() + 1, controller->bottom(0)))
        << "descenders below the bar from " << from;
  }
  EXPECT_FALSE(inked(image, left, right, controller->top(1), controller->top(1) + 10))
      << "nothing in the next row";
  // A pass over the strip under the bar alone draws the same descenders.
  QImage strip(view->canvas()->size(), QImage::Format_ARGB32_Premultiplied);
  strip.fill(Qt::white);
  {
    QPainter painter(&strip);
    const QRectF below(0, bar.bottom() + 1, strip.width(),
                       controller->bottom(0) - bar.bottom() - 1);
    painter.setClipRect(below);
    view->draw(painter, below);
  }
  EXPECT_TRUE(inked(strip, left, bar.right() - 4, bar.bottom() + 1, controller->bottom(0)))
      << "the strip's own pass";
}

// Whether a label is cut at its row decides nothing visible: random labels
// (descenders, accents, stacked marks) in random fonts and scales, at
// fractional places across the row's edges, look exactly as when the pass
// itself is cut at the row.
TEST_F(BlackLabels, ALabelLooksTheSameAsWhenThePassIsCutAtItsRow) {
  useLabels(12, 8);
  const QRectF row(0, controller->top(0), 200, controller->bottom(0) - controller->top(0));
  const std::vector<QString> pieces{
      "Ag",   "yjpq", "\u00c9\u00e4\u00c5", "\u1eab", "g\u0301\u0302\u0323\u0330",
      "\u0162", " ",  "W|",                 "0,;",   "n\u0308\u0308\u0308"};
  std::mt19937 random(20261208);
  const auto uniform = [&](double from, double to) {
    return std::uniform_real_distribution<double>(from, to)(random);
  };
  const auto pick = [&](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  for (int n = 0; n < 120; ++n) {
    QString text;
    for (std::size_t k = 1 + pick(5); k > 0; --k) text += pieces[pick(pieces.size())];
    QFont font;
    font.setPointSizeF(uniform(6, 48));
    font.setBold(pick(3) == 0);
    font.setItalic(pick(3) == 0);
    const double scale = std::array{1.0, 1.0, 1.25, 2.0}[pick(4)];
    const double height = QFontMetricsF(font).height();
    const double edge = pick(2) == 0 ? row.top() : row.bottom();
    const QRectF label(uniform(0, 20), edge + uniform(-1.5, 0.5) * height, 160, height);
    const auto drawn = [&](bool cutAtRow) {
      QImage picture(QSize(200, 160) * scale, QImage::Format_ARGB32_Premultiplied);
      picture.fill(Qt::white);
      QPainter painter(&picture);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.scale(scale, scale);
      if (cutAtRow) painter.setClipRect(row);
      view->drawBarLabel(painter, task, label, text, Qt::black, Qt::AlignLeft, font);
      return picture;
    };
    EXPECT_TRUE(drawn(false) == drawn(true))
        << text.toStdString() << " at " << label.top() << " in " << font.pointSizeF()
        << "pt, scaled " << scale;
  }
}

TEST_F(BlackLabels, ASummarysLabelIsCentredOnItsBracketsBody) {
  useLabels(11, 8);
  const Rectangle bracket = controller->bounds(phase);
  const double body = bracket.bottom() - style().summaryTriangleInset;
  image = view->imageRepresentation();
  // Between the slanted tips the row shows under the body: no label there.
  const double left = bracket.left() + 40;
  const double right = bracket.right() - 40;
  EXPECT_TRUE(inked(image, left, right, bracket.top(), body)) << "the label is drawn";
  EXPECT_FALSE(inked(image, left, right, body + 1, bracket.bottom()))
      << "descenders below the body";
}

TEST_F(ContentChart, ADependencyLineHasInkBetweenItsEnds) {
  const std::vector<Point> route = controller->polyline(link);
  ASSERT_GE(route.size(), 2U);
  // The middle of its longest segment, and a point beside it.
  std::size_t longest = 1;
  const auto length = [&](std::size_t i) {
    return std::hypot(route[i].x - route[i - 1].x, route[i].y - route[i - 1].y);
  };
  for (std::size_t i = 2; i < route.size(); ++i) {
    if (length(i) > length(longest)) longest = i;
  }
  const Point a = route[longest - 1];
  const Point b = route[longest];
  const Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
  const bool horizontal = a.y == b.y;
  const Point beside = horizontal ? Point{middle.x, middle.y + 6} : Point{middle.x + 6, middle.y};
  EXPECT_FALSE(isNear(pixel(middle), pixel(beside), 20));
}

TEST_F(ContentChart, TheWeekendOfAFiveByEightScheduleIsShaded) {
  controller->setScheduleHighlighters(
      {ScheduleTimeSelector::timeoutsOf(ScheduleDefinition::standard())});
  const double y = controller->middle(4);
  const QColor weekday = pixel(Point{controller->x(weekDay(3, 10)), y});
  const QColor saturday = pixel(Point{controller->x(weekDay(6, 10)), y});
  EXPECT_NE(saturday, weekday);
  EXPECT_TRUE(isNear(saturday, over(toQt(style().highlightingTimeoutFillColor), weekday), 3))
      << saturday.name(QColor::HexArgb).toStdString();
}

TEST_F(ContentChart, ADarkPaletteDarkensTheBackground) {
  const Point empty{controller->x(weekDay(10, 12)), controller->middle(6)};
  const QColor light = pixel(empty);
  QPalette dark = view->palette();
  dark.setColor(QPalette::Window, QColor(40, 40, 40));
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  view->setPalette(dark);
  const QColor darkened = pixel(empty);
  EXPECT_NE(darkened, light);
  EXPECT_LT(darkened.lightnessF(), 0.5);
  EXPECT_GT(light.lightnessF(), 0.5);
}

TEST_F(ContentChart, TheExportOfAScrolledViewShowsItsVisiblePart) {
  view->scrollTo(700, 701);
  ASSERT_GT(view->scrollView()->scrollOffset().x(), 0);
  EXPECT_TRUE(isNear(pixel(centreOf(task)), barColour(task, centreOf(task)), 4));
  EXPECT_EQ(image.size(), view->size());
}

// --- The mouse --------------------------------------------------------------------------

TEST_F(ContentChart, APanOfSixtyPointsMovesABarByTheTimeTheGeometrySays) {
  const Point grabbed = centreOf(task);
  const Time expected = controller->time(controller->startX(task) + 60);
  mouse.drag(on(grabbed), on(grabbed.movedBy(60, 0)), 6);
  EXPECT_EQ(task->start(), expected);
  EXPECT_EQ(task->start(), weekDay(2, 8)) << "a day later at 2.5 points an hour";
  EXPECT_EQ(controller->draggingOperation(), std::nullopt);
}

TEST_F(ContentChart, ARightClickOnEmptySpaceThenCreateItemAddsAnItemOnThatRow) {
  const Point spot{controller->x(weekDay(9, 10)), controller->middle(3)};
  const QPoint local = on(spot).toPoint();
  QContextMenuEvent event(QContextMenuEvent::Mouse, local, view->canvas()->mapToGlobal(local));
  QCoreApplication::sendEvent(view->canvas(), &event);
  ASSERT_TRUE(view->emptyAreaMenu()->isVisible());
  EXPECT_EQ(view->createItemMenuItem()->text(), "Create item");
  ASSERT_TRUE(view->createItemMenuItem()->isVisible());
  ASSERT_TRUE(controller->temporaryBar().has_value()) << "the bar that would be made";
  const std::size_t before = controller->itemManager()->availableItems().size();

  view->createItemMenuItem()->trigger();
  const auto items = controller->itemManager()->availableItems();
  ASSERT_EQ(items.size(), before + 1);
  const auto added = std::find_if(items.begin(), items.end(), [&](const GanttChartItemPtr& item) {
    return item != task && item != gate && item != phase;
  });
  ASSERT_NE(added, items.end());
  EXPECT_EQ((*added)->row(), 3);
  EXPECT_EQ(controller->temporaryBar(), std::nullopt);
}

TEST_F(ContentChart, AMenuDismissedWithThePointerOutsideTakesItsTemporaryBarAlong) {
  const Point spot{controller->x(weekDay(9, 10)), controller->middle(3)};
  mouse.moveTo(on(spot));
  const QPoint local = on(spot).toPoint();
  QContextMenuEvent event(QContextMenuEvent::Mouse, local, view->canvas()->mapToGlobal(local));
  QCoreApplication::sendEvent(view->canvas(), &event);
  ASSERT_TRUE(view->emptyAreaMenu()->isVisible());
  ASSERT_TRUE(controller->temporaryBar().has_value());
  // The menu takes the pointer, which then goes elsewhere; the menu is
  // dismissed there, and the canvas hears of no further crossing.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(view->canvas(), &leave);
  view->emptyAreaMenu()->hide();
  QCoreApplication::processEvents();
  EXPECT_EQ(controller->temporaryBar(), std::nullopt);
  EXPECT_EQ(controller->focusedElement(), std::nullopt);
  EXPECT_EQ(view->mouseLocationInView(), std::nullopt);
}

TEST_F(ContentChart, HoveringABarsEndShowsTheResizeCursorAndTheBarsDetails) {
  const Rectangle bounds = controller->bounds(task);
  mouse.moveTo(on(Point{bounds.right() - 3, centreOf(task).y}));
  EXPECT_EQ(view->canvas()->cursor().shape(), Qt::SizeHorCursor);
  EXPECT_EQ(view->canvas()->toolTip(), "Build it");
  mouse.moveTo(on(centreOf(task)));
  EXPECT_EQ(view->canvas()->cursor().shape(), Qt::OpenHandCursor);
  mouse.moveTo(on(Point{controller->x(weekDay(9, 10)), controller->middle(3)}));
  EXPECT_FALSE(view->canvas()->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(view->canvas()->toolTip(), QString());
}

TEST_F(ContentChart, ClicksSelectOnlyWhereTheSettingsAllowSelecting) {
  mouse.click(on(centreOf(task)));
  EXPECT_EQ(controller->selectedElement(), std::nullopt);
  GanttChartContentSettings settings = controller->settings();
  settings.allowsSelectingElements = true;
  controller->setSettings(settings);
  mouse.click(on(centreOf(task)));
  EXPECT_EQ(controller->selectedItem(), task);
}

TEST_F(ContentChart, ADragHeldAtTheEdgeKeepsScrollingOnTheRunLoopsTime) {
  ScopedManualRunLoop loop;
  const QPointF edge(view->canvas()->width() - 4, on(centreOf(task)).y());
  mouse.press(on(centreOf(task)));
  mouse.moveTo(on(centreOf(task).movedBy(20, 0)));
  mouse.moveTo(edge);
  const int offset = view->scrollView()->scrollOffset().x();
  const Time start = task->start();
  loop->advance(0.4);
  EXPECT_GT(view->scrollView()->scrollOffset().x(), offset);
  EXPECT_GT(controller->viewport().origin.x, offset) << "the controller follows";
  EXPECT_TRUE(start < task->start()) << "the bar follows the pointer";
  mouse.release(edge);
  EXPECT_EQ(loop->activeTimerCount(), 0U);
}

TEST_F(ContentChart, DestroyingTheViewMidDragLeavesNothingRunning) {
  ScopedManualRunLoop loop;
  mouse.press(on(centreOf(task)));
  mouse.moveTo(on(centreOf(task).movedBy(30, 0)));
  ASSERT_TRUE(controller->draggingOperation().has_value());
  view.reset();
  EXPECT_EQ(controller->draggingOperation(), std::nullopt);
  EXPECT_EQ(controller->draggingCursor(), std::nullopt);
  EXPECT_EQ(loop->activeTimerCount(), 0U);
  loop->advance(1);
}

// Runs a host's reaction once, on the next viewport the controller
// announces.
class ViewportReaction : public GanttChartContentViewportObserver {
 public:
  std::function<void()> reaction;
  void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) override {
    if (reaction) std::exchange(reaction, nullptr)();
  }
};

TEST_F(ContentChart, AViewDeletedLaterFromANotificationMidDragLeavesNothingRunning) {
  ScopedManualRunLoop loop;
  auto host = std::make_shared<ViewportReaction>();
  controller->setViewportObserver(host);
  mouse.press(on(centreOf(task)));
  mouse.moveTo(on(centreOf(task).movedBy(20, 0)));
  // The step to the edge scrolls, and the host drops the view as it hears
  // of the new viewport, from inside the drag step.
  host->reaction = [this] { view.release()->deleteLater(); };
  mouse.moveTo(QPointF(view->canvas()->width() - 2, on(centreOf(task)).y()));
  ASSERT_EQ(view, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(controller->draggingOperation(), std::nullopt);
  EXPECT_EQ(controller->presenter(), nullptr);
  EXPECT_EQ(loop->activeTimerCount(), 0U);
  loop->advance(1);
}

TEST_F(ContentChart, ReloadingShowsItemsChangedBehindTheManagersBack) {
  const Point before = centreOf(task);
  task->setRow(3);  // not through the item manager: nothing is told
  const Point after = before.movedBy(0, 3 * controller->rowHeight());
  view->reloadData();
  EXPECT_TRUE(isNear(pixel(after), barColour(task, after), 4));
  EXPECT_TRUE(isNear(pixel(before), rowBackground(before), 2));
}

TEST_F(ContentChart, ANewControllerStartsWithoutTheOldOnesCursorAndTip) {
  const Rectangle bounds = controller->bounds(task);
  mouse.moveTo(on(Point{bounds.right() - 3, centreOf(task).y}));
  ASSERT_EQ(view->canvas()->toolTip(), "Build it");
  ASSERT_TRUE(view->canvas()->testAttribute(Qt::WA_SetCursor));
  view->setController(GanttChartContentController::create());
  EXPECT_EQ(view->canvas()->toolTip(), QString());
  EXPECT_FALSE(view->canvas()->testAttribute(Qt::WA_SetCursor));
}

TEST(ContentViewSample, ShowsThreeItemsOverTwoRowsAndFiveWeeks) {
  GanttChartContent view;
  view.prepareForInterfaceBuilder();
  const GanttChartContentControllerPtr& sample = view.controller();
  ASSERT_NE(sample, nullptr);
  const auto items = sample->itemManager()->availableItems();
  ASSERT_EQ(items.size(), 3U);
  EXPECT_EQ(sample->itemManager()->availableDependencies().size(), 2U);
  EXPECT_EQ(items[2]->type(), GanttChartItemType::milestone);
  EXPECT_EQ(items[0]->start(), Time(0, 0, 0)) << "Sunday 31 December 2000";
  EXPECT_EQ(items[2]->start(), Time(0, 2, 0));
  EXPECT_EQ(sample->desiredScrollableRowCount(), 100);
  EXPECT_EQ(sample->scrollableTimeline(), TimeRange(Time(0, 0, 0), Time(5, 0, 0)));
  EXPECT_EQ(sample->presenter().get(), static_cast<GanttChartContentPresenter*>(&view));
}

}  // namespace
}  // namespace vorlent
