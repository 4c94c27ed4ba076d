// Outline charts under hosts that misbehave: answers that change or loop,
// reloads and deletions from inside callbacks, extreme sizes and offsets.

#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_chart_testing.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::OutlineHost;
using testing::pinnedNow;

void settle() {
  for (int i = 0; i < 4; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

Time monday() { return TimeRange::currentWeek().start.addingDays(1); }

void showSmall(OutlineGanttChart& chart) {
  chart.resize(600, 300);
  chart.show();
}

std::shared_ptr<OutlineHost> hostOfRoots(int count) {
  auto host = std::make_shared<OutlineHost>();
  for (int i = 0; i < count; ++i) host->addRoot(testing::numbered("r", i), monday());
  return host;
}

// A host that runs `hook` at each of the data source's edit notifications
// and each forwarded observer call.
class HookedHost : public OutlineHost {
 public:
  std::function<void(OutlineGanttChart&)> hook;
  OutlineGanttChart* chart = nullptr;

  void run(OutlineGanttChart& on) {
    if (hook) hook(on);
  }
  void runForwarded() {
    if (hook && chart) hook(*chart);
  }

  void outlineGanttChartTimeDidChangeFor(OutlineGanttChart& on, const OutlineGanttChartItemPtr& item,
                                         const TimeRange& from) override {
    OutlineHost::outlineGanttChartTimeDidChangeFor(on, item, from);
    run(on);
  }
  void outlineGanttChartCompletionDidChangeFor(OutlineGanttChart& on,
                                               const OutlineGanttChartItemPtr& item,
                                               double from) override {
    OutlineHost::outlineGanttChartCompletionDidChangeFor(on, item, from);
    run(on);
  }
  void outlineGanttChartRowDidChangeFor(OutlineGanttChart& on, const OutlineGanttChartItemPtr& item,
                                        const OutlineGanttChartRowPtr& from,
                                        const OutlineGanttChartRowPtr& to) override {
    OutlineHost::outlineGanttChartRowDidChangeFor(on, item, from, to);
    run(on);
  }
  void outlineGanttChartDidAddItem(OutlineGanttChart& on, const OutlineGanttChartItemPtr& item,
                                   const OutlineGanttChartRowPtr& to) override {
    OutlineHost::outlineGanttChartDidAddItem(on, item, to);
    run(on);
  }
  void outlineGanttChartDidRemoveItem(OutlineGanttChart& on, const OutlineGanttChartItemPtr& item,
                                      const OutlineGanttChartRowPtr& from) override {
    OutlineHost::outlineGanttChartDidRemoveItem(on, item, from);
    run(on);
  }
  void outlineGanttChartDidAddDependency(OutlineGanttChart& on,
                                         const OutlineGanttChartDependencyPtr& dependency) override {
    OutlineHost::outlineGanttChartDidAddDependency(on, dependency);
    run(on);
  }
  void outlineGanttChartDidRemoveDependency(
      OutlineGanttChart& on, const OutlineGanttChartDependencyPtr& dependency) override {
    OutlineHost::outlineGanttChartDidRemoveDependency(on, dependency);
    run(on);
  }

  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& from) override {
    OutlineHost::timeDidChange(item, from);
    runForwarded();
  }
  void completionDidChange(const GanttChartItemPtr& /*item*/, double /*from*/) override {
    runForwarded();
  }
  void rowDidChange(const GanttChartItemPtr& item, int64_t from) override {
    OutlineHost::rowDidChange(item, from);
    runForwarded();
  }
  void itemWasAdded(const GanttChartItemPtr& item) override {
    OutlineHost::itemWasAdded(item);
    runForwarded();
  }
  void itemWasRemoved(const GanttChartItemPtr& /*item*/) override { runForwarded(); }
  void dependencyWasAdded(const GanttChartDependencyPtr& /*dependency*/) override {
    runForwarded();
  }
  void dependencyWasRemoved(const GanttChartDependencyPtr& /*dependency*/) override {
    runForwarded();
  }
  void expansionDidChange(const GanttChartItemPtr& /*item*/) override { runForwarded(); }
  void zIndexDidChange(const GanttChartItemPtr& item) override {
    OutlineHost::zIndexDidChange(item);
    runForwarded();
  }
  void zIndexDidChange(const GanttChartDependencyPtr& /*dependency*/) override { runForwarded(); }
  void visibilityDidChange(const GanttChartItemPtr& /*item*/) override { runForwarded(); }
  void visibilityDidChange(const GanttChartDependencyPtr& /*dependency*/) override {
    runForwarded();
  }
};

// A parent (summary) with two children and a second root, expanded, on a
// chart owned by the test through a QPointer so that a host may delete it.
class HostileOutlineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart = new OutlineGanttChart;
    chart->resize(800, 400);
    chart->show();
    parent = host->addRoot("parent", monday(), 4);
    OutlineHost::itemOf(parent)->setType(GanttChartItemType::summary);
    childA = host->addChild(parent, "child a", monday(), 1);
    childB = host->addChild(parent, "child b", monday().addingDays(2), 2);
    other = host->addRoot("other", monday());
    host->chart = chart;
    chart->setAreOutOfRowRangeItemsAvailable(true);
    chart->setGanttChartItemObserver(host);
    chart->setDataSource(host);
    chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(0));
    settle();
  }
  void TearDown() override {
    delete chart.data();
    settle();
  }

  GanttChartItemPtr twinOf(const OutlineGanttChartRowPtr& row) {
    // The manager's list is lazy: reading its elements makes the twins.
    (void)chart->ganttChartItemManager()->availableItems().elements();
    return OutlineHost::itemOf(row)->ganttChartItem();
  }

  // Every kind of chart edit, each through the item manager as the chart's
  // controllers make them.
  void editEverything() {
    const GanttChartItemManagerPtr manager = chart->ganttChartItemManager();
    manager->updateTime(twinOf(childA), monday().addingDays(1));
    if (!chart) return;
    manager->updateCompletion(twinOf(childB), monday().addingDays(3));
    if (!chart) return;
    manager->updateZIndex(twinOf(other), 5);
    if (!chart) return;
    manager->hide(twinOf(other));
    if (!chart) return;
    manager->updateRow(twinOf(other), 1);
    if (!chart) return;
    auto link = manager->addNewDependency(twinOf(childA), twinOf(childB),
                                          GanttChartDependencyType::fromFinishToStart);
    if (!chart) return;
    if (link) manager->removeDependency(link);
    if (!chart) return;
    manager->removeItem(twinOf(childB));
  }

  ScopedClock clock{makeDate(pinnedNow())};
  QPointer<OutlineGanttChart> chart;
  std::shared_ptr<HookedHost> host = std::make_shared<HookedHost>();
  OutlineGanttChartRowPtr parent, childA, childB, other;
};

