#include "vorlent/controllers/content_controller.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/controllers/saturating_math.h"
#include "vorlent/controllers/settled_timeline.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {

namespace {

// Numeric equality, except that NaN is the same as NaN, so that assigning NaN
// over NaN is no change (and cannot notify again and again).
bool sameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool isFinite(const Rectangle& rectangle) {
  return std::isfinite(rectangle.origin.x) && std::isfinite(rectangle.origin.y) &&
         std::isfinite(rectangle.size.width) && std::isfinite(rectangle.size.height);
}

// A usable factor of the geometry: positive and finite, else 0.
double usable(double value) { return std::isfinite(value) && value > 0 ? value : 0; }

// A diagram length: NaN and negative lengths are 0, +infinity stays.
double diagramLength(double value) { return value > 0 ? value : 0; }

// Lists a notification the reaction bounds held back, once.
template <class Notification>
void holdBack(std::vector<Notification>& heldBack, Notification call) {
  if (std::find(heldBack.begin(), heldBack.end(), call) == heldBack.end()) {
    heldBack.push_back(call);
  }
}

const GanttChartItem& itemOf(const GanttChartItemPtr& item, const char* operation) {
  if (!item) fatalStop(std::string("GanttChartContentController::") + operation +
                       ": the item is null");
  return *item;
}

}  // namespace

// --- Construction and the item manager ---------------------------------------

std::shared_ptr<GanttChartContentController> GanttChartContentController::create(
    GanttChartItemManagerPtr itemManager) {
  std::shared_ptr<GanttChartContentController> controller(
      new GanttChartContentController(std::move(itemManager)));
  controller->attachToItemManager();
  return controller;
}

std::shared_ptr<GanttChartContentController> GanttChartContentController::create(
    std::vector<GanttChartItemPtr> items, std::vector<GanttChartDependencyPtr> dependencies) {
  return create(
      std::make_shared<GanttChartItemSource>(std::move(items), std::move(dependencies)));
}

GanttChartContentController::GanttChartContentController(GanttChartItemManagerPtr itemManager)
    : itemManager_(std::move(itemManager)),
      visibilitySchedule_(ScheduleDefinition::continuous()) {
  if (!itemManager_) fatalStop("GanttChartContentController: the item manager is null");
}

GanttChartContentController::~GanttChartContentController() = default;

void GanttChartContentController::attachToItemManager() {
  // Only the rows are pushed now: the timeline filter follows the first
  // change of the viewport, the timeline or the scale.
  updateItemManagerRange();
  itemManager_->setCollectionObserver(weak_from_this());
}

void GanttChartContentController::setItemManager(GanttChartItemManagerPtr itemManager) {
  if (!itemManager) fatalStop("GanttChartContentController::setItemManager: the manager is null");
  ReactionScope scope(*this);
  // The old manager may already report to another controller; leave that one.
  if (itemManager_->collectionObserver().get() ==
      static_cast<GanttChartCollectionObserver*>(this)) {
    itemManager_->setCollectionObserver({});
  }
  itemManager_ = std::move(itemManager);
  clearCaches();
  managedTotalRowCount_ = itemManager_->totalRowCount();
  updateItemManagerRange();
  updateItemManagerTimeline();
  tellContentChanged();
  tell(&GanttChartContentRangeObserver::totalRowCountDidChange);
  tell(&GanttChartContentRangeObserver::visibleRangeDidChange);
  tell(&GanttChartContentTimelineObserver::timelineDidChange);
  tell(&GanttChartContentTimelineObserver::visibleTimelineDidChange);
  // Last, so that the manager's answers to the pushes above reach nobody; an
  // observer may have replaced the manager meanwhile, so the current one is
  // the one to observe.
  itemManager_->setCollectionObserver(weak_from_this());
}

// --- Reactions and notifications ---------------------------------------------

GanttChartContentController::ReactionScope::ReactionScope(GanttChartContentController& controller)
    : controller_(controller), keepAlive_(controller.weak_from_this().lock()) {
  if (controller_.reactionDepth_++ == 0) controller_.reactionsInRun_ = 0;
  if (controller_.reactionsInRun_ <= kMaxReactionsPerRun) ++controller_.reactionsInRun_;
}

GanttChartContentController::ReactionScope::~ReactionScope() {
  // The controller is still held here: `keepAlive_` goes after this body.
  if (--controller_.reactionDepth_ == 0 && !controller_.tellingHeldBack_ &&
      !controller_.heldBack_.empty()) {
    controller_.tellHeldBack();
  }
}

