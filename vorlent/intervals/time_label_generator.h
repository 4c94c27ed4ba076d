#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "vorlent/time/time_range.h"

namespace vorlent {

// Gives one interval its text; nullopt shows the interval without a label
// (an empty string is a label that happens to be empty).
class TimeLabelGenerator {
 public:
  virtual ~TimeLabelGenerator() = default;
  [[nodiscard]] virtual std::optional<std::string> label(const TimeRange& interval) const = 0;
};

// A label generator backed by a function, whose answer it returns unchanged.
class TimeLabelSource : public TimeLabelGenerator {
 public:
  using Function = std::function<std::optional<std::string>(const TimeRange&)>;

  explicit TimeLabelSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  // An empty function labels nothing.
  [[nodiscard]] std::optional<std::string> label(const TimeRange& interval) const override {
    return function_ ? function_(interval) : std::nullopt;
  }

 private:
  Function function_;
};

}  // namespace vorlent
