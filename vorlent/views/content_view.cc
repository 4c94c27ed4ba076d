#include "vorlent/views/content_view.h"

#include <QEvent>
#include <QPolygonF>
#include <QRectF>
#include <QRegion>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/views/appearance_mode_provider.h"
#include "vorlent/views/click_gesture_recognizer.h"
#include "vorlent/views/content_canvas.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/design_time_sample.h"
#include "vorlent/views/outlets.h"
#include "vorlent/views/paint_clipping.h"
#include "vorlent/views/pan_gesture_recognizer.h"
#include "vorlent/views/qt_run_loop.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

namespace {

// The clicks a recogniser can count: at least one, at most what an int holds.
int clicksRequired(int64_t count) {
  return static_cast<int>(std::clamp<int64_t>(count, 1, std::numeric_limits<int>::max()));
}

// How far from its route a dependency line may paint: its width, arrow
// head and selection outline.
constexpr double kLineReach = 16;

// The lines the controller draws through `area` under its current viewport,
// ordered by dependency.
std::vector<GanttChartDependencyLine> linesThrough(const GanttChartContentController& controller,
                                                   const Rectangle& area) {
  std::vector<GanttChartDependencyLine> lines =
      controller.visibleDependencyLines(area.insetBy(-kLineReach));
  std::sort(lines.begin(), lines.end(),
            [](const auto& a, const auto& b) { return a.dependency.get() < b.dependency.get(); });
  return lines;
}

// Where the lines that only one of `before` and `after` (each ordered by
// dependency) has may paint within `kept`: a strip along each segment, in
// the canvas's pixels, whose origin shows the document point `origin`.
// Cutting to `kept` in document points before leaving them keeps every
// value converted to an int within the canvas, however long the document;
// a segment with a NaN has nowhere to paint.
QRegion reachOfChangedLines(const std::vector<GanttChartDependencyLine>& before,
                            const std::vector<GanttChartDependencyLine>& after, const QRectF& kept,
                            QPointF origin) {
  QRegion reach;
  const auto add = [&](const GanttChartDependencyLine& line) {
    const QPolygonF route = toQt(line.polyline);
    for (qsizetype i = 1; i < route.size(); ++i) {
      const QRectF segment = QRectF(route[i - 1], route[i]).normalized();
      const std::optional<QRectF> shown = paint::cutToArea(
          segment.adjusted(-kLineReach, -kLineReach, kLineReach, kLineReach), kept);
      if (shown) reach += shown->translated(-origin).toAlignedRect();
    }
  };
  auto b = before.begin();
  auto a = after.begin();
  while (b != before.end() || a != after.end()) {
    if (a == after.end() || (b != before.end() && b->dependency.get() < a->dependency.get())) {
      add(*b++);
    } else if (b == before.end() || a->dependency.get() < b->dependency.get()) {
      add(*a++);
    } else {
      ++b;
      ++a;
    }
  }
  return reach;
}

}  // namespace

// --- Construction and structure ----------------------------------------------

GanttChartContent::GanttChartContent(QWidget* parent) : GanttChartContent(parent, DeferredSetUp{}) {
  setUp();
}

GanttChartContent::GanttChartContent(QWidget* parent, DeferredSetUp /*deferred*/)
    : QWidget(parent),
      self_(this, [](GanttChartContent* /*unowned*/) {}),
      inboundCalls_(std::make_shared<int>(0)),
      eventCalls_(std::make_shared<int>(0)) {
  QtRunLoop::installForApplication();
}

GanttChartContent::~GanttChartContent() {
  // From here on the controller finds no presenter, scroller or observer.
  self_.reset();
  if (canvas_ != nullptr) canvas_->setMainView(nullptr);
  if (controller_ != nullptr) {
    GanttChartContent::controllerWillChange();
    // Destroyed from inside a call of the controller (a host reacting to a
    // notification): the controller is still on the stack, so it goes once
    // the current work is done rather than now.
    if (*inboundCalls_ > 0) RunLoop::current().post([controller = std::move(controller_)] {});
    controller_.reset();
  }
  // The children go while this view is still whole, so nothing they do on
  // their way out reaches a half-destroyed view.
  delete emptyAreaMenu_.data();
  delete itemMenu_.data();
  delete dependencyMenu_.data();
  // Destroyed by a host from inside a call that an event of the canvas or
  // the scroll view made (a drag step, a wheel turn), or from anything the
  // scroll view's report of its bounds reached (the chart matching its
  // header to a scroll bar Qt has just shown): Qt goes on inside them once
  // the call returns.
  if (*eventCalls_ > 0 || (scrollView_ != nullptr && scrollView_->isReportingBounds())) {
    detail::deleteChildLater(contentView_);
  } else {
    delete contentView_.data();
  }
}