void GanttChartContentController::tellHeldBack() {
  const HeldBackNotifications held = std::exchange(heldBack_, {});
  tellingHeldBack_ = true;
  {
    const ReactionScope scope(*this);
    for (const auto call : held.observer) tell(call);
    for (const auto call : held.range) tell(call);
    for (const auto call : held.timeline) tell(call);
    for (const auto call : held.selection) tell(call);
  }
  heldBack_ = {};
  tellingHeldBack_ = false;
}

void GanttChartContentController::tell(void (GanttChartContentObserver::*call)()) const {
  if (!mayNotify()) {
    holdBack(heldBack_.observer, call);
    return;
  }
  if (auto target = observer()) ((*target).*call)();
}

void GanttChartContentController::tell(void (GanttChartContentRangeObserver::*call)()) const {
  if (!mayNotify()) {
    holdBack(heldBack_.range, call);
    return;
  }
  if (auto target = rangeObserver()) ((*target).*call)();
}

void GanttChartContentController::tell(void (GanttChartContentTimelineObserver::*call)()) const {
  if (!mayNotify()) {
    holdBack(heldBack_.timeline, call);
    return;
  }
  if (auto target = timelineObserver()) ((*target).*call)();
}

void GanttChartContentController::tell(void (GanttChartContentSelectionObserver::*call)()) const {
  if (!mayNotify()) {
    holdBack(heldBack_.selection, call);
    return;
  }
  if (auto target = selectionObserver()) ((*target).*call)();
}

void GanttChartContentController::tellContentChanged() const {
  tell(&GanttChartContentObserver::totalDiagramSizeDidChange);
  tell(&GanttChartContentObserver::visibleBarsDidChange);
  tell(&GanttChartContentObserver::visibleDependencyLinesDidChange);
  tell(&GanttChartContentObserver::highlightedScheduleAreasDidChange);
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
}

void GanttChartContentController::tellVisibleElementsChanged() const {
  tell(&GanttChartContentObserver::visibleBarsDidChange);
  tell(&GanttChartContentObserver::visibleDependencyLinesDidChange);
}

void GanttChartContentController::clearCaches() {
  cachedTotalDiagramSize_.reset();
  cachedVisibleBars_.clear();
  cachedVisibleDependencyLines_.clear();
  cachedHighlightedScheduleAreas_.clear();
  cachedHighlightedIntervalAreas_.clear();
  preferredTimelineCache_.reset();
}

// --- Scale and geometry: properties ------------------------------------------

void GanttChartContentController::timelineShapeDidChange() {
  clearCaches();
  // Even where only the margins changed, the start of a preferred timeline,
  // and with it the time under every x, may have moved; the filter follows.
  updateItemManagerTimeline();
  tellContentChanged();
  tell(&GanttChartContentTimelineObserver::timelineDidChange);
  tell(&GanttChartContentTimelineObserver::visibleTimelineDidChange);
}

void GanttChartContentController::setVisibilitySchedule(
    std::shared_ptr<ScheduleDefinition> schedule) {
  if (!schedule) schedule = ScheduleDefinition::continuous();
  if (schedule == visibilitySchedule_) return;
  ReactionScope scope(*this);
  visibilitySchedule_ = std::move(schedule);
  workingTimeIndex_.reset();
  timelineShapeDidChange();
}

void GanttChartContentController::setRowHeight(double rowHeight) {
  if (sameValue(rowHeight, rowHeight_)) return;
  ReactionScope scope(*this);
  rowHeight_ = rowHeight;
  clearCaches();
  updateItemManagerRange();
  tellContentChanged();
  tell(&GanttChartContentRangeObserver::visibleRangeDidChange);
}

void GanttChartContentController::setHourWidth(double hourWidth) {
  if (sameValue(hourWidth, hourWidth_)) return;
  ReactionScope scope(*this);
  hourWidth_ = hourWidth;
  timelineShapeDidChange();
}

void GanttChartContentController::setZoom(double zoom) {
  ReactionScope scope(*this);
  zoomWrites_.write(zoom, [this](double value) { applyZoom(value); });
}

void GanttChartContentController::applyZoom(double zoom) {
  if (sameValue(zoom, zoom_)) return;
  const double old = zoom_;
  // Following the preferred timeline, whose margins are points turned into
  // hours, a new zoom moves the actual timeline too.
  const std::optional<TimeRange> followedTimeline =
      scrollableTimeline_ ? std::nullopt : std::optional<TimeRange>(actualTimeline());
  zoom_ = zoom;
  clearCaches();
  updateItemManagerTimeline();
  tellContentChanged();
  if (followedTimeline && !sameTimeline(actualTimeline(), *followedTimeline)) {
    tell(&GanttChartContentTimelineObserver::timelineDidChange);
  }
  tell(&GanttChartContentTimelineObserver::visibleTimelineDidChange);
  if (!mayNotify()) return;
  if (auto target = viewportObserver()) target->zoomDidChange(zoom, old);
}

