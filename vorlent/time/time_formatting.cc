#include "vorlent/time/time_formatting.h"

namespace vorlent {

std::string string(const DateFormatter& formatter, const Time& time) {
  return formatter.string(makeDate(time));
}

std::optional<Time> dateTime(const DateFormatter& formatter, const std::string& text) {
  const std::optional<Date> date = formatter.date(text);
  if (!date) return std::nullopt;
  return Time(*date);
}

}  // namespace vorlent
