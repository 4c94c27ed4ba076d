#include "vorlent/views/qt_run_loop.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "vorlent/base/run_loop_timers.h"

namespace vorlent {

namespace {

double steadySeconds() {
  const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(sinceEpoch).count();
}

// A far tick is approached in steps of at most this long, which keeps the
// delay within QTimer's range whatever the interval.
constexpr double kLongestWaitMilliseconds = 60.0 * 60.0 * 1000.0;

}  // namespace

// What the QTimer's connection and the queued calls reach; it outlives the
// QtRunLoop while one of them runs.
struct QtRunLoop::Shared {
  std::function<double()> clock;
  detail::TimerQueue timers;
  std::unique_ptr<QTimer> wakeUp = std::make_unique<QTimer>();
  bool closed = false;

  // Aims the QTimer at the earliest tick. Precise timers do not fire early,
  // and the delay is rounded up, so a wake-up finds its tick due (a wake-up
  // that does not is harmless: it finds nothing and aims again).
  void arm() {
    if (closed) return;
    const std::optional<double> due = timers.earliestDue();
    if (!due) {
      wakeUp->stop();
      return;
    }
    const double delay = std::clamp(std::ceil((*due - clock()) * 1000.0), 0.0,
                                    kLongestWaitMilliseconds);
    wakeUp->start(static_cast<int>(delay));
  }

  void runDue() {
    const double now = clock();
    while (!closed) {
      const std::optional<double> due = timers.earliestDue();
      if (!due || *due > now) break;
      // Aimed before each callback, so that a callback running a nested
      // event loop leaves the other timers running.
      timers.fireEarliest(now, detail::TimerQueue::CatchUp::coalesce, [this] { arm(); });
    }
    arm();
  }
};

QtRunLoop::QtRunLoop() : QtRunLoop(steadySeconds) {}

QtRunLoop::QtRunLoop(std::function<double()> monotonicClock) : shared_(std::make_shared<Shared>()) {
  shared_->clock = monotonicClock ? std::move(monotonicClock) : steadySeconds;
  QTimer& wakeUp = *shared_->wakeUp;
  wakeUp.setSingleShot(true);
  wakeUp.setTimerType(Qt::PreciseTimer);
  QObject::connect(&wakeUp, &QTimer::timeout, &wakeUp,
                   [weak = std::weak_ptr<Shared>(shared_)] {
                     if (const std::shared_ptr<Shared> shared = weak.lock()) shared->runDue();
                   });
}

QtRunLoop::~QtRunLoop() { shutDown(); }

void QtRunLoop::shutDown() {
  shared_->closed = true;
  shared_->wakeUp->stop();
  shared_->timers.shutDown();
}

RepeatingTimer QtRunLoop::scheduleRepeating(double intervalSeconds,
                                            std::function<void()> callback) {
  RepeatingTimer timer =
      shared_->timers.schedule(intervalSeconds, std::move(callback), shared_->clock());
  if (timer.isValid()) shared_->arm();
  return timer;
}

void QtRunLoop::post(std::function<void()> callback) {
  if (shared_->closed || !callback) return;
  // Queued calls to one object are delivered in the order they were made;
  // they go with the QTimer, and a closed loop skips what is left.
  QMetaObject::invokeMethod(
      shared_->wakeUp.get(),
      [weak = std::weak_ptr<Shared>(shared_), work = std::move(callback)] {
        const std::shared_ptr<Shared> shared = weak.lock();
        if (shared && !shared->closed) work();
      },
      Qt::QueuedConnection);
}

double QtRunLoop::monotonicSeconds() const { return shared_->clock(); }

void QtRunLoop::runDueTimers() {
  // A callback may destroy this loop; the shared state lives until we return.
  const std::shared_ptr<Shared> shared = shared_;
  shared->runDue();
}

// --- Installation for the application's lifetime ---------------------------

namespace {

struct Installation {
  const QCoreApplication* application = nullptr;
  std::shared_ptr<QtRunLoop> loop;
};

// Never destroyed: the application may go after static destruction began.
Installation& installation() {
  static auto* const installed = new Installation();
  return *installed;
}

}  // namespace

void QtRunLoop::installForApplication() {
  const QCoreApplication* const application = QCoreApplication::instance();
  if (application == nullptr) return;
  Installation& installed = installation();
  if (installed.loop && installed.application == application) return;
  if (!RunLoop::currentIsDefault()) return;
  installed.application = application;
  installed.loop = std::make_shared<QtRunLoop>();
  RunLoop::setCurrent(installed.loop);
  // Post routines run at the start of the application's destruction, while
  // its event dispatcher can still take the QTimer down.
  qAddPostRoutine(&QtRunLoop::applicationWillGo);
}

void QtRunLoop::applicationWillGo() {
  Installation& installed = installation();
  const std::shared_ptr<QtRunLoop> loop = std::move(installed.loop);
  installed.loop = nullptr;
  installed.application = nullptr;
  if (!loop) return;
  if (&RunLoop::current() == loop.get()) RunLoop::setCurrent(nullptr);
  // Someone may still hold it; its timers stop all the same.
  loop->shutDown();
}

}  // namespace vorlent
