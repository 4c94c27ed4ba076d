#include <QApplication>
#include <QBackingStore>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "vorlent/base/clock.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_chart_testing.h"

namespace vorlent {
namespace {

using testing::OutlineHost;
using testing::pinnedNow;

Time monday() { return TimeRange::currentWeek().start.addingDays(1); }

void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// A host whose cells show the row's first bar: its label, its start and
// finish days, and whether it is done.
class DatedHost : public OutlineHost {
 public:
  QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& /*chart*/, int column,
                                           const OutlineGanttChartRowPtr& byItem) override {
    if (!byItem || byItem->chartItems().empty()) return {};
    const auto& item = byItem->chartItems().front();
    switch (column) {
      case 0:
        return QString::fromStdString(item->label().value_or(""));
      case 1:
        return QString::number(item->start().week * 7 + item->start().dayOfWeek);
      case 2:
        return QString::number(item->finish().week * 7 + item->finish().dayOfWeek);
      default:
        return item->completion() >= 1 ? QStringLiteral("done") : QString();
    }
  }
};

// What the tree's viewport shows in its window, and what a paint of all of
// it draws now.
QImage onScreen(QTreeView& tree) {
  QWidget* viewport = tree.viewport();
  const auto* store = dynamic_cast<QImage*>(viewport->backingStore()->paintDevice());
  if (store == nullptr) return {};
  const QRect area(viewport->mapTo(viewport->window(), QPoint()), viewport->size());
  return store->copy(area).convertToFormat(QImage::Format_RGB32);
}

QImage paintedAfresh(QTreeView& tree) {
  return tree.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The tree repaints only the cells whose text changed after a reload. Over
// random edits, host edits the chart is told of only after a rendering into
// an image, scrolling both ways, expanding, selecting, resizing and more
// renderings, its window must show what a paint of the whole tree shows.
TEST(OutlineTreeView, ShowsWhatAFreshPaintShowsAfterEveryStep) {
  ScopedClock clock{makeDate(pinnedNow())};
  for (uint64_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937_64 engine(seed);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); };
    OutlineGanttChart chart;
    chart.outlineModel()->setColumnTitles({"Task", "Start", "Finish", "Done"});
    chart.resize(700, 300);
    chart.show();
    auto host = std::make_shared<DatedHost>();
    std::vector<OutlineGanttChartRowPtr> rows;
    for (int r = 0; r < 8; ++r) {
      rows.push_back(host->addRoot(testing::numbered("r", r), monday().addingDays(below(3)), 2));
      for (int c = 0; c < 3; ++c) {
        rows.push_back(host->addChild(rows[size_t(r) * 4], testing::numbered("c", r * 3 + c),
                                      monday().addingDays(below(4)), 1 + below(2)));
      }
    }
    chart.setAreOutOfRowRangeItemsAvailable(true);
    chart.setDataSource(host);
    QTreeView& tree = *chart.outlineView();
    tree.expandAll();
    settle();
    ASSERT_FALSE(onScreen(tree).isNull());
    ASSERT_EQ(onScreen(tree), paintedAfresh(tree));

    for (int step = 0; step < 120; ++step) {
      SCOPED_TRACE(step);
      const auto& row = rows[size_t(below(int(rows.size())))];
      const auto& item = OutlineHost::itemOf(row);
      switch (below(9)) {
        case 0:
        case 1: {  // an edit in the chart, reloading the rows it moves
          const auto twin = item->ganttChartItem();
          if (twin) chart.ganttChartItemManager()->updateTime(twin, twin->start().addingDays(1));
          break;
        }
        case 2:  // a host's edit of its own, then rendered, then told of
          item->setTime(TimeRange(item->start().addingDays(below(3) - 1), item->finish()));
          if (below(2) == 0) (void)chart.grab();
          [[fallthrough]];
        case 3:  // the chart reloads a row as after a change of its bar
          if (const auto twin = item->ganttChartItem()) chart.timeDidChange(twin, twin->time());
          break;
        case 4:
          tree.verticalScrollBar()->setValue(below(tree.verticalScrollBar()->maximum() + 1));
          break;
        case 5:
          tree.horizontalScrollBar()->setValue(below(tree.horizontalScrollBar()->maximum() + 1));
          break;
        case 6: {
          const QModelIndex index = chart.outlineModel()->indexOfDisplayedRow(
              below(int(chart.outlineModel()->numberOfRows())));
          if (below(2) == 0) {
            tree.setExpanded(index, !tree.isExpanded(index));
          } else {
            tree.selectionModel()->select(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
          }
          break;
        }
        case 7:
          chart.resize(600 + below(200), 200 + below(200));
          break;
        default:  // a rendering that leaves the window as it is
          (void)chart.grab();
          break;
      }
      if (below(3) == 0) continue;  // several changes before the next frame
      settle();
      ASSERT_EQ(onScreen(tree), paintedAfresh(tree));
    }
  }
}

// A host whose second column shows how far the row's first bar is done, or
// "-" on a row without bars.
class DoneHost : public OutlineHost {
 public:
  QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& chart, int column,
                                           const OutlineGanttChartRowPtr& byItem) override {
    if (column == 0) return OutlineHost::outlineGanttChartObjectValueFor(chart, column, byItem);
    if (!byItem || byItem->chartItems().empty()) return QStringLiteral("-");
    return QString::number(std::lround(byItem->chartItems().front()->completion() * 100)) + "%";
  }
};

// The cells of every row whose bars the chart changes (a bar moved to
// another row, added or removed) show the row's values afterwards.
TEST(OutlineTreeView, ShowsTheValuesOfRowsWhoseBarsTheChartChanges) {
  ScopedClock clock{makeDate(pinnedNow())};
  OutlineGanttChart chart;
  chart.outlineModel()->setColumnTitles({"Task", "Done"});
  chart.resize(500, 300);
  chart.show();
  auto host = std::make_shared<DoneHost>();
  const auto started = host->addRoot("started", monday());
  OutlineHost::itemOf(started)->setCompletion(0.1);
  const auto empty = host->addRoot("empty", monday());
  empty->setChartItems({});
  chart.setAreOutOfRowRangeItemsAvailable(true);
  chart.setDataSource(host);
  QTreeView& tree = *chart.outlineView();
  settle();
  ASSERT_EQ(onScreen(tree), paintedAfresh(tree));
  const auto& manager = chart.ganttChartItemManager();

  const auto bar = OutlineHost::itemOf(started)->ganttChartItem();
  ASSERT_NE(bar, nullptr);
  manager->updateRow(bar, 1);
  settle();
  ASSERT_TRUE(started->chartItems().empty());
  EXPECT_EQ(onScreen(tree), paintedAfresh(tree)) << "moved to the empty row";

  manager->removeItem(bar);
  settle();
  ASSERT_TRUE(empty->chartItems().empty());
  EXPECT_EQ(onScreen(tree), paintedAfresh(tree)) << "removed";

  manager->addNewItem(0, monday(), false);
  settle();
  ASSERT_FALSE(started->chartItems().empty());
  EXPECT_EQ(onScreen(tree), paintedAfresh(tree)) << "added";
}

}  // namespace
}  // namespace vorlent