void GanttChartContent::setUp() {
  setUpContentView();
  detail::requireOutlet(contentView_.data(), "GanttChartContent", "contentView");
  detail::requireOutlet(scrollView_.data(), "GanttChartContent", "scrollView");
  detail::requireOutlet(canvas_.data(), "GanttChartContent", "canvas");
  detail::requireOutlet(activatingClickGestureRecognizer_.data(), "GanttChartContent",
                        "activatingClickGestureRecognizer");
}

void GanttChartContent::setUpContentView() {
  auto* content = new QWidget(this);
  detail::fillingLayout(this)->addWidget(content);
  auto* scrollView = new StandardScrollView(content);
  detail::fillingLayout(content)->addWidget(scrollView);
  auto* canvas = new GanttChartContentCanvas();
  scrollView->setCanvas(canvas);
  canvas->setMainView(this);
  contentView_ = content;
  scrollView_ = scrollView;
  canvas_ = canvas;

  // Recognisers made later see each event earlier: a click selects before
  // the same click activates.
  auto* activatingClick = new ClickGestureRecognizer(canvas);
  connect(activatingClick, &ClickGestureRecognizer::clicked, this, [this, activatingClick] {
    const detail::CountedCall call(eventCalls_);
    activatingClickWithRecognizer(*activatingClick);
  });
  activatingClickGestureRecognizer_ = activatingClick;
  auto* click = new ClickGestureRecognizer(canvas);
  connect(click, &ClickGestureRecognizer::clicked, this, [this, click] {
    const detail::CountedCall call(eventCalls_);
    clickWithRecognizer(*click);
  });
  auto* pan = new DraggingPanGestureRecognizer(canvas);
  connect(pan, &PanGestureRecognizer::panned, this, [this, pan] {
    const detail::CountedCall call(eventCalls_);
    panWithRecognizer(*pan);
  });

  // Every change of the visible rectangle reaches the controller, whoever
  // made it: the user, this view, or a host setting the scroll bars (a
  // saved position, a second view kept in step). Only the user's sideways
  // scrolls may shift the timeline.
  connect(scrollView, &StandardScrollView::boundsDidChange, this, [this, scrollView] {
    const detail::CountedCall call(eventCalls_);
    if (controller_ != nullptr) updateViewport(scrollView->isLiveScrolling());
  });

  emptyAreaMenu_ = new QMenu(this);
  createItemMenuItem_ = emptyAreaMenu_->addAction(QString());
  createMilestoneItemMenuItem_ = emptyAreaMenu_->addAction(QString());
  itemMenu_ = new QMenu(this);
  editItemMenuItem_ = itemMenu_->addAction(QString());
  deleteItemMenuItem_ = itemMenu_->addAction(QString());
  dependencyMenu_ = new QMenu(this);
  editDependencyMenuItem_ = dependencyMenu_->addAction(QString());
  deleteDependencyMenuItem_ = dependencyMenu_->addAction(QString());
  watchContextMenu(emptyAreaMenu_);
  watchContextMenu(itemMenu_);
  watchContextMenu(dependencyMenu_);
  connect(createItemMenuItem_, &QAction::triggered, this, [this] { createItem(); });
  connect(createMilestoneItemMenuItem_, &QAction::triggered, this,
          [this] { createMilestoneItem(); });
  connect(editItemMenuItem_, &QAction::triggered, this, [this] { editItem(); });
  connect(deleteItemMenuItem_, &QAction::triggered, this, [this] { deleteItem(); });
  connect(editDependencyMenuItem_, &QAction::triggered, this, [this] { editDependency(); });
  connect(deleteDependencyMenuItem_, &QAction::triggered, this, [this] { deleteDependency(); });
}

