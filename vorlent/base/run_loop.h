#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace vorlent {

namespace detail {
struct TimerState;
}

// The handle of a repeating timer. The timer runs while the handle is valid:
// destroying the handle, assigning over it, or calling `invalidate()` stops
// it for good, and no tick starts after that (a tick already running
// finishes). A default-constructed handle holds no timer. Move-only.
class RepeatingTimer {
 public:
  RepeatingTimer() = default;
  explicit RepeatingTimer(std::shared_ptr<detail::TimerState> state);
  ~RepeatingTimer();
  RepeatingTimer(RepeatingTimer&& other) noexcept;
  RepeatingTimer& operator=(RepeatingTimer&& other) noexcept;
  RepeatingTimer(const RepeatingTimer&) = delete;
  RepeatingTimer& operator=(const RepeatingTimer&) = delete;

  // Stops the timer; safe to call from inside its own callback and more
  // than once.
  void invalidate();
  // Whether the timer still runs (false once invalidated or when its loop
  // has gone).
  [[nodiscard]] bool isValid() const;

 private:
  std::shared_ptr<detail::TimerState> state_;
};

// The loop that runs the controllers' deferred work: repeating timers and
// posted callbacks. Toolkit-free; the views install one over the toolkit's
// event loop while an application exists, and tests drive `ManualRunLoop`.
// Everything runs on the GUI thread. Implementations share the timer
// bookkeeping of vorlent/base/run_loop_timers.h.
class RunLoop {
 public:
  // The shortest interval a timer runs at: a positive interval below it is
  // raised to it, so a tiny interval cannot flood a loop with ticks (one
  // millisecond is also the finest step of the toolkit's timers).
  static constexpr double kMinimumIntervalSeconds = 0.001;

  virtual ~RunLoop() = default;

  // Calls `callback` every `intervalSeconds`, the first time one interval
  // after scheduling; ticks stay on that grid. Over a real event loop, ticks
  // that fell due while the loop was busy coalesce into one (a manual loop
  // fires each; see `ManualRunLoop::advance`). A non-finite or non-positive
  // interval (or an empty callback) schedules nothing and returns an invalid
  // handle. A callback may invalidate its own timer or others and schedule
  // new ones (whose first tick is one interval after the time of the tick
  // that scheduled them).
  virtual RepeatingTimer scheduleRepeating(double intervalSeconds,
                                           std::function<void()> callback) = 0;

  // Runs `callback` after the current work, in the order of posting.
  virtual void post(std::function<void()> callback) = 0;

  // Seconds on a clock that never runs backwards (a wall clock set back does
  // not move it); for throttles. Only differences are meaningful.
  [[nodiscard]] virtual double monotonicSeconds() const = 0;

  // The process-wide loop the controllers use; by default a `ManualRunLoop`
  // that lives as long as the process. Ask for it per use rather than keep
  // the reference: a host may replace it.
  static RunLoop& current();
  // Replaces the current loop and returns the previous one, or `nullptr`
  // when the default loop was current; `nullptr` restores the default loop.
  // The replaced loop lives on while someone holds it.
  static std::shared_ptr<RunLoop> setCurrent(std::shared_ptr<RunLoop> loop);
  // Whether the default loop is current (nothing was installed, or the
  // default was restored).
  [[nodiscard]] static bool currentIsDefault();
};

// A loop that runs only when told to; for tests and for hosts without an
// event loop. Its monotonic clock starts at 0 and moves only by `advance`.
// Destroying it stops its timers (their handles turn invalid) and drops the
// posted work that has not run; a callback may destroy it safely.
class ManualRunLoop : public RunLoop {
 public:
  // Ticks one `advance` fires one by one; past that the rest of the span
  // passes as for a busy real loop, each timer still due firing once more at
  // the end of the span. Bounds a long span over many short timers.
  static constexpr std::size_t kMaxTicksPerAdvance = 1'000'000;
  // Rounds `runPending` makes before it leaves what is still posted for the
  // next call; a round runs what was posted before it began.
  static constexpr int kMaxPendingRounds = 1'000;

  ManualRunLoop();
  ~ManualRunLoop() override;
  ManualRunLoop(const ManualRunLoop&) = delete;
  ManualRunLoop& operator=(const ManualRunLoop&) = delete;

  RepeatingTimer scheduleRepeating(double intervalSeconds,
                                   std::function<void()> callback) override;
  void post(std::function<void()> callback) override;
  [[nodiscard]] double monotonicSeconds() const override;

  // Moves time forward by `seconds`, firing every tick that falls due within
  // the span (the end included) at its own due time, in time order (timers
  // due together in the order they were scheduled); before each tick the
  // monotonic clock and, when it is pinned, the settable `Clock` read that
  // due time, and both read the end of the span afterwards. The pinned
  // clock moves by as much as the monotonic one, from wherever it was
  // pinned, even when a callback re-pins it. Work posted earlier runs first
  // and posted work runs after each tick. A non-finite or negative span
  // does nothing. See `kMaxTicksPerAdvance` for the bound.
  void advance(double seconds);
  // Runs the posted callbacks, including those posted while running, in
  // order; stops after `kMaxPendingRounds` rounds so that work that keeps
  // posting itself cannot hang the caller.
  void runPending();

  // How many timers are still running; for tests.
  [[nodiscard]] std::size_t activeTimerCount() const;

 private:
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

// The current loop as a `ManualRunLoop`, or `nullptr` when a host installed
// another kind.
ManualRunLoop* currentManualRunLoop();

// Installs a fresh `ManualRunLoop` for the lifetime of the object and
// restores the previous loop afterwards; for tests.
class ScopedManualRunLoop {
 public:
  ScopedManualRunLoop();
  ~ScopedManualRunLoop();
  ScopedManualRunLoop(const ScopedManualRunLoop&) = delete;
  ScopedManualRunLoop& operator=(const ScopedManualRunLoop&) = delete;

  ManualRunLoop& loop() { return *loop_; }
  ManualRunLoop* operator->() { return loop_.get(); }

 private:
  std::shared_ptr<ManualRunLoop> loop_;
  std::shared_ptr<RunLoop> previous_;
};

}  // namespace vorlent