TEST_F(HostileOutlineTest, ReloadFromInsideEveryCallbackKeepsTheHostsEdits) {
  int reloads = 0;
  host->hook = [&reloads](OutlineGanttChart& on) {
    ++reloads;
    on.reloadData();
  };
  editEverything();
  settle();
  EXPECT_GT(reloads, 8);
  EXPECT_EQ(OutlineHost::itemOf(childA)->start(), monday().addingDays(1));
  EXPECT_TRUE(childB->chartItems().empty());
  EXPECT_TRUE(chart->outlineView()->isExpanded(chart->outlineModel()->indexOfDisplayedRow(0)));
  EXPECT_EQ(chart->ganttChartItemManager()->totalRowCount(), 4);
}

TEST_F(HostileOutlineTest, HostMayDeleteTheChartLaterFromInsideACallback) {
  host->hook = [](OutlineGanttChart& on) { on.deleteLater(); };
  editEverything();
  settle();
  EXPECT_TRUE(chart.isNull());
  EXPECT_EQ(OutlineHost::itemOf(childA)->start(), monday().addingDays(1));
}

TEST_F(HostileOutlineTest, HostMayDeleteTheChartFromInsideADataSourceCallback) {
  host->hook = [](OutlineGanttChart& on) { delete &on; };
  chart->ganttChartItemManager()->updateTime(twinOf(childA), monday().addingDays(1));
  EXPECT_TRUE(chart.isNull());
  // The first change told (the summary's) deleted the chart: nothing is
  // forwarded from a chart that is gone, and nothing more reaches the host.
  EXPECT_EQ(host->log, std::vector<std::string>{"source time parent"});
  settle();
}

TEST_F(HostileOutlineTest, HostMayDeleteTheChartFromInsideAForwardedCallback) {
  // Only the forwarded observer deletes: the data source has no hook.
  auto forwardOnly = std::make_shared<HookedHost>();
  forwardOnly->chart = chart;
  forwardOnly->hook = [](OutlineGanttChart& on) { delete &on; };
  chart->setGanttChartItemObserver(forwardOnly);
  chart->ganttChartItemManager()->updateCompletion(twinOf(childB), monday().addingDays(3));
  EXPECT_TRUE(chart.isNull());
  settle();
}

TEST_F(HostileOutlineTest, HostMayDeleteTheChartFromInsideACallbackOfAnExpansion) {
  // The second child, not displayed while its row is collapsed, is moved
  // outside its summary: expanding re-applies the hierarchy, whose change
  // the host hears of while the tree is still expanding the row.
  chart->outlineView()->collapse(chart->outlineModel()->indexOfDisplayedRow(0));
  settle();
  chart->setAutoApplyBehavior(true);
  OutlineHost::itemOf(childB)->setTime(TimeRange(monday().addingDays(5), monday().addingDays(6)));
  host->hook = [](OutlineGanttChart& on) { delete &on; };
  chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(0));
  EXPECT_TRUE(chart.isNull());
  // Nothing is forwarded from a chart that is gone.
  EXPECT_EQ(host->log, std::vector<std::string>{"source time child b"});
  settle();
}

// A host that deletes the chart when asked how many children `doomed` has.
class DeletingWhenAskedHost : public OutlineHost {
 public:
  OutlineGanttChartRowPtr doomed;
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& on,
                                                  const OutlineGanttChartRowPtr& item) override {
    const int64_t count = OutlineHost::outlineGanttChartNumberOfChildrenOfItem(on, item);
    if (item && item == doomed) delete &on;
    return count;
  }
};

TEST(HostileOutline, HostMayDeleteTheChartWhileAnsweringAQuestionOfAnExpansion) {
  // Clicking the arrow of a row not expanded before makes the tree ask for
  // its children in the middle of laying it out.
  ScopedClock clock{makeDate(pinnedNow())};
  auto host = std::make_shared<DeletingWhenAskedHost>();
  auto parentRow = host->addRoot("parent", monday());
  host->addChild(parentRow, "child", monday());
  QPointer<OutlineGanttChart> chart = new OutlineGanttChart;
  showSmall(*chart);
  chart->setDataSource(host);
  settle();
  host->doomed = parentRow;
  QTreeView* tree = chart->outlineView();
  const QRect cell = tree->visualRect(chart->outlineModel()->indexOfDisplayedRow(0));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    QPoint(cell.left() - tree->indentation() / 2, cell.center().y()));
  EXPECT_TRUE(chart.isNull());
  settle();
}

// A host that deletes the chart when asked for a child of `doomed`, say
// because it finds its document closed meanwhile.
class DeletingAtAChildHost : public OutlineHost {
 public:
  OutlineGanttChartRowPtr doomed;
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& on, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override {
    auto row = OutlineHost::outlineGanttChartChild(on, index, ofItem);
    if (doomed && ofItem == doomed) delete &on;
    return row;
  }
};

