#pragma once

#include <memory>

#include <unicode/timezone.h>

#include "vorlent/base/time_zone.h"

namespace vorlent::detail {

// For the ICU-backed services of this folder only: the ICU zone of a
// `TimeZone`, newly made for the caller to own.
struct IcuTimeZoneAccess {
  static std::unique_ptr<icu::TimeZone> makeIcuTimeZone(const TimeZone& zone);
};

}  // namespace vorlent::detail