void GanttChartContent::watchContextMenu(QMenu* menu) {
  connect(menu, &QMenu::aboutToShow, this, [this] {
    contextMenuIsOpen_ = true;
    pointerLeftDuringContextMenu_ = false;
  });
  // A menu hides before its command is triggered, and the pointer crossing
  // back into the canvas comes in between; the flag lasts until both ran.
  connect(menu, &QMenu::aboutToHide, this, [this] {
    QMetaObject::invokeMethod(
        this,
        [this] {
          const auto isOpen = [](const QPointer<QMenu>& shown) {
            return shown != nullptr && shown->isVisible();
          };
          contextMenuIsOpen_ =
              isOpen(emptyAreaMenu_) || isOpen(itemMenu_) || isOpen(dependencyMenu_);
          // A menu closed with the pointer elsewhere (dismissed outside the
          // canvas, or a command chosen where the menu reached beyond it)
          // brings no crossing back: the exit held back meanwhile happens
          // now, or the focus and the temporary bar would stay behind.
          if (!contextMenuIsOpen_ && std::exchange(pointerLeftDuringContextMenu_, false)) {
            mouseExited();
          }
        },
        Qt::QueuedConnection);
  });
}

QWidget* GanttChartContent::clipView() const {
  return scrollView_ != nullptr ? scrollView_->viewport() : nullptr;
}

bool GanttChartContent::gestureRecognizer(GestureRecognizer* /*recognizer*/,
                                          GestureRecognizer* /*other*/) {
  return true;
}

// --- The controller -------------------------------------------------------------

void GanttChartContent::setController(GanttChartContentControllerPtr controller) {
  const QPointer<GanttChartContent> alive(this);
  controllerWillChange();
  if (alive == nullptr) return;
  controller_ = std::move(controller);
  controllerDidChange();
}

template <class Reference>
bool GanttChartContent::isOtherView(const Reference& reference) const {
  const auto* view = dynamic_cast<const GanttChartContent*>(reference.get());
  return view != nullptr && view != this;
}

void GanttChartContent::controllerWillChange() {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  // A host may have handed the controller to another view meanwhile (moving
  // a chart to a new window, say); that view keeps its references, its mode
  // provider and its drag.
  if (!isOtherView(controller->observer())) controller->setObserver({});
  if (!isOtherView(controller->scroller())) controller->setScroller({});
  if (!isOtherView(controller->presenter())) {
    controller->setPresenter({});
    // A drag of the old controller would otherwise keep its timer running.
    controller->cancelDragging();
    const auto* provider =
        dynamic_cast<const AppearanceModeProvider*>(controller->modeProvider().get());
    if (provider == nullptr || provider->source() == nullptr || provider->source() == this) {
      controller->setModeProvider(nullptr);
    }
    controller->updateDefaultStyle(false);
  }
  if (alive != nullptr && canvas_ != nullptr) {
    canvas_->unsetCursor();
    hideShownToolTip();
    canvas_->setToolTip(QString());
  }
}

bool GanttChartContent::controllerIsShownElsewhere() const {
  if (controller_ == nullptr) return false;
  // A view taking a controller makes itself its presenter first, and it
  // writes the viewport before it becomes the scroller and observer.
  return isOtherView(controller_->presenter());
}

void GanttChartContent::controllerDidChange() {
  const QPointer<GanttChartContent> alive(this);
  if (controller_ == nullptr) {
    // Nothing to show: an empty canvas, with nothing to scroll.
    if (scrollView_ != nullptr) scrollView_->setDocumentSize(QSizeF());
    redraw();
    return;
  }
  const GanttChartContentControllerPtr controller = controller_;
  controller->setPresenter(self_);
  // A manager reports its changes to one controller, the last made over it
  // or given it: one made over the same manager since (a second chart area,
  // a controller made and dropped) has taken the reports, and this one
  // missed what changed meanwhile. It takes the manager again, which reads
  // the manager afresh and tells everybody.
  if (const GanttChartItemManagerPtr manager = controller->itemManager();
      manager->collectionObserver().get() !=
      static_cast<GanttChartCollectionObserver*>(controller.get())) {
    controller->setItemManager(manager);
    if (alive == nullptr || controller_ != controller) return;
  }
  updateCanvasSize();
  if (alive == nullptr || controller_ != controller) return;
  controller->setScroller(self_);
  controller->setObserver(self_);
  // Only the observer hears of a new diagram size: a host that answered the
  // viewport written above by resizing the diagram (a new scale, items
  // moved far) left the document at the size it had before.
  if (!(controller->totalDiagramSize() == canvasSizedFor_)) {
    updateCanvasSize();
    if (alive == nullptr || controller_ != controller) return;
  }
  activatingClickGestureRecognizer_->setNumberOfClicksRequired(
      clicksRequired(controller->settings().numberOfClicksRequiredToActivateElements));
  controller->setModeProvider(std::make_shared<AppearanceModeProvider>(this));
  controller->updateDefaultStyle(false);
  if (alive == nullptr) return;
  redraw();
}

