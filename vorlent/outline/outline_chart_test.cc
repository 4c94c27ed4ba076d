#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_scroller.h"
#include "vorlent/model/item_behavior_set.h"
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
  for (int i = 0; i < 4; ++i) QApplication::processEvents();
}

// The centre of a rectangle of the chart, in Qt's terms.
QPointF toQtCentre(const Rectangle& bounds) {
  return QPointF(bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2);
}

// Monday of the pinned week at 0:00.
Time monday() { return TimeRange::currentWeek().start.addingDays(1); }

class OutlineChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 40-point headers on both sides leave the outline 500 points of rows
    // in a 540-point view.
    chart.outlineView()->header()->setFixedHeight(40);
    chart.outlineView()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chart.resize(800, 540);
    chart.show();
    settle();
  }

  void connectHost() {
    chart.setGanttChartItemObserver(host);
    chart.setGanttChartContentActivator(host);
    chart.setDataSource(host);
    settle();
  }

  QModelIndex indexOfRow(int64_t row) { return chart.outlineModel()->indexOfDisplayedRow(row); }
  // The row's first twin, once the chart has asked for what it shows (as
  // painting would).
  GanttChartItemPtr twinOf(const OutlineGanttChartRowPtr& row) {
    (void)chart.ganttChartItemManager()->filteredItems();
    (void)chart.ganttChartItemManager()->availableItems();
    return OutlineHost::itemOf(row)->ganttChartItem();
  }

  ScopedClock clock{makeDate(pinnedNow())};
  OutlineGanttChart chart;
  std::shared_ptr<OutlineHost> host = std::make_shared<OutlineHost>();
};

// --- Set-up ---------------------------------------------------------------------

TEST_F(OutlineChartTest, SetsUpTheChartStackForAnOutline) {
  const auto& content = chart.ganttChartContentController();
  const GanttChartContentSettings& settings = content->settings();
  EXPECT_FALSE(settings.showsLabels);
  EXPECT_FALSE(settings.showsCompletionBarsForSummaryItems);
  EXPECT_FALSE(settings.allowsMovingBarsVertically);
  EXPECT_FALSE(settings.allowsCreatingBars);
  EXPECT_FALSE(settings.allowsDeletingBars);
  EXPECT_FALSE(settings.alternativeRowsOnCount);
  EXPECT_FALSE(settings.allowsMovingBarsForType.at(GanttChartItemType::summary));
  EXPECT_FALSE(settings.allowsResizingBarsForType().at(GanttChartItemType::summary));
  EXPECT_FALSE(settings.allowsResizingBarsAtStartForType.at(GanttChartItemType::summary));
  EXPECT_EQ(content->extraRowCount(), 0);
  EXPECT_EQ(content->rowHeight(), 20);
  EXPECT_EQ(content->style().labelFont->size, 13);  // 20 - 2 * (0.5 + 3)
  EXPECT_EQ(content->style().attachmentFont->size, 13);
  EXPECT_EQ(chart.ganttChartHeaderController()->rows().size(), 1u);
  EXPECT_EQ(content->activator().get() != nullptr, true);
  EXPECT_EQ(chart.ganttChart()->controller(), chart.ganttChartController());

  auto set = std::dynamic_pointer_cast<GanttChartItemBehaviorSet>(
      chart.ganttChartItemManager()->behavior());
  ASSERT_TRUE(set);
  ASSERT_EQ(set->behaviors().size(), 1u);
  EXPECT_EQ(set->behaviors()[0], chart.hierarchicalBehavior());
}

TEST_F(OutlineChartTest, PadsTheOutlineHeaderToTheChartHeader) {
  // The chart's header follows the outline's, so nothing is padded.
  EXPECT_EQ(chart.ganttChartController()->headerRowHeight(), 40);
  EXPECT_EQ(chart.outlineHeaderSpacing(), 0);
  EXPECT_EQ(chart.outlineHeaderSpacingBox()->height(), 0);

  chart.ganttChartController()->setHeaderRowHeight(64);
  settle();
  EXPECT_EQ(chart.outlineHeaderSpacing(), 24);
  EXPECT_EQ(chart.outlineHeaderSpacingBox()->height(), 24);

  // A chart header lower than the outline's pads nothing, never less.
  chart.ganttChartController()->setHeaderRowHeight(10);
  EXPECT_EQ(chart.outlineHeaderSpacing(), 0);
}

// Header rows taller than the window the host gives: the window keeps its
// size, and the outline pads only as far as the chart's squeezed header
// reaches, so that every row shown stays beside its bar.
TEST_F(OutlineChartTest, AHeaderTallerThanTheWindowKeepsItsSizeAndRowsOnBars) {
  for (int i = 0; i < 30; ++i) host->addRoot("r", monday());
  connectHost();
  chart.ganttChartController()->setHeaderRowHeight(1e6);
  chart.resize(800, 400);
  settle();
  EXPECT_EQ(chart.size(), QSize(800, 400));

  QTreeView& tree = *chart.outlineView();
  StandardScrollView& area = *chart.ganttChart()->content()->scrollView();
  (void)chart.ganttChartItemManager()->filteredItems();
  int shown = 0;
  for (int64_t row = 0; row < 30; ++row) {
    const QRect label = tree.visualRect(indexOfRow(row));
    if (label.bottom() < 0 || label.top() >= tree.viewport()->height()) continue;
    const GanttChartItemPtr twin = OutlineHost::itemOf(host->roots[size_t(row)])->ganttChartItem();
    ASSERT_NE(twin, nullptr) << "row " << row;
    const QPointF bar =
        area.viewportPoint(toQtCentre(chart.ganttChartContentController()->bounds(twin)));
    EXPECT_NEAR(tree.viewport()->mapTo(&chart, label.center()).y(),
                area.viewport()->mapTo(&chart, bar.toPoint()).y(), 1)
        << "row " << row;
    ++shown;
  }
  EXPECT_GT(shown, 0);
}

TEST_F(OutlineChartTest, RowsStartAtTheSameHeightInAWindowLowerThanBothHeaders) {
  for (const double headerRowHeight : {40.0, 64.0}) {
    chart.ganttChartController()->setHeaderRowHeight(headerRowHeight);
    for (const int height : {540, 70, 20}) {
      chart.resize(800, height);
      settle();
      const QWidget& rows = *chart.outlineView()->viewport();
      const QWidget& bars = *chart.ganttChart()->content()->scrollView()->viewport();
      EXPECT_EQ(rows.mapTo(&chart, QPoint()).y(), bars.mapTo(&chart, QPoint()).y())
          << headerRowHeight << "-point header rows, " << height << " high";
    }
  }
}

TEST_F(OutlineChartTest, RowHeightSizesBothSidesAndClampsTheLabelFont) {
  chart.setRowHeight(30);
  EXPECT_EQ(chart.ganttChartContentController()->rowHeight(), 30);
  EXPECT_EQ(chart.ganttChartContentController()->style().labelFont->size, 23);
  chart.setRowHeight(4);  // 4 - 7 would be a negative font
  EXPECT_EQ(chart.ganttChartContentController()->style().labelFont->size, 1);
  chart.setRowHeight(0);
  EXPECT_EQ(chart.rowHeight(), 1);
}

// --- Paging -----------------------------------------------------------------------

