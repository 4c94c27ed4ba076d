#include "vorlent/base/time_zone.h"

#include <unicode/simpletz.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vorlent/base/fatal.h"
#include "vorlent/base/time_zone_icu.h"

namespace vorlent {

struct TimeZone::Rules {
  std::unique_ptr<const icu::TimeZone> zone;
};

namespace {

constexpr int kMaxOffsetSeconds = 18 * 3600;

std::string offsetIdentifier(int seconds) {
  if (seconds == 0) return "GMT";
  const int magnitude = std::abs(seconds);  // |seconds| <= 18 h, no overflow
  char text[32];
  const int hours = magnitude / 3600;
  const int minutes = magnitude % 3600 / 60;
  const int rest = magnitude % 60;
  const char sign = seconds < 0 ? '-' : '+';
  if (rest == 0) {
    std::snprintf(text, sizeof text, "GMT%c%02d:%02d", sign, hours, minutes);
  } else {
    std::snprintf(text, sizeof text, "GMT%c%02d:%02d:%02d", sign, hours, minutes, rest);
  }
  return text;
}

std::optional<TimeZone>& currentZone() {
  static std::optional<TimeZone> zone;
  return zone;
}

}  // namespace

TimeZone TimeZone::fromSecondsFromGMT(int seconds) {
  if (seconds > kMaxOffsetSeconds || seconds < -kMaxOffsetSeconds) {
    fatalStop("time zone offset of " + std::to_string(seconds) + " s lies beyond +-18 hours");
  }
  return TimeZone(offsetIdentifier(seconds), seconds, nullptr);
}

std::optional<TimeZone> TimeZone::fromIdentifier(const std::string& identifier) {
  const icu::UnicodeString id = icu::UnicodeString::fromUTF8(identifier);
  std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(id));
  if (!zone) return std::nullopt;
  // ICU answers an identifier it does not know with its "unknown" zone.
  icu::UnicodeString resolved;
  icu::UnicodeString unknown;
  zone->getID(resolved);
  icu::TimeZone::getUnknown().getID(unknown);
  if (resolved == unknown) return std::nullopt;
  if (resolved == icu::UnicodeString(u"GMT")) return gmt();
  // ICU accepts custom "GMT+hh:mm" forms that are not in its zone database;
  // they have one offset for ever, so they are our fixed offsets.
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString canonical;
  UBool isSystemID = false;
  icu::TimeZone::getCanonicalID(resolved, canonical, isSystemID, status);
  if (U_SUCCESS(status) && !isSystemID) {
    const int offset = zone->getRawOffset() / 1000;
    if (offset > kMaxOffsetSeconds || offset < -kMaxOffsetSeconds) return std::nullopt;
    return fromSecondsFromGMT(offset);
  }
  std::string utf8;
  resolved.toUTF8String(utf8);
  auto rules = std::make_shared<Rules>();
  rules->zone = std::move(zone);
  return TimeZone(std::move(utf8), std::nullopt, std::move(rules));
}

namespace {

// ICU's default zone (the TZ variable or the machine's setting), read once:
// ICU itself detects the host's zone only once. A zone ICU cannot name is GMT.
const TimeZone& systemZone() {
  static const TimeZone zone = [] {
    std::unique_ptr<icu::TimeZone> icuZone(icu::TimeZone::createDefault());
    icu::UnicodeString id;
    if (icuZone) icuZone->getID(id);
    std::string utf8;
    id.toUTF8String(utf8);
    return TimeZone::fromIdentifier(utf8).value_or(TimeZone::gmt());
  }();
  return zone;
}

}  // namespace

TimeZone TimeZone::current() {
  const std::optional<TimeZone>& zone = currentZone();
  return zone ? *zone : systemZone();
}

void TimeZone::setCurrent(std::optional<TimeZone> zone) { currentZone() = std::move(zone); }

int TimeZone::secondsFromGMT(Date date) const {
  if (fixedOffset_) return *fixedOffset_;
  const icu::TimeZone& zone = *rules_->zone;
  const double seconds = date.timeIntervalSince1970();
  if (!std::isfinite(seconds)) return zone.getRawOffset() / 1000;
  int32_t raw = 0;
  int32_t dst = 0;
  UErrorCode status = U_ZERO_ERROR;
  zone.getOffset(std::floor(seconds * 1000.0), false, raw, dst, status);
  if (U_FAILURE(status)) return zone.getRawOffset() / 1000;
  return (raw + dst) / 1000;
}

namespace detail {

std::unique_ptr<icu::TimeZone> IcuTimeZoneAccess::makeIcuTimeZone(const TimeZone& zone) {
  if (zone.rules_) return std::unique_ptr<icu::TimeZone>(zone.rules_->zone->clone());
  const int offset = zone.fixedOffset_.value_or(0);
  return std::make_unique<icu::SimpleTimeZone>(offset * 1000,
                                               icu::UnicodeString::fromUTF8(zone.identifier_));
}

}  // namespace detail

}  // namespace vorlent
