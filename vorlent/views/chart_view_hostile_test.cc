// Whole charts fed values a host can produce by mistake: times a parse left
// as NaN, sizes far beyond any screen. The chart must go on drawing what its
// controllers answer, at the size the host asks for.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/model/item_source.h"
#include "vorlent/style/content_style.h"
#include "vorlent/style/header_style.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::isNear;
using testing::pixelAt;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Week 1 of the library's calendar, Sunday 7 January 2001.
Time weekDay(int64_t day, double hours) { return Time(1, day, hours * 3600); }

// A shown 640 × 320 chart of three two-day tasks on rows 0 to 2, whose
// timeline follows the items (so whatever reaches their span reaches the
// header too).
class HostileChart : public ::testing::Test {
 public:
  HostileChart() {
    for (int64_t row = 0; row < 3; ++row) {
      items.push_back(GanttChartItem::create(
          {.row = row, .start = weekDay(1 + row, 8), .finish = weekDay(3 + row, 8)}));
    }
    source = std::make_shared<GanttChartItemSource>(items);
    controller = GanttChartController::create(GanttChartHeaderController::create(),
                                              GanttChartContentController::create(source));
    chart = std::make_unique<GanttChart>();
    chart->resize(640, 320);
    testing::showActive(*chart);
    chart->setController(controller);
    settle();
  }

  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  [[nodiscard]] std::shared_ptr<GanttChartContentController> content() const {
    return controller->contentController();
  }
  [[nodiscard]] std::shared_ptr<GanttChartHeaderController> header() const {
    return controller->headerController();
  }

  // Where the chart's own picture shows a document point of the chart area.
  [[nodiscard]] QPointF inChart(const Point& point) const {
    return chart->content()->scrollView()->viewportPoint(QPointF(point.x, point.y)) +
           QPointF(chart->content()->pos());
  }

