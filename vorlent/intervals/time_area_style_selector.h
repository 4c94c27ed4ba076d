#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "vorlent/intervals/time_area_style.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

struct TimeSelector;

// Chooses a style for one interval of a time selector; nullopt means the
// interval has no style of its own.
class TimeAreaStyleSelector {
 public:
  virtual ~TimeAreaStyleSelector() = default;
  [[nodiscard]] virtual std::optional<TimeAreaStyle> style(const TimeRange& interval,
                                                           const TimeSelector& selector) const = 0;
};

// A style selector backed by a function, whose answer it returns unchanged.
class TimeAreaStyleSource : public TimeAreaStyleSelector {
 public:
  using Function =
      std::function<std::optional<TimeAreaStyle>(const TimeRange&, const TimeSelector&)>;

  explicit TimeAreaStyleSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  // An empty function styles nothing.
  [[nodiscard]] std::optional<TimeAreaStyle> style(const TimeRange& interval,
                                                   const TimeSelector& selector) const override {
    return function_ ? function_(interval, selector) : std::nullopt;
  }

 private:
  Function function_;
};

}  // namespace vorlent
