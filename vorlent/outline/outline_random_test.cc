// Seeded random sequences of what a user and a host do to an outline chart
// and a plain chart beside it: mouse, wheel, resizes, zoom, expansion,
// paging, reloads, edits made from inside callbacks and widgets destroyed
// under the charts' feet, and the values a careless host sends: times that
// are not numbers or lie at the ends of time, rows at the ends of the integer,
// lengths and scales far beyond any screen, megabyte texts, scheduling rules
// that shift rows and times, documents from the ends of time to the end of
// the row numbers, far longer than the scroll bars, header rows of seconds
// wherever the view starts, controllers lent to another view and taken
// back, links, loops and hosts' edits that move items far along timelines
// that follow them. The sanitizers judge each step; the rows of the outline
// and of its chart are compared whenever the event loop has run, and every
// header shows the time its chart area shows after every step.
// Case N runs seed N + 1 (a failed expectation also names its step); running
// that case alone repeats it.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTreeView>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/settled_timeline.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/model/item_source.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_chart_testing.h"
#include "vorlent/outline/outline_dependency.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_canvas.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::OutlineHost;
using testing::pinnedNow;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSteps = 1500;  // each step costs several times more
#else
constexpr int kSteps = 3000;
#endif

Time monday() { return TimeRange::currentWeek().start.addingDays(1); }

void settle() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