  // Whether the chart's picture shows the item's bar colour at its centre,
  // as the controller places it.
  [[nodiscard]] ::testing::AssertionResult barDrawn(const GanttChartItemPtr& item) {
    const Rectangle bounds = content()->bounds(item);
    const Point centre{bounds.origin.x + bounds.size.width / 2,
                       bounds.origin.y + bounds.size.height / 2};
    const QColor shown = pixelAt(chart->imageRepresentation(), inChart(centre));
    const QColor fill = toQt(content()->actualStyle().barFillColorFor(item));
    if (isNear(shown, fill, 40)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at " << centre << " the chart shows " << shown.name().toStdString()
           << ", the bar is " << fill.name().toStdString();
  }

  // Whether the controller lists a bar of the item in its viewport.
  [[nodiscard]] bool listsBar(const GanttChartItemPtr& item) const {
    for (const GanttChartBar& bar : content()->visibleBars()) {
      if (bar.item == item) return true;
    }
    return false;
  }

  std::vector<GanttChartItemPtr> items;
  std::shared_ptr<GanttChartItemSource> source;
  GanttChartControllerPtr controller;
  std::unique_ptr<GanttChart> chart;
};

// --- Times that are not numbers ----------------------------------------------------

TEST_F(HostileChart, AnItemWithANaNTimeHasNoBarAndTheRestOfTheChartWorksOn) {
  // Within the others' span first, so the timeline is theirs.
  const GanttChartItemPtr broken = items[1];
  const TimeRange others = content()->actualTimeline();
  // Each end on its own and both, as far out as to widen the timeline if it
  // counted.
  for (const TimeRange& nan :
       {TimeRange(Time(0, 1, kNaN), weekDay(3, 8)), TimeRange(weekDay(2, 8), Time(2, 6, kNaN)),
        TimeRange(Time(0, 1, kNaN), Time(2, 6, kNaN))}) {
    SCOPED_TRACE(::testing::Message() << nan);
    broken->setTime(nan);
    source->collectionDidChange();
    settle();

    EXPECT_EQ(content()->actualTimeline(), others);
    EXPECT_EQ(header()->scrollableTimeline(), others);
    EXPECT_FALSE(listsBar(broken));
    EXPECT_TRUE(barDrawn(items[0]));
    EXPECT_TRUE(barDrawn(items[2]));
  }

  // Zooming and scrolling go on, and a good time brings the bar back.
  content()->setZoom(2);
  content()->scrollBy(40, 0);
  broken->setTime(TimeRange(weekDay(2, 8), weekDay(4, 8)));
  source->collectionDidChange();
  settle();
  EXPECT_EQ(header()->zoom(), 2);
  EXPECT_TRUE(barDrawn(broken));
}

TEST_F(HostileChart, ATimelineTheHostEndsInNaNIsShownAndReplacedWithoutHanging) {
  content()->setScrollableTimeline(TimeRange(weekDay(0, 0), Time(3, 0, kNaN)));
  settle();
  EXPECT_FALSE(chart->imageRepresentation().isNull());
  content()->scrollBy(40, 0);
  header()->scrollBy(10);

  content()->setScrollableTimeline(TimeRange(weekDay(0, 0), weekDay(14, 0)));
  settle();
  EXPECT_EQ(header()->scrollableTimeline(), content()->actualTimeline());
  EXPECT_TRUE(barDrawn(items[0]));
}

// --- Lengths beyond any view ------------------------------------------------------

// A length a host may set on the chart area or the header, by name.
struct Length {
  std::string name;
  std::function<void(GanttChartController&, double)> set;
};

template <class Field>
void addContentStyleLength(std::vector<Length>& lengths, const char* name,
                           Field GanttChartContentStyle::*field) {
  const auto restyle = [field](GanttChartController& chart, auto assign) {
    GanttChartContentController& content = *chart.contentController();
    GanttChartContentStyle style = content.style();
    assign(style.*field);
    content.setStyle(style);
    content.settingsDidChange();
  };
  if constexpr (std::is_same_v<Field, std::optional<double>>) {
    lengths.push_back({name, [restyle](GanttChartController& chart, double value) {
                         restyle(chart, [value](Field& length) { length = value; });
                       }});
  } else if constexpr (std::is_same_v<Field, std::optional<Font>>) {
    lengths.push_back({name, [restyle](GanttChartController& chart, double value) {
                         restyle(chart, [value](Field& font) { font = Font{std::nullopt, value}; });
                       }});
  } else if constexpr (std::is_same_v<Field, PerItemType<double>>) {
    lengths.push_back({name, [restyle](GanttChartController& chart, double value) {
                         restyle(chart, [value](Field& lengthOf) {
                           lengthOf[GanttChartItemType::standard] = value;
                         });
                       }});
  }
}

template <class Field>
void addHeaderStyleLength(std::vector<Length>& lengths, const char* name,
                          Field GanttChartHeaderStyle::*field) {
  if constexpr (std::is_same_v<Field, std::optional<double>> ||
                std::is_same_v<Field, std::optional<Font>>) {
    lengths.push_back({name, [field](GanttChartController& chart, double value) {
                         GanttChartHeaderController& header = *chart.headerController();
                         GanttChartHeaderStyle style = header.style();
                         if constexpr (std::is_same_v<Field, std::optional<Font>>) {
                           style.*field = Font{std::nullopt, value};
                         } else {
                           style.*field = value;
                         }
                         header.setStyle(style);
                         header.settingsDidChange();
                       }});
  }
}

// A length of a controller's settings, which take effect once it is told.
template <class Settings, class Controller>
Length settingsLength(const char* name, double Settings::*field,
                      const std::shared_ptr<Controller>& (GanttChartController::*controllerOf)()
                          const) {
  return {name, [=](GanttChartController& chart, double value) {
            const std::shared_ptr<Controller> controller = (chart.*controllerOf)();
            Settings settings = controller->settings();
            settings.*field = value;
            controller->setSettings(settings);
            controller->settingsDidChange();
          }};
}

// Every length of the two controllers, their settings and their styles
// (font sizes included).
std::vector<Length> everyLength() {
  std::vector<Length> lengths;
#define VORLENT_CONTENT_LENGTH(type, name, init) \
  addContentStyleLength(lengths, "content style " #name, &GanttChartContentStyle::name);
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_CONTENT_LENGTH, VORLENT_CONTENT_LENGTH,
                               VORLENT_CONTENT_LENGTH)
#undef VORLENT_CONTENT_LENGTH
#define VORLENT_HEADER_LENGTH(type, name, init) \
  addHeaderStyleLength(lengths, "header style " #name, &GanttChartHeaderStyle::name);
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_HEADER_LENGTH, VORLENT_HEADER_LENGTH)
#undef VORLENT_HEADER_LENGTH
  using ContentSettings = GanttChartContentSettings;
  for (const auto& [name, field] :
       {std::pair{"minBarWidth", &ContentSettings::minBarWidth},
        std::pair{"resizingBarAreaWidth", &ContentSettings::resizingBarAreaWidth},
        std::pair{"maxBarHoveringDistance", &ContentSettings::maxBarHoveringDistance},
        std::pair{"maxLineHoveringDistance", &ContentSettings::maxLineHoveringDistance},
        std::pair{"autoScrollMargin", &ContentSettings::autoScrollMargin}}) {
    lengths.push_back(settingsLength(name, field, &GanttChartController::contentController));
  }
  using HeaderSettings = GanttChartHeaderSettings;
  for (const auto& [name, field] :
       {std::pair{"minZoom", &HeaderSettings::minZoom},
        std::pair{"maxZoom", &HeaderSettings::maxZoom},
        std::pair{"zoomingUnitWidth", &HeaderSettings::zoomingUnitWidth},
        std::pair{"zoomingThresholdWidth", &HeaderSettings::zoomingThresholdWidth}}) {
    lengths.push_back(settingsLength(name, field, &GanttChartController::headerController));
  }
  using Content = GanttChartContentController;
  using Setter = void (Content::*)(double);
  for (const auto& [name, setter] :
       {std::pair{"rowHeight", Setter{&Content::setRowHeight}},
        std::pair{"hourWidth", Setter{&Content::setHourWidth}},
        std::pair{"zoom", Setter{&Content::setZoom}},
        std::pair{"preferredTimelineMargin", Setter{&Content::setPreferredTimelineMargin}},
        std::pair{"attachmentLabelWidth", Setter{&Content::setAttachmentLabelWidth}},
        std::pair{"viewportExtensionWidth", Setter{&Content::setViewportExtensionWidth}},
        std::pair{"viewportExtensionHeight", Setter{&Content::setViewportExtensionHeight}}}) {
    lengths.push_back({name, [setter](GanttChartController& chart, double value) {
                         ((*chart.contentController()).*setter)(value);
                       }});
  }
  lengths.push_back({"header hourWidth", [](GanttChartController& chart, double value) {
                       chart.headerController()->setHourWidth(value);
                     }});
  lengths.push_back({"header zoom", [](GanttChartController& chart, double value) {
                       chart.headerController()->setZoom(value);
                     }});
  return lengths;
}

// A fresh chart for each case.
class ChartCase : public HostileChart {
  void TestBody() override {}
};

TEST(HostileLengths, EveryBarTheChartAreaListsInViewIsDrawnWhateverALengthIs) {
  constexpr double kMost = std::numeric_limits<double>::max();
  for (const Length& length : everyLength()) {
    for (const double value : {1e300, kMost}) {
      SCOPED_TRACE(::testing::Message() << length.name << " = " << value);
      ChartCase chart;
      length.set(*chart.controller, value);
      HostileChart::settle();

      const Rectangle viewport = chart.content()->viewport();
      for (const GanttChartBar& bar : chart.content()->visibleBars()) {
        const Point centre{bar.bounds.origin.x + bar.bounds.size.width / 2,
                           bar.bounds.origin.y + bar.bounds.size.height / 2};
        if (!viewport.contains(centre)) continue;
        EXPECT_EQ(chart.content()->item(centre), bar.item);
        EXPECT_TRUE(chart.barDrawn(bar.item));
      }
    }
  }
}

// Also a room that is less than none.
TEST_F(HostileChart, AnAttachmentRoomOfAnyWidthLeavesTheBarsDrawn) {
  for (const double width : {-1e6, -1e300, 1e300}) {
    SCOPED_TRACE(width);
    content()->setAttachmentLabelWidth(width);
    settle();
    for (const GanttChartItemPtr& item : items) {
      EXPECT_TRUE(listsBar(item));
      EXPECT_TRUE(barDrawn(item));
    }
  }
}

// --- Sizes beyond the screen ---------------------------------------------------------

TEST_F(HostileChart, AHeaderTallerThanTheChartTakesNoMoreThanTheHostGives) {
  for (const double rowHeight : {1e3, 1e6, 1e300}) {
    SCOPED_TRACE(rowHeight);
    controller->setHeaderRowHeight(rowHeight);
    chart->resize(800, 400);
    settle();

    EXPECT_EQ(chart->size(), QSize(800, 400));
    EXPECT_LE(chart->header()->geometry().bottom(), chart->height());
    // Header and chart area paint into what the window holds.
    EXPECT_LE(chart->header()->imageRepresentation().height(), 400);
    EXPECT_EQ(chart->imageRepresentation().size(), QSize(800, 400));
    EXPECT_LE(header()->viewport().size.height, 400);
  }

  // A header that fits is as tall as its rows, and the chart area below it
  // as tall as the rest.
  controller->setHeaderRowHeight(30);
  settle();
  EXPECT_EQ(chart->header()->height(), 60);
  EXPECT_EQ(chart->content()->geometry().top(), 60);
  EXPECT_EQ(chart->content()->geometry().bottom(), 399);
  EXPECT_TRUE(barDrawn(items[0]));
}

// --- A controller lent to a second one over the same source ---------------------------

TEST_F(HostileChart, AChartAreaGivenItsControllerBackFollowsTheItemsAsItsHeaderDoes) {
  chart->content()->setController(GanttChartContentController::create(source));
  chart->setController(controller);
  settle();
  // Three years on, far past the end of the timeline both parts show now.
  source->updateTime(items[2], Time(1 + 3 * 52, 3, 8 * 3600));
  settle();
  const double end = content()->bounds(items[2]).right();
  chart->scrollTo(end - 100, end);
  settle();

  const double width = chart->content()->scrollView()->documentSize().width();
  EXPECT_GE(width, end);
  EXPECT_EQ(chart->header()->scrollView()->documentSize().width(), width);
  EXPECT_EQ(chart->header()->scrollView()->scrollOffset().x(),
            chart->content()->scrollView()->scrollOffset().x());
  EXPECT_EQ(header()->visibleTimeline(), content()->visibleTimeline());
  EXPECT_TRUE(barDrawn(items[2]));
}

// --- A host deleting the chart from a callback of the user's input ---------------------

// Deletes the chart at the first callback it hears once armed.
class DeletingHost : public GanttChartObserver,
                     public GanttChartItemObserver,
                     public GanttChartContentActivator,
                     public GanttChartContentViewportObserver {
 public:
  using GanttChartContentActivator::activate;

  explicit DeletingHost(std::unique_ptr<GanttChart>& chart) : chart_(chart) {}
  bool armed = false;

  void headerTimelineDidChange() override { reached(); }
  void itemWasRemoved(const GanttChartItemPtr& /*item*/) override { reached(); }
  void dependencyWasAdded(const GanttChartDependencyPtr& /*dependency*/) override { reached(); }
  void timeDidChange(const GanttChartItemPtr& /*item*/, const TimeRange& /*from*/) override {
    reached();
  }
  void activate(const GanttChartBar& /*bar*/) override { reached(); }
  void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) override { reached(); }
  void zoomDidChange(double /*to*/, double /*from*/) override { reached(); }

