#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/outline/outline_model.h"
#include "vorlent/outline/outline_row.h"

namespace vorlent {
namespace {

OutlineGanttChartRowPtr makeRow(const std::string& label) {
  return OutlineGanttChartRow::create(label, {}, std::nullopt, {});
}

// A tree held in maps, answering the outline view's questions.
class TreeSource : public OutlineViewDataSource {
 public:
  std::vector<OutlineGanttChartRowPtr> roots;
  std::map<const OutlineGanttChartRow*, std::vector<OutlineGanttChartRowPtr>> children;
  int childQuestions = 0;
  std::function<void()> duringCount;

  const std::vector<OutlineGanttChartRowPtr>& listOf(const OutlineGanttChartRowPtr& row) {
    if (!row) return roots;
    return children[row.get()];
  }
  OutlineGanttChartRowPtr outlineViewChild(int64_t index,
                                           const OutlineGanttChartRowPtr& ofItem) override {
    ++childQuestions;
    return listOf(ofItem).at(static_cast<size_t>(index));
  }
  bool outlineViewIsItemExpandable(const OutlineGanttChartRowPtr& item) override {
    return !listOf(item).empty();
  }
  int64_t outlineViewNumberOfChildrenOfItem(const OutlineGanttChartRowPtr& item) override {
    if (duringCount) duringCount();
    return int64_t(listOf(item).size());
  }
  QVariant outlineViewObjectValueFor(int column, const OutlineGanttChartRowPtr& item) override {
    return QString::fromStdString(item->label().value_or("")) + QString::number(column);
  }
  void outlineViewSetObjectValue(const QVariant& value, int /*column*/,
                                 const OutlineGanttChartRowPtr& item) override {
    item->setLabel(value.toString().toStdString());
  }
};

class OutlineModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i)
      source.roots.push_back(makeRow(std::string("r").append(std::to_string(i))));
    for (int i = 0; i < 2; ++i) {
      source.children[source.roots[0].get()].push_back(
          makeRow(std::string("c").append(std::to_string(i))));
    }
    model = std::make_unique<OutlineGanttChartModel>(&source);
    view.setModel(model.get());
    model->setView(&view);
  }
  void TearDown() override {
    view.setModel(nullptr);
    model.reset();
  }

  TreeSource source;
  QTreeView view;
  std::unique_ptr<OutlineGanttChartModel> model;
};

TEST_F(OutlineModelTest, DisplayedRowsFollowExpansion) {
  EXPECT_EQ(model->numberOfRows(), 3);
  EXPECT_EQ(model->row(source.roots[2]), 2);
  view.expand(model->indexOfDisplayedRow(0));
  EXPECT_EQ(model->numberOfRows(), 5);
  const auto& kids = source.children[source.roots[0].get()];
  EXPECT_EQ(model->item(1), kids[0]);
  EXPECT_EQ(model->row(source.roots[2]), 4);
  EXPECT_EQ(model->parent(kids[1]), source.roots[0]);
  EXPECT_EQ(model->parent(source.roots[1]), nullptr);
  EXPECT_EQ(model->numberOfChildren(source.roots[0]), 2);
  EXPECT_EQ(model->child(1, source.roots[0]), kids[1]);
  view.collapse(model->indexOfDisplayedRow(0));
  EXPECT_EQ(model->numberOfRows(), 3);
  EXPECT_EQ(model->row(kids[0]), -1);
  EXPECT_EQ(model->item(7), nullptr);
}

TEST_F(OutlineModelTest, SiblingsAreTheIndexesAtTheirRowAndColumn) {
  model->setColumnTitles({"Task", "Start", "Finish"});
  view.expand(model->indexOfDisplayedRow(0));
  const QModelIndex parent = model->index(0, 0);
  const QModelIndex child = model->index(1, 0, parent);
  EXPECT_EQ(child.siblingAtColumn(2), model->index(1, 2, parent));
  EXPECT_EQ(child.siblingAtColumn(2).data(), QVariant("c12"));
  EXPECT_EQ(child.sibling(0, 1), model->index(0, 1, parent));
  EXPECT_FALSE(child.siblingAtColumn(3).isValid());
  EXPECT_FALSE(child.sibling(2, 0).isValid());
}

