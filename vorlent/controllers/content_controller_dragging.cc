// Dragging: moving and resizing bars, dragging completions, moving bars
// between rows, drawing dependencies and scrolling by dragging empty space,
// with the step repeated on a timer while the pointer rests.

#include <algorithm>
#include <cmath>
#include <utility>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_interaction_checks.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/library_rules.h"

namespace vorlent {

namespace {

using Action = GanttChartBarElementAction;
using Operation = GanttChartDraggingOperation;
using detail::isFinite;
using detail::isUsable;

// Sets a flag for the lifetime of the object.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// The four drags that place one of an item's times under the pointer.
enum class TimeEdit { start, finish, startOnly, completion };

struct TimeDrag {
  GanttChartItemPtr item;
  double span = 0;
  TimeEdit edit = TimeEdit::start;
};

std::optional<TimeDrag> timeDrag(const Operation& operation) {
  if (const auto* moving = operation.as<Operation::MovingBar>()) {
    return TimeDrag{moving->item, moving->span, TimeEdit::start};
  }
  if (const auto* resizing = operation.as<Operation::ResizingBar>()) {
    return TimeDrag{resizing->item, resizing->span, TimeEdit::finish};
  }
  if (const auto* resizing = operation.as<Operation::ResizingBarAtStart>()) {
    return TimeDrag{resizing->item, resizing->span, TimeEdit::startOnly};
  }
  if (const auto* resizing = operation.as<Operation::ResizingCompletionBar>()) {
    return TimeDrag{resizing->item, resizing->span, TimeEdit::completion};
  }
  return std::nullopt;
}

detail::DragBaseline baselineOf(const GanttChartItemPtr& item,
                                const GanttChartItemManager& manager) {
  return {item->time(),
          item->completion(),
          manager.scheduledDuration(item),
          manager.timeCompletedUntil(item),
          item->time(),
          item->completion()};
}

bool sameCompletion(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// A move keeps the working duration only up to rounding errors, which grow
// with every step by far less than this; no rule changes a duration by so
// little that it would matter.
constexpr double kDurationRoundingSeconds = 1e-3;

// Whether the update of `edit` reads from the item as it stands what it would
// read at `baseline`. A move reads the working duration, a resize the end it
// keeps and the completed part, a completion drag the time; a move and a
// resize that preserves nothing leave the completion ratio as they find it.
bool readsAsAtBaseline(TimeEdit edit, const GanttChartItemPtr& item,
                       const detail::DragBaseline& baseline, const GanttChartItemManager& manager,
                       bool preserving) {
  const TimeRange time = item->time();
  const double completion = item->completion();
  const auto completedPartKept = [&] {
    if (!preserving || !(baseline.completion > 0))
      return sameCompletion(completion, baseline.completion);
    // A completed part that an earlier step cut off is gone from the item.
    return completion > 0 && time.start <= baseline.completedUntil &&
           baseline.completedUntil <= time.finish;
  };
  switch (edit) {
    case TimeEdit::start:
      return std::abs(manager.scheduledDuration(item) - baseline.duration) <=
                 kDurationRoundingSeconds &&
             sameCompletion(completion, baseline.completion);
    case TimeEdit::finish:
      return time.start == baseline.time.start && completedPartKept();
    case TimeEdit::startOnly:
      return time.finish == baseline.time.finish && completedPartKept();
    case TimeEdit::completion:
      return time == baseline.time;
  }
  return true;
}

// Whether the item may be put back without the rules. The library's own
// rules place other items from where the item stands, except that a
// hierarchy moves the item's children by as much as the item moved, which a
// put-back without them would double. A host's rule may work like that too,
// so under one the item is never put back.
bool mayPutBack(const GanttChartItemPtr& item, const GanttChartItemManager& manager) {
  const detail::LibraryRules rules = detail::libraryRulesOf(manager.behavior());
  if (rules.foreign) return false;
  return std::none_of(rules.hierarchies.begin(), rules.hierarchies.end(), [&](const auto& rule) {
    return rule->aggregatingTime() && !rule->provider()->children(item).empty();
  });
}

// Before a step updates the item of a time drag: when the rules changed what
// the update reads of it in earlier steps (pushed it behind a predecessor,
// clamped it to a constraint), the update would build on that and the item
// would grow step by step. The item goes back to its time and completion at
// the drag's beginning first, through changes that ask the rules nothing, so
// that the step's update and its cascade leave the chart as one step from the
// beginning would. An ordinary step reads what it would read at the beginning
// and is left exactly as it was; a change made by the host between steps
// becomes the new beginning. Returns whether the item was put back.
bool putBackWhereTheDragBegan(GanttChartItemManager& manager, const TimeDrag& drag,
                              detail::DragBaseline& baseline, bool preserving) {
  const GanttChartItemPtr& item = drag.item;
  if (!(item->time() == baseline.timeAfterLastStep) ||
      !sameCompletion(item->completion(), baseline.completionAfterLastStep)) {
    baseline = baselineOf(item, manager);
    return false;
  }
  if (readsAsAtBaseline(drag.edit, item, baseline, manager, preserving) ||
      !mayPutBack(item, manager)) {
    return false;
  }
  // Exactly, not snapped: an end the host put off working time (the
  // midnight after a last working day) is what a resize keeps.
  detail::putBackWithoutRules(manager, item, baseline.time, baseline.completion);
  return true;
}

GanttChartItemPtr itemOf(const Operation& operation) {
  if (const std::optional<TimeDrag> drag = timeDrag(operation)) return drag->item;
  if (const auto* creating = operation.as<Operation::CreatingDependencyLine>()) {
    return creating->from;
  }
  if (const auto* moving = operation.as<Operation::MovingBarVertically>()) return moving->item;
  return nullptr;
}

}  // namespace

// --- Beginning --------------------------------------------------------------------

void GanttChartContentController::beginDragging(const Point& point, bool acceptScrolling) {
  ReactionScope scope(*this);
  // A drag still under way (its end was never reported) ends first, so that
  // its timer stops and its decorations go. Called back while that drag is
  // being ended, the new drag takes its place and the ending one leaves it
  // alone.
  cancelDragging();
  if (draggingOperation_) forgetDragging();
  const uint64_t drag = ++draggingGeneration_;
  draggingCursor_.reset();
  if (!isFinite(point)) return;

  const GanttChartElement element = this->element(point);
  if (element.is<GanttChartElement::EmptyArea>()) {
    if (acceptScrolling) draggingOperation_ = Operation::scrolling(point);
    return;
  }
  const auto* bar = element.as<GanttChartElement::Bar>();
  if (!bar) return;
  const GanttChartItemPtr item = bar->item;
  const Action action = bar->action;

  dependencyLineThumbArea_.reset();
  tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
  raiseToFront(item);
  // A callback may have begun a drag of its own meanwhile.
  if (drag != draggingGeneration_ || draggingOperation_) return;

  const Time pointerTime = time(point.x);
  const auto spanFrom = [&](const Time& reference) {
    return visibleDuration(reference, pointerTime);
  };
  const auto start = [&](Operation operation, Cursor cursor) {
    if (timeDrag(operation)) dragBaseline_ = baselineOf(item, *itemManager());
    draggingOperation_ = std::move(operation);
    draggingCursor_ = cursor;
  };
  switch (action) {
    case Action::none:
      return;
    case Action::move:
      start(Operation::movingBar(item, spanFrom(item->start())), Cursor::moveHorizontally);
      return;
    case Action::resize:
      start(Operation::resizingBar(item, spanFrom(item->finish())), Cursor::resizeHorizontally);
      return;
    case Action::resizeAtStart:
      start(Operation::resizingBarAtStart(item, spanFrom(item->start())),
            Cursor::resizeHorizontally);
      return;
    case Action::resizeCompletion:
      start(
          Operation::resizingCompletionBar(item, spanFrom(itemManager()->timeCompletedUntil(item))),
          Cursor::resizeHorizontally);
      return;
    case Action::moveVertically:
      draggingRowCount_ = actualRowCount();
      start(Operation::movingBarVertically(item), Cursor::moveVertically);
      return;
    case Action::createDependencyLine:
      start(Operation::creatingDependencyLine(item, GanttChartDependencyEndType::finish),
            Cursor::draw);
      return;
    case Action::createDependencyLineFromStart:
      start(Operation::creatingDependencyLine(item, GanttChartDependencyEndType::start),
            Cursor::draw);
      return;
  }
}

// --- The step and its timer ---------------------------------------------------------

void GanttChartContentController::continueDragging(const Point& point) {
  if (!draggingOperation_ || !isFinite(point) || isRunningDraggingStep_ || isFinishingDragging_) {
    return;
  }
  ReactionScope scope(*this);
  draggingTimer_ = RepeatingTimer();
  // The content the earlier steps moved under the pointer, without the view
  // following, is taken back out of the point: otherwise each movement
  // would read a time further along than the last, and the bar, moving the
  // timeline's start again, would run ahead of the pointer.
  const Point unshifted{point.x + draggingUnfollowedShift_, point.y};
  draggingToPoint_ = isFinite(unshifted) ? unshifted : point;
  const uint64_t drag = draggingGeneration_;
  runDraggingStep();
  if (drag != draggingGeneration_ || !draggingOperation_) return;
  // The timer refers to this controller weakly, and to this very drag, so
  // that a tick after the controller or the drag has gone does nothing.
  std::weak_ptr<GanttChartContentController> weakSelf = weak_from_this();
  draggingTimer_ =
      RunLoop::current().scheduleRepeating(settings().autoScrollInterval, [weakSelf, drag] {
        if (auto self = weakSelf.lock()) self->draggingTimerDidFire(drag);
      });
}

void GanttChartContentController::draggingTimerDidFire(uint64_t drag) {
  if (drag != draggingGeneration_ || !draggingOperation_) return;
  ReactionScope scope(*this);
  runDraggingStep();
}

void GanttChartContentController::runDraggingStep() {
  if (!draggingOperation_ || !draggingToPoint_ || isRunningDraggingStep_) return;
  const uint64_t drag = draggingGeneration_;
  const Point origin = viewport().origin;
  double unfollowedShift = 0;
  {
    FlagScope running(isRunningDraggingStep_);
    unfollowedShift = draggingStep(*draggingToPoint_);
  }
  if (drag != draggingGeneration_ || !draggingToPoint_) return;
  // A scroll the step asked for moved the content under the resting
  // pointer: the stored position moves along, so it keeps denoting the
  // place under the mouse.
  const Point moved = viewport().origin;
  draggingToPoint_->x += moved.x - origin.x + unfollowedShift;
  draggingToPoint_->y += moved.y - origin.y;
  draggingUnfollowedShift_ += unfollowedShift;
}

double GanttChartContentController::draggingStep(const Point& pointer) {
  draggingCompletion_.reset();
  // A copy: a callback may end the drag while the step runs.
  const Operation operation = *draggingOperation_;
  if (const auto* scrolling = operation.as<Operation::Scrolling>()) {
    // The start point is never updated: the content follows the pointer as
    // if grabbed there.
    scrollBy(scrolling->from.x - pointer.x, scrolling->from.y - pointer.y);
    return 0;
  }
  // An item removed meanwhile (by the host, a behaviour or an editor) is
  // edited no further.
  if (!managesItem(itemOf(operation))) {
    cancelDragging();
    return 0;
  }
  if (const auto* creating = operation.as<Operation::CreatingDependencyLine>()) {
    drawDependencyLineTo(creating->from, creating->fromType, pointer);
    return 0;
  }
  if (const auto* moving = operation.as<Operation::MovingBarVertically>()) {
    dragBarVertically(moving->item, pointer);
    return 0;
  }
  return dragBarInTime(operation, pointer);
}

double GanttChartContentController::dragBarInTime(const Operation& operation,
                                                  const Point& pointer) {
  const std::optional<TimeDrag> drag = timeDrag(operation);
  if (!drag) return 0;
  const GanttChartItemPtr& item = drag->item;
  const uint64_t generation = draggingGeneration_;
  // The reference time keeps the grabbed offset of visible working time to
  // the pointer, then snaps to the time scale.
  const Time reference = visibleStart(time(pointer.x), drag->span);
  const Time snapped = timeScaleScheduleFor(item)->rounding(reference, timeScale());
  if (!isUsable(reference) || !isUsable(snapped)) return 0;

  double unfollowedShift = 0;
  // A resting pointer gives the same time tick after tick: applying it again
  // would only run the behaviours and notify for nothing.
  if (!draggedTime_ || !(*draggedTime_ == snapped)) {
    draggedTime_ = snapped;
    const Time timelineStart = actualTimeline().start;
    const bool preserving = settings().preservesCompletedDurationUponResizingBars;
    const GanttChartItemManagerPtr manager = itemManager();
    if (dragBaseline_ && putBackWhereTheDragBegan(*manager, *drag, *dragBaseline_, preserving)) {
      // Whoever heard of it may have ended the drag or removed the item.
      if (generation != draggingGeneration_) return 0;
      if (!managesItem(item)) {
        cancelDragging();
        return 0;
      }
    }
    switch (drag->edit) {
      case TimeEdit::start:
        manager->updateTime(item, snapped);
        break;
      case TimeEdit::finish:
        manager->updateDurationToFinishOn(item, snapped, preserving);
        break;
      case TimeEdit::startOnly:
        manager->updateDurationToStartOn(item, snapped, preserving);
        break;
      case TimeEdit::completion:
        manager->updateCompletion(item, snapped);
        break;
    }
    if (generation != draggingGeneration_) return 0;
    if (dragBaseline_) {
      dragBaseline_->timeAfterLastStep = item->time();
      dragBaseline_->completionAfterLastStep = item->completion();
    }
    unfollowedShift = followTimelineShift(timelineStart);
    if (generation != draggingGeneration_) return 0;
  }

  // Keep the place being edited in view: the grabbed point of a moved bar,
  // the moved end of a resized one, the pointer's time for a completion. A
  // resized end that the rules moved further out than the pointer put it (a
  // bar pushed behind its predecessor) is not followed there: the view
  // would carry the resting pointer's place along, and the bar with it,
  // tick after tick.
  double kept = 0;
  switch (drag->edit) {
    case TimeEdit::start:
      kept = x(visibleFinish(item->start(), drag->span));
      break;
    case TimeEdit::finish:
      kept = x(item->finish());
      kept = std::min(kept, x(std::max(snapped, item->start())));
      break;
    case TimeEdit::startOnly:
      kept = x(item->start());
      kept = std::max(kept, x(std::min(snapped, item->finish())));
      break;
    case TimeEdit::completion:
      kept = x(reference);
      break;
  }
  const double margin = settings().autoScrollMargin;
  requestScroll(kept - margin, kept + margin);
  return unfollowedShift;
}

double GanttChartContentController::followTimelineShift(const Time& previousStart) {
  // Only a timeline that follows the items' span moves with them.
  if (scrollableTimeline()) return 0;
  if (actualTimeline().start == previousStart) return 0;
  // Where the previous origin lies now: every moment moved by as much.
  const double shift = x(previousStart);
  if (!std::isfinite(shift) || shift == 0) return 0;
  const Rectangle before = viewport();
  requestScroll(before.left() + shift, before.right() + shift);
  return shift - (viewport().left() - before.left());
}

void GanttChartContentController::dragBarVertically(const GanttChartItemPtr& item,
                                                    const Point& pointer) {
  const uint64_t generation = draggingGeneration_;
  const int64_t rowCount = draggingRowCount_.value_or(actualRowCount());
  const int64_t target = std::max<int64_t>(std::min(row(pointer.y), rowCount - 1), 0);
  if (!draggedRow_ || *draggedRow_ != target) {
    draggedRow_ = target;
    // Held for the call: an observer told of the move may replace the
    // controller's manager before the call returns.
    const GanttChartItemManagerPtr manager = itemManager();
    manager->updateRow(item, target);
    if (generation != draggingGeneration_) return;
  }
  const double margin = settings().autoScrollMargin;
  const int64_t placed = item->row();
  requestVerticalScroll(top(placed) - margin, bottom(placed) + margin);
}

void GanttChartContentController::drawDependencyLineTo(const GanttChartItemPtr& from,
                                                       GanttChartDependencyEndType fromType,
                                                       const Point& pointer) {
  const uint64_t generation = draggingGeneration_;
  updateTemporaryDependencyLine(from, fromType, pointer);
  if (generation != draggingGeneration_) return;
  const double margin = settings().autoScrollMargin;
  const double pointerX = x(time(pointer.x));
  requestScroll(pointerX - margin, pointerX + margin);
  const int64_t pointerRow = row(pointer.y);
  requestVerticalScroll(top(pointerRow) - margin, bottom(pointerRow) + margin);
}

// --- Ending -----------------------------------------------------------------------------

void GanttChartContentController::endDragging() { finishDragging(true); }

void GanttChartContentController::cancelDragging() { finishDragging(false); }

void GanttChartContentController::finishDragging(bool completing) {
  // Callbacks made while finishing (an observer told of the cleared thumb,
  // an editor asked about the new dependency) cannot end the drag again.
  if (!draggingOperation_ || isFinishingDragging_) return;
  ReactionScope scope(*this);
  const uint64_t drag = draggingGeneration_;
  const Operation operation = *draggingOperation_;
  const std::optional<GanttChartDraggingCompletion> completion = draggingCompletion_;
  draggingTimer_ = RepeatingTimer();
  {
    FlagScope finishing(isFinishingDragging_);
    dependencyLineThumbArea_.reset();
    tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
    temporaryDependencyLine_.reset();
    tell(&GanttChartContentObserver::temporaryDependencyLineDidChange);
    temporaryBar_.reset();
    tell(&GanttChartContentObserver::temporaryBarDidChange);
    if (completing && drag == draggingGeneration_) completeDependencyLine(operation, completion);
  }
  // A callback began a drag of its own: that one stays.
  if (drag != draggingGeneration_) return;
  ++draggingGeneration_;
  forgetDragging();
}

void GanttChartContentController::forgetDragging() {
  draggingTimer_ = RepeatingTimer();
  draggingToPoint_.reset();
  draggingUnfollowedShift_ = 0;
  draggingCursor_.reset();
  draggingCompletion_.reset();
  draggingOperation_.reset();
  draggedTime_.reset();
  draggedRow_.reset();
  dragBaseline_.reset();
  draggingRowCount_.reset();
}

void GanttChartContentController::completeDependencyLine(
    const Operation& operation, const std::optional<GanttChartDraggingCompletion>& completion) {
  const auto* creating = operation.as<Operation::CreatingDependencyLine>();
  if (!creating || !completion) return;
  const auto* target = completion->as<GanttChartDraggingCompletion::WouldCreateDependencyLine>();
  // An item linked to itself would push itself along for ever.
  if (!target || !target->to || target->to == creating->from) return;
  const GanttChartItemPtr from = creating->from;
  const GanttChartItemPtr to = target->to;
  const GanttChartDependencyType type =
      makeGanttChartDependencyType(creating->fromType, target->toType);
  if (auto e = editor(); e && !e->canAddNewDependency(from, to, type)) return;
  // Linking an item the manager no longer holds would leave a dangling
  // dependency behind.
  if (!managesItem(from) || !managesItem(to)) return;
  // Held for the call, as the manager reports the new dependency before it
  // returns.
  const GanttChartItemManagerPtr manager = itemManager();
  const GanttChartDependencyPtr dependency = manager->addNewDependency(from, to, type);
  if (!dependency) return;
  initialize(dependency);
  if (settings().editsNewlyCreatedDependencies) edit(dependency);
}

// --- The dragged item -----------------------------------------------------------------

GanttChartItemPtr GanttChartContentController::draggedItem() const {
  return draggingOperation_ ? itemOf(*draggingOperation_) : nullptr;
}

bool GanttChartContentController::managesItem(const GanttChartItemPtr& item) const {
  if (!item) return false;
  const GanttChartItemManagerPtr& manager = itemManager();
  const auto holds = [&item](const GanttChartItemList& items) {
    return std::find(items.begin(), items.end(), item) != items.end();
  };
  if (holds(manager->filteredItems())) return true;
  // Outside the filter only the whole collection can tell; a provider that
  // lists none leaves the question open, and the item counts as held.
  if (auto provider = manager->collectionProvider(); provider && !provider->availableItems()) {
    return true;
  }
  return holds(manager->availableItems());
}

}  // namespace vorlent