TEST_F(OutlineChartTest, PagesRootRowsAsTheUserScrollsNearTheEnd) {
  for (int i = 0; i < 10000; ++i) host->addRoot(testing::numbered("r", i), monday());
  chart.setIsPagingEnabled(true);
  connectHost();
  EXPECT_EQ(chart.currentlyAvailableRootItemCount(), 10000);
  EXPECT_EQ(chart.currentlyDisplayedRootItemCount(), 50);
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 50);

  QScrollBar* bar = chart.outlineView()->verticalScrollBar();
  bar->setValue(200);  // the bottom 300 points above the end: no page yet
  settle();
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 50);
  bar->setValue(250);
  settle();
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 75);
  EXPECT_EQ(chart.ganttChartItemManager()->totalRowCount(), 75);
  bar->setValue(750);
  settle();
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 100);
  EXPECT_EQ(bar->value(), 750);  // a page load keeps the position
}

TEST_F(OutlineChartTest, SwitchingPagingOnShowsTheFirstPages) {
  for (int i = 0; i < 1000; ++i) host->addRoot(testing::numbered("r", i), monday());
  connectHost();
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 1000);
  chart.setIsPagingEnabled(true);
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 50);
  EXPECT_EQ(chart.outlineModel()->item(49), host->roots[49]);
}

TEST(OutlinePaging, FirstPageFollowsMinPageSizeAndMinPageCount) {
  ScopedClock clock{makeDate(pinnedNow())};
  struct Case {
    std::optional<int64_t> minPageSize;
    int64_t minPageCount;
    int64_t expected;
  };
  for (const Case& c : {Case{40, 2, 80}, Case{10, 2, 50}, Case{std::nullopt, 1, 25},
                        Case{std::numeric_limits<int64_t>::max(), 2, 1000}}) {
    OutlineGanttChart chart;
    chart.outlineView()->header()->setFixedHeight(40);
    chart.outlineView()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chart.resize(800, 540);
    chart.show();
    settle();
    auto host = std::make_shared<OutlineHost>();
    for (int i = 0; i < 1000; ++i) host->addRoot("r", monday());
    chart.setMinPageSize(c.minPageSize);
    chart.setMinPageCount(c.minPageCount);
    chart.setIsPagingEnabled(true);
    chart.setDataSource(host);
    EXPECT_EQ(chart.currentlyDisplayedRootItemCount(), c.expected);
  }
}

TEST_F(OutlineChartTest, PagingSwitchedOffLoadsNothingMore) {
  for (int i = 0; i < 1000; ++i) host->addRoot("r", monday());
  chart.setIsPagingEnabled(true);
  connectHost();
  ASSERT_EQ(chart.outlineModel()->numberOfRows(), 50);
  chart.setIsPagingEnabled(false);
  ASSERT_EQ(chart.outlineModel()->numberOfRows(), 1000);
  QSignalSpy inserts(chart.outlineModel(), &QAbstractItemModel::rowsInserted);
  chart.outlineView()->verticalScrollBar()->setValue(19000);
  settle();
  chart.loadMoreDataIfNeeded();
  EXPECT_EQ(inserts.count(), 0);
  EXPECT_EQ(chart.currentlyDisplayedRootItemCount(), 50);
}

TEST_F(OutlineChartTest, ShrinkingHostShowsItsRowsAtTheNextReload) {
  for (int i = 0; i < 1000; ++i) host->addRoot("r", monday());
  chart.setIsPagingEnabled(true);
  connectHost();
  host->roots.resize(30);
  chart.reloadData();
  EXPECT_EQ(chart.currentlyDisplayedRootItemCount(), 30);
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 30);
}

// --- Rows against rows ------------------------------------------------------------

class OutlineTreeTest : public OutlineChartTest {
 protected:
  void SetUp() override {
    OutlineChartTest::SetUp();
    for (int i = 0; i < 5; ++i) host->addRoot(testing::numbered("r", i), monday());
    for (int i = 0; i < 3; ++i) host->addChild(host->roots[1], testing::numbered("c", i), monday());
    host->addChild(host->roots[3], "d0", monday());
    chart.setAreOutOfRowRangeItemsAvailable(true);
    connectHost();
  }

  // The chart holds exactly the twins of the displayed rows, each on its
  // displayed row.
  void expectChartMatchesOutline() {
    std::set<std::pair<GanttChartItem*, int64_t>> actual;
    const auto available = chart.ganttChartItemManager()->availableItems();
    for (const auto& item : available) actual.emplace(item.get(), item->row());
    std::set<std::pair<GanttChartItem*, int64_t>> expected;
    OutlineGanttChartModel& model = *chart.outlineModel();
    for (int64_t r = 0; r < model.numberOfRows(); ++r) {
      for (const auto& item : model.item(r)->chartItems()) {
        expected.emplace(item->ganttChartItem().get(), r);
      }
    }
    EXPECT_EQ(actual.size(), available.size());
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(chart.ganttChartItemManager()->totalRowCount(), model.numberOfRows());
  }
};

TEST_F(OutlineTreeTest, ChartShowsTheTwinsOfTheDisplayedRowsAfterExpandAndCollapse) {
  expectChartMatchesOutline();
  chart.outlineView()->expand(indexOfRow(1));
  EXPECT_EQ(chart.outlineItems().size(), 8u);
  expectChartMatchesOutline();
  EXPECT_EQ(twinOf(host->roots[4])->row(), 7);
  chart.outlineView()->expand(indexOfRow(6));  // r3
  expectChartMatchesOutline();
  chart.outlineView()->collapse(indexOfRow(1));
  expectChartMatchesOutline();
  EXPECT_EQ(twinOf(host->roots[4])->row(), 5);
  EXPECT_EQ(chart.outlineItems().size(), 6u);
}

// A new number of columns resets the tree, which forgets its expansions:
// the chart then shows only the rows still displayed.
TEST_F(OutlineTreeTest, ChartFollowsTheRowsANewNumberOfColumnsLeaves) {
  chart.outlineView()->expand(indexOfRow(1));
  ASSERT_EQ(chart.outlineModel()->numberOfRows(), 8);
  chart.outlineModel()->setColumnTitles({QStringLiteral("Name"), QStringLiteral("Start")});
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 5);
  expectChartMatchesOutline();
}

TEST_F(OutlineTreeTest, HierarchyFollowsTheOutline) {
  chart.outlineView()->expand(indexOfRow(1));
  const auto parentTwin = twinOf(host->roots[1]);
  const auto children = chart.children(parentTwin);
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(children[0], twinOf(host->childrenOf[host->roots[1].get()][0]));
  EXPECT_EQ(chart.parent(children[2]), parentTwin);
  EXPECT_EQ(chart.parent(parentTwin), nullptr);

  // An item on no displayed row has neither parent nor children (rather
  // than every root item as children).
  auto stray = GanttChartItem::create({.label = "stray"});
  EXPECT_TRUE(chart.children(stray).empty());
  EXPECT_EQ(chart.parent(stray), nullptr);
}

// --- Hierarchy answers while the rules run ------------------------------------

// A row whose items its host keeps and changes without telling it.
class HostKeptRow : public OutlineGanttChartRow {
 public:
  HostKeptRow() : OutlineGanttChartRow("kept", {}, std::nullopt, {}) {}
  [[nodiscard]] const std::vector<OutlineGanttChartItemPtr>& chartItems() const override {
    return kept;
  }
  std::vector<OutlineGanttChartItemPtr> kept;
};

bool holds(const OutlineGanttChartRow& row, const OutlineGanttChartItemPtr& item) {
  return std::find(row.chartItems().begin(), row.chartItems().end(), item) !=
         row.chartItems().end();
}