TEST(HostileOutline, HostMayDeleteTheChartWhenFirstAskedForTheRowsOfAGroup) {
  // A group inside a summary, whose rows the chart has not asked for yet:
  // the chart's hierarchy answers (to the rules, or to a host) ask for them,
  // and so does each call below once the group is expanded while the tree
  // waits to lay out its rows.
  ScopedClock clock{makeDate(pinnedNow())};
  using Step = std::function<void(OutlineGanttChart&, DeletingAtAChildHost&)>;
  const auto twin = [](OutlineGanttChart& c, const OutlineGanttChartRowPtr& row) {
    return c.ganttChartItem(OutlineHost::itemOf(row));
  };
  const auto expand = [](OutlineGanttChart& c, const OutlineGanttChartRowPtr& row) {
    c.outlineView()->expand(c.outlineModel()->indexOfDisplayedRow(c.outlineModel()->row(row)));
  };
  GanttChartItemPtr draft, last;
  const Step planExpanded = [&](auto& c, auto& h) {
    expand(c, h.roots[0]);
    draft = twin(c, h.childrenOf[h.roots[0].get()][0]);
    last = twin(c, h.roots[1]);
  };
  const Step groupWaiting = [&](auto& c, auto& h) {
    // A new column: the tree lays out its rows on a later turn.
    c.outlineModel()->setColumnTitles({"name", "notes"});
    planExpanded(c, h);
    expand(c, h.childrenOf[h.roots[0].get()][1]);
  };
  // Each a preparation, then the call the host deletes the chart in;
  // without out-of-range items the rules are applied item by item, with
  // them in the whole-chart pass.
  const std::vector<std::tuple<std::string, bool, Step, Step>> cases = {
      {"children", false, planExpanded,
       [&](auto& c, auto& h) { (void)c.children(twin(c, h.childrenOf[h.roots[0].get()][1])); }},
      {"children", true, planExpanded,
       [&](auto& c, auto& h) { (void)c.children(twin(c, h.childrenOf[h.roots[0].get()][1])); }},
      {"expandAll", false, [](auto& c, auto&) { c.setAutoApplyBehavior(true); },
       [](auto& c, auto&) { c.outlineView()->expandAll(); }},
      {"expandAll", true, [](auto& c, auto&) { c.setAutoApplyBehavior(true); },
       [](auto& c, auto&) { c.outlineView()->expandAll(); }},
      {"applyBehavior", false, planExpanded, [](auto& c, auto&) { c.applyBehavior(); }},
      {"applyBehavior", true, planExpanded, [](auto& c, auto&) { c.applyBehavior(); }},
      {"parent", true, groupWaiting, [&](auto& c, auto&) { (void)c.parent(draft); }},
      {"filteredItems", true, groupWaiting,
       [](auto& c, auto&) { (void)c.filteredItems(RowRange(0, 9), TimeRange()); }},
      {"filteredDependencies", true, groupWaiting,
       [](auto& c, auto&) { (void)c.filteredDependencies(RowRange(0, 9), TimeRange()); }},
      {"scrollRowToVisible", true, groupWaiting, [](auto& c, auto&) { c.scrollRowToVisible(0); }},
      {"activate", true, groupWaiting,
       [&](auto& c, auto&) {
         c.activate(GanttChartBar{last, {}});
       }},
      {"rowDidChange", true, groupWaiting, [&](auto& c, auto&) { c.rowDidChange(last, 0); }},
      {"itemWasAdded", true, groupWaiting, [&](auto& c, auto&) { c.itemWasAdded(last); }},
      {"itemWasRemoved", true, groupWaiting, [&](auto& c, auto&) { c.itemWasRemoved(last); }},
      {"loadMoreDataIfNeeded", true,
       [&](auto& c, auto& h) {
         c.setIsPagingEnabled(true);
         groupWaiting(c, h);
       },
       [](auto& c, auto&) { c.loadMoreDataIfNeeded(); }},
  };
  for (const auto& [name, outOfRowRange, prepare, call] : cases) {
    SCOPED_TRACE(name + (outOfRowRange ? " with out-of-range items" : ""));
    auto host = std::make_shared<DeletingAtAChildHost>();
    auto plan = host->addRoot("plan", monday(), 4);
    OutlineHost::itemOf(plan)->setType(GanttChartItemType::summary);
    host->addChild(plan, "draft", monday());
    auto group = host->addChild(plan, "group", monday(), 3);
    OutlineHost::itemOf(group)->setType(GanttChartItemType::summary);
    host->addChild(group, "write", monday().addingDays(1));
    host->addChild(group, "review", monday().addingDays(5));
    host->addRoot("last", monday());
    QPointer<OutlineGanttChart> chart = new OutlineGanttChart;
    showSmall(*chart);
    chart->setAreOutOfRowRangeItemsAvailable(outOfRowRange);
    chart->setDataSource(host);
    settle();
    prepare(*chart, *host);
    ASSERT_FALSE(chart.isNull());
    host->doomed = group;
    call(*chart, *host);
    EXPECT_TRUE(chart.isNull());
    delete chart.data();
    settle();
  }
}

// A host that deletes the chart the next time it is asked for links, once
// armed.
class DeletingAtLinksHost : public OutlineHost {
 public:
  bool armed = false;
  std::vector<OutlineGanttChartDependencyPtr> outlineGanttChartDependenciesFor(
      OutlineGanttChart& on, const std::vector<OutlineGanttChartItemPtr>& items) override {
    auto found = OutlineHost::outlineGanttChartDependenciesFor(on, items);
    if (std::exchange(armed, false)) delete &on;
    return found;
  }
};

TEST(HostileOutline, HostMayDeleteTheChartWhileAnsweringForTheLinksOfAScroll) {
  // Scrolling the outline scrolls the chart area, which asks for the links
  // it showed before the move, to repaint where they ran.
  ScopedClock clock{makeDate(pinnedNow())};
  auto host = std::make_shared<DeletingAtLinksHost>();
  for (int i = 0; i < 40; ++i) host->addRoot(testing::numbered("r", i), monday().addingDays(i % 5));
  host->dependencies.push_back(OutlineGanttChartDependency::create(
      std::nullopt, OutlineHost::itemOf(host->roots[2]), OutlineHost::itemOf(host->roots[30]),
      std::nullopt, 0, true, std::nullopt, std::nullopt, {}));
  QPointer<OutlineGanttChart> chart = new OutlineGanttChart;
  showSmall(*chart);
  chart->setDataSource(host);
  settle();
  chart->reloadData();
  host->armed = true;
  chart->outlineView()->verticalScrollBar()->setValue(30);
  EXPECT_TRUE(chart.isNull());
  delete chart.data();
  settle();
}

// A chart observer that, once armed, deletes the chart at the first change
// of the header's timeline.
class DeletingChartObserver : public GanttChartObserver {
 public:
  QPointer<OutlineGanttChart> chart;
  bool armed = false;
  void headerHeightDidChange() override {}
  void headerTimelineDidChange() override {
    if (armed && chart) {
      armed = false;
      delete chart.data();
    }
  }
};