 private:
  void reached() {
    if (std::exchange(armed, false)) chart_.reset();
  }
  std::unique_ptr<GanttChart>& chart_;
};

class DeletedChart : public HostileChart {
 public:
  DeletedChart() {
    content()->setZoom(3);  // room to scroll sideways
    settle();
    chart->setObserver(host);
    content()->itemManager()->setItemObserver(host);
    content()->setActivator(host);
    content()->setViewportObserver(host);
    bar = centreOf(items[0]);
    barLater = bar.movedBy(40, 0);
    barLatest = bar.movedBy(80, 0);
    barEnd = endOf(items[0], -3);
    barEndLater = barEnd.movedBy(40, 0);
    thumb = endOf(items[0], 6);
    target = centreOf(items[2]);
  }
  void TestBody() override {}

  [[nodiscard]] QWidget* canvas() const { return chart->content()->canvas(); }
  [[nodiscard]] QPointF on(const Point& point) const {
    return chart->content()->scrollView()->viewportPoint(QPointF(point.x, point.y));
  }
  [[nodiscard]] Point centreOf(const GanttChartItemPtr& item) const {
    const Rectangle bounds = content()->bounds(item);
    return Point{bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2};
  }
  [[nodiscard]] Point endOf(const GanttChartItemPtr& item, double beyond) const {
    return Point{content()->bounds(item).right() + beyond, centreOf(item).y};
  }
  void key(QWidget* receiver, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(receiver, &press);
  }