// The available twins on `row`, found the long way.
std::vector<GanttChartItemPtr> plainTwinsOn(OutlineGanttChart& chart,
                                            const OutlineGanttChartRow& row) {
  std::vector<GanttChartItemPtr> twins;
  for (const auto& twin : chart.ganttChartItemManager()->availableItems()) {
    if (const auto item = outlineGanttChartItemOf(*twin); item && holds(row, item)) {
      twins.push_back(twin);
    }
  }
  return twins;
}

OutlineGanttChartRowPtr plainRowOf(OutlineGanttChart& chart, const GanttChartItemPtr& twin) {
  const auto item = outlineGanttChartItemOf(*twin);
  for (const auto& row : chart.outlineItems()) {
    if (item && holds(*row, item)) return row;
  }
  return nullptr;
}

// Parent and children as the outline's rows give them now, read afresh.
GanttChartItemPtr plainParent(OutlineGanttChart& chart, const GanttChartItemPtr& twin) {
  const auto row = plainRowOf(chart, twin);
  const auto parentRow = row ? chart.outlineModel()->parent(row) : nullptr;
  if (!parentRow) return nullptr;
  const auto twins = plainTwinsOn(chart, *parentRow);
  return twins.empty() ? nullptr : twins.front();
}

std::vector<GanttChartItemPtr> plainChildren(OutlineGanttChart& chart,
                                             const GanttChartItemPtr& twin) {
  const auto row = plainRowOf(chart, twin);
  if (!row) return {};
  std::vector<GanttChartItemPtr> children;
  for (int64_t i = 0; i < chart.outlineModel()->numberOfChildren(row); ++i) {
    if (const auto child = chart.outlineModel()->child(i, row)) {
      const auto twins = plainTwinsOn(chart, *child);
      children.insert(children.end(), twins.begin(), twins.end());
    }
  }
  return children;
}

// While one edit cascades through the rules, the chart answers the same
// summary's children once per moved child from what it remembers. Between
// questions a host rule moves bars between rows (some rows keep their bars
// behind the chart's back), expands and collapses rows and reloads the chart
// or its tree alone: every answer must be the one the rows give at that
// moment.
TEST(OutlineHierarchyAnswers, AreTheRowsAnswersWhileTheRulesRun) {
  ScopedClock clock{makeDate(pinnedNow())};
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937_64 engine(seed);
    const auto below = [&](size_t n) {
      return std::uniform_int_distribution<size_t>(0, n - 1)(engine);
    };
    OutlineGanttChart chart;
    chart.resize(800, 540);
    chart.show();
    auto host = std::make_shared<OutlineHost>();
    std::vector<OutlineGanttChartRowPtr> rows;
    std::vector<std::shared_ptr<HostKeptRow>> keptRows;
    const auto addRow = [&](const OutlineGanttChartRowPtr& parent) {
      OutlineGanttChartRowPtr row;
      if (below(5) == 0) {
        auto kept = std::make_shared<HostKeptRow>();
        kept->kept = {OutlineGanttChartItem::create("k", monday(), monday().addingDays(1), 0,
                                                    std::nullopt, std::nullopt, nullptr, 0, true,
                                                    std::nullopt, std::nullopt, {})};
        keptRows.push_back(kept);
        row = kept;
        (parent ? host->childrenOf[parent.get()] : host->roots).push_back(row);
      } else {
        const auto start = monday().addingDays(int(below(5)));
        row = parent ? host->addChild(parent, "c", start, 2) : host->addRoot("r", start, 2);
      }
      rows.push_back(row);
      return row;
    };
    for (int r = 0; r < 4; ++r) {
      const auto root = addRow(nullptr);
      for (size_t c = 0, n = 1 + below(4); c < n; ++c) {
        const auto child = addRow(root);
        for (size_t g = 0, m = below(3); g < m; ++g) addRow(child);
      }
    }
    auto probe = std::make_shared<testing::OfferCountingBehavior>();
    chart.setAreOutOfRowRangeItemsAvailable(true);
    chart.setBehavior(probe);
    chart.setDataSource(host);
    chart.outlineView()->expandAll();
    settle();

    int checks = 0;
    probe->onOffer = [&] {
      if (++checks > 60) return;
      for (const auto& twin : chart.ganttChartItemManager()->availableItems()) {
        ASSERT_EQ(chart.children(twin), plainChildren(chart, twin));
        ASSERT_EQ(chart.parent(twin), plainParent(chart, twin));
      }
      const auto& row = rows[below(rows.size())];
      const auto& other = rows[below(rows.size())];
      switch (below(7)) {
        case 0:  // a bar moves to another row
          if (!row->chartItems().empty() && other != row) {
            auto from = row->chartItems();
            auto to = other->chartItems();
            to.push_back(from.back());
            from.pop_back();
            for (const auto* edited : {&row, &other}) {
              auto& items = edited == &row ? from : to;
              if (auto kept = std::dynamic_pointer_cast<HostKeptRow>(*edited)) {
                kept->kept = items;
              } else {
                (*edited)->setChartItems(items);
              }
            }
          }
          break;
        case 1: {  // a row the tree shows is collapsed or expanded
          const QModelIndex index = chart.outlineModel()->indexOfDisplayedRow(
              int64_t(below(size_t(chart.outlineModel()->numberOfRows()))));
          if (chart.outlineView()->isExpanded(index)) {
            chart.outlineView()->collapse(index);
          } else {
            chart.outlineView()->expand(index);
          }
          break;
        }
        case 2:  // a new row, shown at once
          addRow(row);
          chart.reloadData();
          break;
        case 3:  // a new row the tree alone is told of
          addRow(row);
          chart.outlineModel()->reload();
          break;
        case 4:  // a bar leaves a row that keeps its bars itself
          if (!keptRows.empty()) {
            auto& kept = keptRows[below(keptRows.size())]->kept;
            if (!kept.empty()) kept.erase(kept.begin());
          }
          break;
        default:
          break;
      }
    };
    for (int edit = 0; edit < 6; ++edit) {
      const auto available = chart.ganttChartItemManager()->availableItems().elements();
      if (available.empty()) break;
      const auto& twin = available[below(available.size())];
      chart.ganttChartItemManager()->updateTime(twin, twin->start().addingDays(1));
      if (edit % 3 == 2) chart.applyBehavior();
      settle();
    }
    EXPECT_GT(checks, 20);
  }
}

// One application of the rules reads the chart's links once, however many
// items it visits, and still schedules along them and sums children up into
// their parent.
TEST_F(OutlineTreeTest, ApplyingTheRulesReadsTheLinksOnce) {
  chart.outlineView()->expand(indexOfRow(1));
  const auto& children = host->childrenOf[host->roots[1].get()];
  const std::vector<OutlineGanttChartItemPtr> chain = {
      OutlineHost::itemOf(host->roots[0]), OutlineHost::itemOf(children[0]),
      OutlineHost::itemOf(children[1]), OutlineHost::itemOf(children[2]),
      OutlineHost::itemOf(host->roots[2])};
  for (size_t i = 1; i < chain.size(); ++i) {
    host->dependencies.push_back(
        OutlineGanttChartDependency::create(std::nullopt, chain[i - 1], chain[i], std::nullopt, 0,
                                            true, std::nullopt, std::nullopt, {}));
  }
  chart.reloadData();
  chart.setIsAutoScheduling(true);
  host->dependencyQueries = 0;
  chart.applyBehavior();
  EXPECT_LE(host->dependencyQueries, 2);
  for (size_t i = 1; i < chain.size(); ++i) {
    EXPECT_EQ(chain[i]->start(), chain[i - 1]->finish()) << i;
  }
  EXPECT_EQ(twinOf(host->roots[1])->time(), TimeRange(chain[1]->start(), chain[3]->finish()));

  // So does one edit that moves the whole chain, as a drag step does.
  host->dependencyQueries = 0;
  chart.ganttChartItemManager()->updateTime(twinOf(host->roots[0]), monday().addingDays(2));
  EXPECT_LE(host->dependencyQueries, 2);
  EXPECT_EQ(chain[0]->start(), monday().addingDays(2));
  for (size_t i = 1; i < chain.size(); ++i) {
    EXPECT_EQ(chain[i]->start(), chain[i - 1]->finish()) << i;
  }
}

