#include <QApplication>
#include <QImage>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

#include "vorlent/outline/item_delegate.h"

namespace vorlent {
namespace {

// The outline's delegate drawing every cell the way Qt's styled delegate
// does, text included.
class DrawnByQtsStyle : public OutlineGanttChartItemDelegate {
 public:
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
  }
};

QStandardItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                    bool enabled = true) {
  auto* item = new QStandardItem(text);
  item->setTextAlignment(alignment);
  item->setEnabled(enabled);
  return item;
}

// Cells whose text the delegate draws from its cache (one line, aligned any
// way, cut short or not, selected, current, disabled, written right to
// left) and cells it leaves to Qt's style (several lines, no text) look
// exactly as Qt's styled delegate draws them, and stay so when drawn again
// from the cache.
TEST(OutlineItemDelegate, DrawsCellsExactlyAsQtsStyledDelegateDoes) {
  QStandardItemModel model;
  model.setHorizontalHeaderLabels({"Task", "Start", "Notes"});
  model.appendRow({cell("Plan"), cell("4 Mar"), cell("Short")});
  model.appendRow({cell("Draft"), cell("11 Mar", Qt::AlignRight | Qt::AlignVCenter),
                   cell("A note far too long for its column, cut short with an ellipsis")});
  model.appendRow({cell("Review", Qt::AlignCenter), cell("", Qt::AlignLeft, false),
                   cell("Disabled", Qt::AlignLeft | Qt::AlignVCenter, false)});
  model.appendRow({cell("Two\nlines"), cell("top", Qt::AlignLeft | Qt::AlignTop),
                   cell("bottom", Qt::AlignRight | Qt::AlignBottom)});
  model.appendRow({cell("Hand over"), cell("1 Apr"), cell("\u05e9\u05dc\u05d5\u05dd")});

  QTreeView tree;
  tree.setAttribute(Qt::WA_DontShowOnScreen);
  tree.setModel(&model);
  tree.resize(360, 200);
  tree.setColumnWidth(0, 90);
  tree.setColumnWidth(1, 70);
  tree.show();
  tree.setCurrentIndex(model.index(1, 1));
  tree.selectionModel()->select(model.index(0, 0),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);

  OutlineGanttChartItemDelegate cached;
  DrawnByQtsStyle byQt;
  const auto picture = [&](QAbstractItemDelegate* delegate) {
    tree.setItemDelegate(delegate);
    QApplication::processEvents();
    return tree.viewport()->grab().toImage();
  };
  const QImage expected = picture(&byQt);
  EXPECT_EQ(picture(&cached), expected);
  EXPECT_EQ(picture(&cached), expected) << "drawn again from the cache";
  tree.setTextElideMode(Qt::ElideNone);
  EXPECT_EQ(picture(&cached), picture(&byQt)) << "not cut short";
}

}  // namespace
}  // namespace vorlent