TEST(HostileOutline, HostMayDeleteTheChartFromAChartObserverWhileTheUserDragsTheDivider) {
  // Dragging the divider resizes the chart, whose header then shows a
  // longer timeline: the observer hears of it while Qt is still moving the
  // divider.
  ScopedClock clock{makeDate(pinnedNow())};
  auto host = hostOfRoots(5);
  QPointer<OutlineGanttChart> chart = new OutlineGanttChart;
  showSmall(*chart);
  auto observer = std::make_shared<DeletingChartObserver>();
  observer->chart = chart;
  chart->setGanttChartObserver(observer);
  chart->setDataSource(host);
  settle();
  QSplitterHandle* handle = chart->splitView()->handle(1);
  ASSERT_TRUE(handle && handle->isVisible());
  const QPointF grip = handle->rect().center();
  const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &event);
  };
  send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
  observer->armed = true;
  for (int step = 1; step <= 10 && chart; ++step) {
    send(QEvent::MouseMove, grip - QPointF(20 * step, 0), Qt::LeftButton);
  }
  EXPECT_TRUE(chart.isNull());
  settle();
}

TEST_F(HostileOutlineTest, ExpandAndCollapseDuringADragKeepTheDraggedItemConsistent) {
  const auto& content = chart->ganttChartContentController();
  const auto twin = twinOf(other);  // row 3
  const double dayWidth = content->x(monday().addingDays(1)) - content->x(monday());
  const Point grab((content->startX(twin) + content->finishX(twin)) / 2, content->middle(3));
  content->beginDragging(grab, false);
  content->continueDragging(Point(grab.x + dayWidth, grab.y));
  chart->outlineView()->collapse(chart->outlineModel()->indexOfDisplayedRow(0));
  content->continueDragging(Point(grab.x + 2 * dayWidth, content->middle(1)));
  chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(0));
  content->continueDragging(Point(grab.x + 3 * dayWidth, grab.y));
  content->endDragging();
  EXPECT_EQ(OutlineHost::itemOf(other)->time(), twin->time());
  EXPECT_EQ(OutlineHost::itemOf(other)->start(), monday().addingDays(3));
  EXPECT_EQ(other->chartItems().size(), 1u);
  EXPECT_EQ(twinOf(other)->row(), 3);
}

// A small chart on show, for tests that bring their own host.
class SmallOutlineTest : public ::testing::Test {
 protected:
  void SetUp() override { showSmall(chart); }

  ScopedClock clock{makeDate(pinnedNow())};
  OutlineGanttChart chart;
};

// A host whose first root row lists itself among its children.
class SelfParentHost : public OutlineHost {
 public:
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& on, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override {
    if (ofItem && ofItem == roots[0]) return index == 0 ? roots[0] : roots[1];
    return OutlineHost::outlineGanttChartChild(on, index, ofItem);
  }
  bool outlineGanttChartIsItemExpandable(OutlineGanttChart& /*on*/,
                                         const OutlineGanttChartRowPtr& item) override {
    return item == roots[0];
  }
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& on,
                                                  const OutlineGanttChartRowPtr& item) override {
    if (item == roots[0]) return 2;
    return OutlineHost::outlineGanttChartNumberOfChildrenOfItem(on, item);
  }
};

TEST_F(SmallOutlineTest, RowListedAmongItsOwnDescendantsEndsEveryWalk) {
  auto host = std::make_shared<SelfParentHost>();
  auto loop = host->addRoot("loop", monday(), 3);
  OutlineHost::itemOf(loop)->setType(GanttChartItemType::summary);
  host->addRoot("next", monday().addingDays(1));
  chart.setAreOutOfRowRangeItemsAvailable(true);
  chart.setDataSource(host);
  OutlineGanttChartModel& model = *chart.outlineModel();
  // Expand the row, then its copy inside itself, which is a leaf.
  for (int64_t r : {0, 1}) chart.outlineView()->expand(model.indexOfDisplayedRow(r));
  settle();
  EXPECT_EQ(model.numberOfRows(), 4);
  chart.setAutoApplyBehavior(true);
  const auto twin = chart.ganttChartItem(OutlineHost::itemOf(loop));
  ASSERT_TRUE(twin);
  // Whatever the hierarchy answers, a change comes to an end.
  chart.ganttChartItemManager()->updateTime(twin, monday().addingDays(2));
  chart.reloadData();
  EXPECT_TRUE(chart.outlineView()->isExpanded(model.indexOfDisplayedRow(0)));
  EXPECT_EQ(model.item(0), loop);
}

TEST_F(SmallOutlineTest, ExpandAllOverARowListedUnderItselfComesToAnEnd) {
  auto host = std::make_shared<SelfParentHost>();
  auto loop = host->addRoot("loop", monday(), 3);
  auto next = host->addRoot("next", monday().addingDays(1));
  chart.setDataSource(host);
  chart.outlineView()->expandAll();
  settle();
  // The copy inside itself is a leaf: loop, its copy, next, next.
  OutlineGanttChartModel& model = *chart.outlineModel();
  ASSERT_EQ(model.numberOfRows(), 4);
  EXPECT_EQ(model.item(1), loop);
  EXPECT_FALSE(model.hasChildren(model.indexOfDisplayedRow(1)));
  EXPECT_EQ(model.item(2), next);
  chart.reloadData();
  EXPECT_EQ(model.numberOfRows(), 4);
}

// A host claiming absurd numbers of rows.
class CountingHost : public OutlineHost {
 public:
  int64_t rootCount = 0;
  int64_t childQuestions = 0;
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& on, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override {
    ++childQuestions;
    return OutlineHost::outlineGanttChartChild(on, index, ofItem);
  }
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& /*on*/,
                                                  const OutlineGanttChartRowPtr& item) override {
    return item ? 0 : rootCount;
  }
};

TEST_F(SmallOutlineTest, NegativeAndHugeRootCountsArePagedOrEmpty) {
  auto host = std::make_shared<CountingHost>();
  for (int i = 0; i < 3; ++i) host->addRoot("r", monday());
  settle();
  host->rootCount = -5;
  chart.setDataSource(host);
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 0);

  host->rootCount = std::numeric_limits<int64_t>::max();
  chart.setIsPagingEnabled(true);
  EXPECT_EQ(chart.currentlyAvailableRootItemCount(), std::numeric_limits<int64_t>::max());
  const int64_t shown = chart.outlineModel()->numberOfRows();
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 100);
  EXPECT_LT(host->childQuestions, 200);
  chart.setMinPageCount(std::numeric_limits<int64_t>::max());
  EXPECT_LE(chart.outlineModel()->numberOfRows(), OutlineGanttChartModel::kMaxChildCount);
  chart.setMinPageCount(std::numeric_limits<int64_t>::min());
  chart.setMinPageSize(std::numeric_limits<int64_t>::min());
  chart.reloadData();
  EXPECT_GE(chart.outlineModel()->numberOfRows(), 0);
}

