#include "vorlent/views/chart_view.h"

#include <QLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "vorlent/views/design_time_sample.h"
#include "vorlent/views/hidden_scroller.h"
#include "vorlent/views/outlets.h"
#include "vorlent/views/qt_run_loop.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

namespace {

// The header height that shows `height` points: whole pixels, from nothing
// (also for a NaN) to just below Qt's "no limit", which as a maximum height
// would not limit the header at all.
int headerWidgetHeight(double height) {
  if (!(height > 0)) return 0;
  constexpr double kMost = QWIDGETSIZE_MAX - 1;
  return static_cast<int>(std::lround(std::min(height, kMost)));
}

// Lays out the widget that holds `child` now rather than at the next turn of
// the event loop, so that the child's new size is in force when the call
// returns.
void layOutAround(QWidget& child) {
  QWidget* parent = child.parentWidget();
  if (parent == nullptr) return;
  if (QLayout* layout = parent->layout()) layout->activate();
}

}  // namespace

// --- Construction and structure --------------------------------------------------

GanttChart::GanttChart(QWidget* parent) : GanttChart(parent, DeferredSetUp{}) { setUp(); }

GanttChart::GanttChart(QWidget* parent, DeferredSetUp /*deferred*/)
    : QWidget(parent), self_(this, [](GanttChart* /*unowned*/) {}) {
  QtRunLoop::installForApplication();
}

GanttChart::~GanttChart() {
  // From here on the controller finds no presenter or observer.
  self_.reset();
  // The header and the chart area go while this view is still whole:
  // whatever they do on their way out (a zoom drag the header ends moves
  // the chart area) reaches nothing half-destroyed. Those a host has moved
  // into widgets of its own are the host's now, and stay.
  for (const QPointer<QWidget>& child :
       {contentView_, QPointer<QWidget>(header_.data()), QPointer<QWidget>(content_.data())}) {
    if (child != nullptr && isAncestorOf(child)) delete child.data();
  }
}

void GanttChart::setUp() {
  setUpChartView();
  detail::requireOutlet(contentView_.data(), "GanttChart", "contentView");
  detail::requireOutlet(header_.data(), "GanttChart", "header");
  detail::requireOutlet(content_.data(), "GanttChart", "content");
  // The chart area's vertical scroller comes and goes with its rows; the
  // header's follows, whatever the set-up built.
  if (StandardScrollView* scrollView = content_->scrollView()) {
    connect(scrollView, &StandardScrollView::boundsDidChange, this,
            [this] { matchHeaderScrollers(); });
  }
  // Qt tells of a child's destruction while the child is half gone, and
  // what the chart does next may reach a host: the chart forgets the child
  // first, so a host asking then finds only the part that remains. A header
  // left alone has no chart area to match.
  connect(content_, &QObject::destroyed, this, [this] {
    content_ = nullptr;
    matchHeaderScrollersTo(nullptr);
  });
  connect(header_, &QObject::destroyed, this, [this] { header_ = nullptr; });
  matchHeaderScrollers();
}

void GanttChart::setUpChartView() {
  auto* contentView = new QWidget(this);
  detail::fillingLayout(this)->addWidget(contentView);
  auto* header = new GanttChartHeader(contentView);
  auto* content = new GanttChartContent(contentView);
  QVBoxLayout* layout = detail::fillingLayout(contentView);
  layout->addWidget(header);
  layout->addWidget(content, 1);
  contentView_ = contentView;
  header_ = header;
  content_ = content;
}

void GanttChart::matchHeaderScrollers() {
  matchHeaderScrollersTo(content_ != nullptr ? content_->scrollView() : nullptr);
}

void GanttChart::matchHeaderScrollersTo(const StandardScrollView* area) {
  if (header_ == nullptr || header_->scrollView() == nullptr) return;
  StandardScrollView& headerScrollView = *header_->scrollView();
  // The header scrolls only with the chart area: neither bar shows. Above
  // the chart area's vertical bar a blank corner keeps the two viewports
  // equally wide.
  HiddenScroller::install(headerScrollView, Qt::Horizontal);
  HiddenScroller::install(headerScrollView, Qt::Vertical);
  bool showsVertical = false;
  if (area != nullptr) {
    switch (area->verticalScrollBarPolicy()) {
      case Qt::ScrollBarAlwaysOn:
        showsVertical = true;
        break;
      case Qt::ScrollBarAlwaysOff:
        break;
      case Qt::ScrollBarAsNeeded:
        showsVertical = area->verticalScrollBar()->isVisibleTo(area);
        break;
    }
  }
  // The width Qt's scroll area gives a shown vertical bar.
  header_->setBlankCornerWidth(showsVertical ? area->verticalScrollBar()->sizeHint().width() : 0);
}