class Dice {
 public:
  explicit Dice(uint64_t seed) : engine_(seed) {}
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
  bool chance(double p) { return std::bernoulli_distribution(p)(engine_); }
  double between(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  template <class T>
  T oneOf(std::initializer_list<T> values) {
    return *(values.begin() + below(int(values.size())));
  }
  // Spread evenly over the orders of magnitude from `low` to `high`.
  double logBetween(double low, double high) {
    return std::exp(between(std::log(low), std::log(high)));
  }

 private:
  std::mt19937_64 engine_;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int64_t kLastRow = std::numeric_limits<int64_t>::max();
constexpr int64_t kFirstRow = std::numeric_limits<int64_t>::min();

// A text as long as a pasted document.
const std::string& megabyte() {
  static const std::string text = [] {
    std::string words;
    while (words.size() < (1 << 20)) words += "all work and no play ";
    return words;
  }();
  return text;
}

// Hostile values as hosts send them: a parse that gave NaN, "no date" sentinels,
// a corrupt import's rows, a slider driven past its ends.
double hostileLength(Dice& dice) {
  return dice.oneOf<double>({kNaN, kInfinity, -kInfinity, 1e300, std::numeric_limits<double>::max(),
                             -1e300, -1, 0, 1e-300, std::numeric_limits<double>::denorm_min(), 1e6,
                             1e9});
}

int64_t hostileRow(Dice& dice) {
  return dice.oneOf<int64_t>({kLastRow, kLastRow - 1, kLastRow - 2, kFirstRow, kFirstRow + 1,
                              int64_t(1) << 53, -1, -(int64_t(1) << 40)});
}

// One end of an item that a host got wrong.
Time hostileTime(Dice& dice) {
  const Time near = monday().addingDays(dice.below(20) - 5);
  switch (dice.below(5)) {
    case 0:
      return Time(near.week, near.dayOfWeek, dice.oneOf<double>({kNaN, kInfinity, -kInfinity}));
    case 1:
      return Time::min();
    case 2:
      return Time::max();
    case 3:
      return dice.oneOf<Time>(
          {Time::min().addingDays(1), Time::max().addingDays(-1), Time::max().addingWeeks(-1)});
    default:
      return near;
  }
}

TimeRange hostileRange(Dice& dice) {
  const Time near = monday().addingDays(dice.below(20) - 5);
  switch (dice.below(3)) {
    case 0:
      return TimeRange(hostileTime(dice), near);
    case 1:
      return TimeRange(near, hostileTime(dice));
    default: {
      const Time start = hostileTime(dice);
      return TimeRange(start, hostileTime(dice));
    }
  }
}

// A host whose answers to the chart's notifications are random: most do
// nothing, some reload, drop or add rows, edit a bar or destroy the chart.
class RandomHost : public OutlineHost {
 public:
  explicit RandomHost(Dice& dice) : dice_(dice) {}

  OutlineGanttChartRowPtr addRandomRow() {
    const std::string label = "row " + std::to_string(++made_);
    const Time start = monday().addingDays(dice_.below(20) - 5);
    std::vector<OutlineGanttChartRowPtr> rows = allRows();
    if (rows.empty() || dice_.chance(0.4)) return addRoot(label, start, 1 + dice_.below(5));
    const OutlineGanttChartRowPtr row =
        addChild(rows[size_t(dice_.below(int(rows.size())))], label, start, 1 + dice_.below(5));
    // Some rows wait for another, so that auto-scheduling has links to follow.
    if (dice_.chance(0.3)) {
      const OutlineGanttChartRowPtr before = rows[size_t(dice_.below(int(rows.size())))];
      dependencies.push_back(OutlineGanttChartDependency::create(std::nullopt, itemOf(before),
                                                                 itemOf(row), std::nullopt, 0, true,
                                                                 std::nullopt, std::nullopt, {}));
    }
    return row;
  }

  // A row of the host's, if it lists any.
  OutlineGanttChartRowPtr randomRow() {
    const std::vector<OutlineGanttChartRowPtr> rows = allRows();
    return rows.empty() ? nullptr : rows[size_t(dice_.below(int(rows.size())))];
  }

  // Lists are picked in the order of the rows, not of their addresses, so
  // that a seed runs alike whatever was allocated before.
  void dropRandomRow() {
    std::vector<std::vector<OutlineGanttChartRowPtr>*> lists{&roots};
    for (const OutlineGanttChartRowPtr& row : allRows()) {
      if (const auto found = childrenOf.find(row.get()); found != childrenOf.end()) {
        lists.push_back(&found->second);
      }
    }
    auto& list = *lists[size_t(dice_.below(int(lists.size())))];
    if (list.empty()) return;
    const auto at = list.begin() + dice_.below(int(list.size()));
    forget(*at);
    list.erase(at);
  }

  // Every row the host still lists, from the roots down.
  std::vector<OutlineGanttChartRowPtr> allRows() {
    std::vector<OutlineGanttChartRowPtr> rows;
    std::vector<OutlineGanttChartRowPtr> pending = roots;
    while (!pending.empty() && rows.size() < 400) {
      rows.push_back(pending.back());
      pending.pop_back();
      const auto found = childrenOf.find(rows.back().get());
      if (found != childrenOf.end()) {
        pending.insert(pending.end(), found->second.begin(), found->second.end());
      }
    }
    return rows;
  }

  void outlineGanttChartTimeDidChangeFor(OutlineGanttChart& chart,
                                         const OutlineGanttChartItemPtr& item,
                                         const TimeRange& from) override {
    OutlineHost::outlineGanttChartTimeDidChangeFor(chart, item, from);
    answer(chart);
  }
  void outlineGanttChartCompletionDidChangeFor(OutlineGanttChart& chart,
                                               const OutlineGanttChartItemPtr& item,
                                               double from) override {
    OutlineHost::outlineGanttChartCompletionDidChangeFor(chart, item, from);
    answer(chart);
  }
  void outlineGanttChartDidRemoveItem(OutlineGanttChart& chart,
                                      const OutlineGanttChartItemPtr& item,
                                      const OutlineGanttChartRowPtr& from) override {
    OutlineHost::outlineGanttChartDidRemoveItem(chart, item, from);
    answer(chart);
  }

 private:
  // Drops the lists of the row's descendants too: a row made later at the
  // same address must not find them.
  void forget(const OutlineGanttChartRowPtr& row) {
    const auto found = childrenOf.find(row.get());
    if (found == childrenOf.end()) return;
    const std::vector<OutlineGanttChartRowPtr> children = std::move(found->second);
    childrenOf.erase(found);
    for (const OutlineGanttChartRowPtr& child : children) forget(child);
  }

  void answer(OutlineGanttChart& chart) {
    log.clear();
    // Answers that edit again are themselves answered, a few levels deep.
    if (depth_ > 2) return;
    ++depth_;
    const QPointer<OutlineGanttChart> alive(&chart);
    switch (dice_.below(12)) {
      case 0:
        chart.reloadData();
        break;
      case 1:
        dropRandomRow();
        chart.reloadData();
        break;
      case 2:
        addRandomRow();
        chart.reloadData();
        break;
      case 3: {
        const GanttChartItemManagerPtr manager = chart.ganttChartItemManager();
        const std::vector<GanttChartItemPtr> twins = manager->filteredItems().elements();
        if (!twins.empty()) {
          manager->updateTime(twins[size_t(dice_.below(int(twins.size())))],
                              monday().addingHours(dice_.below(300)));
        }
        break;
      }
      case 4:
        if (dice_.chance(0.2)) chart.deleteLater();
        break;
      case 5:
        // Its chart area, or its header, goes once the current event is
        // delivered.
        if (GanttChart* chartView = chart.ganttChart(); chartView && dice_.chance(0.2)) {
          QWidget* part =
              dice_.chance(0.5) ? static_cast<QWidget*>(chartView->content()) : chartView->header();
          if (part) part->deleteLater();
        }
        break;
      default:
        break;
    }
    // A chart deleted by the answer takes nothing with it: the next chart
    // starts afresh.
    depth_ = alive ? depth_ - 1 : 0;
  }

  Dice& dice_;
  int made_ = 0;
  int depth_ = 0;
};

// The plain chart's host: answers item changes as RandomHost does, and
// looks at the chart's parts whenever the chart tells it of its header.
class RandomChartHost : public GanttChartItemObserver, public GanttChartObserver {
 public:
  RandomChartHost(Dice& dice, QPointer<GanttChart>& chart) : dice_(dice), chart_(chart) {}

  void headerHeightDidChange() override { lookAtParts(); }
  void headerTimelineDidChange() override {
    lookAtParts();
    editFromNotice();
  }

  // The host answers the next notice of the chart's timeline by moving an
  // item, then the notice of that answer in turn, and so on, at most
  // `answers` times, each answer nested in the one before.
  void answerNoticesInAChain(int answers) { chainLeft_ = answers; }

  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& /*from*/) override {
    answer(item);
  }
  void rowDidChange(const GanttChartItemPtr& item, int64_t /*from*/) override { answer(item); }
  void itemWasAdded(const GanttChartItemPtr& item) override { answer(item); }

 private:
  void answer(const GanttChartItemPtr& item) {
    if (depth_ > 2 || !chart_ || !chart_->controller()) return;
    ++depth_;
    const GanttChartItemManagerPtr manager =
        chart_->controller()->contentController()->itemManager();
    switch (dice_.below(10)) {
      case 0:
        chart_->reloadData();
        break;
      case 1:
        // A host reads the start it was told of; one that is not a number
        // gives it nothing to count from.
        if (std::isfinite(item->start().timeOfDay)) {
          manager->updateCompletion(item, item->start().addingHours(dice_.below(30)));
        }
        break;
      case 2:
        manager->removeItem(item);
        break;
      case 3:
        // Qt delivers the event that led here on to the chart area's
        // children: it may only go once that is done.
        if (dice_.chance(0.1) && chart_->content()) chart_->content()->deleteLater();
        break;
      case 4:
        if (dice_.chance(0.1) && chart_->header()) chart_->header()->deleteLater();
        break;
      default:
        break;
    }
    --depth_;
  }

  // A host keeping a plan in step with what it shows moves an item far out
  // or back near the others. Only a notice of its last answer is answered,
  // so the chain ends once it has unwound.
  void editFromNotice() {
    if (chainLeft_ <= 0 || nesting_ != chained_ || !chart_ || !chart_->controller()) return;
    const auto source = std::dynamic_pointer_cast<GanttChartItemSource>(
        chart_->controller()->contentController()->itemManager());
    if (!source || source->items().size() < 2) return;
    const std::vector<GanttChartItemPtr> items = source->items();
    const GanttChartItemPtr item = items[size_t(dice_.below(int(items.size())))];
    --chainLeft_;
    ++chained_;
    ++nesting_;
    source->updateTime(item, dice_.chance(0.7) ? monday().addingWeeks(52 * (1 + dice_.below(2000)))
                                               : monday().addingHours(dice_.below(400)));
    if (--nesting_ == 0) chainLeft_ = chained_ = 0;
  }

  void lookAtParts() {
    if (!chart_) return;
    if (GanttChartContent* content = chart_->content()) (void)content->scrollView();
    if (GanttChartHeader* header = chart_->header()) (void)header->scrollView();
  }

  Dice& dice_;
  QPointer<GanttChart>& chart_;
  int depth_ = 0;
  int chainLeft_ = 0;  // answers the chain may still give
  int chained_ = 0;    // answers the chain has given
  int nesting_ = 0;    // answers under way
};

class RandomRun {
 public:
  explicit RandomRun(uint64_t seed) : dice_(seed) {
    window_.resize(1000, 700);
    window_.show();
    for (int i = 0; i < 12; ++i) host_->addRandomRow();
  }
  ~RandomRun() {
    delete outline_.data();
    delete chart_.data();
    delete twin_.data();
    loop_->runPending();
    settle();
  }