TEST_F(SmallOutlineTest, RowHeightThatIsNotFiniteOrHugeKeepsBothSidesUsable) {
  auto host = hostOfRoots(50);
  chart.setIsPagingEnabled(true);
  chart.setDataSource(host);
  for (double height : {std::nan(""), std::numeric_limits<double>::infinity(), -3.0, 0.0, 1e300}) {
    chart.setRowHeight(height);
    settle();
    const double chartHeight = chart.ganttChartContentController()->rowHeight();
    EXPECT_TRUE(std::isfinite(chartHeight) && chartHeight >= 1) << height;
    EXPECT_EQ(chartHeight, chart.rowHeight()) << height;
    const auto font = chart.ganttChartContentController()->style().labelFont;
    ASSERT_TRUE(font && font->size);
    EXPECT_TRUE(std::isfinite(*font->size) && *font->size >= 1) << height;
    chart.loadMoreDataIfNeeded();
    chart.outlineView()->verticalScrollBar()->setValue(
        chart.outlineView()->verticalScrollBar()->maximum());
    settle();
    (void)chart.imageRepresentation();
  }
}

TEST_F(SmallOutlineTest, WithoutColumnTitlesTheTreeStillShowsEveryRowOfTheChart) {
  auto host = hostOfRoots(30);
  chart.setDataSource(host);
  chart.outlineModel()->setColumnTitles({});
  settle();
  QTreeView& tree = *chart.outlineView();
  int shown = 0;
  for (QModelIndex row = chart.outlineModel()->index(0, 0); row.isValid();
       row = tree.indexBelow(row))
    ++shown;
  EXPECT_EQ(shown, chart.ganttChartItemManager()->totalRowCount());
  QScrollBar* bar = tree.verticalScrollBar();
  StandardScrollView* chartScroll = chart.ganttChart()->content()->scrollView();
  chartScroll->scrollToPoint(QPointF(0, 1e9));
  settle();
  EXPECT_GT(bar->value(), 0);
  EXPECT_EQ(bar->value(), chartScroll->documentVisibleRect().top());
}

TEST_F(SmallOutlineTest, AMegabyteLabelIsShownCutShort) {
  // A pasted document as a row's text: the cell lays out and asks room for
  // the beginning only, as no screen shows more.
  auto host = std::make_shared<OutlineHost>();
  std::string document;
  while (document.size() < (1 << 20)) document += "all work and no play ";
  host->addRoot(document, monday());
  chart.setDataSource(host);
  settle();
  QTreeView& tree = *chart.outlineView();
  QStyleOptionViewItem option;
  option.initFrom(&tree);
  const QModelIndex cell = chart.outlineModel()->indexOfDisplayedRow(0);
  EXPECT_LT(tree.itemDelegate()->sizeHint(option, cell).width(), 20000);
  (void)chart.imageRepresentation();
}

TEST_F(SmallOutlineTest, ScrollingToARowTheHostDropsOnTheWayGoesOn) {
  // Scrolling re-applies the rules, the summary follows its child, and the
  // host answers by dropping the rows below (the one scrolled to among
  // them) and reloading, while Qt is still scrolling to it.
  auto host = std::make_shared<HookedHost>();
  auto summary = host->addRoot("summary", monday(), 1);
  OutlineHost::itemOf(summary)->setType(GanttChartItemType::summary);
  auto child = host->addChild(summary, "child", monday());
  for (int i = 0; i < 40; ++i) host->addRoot(testing::numbered("r", i), monday());
  chart.setAreOutOfRowRangeItemsAvailable(true);
  chart.setDataSource(host);
  chart.outlineView()->expandAll();
  chart.setAutoApplyBehavior(true);
  settle();
  OutlineHost::itemOf(child)->setTime(TimeRange(monday().addingDays(3), monday().addingDays(4)));
  bool dropped = false;
  host->hook = [&](OutlineGanttChart& on) {
    if (std::exchange(dropped, true)) return;
    host->roots.resize(10);
    on.reloadData();
  };
  chart.scrollRowToVisible(41);
  settle();
  EXPECT_TRUE(dropped);
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 11);
}

TEST_F(SmallOutlineTest, DeletingAGroupsLastTasksAndTheLastRowsThenReloadingGoesOn) {
  // The current row is among the rows dropped: while the reload takes them
  // away, the tree moves its current row up and scrolls to it, the chart
  // follows and re-applies the hierarchy, after the group's dropped tasks
  // were already taken away.
  auto host = std::make_shared<OutlineHost>();
  auto group = host->addRoot("group", monday(), 1);
  OutlineHost::itemOf(group)->setType(GanttChartItemType::summary);
  for (int i = 0; i < 10; ++i) host->addChild(group, testing::numbered("t", i), monday());
  for (int i = 0; i < 30; ++i) host->addRoot(testing::numbered("r", i), monday());
  chart.setAreOutOfRowRangeItemsAvailable(true);
  chart.setAutoApplyBehavior(true);
  chart.setDataSource(host);
  OutlineGanttChartModel& model = *chart.outlineModel();
  chart.outlineView()->expand(model.indexOfDisplayedRow(0));
  chart.outlineView()->setCurrentIndex(model.indexOfDisplayedRow(model.numberOfRows() - 1));
  settle();
  const int scrolledTo = chart.outlineView()->verticalScrollBar()->value();
  ASSERT_GT(scrolledTo, 0);

  host->childrenOf[group.get()].resize(5);
  host->roots.resize(6);
  chart.reloadData();
  // group, t0..t4, r0..r4
  EXPECT_EQ(model.numberOfRows(), 11);
  EXPECT_EQ(chart.ganttChartItemManager()->totalRowCount(), 11);
  EXPECT_LT(chart.outlineView()->verticalScrollBar()->value(), scrolledTo);
  const auto groupTwin = chart.ganttChartItem(OutlineHost::itemOf(group));
  ASSERT_TRUE(groupTwin);
  EXPECT_EQ(chart.children(groupTwin).size(), 5u);
  settle();
}

