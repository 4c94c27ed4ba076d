#include <QApplication>
#include <QImage>
#include <QProxyStyle>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

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

// The test's cells: drawn from the cache (one line, aligned any way, cut
// short or not, selected, current, disabled, written right to left, in a
// line that runs left to right) and
// left to Qt's style (several lines, no text).
void fill(QStandardItemModel& model) {
  model.setHorizontalHeaderLabels({"Task", "Start", "Notes"});
  model.appendRow({cell("Plan"), cell("4 Mar"), cell("Short")});
  model.appendRow({cell("Draft"), cell("11 Mar", Qt::AlignRight | Qt::AlignVCenter),
                   cell("A note far too long for its column, cut short with an ellipsis")});
  model.appendRow({cell("Review", Qt::AlignCenter), cell("", Qt::AlignLeft, false),
                   cell("Disabled", Qt::AlignLeft | Qt::AlignVCenter, false)});
  model.appendRow({cell("Two\nlines"), cell("top", Qt::AlignLeft | Qt::AlignTop),
                   cell("bottom", Qt::AlignRight | Qt::AlignBottom)});
  model.appendRow({cell("Hand over"), cell("1 Apr"), cell("\u05e9\u05dc\u05d5\u05dd")});
  model.appendRow({cell("Sign off", Qt::AlignCenter), cell("8 Apr", Qt::AlignRight | Qt::AlignVCenter),
                   cell("\u05e9\u05dc\u05d5\u05dd (2)!")});
}

void show(QTreeView& tree, QStandardItemModel& model) {
  tree.setAttribute(Qt::WA_DontShowOnScreen);
  tree.setModel(&model);
  tree.resize(360, 200);
  tree.setColumnWidth(0, 90);
  tree.setColumnWidth(1, 70);
  tree.show();
  tree.setCurrentIndex(model.index(1, 1));
  tree.selectionModel()->select(model.index(0, 0),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The tree's cells as `delegate` draws them.
QImage picture(QTreeView& tree, QAbstractItemDelegate* delegate) {
  tree.setItemDelegate(delegate);
  QApplication::processEvents();
  return tree.viewport()->grab().toImage();
}

// The outline's delegate draws the cells exactly as Qt's styled delegate
// does, and again so from its cache, cut short or not.
void expectDrawnAsByQt(QTreeView& tree) {
  OutlineGanttChartItemDelegate cached;
  DrawnByQtsStyle byQt;
  tree.setTextElideMode(Qt::ElideRight);
  const QImage expected = picture(tree, &byQt);
  EXPECT_EQ(picture(tree, &cached), expected);
  EXPECT_EQ(picture(tree, &cached), expected) << "drawn again from the cache";
  tree.setTextElideMode(Qt::ElideNone);
  EXPECT_EQ(picture(tree, &cached), picture(tree, &byQt)) << "not cut short";
  tree.setItemDelegate(nullptr);
}

TEST(OutlineItemDelegate, DrawsCellsExactlyAsQtsStyledDelegateDoes) {
  QStandardItemModel model;
  fill(model);
  QTreeView tree;
  show(tree, model);
  expectDrawnAsByQt(tree);
  for (const QString& name : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
    SCOPED_TRACE(name.toStdString());
    std::unique_ptr<QStyle> style(QStyleFactory::create(name));
    if (!style) continue;
    tree.setStyle(style.get());
    expectDrawnAsByQt(tree);
    tree.setStyle(nullptr);
  }
}

// A style sheet restyles the cells inside Qt's style, wherever it is set:
// the cells still look as Qt's styled delegate draws them.
TEST(OutlineItemDelegate, DrawsCellsUnderAStyleSheetAsQtsStyledDelegateDoes) {
  QStandardItemModel model;
  fill(model);
  QWidget window;
  QTreeView tree(&window);
  show(tree, model);
  const QString sheets[] = {
      "QTreeView::item { color: red; }",
      "QTreeView::item { padding-left: 12px; }",
      "QTreeView { font: italic 15px; } QTreeView::item { font: bold; }",
      "QTreeView::item:selected { color: yellow; background: navy; }",
      "QTreeView { selection-color: green; selection-background-color: white; }",
  };
  for (const QString& sheet : sheets) {
    SCOPED_TRACE(sheet.toStdString());
    tree.setStyleSheet(sheet);
    expectDrawnAsByQt(tree);
    tree.setStyleSheet({});
    window.setStyleSheet(sheet);
    expectDrawnAsByQt(tree);
    window.setStyleSheet({});
    qApp->setStyleSheet(sheet);
    expectDrawnAsByQt(tree);
    qApp->setStyleSheet({});
  }
}

// A style of the host's may draw a cell's text as it likes (here: the
// selected text in a colour of its own, as some native styles do).
TEST(OutlineItemDelegate, DrawsCellsUnderAnotherStyleAsItDoes) {
  class OwnSelectedText : public QProxyStyle {
   public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
      const auto* cell = qstyleoption_cast<const QStyleOptionViewItem*>(option);
      if (element != CE_ItemViewItem || cell == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
      }
      QStyleOptionViewItem own = *cell;
      own.palette.setColor(QPalette::HighlightedText, Qt::magenta);
      QProxyStyle::drawControl(element, &own, painter, widget);
    }
  };
  QStandardItemModel model;
  fill(model);
  QTreeView tree;
  show(tree, model);
  OwnSelectedText style(QStyleFactory::create(QStringLiteral("Fusion")));
  tree.setStyle(&style);
  expectDrawnAsByQt(tree);
  tree.setStyle(nullptr);
}

}  // namespace
}  // namespace vorlent
