#pragma once

#include <functional>
#include <memory>

#include "vorlent/base/run_loop.h"

namespace vorlent {

// The run loop over Qt's event loop. Timers ride on one single-shot QTimer
// armed for the earliest due tick; when the loop was busy past several ticks
// of a timer, they coalesce into one and the next keeps the timer's phase.
// Posted work runs as queued calls, in order. The monotonic clock is
// std::chrono::steady_clock. Made, used and destroyed on the GUI thread
// while a QCoreApplication exists; destroying it stops its timers (their
// handles turn invalid) and drops the posted work that has not run. A
// timer callback that runs a nested event loop (a modal dialog) does not
// hold up the other timers.
//
// The views install one with `installForApplication()`; a host may also
// make its own and pass it to `RunLoop::setCurrent`.
class QtRunLoop : public RunLoop {
 public:
  QtRunLoop();
  // Reads `monotonicClock` (seconds) instead of the steady clock; for tests,
  // which then fire the due timers themselves with `runDueTimers()`.
  explicit QtRunLoop(std::function<double()> monotonicClock);
  ~QtRunLoop() override;
  QtRunLoop(const QtRunLoop&) = delete;
  QtRunLoop& operator=(const QtRunLoop&) = delete;

  RepeatingTimer scheduleRepeating(double intervalSeconds,
                                   std::function<void()> callback) override;
  void post(std::function<void()> callback) override;
  [[nodiscard]] double monotonicSeconds() const override;

  // Fires, once each, the timers due by the monotonic clock's reading now,
  // however many of their ticks fell due meanwhile. The loop's QTimer calls
  // this when the earliest tick falls due.
  void runDueTimers();

  // Makes a new QtRunLoop the current loop for as long as the running
  // QCoreApplication lives, provided the default loop is current (a loop a
  // host or a test installed stays in place). When that application is
  // destroyed, the default loop comes back (unless another loop replaced
  // this one meanwhile) and this loop's timers stop. Does nothing without an
  // application, or when it already installed a loop for this one. The
  // views call it when they are made.
  static void installForApplication();

 private:
  struct Shared;

  static void applicationWillGo();
  void shutDown();

  std::shared_ptr<Shared> shared_;
};

}  // namespace vorlent
