#include "vorlent/base/date.h"

#include <iomanip>
#include <limits>
#include <ostream>

namespace vorlent {

std::ostream& operator<<(std::ostream& os, const Date& date) {
  const auto flags = os.flags();
  const auto precision = os.precision(std::numeric_limits<double>::max_digits10);
  os << "Date(" << date.timeIntervalSinceReferenceDate << ")";
  os.precision(precision);
  os.flags(flags);
  return os;
}

}  // namespace vorlent
