#pragma once

#include <QPointer>
#include <QWidget>

class QPaintEvent;
class QResizeEvent;

namespace vorlent {

class GanttChartHeader;

// The surface a header view draws on: the viewport of the view's scroll
// view, painting the visible part of the virtual header document. Each paint
// asks the main view to draw the exposed document rectangle, with the
// painter translated to document coordinates, clipped to that rectangle and
// antialiased; without a main view it paints only its background. It
// handles no mouse movement of its own (the view's pan recogniser watches
// it). GUI thread only.
class GanttChartHeaderCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit GanttChartHeaderCanvas(QWidget* parent = nullptr);

  // The view that draws here; held weakly.
  [[nodiscard]] GanttChartHeader* mainView() const { return mainView_.data(); }
  void setMainView(GanttChartHeader* view) { mainView_ = view; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The visible height is the header's height: a new size sizes the header
  // document again.
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointer<GanttChartHeader> mainView_;
};

}  // namespace vorlent