// --- Observer ------------------------------------------------------------------

void GanttChartContent::totalDiagramSizeDidChange() {
  const detail::CountedCall call(inboundCalls_);
  movingViewport_ = false;
  updateCanvasSize();
}

void GanttChartContent::visibleBarsDidChange() {
  const detail::CountedCall call(inboundCalls_);
  redrawUnlessMovingViewport();
  reevaluateMouseLocation();
}

void GanttChartContent::visibleDependencyLinesDidChange() {
  const detail::CountedCall call(inboundCalls_);
  redrawUnlessMovingViewport();
  reevaluateMouseLocation();
}

void GanttChartContent::highlightedScheduleAreasDidChange() { redrawUnlessMovingViewport(); }

void GanttChartContent::highlightedIntervalAreasDidChange() { redrawUnlessMovingViewport(); }

void GanttChartContent::dependencyLineThumbAreaDidChange() { redraw(); }

void GanttChartContent::temporaryDependencyLineDidChange() { redraw(); }

void GanttChartContent::temporaryBarDidChange() { redraw(); }

void GanttChartContent::settingsDidChange() { redraw(); }

void GanttChartContent::redraw() {
  // Anything but the viewport's own announcements is a change to draw.
  movingViewport_ = false;
  if (canvas_ != nullptr) canvas_->update();
}

void GanttChartContent::redrawUnlessMovingViewport() {
  if (!movingViewport_) redraw();
}

void GanttChartContent::reevaluateMouseLocation() {
  if (mouseReevaluationHolds_ > 0) {
    mouseReevaluationAsked_ = true;
    return;
  }
  // What the pointer now rests on may change how an element looks: such a
  // change is drawn.
  const bool moving = std::exchange(movingViewport_, false);
  const QPointer<GanttChartContent> alive(this);
  updateMouseLocation(std::nullopt);
  if (alive != nullptr) movingViewport_ = moving;
}

// --- Document and viewport ------------------------------------------------------

void GanttChartContent::updateCanvasSize() {
  if (controller_ == nullptr || scrollView_ == nullptr) return;
  // Resizing the document may show or hide a scroll bar, which resizes the
  // canvas and asks again; that request is served by another round here.
  if (updatingCanvasSize_) {
    canvasSizeIsStale_ = true;
    return;
  }
  const QPointer<GanttChartContent> alive(this);
  const GanttChartContentControllerPtr controller = controller_;
  updatingCanvasSize_ = true;
  constexpr int kMaximumRounds = 4;  // bars appear at most once per axis
  for (int round = 0; round < kMaximumRounds; ++round) {
    canvasSizeIsStale_ = false;
    const Size total = controller->totalDiagramSize();
    canvasSizedFor_ = total;
    // At least as large as the visible area both ways, so that a diagram
    // smaller than the view is drawn on to the view's edges: rows and time
    // areas continue past its last row and past the end of its timeline.
    const QSizeF visible = scrollView_->documentVisibleRect().size();
    scrollView_->setDocumentSize(QSizeF(std::max(total.width, visible.width()),
                                        std::max(total.height, visible.height())));
    if (alive == nullptr) return;
    updateViewport(false);
    if (alive == nullptr) return;
    if (!canvasSizeIsStale_ || controller_ != controller || scrollView_ == nullptr) break;
  }
  updatingCanvasSize_ = false;
  // A controller a host assigned meanwhile (reacting to the viewport) asked
  // for its size while this round was busy with the previous one.
  if (canvasSizeIsStale_ && controller_ != controller) updateCanvasSize();
}

