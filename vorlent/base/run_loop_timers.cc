#include "vorlent/base/run_loop_timers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace vorlent::detail {

namespace {

// The heap keeps the earliest due (then the earliest scheduled) on top.
bool firesLater(const std::shared_ptr<TimerState>& a, const std::shared_ptr<TimerState>& b) {
  if (a->due != b->due) return a->due > b->due;
  return a->order > b->order;
}

// Compacting below this many stopped entries is not worth a heap rebuild.
constexpr std::size_t kCompactionThreshold = 64;

double strictlyAfter(double candidate, double bound) {
  return candidate > bound ? candidate
                           : std::nextafter(bound, std::numeric_limits<double>::infinity());
}

}  // namespace

void TimerState::stop() {
  if (!active) return;
  active = false;
  if (queue != nullptr) queue->timerStopped(*this);
  // A running callback is released when its tick ends, not under its feet.
  if (!firing) {
    const auto released = std::move(callback);
    callback = nullptr;
  }
}

TimerQueue::~TimerQueue() { shutDown(); }

RepeatingTimer TimerQueue::schedule(double intervalSeconds, std::function<void()> callback,
                                    double now) {
  if (closed_ || !callback || !std::isfinite(intervalSeconds) || intervalSeconds <= 0) {
    return RepeatingTimer();
  }
  auto state = std::make_shared<TimerState>();
  state->callback = std::move(callback);
  state->interval = std::max(intervalSeconds, RunLoop::kMinimumIntervalSeconds);
  state->anchor = now;
  state->due = strictlyAfter(now + state->interval, now);
  state->order = nextOrder_++;
  state->queue = this;
  ++active_;
  push(state);
  return RepeatingTimer(std::move(state));
}

std::optional<double> TimerQueue::earliestDue() {
  dropStoppedFront();
  if (heap_.empty()) return std::nullopt;
  return heap_.front()->due;
}

std::shared_ptr<TimerState> TimerQueue::takeEarliest() {
  dropStoppedFront();
  std::pop_heap(heap_.begin(), heap_.end(), firesLater);
  std::shared_ptr<TimerState> state = std::move(heap_.back());
  heap_.pop_back();
  state->firing = true;
  firing_.push_back(state.get());
  return state;
}

void TimerQueue::run(TimerState& state) {
  if (state.active) state.callback();
}

void TimerQueue::requeue(std::shared_ptr<TimerState> state, double now, CatchUp mode) {
  // Nested loops started from inside the callback have unwound by now, so
  // this tick is the innermost one.
  firing_.pop_back();
  state->firing = false;
  if (!state->active) {
    const auto released = std::move(state->callback);
    state->callback = nullptr;
    return;
  }
  const double fired = state->due;
  double bound = fired;
  state->tickIndex += 1;
  if (mode == CatchUp::coalesce) {
    const double firstAfterNow = std::floor((now - state->anchor) / state->interval) + 1;
    state->tickIndex = std::max(state->tickIndex, firstAfterNow);
    bound = std::max(bound, now);
  }
  // Far out the grid runs out of precision; still step forward, so the
  // loops that fire by due time always end.
  state->due = strictlyAfter(state->anchor + state->tickIndex * state->interval, bound);
  push(std::move(state));
}

void TimerQueue::timerStopped(const TimerState& state) {
  --active_;
  if (state.firing) return;  // not in the heap while its tick runs
  ++stoppedInHeap_;
  if (stoppedInHeap_ > kCompactionThreshold && 2 * stoppedInHeap_ > heap_.size()) {
    std::erase_if(heap_, [](const std::shared_ptr<TimerState>& s) { return !s->active; });
    std::make_heap(heap_.begin(), heap_.end(), firesLater);
    stoppedInHeap_ = 0;
  }
}

void TimerQueue::push(std::shared_ptr<TimerState> state) {
  heap_.push_back(std::move(state));
  std::push_heap(heap_.begin(), heap_.end(), firesLater);
}

void TimerQueue::dropStoppedFront() {
  while (!heap_.empty() && !heap_.front()->active) {
    std::pop_heap(heap_.begin(), heap_.end(), firesLater);
    heap_.pop_back();
    --stoppedInHeap_;
  }
}

void TimerQueue::shutDown() {
  if (closed_) return;
  closed_ = true;
  std::vector<std::shared_ptr<TimerState>> queued = std::move(heap_);
  heap_.clear();
  active_ = 0;
  stoppedInHeap_ = 0;
  for (const auto& state : queued) {
    state->active = false;
    state->queue = nullptr;
  }
  for (TimerState* state : firing_) {
    state->active = false;
    state->queue = nullptr;
  }
  // Everything is consistent now; let the callbacks' captures go.
  for (const auto& state : queued) {
    const auto released = std::move(state->callback);
    state->callback = nullptr;
  }
}

}  // namespace vorlent::detail
