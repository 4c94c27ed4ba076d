#pragma once

#include <functional>
#include <vector>

#include "vorlent/time/excluded_time_interval_provider.h"

namespace vorlent {

// Excluded intervals computed by a function of the first time and the limit,
// for hosts that would rather not write a provider class.
class ExcludedTimeIntervalSource : public ExcludedTimeIntervalProvider {
 public:
  using Function = std::function<std::vector<TimeRange>(const Time& time, const Time& limit)>;

  explicit ExcludedTimeIntervalSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }

  // The function's list, unchanged; an empty function excludes nothing.
  [[nodiscard]] std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                            const Time& limit) const override {
    if (!function_) return {};
    return function_(time, limit);
  }

 private:
  Function function_;
};

}  // namespace vorlent