// Each edit reads the host's links again, though the rules keep what they
// indexed while the links stay the same: a link the host drops or adds
// between two edits, without telling the chart, counts from the next edit.
TEST_F(OutlineTreeTest, EachEditFollowsTheLinksAsTheHostHasThemThen) {
  const auto& roots = host->roots;
  const auto link = [&](size_t from, size_t to) {
    host->dependencies.push_back(OutlineGanttChartDependency::create(
        std::nullopt, OutlineHost::itemOf(roots[from]), OutlineHost::itemOf(roots[to]),
        std::nullopt, 0, true, std::nullopt, std::nullopt, {}));
  };
  link(0, 2);
  link(2, 4);
  chart.reloadData();
  chart.setIsAutoScheduling(true);
  const auto moveHead = [&](int days) {
    const auto head = twinOf(roots[0]);
    chart.ganttChartItemManager()->updateTime(head, head->start().addingDays(days));
  };
  const auto startOf = [&](size_t row) { return OutlineHost::itemOf(roots[row])->start(); };
  moveHead(1);
  EXPECT_EQ(startOf(2), startOf(0).addingDays(1));
  EXPECT_EQ(startOf(4), startOf(2).addingDays(1));
  moveHead(1);
  EXPECT_EQ(startOf(4), startOf(2).addingDays(1));

  host->dependencies.pop_back();  // 2 -> 4
  const Time before = startOf(4);
  moveHead(1);
  EXPECT_EQ(startOf(2), startOf(0).addingDays(1));
  EXPECT_EQ(startOf(4), before);

  link(0, 3);
  moveHead(1);
  EXPECT_EQ(startOf(3), startOf(0).addingDays(1));
  EXPECT_EQ(startOf(4), before);
}

// A link the host drops and announces while it hears of an edit is not
// followed for the rest of that edit, whichever way the host announces it.
TEST_F(OutlineTreeTest, ALinkDroppedAndAnnouncedDuringAnEditIsNotFollowedAfter) {
  const auto& roots = host->roots;
  const auto linkTo4 = [&] {
    host->dependencies.push_back(OutlineGanttChartDependency::create(
        std::nullopt, OutlineHost::itemOf(roots[2]), OutlineHost::itemOf(roots[4]), std::nullopt,
        0, true, std::nullopt, std::nullopt, {}));
  };
  host->dependencies.push_back(OutlineGanttChartDependency::create(
      std::nullopt, OutlineHost::itemOf(roots[0]), OutlineHost::itemOf(roots[2]), std::nullopt, 0,
      true, std::nullopt, std::nullopt, {}));
  chart.setIsAutoScheduling(true);
  const auto startOf = [&](size_t row) { return OutlineHost::itemOf(roots[row])->start(); };
  for (const bool reloads : {true, false}) {
    SCOPED_TRACE(reloads ? "reloadData" : "collectionDidChange");
    linkTo4();
    chart.reloadData();
    host->onSourceTime = [&](const OutlineGanttChartItemPtr& item) {
      if (item != OutlineHost::itemOf(roots[2]) || host->dependencies.size() != 2) return;
      host->dependencies.pop_back();
      if (reloads) {
        chart.reloadData();
      } else {
        chart.ganttChartItemManager()->collectionDidChange();
      }
    };
    const Time before = startOf(4);
    const auto head = twinOf(roots[0]);
    chart.ganttChartItemManager()->updateTime(head, head->start().addingDays(1));
    host->onSourceTime = nullptr;
    ASSERT_EQ(host->dependencies.size(), 1u);
    EXPECT_EQ(startOf(2), startOf(0).addingDays(1));
    EXPECT_EQ(startOf(4), before);
  }
}

TEST_F(OutlineTreeTest, ReloadKeepsExpansionAndTwins) {
  chart.outlineView()->expand(indexOfRow(1));
  const auto twin = twinOf(host->roots[4]);
  host->addRoot("r5", monday());
  chart.reloadData();
  EXPECT_TRUE(chart.outlineView()->isExpanded(indexOfRow(1)));
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 9);
  EXPECT_EQ(twinOf(host->roots[4]), twin);
  expectChartMatchesOutline();
}

// A chart of its own over 20 root rows of three children each, the first
// child of each with a child of its own; the rules are re-applied at each
// synchronisation and count the items they are offered.
struct ExpandingOutline {
  ExpandingOutline() {
    for (int r = 0; r < 20; ++r) {
      auto root = host->addRoot(testing::numbered("r", r), monday());
      for (int c = 0; c < 3; ++c) {
        auto child = host->addChild(root, testing::numbered("c", r * 3 + c), monday());
        if (c == 0) host->addChild(child, testing::numbered("g", r), monday());
      }
    }
    chart.resize(800, 540);
    chart.show();
    chart.setAreOutOfRowRangeItemsAvailable(true);
    chart.setBehavior(counting);
    chart.setAutoApplyBehavior(true);
    chart.setDataSource(host);
    settle();
  }

  // What the chart shows, by label: each twin's row and visibility, and
  // the expanded rows of the outline.
  [[nodiscard]] std::vector<std::string> snapshot() {
    std::vector<std::string> shown;
    for (const auto& item : chart.ganttChartItemManager()->availableItems()) {
      shown.push_back(item->label().value_or("") + " row " + std::to_string(item->row()) +
                      (item->isVisible() ? "" : " hidden"));
    }
    std::sort(shown.begin(), shown.end());
    OutlineGanttChartModel& model = *chart.outlineModel();
    for (int64_t r = 0; r < model.numberOfRows(); ++r) {
      if (chart.outlineView()->isExpanded(model.indexOfDisplayedRow(r))) {
        shown.push_back("expanded " + model.item(r)->label().value_or(""));
      }
    }
    shown.push_back("rows " + std::to_string(chart.ganttChartItemManager()->totalRowCount()));
    return shown;
  }

  // Expands (collapses) the rows one call at a time, deepest first when
  // collapsing, as a user would click them.
  void setEachExpanded(bool expanded) {
    OutlineGanttChartModel& model = *chart.outlineModel();
    std::vector<OutlineGanttChartRowPtr> rows;
    for (const auto& root : host->roots) {
      if (host->childrenOf[root.get()].empty()) continue;
      rows.push_back(root);
      rows.push_back(host->childrenOf[root.get()][0]);
    }
    if (!expanded) std::reverse(rows.begin(), rows.end());
    for (const auto& row : rows) {
      chart.outlineView()->setExpanded(model.indexOfDisplayedRow(model.row(row)), expanded);
      // In step after each call.
      EXPECT_EQ(chart.ganttChartItemManager()->totalRowCount(), model.numberOfRows());
    }
  }