  void step() {
    ensureCharts();
    switch (dice_.below(22)) {
      case 0:
      case 1:
        drag(randomCanvas());
        break;
      case 2:
        hover(randomCanvas());
        break;
      case 3:
        wheel(randomScrolled());
        break;
      case 4:
        resize();
        break;
      case 5:
        zoom();
        break;
      case 6:
        expandOrCollapse();
        break;
      case 7:
        if (dice_.chance(0.5)) {
          host_->addRandomRow();
        } else {
          host_->dropRandomRow();
        }
        outline_->reloadData();
        break;
      case 8:
        if (dice_.chance(0.5)) {
          outline_->reloadData();
        } else {
          chart_->reloadData();
        }
        break;
      case 9:
        destroySomething();
        break;
      case 10:
        outline_->setRowHeight(dice_.between(1, 60));
        break;
      case 11:
        pageOrApply();
        break;
      case 12:
        outline_->scrollRowToVisible(dice_.below(60));
        break;
      case 13:
        click(randomCanvas());
        break;
      case 14:
        editPlainChart();
        break;
      case 15:
        hostileItem();
        break;
      case 16:
        hostileSetting();
        break;
      case 17:
        farAway();
        break;
      case 18:
        fineHeader();
        break;
      case 19:
        lendAndTakeBack();
        break;
      case 20:
        longTimeline();
        break;
      default:
        // Time passes for the charts' timers (a drag's repeated step, the
        // timeline's shift) only here, so that a seed always runs alike.
        if (dice_.chance(0.5)) loop_->advance(dice_.between(0, 1));
        loop_->runPending();
        settle();
        checkRows();
        break;
    }
  }

  // After every step, in each chart that is still there.
  void checkHeadersFollow() {
    for (GanttChart* chart :
         {outline_ ? outline_->ganttChart() : nullptr, chart_.data(), twin_.data()}) {
      if (chart != nullptr) checkHeaderFollows(*chart);
    }
  }

