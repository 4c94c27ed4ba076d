#pragma once

#include <memory>
#include <optional>
#include <string>

#include "vorlent/base/date.h"
#include "vorlent/base/locale.h"
#include "vorlent/base/time_zone.h"

namespace vorlent {

// ICU's date styles.
enum class DateFormatterStyle { none, shortStyle, mediumStyle, longStyle, fullStyle };

// Formats and parses dates with ICU (icu::SimpleDateFormat) in the proleptic
// Gregorian calendar. Configured either by a pattern (ICU / Unicode date
// pattern syntax) or by a date style and a time style; a non-empty pattern
// wins. Made empty, it has the zone GMT, ICU's default locale, no pattern and
// both styles `none` (which formats to the empty string). A pattern or
// locale that ICU rejects, a date that is not finite or lies beyond ICU's
// range likewise format to the empty string. Parsing is strict (not
// lenient). Not thread-safe: the ICU formatter is built on first use.
class DateFormatter {
 public:
  DateFormatter();
  ~DateFormatter();
  DateFormatter(const DateFormatter& other);
  DateFormatter& operator=(const DateFormatter& other);
  DateFormatter(DateFormatter&&) noexcept;
  DateFormatter& operator=(DateFormatter&&) noexcept;

  [[nodiscard]] const std::string& dateFormat() const { return dateFormat_; }
  void setDateFormat(std::string pattern);
  [[nodiscard]] DateFormatterStyle dateStyle() const { return dateStyle_; }
  void setDateStyle(DateFormatterStyle style);
  [[nodiscard]] DateFormatterStyle timeStyle() const { return timeStyle_; }
  void setTimeStyle(DateFormatterStyle style);
  [[nodiscard]] const std::optional<Locale>& locale() const { return locale_; }
  void setLocale(std::optional<Locale> locale);  // nullopt: ICU's default
  [[nodiscard]] const TimeZone& timeZone() const { return timeZone_; }
  void setTimeZone(TimeZone zone);

  // The text of the date (UTF-8). Milliseconds are taken by adding half a
  // millisecond and truncating, so binary noise never shows 1 ms low.
  [[nodiscard]] std::string string(Date date) const;
  // The date the text denotes, or nullopt when it does not parse whole.
  [[nodiscard]] std::optional<Date> date(const std::string& text) const;

 private:
  struct Impl;
  void invalidate();
  Impl& impl() const;

  std::string dateFormat_;
  DateFormatterStyle dateStyle_ = DateFormatterStyle::none;
  DateFormatterStyle timeStyle_ = DateFormatterStyle::none;
  std::optional<Locale> locale_;
  TimeZone timeZone_ = TimeZone::gmt();
  mutable std::unique_ptr<Impl> impl_;  // the ICU formatter, built on first use
};

}  // namespace vorlent
