#include "vorlent/base/run_loop.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <optional>
#include <utility>

#include "vorlent/base/clock.h"
#include "vorlent/base/run_loop_timers.h"

namespace vorlent {

// --- RepeatingTimer --------------------------------------------------------

RepeatingTimer::RepeatingTimer(std::shared_ptr<detail::TimerState> state)
    : state_(std::move(state)) {}

RepeatingTimer::~RepeatingTimer() { invalidate(); }

RepeatingTimer::RepeatingTimer(RepeatingTimer&& other) noexcept
    : state_(std::move(other.state_)) {}

RepeatingTimer& RepeatingTimer::operator=(RepeatingTimer&& other) noexcept {
  if (this != &other) {
    invalidate();
    state_ = std::move(other.state_);
  }
  return *this;
}

void RepeatingTimer::invalidate() {
  // Stopping releases the callback, whose captures may own this handle: let
  // go of the state first and touch no member afterwards.
  if (const auto state = std::move(state_)) state->stop();
}

bool RepeatingTimer::isValid() const { return state_ && state_->active; }

// --- The current loop ------------------------------------------------------

namespace {

struct CurrentLoop {
  std::shared_ptr<RunLoop> installed;
  std::shared_ptr<ManualRunLoop> fallback;
};

// Never destroyed, so handles and loops held by other statics may still
// reach it while the process exits.
CurrentLoop& currentLoop() {
  static auto* const loop = new CurrentLoop();
  return *loop;
}

}  // namespace

RunLoop& RunLoop::current() {
  CurrentLoop& loop = currentLoop();
  if (loop.installed) return *loop.installed;
  if (!loop.fallback) loop.fallback = std::make_shared<ManualRunLoop>();
  return *loop.fallback;
}

std::shared_ptr<RunLoop> RunLoop::setCurrent(std::shared_ptr<RunLoop> loop) {
  return std::exchange(currentLoop().installed, std::move(loop));
}

bool RunLoop::currentIsDefault() { return currentLoop().installed == nullptr; }

ManualRunLoop* currentManualRunLoop() {
  return dynamic_cast<ManualRunLoop*>(&RunLoop::current());
}

// --- ManualRunLoop ---------------------------------------------------------

struct ManualRunLoop::Impl {
  detail::TimerQueue timers;
  std::deque<std::function<void()>> posted;
  double now = 0;
  bool closed = false;
  // The pinned clock follows `now` from the point where it was last pinned
  // by someone else: `clockBase` read at `clockBaseAt`. `clockSetTo` is what
  // this loop last pinned, to notice a re-pin.
  std::optional<Date> clockSetTo;
  Date clockBase;
  double clockBaseAt = 0;

  // Moves the monotonic clock (never backwards) and a pinned Clock with it.
  void moveTo(double time) {
    const double previous = now;
    now = std::max(now, time);
    const std::optional<Date> pinned = Clock::pinned();
    if (!pinned) {
      clockSetTo.reset();
      return;
    }
    if (clockSetTo != pinned) {
      clockBase = *pinned;
      clockBaseAt = previous;
    }
    clockSetTo = clockBase.addingTimeInterval(now - clockBaseAt);
    Clock::setNow(clockSetTo);
  }

  void runPending() {
    for (int round = 0; round < kMaxPendingRounds && !posted.empty(); ++round) {
      // Work posted during this round waits for the next one.
      for (std::size_t n = posted.size(); n > 0 && !posted.empty(); --n) {
        const std::function<void()> work = std::move(posted.front());
        posted.pop_front();
        work();
      }
    }
  }
};

ManualRunLoop::ManualRunLoop() : impl_(std::make_shared<Impl>()) {}

ManualRunLoop::~ManualRunLoop() {
  impl_->closed = true;
  impl_->timers.shutDown();
  // Released outside the queue: their captures may post while they go.
  const auto dropped = std::move(impl_->posted);
  impl_->posted.clear();
}

RepeatingTimer ManualRunLoop::scheduleRepeating(double intervalSeconds,
                                                std::function<void()> callback) {
  return impl_->timers.schedule(intervalSeconds, std::move(callback), impl_->now);
}

void ManualRunLoop::post(std::function<void()> callback) {
  if (impl_->closed || !callback) return;
  impl_->posted.push_back(std::move(callback));
}

double ManualRunLoop::monotonicSeconds() const { return impl_->now; }

void ManualRunLoop::advance(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) return;
  // A callback may destroy this loop; the state lives until we return.
  const std::shared_ptr<Impl> impl = impl_;
  const double end = std::min(impl->now + seconds, std::numeric_limits<double>::max());
  using CatchUp = detail::TimerQueue::CatchUp;

  impl->runPending();
  std::size_t ticks = 0;
  for (; ticks < kMaxTicksPerAdvance && !impl->closed; ++ticks) {
    const std::optional<double> due = impl->timers.earliestDue();
    if (!due || *due > end) break;
    impl->moveTo(*due);
    impl->timers.fireEarliest(impl->now, CatchUp::everyTick);
    impl->runPending();
  }
  if (ticks == kMaxTicksPerAdvance && !impl->closed) {
    // Out of budget: what is left of the span coalesces. Every timer fired
    // here moves past the end, so this ends after one tick per timer.
    impl->moveTo(end);
    while (const std::optional<double> due = impl->timers.earliestDue()) {
      if (*due > end) break;
      impl->timers.fireEarliest(end, CatchUp::coalesce);
      impl->runPending();
    }
  }
  if (!impl->closed) impl->moveTo(end);
}

void ManualRunLoop::runPending() {
  const std::shared_ptr<Impl> impl = impl_;
  impl->runPending();
}

std::size_t ManualRunLoop::activeTimerCount() const { return impl_->timers.activeCount(); }

// --- ScopedManualRunLoop ---------------------------------------------------

ScopedManualRunLoop::ScopedManualRunLoop()
    : loop_(std::make_shared<ManualRunLoop>()), previous_(RunLoop::setCurrent(loop_)) {}

ScopedManualRunLoop::~ScopedManualRunLoop() { RunLoop::setCurrent(std::move(previous_)); }

}  // namespace vorlent
