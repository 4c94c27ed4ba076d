#include "vorlent/controllers/chart_controller.h"

#include <cmath>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/controllers/settled_timeline.h"

namespace vorlent {

namespace {

// Sets a flag for the length of a scope, then puts back the value it had, so
// that a nested scope cannot clear a flag an outer one still relies on.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = saved_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// Asks a scroller for a span only when both ends are finite: a view would
// turn them into integer scroll positions.
template <class Scroller>
void requestScroll(const std::shared_ptr<Scroller>& scroller, double startX, double finishX) {
  if (scroller && std::isfinite(startX) && std::isfinite(finishX)) {
    scroller->scrollTo(startX, finishX);
  }
}

}  // namespace

// --- Construction ----------------------------------------------------------------

std::shared_ptr<GanttChartController> GanttChartController::create(
    std::shared_ptr<GanttChartHeaderController> headerController,
    std::shared_ptr<GanttChartContentController> contentController) {
  std::shared_ptr<GanttChartController> controller(
      new GanttChartController(std::move(headerController), std::move(contentController)));
  controller->connectControllers();
  return controller;
}

GanttChartController::GanttChartController(
    std::shared_ptr<GanttChartHeaderController> headerController,
    std::shared_ptr<GanttChartContentController> contentController)
    : headerController_(std::move(headerController)),
      contentController_(std::move(contentController)) {
  if (!headerController_) fatalStop("GanttChartController: the header controller is null");
  if (!contentController_) fatalStop("GanttChartController: the content controller is null");
  headerObserver_.reset(new HeaderObserverAdapter(this));
  contentObserver_.reset(new ContentObserverAdapter(this));
  headerPresenter_.reset(new HeaderPresenterAdapter(this));
  contentPresenter_.reset(new ContentPresenterAdapter(this));
}

GanttChartController::~GanttChartController() {
  // An adapter a host still holds must not reach back into this object.
  headerObserver_->target_ = nullptr;
  contentObserver_->target_ = nullptr;
  headerPresenter_->target_ = nullptr;
  contentPresenter_->target_ = nullptr;
}

void GanttChartController::connectControllers() {
  // The observers cannot be set yet, so nobody hears of this first sync.
  synchronizeHeaderTimeline();
  synchronizeHeaderWithContent();
  GanttChartHeaderController& header = *headerController_;
  GanttChartContentController& content = *contentController_;
  // A content that follows its items moves its timeline with the zoom (the
  // margins are points), so clamping the zoom just now moved it, and the
  // content's notification of that reached nobody yet. Once more, then, with
  // the header scrolled by the mapping it now shares with the content.
  if (!sameTimeline(header.scrollableTimeline(), content.actualTimeline())) {
    synchronizeHeaderTimeline();
    synchronizeHeaderWithContent();
  }
  header.setRowArrayObserver(headerObserver());
  header.setTimelineObserver(headerObserver());
  content.setRangeObserver(contentObserver());
  content.setTimelineObserver(contentObserver());
  header.setPresenter(headerPresenter());
  content.setPresenter(contentPresenter());
  rememberHeaderRowCount();
}

// --- Properties --------------------------------------------------------------------

void GanttChartController::setHeaderRowHeight(double height) {
  const auto alive = keepAlive();
  headerRowHeightWrites_.write(height, [this](double value) {
    headerRowHeight_ = value;
    if (auto o = observer()) o->headerHeightDidChange();
  });
}

double GanttChartController::headerHeight() const {
  const double height =
      headerRowHeight() * static_cast<double>(headerController_->actualRows().size());
  return height > 0 ? height : 0;
}

void GanttChartController::setTheme(Theme theme) {
  // A style observer may release the host's last reference meanwhile.
  const auto alive = keepAlive();
  // The controllers' own setters apply the theme already; the explicit
  // forced update also covers subclasses whose setters only store it.
  themeWrites_.write(std::move(theme), [this](const Theme& assigned) {
    theme_ = assigned;
    headerController_->setTheme(assigned);
    headerController_->updateDefaultStyle(true);
    contentController_->setTheme(assigned);
    contentController_->updateDefaultStyle(true);
  });
}

void GanttChartController::setMode(std::optional<Mode> mode) {
  const auto alive = keepAlive();
  modeWrites_.write(mode, [this](std::optional<Mode> assigned) {
    mode_ = assigned;
    headerController_->setMode(assigned);
    headerController_->updateDefaultStyle(true);
    contentController_->setMode(assigned);
    contentController_->updateDefaultStyle(true);
  });
}

// --- Synchronisation -----------------------------------------------------------------

void GanttChartController::synchronizeHeaderTimeline() {
  headerController_->setScrollableTimeline(contentController_->actualTimeline());
  if (auto o = observer()) o->headerTimelineDidChange();
}

void GanttChartController::synchronizeHeaderWithContent() {
  GanttChartHeaderController& header = *headerController_;
  GanttChartContentController& content = *contentController_;
  header.setVisibilitySchedule(content.visibilitySchedule());
  header.setHourWidth(content.hourWidth());
  // The header's limits hold for both sides.
  content.setZoom(header.setZoomCoercing(content.zoom()));
  const Rectangle viewport = content.viewport();
  const TimeRange visible = content.timeline(viewport.origin.x, viewport.size.width);
  requestScroll(header.scroller(), header.x(visible.start), header.x(visible.finish));
}

void GanttChartController::synchronizeContentWithHeader() {
  GanttChartHeaderController& header = *headerController_;
  GanttChartContentController& content = *contentController_;
  content.setVisibilitySchedule(header.visibilitySchedule());
  content.setHourWidth(header.hourWidth());
  content.setZoom(header.zoom());
  const Rectangle viewport = header.viewport();
  const TimeRange visible = header.timeline(viewport.origin.x, viewport.size.width);
  requestScroll(content.scroller(), content.x(visible.start), content.x(visible.finish));
}

// --- The adapters' answers -------------------------------------------------------------

template <class Answer>
void GanttChartController::react(Answer&& answer) {
  // An observer may release the host's last reference meanwhile.
  const auto alive = keepAlive();
  ++reactionDepth_;
  answer();
  --reactionDepth_;
  // Scale changes arrive in chains of nested notifications; the header's
  // rows are looked at once the chain has settled.
  if (reactionDepth_ == 0) tellOfHeaderRowCountChangedByScale();
}

void GanttChartController::answerHeaderRowCountChange() {
  react([this] {
    rememberHeaderRowCount();
    if (auto o = observer()) o->headerHeightDidChange();
    if (auto o = rangeObserver()) o->headerRowCountDidChange();
  });
}

void GanttChartController::answerHeaderTimelineChange() {
  react([this] { synchronizeHeaderTimeline(); });
}

void GanttChartController::answerHeaderVisibleTimelineChange() {
  react([this] {
    if (!isHeaderTimelineSyncing_) synchronizeContentWithHeader();
  });
}

void GanttChartController::answerContentTotalRowCountChange() {
  react([this] {
    if (auto o = rangeObserver()) o->totalContentRowCountDidChange();
  });
}

void GanttChartController::answerContentVisibleRangeChange() {
  react([this] {
    if (auto o = rangeObserver()) o->visibleContentRangeDidChange();
  });
}

void GanttChartController::answerContentTimelineChange() {
  react([this] {
    {
      // The header's answer to its new timeline must not copy its other,
      // not yet updated values back into the content (undoing the content's
      // new schedule or hour width); the content's visible-timeline
      // notification, which always follows, brings the header in line.
      ScopedFlag syncing(isHeaderTimelineSyncing_);
      synchronizeHeaderTimeline();
    }
    if (auto o = timelineObserver()) o->timelineDidChange();
  });
}

void GanttChartController::answerContentVisibleTimelineChange() {
  react([this] {
    {
      ScopedFlag syncing(isHeaderTimelineSyncing_);
      synchronizeHeaderWithContent();
    }
    if (auto o = timelineObserver()) o->visibleTimelineDidChange();
  });
}

// --- Header rows chosen by the scale ------------------------------------------------------

void GanttChartController::rememberHeaderRowCount() {
  knownHeaderRowCount_ = headerController_->rowCount();
  knownHeaderRowCountHourWidth_ = headerController_->actualHourWidth();
}

bool GanttChartController::headerRowCountChangedByScale() {
  const GanttChartHeaderController& header = *headerController_;
  // Without a row selector the rows change only by assignment, which the
  // header reports itself; with one, only a new scale can change its answer.
  if (!header.rowSelector() || header.actualHourWidth() == knownHeaderRowCountHourWidth_) {
    return false;
  }
  const int64_t previous = knownHeaderRowCount_;
  rememberHeaderRowCount();
  return knownHeaderRowCount_ != previous;
}

void GanttChartController::tellOfHeaderRowCountChangedByScale() {
  // An observer may change the scale again while it is told; a few rounds
  // catch that, and a host that always does cannot make this run for ever.
  constexpr int kMaxRounds = 4;
  for (int round = 0; round < kMaxRounds && headerRowCountChangedByScale(); ++round) {
    // Counted as a reaction, so that the answers nested in these calls are
    // looked at by this loop rather than by themselves.
    ++reactionDepth_;
    if (auto o = observer()) o->headerHeightDidChange();
    if (auto o = rangeObserver()) o->headerRowCountDidChange();
    --reactionDepth_;
  }
}

}  // namespace vorlent