void GanttChartContentController::setPreferredTimelineMargin(double margin) {
  if (sameValue(margin, preferredTimelineMargin_)) return;
  ReactionScope scope(*this);
  preferredTimelineMargin_ = margin;
  timelineShapeDidChange();
}

void GanttChartContentController::setShowsAttachments(bool showsAttachments) {
  if (showsAttachments == showsAttachments_) return;
  ReactionScope scope(*this);
  showsAttachments_ = showsAttachments;
  timelineShapeDidChange();
}

void GanttChartContentController::setAttachmentLabelWidth(double width) {
  if (sameValue(width, attachmentLabelWidth_)) return;
  ReactionScope scope(*this);
  attachmentLabelWidth_ = width;
  timelineShapeDidChange();
}

void GanttChartContentController::setViewportExtensionWidth(double width) {
  if (sameValue(width, viewportExtensionWidth_)) return;
  ReactionScope scope(*this);
  viewportExtensionWidth_ = width;
  clearCaches();
  updateItemManagerTimeline();
  tellVisibleElementsChanged();
}

void GanttChartContentController::setViewportExtensionHeight(double height) {
  if (sameValue(height, viewportExtensionHeight_)) return;
  ReactionScope scope(*this);
  viewportExtensionHeight_ = height;
  clearCaches();
  updateItemManagerRange();
  tellVisibleElementsChanged();
}

void GanttChartContentController::setViewport(const Rectangle& viewport) {
  // A viewport that is not finite cannot be filtered by or cached under.
  if (!isFinite(viewport)) return;
  ReactionScope scope(*this);
  viewportWrites_.write(viewport, [this](const Rectangle& value) { applyViewport(value); });
}

void GanttChartContentController::applyViewport(const Rectangle& viewport) {
  if (viewport == viewport_) return;
  const Rectangle old = viewport_;
  // The caches stay: they are keyed by the viewport, so coming back to a
  // recent one finds its results.
  viewport_ = viewport;
  // Nobody hears of the new viewport before both filters are in place: an
  // observer told of the new rows alone would read the bars of the new rows
  // over the old timeline, cached under this viewport until the next clearing.
  const bool wasPushing = std::exchange(pushingViewportFilter_, true);
  updateItemManagerRange();
  updateItemManagerTimeline();
  pushingViewportFilter_ = wasPushing;
  tell(&GanttChartContentObserver::visibleBarsDidChange);
  tell(&GanttChartContentObserver::visibleDependencyLinesDidChange);
  tell(&GanttChartContentObserver::highlightedScheduleAreasDidChange);
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
  tell(&GanttChartContentRangeObserver::visibleRangeDidChange);
  tell(&GanttChartContentTimelineObserver::visibleTimelineDidChange);
  if (!mayNotify()) return;
  if (auto target = viewportObserver()) target->viewportDidChange(viewport, old);
}

Size GanttChartContentController::totalDiagramSize() const {
  if (cachedTotalDiagramSize_) return *cachedTotalDiagramSize_;
  const TimeRange timeline = actualTimeline();
  const double width =
      visibleDuration(timeline.start, timeline.finish) / secondsPerHour * effectiveHourWidth();
  const double height = effectiveRowHeight() * static_cast<double>(actualRowCount());
  cachedTotalDiagramSize_ = Size{diagramLength(width), diagramLength(height)};
  return *cachedTotalDiagramSize_;
}

// --- Scale and geometry: mappings --------------------------------------------

double GanttChartContentController::effectiveHourWidth() const { return usable(zoom_ * hourWidth_); }

double GanttChartContentController::effectiveRowHeight() const { return usable(rowHeight_); }

double GanttChartContentController::secondsFor(double points) const {
  const double hourWidth = effectiveHourWidth();
  if (hourWidth == 0) return 0;
  const double seconds = points / hourWidth * secondsPerHour;
  return std::isfinite(seconds) ? seconds : 0;
}

bool GanttChartContentController::visibilityScheduleIsFixed() const {
  // The plain `Schedule` is immutable once made unless it asks a provider.
  const ScheduleDefinition& schedule = *visibilitySchedule_;
  if (typeid(schedule) != typeid(Schedule)) return false;
  return static_cast<const Schedule&>(schedule).excludedIntervalProvider() == nullptr;
}

const WorkingTimeIndex* GanttChartContentController::workingTimeIndex() const {
  // Without exclusions the calendar counts whole weeks at once and needs no
  // table. A calendar that may answer differently from one call to the next
  // is asked every time, since its table would go stale unnoticed.
  if (!visibilitySchedule_->hasExcludedIntervals() || !visibilityScheduleIsFixed()) {
    return nullptr;
  }
  workingTimeIndex_.prepare(visibilitySchedule_, actualTimeline());
  return workingTimeIndex_.isEmpty() ? nullptr : &workingTimeIndex_;
}