  ScopedClock clock{makeDate(pinnedNow())};
  std::shared_ptr<OutlineHost> host = std::make_shared<OutlineHost>();
  std::shared_ptr<testing::OfferCountingBehavior> counting =
      std::make_shared<testing::OfferCountingBehavior>();
  OutlineGanttChart chart;
};

TEST(OutlineExpandAll, SynchronisesOnceToWhatExpandingEachRowGives) {
  ExpandingOutline oneByOne;
  ExpandingOutline all;
  constexpr size_t kItems = 20 * 5 + 1;

  // Also while the tree has yet to lay out the rows a reload changed.
  oneByOne.host->addRoot("late", monday());
  all.host->addRoot("late", monday());
  oneByOne.chart.reloadData();
  all.chart.reloadData();
  // Each pass of Qt's is in step as soon as it returns, with work for a few
  // walks over the rows, not one per row it expands or collapses.
  const auto passOverAll = [&](bool expanding, const std::string& rows) {
    oneByOne.setEachExpanded(expanding);
    all.counting->offers = 0;
    if (expanding) {
      all.chart.outlineView()->expandAll();
    } else {
      all.chart.outlineView()->collapseAll();
    }
    const auto shown = all.snapshot();
    EXPECT_EQ(shown, oneByOne.snapshot());
    EXPECT_EQ(shown.back(), rows);
    EXPECT_LE(all.counting->offers, int(3 * kItems));
    settle();
    EXPECT_EQ(all.snapshot(), shown);
  };
  passOverAll(true, "rows 101");
  passOverAll(false, "rows 21");
}

TEST_F(OutlineTreeTest, ActivatingABarTogglesItsExpandableRow) {
  const auto activator = chart.ganttChartContentController()->activator();
  ASSERT_TRUE(activator);
  activator->activate(GanttChartBar{twinOf(host->roots[1]), {}});
  EXPECT_TRUE(chart.outlineView()->isExpanded(indexOfRow(1)));
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 8);
  activator->activate(GanttChartBar{twinOf(host->roots[1]), {}});
  EXPECT_FALSE(chart.outlineView()->isExpanded(indexOfRow(1)));
  EXPECT_TRUE(host->activatedBars.empty());

  activator->activate(GanttChartBar{twinOf(host->roots[0]), {}});
  ASSERT_EQ(host->activatedBars.size(), 1u);
  EXPECT_EQ(host->activatedBars[0].item, twinOf(host->roots[0]));
}

TEST_F(OutlineTreeTest, DependenciesJoinTheTwinsOfTheirItems) {
  auto from = OutlineHost::itemOf(host->roots[0]);
  auto to = OutlineHost::itemOf(host->roots[2]);
  auto hidden = OutlineHost::itemOf(host->childrenOf[host->roots[1].get()][0]);
  host->dependencies.push_back(OutlineGanttChartDependency::create(
      "link", from, to, std::nullopt, 0, true, std::nullopt, std::nullopt, {}));
  host->dependencies.push_back(OutlineGanttChartDependency::create(
      "to hidden", from, hidden, std::nullopt, 0, true, std::nullopt, std::nullopt, {}));
  chart.reloadData();
  const auto dependencies = chart.ganttChartItemManager()->availableDependencies();
  ASSERT_EQ(dependencies.size(), 1u);
  EXPECT_EQ(dependencies[0]->from(), from->ganttChartItem());
  EXPECT_EQ(dependencies[0]->to(), to->ganttChartItem());
  EXPECT_EQ(chart.ganttChartDependency(host->dependencies[0]), dependencies[0]);
  EXPECT_EQ(chart.ganttChartDependency(host->dependencies[1]), nullptr);
  EXPECT_EQ(chart.ganttChartItem(from), from->ganttChartItem());
  EXPECT_EQ(chart.ganttChartItem(hidden), nullptr);
}

TEST_F(OutlineChartTest, FilteredItemsAreThoseOfTheRowsInRangeOnTheirRows) {
  for (int i = 0; i < 30; ++i) host->addRoot(testing::numbered("r", i), monday());
  connectHost();
  const auto items = chart.filteredItems(RowRange(0, 9), TimeRange());
  ASSERT_EQ(items.size(), 10u);
  for (int64_t r = 0; r < 10; ++r) {
    EXPECT_EQ(items[static_cast<size_t>(r)]->row(), r);
    EXPECT_EQ(outlineGanttChartItemOf(*items[static_cast<size_t>(r)]),
              OutlineHost::itemOf(host->roots[static_cast<size_t>(r)]));
  }
  // Labels stay off in the chart, so the twins carry them as details.
  EXPECT_EQ(items[0]->details(), "r0");
  EXPECT_EQ(chart.availableItems(), std::nullopt);
  EXPECT_EQ(chart.availableDependencies(), std::nullopt);
  chart.setAreOutOfRowRangeItemsAvailable(true);
  EXPECT_EQ(chart.availableItems()->size(), 30u);
  EXPECT_TRUE(chart.cachedAvailableItems().has_value());
  chart.synchronizeOutlineItems();
  EXPECT_FALSE(chart.cachedAvailableItems().has_value());
}

TEST_F(OutlineChartTest, AutoApplyBehaviorAppliesAtOnceAndAtEverySynchronisation) {
  host->addRoot("a", monday());
  connectHost();
  (void)chart.ganttChartItemManager()->filteredItems();
  auto counting = std::make_shared<testing::OfferCountingBehavior>();
  chart.setBehavior(counting);
  EXPECT_EQ(counting->offers, 0);
  chart.setAutoApplyBehavior(true);
  const int once = counting->offers;
  EXPECT_GT(once, 0);
  chart.synchronizeOutlineItems();
  EXPECT_GT(counting->offers, once);
  chart.setAutoApplyBehavior(false);
  const int after = counting->offers;
  chart.synchronizeOutlineItems();
  EXPECT_EQ(counting->offers, after);
}

TEST_F(OutlineChartTest, ApplyingToAnOutlineItemOffOnTheChartDoesNothing) {
  auto shown = host->addRoot("shown", monday());
  host->addChild(shown, "hidden", monday());
  connectHost();
  auto counting = std::make_shared<testing::OfferCountingBehavior>();
  chart.setBehavior(counting);
  const auto hidden = OutlineHost::itemOf(host->childrenOf[shown.get()][0]);
  chart.applyBehavior(hidden);
  chart.applySchedule(hidden);
  EXPECT_EQ(counting->offers, 0);
  EXPECT_EQ(hidden->ganttChartItem(), nullptr);
  (void)chart.ganttChartItemManager()->filteredItems();
  chart.applyBehavior(OutlineHost::itemOf(shown));
  EXPECT_EQ(counting->offers, 1);
}

// --- Scrolling --------------------------------------------------------------------

TEST_F(OutlineChartTest, KeepsBothSidesAtTheSameOffset) {
  for (int i = 0; i < 200; ++i) host->addRoot("r", monday());
  connectHost();
  StandardScrollView* chartScroll = chart.ganttChart()->content()->scrollView();
  chart.outlineView()->verticalScrollBar()->setValue(300);
  settle();
  EXPECT_EQ(chartScroll->documentVisibleRect().top(), 300);
  chartScroll->scrollToPoint(QPointF(0, 120));
  settle();
  EXPECT_EQ(chart.outlineView()->verticalScrollBar()->value(), 120);
  EXPECT_EQ(chartScroll->documentVisibleRect().top(), 120);
}