TEST_F(SmallOutlineTest, ReloadsAskedForWhileTheRulesCascadeBecomeOneAfterIt) {
  // Moving the head of a linked chain pushes every later link, and the host
  // reloads at each push: run at once, each reload would re-apply all the
  // rules inside the running cascade, so the work would grow far beyond the
  // chain's length.
  constexpr int kLength = 60;
  auto host = std::make_shared<HookedHost>();
  for (int i = 0; i < kLength; ++i) host->addRoot(testing::numbered("r", i), monday());
  for (int i = 1; i < kLength; ++i) {
    host->dependencies.push_back(OutlineGanttChartDependency::create(
        std::nullopt, OutlineHost::itemOf(host->roots[i - 1]), OutlineHost::itemOf(host->roots[i]),
        std::nullopt, 0, true, std::nullopt, std::nullopt, {}));
  }
  chart.setAreOutOfRowRangeItemsAvailable(true);
  chart.setDataSource(host);
  chart.setIsAutoScheduling(true);
  chart.setAutoApplyBehavior(true);
  auto counting = std::make_shared<testing::OfferCountingBehavior>();
  chart.setBehavior(counting);
  settle();
  counting->offers = 0;
  int reloadsAsked = 0;
  host->hook = [&reloadsAsked](OutlineGanttChart& on) {
    ++reloadsAsked;
    on.reloadData();
  };
  (void)chart.ganttChartItemManager()->availableItems().elements();
  const auto head = OutlineHost::itemOf(host->roots[0])->ganttChartItem();
  ASSERT_NE(head, nullptr);
  chart.ganttChartItemManager()->updateTime(head, monday().addingDays(2));
  settle();
  EXPECT_GE(reloadsAsked, kLength - 1);
  // An offer per item the cascade moves, and one per item for the single
  // reload after it (which finds nothing left to move).
  EXPECT_LE(counting->offers, 4 * kLength);
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), kLength);
  EXPECT_EQ(OutlineHost::itemOf(host->roots[0])->start(), monday().addingDays(2));
  for (int i = 1; i < kLength; ++i) {
    EXPECT_EQ(OutlineHost::itemOf(host->roots[i])->start(),
              OutlineHost::itemOf(host->roots[i - 1])->finish())
        << i;
  }
}

TEST_F(SmallOutlineTest, APageLoadedWhileTheTreeShrinksItsScrollRangeCanBeScrolledTo) {
  // Paging on again shows the pages loaded before, fewer rows than the host
  // now has: the tree pulls its bar back from the end, which loads the rest
  // while the tree is still setting its scroll range.
  auto host = hostOfRoots(60);
  chart.setRowHeight(6);
  chart.setIsPagingEnabled(true);
  chart.setDataSource(host);
  settle();
  ASSERT_EQ(chart.currentlyDisplayedRootItemCount(), 60);
  for (int i = 60; i < 70; ++i) host->addRoot(testing::numbered("r", i), monday());
  chart.setIsPagingEnabled(false);
  QScrollBar* bar = chart.outlineView()->verticalScrollBar();
  bar->setValue(bar->maximum());
  settle();
  chart.setIsPagingEnabled(true);
  settle();
  ASSERT_EQ(chart.outlineModel()->numberOfRows(), 70);
  EXPECT_EQ(bar->maximum(), 70 * 6 - chart.outlineView()->viewport()->height());
  StandardScrollView* chartScroll = chart.ganttChart()->content()->scrollView();
  chartScroll->scrollToPoint(QPointF(0, 1e9));
  settle();
  EXPECT_EQ(bar->value(), chartScroll->documentVisibleRect().top());
}

TEST_F(SmallOutlineTest, ExtremeScrollOffsetsLeaveBothSidesAligned) {
  auto host = hostOfRoots(300);
  chart.setDataSource(host);
  settle();
  StandardScrollView* chartScroll = chart.ganttChart()->content()->scrollView();
  QScrollBar* bar = chart.outlineView()->verticalScrollBar();
  for (double y : {1e18, -1e18, std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), std::nan(""), 1e9}) {
    chartScroll->scrollToPoint(QPointF(0, y));
    settle();
    EXPECT_EQ(bar->value(), chartScroll->documentVisibleRect().top()) << y;
  }
  bar->setValue(std::numeric_limits<int>::max());
  settle();
  EXPECT_EQ(bar->value(), chartScroll->documentVisibleRect().top());
  bar->setValue(std::numeric_limits<int>::min());
  settle();
  EXPECT_EQ(chartScroll->documentVisibleRect().top(), 0);
}

TEST_F(HostileOutlineTest, RowsDroppedByTheHostLeaveNothingBehind) {
  std::weak_ptr<OutlineGanttChartItem> droppedItem = OutlineHost::itemOf(childB);
  std::weak_ptr<OutlineGanttChartRow> droppedRow = childB;
  const std::weak_ptr<GanttChartItem> droppedTwin = twinOf(childB);
  ASSERT_FALSE(droppedTwin.expired());
  host->childrenOf[parent.get()].pop_back();
  childB.reset();
  chart->reloadData();
  (void)chart->ganttChartItemManager()->availableItems();
  EXPECT_TRUE(droppedRow.expired());
  EXPECT_TRUE(droppedItem.expired());
  EXPECT_TRUE(droppedTwin.expired());
  EXPECT_EQ(chart->ganttChartItemManager()->totalRowCount(), 3);
}

TEST_F(HostileOutlineTest, RowMovedBetweenParentsKeepsItsExpansion) {
  auto grandchild = host->addChild(childA, "grandchild", monday());
  chart->reloadData();
  chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(1));  // child a
  ASSERT_EQ(chart->outlineModel()->numberOfRows(), 5);
  // Move child a (expanded) under other.
  auto& children = host->childrenOf[parent.get()];
  children.erase(children.begin());
  host->childrenOf[other.get()].push_back(childA);
  chart->reloadData();
  chart->outlineView()->expand(
      chart->outlineModel()->indexOfDisplayedRow(chart->outlineModel()->row(other)));
  EXPECT_TRUE(chart->outlineView()->isExpanded(
      chart->outlineModel()->indexOfDisplayedRow(chart->outlineModel()->row(childA))));
  EXPECT_EQ(chart->outlineModel()->parent(childA), other);
  // parent, child b, other, child a, grandchild
  EXPECT_EQ(chart->outlineModel()->row(grandchild), 4);
  ASSERT_TRUE(twinOf(grandchild));
  EXPECT_EQ(twinOf(grandchild)->row(), 4);
  EXPECT_EQ(chart->parent(twinOf(childA)), twinOf(other));
}