void GanttChartContent::updateViewport(bool shiftingTimeline) {
  if (controller_ == nullptr || scrollView_ == nullptr || controllerIsShownElsewhere()) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QRectF visible = scrollView_->documentVisibleRect();
  const QSizeF document = scrollView_->documentSize();
  // Beside a document smaller than the view, the viewport is the document.
  const bool narrower = document.width() < visible.width();
  const bool lower = document.height() < visible.height();
  const Rectangle viewport(narrower ? 0 : visible.x(), lower ? 0 : visible.y(),
                           narrower ? document.width() : visible.width(),
                           lower ? document.height() : visible.height());
  const Rectangle previous = controller->viewport();
  const bool moved = viewport.size == previous.size && viewport.origin != previous.origin;
  // The pixels the scroll view kept show the lines drawn under the old
  // viewport. The item manager's filter follows the viewport, so a long line
  // whose two items both leave it (or enter it) while its middle stays in
  // view is drawn differently now: where it runs is painted again.
  const std::optional<Rectangle> kept =
      moved ? previous.intersecting(viewport) : std::optional<Rectangle>();
  // Finding the lines asks the item manager, whose provider may run host
  // code that destroys this view.
  const QPointer<GanttChartContent> alive(this);
  std::vector<GanttChartDependencyLine> linesBefore;
  if (kept) linesBefore = linesThrough(*controller, *kept);
  if (alive == nullptr) return;
  {
    // A viewport that only moved is drawn as it was: the scroll view has
    // moved the pixels and asked for the strip that came into view. The
    // controller's announcements of the move need no repaint of their own.
    const bool moving = std::exchange(movingViewport_, moved);
    controller->setViewport(viewport);
    if (alive == nullptr) return;
    movingViewport_ = moving;
  }
  if (kept && controller_ == controller && controller->viewport() == viewport &&
      canvas_ != nullptr && scrollView_ != nullptr) {
    const std::vector<GanttChartDependencyLine> linesAfter = linesThrough(*controller, *kept);
    if (alive == nullptr || canvas_ == nullptr || scrollView_ == nullptr) return;
    const QRegion changed = reachOfChangedLines(linesBefore, linesAfter, toQt(*kept),
                                                scrollView_->documentVisibleRect().topLeft());
    if (!changed.isEmpty()) canvas_->update(changed);
  }
  if (shiftingTimeline && viewport.origin.x != previous.origin.x) {
    controller->shiftScrollableTimelineIfNeeded();
  }
}

void GanttChartContent::canvasDidResize() { updateCanvasSize(); }

void GanttChartContent::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  updateCanvasSize();
}

void GanttChartContent::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The theme follows the palette: a dark window colour is dark mode.
  if (event->type() == QEvent::PaletteChange && controller_ != nullptr) {
    const GanttChartContentControllerPtr controller = controller_;
    controller->updateDefaultStyle(false);
  }
}

// --- Scroller ---------------------------------------------------------------------

void GanttChartContent::scrollTo(double startX, double finishX) {
  const detail::CountedCall call(inboundCalls_);
  if (scrollView_ == nullptr) return;
  const QRectF visible = scrollView_->documentVisibleRect();
  // The move reaches the controller through the scroll view already; a host
  // reacting to it may have destroyed this view.
  const QPointer<GanttChartContent> alive(this);
  scrollView_->scrollRectToVisible(QRectF(startX, visible.top(), finishX - startX, 0));
  if (alive != nullptr) updateViewport(false);
}

void GanttChartContent::scrollVerticallyTo(double startY, double finishY) {
  const detail::CountedCall call(inboundCalls_);
  if (scrollView_ == nullptr) return;
  const QRectF visible = scrollView_->documentVisibleRect();
  const QPointer<GanttChartContent> alive(this);
  scrollView_->scrollRectToVisible(QRectF(visible.left(), startY, 0, finishY - startY));
  if (alive != nullptr) updateViewport(false);
}

void GanttChartContent::reloadData() {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const GanttChartItemManagerPtr manager = controller->itemManager();
  manager->collectionDidChange();
}

// --- Image export -------------------------------------------------------------------

QImage GanttChartContent::imageRepresentation() { return detail::renderWidgetImage(*this); }

QPixmap GanttChartContent::image() { return QPixmap::fromImage(imageRepresentation()); }

QByteArray GanttChartContent::imageData() { return imageData("png"); }

QByteArray GanttChartContent::imageData(const QByteArray& format,
                                        const ImageProperties& properties) {
  return detail::encodeWidgetImage(imageRepresentation(), format, properties);
}

// --- Design time --------------------------------------------------------------------

void GanttChartContent::prepareForInterfaceBuilder() {
  // The origin of the library's time (Sunday 31 December 2000) starts the
  // sample's five-week timeline.
  setController(detail::makeSampleContentController(Time::reference()));
}

}  // namespace vorlent
