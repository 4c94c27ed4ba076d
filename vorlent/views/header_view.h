#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_protocols.h"
#include "vorlent/views/image_export.h"

class QPainter;

namespace vorlent {

class DraggingPanGestureRecognizer;
class GanttChartHeaderCanvas;
class StandardScrollView;

// The widget of the time-scale header: a horizontally scrolling view whose
// virtual document is as wide as the whole header and exactly as high as the
// view, drawn by a GanttChartHeaderController. The view holds no header
// logic. It is its controller's presenter, scroller and observer; it keeps
// the document as wide as the header (the scroll view cuts an infinite
// header to the longest document it holds, which still scrolls), writes the
// visible rectangle into the controller after every scroll and resize,
// turns a horizontal drag into zooming, redraws on the controller's
// notifications and follows the palette's light or dark appearance.
//
// Made with its children (a content widget holding a StandardScrollView
// whose viewport is a GanttChartHeaderCanvas, and a pan recogniser on the
// canvas). The vertical scroller is off and the horizontal one shown as
// needed; both stay settable through `scrollView()`. A chart view hides
// both and keeps a blank corner as wide as the chart area's vertical
// scroller, so the two viewports stay equally wide. The header takes no
// keyboard focus: it follows the chart area, which does.
//
// The view owns its controller; the controller refers back weakly, and a
// view destroyed or detached clears the references that are still its own,
// so a controller that outlives its view never calls it. A notification may
// replace the controller or destroy the view, also from inside a zoom drag
// or a scroll: the widgets Qt is still inside then go, hidden, on a later
// turn (from the view's own resize, a host uses deleteLater(), as for any
// widget); the view then stops what it was doing. GUI thread only.
//
// Every drawing hook exists in two forms: the form on the library's values
// is what the controller calls; it converts its arguments (see
// conversions.h) and calls the form on Qt values, which takes the painter of
// the drawing pass first, draws, and is the one to override (add
// `using GanttChartHeader::drawCell;` and the like to a subclass, so the
// other form stays visible). Outside a drawing pass the library forms draw
// nothing.
class GanttChartHeader : public QWidget,
                         public GanttChartHeaderObserver,
                         public GanttChartHeaderScroller,
                         public GanttChartHeaderPresenter {
  Q_OBJECT

 public:
  explicit GanttChartHeader(QWidget* parent = nullptr);
  ~GanttChartHeader() override;
  GanttChartHeader(const GanttChartHeader&) = delete;
  GanttChartHeader& operator=(const GanttChartHeader&) = delete;

  // As high as the maximum height when one is set (a chart view sets its
  // rows' height so), else as its controller's rows (two without a
  // controller) in the widget's font, read when asked. The view grows no
  // taller than that and shrinks to nothing where its parent has less room.
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

  // --- Children ----------------------------------------------------------------
  [[nodiscard]] virtual StandardScrollView* scrollView() const;
  // The widget that shows the visible part of the document: in Qt the
  // scroll view's viewport, which is the canvas itself.
  [[nodiscard]] virtual QWidget* clipView() const;

  // --- Controller --------------------------------------------------------------
  [[nodiscard]] std::shared_ptr<GanttChartHeaderController> controller() const {
    return controller_;
  }
  // Detaches the current controller (its mode provider first, then its
  // observer, scroller and presenter; a zoom drag of this view under way on
  // it ends, and the rest of that drag reaches no controller), stores the
  // new one and attaches it: presenter, document size,
  // scroller, observer, a mode provider over this view's palette, then a
  // redraw. The header of a chart controller is shown where its chart area
  // stands: the view scrolls there before it writes its viewport, so taking
  // the controller (back) from another view moves no chart area. Assigning
  // the same controller attaches it afresh; nullptr leaves the view empty.
  // An assignment made by the controller's notifications meanwhile is the
  // one that stays.
  virtual void setController(std::shared_ptr<GanttChartHeaderController> controller);

  // --- GanttChartHeaderObserver --------------------------------------------------
  // Sizes the document again.
  void totalDiagramHeaderSizeDidChange() override;
  // These four redraw the visible part.
  void highlightedScheduleAreasDidChange() override;
  void cellsDidChange() override;
  void zoomDidChange() override;
  void settingsDidChange() override;

  // --- Drawing -----------------------------------------------------------------
  // Asks the controller to draw the part of the header inside `within`
  // (document coordinates) with `painter`; nothing without a controller.
  virtual void draw(QPainter& painter, const QRectF& within);
  // The painter of the drawing pass under way, or nullptr between passes.
  [[nodiscard]] QPainter* activePainter() const { return activePainter_; }

  // --- Drawing hooks (GanttChartHeaderPresenter) --------------------------------
  // Fills (0, 0, size).
  void drawBackground(const Color& color, const Size& size) override;
  virtual void drawBackground(QPainter& painter, const QColor& color, const QSizeF& size);
  // A line from p1 to p2; the rectangle is the header's, for overrides.
  void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  virtual void drawBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                          const QPointF& p2, double lineWidth, const QColor& color);
  // Fills the rectangle; the selector is for overrides.
  void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                    const Color& fillColor) override;
  virtual void drawTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                            const QRectF& rectangle, const QColor& fillColor);
  // Fills the rectangle; selector and row are for overrides.
  void drawCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                const Rectangle& rectangle, const Color& backgroundColor) override;
  virtual void drawCell(QPainter& painter, const TimeSelector& selector,
                        const GanttChartHeaderRow& row, const QRectF& rectangle,
                        const QColor& backgroundColor);
  // A line from p1 to p2; selector, row and rectangle are for overrides.
  void drawCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                      const Rectangle& rectangle, const Line& line, double lineWidth,
                      const Color& color) override;
  virtual void drawCellBorder(QPainter& painter, const TimeSelector& selector,
                              const GanttChartHeaderRow& row, const QRectF& rectangle,
                              const QPointF& p1, const QPointF& p2, double lineWidth,
                              const QColor& color);
  // The text, aligned horizontally by `alignment` and wrapped at word
  // boundaries (a word too long for a line anywhere), clipped to the
  // rectangle. Centred vertically it is drawn in a rectangle as high as the
  // text measures on one line, centred in the given one; at the top, in the
  // given rectangle. No ellipsis is added.
  void drawCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                     const Rectangle& rectangle, const std::string& text,
                     const Color& foregroundColor, TextAlignment alignment, const Font& font,
                     VerticalTextAlignment verticalAlignment) override;
  virtual void drawCellLabel(QPainter& painter, const TimeSelector& selector,
                             const GanttChartHeaderRow& row, const QRectF& rectangle,
                             const QString& text, const QColor& foregroundColor,
                             Qt::Alignment alignment, const QFont& font,
                             VerticalTextAlignment verticalAlignment);

  // --- GanttChartHeaderScroller --------------------------------------------------
  // Scrolls as little as shows startX...finishX (a span wider than the view
  // from its start), keeping the vertical position, then writes the visible
  // rectangle into the controller at once. Non-finite values scroll nothing,
  // and nothing scrolls without a controller.
  void scrollTo(double startX, double finishX) override;

  // --- Blank corner ----------------------------------------------------------------
  // Pixels kept blank beside the header's viewport, on the side of the chart
  // area's vertical scroll bar (the right, or the left right to left), in
  // the colour of `blankCornerColor()`. A chart keeps it as wide as its
  // chart area's vertical scroll bar (0 while that bar is hidden), so that
  // both show equally wide viewports and nothing scrolls beside the header.
  // 0, the default, keeps none; a negative width counts as 0.
  virtual void setBlankCornerWidth(int width);
  [[nodiscard]] int blankCornerWidth() const;
  // The header's background colour from its controller's style, else the
  // window colour the canvas shows beyond the header.
  [[nodiscard]] virtual QColor blankCornerColor() const;

  // --- Image export ----------------------------------------------------------------
  // Each captures the view as it shows now, at its size (times the device
  // pixel ratio). An empty view gives a null image and empty data.
  [[nodiscard]] virtual QImage imageRepresentation();
  [[nodiscard]] virtual QPixmap image();
  // PNG.
  [[nodiscard]] virtual QByteArray imageData();
  // In a format Qt's image writers know ("png", "jpeg", "bmp", …); an
  // unknown one gives empty data.
  [[nodiscard]] virtual QByteArray imageData(const QByteArray& format,
                                             const ImageProperties& properties = {});

  // Shows a sample for designing a window: five weeks of days from the
  // library's reference time, labelled with short weekday names.
  virtual void prepareForInterfaceBuilder();

 protected:
  // For subclasses that build their own structure: nothing is built until
  // the subclass's constructor calls `setUp()`.
  struct DeferredSetUp {};
  GanttChartHeader(QWidget* parent, DeferredSetUp);
  // Runs `setUpHeaderView()` and checks that it supplied the content view,
  // the scroll view, the canvas and the pan recogniser; a missing one is a
  // fatal stop.
  void setUp();
  // Builds the content view holding the scroll view, whose viewport is the
  // canvas, without a vertical scroller; the pan recogniser on the canvas;
  // and the connections of live scrolling and of the pan.
  virtual void setUpHeaderView();

  [[nodiscard]] QWidget* contentView() const { return contentView_.data(); }
  [[nodiscard]] GanttChartHeaderCanvas* canvas() const;

  // Before a new controller is stored: ends a zoom drag of this view in the
  // old one and clears its mode provider, observer, scroller and presenter,
  // each only while it is this view's (a host may have given the controller
  // to another view since).
  virtual void headerControllerWillChange();
  // After: attaches the new controller (presenter, document size, scroller,
  // observer, mode provider and style) and redraws. A chart's header is
  // brought to its chart area's visible timeline once the view is its
  // scroller; only then is the viewport written.
  virtual void headerControllerDidChange();

  // Makes the document as wide as the controller's header (a NaN width
  // counts as 0) and as high as the visible area, then writes the viewport.
  // Runs whenever the visible area (the canvas) changes size.
  virtual void updateHeaderCanvasSize();
  // Writes the visible rectangle into the controller: beside a header
  // narrower than the view, from x 0 as wide as the header. Nothing while
  // another view shows the controller.
  virtual void updateHeaderViewport();

  // Zooms the controller as the pan goes: begins, continues and ends its
  // zoom drag, or cancels it.
  virtual void panWithRecognizer(DraggingPanGestureRecognizer& recognizer);

  // The outlets, connected by `setUpHeaderView()`; the canvas's main view
  // must be this view.
  QPointer<QWidget> contentView_;
  QPointer<StandardScrollView> scrollView_;
  QPointer<GanttChartHeaderCanvas> canvas_;
  QPointer<DraggingPanGestureRecognizer> pan_;

  // A palette change re-resolves the controller's theme for light or dark.
  void changeEvent(QEvent* event) override;

 private:
  friend class GanttChartHeaderCanvas;

  static constexpr int kPreferredWidth = 400;

  [[nodiscard]] bool isPanning() const;
  // Clears what this view put into its controller, leaving references that
  // others have put there since.
  void releaseController();
  // Whether a host has given this view's controller to another header view
  // (which made itself its presenter): this view then writes nothing into
  // it.
  [[nodiscard]] bool controllerIsShownElsewhere() const;
  void redraw();

  std::shared_ptr<GanttChartHeaderController> controller_;
  // This view as the controller's weak presenter, scroller and observer: a
  // reference that does not own, reset when the view goes so that those
  // weak references expire with it.
  std::shared_ptr<GanttChartHeader> self_;
  std::shared_ptr<const ModeProvider> modeProvider_;
  // Calls the canvas's, the recogniser's and the scroll view's events make
  // into this view (see `detail::CountedCall`).
  std::shared_ptr<int> eventCalls_ = std::make_shared<int>(0);
  QPainter* activePainter_ = nullptr;
  // True while the view attaches a chart's header controller and has not
  // yet been brought to where the chart area stands: its own place is not
  // written into the controller meanwhile.
  bool holdsViewport_ = false;
  // The header width the document was last made for.
  double canvasSizedForWidth_ = 0;
  // Counts assignments, so that one made from inside another is noticed.
  std::uint64_t controllerAssignments_ = 0;
  // Whether the pan under way began on the current controller. The rest of
  // a pan never reaches a controller attached meanwhile, which may still
  // hold the drag state of an earlier, cancelled pan.
  bool panZoomsController_ = false;
};

}  // namespace vorlent
