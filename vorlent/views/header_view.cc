#include "vorlent/views/header_view.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/views/appearance_mode_provider.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/design_time_sample.h"
#include "vorlent/views/header_canvas.h"
#include "vorlent/views/outlets.h"
#include "vorlent/views/pan_gesture_recognizer.h"
#include "vorlent/views/qt_run_loop.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

namespace {

// The strip beside the header's viewport, filled in the header's colour.
class BlankCorner : public QWidget {
 public:
  explicit BlankCorner(const GanttChartHeader& header) : header_(&header) {}

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    if (header_ == nullptr) return;
    QPainter painter(this);
    painter.fillRect(rect(), header_->blankCornerColor());
  }

 private:
  QPointer<const GanttChartHeader> header_;
};

// The timeline observer of the chart area that a chart controller keeps
// `header` in step with, or null for a header of no chart (or of one that
// has gone).
std::shared_ptr<GanttChartContentTimelineObserver> chartAreaFollowedBy(
    const GanttChartHeaderController& header) {
  const auto chart = std::dynamic_pointer_cast<GanttChartController::HeaderObserverAdapter>(
      header.timelineObserver());
  if (!chart || chart->target() == nullptr) return nullptr;
  return chart->target()->contentController()->timelineObserver();
}

}  // namespace

GanttChartHeader::GanttChartHeader(QWidget* parent) : GanttChartHeader(parent, DeferredSetUp{}) {
  setUp();
}

GanttChartHeader::GanttChartHeader(QWidget* parent, DeferredSetUp /*deferred*/)
    : QWidget(parent), self_(this, [](GanttChartHeader*) {}) {
  QtRunLoop::installForApplication();
}

void GanttChartHeader::setUp() {
  setUpHeaderView();
  detail::requireOutlet(contentView_.data(), "GanttChartHeader", "contentView");
  detail::requireOutlet(scrollView_.data(), "GanttChartHeader", "scrollView");
  detail::requireOutlet(canvas_.data(), "GanttChartHeader", "canvas");
  detail::requireOutlet(pan_.data(), "GanttChartHeader", "pan recognizer");
}

GanttChartHeader::~GanttChartHeader() {
  releaseController();
  // Children go after this destructor, when the view is only a QWidget:
  // nothing they do on their way may reach it.
  if (scrollView_ != nullptr) scrollView_->disconnect(this);
  if (pan_ != nullptr) pan_->disconnect(this);
  if (canvas_ != nullptr) canvas_->setMainView(nullptr);
  self_.reset();
  // Destroyed by a host from inside a call that an event of the canvas or
  // the scroll view made (a zoom drag's step), or from anything the scroll
  // view's report of its bounds reached: Qt goes on inside them once the
  // call returns.
  if (*eventCalls_ > 0 || (scrollView_ != nullptr && scrollView_->isReportingBounds())) {
    detail::deleteChildLater(contentView_);
  }
}

void GanttChartHeader::setUpHeaderView() {
  contentView_ = new QWidget(this);
  auto* scrollView = new StandardScrollView(contentView_.data());
  auto* canvas = new GanttChartHeaderCanvas;
  scrollView->setCanvas(canvas);
  scrollView->setHasVerticalScroller(false);
  // The header follows the chart area, which takes the keyboard: it is no
  // focus stop of its own.
  scrollView->setFocusPolicy(Qt::NoFocus);
  // The view is as high as its host makes it, a few rows of text, far below
  // a scroll area's own minimum; its size hints speak for it instead.
  scrollView->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  // Never taller than it prefers, but shorter where its parent has no more
  // room: a header's rows must not make the window taller than its host.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  detail::fillingLayout(contentView_.data())->addWidget(scrollView);
  detail::fillingLayout(this)->addWidget(contentView_.data());
  scrollView_ = scrollView;
  canvas_ = canvas;
  pan_ = new DraggingPanGestureRecognizer(canvas);
  canvas_->setMainView(this);
  // Scrolled by the user, by this view or by a host through the scroll
  // bars: the controller always learns what is visible.
  connect(scrollView_, &StandardScrollView::boundsDidChange, this, [this] {
    const detail::CountedCall call(eventCalls_);
    if (controller_) updateHeaderViewport();
  });
  connect(pan_, &PanGestureRecognizer::panned, this, [this] {
    const detail::CountedCall call(eventCalls_);
    if (pan_ != nullptr) panWithRecognizer(*pan_);
  });
}

QSize GanttChartHeader::sizeHint() const {
  if (maximumHeight() < QWIDGETSIZE_MAX) return QSize(kPreferredWidth, maximumHeight());
  constexpr int64_t kMostRows = 64;  // keeps the product an int
  const int rows =
      controller_ ? static_cast<int>(std::clamp<int64_t>(controller_->rowCount(), 0, kMostRows))
                  : 2;
  const int rowHeight = QFontMetrics(font()).height() + 6;
  return QSize(kPreferredWidth, rows * rowHeight);
}

QSize GanttChartHeader::minimumSizeHint() const { return QSize(0, 0); }