TEST_F(OutlineModelTest, ReloadAppendsAPageWithoutCollapsingOrResetting) {
  view.expand(model->indexOfDisplayedRow(0));
  QSignalSpy resets(model.get(), &QAbstractItemModel::modelReset);
  QSignalSpy inserts(model.get(), &QAbstractItemModel::rowsInserted);
  source.roots.push_back(makeRow("r3"));
  model->reload();
  EXPECT_EQ(resets.count(), 0);
  EXPECT_EQ(inserts.count(), 1);
  EXPECT_TRUE(view.isExpanded(model->indexOfDisplayedRow(0)));
  EXPECT_EQ(model->numberOfRows(), 6);
  EXPECT_EQ(model->item(5), source.roots[3]);
}

TEST_F(OutlineModelTest, ReloadKeepsExpansionByIdentityWhenRowsMove) {
  view.expand(model->indexOfDisplayedRow(0));
  auto expandedRow = source.roots[0];
  std::swap(source.roots[0], source.roots[2]);
  model->reload();
  EXPECT_EQ(model->item(0), source.roots[0]);
  EXPECT_EQ(model->row(expandedRow), 2);
  EXPECT_TRUE(view.isExpanded(model->indexOfDisplayedRow(2)));
  EXPECT_EQ(model->numberOfRows(), 5);
  EXPECT_FALSE(view.isExpanded(model->indexOfDisplayedRow(0)));
}

TEST_F(OutlineModelTest, ShrinkingSourceDropsTheRowsItNoLongerHas) {
  source.roots.resize(1);
  model->reload();
  EXPECT_EQ(model->numberOfRows(), 1);
  EXPECT_EQ(model->rowCount(), 1);
}

TEST_F(OutlineModelTest, AsksForCountsAndChildrenOnlyWhenLoadingOrReloading) {
  EXPECT_EQ(model->rowCount(), 3);
  const int asked = source.childQuestions;
  source.roots.push_back(makeRow("late"));  // a count that drifts between calls
  EXPECT_EQ(model->rowCount(), 3);
  EXPECT_EQ(model->numberOfRows(), 3);
  EXPECT_EQ(source.childQuestions, asked);
}

TEST_F(OutlineModelTest, NullChildIsAnEmptyRowWithoutChildren) {
  source.roots[1] = nullptr;
  model->reload();
  EXPECT_EQ(model->numberOfRows(), 3);
  EXPECT_EQ(model->item(1), nullptr);
  const QModelIndex empty = model->indexOfDisplayedRow(1);
  EXPECT_FALSE(model->hasChildren(empty));
  EXPECT_EQ(model->rowCount(empty), 0);
  EXPECT_FALSE(model->data(empty).isValid());
}

TEST_F(OutlineModelTest, ReloadAskedWhileAnsweringRunsAfterwards) {
  int reloads = 0;
  source.duringCount = [&] {
    if (reloads++ == 0) model->reload();
  };
  model->reload();
  source.duringCount = nullptr;
  source.roots.push_back(makeRow("r3"));
  QCoreApplication::processEvents();
  EXPECT_EQ(model->numberOfRows(), 4);
}

TEST_F(OutlineModelTest, ValuesAndEditsGoThroughTheSource) {
  model->setColumnTitles({"Name", "Owner"});
  EXPECT_EQ(model->columnCount(), 2);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Owner");
  const QModelIndex cell = model->index(1, 1);
  EXPECT_EQ(model->data(cell).toString(), "r11");
  EXPECT_TRUE(model->setData(cell, "renamed"));
  EXPECT_EQ(source.roots[1]->label(), "renamed");
}

}  // namespace
}  // namespace vorlent
