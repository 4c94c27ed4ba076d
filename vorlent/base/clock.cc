#include "vorlent/base/clock.h"

#include <chrono>

namespace vorlent {

namespace {

std::optional<Date>& pinnedNow() {
  static std::optional<Date> pinned;
  return pinned;
}

}  // namespace

Date Clock::now() {
  if (const auto& pinned = pinnedNow()) return *pinned;
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return Date::fromTimeIntervalSince1970(std::chrono::duration<double>(sinceEpoch).count());
}

void Clock::setNow(std::optional<Date> fixed) { pinnedNow() = fixed; }

std::optional<Date> Clock::pinned() { return pinnedNow(); }

ScopedClock::ScopedClock(Date fixed) : previous_(pinnedNow()) { Clock::setNow(fixed); }

ScopedClock::~ScopedClock() { Clock::setNow(previous_); }

}  // namespace vorlent