StandardScrollView* GanttChartHeader::scrollView() const { return scrollView_.data(); }

QWidget* GanttChartHeader::clipView() const { return canvas_.data(); }

GanttChartHeaderCanvas* GanttChartHeader::canvas() const { return canvas_.data(); }

// --- Controller -----------------------------------------------------------------

void GanttChartHeader::setController(std::shared_ptr<GanttChartHeaderController> controller) {
  const QPointer<GanttChartHeader> alive(this);
  const std::uint64_t assignment = ++controllerAssignments_;
  headerControllerWillChange();
  if (alive == nullptr || assignment != controllerAssignments_) return;
  // The old controller goes only once this view is done with it.
  const std::shared_ptr<GanttChartHeaderController> old =
      std::exchange(controller_, std::move(controller));
  headerControllerDidChange();
}

void GanttChartHeader::headerControllerWillChange() {
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller) return;
  // A zoom drag of this view cannot go on without it, nor on the next one.
  if (std::exchange(panZoomsController_, false) && isPanning()) controller->endDragging();
  const bool ownsModeProvider = modeProvider_ && controller->modeProvider() == modeProvider_;
  modeProvider_.reset();
  if (ownsModeProvider) {
    // Without the view's appearance the controller falls back to its own mode.
    controller->setModeProvider(nullptr);
    controller->updateDefaultStyle(false);
  }
  if (controller->observer().get() == this) controller->setObserver({});
  if (controller->scroller().get() == this) controller->setScroller({});
  if (controller->presenter().get() == this) controller->setPresenter({});
}

bool GanttChartHeader::controllerIsShownElsewhere() const {
  if (!controller_) return false;
  const auto isAnotherView = [this](const auto& reference) {
    const auto* view = dynamic_cast<const GanttChartHeader*>(reference.get());
    return view != nullptr && view != this;
  };
  // A view taking a controller makes itself its presenter first, and it
  // writes the viewport before it becomes the scroller and observer.
  return isAnotherView(controller_->presenter());
}

void GanttChartHeader::headerControllerDidChange() {
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller) return;
  // Each step below may notify hosts, who may replace the controller or
  // destroy the view; the newer assignment has then done all that is left.
  const QPointer<GanttChartHeader> alive(this);
  const auto stillAttached = [&] { return alive != nullptr && controller_ == controller; };
  // In a chart the chart area decides where the header stands. The place
  // this view kept from what it showed before is no user's scroll: written
  // into the controller, it would drag the chart area back there.
  const std::shared_ptr<GanttChartContentTimelineObserver> chartArea =
      chartAreaFollowedBy(*controller);
  controller->setPresenter(self_);
  updateGeometry();
  // An assignment made meanwhile attaches its controller in full and
  // leaves nothing held: this one ends right after.
  const auto sizeCanvas = [&] {
    holdsViewport_ = chartArea != nullptr;
    updateHeaderCanvasSize();
    if (alive != nullptr) holdsViewport_ = false;
  };
  sizeCanvas();
  if (!stillAttached()) return;
  controller->setScroller(self_);
  controller->setObserver(self_);
  // Only the observer hears of a new header width: a host that answered
  // the viewport written above by rescaling the header left the document
  // at the width it had before.
  const double width = controller->totalDiagramHeaderSize().width;
  if (!(width == canvasSizedForWidth_ || (std::isnan(width) && std::isnan(canvasSizedForWidth_)))) {
    sizeCanvas();
    if (!stillAttached()) return;
  }
  if (chartArea) {
    // Brought to the chart area's time by the path that keeps the two in
    // step on every scroll of the chart area; then the viewport is written
    // even where that path could not scroll (a scale that maps no time to
    // a point).
    chartArea->visibleTimelineDidChange();
    if (!stillAttached()) return;
    updateHeaderViewport();
    if (!stillAttached()) return;
  }
  modeProvider_ = std::make_shared<AppearanceModeProvider>(this);
  controller->setModeProvider(modeProvider_);
  if (!stillAttached()) return;
  controller->updateDefaultStyle(false);
  if (!stillAttached()) return;
  redraw();
}

void GanttChartHeader::releaseController() {
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller) return;
  if (std::exchange(panZoomsController_, false) && isPanning()) controller->endDragging();
  if (controller->observer().get() == this) controller->setObserver({});
  if (controller->scroller().get() == this) controller->setScroller({});
  if (controller->presenter().get() == this) controller->setPresenter({});
  if (modeProvider_ && controller->modeProvider() == modeProvider_) {
    controller->setModeProvider(nullptr);
  }
}

// --- Observer -------------------------------------------------------------------

void GanttChartHeader::totalDiagramHeaderSizeDidChange() { updateHeaderCanvasSize(); }

void GanttChartHeader::highlightedScheduleAreasDidChange() { redraw(); }

void GanttChartHeader::cellsDidChange() { redraw(); }

void GanttChartHeader::zoomDidChange() { redraw(); }

void GanttChartHeader::settingsDidChange() { redraw(); }