 private:
  void ensureCharts() {
    if (!outline_) {
      outline_ = new OutlineGanttChart(&window_);
      outline_->setGeometry(0, 0, 600, 400);
      outline_->setAreOutOfRowRangeItemsAvailable(dice_.chance(0.5));
      outline_->setGanttChartItemObserver(host_);
      outline_->setDataSource(host_);
      outline_->show();
    }
    if (!chart_) {
      chart_ = new GanttChart(&window_);
      chart_->setGeometry(0, 400, 600, 300);
      std::vector<GanttChartItemPtr> items;
      for (int i = 0; i < 20; ++i) {
        const Time start = monday().addingHours(dice_.below(400));
        items.push_back(
            GanttChartItem::create({.row = dice_.below(30),
                                    .start = start,
                                    .finish = start.addingHours(dice_.below(80)),
                                    .type = dice_.chance(0.2) ? GanttChartItemType::milestone
                                                              : GanttChartItemType::standard}));
      }
      std::vector<GanttChartDependencyPtr> links;
      for (int i = 0; i < 6; ++i) {
        const GanttChartItemPtr from = items[size_t(dice_.below(int(items.size())))];
        const GanttChartItemPtr to = items[size_t(dice_.below(int(items.size())))];
        if (from != to) links.push_back(GanttChartDependency::create({.from = from, .to = to}));
      }
      // Some hosts date what they cannot date at the ends of time: a
      // document of up to 2^53 points, spread over the scroll bars.
      const bool endless = dice_.chance(0.3);
      if (endless) {
        const GanttChartItemPtr undated = GanttChartItem::create(
            {.row = farRow(), .start = Time::min(), .finish = Time::min().addingDays(1)});
        const GanttChartItemPtr open = GanttChartItem::create(
            {.row = farRow(), .start = Time::max().addingDays(-1), .finish = Time::max()});
        links.push_back(GanttChartDependency::create({.from = undated, .to = items[0]}));
        links.push_back(GanttChartDependency::create({.from = items[1], .to = open}));
        links.push_back(GanttChartDependency::create({.from = undated, .to = open}));
        items.push_back(undated);
        items.push_back(open);
      }
      auto source = std::make_shared<GanttChartItemSource>(
          items, links, dice_.chance(0.5) ? ScheduleDefinition::standard() : nullptr);
      // The rules that move rows and times on their own.
      source->setIsColumn(dice_.chance(0.4));
      source->setIsAutoScheduling(dice_.chance(0.4));
      if (dice_.chance(0.4)) source->addHierarchicalRelations(items[0], {items[1], items[2]});
      source_ = source;
      source->setItemObserver(chartHost_);
      auto content = GanttChartContentController::create(source);
      content->setDesiredScrollableRowCount(60);
      content->setScrollableTimeline(TimeRange(monday().addingDays(-7), monday().addingDays(40)));
      if (endless) content->setHourWidth(dice_.logBetween(10, 1e4));
      GanttChartContentSettings settings = content->settings();
      settings.allowsSelectingElements = dice_.chance(0.5);
      content->setSettings(settings);
      chart_->setController(GanttChartController::create(
          GanttChartHeaderController::create(std::nullopt), std::move(content)));
      chart_->setObserver(chartHost_);
      chart_->show();
    }
  }

  // The outline's chart, the plain chart or the second view, if still there.
  GanttChart* randomChart() {
    switch (dice_.below(5)) {
      case 0:
      case 1:
        return outline_->ganttChart();
      case 2:
        return twin_.data();
      default:
        return chart_.data();
    }
  }

  // A canvas of a chart area or header, if it is still there.
  QWidget* randomCanvas() {
    GanttChart* chart = randomChart();
    if (!chart) return nullptr;
    if (dice_.chance(0.2)) return chart->header() ? chart->header()->clipView() : nullptr;
    return chart->content() ? chart->content()->canvas() : nullptr;
  }

  QWidget* randomScrolled() {
    if (dice_.chance(0.3)) return outline_->outlineView()->viewport();
    return randomCanvas();
  }

  QPointF randomPoint(const QWidget* widget) {
    return QPointF(dice_.between(-10, widget->width() + 10),
                   dice_.between(-10, widget->height() + 10));
  }

  // Sends a mouse event unless the widget went during an earlier one.
  void mouse(const QPointer<QWidget>& target, QEvent::Type type, QPointF at,
             Qt::MouseButtons buttons) {
    if (!target) return;
    time_ += 1 + dice_.below(400);
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    event.setTimestamp(time_);
    QCoreApplication::sendEvent(target, &event);
  }

  void drag(QWidget* widget) {
    if (!widget) return;
    const QPointer<QWidget> target(widget);
    QPointF at = randomPoint(widget);
    mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    for (int moves = dice_.below(6); moves > 0 && target; --moves) {
      at += QPointF(dice_.between(-80, 80), dice_.between(-40, 40));
      mouse(target, QEvent::MouseMove, at, Qt::LeftButton);
    }
    mouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
  }