// --- The controller -------------------------------------------------------------------

void GanttChart::setController(GanttChartControllerPtr controller) {
  const QPointer<GanttChart> alive(this);
  const std::uint64_t assignment = ++controllerAssignments_;
  // Each step of the attachment may notify a host, who may assign another
  // controller or destroy the view; the newer assignment has then done all
  // that is left.
  const auto stillCurrent = [&] {
    return alive != nullptr && assignment == controllerAssignments_;
  };
  if (const GanttChartControllerPtr old = controller_) {
    // A host may have given the old controller to another chart since: that
    // chart keeps its references.
    if (old->observer().get() == this) old->setObserver({});
    if (old->presenter().get() == this) old->setPresenter({});
  }
  // The old controller goes only once this view is done with it.
  const GanttChartControllerPtr previous = std::exchange(controller_, controller);
  if (!controller) return;
  controller->setPresenter(self_);
  if (header_ != nullptr) header_->setController(controller->headerController());
  if (!stillCurrent()) return;
  if (content_ != nullptr) content_->setController(controller->contentController());
  if (!stillCurrent()) return;
  matchHeaderScrollers();
  updateHeaderHeight();
  if (!stillCurrent()) return;
  // Each part arrives where it last stood, and the chart area may have been
  // scrolled while no header followed (its chart had lent the controller
  // to another that has gone since). The header takes the chart area's time
  // by the path that keeps the two in step on every scroll.
  if (const auto timelineObserver = controller->contentController()->timelineObserver()) {
    timelineObserver->visibleTimelineDidChange();
  }
  if (!stillCurrent()) return;
  controller->setObserver(self_);
}

void GanttChart::updateHeaderHeight() {
  const GanttChartControllerPtr controller = controller_;
  if (!controller || header_ == nullptr) return;
  // The rows' height is the most the header takes and what it prefers, not
  // a fixed height: that would become the window's least height, and rows a
  // host made enormous would make a window no screen or backing store can
  // hold. In a chart shorter than the rows the header shrinks (its rows
  // share what it gets), leaving the chart area its least height.
  header_->setMinimumHeight(0);
  header_->setMaximumHeight(headerWidgetHeight(controller->headerHeight()));
  header_->updateGeometry();
  layOutAround(*header_);
}

void GanttChart::headerHeightDidChange() {
  const QPointer<GanttChart> alive(this);
  updateHeaderHeight();
  if (alive == nullptr) return;
  if (const std::shared_ptr<GanttChartObserver> observer = observer_.lock()) {
    observer->headerHeightDidChange();
  }
}

void GanttChart::headerTimelineDidChange() {
  const QPointer<GanttChart> alive(this);
  if (header_ != nullptr) {
    if (QLayout* layout = header_->layout()) layout->activate();
  }
  if (alive == nullptr) return;
  if (const std::shared_ptr<GanttChartObserver> observer = observer_.lock()) {
    observer->headerTimelineDidChange();
  }
}

// --- Data and scrolling -----------------------------------------------------------------

void GanttChart::reloadData() {
  if (content_ != nullptr) content_->reloadData();
}

void GanttChart::scrollTo(double startX, double finishX) {
  if (content_ != nullptr) content_->scrollTo(startX, finishX);
}

void GanttChart::scrollVerticallyTo(double startY, double finishY) {
  if (content_ != nullptr) content_->scrollVerticallyTo(startY, finishY);
}

// --- Image export -----------------------------------------------------------------------

QImage GanttChart::imageRepresentation() { return detail::renderWidgetImage(*this); }

QPixmap GanttChart::image() { return QPixmap::fromImage(imageRepresentation()); }

QByteArray GanttChart::imageData() { return imageData("png"); }

QByteArray GanttChart::imageData(const QByteArray& format, const ImageProperties& properties) {
  return detail::encodeWidgetImage(imageRepresentation(), format, properties);
}

// --- Design time ------------------------------------------------------------------------

void GanttChart::prepareForInterfaceBuilder() {
  setController(
      GanttChartController::create(detail::makeSampleHeaderController(),
                                   detail::makeSampleContentController(Time::reference())));
}

}  // namespace vorlent