void GanttChartHeader::redraw() {
  if (canvas_ != nullptr) canvas_->update();
  if (scrollView_ != nullptr && scrollView_->trailingFiller() != nullptr) {
    scrollView_->trailingFiller()->update();
  }
}

// --- Blank corner -------------------------------------------------------------------

void GanttChartHeader::setBlankCornerWidth(int width) {
  if (scrollView_ == nullptr) return;
  if (scrollView_->trailingFiller() == nullptr && width > 0) {
    scrollView_->setTrailingFiller(new BlankCorner(*this));
  }
  scrollView_->setTrailingMargin(width);
}

int GanttChartHeader::blankCornerWidth() const {
  return scrollView_ != nullptr ? scrollView_->trailingMargin() : 0;
}

QColor GanttChartHeader::blankCornerColor() const {
  if (controller_) {
    if (const std::optional<Color> color = controller_->actualStyle().backgroundColor) {
      return toQt(*color);
    }
  }
  return palette().color(QPalette::Window);
}

// --- Document and viewport --------------------------------------------------------

void GanttChartHeader::updateHeaderCanvasSize() {
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller || scrollView_ == nullptr) return;
  const double width = controller->totalDiagramHeaderSize().width;
  canvasSizedForWidth_ = width;
  // As high as the visible area, whichever widget shows it: a host may have
  // given the scroll view another canvas. At least as wide, too, so that
  // the cells of a header narrower than the view go on to its edge, as the
  // chart area's rows do below it.
  const QSizeF visible = scrollView_->documentVisibleRect().size();
  const QPointer<GanttChartHeader> alive(this);
  // The scroll view cuts a longer (or infinite) header to what it can hold.
  scrollView_->setDocumentSize(
      QSizeF(std::isnan(width) ? visible.width() : std::max(width, visible.width()),
             visible.height()));
  if (alive == nullptr || controller_ != controller) return;
  updateHeaderViewport();
}

void GanttChartHeader::updateHeaderViewport() {
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller || scrollView_ == nullptr || holdsViewport_ || controllerIsShownElsewhere()) {
    return;
  }
  const QRectF visible = scrollView_->documentVisibleRect();
  const double documentWidth = scrollView_->documentSize().width();
  const bool narrow = documentWidth < visible.width();
  controller->setViewport(
      fromQt(QRectF(narrow ? 0 : visible.x(), visible.y(), narrow ? documentWidth : visible.width(),
                    visible.height())));
}

void GanttChartHeader::scrollTo(double startX, double finishX) {
  if (!controller_ || scrollView_ == nullptr) return;
  const QPointer<GanttChartHeader> alive(this);
  const double top = scrollView_->documentVisibleRect().top();
  scrollView_->scrollRectToVisible(QRectF(startX, top, finishX - startX, 0));
  if (alive != nullptr) updateHeaderViewport();
}

void GanttChartHeader::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::PaletteChange) return;
  const QPointer<GanttChartHeader> alive(this);
  if (controller_) controller_->updateDefaultStyle(false);
  if (alive != nullptr) redraw();
}

// --- Zooming by dragging ----------------------------------------------------------

bool GanttChartHeader::isPanning() const {
  return pan_ != nullptr && (pan_->state() == GestureRecognizer::State::began ||
                             pan_->state() == GestureRecognizer::State::changed);
}

void GanttChartHeader::panWithRecognizer(DraggingPanGestureRecognizer& recognizer) {
  // Held for the call: a notification may replace it or destroy the view.
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller) return;
  switch (recognizer.state()) {
    case GestureRecognizer::State::began: {
      const QPointer<DraggingPanGestureRecognizer> stillThere(&recognizer);
      panZoomsController_ = true;
      controller->beginDragging(fromQt(recognizer.locationInViewWhenDraggingStarted()));
      if (stillThere == nullptr || controller_ != controller) return;
      controller->continueDragging(fromQt(recognizer.locationInView()));
      break;
    }
    case GestureRecognizer::State::changed:
      if (panZoomsController_) controller->continueDragging(fromQt(recognizer.locationInView()));
      break;
    case GestureRecognizer::State::ended:
      if (std::exchange(panZoomsController_, false)) controller->endDragging();
      break;
    default:
      break;
  }
}

// --- Image export -----------------------------------------------------------------

QImage GanttChartHeader::imageRepresentation() { return detail::renderWidgetImage(*this); }

QPixmap GanttChartHeader::image() { return QPixmap::fromImage(imageRepresentation()); }

QByteArray GanttChartHeader::imageData() { return imageData("png"); }

QByteArray GanttChartHeader::imageData(const QByteArray& format,
                                       const ImageProperties& properties) {
  return detail::encodeWidgetImage(imageRepresentation(), format, properties);
}

// --- Design-time sample -------------------------------------------------------------

void GanttChartHeader::prepareForInterfaceBuilder() {
  auto controller = detail::makeSampleHeaderController();
  const Time start = Time::reference();
  controller->setScrollableTimeline(TimeRange(start, start.addingWeeks(5)));
  setController(std::move(controller));
}

}  // namespace vorlent
