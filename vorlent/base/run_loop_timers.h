#pragma once

// The timer bookkeeping that every RunLoop implementation shares: the state
// behind a RepeatingTimer handle and a queue ordered by due time. Only loop
// implementations include this; controllers use vorlent/base/run_loop.h.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/base/run_loop.h"

namespace vorlent::detail {

class TimerQueue;

// What a RepeatingTimer handle shares with the queue that runs it. Ticks lie
// on a fixed grid, `anchor + k * interval` for k = 1, 2, …, so skipped
// (coalesced) ticks never shift the phase and repeated additions never drift.
struct TimerState {
  std::function<void()> callback;
  double interval = 0;
  double anchor = 0;     // the loop's monotonic reading when scheduled
  double tickIndex = 1;  // k of the next tick; a double so it never overflows
  double due = 0;        // strictly increases from tick to tick
  std::uint64_t order = 0;  // schedule order, breaks ties between equal dues
  bool active = true;
  bool firing = false;
  TimerQueue* queue = nullptr;  // null once the queue has shut down

  // Stops the timer for good and lets go of the callback (after the current
  // tick when called from inside it). Idempotent.
  void stop();
};

// A min-queue of repeating timers by due time (ties in schedule order).
// Stopped timers are dropped lazily and compacted away once they make up
// most of the queue, so schedule-and-cancel churn does not grow it. Firing
// pops the timer while its callback runs, so callbacks may schedule, stop
// and fire (from a nested loop) without disturbing the queue.
class TimerQueue {
 public:
  // How a fired timer finds its next tick.
  enum class CatchUp {
    // The next grid point after the one that fired: a manual loop fires
    // every tick at its own due time.
    everyTick,
    // The first grid point after `now`: ticks a busy loop missed coalesce
    // into the one that just fired.
    coalesce,
  };

  TimerQueue() = default;
  ~TimerQueue();
  TimerQueue(const TimerQueue&) = delete;
  TimerQueue& operator=(const TimerQueue&) = delete;

  // Adds a timer whose first tick is one interval after `now`. Refuses (an
  // invalid handle) a non-finite or non-positive interval, an empty callback
  // and any timer once the queue has shut down; raises a positive interval
  // below RunLoop::kMinimumIntervalSeconds to that minimum.
  RepeatingTimer schedule(double intervalSeconds, std::function<void()> callback, double now);

  // The due time of the earliest running timer; std::nullopt when none runs.
  [[nodiscard]] std::optional<double> earliestDue();

  // Pops the earliest running timer (the caller checked `earliestDue()`),
  // calls `beforeCallback()`, runs the timer's callback and, when the timer
  // still runs afterwards, queues its next tick as `mode` says, strictly
  // after the tick that fired (and, for `coalesce`, after `now`).
  template <typename BeforeCallback>
  void fireEarliest(double now, CatchUp mode, BeforeCallback&& beforeCallback) {
    std::shared_ptr<TimerState> state = takeEarliest();
    beforeCallback();
    run(*state);
    requeue(std::move(state), now, mode);
  }
  void fireEarliest(double now, CatchUp mode) {
    fireEarliest(now, mode, [] {});
  }

  // Timers that still run, the one firing included.
  [[nodiscard]] std::size_t activeCount() const { return active_; }

  // Stops every timer (their handles turn invalid) and refuses new ones.
  // Callbacks are released only after the queue is consistent, so their
  // captures may stop or schedule timers while they go.
  void shutDown();

 private:
  friend struct TimerState;

  std::shared_ptr<TimerState> takeEarliest();
  void run(TimerState& state);
  void requeue(std::shared_ptr<TimerState> state, double now, CatchUp mode);
  void timerStopped(const TimerState& state);
  void push(std::shared_ptr<TimerState> state);
  void dropStoppedFront();

  std::vector<std::shared_ptr<TimerState>> heap_;
  std::vector<TimerState*> firing_;  // innermost last; nested loops stack up
  std::size_t active_ = 0;
  std::size_t stoppedInHeap_ = 0;
  std::uint64_t nextOrder_ = 0;
  bool closed_ = false;
};

}  // namespace vorlent::detail
