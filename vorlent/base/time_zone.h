#pragma once

#include <memory>
#include <optional>
#include <string>

#include "vorlent/base/date.h"

namespace vorlent {

namespace detail {
struct IcuTimeZoneAccess;
}

// A time zone: either a fixed offset from GMT or an IANA identifier resolved
// through ICU (so offsets follow the zone's daylight-saving rules). Copies
// share ICU's immutable zone data.
class TimeZone {
 public:
  // A fixed offset; `identifier()` is "GMT" or "GMT+hh:mm" / "GMT-hh:mm"
  // ("GMT+hh:mm:ss" when the offset is not whole minutes). An offset beyond
  // +-18 hours is a programming error and a fatal stop.
  static TimeZone fromSecondsFromGMT(int seconds);
  // An IANA identifier such as "Europe/Paris", or "GMT" or a GMT offset form
  // that ICU understands ("GMT+5", "GMT-08:30"); these last become fixed
  // offsets equal to `fromSecondsFromGMT`'s. nullopt when ICU does not know
  // the identifier.
  static std::optional<TimeZone> fromIdentifier(const std::string& identifier);
  static TimeZone gmt() { return fromSecondsFromGMT(0); }

  // The zone "now" is read in: the system's zone (ICU's default, read on
  // first use; GMT when ICU cannot name it) until a host sets another.
  static TimeZone current();
  static void setCurrent(std::optional<TimeZone> zone);  // nullopt: the system's zone again

  [[nodiscard]] const std::string& identifier() const { return identifier_; }
  // The zone's offset from GMT at `date`, in seconds (daylight saving
  // included). For a date that is not finite, the zone's standard offset.
  [[nodiscard]] int secondsFromGMT(Date date) const;

  // Zones are equal when they have the same identifier and kind.
  friend bool operator==(const TimeZone& a, const TimeZone& b) {
    return a.identifier_ == b.identifier_ && a.fixedOffset_ == b.fixedOffset_;
  }

 private:
  friend struct detail::IcuTimeZoneAccess;
  struct Rules;

  TimeZone(std::string identifier, std::optional<int> fixedOffset,
           std::shared_ptr<const Rules> rules)
      : identifier_(std::move(identifier)), fixedOffset_(fixedOffset), rules_(std::move(rules)) {}

  std::string identifier_;
  std::optional<int> fixedOffset_;
  std::shared_ptr<const Rules> rules_;  // ICU's zone; null for fixed offsets
};

}  // namespace vorlent
