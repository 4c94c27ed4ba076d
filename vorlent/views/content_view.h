#pragma once

#include <QAction>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/views/click_gesture_recognizer.h"
#include "vorlent/views/content_canvas.h"
#include "vorlent/views/gesture_recognizer.h"
#include "vorlent/views/image_export.h"
#include "vorlent/views/pan_gesture_recognizer.h"
#include "vorlent/views/standard_scroll_view.h"
#include "vorlent/views/text_line_cache.h"

class QPainter;

namespace vorlent {

// The chart area as a Qt widget: a scroll view whose canvas shows a
// `GanttChartContentController`. The view holds no chart logic. It attaches
// itself to its controller as presenter, scroller and observer, keeps the
// scrolled document as large as the diagram, writes the visible rectangle
// back into the controller after every scroll (the user's, its own or a
// host's through the scroll bars), redraws on the controller's
// notifications, feeds it the mouse (clicks, drags, pointer moves, context
// menus), shows its cursors and tool tips, paints what it asks for, and
// exports what it shows as an image.
//
// Drawing. Every drawing requirement of the presenter has a hook in two
// forms: the form on the library's values, which the controller reaches,
// converts its arguments and calls the form on Qt values with the painter
// of the paint pass under way (outside one it does nothing); the Qt form
// draws, and is what a subclass overrides to change the look. The Qt forms
// cut their geometry to what the painter can reach, so huge or non-finite
// values from an override or a controller never reach the raster engine.
//
// Lifetime. The view owns its controller; the controller refers back only
// weakly. A view that is destroyed, or given another controller, first
// clears the controller's references to it and ends a drag under way, so a
// controller that outlives its view never calls into it. Every entry point
// that calls the controller keeps the controller alive for the call and
// touches nothing of the view once a host has destroyed it meanwhile.
// Notifications (observers, activators, editors) mostly run inside Qt's
// handling of one of the view's events (a click, a drag step, a pointer
// move, a wheel turn, a key, a resize or layout of the scroll view), and Qt
// itself goes on with that event after the handler returns: a view destroyed
// during one of those leaves its scroll view and canvas, hidden, to be
// deleted on a later turn, so a plain delete is safe there, as from a
// context-menu command and from code that runs outside the view's events (a
// timer, the host's own calls). From a resize of the view itself a host uses
// `deleteLater()`, as with any Qt widget.
//
// GUI thread only. Making a view installs the Qt run loop for the
// application (see `QtRunLoop::installForApplication`).
class GanttChartContent : public QWidget,
                          public GanttChartContentObserver,
                          public GanttChartContentScroller,
                          public GanttChartContentPresenter {
  Q_OBJECT

 public:
  // Builds the view's widgets, recognisers and menus (`setUpContentView`).
  explicit GanttChartContent(QWidget* parent = nullptr);
  ~GanttChartContent() override;
  GanttChartContent(const GanttChartContent&) = delete;
  GanttChartContent& operator=(const GanttChartContent&) = delete;

  // ===========================================================================
  // Structure
  // ===========================================================================

  // The child that fills the view and holds the scroll view.
  [[nodiscard]] QWidget* contentView() const { return contentView_.data(); }
  [[nodiscard]] StandardScrollView* scrollView() const { return scrollView_.data(); }
  // The widget through which the document is seen: the scroll view's
  // viewport, which here is the canvas itself (the document is virtual; its
  // visible part is `scrollView()->documentVisibleRect()`).
  [[nodiscard]] QWidget* clipView() const;
  [[nodiscard]] GanttChartContentCanvas* canvas() const { return canvas_.data(); }
  // The click that activates an element; it counts the clicks the
  // controller's settings require (one unless they say otherwise), read
  // each time a controller is assigned.
  [[nodiscard]] ClickGestureRecognizer* activatingClickGestureRecognizer() const {
    return activatingClickGestureRecognizer_.data();
  }
  // The context menus, with their commands.
  [[nodiscard]] QMenu* emptyAreaMenu() const { return emptyAreaMenu_.data(); }
  [[nodiscard]] QAction* createItemMenuItem() const { return createItemMenuItem_.data(); }
  [[nodiscard]] QAction* createMilestoneItemMenuItem() const {
    return createMilestoneItemMenuItem_.data();
  }
  [[nodiscard]] QMenu* itemMenu() const { return itemMenu_.data(); }
  [[nodiscard]] QAction* editItemMenuItem() const { return editItemMenuItem_.data(); }
  [[nodiscard]] QAction* deleteItemMenuItem() const { return deleteItemMenuItem_.data(); }
  [[nodiscard]] QMenu* dependencyMenu() const { return dependencyMenu_.data(); }
  [[nodiscard]] QAction* editDependencyMenuItem() const { return editDependencyMenuItem_.data(); }
  [[nodiscard]] QAction* deleteDependencyMenuItem() const {
    return deleteDependencyMenuItem_.data();
  }

  // Whether `recognizer` may recognise together with `other`: always. The
  // view's recognisers all see every press anyway; this answers for hosts
  // that combine recognisers of their own.
  virtual bool gestureRecognizer(GestureRecognizer* recognizer, GestureRecognizer* other);

  // ===========================================================================
  // The controller
  // ===========================================================================

  [[nodiscard]] const GanttChartContentControllerPtr& controller() const { return controller_; }
  // Detaches the old controller (`controllerWillChange`), stores the new one
  // and attaches it (`controllerDidChange`), also when it is the same one
  // (which re-reads, for one, the clicks required to activate). Null leaves
  // the view empty.
  virtual void setController(GanttChartContentControllerPtr controller);

  // --- What the controller tells (observer) ---------------------------------
  // Resizes the document.
  void totalDiagramSizeDidChange() override;
  // Redraw, then re-evaluate the cursor and tool tip at the resting pointer.
  void visibleBarsDidChange() override;
  void visibleDependencyLinesDidChange() override;
  // Redraw.
  void highlightedScheduleAreasDidChange() override;
  void highlightedIntervalAreasDidChange() override;
  void dependencyLineThumbAreaDidChange() override;
  void temporaryDependencyLineDidChange() override;
  void temporaryBarDidChange() override;
  void settingsDidChange() override;

  // ===========================================================================
  // Drawing
  // ===========================================================================

  // Draws the document rectangle `within` through the controller with
  // `painter`, which the canvas has translated into document coordinates.
  // Nothing without a controller.
  virtual void draw(QPainter& painter, const QRectF& within);
  // The painter of the drawing pass under way, or nullptr between passes.
  [[nodiscard]] QPainter* activePainter() const { return currentPainter_; }

  // The presenter's requirements, each in the library form (converting and
  // calling the Qt form with the current paint pass's painter) and the Qt
  // form (drawing; override these to change the look).

  // Fills (0, 0, size).
  void drawBackground(const Color& color, const Size& size) override;
  virtual void drawBackground(QPainter& painter, const QColor& color, const QSizeF& size);
  // A line from p1 to p2; the rectangle is the diagram's, for overrides.
  void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  virtual void drawBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                          const QPointF& p2, double lineWidth, const QColor& color);
  // Fills the row's rectangle.
  void drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) override;
  virtual void drawBackground(QPainter& painter, int64_t row, const QRectF& rectangle,
                              const QColor& color);
  // A line from p1 to p2 of a row.
  void drawBorder(int64_t row, const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  virtual void drawBorder(QPainter& painter, int64_t row, const QRectF& rectangle,
                          const QPointF& p1, const QPointF& p2, double lineWidth,
                          const QColor& color);

  // Hands the bar back to the controller's standard drawing.
  void draw(const GanttChartBar& bar) override;
  // A rounded bar filled with a vertical gradient (secondary colour at the
  // top), outlined in the state colour when selected, focused or
  // highlighted (in that priority), with a dashed line under it while
  // focused and movable between rows.
  void drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
               const Color& secondaryFillColor, const std::optional<Color>& strokeColor,
               double strokeWidth, double cornerRadius, bool isHighlighted, bool isFocused,
               bool isSelected, const Color& highlightColor, const Color& focusColor,
               const Color& selectionColor, double highlightWidth, double focusWidth,
               double selectionWidth, bool allowsMoving, bool allowsResizing,
               bool allowsResizingAtStart, bool allowsMovingVertically,
               double thumbDistance) override;
  virtual void drawBar(QPainter& painter, const GanttChartItemPtr& item, const QRectF& rectangle,
                       const QColor& fillColor, const QColor& secondaryFillColor,
                       const std::optional<QColor>& strokeColor, double strokeWidth,
                       double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
                       const QColor& highlightColor, const QColor& focusColor,
                       const QColor& selectionColor, double highlightWidth, double focusWidth,
                       double selectionWidth, bool allowsMoving, bool allowsResizing,
                       bool allowsResizingAtStart, bool allowsMovingVertically,
                       double thumbDistance);
  // A bracket: a bar whose bottom edge is raised by `triangleInset` between
  // two slanted tips (cut at the opposite edge when they would cross it),
  // with a base line in the fill colour while collapsed.
  void drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                      const Color& fillColor, const Color& secondaryFillColor,
                      const std::optional<Color>& strokeColor, double strokeWidth,
                      double triangleInset, double triangleScale, bool isExpanded,
                      bool isHighlighted, bool isFocused, bool isSelected,
                      const Color& highlightColor, const Color& focusColor,
                      const Color& selectionColor, double highlightWidth, double focusWidth,
                      double selectionWidth, bool allowsMoving, bool allowsResizing,
                      bool allowsResizingAtStart, bool allowsMovingVertically,
                      double thumbDistance) override;
  virtual void drawSummaryBar(QPainter& painter, const GanttChartItemPtr& item,
                              const QRectF& rectangle, const QColor& fillColor,
                              const QColor& secondaryFillColor,
                              const std::optional<QColor>& strokeColor, double strokeWidth,
                              double triangleInset, double triangleScale, bool isExpanded,
                              bool isHighlighted, bool isFocused, bool isSelected,
                              const QColor& highlightColor, const QColor& focusColor,
                              const QColor& selectionColor, double highlightWidth,
                              double focusWidth, double selectionWidth, bool allowsMoving,
                              bool allowsResizing, bool allowsResizingAtStart,
                              bool allowsMovingVertically, double thumbDistance);
  // A diamond touching the middles of the rectangle's sides.
  void drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                     const Color& fillColor, const Color& secondaryFillColor,
                     const std::optional<Color>& strokeColor, double strokeWidth,
                     bool isHighlighted, bool isFocused, bool isSelected,
                     const Color& highlightColor, const Color& focusColor,
                     const Color& selectionColor, double highlightWidth, double focusWidth,
                     double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                     double thumbDistance) override;
  virtual void drawMilestone(QPainter& painter, const GanttChartItemPtr& item,
                             const QRectF& rectangle, const QColor& fillColor,
                             const QColor& secondaryFillColor,
                             const std::optional<QColor>& strokeColor, double strokeWidth,
                             bool isHighlighted, bool isFocused, bool isSelected,
                             const QColor& highlightColor, const QColor& focusColor,
                             const QColor& selectionColor, double highlightWidth, double focusWidth,
                             double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                             double thumbDistance);
  // A rounded bar with the gradient; nothing when it has no width.
  void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                         const Color& fillColor, const Color& secondaryFillColor,
                         const std::optional<Color>& strokeColor, double strokeWidth,
                         double cornerRadius, bool allowsResizing, double thumbDistance) override;
  virtual void drawCompletionBar(QPainter& painter, const GanttChartItemPtr& item,
                                 const QRectF& rectangle, const QColor& fillColor,
                                 const QColor& secondaryFillColor,
                                 const std::optional<QColor>& strokeColor, double strokeWidth,
                                 double cornerRadius, bool allowsResizing, double thumbDistance);
  // One line, centred vertically, cut short with an ellipsis when too wide.
  void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                    const std::string& text, const Color& foregroundColor, TextAlignment alignment,
                    const Font& font) override;
  virtual void drawBarLabel(QPainter& painter, const GanttChartItemPtr& item,
                            const QRectF& rectangle, const QString& text,
                            const QColor& foregroundColor, Qt::Alignment alignment,
                            const QFont& font);
  // One line, left aligned, centred vertically, cut short with an ellipsis.
  void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                           const std::string& text, const Color& foregroundColor,
                           const Font& font) override;
  virtual void drawAttachmentLabel(QPainter& painter, const GanttChartItemPtr& item,
                                   const QRectF& rectangle, const QString& text,
                                   const QColor& foregroundColor, const QFont& font);

  // Hands the line back to the controller's standard drawing.
  void draw(const GanttChartDependencyLine& dependencyLine) override;
  // The polyline, solid, at `width` plus the width of its state (selected,
  // focused, highlighted, in that priority), with an arrow head at its end.
  void drawDependencyLine(const GanttChartDependencyPtr& dependency,
                          const std::vector<Point>& polyline, const Color& color, double width,
                          double arrowWidth, double arrowLength, bool isHighlighted, bool isFocused,
                          bool isSelected, double highlightWidth, double focusWidth,
                          double selectionWidth) override;
  virtual void drawDependencyLine(QPainter& painter, const GanttChartDependencyPtr& dependency,
                                  const QPolygonF& polyline, const QColor& color, double width,
                                  double arrowWidth, double arrowLength, bool isHighlighted,
                                  bool isFocused, bool isSelected, double highlightWidth,
                                  double focusWidth, double selectionWidth);
  // A filled half disc outside the bar's edge (three quarters of a disc for
  // a milestone): right of the centre for a finish thumb, left for a start
  // thumb.
  void drawDependencyLineThumb(const GanttChartItemPtr& item, GanttChartDependencyEndType type,
                               const Point& center, double radius, const Color& color) override;
  virtual void drawDependencyLineThumb(QPainter& painter, const GanttChartItemPtr& item,
                                       GanttChartDependencyEndType type, const QPointF& center,
                                       double radius, const QColor& color);
  // The polyline dashed by `dashWidth` (solid when it is not positive), with
  // its arrow head.
  void drawTemporaryDependencyLine(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                                   GanttChartDependencyType type,
                                   const std::vector<Point>& polyline, const Color& color,
                                   double width, double arrowWidth, double arrowLength,
                                   double dashWidth) override;
  virtual void drawTemporaryDependencyLine(QPainter& painter, const GanttChartItemPtr& from,
                                           const GanttChartItemPtr& to,
                                           GanttChartDependencyType type, const QPolygonF& polyline,
                                           const QColor& color, double width, double arrowWidth,
                                           double arrowLength, double dashWidth);
  // A dashed rounded outline, not filled.
  void drawTemporaryBar(const Rectangle& rectangle, const Color& color, double cornerRadius,
                        double dashWidth) override;
  virtual void drawTemporaryBar(QPainter& painter, const QRectF& rectangle, const QColor& color,
                                double cornerRadius, double dashWidth);

  // Fill the area (in the painter's composition mode).
  void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                    const Color& fillColor) override;
  virtual void drawTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                            const QRectF& rectangle, const QColor& fillColor);
  void drawTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                    const Color& backgroundColor) override;
  virtual void drawTimeArea(QPainter& painter, const TimeSelector& selector,
                            const QRectF& rectangle, const QColor& backgroundColor);
  // A line from p1 to p2.
  void drawTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                          const Line& line, double lineWidth, const Color& color) override;
  virtual void drawTimeAreaBorder(QPainter& painter, const TimeSelector& selector,
                                  const QRectF& rectangle, const QPointF& p1, const QPointF& p2,
                                  double lineWidth, const QColor& color);
  // One line, clipped to the rectangle, at its top or centred vertically.
  void drawTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                         const std::string& text, const Color& foregroundColor,
                         TextAlignment alignment, const Font& font,
                         VerticalTextAlignment verticalAlignment) override;
  virtual void drawTimeAreaLabel(QPainter& painter, const TimeSelector& selector,
                                 const QRectF& rectangle, const QString& text,
                                 const QColor& foregroundColor, Qt::Alignment alignment,
                                 const QFont& font, VerticalTextAlignment verticalAlignment);

  // ===========================================================================
  // Pointer, cursors and tool tips
  // ===========================================================================

  // The pointer moved without buttons to `point` (document coordinates):
  // focus what is under it, offer the link thumb, follow with cursor and
  // tool tip.
  virtual void mouseMoved(const QPointF& point);
  // The pointer entered (left) the canvas: nothing stays focused. While one
  // of the view's context menus is open, and until the command chosen in it
  // has run, the crossings that the menu itself causes are held back, so the
  // command finds the element the menu was opened for; when the pointer is
  // outside once the menu is done, the exit happens then.
  virtual void mouseEntered();
  virtual void mouseExited();
  // The last pointer position relative to the controller's viewport origin,
  // so a resting pointer is re-evaluated at its new place after a scroll;
  // std::nullopt while the pointer is outside.
  [[nodiscard]] const std::optional<Point>& mouseLocationInView() const {
    return mouseLocationInView_;
  }

  // The item's (dependency's) details.
  std::optional<std::string> toolTip(const GanttChartItemPtr& item) override;
  std::optional<std::string> toolTip(const GanttChartDependencyPtr& dependency) override;
  using QWidget::toolTip;

  // ===========================================================================
  // Data and scrolling
  // ===========================================================================

  // Makes the controller's item manager read all its items and dependencies
  // again. Nothing without a controller.
  virtual void reloadData();
  // Scroll as little as shows the span, keeping the other axis, then tell
  // the controller the new viewport (never shifting its timeline).
  void scrollTo(double startX, double finishX) override;
  void scrollVerticallyTo(double startY, double finishY) override;

  // ===========================================================================
  // Image export
  // ===========================================================================

  // What the view shows now (the visible part of the chart) at its size,
  // captured afresh on each call; null for a view without area.
  [[nodiscard]] virtual QImage imageRepresentation();
  [[nodiscard]] virtual QPixmap image();
  // The capture as PNG; empty for a view without area.
  [[nodiscard]] virtual QByteArray imageData();
  // The capture in `format` (a format name Qt's image writers know); empty
  // for a view without area or a format no writer knows.
  [[nodiscard]] virtual QByteArray imageData(const QByteArray& format,
                                             const ImageProperties& properties = {});

  // ===========================================================================
  // Context menus
  // ===========================================================================

  // The menu for a secondary click at `point` (document coordinates), with
  // its titles and visible commands set afresh from the controller's
  // settings and permissions; nullptr when nothing should open. Focuses the
  // element under the point (and over empty space shows the bar that
  // "Create item" would make).
  [[nodiscard]] virtual QMenu* menu(const QPointF& point);
  // The commands; each acts on the focused element when it is of the
  // expected kind, and does nothing otherwise.
  virtual void createItem();
  virtual void createMilestoneItem();
  virtual void editItem();
  virtual void deleteItem();
  virtual void editDependency();
  virtual void deleteDependency();

  // ===========================================================================
  // Design time
  // ===========================================================================

  // Shows a small sample chart (three items over two rows, two
  // dependencies, on a five-week timeline from Sunday 31 December 2000)
  // under a controller made afresh on each call, for previews and demos.
  virtual void prepareForInterfaceBuilder();

 protected:
  // For subclasses that build their own structure: nothing is built until
  // the subclass's constructor calls `setUp()`.
  struct DeferredSetUp {};
  GanttChartContent(QWidget* parent, DeferredSetUp);
  // Runs `setUpContentView()` and checks that it supplied the required
  // outlets (content view, scroll view, canvas, activating click
  // recogniser); a missing one is a fatal stop.
  void setUp();
  // Builds the content view with the scroll view and its canvas, the three
  // recognisers, the menus with their commands, and the connection that
  // writes every change of the visible rectangle into the controller.
  virtual void setUpContentView();

  // Before a new controller is stored: clears the old one's observer,
  // scroller, presenter and mode provider, ends a drag under way in it, and
  // lets it resolve its style in its own mode again. A controller that a
  // host has meanwhile given to another view is left to that view: only
  // what does not refer to the other view is cleared.
  virtual void controllerWillChange();
  // After: attaches the new controller (presenter, its item manager's
  // collection notifications when another controller has taken them,
  // document size, scroller, observer, clicks required to activate, mode
  // provider and style) and redraws.
  virtual void controllerDidChange();

  // The document as large as the diagram, and at least as high as the
  // visible area; then the viewport.
  virtual void updateCanvasSize();
  // Writes the visible part of the document into the controller's viewport;
  // with `shiftingTimeline`, a viewport moved horizontally lets the
  // controller shift its scrollable timeline. Nothing while another view
  // shows the controller.
  virtual void updateViewport(bool shiftingTimeline);
  // Sets the cursor and tool tip for `point` (document coordinates; absent:
  // the last pointer position at the current scroll) and remembers the
  // position.
  virtual void updateMouseLocation(const std::optional<QPointF>& point);

  // The recognisers' handlers.
  virtual void clickWithRecognizer(ClickGestureRecognizer& recognizer);
  virtual void activatingClickWithRecognizer(ClickGestureRecognizer& recognizer);
  virtual void panWithRecognizer(DraggingPanGestureRecognizer& recognizer);

  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

  // The outlets, connected by `setUpContentView()`.
  QPointer<QWidget> contentView_;
  QPointer<StandardScrollView> scrollView_;
  QPointer<GanttChartContentCanvas> canvas_;
  QPointer<ClickGestureRecognizer> activatingClickGestureRecognizer_;
  QPointer<QMenu> emptyAreaMenu_;
  QPointer<QAction> createItemMenuItem_;
  QPointer<QAction> createMilestoneItemMenuItem_;
  QPointer<QMenu> itemMenu_;
  QPointer<QAction> editItemMenuItem_;
  QPointer<QAction> deleteItemMenuItem_;
  QPointer<QMenu> dependencyMenu_;
  QPointer<QAction> editDependencyMenuItem_;
  QPointer<QAction> deleteDependencyMenuItem_;

 private:
  friend class GanttChartContentCanvas;

  // The canvas was resized: the visible height may have changed.
  void canvasDidResize();
  // Marks the visible part of the canvas for repainting.
  void redraw();
  // The same, except for the controller's announcements of a viewport that
  // only moved (see `updateViewport`).
  void redrawUnlessMovingViewport();
  // Re-evaluates the resting pointer after the visible elements changed,
  // drawing whatever that changes. Held back while a handler of the view's
  // own input is calling the controller (see `callThenUpdateMouseLocation`).
  void reevaluateMouseLocation();
  // Runs `call`, a call into the controller on behalf of the pointer, then
  // sets the cursor and tool tip for `point` as `updateMouseLocation` does.
  // The visible elements the call changes would each have the pointer
  // looked at again, every notification hit-testing bars and lines the next
  // one may throw away; the update at the end answers them all at once.
  template <class Call>
  void callThenUpdateMouseLocation(Call&& call, const std::optional<QPointF>& point);
  // Hides the tool tip the canvas shows, if any.
  void hideShownToolTip();
  // Whether a host has given this view's controller to another content
  // view, which made itself its presenter: this view then writes nothing
  // into it.
  [[nodiscard]] bool controllerIsShownElsewhere() const;
  // Whether a presenter, scroller or observer is a content view other than
  // this one.
  template <class Reference>
  [[nodiscard]] bool isOtherView(const Reference& reference) const;
  // Follows the opening and closing of `menu`.
  void watchContextMenu(QMenu* menu);

  GanttChartContentControllerPtr controller_;
  std::optional<Point> mouseLocationInView_;
  // The view as the controller sees it: shared pointers that own nothing,
  // so the controller's weak references expire when the view goes.
  std::shared_ptr<GanttChartContent> self_;
  // Calls of the controller into this view (see `detail::CountedCall`): a
  // view destroyed during one knows that its controller is still on the
  // stack.
  std::shared_ptr<int> inboundCalls_;
  // Calls the canvas's, the recognisers' and the scroll view's events make
  // into this view (see `detail::CountedCall`).
  std::shared_ptr<int> eventCalls_;
  QPainter* currentPainter_ = nullptr;
  // The labels drawn by the hooks, laid out once.
  TextLineCache textLines_;
  bool contextMenuIsOpen_ = false;
  // Whether the last crossing of the canvas's edge while a context menu was
  // open took the pointer out.
  bool pointerLeftDuringContextMenu_ = false;
  bool updatingCanvasSize_ = false;
  // True while the controller announces a viewport that only moved.
  bool movingViewport_ = false;
  // How many `callThenUpdateMouseLocation` calls are running, and whether a
  // re-evaluation of the pointer was asked for meanwhile.
  int mouseReevaluationHolds_ = 0;
  bool mouseReevaluationAsked_ = false;
  bool canvasSizeIsStale_ = false;
  // The diagram size the document was last made for.
  Size canvasSizedFor_;
};

}  // namespace vorlent