TEST_F(HostileOutlineTest, ExpandAllWhileTheHostDropsRowsAndReloads) {
  // Collapsed summaries on the second level whose bars do not yet span
  // their children: expanding one re-applies the hierarchy, and the host
  // answers the first change it hears of by dropping the rows above and
  // reloading, while Qt is still laying out their siblings.
  chart->outlineView()->collapseAll();
  auto second = host->addRoot("second", monday(), 1);
  OutlineHost::itemOf(second)->setType(GanttChartItemType::summary);
  for (int i = 0; i < 3; ++i) {
    auto middle = host->addChild(second, "middle", monday(), 1);
    OutlineHost::itemOf(middle)->setType(GanttChartItemType::summary);
    host->addChild(middle, "late", monday().addingDays(3 + i));
  }
  chart->reloadData();
  chart->setAutoApplyBehavior(true);
  settle();
  bool dropped = false;
  host->hook = [&](OutlineGanttChart& on) {
    if (std::exchange(dropped, true)) return;
    host->roots.resize(1);
    on.reloadData();
  };
  chart->outlineView()->expandAll();
  settle();
  ASSERT_TRUE(dropped);
  // parent, child a, child b
  OutlineGanttChartModel& model = *chart->outlineModel();
  EXPECT_EQ(model.numberOfRows(), 3);
  EXPECT_EQ(model.row(second), -1);
  EXPECT_EQ(chart->ganttChartItemManager()->totalRowCount(), 3);
}

TEST_F(HostileOutlineTest, ReloadFromASignalOfTheModelDuringAReloadRunsAfterIt) {
  // The parent's second child is replaced: the reload removes it, and the
  // host answers the removal by dropping the parent and reloading, while the
  // first reload is still refreshing the parent's children.
  host->childrenOf[parent.get()].pop_back();
  host->addChild(parent, "child c", monday());
  bool dropped = false;
  QObject::connect(chart->outlineView()->model(), &QAbstractItemModel::rowsRemoved, chart, [&] {
    if (std::exchange(dropped, true)) return;
    host->roots = {other};
    chart->reloadData();
  });
  chart->reloadData();
  settle();
  ASSERT_TRUE(dropped);
  OutlineGanttChartModel& model = *chart->outlineModel();
  EXPECT_EQ(model.numberOfRows(), 1);
  EXPECT_EQ(model.item(0), other);
  EXPECT_EQ(model.row(parent), -1);
  EXPECT_EQ(chart->ganttChartItemManager()->totalRowCount(), 1);
}

TEST_F(HostileOutlineTest, TheOutlineGoesOnWhenTheHostDestroysTheChartArea) {
  for (int i = 0; i < 40; ++i) host->addRoot("more", monday());
  chart->reloadData();
  delete chart->ganttChart()->content();
  chart->outlineView()->verticalScrollBar()->setValue(100);
  chart->setIsPagingEnabled(true);
  chart->scrollRowToVisible(30);
  chart->outlineView()->collapseAll();
  chart->reloadData();
  chart->resize(700, 500);
  settle();
  EXPECT_EQ(chart->outlineModel()->numberOfRows(), 42);
  EXPECT_EQ(chart->ganttChartItemManager()->totalRowCount(), 42);
  delete chart->ganttChart();
  chart->outlineView()->verticalScrollBar()->setValue(0);
  chart->reloadData();
  settle();
  EXPECT_EQ(chart->outlineModel()->numberOfRows(), 42);
}

TEST(HostileOutline, ChartGoneBeforeOrAfterTheHostsRowsLeaksNothing) {
  ScopedClock clock{makeDate(pinnedNow())};
  std::weak_ptr<OutlineGanttChartItem> item;
  std::weak_ptr<GanttChartDependency> twinLink;
  {
    auto host = std::make_shared<OutlineHost>();
    auto a = host->addRoot("a", monday());
    auto b = host->addRoot("b", monday().addingDays(2));
    host->dependencies.push_back(OutlineGanttChartDependency::create(
        "link", OutlineHost::itemOf(a), OutlineHost::itemOf(b), std::nullopt, 0, true,
        std::nullopt, std::nullopt, {}));
    item = OutlineHost::itemOf(a);
    auto chart = std::make_unique<OutlineGanttChart>();
    showSmall(*chart);
    chart->setAreOutOfRowRangeItemsAvailable(true);
    chart->setDataSource(host);
    settle();
    twinLink = chart->ganttChartDependency(host->dependencies[0]);
    ASSERT_FALSE(twinLink.expired());
    // The host goes first, then the chart.
    host.reset();
    a.reset();
    b.reset();
    chart->reloadData();
    EXPECT_EQ(chart->outlineModel()->numberOfRows(), 0);
  }
  EXPECT_TRUE(item.expired());
  EXPECT_TRUE(twinLink.expired());
}

// A host that, once armed, deletes the chart at a callback of any kind (a
// question of the data source included): the first after `skip` others.
class ArmedHost : public HookedHost, public GanttChartObserver {
 public:
  bool armed = false;
  int skip = 0;

  ArmedHost() {
    hook = [this](OutlineGanttChart& on) {
      if (armed && skip-- == 0) {
        armed = false;
        delete &on;
      }
    };
  }
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& on, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override {
    auto row = HookedHost::outlineGanttChartChild(on, index, ofItem);
    run(on);
    return row;
  }
  bool outlineGanttChartIsItemExpandable(OutlineGanttChart& on,
                                         const OutlineGanttChartRowPtr& item) override {
    const bool expandable = HookedHost::outlineGanttChartIsItemExpandable(on, item);
    run(on);
    return expandable;
  }
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& on,
                                                  const OutlineGanttChartRowPtr& item) override {
    const int64_t count = HookedHost::outlineGanttChartNumberOfChildrenOfItem(on, item);
    run(on);
    return count;
  }
  QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& on, int column,
                                           const OutlineGanttChartRowPtr& byItem) override {
    QVariant value = HookedHost::outlineGanttChartObjectValueFor(on, column, byItem);
    run(on);
    return value;
  }
  std::vector<OutlineGanttChartDependencyPtr> outlineGanttChartDependenciesFor(
      OutlineGanttChart& on, const std::vector<OutlineGanttChartItemPtr>& items) override {
    auto found = HookedHost::outlineGanttChartDependenciesFor(on, items);
    run(on);
    return found;
  }
  void activate(const GanttChartBar& bar) override {
    HookedHost::activate(bar);
    runForwarded();
  }
  void headerHeightDidChange() override { runForwarded(); }
  void headerTimelineDidChange() override { runForwarded(); }
};