// The outline as it comes, scrolled to its end in each way a user or host
// has: every row's label stays beside its bar, and the last row is whole
// on both sides, whether or not the timeline is wider than its pane.
TEST(OutlineRowsOnBars, StayAlignedAtTheEndOfEveryWayOfScrolling) {
  ScopedClock clock{makeDate(pinnedNow())};
  for (const bool wideTimeline : {false, true}) {
    SCOPED_TRACE(wideTimeline ? "a wide timeline" : "a narrow timeline");
    OutlineGanttChart chart;
    chart.resize(800, 400);
    chart.show();
    auto host = std::make_shared<OutlineHost>();
    for (int i = 0; i < 60; ++i) host->addRoot("r", monday());
    if (wideTimeline) {
      chart.ganttChartContentController()->setScrollableTimeline(
          TimeRange(monday(), monday().addingWeeks(52)));
    }
    chart.setDataSource(host);
    settle();
    QTreeView& tree = *chart.outlineView();
    StandardScrollView& area = *chart.ganttChart()->content()->scrollView();
    const int64_t last = chart.outlineModel()->numberOfRows() - 1;
    ASSERT_EQ(last, 59);

    const auto expectAligned = [&](const char* way) {
      SCOPED_TRACE(way);
      settle();
      (void)chart.ganttChartItemManager()->filteredItems();
      int shown = 0;
      for (int64_t row = 0; row <= last; ++row) {
        const QRect label = tree.visualRect(chart.outlineModel()->indexOfDisplayedRow(row));
        if (label.bottom() < 0 || label.top() >= tree.viewport()->height()) continue;
        const GanttChartItemPtr twin =
            OutlineHost::itemOf(host->roots[size_t(row)])->ganttChartItem();
        ASSERT_NE(twin, nullptr) << "row " << row;
        const QPointF bar =
            area.viewportPoint(toQtCentre(chart.ganttChartContentController()->bounds(twin)));
        const QPoint labelOnChart = tree.viewport()->mapTo(&chart, label.center());
        const QPoint barOnChart = area.viewport()->mapTo(&chart, bar.toPoint());
        EXPECT_NEAR(labelOnChart.y(), barOnChart.y(), 1) << "row " << row;
        ++shown;
      }
      EXPECT_GT(shown, 10);
      const QRect lastLabel = tree.visualRect(chart.outlineModel()->indexOfDisplayedRow(last));
      EXPECT_LE(lastLabel.bottom(), tree.viewport()->height() - 1) << "the last row is whole";
      EXPECT_EQ(tree.viewport()->height(), area.viewport()->height());
    };

    for (int notch = 0; notch < 40; ++notch) {
      QWheelEvent wheel(QPointF(20, 20), tree.viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                        QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(tree.viewport(), &wheel);
    }
    expectAligned("the wheel");

    tree.verticalScrollBar()->setValue(0);
    tree.setCurrentIndex(chart.outlineModel()->indexOfDisplayedRow(0));
    QTest::keyClick(&tree, Qt::Key_End);
    expectAligned("the End key");

    tree.verticalScrollBar()->setValue(0);
    chart.scrollRowToVisible(last);
    expectAligned("scrollRowToVisible");
  }
}

class RecordingScroller : public GanttChartContentScroller {
 public:
  void scrollTo(double /*startX*/, double /*finishX*/) override {}
  void scrollVerticallyTo(double startY, double finishY) override {
    spans.emplace_back(startY, finishY);
  }
  std::vector<std::pair<double, double>> spans;
};

TEST_F(OutlineChartTest, ScrollsARowIntoViewOnBothSides) {
  for (int i = 0; i < 6; ++i) host->addRoot("r", monday());
  connectHost();
  chart.ganttChartContentController()->setRowHeight(25);
  auto scroller = std::make_shared<RecordingScroller>();
  chart.ganttChartContentController()->setScroller(scroller);
  chart.scrollRowToVisible(3);
  ASSERT_EQ(scroller->spans.size(), 1u);
  EXPECT_EQ(scroller->spans[0], std::make_pair(75.0, 100.0));
  chart.scrollRowToVisible(6);
  chart.scrollRowToVisible(-1);
  EXPECT_EQ(scroller->spans.size(), 1u);
}

// --- Edits back to the host -----------------------------------------------------------

class OutlineEditTest : public OutlineChartTest {
 protected:
  void SetUp() override {
    OutlineChartTest::SetUp();
    parent = host->addRoot("parent", monday(), 4);
    OutlineHost::itemOf(parent)->setType(GanttChartItemType::summary);
    childA = host->addChild(parent, "child a", monday(), 1);
    childB = host->addChild(parent, "child b", monday().addingDays(2), 2);
    other = host->addRoot("other", monday());
    chart.setAreOutOfRowRangeItemsAvailable(true);
    connectHost();
    chart.outlineView()->expand(indexOfRow(0));
    settle();
  }

  OutlineGanttChartRowPtr parent, childA, childB, other;
};

TEST_F(OutlineEditTest, DraggedChildBarFlowsBackToTheHostAndMovesItsParent) {
  const auto& content = chart.ganttChartContentController();
  const auto twin = twinOf(childA);
  ASSERT_EQ(twin->row(), 1);
  const TimeRange before = OutlineHost::itemOf(childA)->time();
  const TimeRange parentBefore = OutlineHost::itemOf(parent)->time();
  QSignalSpy reloads(chart.outlineModel(), &QAbstractItemModel::dataChanged);

  const double dayWidth = content->x(monday().addingDays(1)) - content->x(monday());
  const Point grab((content->startX(twin) + content->finishX(twin)) / 2, content->middle(1));
  content->beginDragging(grab, false);
  content->continueDragging(Point(grab.x + dayWidth, grab.y));
  content->endDragging();

  const auto outlineItem = OutlineHost::itemOf(childA);
  EXPECT_EQ(outlineItem->time(), twin->time());
  EXPECT_EQ(outlineItem->start(), monday().addingDays(1));
  ASSERT_FALSE(host->toldOldTimes.empty());
  EXPECT_EQ(host->toldOldTimes.back(), before);

  // The data source hears of the child before the forwarded observer does.
  const auto source = std::find(host->log.begin(), host->log.end(), "source time child a");
  const auto observer = std::find(host->log.begin(), host->log.end(), "observer time child a");
  ASSERT_NE(source, host->log.end());
  ASSERT_NE(observer, host->log.end());
  EXPECT_LT(source, observer);

  // The summary spans its children again: it now starts a day later.
  EXPECT_EQ(OutlineHost::itemOf(parent)->start(), monday().addingDays(1));
  EXPECT_NE(OutlineHost::itemOf(parent)->time(), parentBefore);

  // The child's one row was reloaded, in every column.
  bool childRowReloaded = false;
  for (const auto& arguments : reloads) {
    const auto topLeft = arguments[0].value<QModelIndex>();
    const auto bottomRight = arguments[1].value<QModelIndex>();
    if (topLeft == indexOfRow(1)) {
      childRowReloaded = true;
      EXPECT_EQ(bottomRight.row(), topLeft.row());
    }
  }
  EXPECT_TRUE(childRowReloaded);
}

TEST_F(OutlineEditTest, RowChangeMovesTheItemBetweenOutlineRows) {
  const auto twin = twinOf(other);  // row 3
  chart.ganttChartItemManager()->updateRow(twin, 2);
  EXPECT_TRUE(other->chartItems().empty());
  ASSERT_EQ(childB->chartItems().size(), 2u);
  EXPECT_TRUE(other->hasChanged());
  EXPECT_EQ(host->log.front(), "source row other>child b");
  EXPECT_EQ(host->log.back(), "observer row 3");

  // A row beyond the displayed ones leaves the outline as it is.
  host->log.clear();
  const auto moved = childB->chartItems().back();
  chart.ganttChartItemManager()->updateRow(moved->ganttChartItem(), 40);
  EXPECT_EQ(childB->chartItems().size(), 2u);
  ASSERT_EQ(host->log.size(), 1u);
  EXPECT_EQ(host->log[0], "observer row 2");

  // So does an old row that is negative.
  host->log.clear();
  chart.rowDidChange(twinOf(childA), -5);
  EXPECT_EQ(childA->chartItems().size(), 1u);
  EXPECT_EQ(host->log, std::vector<std::string>{"observer row -5"});
}

TEST_F(OutlineEditTest, ChartObjectsWithoutAnOutlineObjectOnlyForward) {
  auto foreign = GanttChartItem::create({.label = "foreign", .row = 1});
  chart.timeDidChange(foreign, TimeRange());
  chart.rowDidChange(foreign, 0);
  EXPECT_EQ(host->log, (std::vector<std::string>{"observer time foreign", "observer row 0"}));
  EXPECT_EQ(childA->chartItems().size(), 1u);
}

TEST_F(OutlineEditTest, AddedAndRemovedItemsReachTheRowAndTheHost) {
  auto added = GanttChartItem::create({.label = "new", .row = 3, .start = monday()});
  chart.itemWasAdded(added);
  ASSERT_EQ(other->chartItems().size(), 2u);
  const auto outlineItem = other->chartItems().back();
  EXPECT_EQ(outlineGanttChartItemOf(*added), outlineItem);
  EXPECT_TRUE(outlineItem->hasChanged());
  EXPECT_EQ(host->log, (std::vector<std::string>{"source added other", "observer added"}));

  const auto twin = twinOf(childA);
  chart.itemWasRemoved(twin);
  EXPECT_TRUE(childA->chartItems().empty());
  EXPECT_EQ(outlineGanttChartItemOf(*twin), nullptr);
  EXPECT_EQ(host->log.back(), "source removed child a");
  // Put back by the host, the item leads the chart to its twin again.
  childA->setChartItems({OutlineHost::itemOf(other)});
  chart.reloadData();
  EXPECT_EQ(chart.ganttChartItem(OutlineHost::itemOf(other)), twinOf(other));
}

TEST_F(OutlineEditTest, DependencyEditsReachTheHost) {
  const auto& manager = chart.ganttChartItemManager();
  auto dependency = manager->addNewDependency(twinOf(childA), twinOf(childB),
                                              GanttChartDependencyType::fromStartToStart);
  ASSERT_EQ(host->dependencies.size(), 1u);
  const auto outlineDependency = host->dependencies[0];
  EXPECT_EQ(outlineDependency->from(), OutlineHost::itemOf(childA));
  EXPECT_EQ(outlineDependency->type(), GanttChartDependencyType::fromStartToStart);
  EXPECT_TRUE(outlineDependency->hasChanged());
  EXPECT_EQ(outlineGanttChartDependencyOf(*dependency), outlineDependency);
  chart.dependencyWasRemoved(dependency);
  EXPECT_TRUE(host->dependencies.empty());
  EXPECT_EQ(outlineGanttChartDependencyOf(*dependency), nullptr);
}

// A link added in the chart (as the user draws one) places its successor
// at once, before the host hears of the link, as the rules would place it
// at any later edit.
TEST_F(OutlineEditTest, ALinkAddedInTheChartPlacesItsSuccessorAtOnce) {
  chart.setIsAutoScheduling(true);
  ASSERT_LT(OutlineHost::itemOf(other)->start(), OutlineHost::itemOf(childB)->finish());
  chart.ganttChartItemManager()->addNewDependency(twinOf(childB), twinOf(other),
                                                  GanttChartDependencyType::fromFinishToStart);
  ASSERT_EQ(host->dependencies.size(), 1u);
  EXPECT_EQ(OutlineHost::itemOf(other)->start(), OutlineHost::itemOf(childB)->finish());
  EXPECT_EQ(twinOf(other)->start(), twinOf(childB)->finish());
  // The chart's answers carry the host's link once, as its twin.
  const auto links = chart.ganttChartItemManager()->availableDependencies();
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(outlineGanttChartDependencyOf(*links[0]), host->dependencies[0]);
}

// A link drawn in the chart that a rule removes at once leaves the chart's
// answers then, not only once the drawing is over.
TEST_F(OutlineEditTest, ALinkARuleRemovesWhileItIsDrawnLeavesTheAnswersAtOnce) {
  class RemovingRule : public GanttChartItemBehavior {
   public:
    std::weak_ptr<GanttChartItemManager> manager;
    std::optional<size_t> linksAfterRemoval;
    GanttChartItemUpdateActions dependencyWasAdded(
        const GanttChartDependencyPtr& dependency, const GanttChartItemList& /*items*/,
        const GanttChartDependencyList& /*dependencies*/,
        const std::shared_ptr<ScheduleDefinition>& /*schedule*/) override {
      const auto chartManager = manager.lock();
      chartManager->removeDependency(dependency);
      linksAfterRemoval = chartManager->availableDependencies().size();
      return {};
    }
  };
  const auto rule = std::make_shared<RemovingRule>();
  rule->manager = chart.ganttChartItemManager();
  chart.setBehavior(rule);
  chart.ganttChartItemManager()->addNewDependency(twinOf(childB), twinOf(other),
                                                  GanttChartDependencyType::fromFinishToStart);
  ASSERT_TRUE(rule->linksAfterRemoval.has_value());
  EXPECT_EQ(*rule->linksAfterRemoval, 0u);
}

TEST_F(OutlineEditTest, CompletionFlowsBackWithTheOutlinesOldValue) {
  const auto twin = twinOf(childB);
  OutlineHost::itemOf(childB)->setCompletion(0.1);
  chart.ganttChartItemManager()->updateCompletion(twin, twin->finish());
  EXPECT_EQ(OutlineHost::itemOf(childB)->completion(), twin->completion());
  EXPECT_EQ(OutlineHost::itemOf(childB)->completion(), 1);
  EXPECT_NE(std::find(host->log.begin(), host->log.end(), "source completion child b"),
            host->log.end());
}

TEST_F(OutlineEditTest, ZIndexChangesOnlyForward) {
  const auto twin = twinOf(other);
  chart.ganttChartItemManager()->updateZIndex(twin, 9);
  EXPECT_EQ(OutlineHost::itemOf(other)->zIndex(), 0);
  EXPECT_EQ(host->log, std::vector<std::string>{"observer z"});
}

// --- Schedule and behaviour ----------------------------------------------------------

TEST_F(OutlineChartTest, BehaviourSetIsHierarchyThenAutoSchedulingThenTheHosts) {
  auto own = std::make_shared<GanttChartItemBehaviorSet>();
  chart.setBehavior(own);
  chart.setIsAutoScheduling(true);
  auto set = std::dynamic_pointer_cast<GanttChartItemBehaviorSet>(
      chart.ganttChartItemManager()->behavior());
  ASSERT_EQ(set->behaviors().size(), 3u);
  EXPECT_EQ(set->behaviors()[0], chart.hierarchicalBehavior());
  EXPECT_EQ(set->behaviors()[1], chart.autoSchedulingBehavior());
  EXPECT_EQ(set->behaviors()[2], own);
  chart.setIsAutoScheduling(false);
  set = std::dynamic_pointer_cast<GanttChartItemBehaviorSet>(
      chart.ganttChartItemManager()->behavior());
  ASSERT_EQ(set->behaviors().size(), 2u);
  EXPECT_EQ(set->behaviors()[1], own);
  EXPECT_EQ(chart.autoSchedulingBehavior(), nullptr);
}

TEST_F(OutlineChartTest, ScheduleForPrefersTheItemsOwn) {
  auto item = GanttChartItem::create({});
  EXPECT_EQ(chart.scheduleFor(item), chart.schedule());
  std::shared_ptr<ScheduleDefinition> own = ScheduleDefinition::standard();
  item->setSchedule(own);
  EXPECT_EQ(chart.scheduleFor(item), own);
}

// --- Export and lifetime -------------------------------------------------------------

TEST_F(OutlineChartTest, ExportsAPngOfTheWholeView) {
  host->addRoot("r", monday());
  connectHost();
  const QByteArray png = chart.imageData();
  const QImage image = QImage::fromData(png, "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), chart.size() * chart.devicePixelRatio());
  EXPECT_EQ(chart.image().size(), image.size());
  EXPECT_TRUE(chart.imageData("no such format").isEmpty());
}

TEST(OutlineExport, ShowsBothSidesWithoutScrollBarsAndLeavesThemShown) {
  ScopedClock clock{makeDate(pinnedNow())};
  OutlineGanttChart chart;
  chart.resize(800, 400);
  chart.show();
  auto host = std::make_shared<OutlineHost>();
  for (int i = 0; i < 60; ++i) host->addRoot("r", monday());
  chart.setDataSource(host);
  settle();
  QTreeView& tree = *chart.outlineView();
  StandardScrollView& area = *chart.ganttChart()->content()->scrollView();
  chart.scrollRowToVisible(30);
  settle();
  ASSERT_TRUE(tree.horizontalScrollBar()->isVisible());
  ASSERT_TRUE(area.verticalScrollBar()->isVisible());
  const int offset = area.scrollOffset().y();

  // As a host that hides every bar sees it.
  tree.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area.setHasVerticalScroller(false);
  settle();
  const QImage bare = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
  tree.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  settle();

  EXPECT_EQ(chart.imageRepresentation().convertToFormat(QImage::Format_RGB32), bare);
  settle();
  EXPECT_TRUE(tree.horizontalScrollBar()->isVisible());
  EXPECT_TRUE(area.horizontalScrollBar()->isVisible());
  EXPECT_TRUE(area.verticalScrollBar()->isVisible());
  EXPECT_EQ(area.scrollOffset().y(), offset);
  EXPECT_EQ(tree.verticalScrollBar()->value(), offset);
}

TEST(OutlineLifetime, ChartDestroyedWhileTheHostKeepsItsRows) {
  ScopedClock clock{makeDate(pinnedNow())};
  auto host = std::make_shared<OutlineHost>();
  auto parent = host->addRoot("parent", monday(), 3);
  host->addChild(parent, "child", monday());
  GanttChartItemManagerPtr keptManager;
  {
    auto chart = std::make_unique<OutlineGanttChart>();
    chart->resize(600, 300);
    chart->show();
    chart->setAreOutOfRowRangeItemsAvailable(true);
    chart->setDataSource(host);
    chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(0));
    settle();
    keptManager = chart->ganttChartItemManager();
    ASSERT_EQ(keptManager->availableItems().size(), 2u);
  }
  // The manager outlives the chart: its provider, observer and hierarchy
  // now answer nothing.
  keptManager->collectionDidChange();
  EXPECT_EQ(keptManager->totalRowCount(), 0);
  keptManager->applyBehavior();
  EXPECT_EQ(parent->chartItems().size(), 1u);
  ASSERT_TRUE(OutlineHost::itemOf(parent)->ganttChartItem());
  EXPECT_EQ(outlineGanttChartItemOf(*OutlineHost::itemOf(parent)->ganttChartItem()),
            OutlineHost::itemOf(parent));
  settle();  // a load-more check posted before the chart went finds it gone
}

// --- Bad input ---------------------------------------------------------------------

class DriftingHost : public OutlineHost {
 public:
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& chart,
                                                  const OutlineGanttChartRowPtr& item) override {
    ++questions;
    if (reloadInside && questions == 2) chart.reloadData();
    // A count that grows at every question, and a child that is null.
    return OutlineHost::outlineGanttChartNumberOfChildrenOfItem(chart, item) +
           (item ? 0 : questions);
  }
  int questions = 0;
  bool reloadInside = false;
};

