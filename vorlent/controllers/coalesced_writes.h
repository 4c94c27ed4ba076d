#pragma once

#include <optional>
#include <utility>

namespace vorlent {

// Applies the writes of one property so that observers that write it again
// while they are being told about it cannot recurse without end.
//
// A write made while an earlier one is being applied (from inside its
// notifications) is not applied at once: it is kept, the latest one
// winning, and applied when the running one has finished, so observers hear
// one complete round of notifications per applied value, in order. At most
// `kMaxRounds` values are applied per outermost write; writes beyond that
// are dropped, leaving the property at the last applied value.
template <class T>
class CoalescedWrites {
 public:
  static constexpr int kMaxRounds = 16;

  template <class Apply>
  void write(T value, Apply&& apply) {
    if (applying_) {
      pending_ = std::move(value);
      return;
    }
    applying_ = true;
    std::optional<T> next = std::move(value);
    for (int round = 0; next && round < kMaxRounds; ++round) {
      T current = std::move(*next);
      next.reset();
      apply(current);
      next = std::exchange(pending_, std::nullopt);
    }
    pending_.reset();
    applying_ = false;
  }

  // Whether a write is being applied (so a new one would be deferred).
  [[nodiscard]] bool isApplying() const { return applying_; }
  // The deferred write, if any.
  [[nodiscard]] const std::optional<T>& pending() const { return pending_; }

 private:
  bool applying_ = false;
  std::optional<T> pending_;
};

}  // namespace vorlent
