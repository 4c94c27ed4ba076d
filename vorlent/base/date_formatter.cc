#include "vorlent/base/date_formatter.h"

#include <unicode/datefmt.h>
#include <unicode/fieldpos.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/parsepos.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <cmath>
#include <limits>

#include "vorlent/base/time_zone_icu.h"

namespace vorlent {

struct DateFormatter::Impl {
  // Null when nothing is configured or ICU rejected the configuration: such a
  // formatter formats to the empty string and parses nothing.
  std::unique_ptr<icu::DateFormat> format;
};

namespace {

icu::Locale icuLocale(const std::optional<Locale>& locale) {
  if (!locale || locale->identifier.empty()) return icu::Locale::getDefault();
  const std::string& id = locale->identifier;
  // "de-DE" is a BCP 47 tag; "de_DE" (and "de") ICU's own form.
  if (id.find('-') != std::string::npos && id.find('_') == std::string::npos) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale tagged = icu::Locale::forLanguageTag(id, status);
    if (U_SUCCESS(status)) return tagged;
  }
  return icu::Locale::createFromName(id.c_str());
}

icu::DateFormat::EStyle icuStyle(DateFormatterStyle style) {
  switch (style) {
    case DateFormatterStyle::none:
      return icu::DateFormat::kNone;
    case DateFormatterStyle::shortStyle:
      return icu::DateFormat::kShort;
    case DateFormatterStyle::mediumStyle:
      return icu::DateFormat::kMedium;
    case DateFormatterStyle::longStyle:
      return icu::DateFormat::kLong;
    case DateFormatterStyle::fullStyle:
      return icu::DateFormat::kFull;
  }
  return icu::DateFormat::kNone;
}

// Milliseconds since 1970 for ICU. Half a millisecond is added before the
// floor so that a date meant as x.123 s but stored as x.12299999 does not
// show 122 ms.
double udateOf(Date date) { return std::floor(date.timeIntervalSince1970() * 1000.0 + 0.5); }

}  // namespace

DateFormatter::DateFormatter() = default;
DateFormatter::~DateFormatter() = default;

DateFormatter::DateFormatter(const DateFormatter& other)
    : dateFormat_(other.dateFormat_),
      dateStyle_(other.dateStyle_),
      timeStyle_(other.timeStyle_),
      locale_(other.locale_),
      timeZone_(other.timeZone_) {}

DateFormatter& DateFormatter::operator=(const DateFormatter& other) {
  if (this == &other) return *this;
  dateFormat_ = other.dateFormat_;
  dateStyle_ = other.dateStyle_;
  timeStyle_ = other.timeStyle_;
  locale_ = other.locale_;
  timeZone_ = other.timeZone_;
  invalidate();
  return *this;
}

DateFormatter::DateFormatter(DateFormatter&&) noexcept = default;
DateFormatter& DateFormatter::operator=(DateFormatter&&) noexcept = default;

void DateFormatter::setDateFormat(std::string pattern) {
  dateFormat_ = std::move(pattern);
  invalidate();
}

void DateFormatter::setDateStyle(DateFormatterStyle style) {
  dateStyle_ = style;
  invalidate();
}

void DateFormatter::setTimeStyle(DateFormatterStyle style) {
  timeStyle_ = style;
  invalidate();
}

void DateFormatter::setLocale(std::optional<Locale> locale) {
  locale_ = std::move(locale);
  invalidate();
}

void DateFormatter::setTimeZone(TimeZone zone) {
  timeZone_ = std::move(zone);
  invalidate();
}

void DateFormatter::invalidate() { impl_.reset(); }

DateFormatter::Impl& DateFormatter::impl() const {
  if (impl_) return *impl_;
  impl_ = std::make_unique<Impl>();
  const icu::Locale locale = icuLocale(locale_);
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::DateFormat> format;
  if (!dateFormat_.empty()) {
    format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(dateFormat_),
                                                     locale, status);
  } else if (dateStyle_ != DateFormatterStyle::none || timeStyle_ != DateFormatterStyle::none) {
    format.reset(icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle_), icuStyle(timeStyle_),
                                                         locale));
  }
  if (!format || U_FAILURE(status)) return *impl_;

  // Always the Gregorian calendar, whatever the locale prefers, and
  // proleptic: without moving the Julian switch to the far past, dates
  // before October 1582 would be shown in the Julian calendar.
  auto calendar = std::make_unique<icu::GregorianCalendar>(
      detail::IcuTimeZoneAccess::makeIcuTimeZone(timeZone_).release(), locale, status);
  if (U_FAILURE(status)) return *impl_;
  calendar->setGregorianChange(std::numeric_limits<double>::lowest(), status);
  if (U_FAILURE(status)) return *impl_;
  format->adoptCalendar(calendar.release());
  format->setLenient(false);
  impl_->format = std::move(format);
  return *impl_;
}

std::string DateFormatter::string(Date date) const {
  const icu::DateFormat* format = impl().format.get();
  if (!format || !std::isfinite(date.timeIntervalSinceReferenceDate)) return {};
  icu::UnicodeString text;
  UErrorCode status = U_ZERO_ERROR;
  format->format(udateOf(date), text, nullptr, status);
  if (U_FAILURE(status)) return {};
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

std::optional<Date> DateFormatter::date(const std::string& text) const {
  const icu::DateFormat* format = impl().format.get();
  if (!format) return std::nullopt;
  const icu::UnicodeString source = icu::UnicodeString::fromUTF8(text);
  icu::ParsePosition position(0);
  const UDate parsed = format->parse(source, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() == 0 ||
      position.getIndex() != source.length()) {
    return std::nullopt;
  }
  return Date::fromTimeIntervalSince1970(parsed / 1000.0);
}

}  // namespace vorlent
