#pragma once

#include <QPointer>
#include <QWidget>

namespace vorlent {

class GanttChartContent;

// The surface of the chart area: the viewport of its content view's scroll
// view, on which the whole diagram is drawn (y grows downwards, row 0 at the
// top). It paints nothing of its own: each paint pass, pointer move without
// buttons, entering, leaving and context-menu request goes to its main view
// in document coordinates. Pointer moves, entering and leaving are passed on
// only while the canvas's window is active. Mouse tracking is always on; the
// background is the palette's base colour.
// GUI thread only.
class GanttChartContentCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit GanttChartContentCanvas(QWidget* parent = nullptr);

  // The view the canvas works for; held weakly (nullptr once destroyed).
  [[nodiscard]] GanttChartContent* mainView() const { return mainView_.data(); }
  void setMainView(GanttChartContent* mainView) { mainView_ = mainView; }

  // A point of the canvas widget in document coordinates (the scroll offset
  // added while the canvas is a scroll view's viewport).
  [[nodiscard]] QPointF documentPoint(const QPointF& widgetPoint) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  [[nodiscard]] bool isInActiveWindow() const;

  QPointer<GanttChartContent> mainView_;
};

}  // namespace vorlent