TEST_F(OutlineChartTest, SurvivesAHostThatDriftsReturnsNothingOrReloadsInside) {
  auto drifting = std::make_shared<DriftingHost>();
  drifting->addRoot("a", monday());
  drifting->reloadInside = true;
  chart.setDataSource(drifting);
  settle();
  const int64_t rows = chart.outlineModel()->numberOfRows();
  EXPECT_GE(rows, 2);
  EXPECT_EQ(chart.outlineModel()->item(0), drifting->roots[0]);
  EXPECT_EQ(chart.outlineModel()->item(1), nullptr);
  EXPECT_EQ(chart.outlineItems().size(), 1u);
  EXPECT_EQ(chart.ganttChartItemManager()->filteredItems().size(), 1u);
}

TEST_F(OutlineChartTest, SameItemOnTwoRowsIsShownOnTheLastRowAskedWithoutHarm) {
  auto first = host->addRoot("a", monday());
  auto second = host->addRoot("b", monday());
  second->setChartItems({OutlineHost::itemOf(first), OutlineHost::itemOf(first)});
  connectHost();
  EXPECT_FALSE(chart.ganttChartItemManager()->filteredItems().empty());
  chart.itemWasRemoved(twinOf(first));
  EXPECT_TRUE(first->chartItems().empty() || second->chartItems().empty());
}

TEST_F(OutlineChartTest, WithoutADataSourceEverythingIsEmpty) {
  EXPECT_EQ(chart.outlineModel()->numberOfRows(), 0);
  EXPECT_EQ(chart.totalRowCount(), 0);
  EXPECT_TRUE(chart.filteredDependencies(RowRange(0, 9), TimeRange()).empty());
  chart.loadMoreDataIfNeeded();
  EXPECT_EQ(chart.currentlyDisplayedRootItemCount(), 0);
}

TEST_F(OutlineChartTest, DesignTimeShowsTwoSampleRows) {
  chart.prepareForInterfaceBuilder();
  EXPECT_EQ(chart.outlineModel()->headerData(0, Qt::Horizontal).toString(), "Items");
  ASSERT_EQ(chart.outlineModel()->numberOfRows(), 2);
  EXPECT_EQ(chart.outlineModel()->item(1)->label(), "Item 2");
  EXPECT_EQ(chart.outlineModel()->item(0)->chartItems().size(), 2u);
  EXPECT_EQ(chart.outlineModel()->data(indexOfRow(0)).toString(), "Item");
}

}  // namespace
}  // namespace vorlent