  // Where the steps act, as the chart showed them before the first.
  Point bar, barLater, barLatest, barEnd, barEndLater, thumb, target;
  std::shared_ptr<DeletingHost> host = std::make_shared<DeletingHost>(chart);
  testing::SyntheticMouse mouse{canvas()};
  testing::SyntheticMouse headerMouse{chart->header()->clipView()};
};

TEST(HostileHost, DeletingTheChartFromACallbackOfAnyUserInputIsNoCrash) {
  using Step = std::function<void(DeletedChart&)>;
  using At = Point DeletedChart::*;
  const auto press = [](At at) { return [at](DeletedChart& c) { c.mouse.press(c.on(c.*at)); }; };
  const auto move = [](At at) { return [at](DeletedChart& c) { c.mouse.moveTo(c.on(c.*at)); }; };
  const auto release = [](At at) {
    return [at](DeletedChart& c) { c.mouse.release(c.on(c.*at)); };
  };
  const At bar = &DeletedChart::bar;
  const At barLater = &DeletedChart::barLater;
  const At barLatest = &DeletedChart::barLatest;
  const At barEnd = &DeletedChart::barEnd;
  const At barEndLater = &DeletedChart::barEndLater;
  const At thumb = &DeletedChart::thumb;
  const At target = &DeletedChart::target;
  const Step zoomDrag = [](DeletedChart& c) {
    c.headerMouse.press(QPointF(200, 20));
    for (int x = 212; x <= 248; x += 12) {
      c.headerMouse.moveTo(QPointF(x, 20));
      if (c.chart == nullptr) return;
    }
    c.headerMouse.release(QPointF(248, 20));
  };
  const Step menuOnBar = [](DeletedChart& c) {
    const QPoint local = c.on(c.bar).toPoint();
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, c.canvas()->mapToGlobal(local));
    QCoreApplication::sendEvent(c.canvas(), &event);
  };
  const struct {
    const char* input;
    std::vector<Step> steps;
  } cases[] = {
      {"bar drag", {press(bar), move(barLater), move(barLatest), release(barLatest)}},
      {"resize drag", {press(barEnd), move(barEndLater), release(barEndLater)}},
      {"double click",
       {press(bar), release(bar), [](DeletedChart& c) { c.mouse.doubleClickPress(c.on(c.bar)); },
        release(bar)}},
      {"link from a bar's end", {move(thumb), press(thumb), move(target), release(target)}},
      {"wheel", {[](DeletedChart& c) { testing::sendWheel(c.canvas(), QPoint(-120, 0)); }}},
      {"zoom", {zoomDrag}},
      {"delete command",
       {menuOnBar, [](DeletedChart& c) { c.chart->content()->deleteItemMenuItem()->trigger(); }}},
      {"arrow key",
       {[](DeletedChart& c) { c.key(c.chart->content()->scrollView(), Qt::Key_Right); }}},
  };
  for (const auto& [input, steps] : cases) {
    // Armed from each step on in turn, so that each step's callbacks are
    // the first to delete the chart once.
    bool deleted = false;
    for (std::size_t armedAt = 0; armedAt < steps.size(); ++armedAt) {
      SCOPED_TRACE(::testing::Message() << input << ", armed before step " << armedAt);
      DeletedChart c;
      for (std::size_t step = 0; step < steps.size() && c.chart != nullptr; ++step) {
        c.host->armed = step >= armedAt;
        steps[step](c);
      }
      HostileChart::settle();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      deleted = deleted || c.chart == nullptr;
    }
    EXPECT_TRUE(deleted) << input << " reached no host callback";
  }
}

// --- A host deleting a part when the chart area's scroll bar comes -------------------

// Runs `deletePart` at the first change of the header's timeline.
struct PartDeletingHost : GanttChartObserver {
  std::function<void()> deletePart;
  void headerTimelineDidChange() override {
    if (deletePart) std::exchange(deletePart, nullptr)();
  }
};

TEST(HostileHost, DeletingAPartWhenTheChartAreasScrollBarAppearsIsNoCrash) {
  using Part = std::function<void(ChartCase&)>;
  for (const Part& deletePart : {Part([](ChartCase& c) { delete c.chart->content(); }),
                                 Part([](ChartCase& c) { delete c.chart->header(); }),
                                 Part([](ChartCase& c) { c.chart.reset(); })}) {
    ChartCase c;
    ASSERT_FALSE(c.chart->content()->scrollView()->verticalScrollBar()->isVisible());
    const auto host = std::make_shared<PartDeletingHost>();
    host->deletePart = [&] { deletePart(c); };
    c.chart->setObserver(host);
    // Qt shows the bar, narrowing the chart area's viewport, on a later turn.
    c.content()->setRowHeight(200);
    HostileChart::settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(host->deletePart);
  }
}

}  // namespace
}  // namespace vorlent