double GanttChartContentController::visibleDuration(const Time& from, const Time& to) const {
  if (const WorkingTimeIndex* index = workingTimeIndex()) {
    if (std::optional<double> duration = index->duration(from, to)) return *duration;
  }
  return visibilitySchedule_->duration(from, to, TimeUnit::seconds);
}

Time GanttChartContentController::visibleFinish(const Time& from, double seconds) const {
  if (const WorkingTimeIndex* index = workingTimeIndex()) {
    if (std::optional<Time> finish = index->finish(from, seconds)) return *finish;
  }
  return visibilitySchedule_->finish(from, seconds, TimeUnit::seconds);
}

Time GanttChartContentController::visibleStart(const Time& to, double seconds) const {
  if (const WorkingTimeIndex* index = workingTimeIndex()) {
    if (std::optional<Time> start = index->start(to, seconds)) return *start;
  }
  return visibilitySchedule_->start(to, seconds, TimeUnit::seconds);
}

Time GanttChartContentController::nextVisibleTime(const Time& from, double seconds) const {
  if (const WorkingTimeIndex* index = workingTimeIndex()) {
    if (std::optional<Time> time = index->nextTimeAfter(from, seconds)) return *time;
  }
  return visibilitySchedule_->nextTime(
      visibilitySchedule_->finish(from, seconds, TimeUnit::seconds));
}

double GanttChartContentController::x(const Time& time) const {
  const double hourWidth = effectiveHourWidth();
  if (hourWidth == 0) return 0;
  return visibleDuration(actualTimeline().start, time) / secondsPerHour * hourWidth;
}

double GanttChartContentController::width(const TimeRange& range) const {
  const double hourWidth = effectiveHourWidth();
  if (hourWidth == 0) return 0;
  return visibleDuration(range.start, range.finish) / secondsPerHour * hourWidth;
}

Time GanttChartContentController::time(double x) const {
  return nextVisibleTime(actualTimeline().start, secondsFor(x));
}

double GanttChartContentController::startX(const GanttChartItemPtr& item) const {
  return x(itemOf(item, "startX").start());
}

double GanttChartContentController::finishX(const GanttChartItemPtr& item) const {
  return x(itemOf(item, "finishX").finish());
}

double GanttChartContentController::completionX(const GanttChartItemPtr& item) const {
  itemOf(item, "completionX");
  return x(itemManager_->timeCompletedUntil(item));
}

double GanttChartContentController::top(int64_t row) const {
  return effectiveRowHeight() * static_cast<double>(row);
}

double GanttChartContentController::bottom(int64_t row) const {
  const double rowHeight = effectiveRowHeight();
  return rowHeight + rowHeight * static_cast<double>(row);
}

double GanttChartContentController::middle(int64_t row) const {
  return (top(row) + bottom(row)) * 0.5;
}

double GanttChartContentController::topY(const GanttChartItemPtr& item) const {
  return top(itemOf(item, "topY").row());
}

double GanttChartContentController::middleY(const GanttChartItemPtr& item) const {
  return middle(itemOf(item, "middleY").row());
}

double GanttChartContentController::bottomY(const GanttChartItemPtr& item) const {
  return bottom(itemOf(item, "bottomY").row());
}

int64_t GanttChartContentController::row(double y) const {
  return saturatingFloor(y / effectiveRowHeight());
}

// --- Highlighters (their reactions; the areas are the highlighting's) --------

void GanttChartContentController::setScheduleHighlighters(
    std::vector<ScheduleTimeSelector> highlighters) {
  ReactionScope scope(*this);
  scheduleHighlighters_ = std::move(highlighters);
  clearCaches();
  tell(&GanttChartContentObserver::highlightedScheduleAreasDidChange);
}

void GanttChartContentController::setIntervalHighlighters(std::vector<TimeSelector> highlighters) {
  ReactionScope scope(*this);
  intervalHighlighters_ = std::move(highlighters);
  showsCurrentTime_.reset();
  clearCaches();
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
}

// --- Settings and styles -----------------------------------------------------

void GanttChartContentController::setDefaultStyle(GanttChartContentBaseStyle style) {
  settings_.setDefaultStyle(std::move(style));
}

void GanttChartContentController::setStyle(GanttChartContentStyle style) {
  settings_.setStyle(std::move(style));
}

void GanttChartContentController::setStrings(GanttChartContentStrings strings) {
  settings_.strings = std::move(strings);
}

}  // namespace vorlent