TEST(HostileOutline, HostMayDeleteTheChartFromInsideACallbackOfACallItMade) {
  ScopedClock clock{makeDate(pinnedNow())};
  using Call = std::function<void(OutlineGanttChart&, ArmedHost&)>;
  auto twin = [](OutlineGanttChart& c, const OutlineGanttChartRowPtr& row) {
    return c.ganttChartItem(OutlineHost::itemOf(row));
  };
  const Call atBottom = [](OutlineGanttChart& c, ArmedHost&) {
    c.setIsPagingEnabled(true);
    settle();
    QScrollBar* bar = c.outlineView()->verticalScrollBar();
    const QSignalBlocker quiet(bar);
    bar->setValue(bar->maximum());
  };
  // Each a call a host makes, after an optional preparation.
  const std::vector<std::tuple<std::string, Call, Call>> calls = {
      {"setRowHeight", {}, [](auto& c, auto&) { c.setRowHeight(31); }},
      {"setDataSource", {}, [](auto& c, auto&) { c.setDataSource(c.dataSource()); }},
      {"setIsPagingEnabled", {}, [](auto& c, auto&) { c.setIsPagingEnabled(true); }},
      {"setMinPageSize", {}, [](auto& c, auto&) { c.setMinPageSize(3); }},
      {"setMinPageCount", {}, [](auto& c, auto&) { c.setMinPageCount(3); }},
      {"loadMoreDataIfNeeded", atBottom, [](auto& c, auto&) { c.loadMoreDataIfNeeded(); }},
      {"reloadData", {}, [](auto& c, auto&) { c.reloadData(); }},
      {"synchronizeOutlineItems", {}, [](auto& c, auto&) { c.synchronizeOutlineItems(); }},
      {"applySchedule", {}, [](auto& c, auto&) { c.applySchedule(); }},
      {"applySchedule(item)",
       {},
       [](auto& c, auto& h) { c.applySchedule(OutlineHost::itemOf(h.roots[1])); }},
      {"setAutoApplySchedule", {}, [](auto& c, auto&) { c.setAutoApplySchedule(true); }},
      {"setIsAutoScheduling", {}, [](auto& c, auto&) { c.setIsAutoScheduling(true); }},
      {"setBehavior", {}, [](auto& c, auto&) { c.setBehavior(nullptr); }},
      {"updateBehavior", {}, [](auto& c, auto&) { c.updateBehavior(); }},
      {"applyBehavior", {}, [](auto& c, auto&) { c.applyBehavior(); }},
      {"applyBehavior(item)",
       {},
       [](auto& c, auto& h) {
         c.applyBehavior(OutlineHost::itemOf(h.childrenOf[h.roots[0].get()][1]));
       }},
      {"setAutoApplyBehavior", {}, [](auto& c, auto&) { c.setAutoApplyBehavior(true); }},
      {"scrollRowToVisible", {}, [](auto& c, auto&) { c.scrollRowToVisible(40); }},
      {"setColumnTitles",
       {},
       [](auto& c, auto&) {
         c.outlineModel()->setColumnTitles({"a", "b"});
       }},
      {"prepareForInterfaceBuilder", {}, [](auto& c, auto&) { c.prepareForInterfaceBuilder(); }},
      {"collapse",
       {},
       [](auto& c, auto&) { c.outlineView()->collapse(c.outlineModel()->indexOfDisplayedRow(0)); }},
      {"collapseAll", {}, [](auto& c, auto&) { c.outlineView()->collapseAll(); }},
      {"expandAll", {}, [](auto& c, auto&) { c.outlineView()->expandAll(); }},
      {"activate",
       {},
       [twin](auto& c, auto& h) {
         c.activate(GanttChartBar{twin(c, h.roots[1]), {}});
       }},
      {"activate(summary)",
       {},
       [twin](auto& c, auto& h) {
         c.activate(GanttChartBar{twin(c, h.roots[0]), {}});
       }},
      {"availableDependencies", {}, [](auto& c, auto&) { (void)c.availableDependencies(); }},
      {"filteredDependencies",
       {},
       [](auto& c, auto&) { (void)c.filteredDependencies(RowRange(0, 4), TimeRange()); }},
      {"ganttChartDependency",
       {},
       [](auto& c, auto& h) { (void)c.ganttChartDependency(h.dependencies[0]); }},
      {"headerHeightDidChange", {}, [](auto& c, auto&) { c.headerHeightDidChange(); }},
  };
  // The first callback, and a later one (some calls reach host code again
  // once a first answer is in).
  for (const auto& [name, prepare, call] : calls)
    for (const int skip : {0, 2}) {
      SCOPED_TRACE(name + " after " + std::to_string(skip));
      auto host = std::make_shared<ArmedHost>();
      auto summary = host->addRoot("summary", monday(), 4);
      OutlineHost::itemOf(summary)->setType(GanttChartItemType::summary);
      host->addChild(summary, "a", monday(), 1);
      auto late = host->addChild(summary, "b", monday().addingDays(2), 2);
      auto other = host->addRoot("other", monday());
      for (int i = 0; i < 40; ++i) host->addRoot(testing::numbered("r", i), monday());
      host->dependencies.push_back(OutlineGanttChartDependency::create(
          std::nullopt, OutlineHost::itemOf(late), OutlineHost::itemOf(other), std::nullopt, 0,
          true, std::nullopt, std::nullopt, {}));
      QPointer<OutlineGanttChart> chart = new OutlineGanttChart;
      showSmall(*chart);
      host->chart = chart;
      chart->setAreOutOfRowRangeItemsAvailable(true);
      chart->setGanttChartItemObserver(host);
      chart->setGanttChartContentActivator(host);
      chart->setGanttChartObserver(host);
      chart->setDataSource(host);
      chart->setSchedule(ScheduleDefinition::standard());
      chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(0));
      chart->setAutoApplyBehavior(true);
      if (prepare) prepare(*chart, *host);
      settle();
      // Out of its summary and off the schedule: applying the rules moves it.
      OutlineHost::itemOf(late)->setTime(TimeRange(monday().addingDays(5), monday().addingDays(6)));
      host->armed = true;
      host->skip = skip;
      call(*chart, *host);
      if (skip == 0) {
        EXPECT_TRUE(chart.isNull());
      }
      delete chart.data();
      settle();
    }
}

}  // namespace
}  // namespace vorlent