  void click(QWidget* widget) {
    if (!widget) return;
    const QPointer<QWidget> target(widget);
    const QPointF at = randomPoint(widget);
    for (int clicks = 1 + dice_.below(2); clicks > 0; --clicks) {
      mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
      mouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
  }

  void hover(QWidget* widget) {
    if (!widget) return;
    mouse(widget, QEvent::MouseMove, randomPoint(widget), Qt::NoButton);
  }

  void wheel(QWidget* widget) {
    if (!widget) return;
    const QPointF at = randomPoint(widget);
    const QPoint delta(dice_.chance(0.5) ? dice_.below(1200) - 600 : 0,
                       dice_.chance(0.7) ? dice_.below(1200) - 600 : 0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    const QPointer<QWidget> target(widget);
    QCoreApplication::sendEvent(widget, &event);
    if (target) checkViewports();
  }

  void resize() {
    QWidget* widget = dice_.chance(0.5) ? static_cast<QWidget*>(outline_.data()) : chart_.data();
    widget->setGeometry(dice_.below(400), dice_.below(400), dice_.below(1200), dice_.below(800));
  }

  void zoom() {
    GanttChart* chart = randomChart();
    if (!chart || !chart->controller()) return;
    const GanttChartControllerPtr controller = chart->controller();
    switch (dice_.below(4)) {
      case 0:
        controller->headerController()->setZoom(dice_.logBetween(0.05, 20));
        break;
      case 1:
        controller->contentController()->setHourWidth(dice_.logBetween(0.05, 400));
        break;
      case 2:
        controller->setHeaderRowHeight(dice_.between(0, 80));
        break;
      default:
        controller->contentController()->setRowHeight(dice_.between(1, 80));
        break;
    }
  }

  void expandOrCollapse() {
    QTreeView* tree = outline_->outlineView();
    OutlineGanttChartModel* model = outline_->outlineModel();
    const int64_t rows = model->numberOfRows();
    switch (dice_.below(10)) {
      case 0:
        tree->expandAll();
        break;
      case 1:
        tree->collapseAll();
        break;
      default:
        if (rows > 0) {
          const QModelIndex index = model->indexOfDisplayedRow(dice_.below(int(rows)));
          tree->setExpanded(index, !tree->isExpanded(index));
        }
        break;
    }
  }

  // A second chart view takes the plain chart's controller, gives it back or
  // lets it go, as a host moving a chart between windows does.
  void handOver() {
    if (!twin_) {
      twin_ = new GanttChart(&window_);
      twin_->setGeometry(600, 0, 400, 300);
      twin_->show();
    }
    switch (dice_.below(3)) {
      case 0:
        twin_->setController(chart_->controller());
        break;
      case 1:
        if (twin_->controller()) chart_->setController(twin_->controller());
        break;
      default:
        twin_->setController(nullptr);
        break;
    }
  }

  void destroySomething() {
    switch (dice_.below(8)) {
      case 0:
        if (GanttChart* chart = outline_->ganttChart()) delete chart->content();
        break;
      case 1:
        if (GanttChart* chart = outline_->ganttChart()) delete chart->header();
        break;
      case 2:
        delete outline_.data();
        break;
      case 3:
        delete chart_->content();
        break;
      case 4:
        delete chart_->header();
        break;
      case 5:
        delete chart_.data();
        break;
      default:
        handOver();
        break;
    }
  }

  void pageOrApply() {
    switch (dice_.below(4)) {
      case 0:
        outline_->setIsPagingEnabled(!outline_->isPagingEnabled());
        break;
      case 1:
        outline_->setMinPageSize(dice_.below(20));
        break;
      case 2:
        outline_->setAutoApplyBehavior(!outline_->autoApplyBehavior());
        break;
      default:
        outline_->setIsAutoScheduling(!outline_->isAutoScheduling());
        break;
    }
  }

  void editPlainChart() {
    if (!chart_->controller()) return;
    const GanttChartItemManagerPtr manager =
        chart_->controller()->contentController()->itemManager();
    const std::vector<GanttChartItemPtr> items = manager->filteredItems().elements();
    if (items.empty() || dice_.chance(0.3)) {
      manager->addNewItem(dice_.below(60), monday().addingHours(dice_.below(400)),
                          dice_.chance(0.3));
      return;
    }
    const GanttChartItemPtr item = items[size_t(dice_.below(int(items.size())))];
    if (dice_.chance(0.5)) {
      manager->updateTime(item, monday().addingHours(dice_.below(400)));
    } else {
      manager->updateRow(item, dice_.below(60));
    }
  }

  // An item of either chart given a value a host can send by mistake.
  void hostileItem() {
    const auto source = source_.lock();
    const GanttChartItemPtr item =
        source && !source->items().empty()
            ? source->items()[size_t(dice_.below(int(source->items().size())))]
            : nullptr;
    const GanttChartItemManagerPtr manager =
        chart_->controller() ? chart_->controller()->contentController()->itemManager() : nullptr;
    switch (dice_.below(12)) {
      case 0:
      case 1:
        if (!item) return;
        item->setTime(hostileRange(dice_));
        source->collectionDidChange();
        break;
      case 2:
        if (!item) return;
        item->setRow(hostileRow(dice_));
        source->collectionDidChange();
        break;
      case 3:
        if (item && manager == source) manager->updateRow(item, hostileRow(dice_));
        break;
      case 4:
        // Sentinel times through the manager, whose rules then follow them.
        if (item && manager == source) {
          manager->updateTime(item, dice_.oneOf<Time>({Time::min(), Time::max()}));
        }
        break;
      case 5:
        if (!item) return;
        item->setCompletion(hostileLength(dice_));
        source->collectionDidChange();
        break;
      case 6:
        if (!item) return;
        if (dice_.chance(0.5)) {
          item->setDetails(megabyte());
        } else {
          item->setLabel(megabyte());
        }
        source->collectionDidChange();
        break;
      case 7:
        if (!source) return;
        source->setIsColumn(!source->isColumn());
        source->applyBehavior();
        break;
      case 8:
        if (item && manager == source) manager->updateExpansion(item, !item->isExpanded());
        break;
      case 9:
      case 10:
        // An outline row's bar, as the host's data has it.
        if (const OutlineGanttChartRowPtr row = host_->randomRow()) {
          OutlineHost::itemOf(row)->setTime(hostileRange(dice_));
          if (dice_.chance(0.2)) row->setLabel(megabyte());
          outline_->reloadData();
        }
        break;
      default: {
        // The outline's twins moved by the host through the outline's manager.
        const GanttChartItemManagerPtr outlineManager = outline_->ganttChartItemManager();
        const std::vector<GanttChartItemPtr> twins = outlineManager->filteredItems().elements();
        if (twins.empty()) return;
        const GanttChartItemPtr twin = twins[size_t(dice_.below(int(twins.size())))];
        if (dice_.chance(0.5)) {
          outlineManager->updateRow(twin, hostileRow(dice_));
        } else {
          outlineManager->updateTime(twin, dice_.oneOf<Time>({Time::min(), Time::max()}));
        }
        break;
      }
    }
  }

  // A row near the end of the row numbers (a host's "not placed"), or an
  // ordinary one.
  int64_t farRow() { return dice_.chance(0.5) ? kLastRow - dice_.below(3) : dice_.below(30); }

  // Far along or down a long document, by code, keys and the wheel, at an
  // hour width of 10 points or more; or more of the host's items at the
  // ends of time, linked.
  void farAway() {
    GanttChart* chart = randomChart();
    GanttChartContent* area = chart ? chart->content() : nullptr;
    if (!area || !chart->controller()) return;
    const auto content = chart->controller()->contentController();
    const auto checked = qScopeGuard([this] { checkViewports(); });
    switch (dice_.below(6)) {
      case 0:
        content->setHourWidth(dice_.logBetween(10, 1e5));
        break;
      case 1:
        content->scroll(dice_.oneOf<Time>({Time::min(), Time::max(), Time::min().addingDays(3),
                                           Time::max().addingWeeks(-1), monday()}));
        break;
      case 2: {
        const double y = content->middle(farRow());
        area->scrollVerticallyTo(y, y + dice_.between(0, 50));
        break;
      }
      case 3: {
        StandardScrollView* view = area->scrollView();
        const QSizeF size = view->documentSize();
        view->scrollToPoint(
            QPointF(dice_.between(0, 1) * size.width(), dice_.between(0, 1) * size.height()));
        break;
      }
      case 4: {
        QKeyEvent key(QEvent::KeyPress,
                      dice_.oneOf<int>({Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_PageUp,
                                        Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}),
                      Qt::NoModifier);
        QCoreApplication::sendEvent(area->scrollView(), &key);
        break;
      }
      default: {
        const GanttChartItemManagerPtr manager = content->itemManager();
        const GanttChartItemPtr early = manager->addNewItem(farRow(), Time::min(), false);
        const GanttChartItemPtr late =
            manager->addNewItem(farRow(), Time::max().addingDays(-1), dice_.chance(0.3));
        if (early && late) {
          manager->addNewDependency(early, late, GanttChartDependencyType::fromFinishToStart);
        }
        break;
      }
    }
  }

  // Header rows of minutes and seconds, at hour widths where whole pixels
  // fall on whole seconds, scrolled to any place and to a whole minute give
  // or take a rounding error. The header builds no more than a few cells for
  // each point of its width.
  void fineHeader() {
    GanttChart* chart = randomChart();
    GanttChartContent* area = chart ? chart->content() : nullptr;
    if (!area || !chart->controller()) return;
    const auto header = chart->controller()->headerController();
    const auto content = chart->controller()->contentController();
    if (dice_.chance(0.5)) {
      header->setRows(
          {GanttChartHeaderRow(TimeIntervalType::minutes(1)),
           GanttChartHeaderRow(TimeIntervalType::seconds(dice_.oneOf<double>({1, 5, 15})))});
    }
    if (dice_.chance(0.5)) {
      // Pixels of 1440, 1, 0.1, 0.3, 0.7 and 1.1 seconds, whose multiples
      // come out a rounding error either side of whole seconds.
      content->setHourWidth(dice_.chance(0.7)
                                ? 3600 / dice_.oneOf<double>({1440, 1, 0.1, 0.3, 0.7, 1.1})
                                : dice_.logBetween(1, 1e4));
    }
    if (dice_.chance(0.2)) {
      // From the ends of time: the document is spread over the scroll bars,
      // whose steps leave the view's start between whole pixels.
      content->setScrollableTimeline(TimeRange(Time::min(), Time::max()));
    }
    StandardScrollView* view = area->scrollView();
    if (dice_.chance(0.5)) {
      // The pixel nearest a whole minute near the view.
      const Time at = content->time(content->viewport().left() + dice_.between(-1e4, 1e4));
      if (!std::isfinite(at.timeOfDay)) return;
      const Time whole(at.week, at.dayOfWeek, std::round(at.timeOfDay / 60) * 60);
      view->scrollToPoint(QPointF(content->x(whole), kNaN));
    } else {
      view->scrollToPoint(QPointF(dice_.between(0, 1) * view->documentSize().width(), kNaN));
    }
    const double width = std::max(header->viewport().size.width, 0.0);
    const size_t rows = header->actualRows().size();
    EXPECT_LE(header->cells().size(), rows * size_t(4 * width + 64));
  }

  // The plain chart lends its controller to another view, or its header's
  // controller to a header of the host's, which keeps it or goes; the chart
  // area is scrolled and the controller taken back. After every hand-over
  // the header shows the time its chart area shows.
  void lendAndTakeBack() {
    if (!chart_->controller()) return;
    if (dice_.chance(0.5)) {
      lendAndTakeBackTheHeader();
      return;
    }
    const GanttChartControllerPtr controller = chart_->controller();
    auto* borrower = new GanttChart(&window_);
    borrower->setGeometry(600, 300, 400, 300);
    borrower->show();
    borrower->setController(controller);
    checkHeaderFollows(*borrower);
    delete borrower;
    if (GanttChartContent* area = chart_->content()) {
      StandardScrollView* view = area->scrollView();
      view->scrollToPoint(QPointF(dice_.between(0, 1) * view->documentSize().width(),
                                  dice_.between(0, 1) * view->documentSize().height()));
    }
    if (!chart_) return;
    chart_->setController(controller);
    if (chart_) checkHeaderFollows(*chart_);
  }

  // The header's controller alone, lent to a header of the host's of any
  // width, and taken back by the chart's header.
  void lendAndTakeBackTheHeader() {
    GanttChartHeader* header = chart_->header();
    if (header == nullptr || !header->controller()) return;
    const std::shared_ptr<GanttChartHeaderController> controller = header->controller();
    const QPointer<GanttChartHeader> borrower = new GanttChartHeader(&window_);
    borrower->setGeometry(dice_.below(300), 650, 100 + dice_.below(900), 40);
    borrower->show();
    borrower->setController(controller);
    if (dice_.chance(0.5)) delete borrower.data();
    GanttChartContent* area = chart_ ? chart_->content() : nullptr;
    if (area == nullptr || chart_->header() == nullptr) {
      delete borrower.data();
      return;
    }
    StandardScrollView* view = area->scrollView();
    view->scrollToPoint(QPointF(dice_.between(0, 1) * view->documentSize().width(), kNaN));
    // Taking the controller back moves no chart area (unless its document
    // changed meanwhile).
    const QPointer<GanttChartContent> areaStays(area);
    const QSizeF document = view->documentSize();
    const QPoint shown = view->scrollOffset();
    chart_->header()->setController(controller);
    if (areaStays && view->documentSize() == document) {
      EXPECT_EQ(view->scrollOffset(), shown);
    }
    delete borrower.data();
  }

  // The plain chart following its items along a timeline made long (an item
  // years away, or at the end of time), and edits whose rules move items
  // along it: links under auto-scheduling, links that close a loop, a
  // summary linked to its own child, rows and completions under the rules,
  // and a host that answers the chart's notices with edits, at times
  // nested deeper than the chart area tells of its own changes.
  void longTimeline() {
    const auto source = source_.lock();
    if (!source || !chart_ || !chart_->controller()) return;
    const auto content = chart_->controller()->contentController();
    if (content->itemManager() != source || source->items().size() < 2) return;
    const std::vector<GanttChartItemPtr> items = source->items();
    const auto anyItem = [&] { return items[size_t(dice_.below(int(items.size())))]; };
    const GanttChartItemPtr a = anyItem();
    const GanttChartItemPtr b = anyItem();
    const auto type = dice_.oneOf<GanttChartDependencyType>(
        {GanttChartDependencyType::fromFinishToStart, GanttChartDependencyType::fromStartToStart,
         GanttChartDependencyType::fromFinishToFinish,
         GanttChartDependencyType::fromStartToFinish});
    switch (dice_.below(7)) {
      case 0:
        content->setScrollableTimeline(std::nullopt);
        source->updateTime(a, dice_.chance(0.3)
                                  ? Time::max().addingWeeks(-1)
                                  : monday().addingWeeks(52 * (1 + dice_.below(2000))));
        break;
      case 1: {
        // Often to the item that ends last, which auto-scheduling may pull
        // in from the far end of the timeline.
        const auto endsEarlier = [](const GanttChartItemPtr& x, const GanttChartItemPtr& y) {
          return x->finish() < y->finish();
        };
        const GanttChartItemPtr latest = *std::max_element(items.begin(), items.end(), endsEarlier);
        const GanttChartItemPtr to = dice_.chance(0.5) ? latest : b;
        source->setIsAutoScheduling(dice_.chance(0.8));
        if (a != to) source->addNewDependency(a, to, type);
        break;
      }
      case 2:
        if (a != b) {
          source->addNewDependency(a, b, type);
          source->addNewDependency(b, a, type);
        }
        break;
      case 3:
        if (a != b) {
          source->addHierarchicalRelations(a, {b});
          source->addNewDependency(a, b, type);
        }
        break;
      case 4:
        if (dice_.chance(0.5)) {
          source->updateRow(a, dice_.below(30));
        } else if (std::isfinite(a->start().timeOfDay)) {
          source->updateCompletion(a, a->start().addingHours(dice_.below(40)));
        }
        break;
      case 5:
        if (!source->dependencies().empty()) {
          const std::vector<GanttChartDependencyPtr> links = source->dependencies();
          source->removeDependency(links[size_t(dice_.below(int(links.size())))]);
        }
        break;
      default:
        chartHost_->answerNoticesInAChain(dice_.oneOf<int>({1, 4, 40}));
        break;
    }
  }

  // Where the chart's own views show its controllers, the header shows the
  // time its chart area shows: it spans the chart area's timeline, its
  // document is as long, and its left edge shows the time the chart area's
  // does, within a point, where both map time to points sensibly.
  void checkHeaderFollows(GanttChart& chart) {
    if (!chart.content() || !chart.header() || !chart.controller()) return;
    const auto header = chart.controller()->headerController();
    const auto content = chart.controller()->contentController();
    if (header->presenter().get() != static_cast<GanttChartHeaderPresenter*>(chart.header()) ||
        content->presenter().get() != static_cast<GanttChartContentPresenter*>(chart.content())) {
      return;
    }
    EXPECT_TRUE(sameTimeline(header->scrollableTimeline(), content->actualTimeline()))
        << "header " << header->scrollableTimeline() << ", chart area "
        << content->actualTimeline();
    const double hourWidth = content->actualHourWidth();
    if (!(hourWidth >= 1e-3 && hourWidth <= 1e5)) return;
    // Beside a view wider than the diagram each document is the view.
    const StandardScrollView* headerArea = chart.header()->scrollView();
    const StandardScrollView* area = chart.content()->scrollView();
    const double length = area->documentSize().width();
    if (length > area->documentVisibleRect().width() &&
        length > headerArea->documentVisibleRect().width()) {
      EXPECT_NEAR(headerArea->documentSize().width(), length, std::max(1.0, length * 1e-9));
    }
    const double left = content->viewport().left();
    if (!(std::abs(left) < 1e12)) return;
    EXPECT_NEAR(header->x(content->time(left)), header->viewport().left(), 1)
        << "hour width " << hourWidth;
  }

  // An hour width or zoom: one of the extremes, or anywhere between them.
  double hostileScale() {
    if (dice_.chance(0.5)) return dice_.logBetween(1e-300, 1e300);
    return dice_.oneOf<double>({1e-300, 1e300, kNaN, 0, -5, kInfinity});
  }

  // A scale, size or length of a chart driven past any sensible end.
  void hostileSetting() {
    GanttChart* chart = randomChart();
    if (!chart || !chart->controller()) return;
    const GanttChartControllerPtr controller = chart->controller();
    const auto content = controller->contentController();
    switch (dice_.below(10)) {
      case 0:
        content->setHourWidth(hostileScale());
        break;
      case 1:
        controller->headerController()->setHourWidth(hostileScale());
        break;
      case 2:
        if (dice_.chance(0.5)) {
          content->setZoom(hostileScale());
        } else {
          controller->headerController()->setZoom(hostileScale());
        }
        break;
      case 3:
        controller->setHeaderRowHeight(dice_.oneOf<double>({1e6, 1e4, kNaN, -1, 0, kInfinity}));
        break;
      case 4:
        if (dice_.chance(0.5)) {
          content->setRowHeight(dice_.chance(0.3)
                                    ? dice_.logBetween(1e-300, 1e6)
                                    : dice_.oneOf<double>({1e6, kNaN, 0, -3, kInfinity, 1e-300}));
        } else {
          outline_->setRowHeight(dice_.oneOf<double>({1e6, kNaN, 0, -3, kInfinity, 1e-300}));
        }
        break;
      case 5:
        content->setAttachmentLabelWidth(hostileLength(dice_));
        content->setShowsAttachments(dice_.chance(0.7));
        break;
      case 6:
        if (dice_.chance(0.5)) {
          content->setViewportExtensionWidth(hostileLength(dice_));
        } else {
          content->setViewportExtensionHeight(hostileLength(dice_));
        }
        break;
      case 7:
        content->setPreferredTimelineMargin(hostileLength(dice_));
        break;
      default: {
        GanttChartContentSettings settings = content->settings();
        double* lengths[] = {&settings.minBarWidth,
                             &settings.resizingBarAreaWidth,
                             &settings.movingBarVerticallyAreaHeightRatio,
                             &settings.creatingDependencyLineFinishEndWidthRatio,
                             &settings.maxBarHoveringDistance,
                             &settings.maxLineHoveringDistance,
                             &settings.autoScrollMargin};
        *lengths[dice_.below(int(std::size(lengths)))] = hostileLength(dice_);
        if (dice_.chance(0.3)) settings.temporaryBarWidth = hostileLength(dice_);
        content->setSettings(settings);
        content->settingsDidChange();
        break;
      }
    }
  }

  // A chart area tells its controller every place it shows, however far
  // along a long document (beside a document smaller than the view, the
  // controller's viewport is the document).
  void checkViewport(GanttChart* chart) {
    GanttChartContent* area = chart ? chart->content() : nullptr;
    if (!area || !area->controller()) return;
    // Not while another view shows its controller.
    const GanttChartContentPresenter* shownBy = area->controller()->presenter().get();
    if (shownBy != static_cast<const GanttChartContentPresenter*>(area)) return;
    const QRectF visible = area->scrollView()->documentVisibleRect();
    const QSizeF document = area->scrollView()->documentSize();
    if (document.width() < visible.width() || document.height() < visible.height()) return;
    EXPECT_EQ(area->controller()->viewport(), fromQt(visible));
  }

  void checkViewports() {
    checkViewport(outline_ ? outline_->ganttChart() : nullptr);
    checkViewport(chart_);
    checkViewport(twin_);
  }

  // Once the event loop has run, the chart shows a row for each outline row.
  void checkRows() {
    if (!outline_) return;
    EXPECT_EQ(outline_->ganttChartItemManager()->totalRowCount(),
              outline_->outlineModel()->numberOfRows());
  }

  Dice dice_;
  ScopedManualRunLoop loop_;
  QWidget window_;
  std::shared_ptr<RandomHost> host_ = std::make_shared<RandomHost>(dice_);
  QPointer<OutlineGanttChart> outline_;
  QPointer<GanttChart> chart_;
  std::weak_ptr<GanttChartItemSource> source_;
  QPointer<GanttChart> twin_;
  std::shared_ptr<RandomChartHost> chartHost_ = std::make_shared<RandomChartHost>(dice_, chart_);
  ulong time_ = 1000;
};

class RandomSequences : public ::testing::TestWithParam<uint64_t> {};

TEST_P(RandomSequences, LeaveBothChartsWhole) {
  ScopedClock clock{makeDate(pinnedNow())};
  RandomRun run(GetParam());
  for (int step = 0; step < kSteps; ++step) {
    SCOPED_TRACE("seed " + std::to_string(GetParam()) + ", step " + std::to_string(step));
    run.step();
    run.checkHeadersFollow();
    if (::testing::Test::HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSequences, ::testing::Range(uint64_t(1), uint64_t(11)));

}  // namespace
}  // namespace vorlent
