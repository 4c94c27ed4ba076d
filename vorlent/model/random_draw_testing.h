#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

namespace vorlent::testing {

// Every random choice of one generated chart and its operations, so that two
// charts drawn from the same seed are alike.
class Draw {
 public:
  explicit Draw(uint32_t seed) : random_(seed) {}
  // 0...n-1; n must be positive.
  int64_t below(int64_t n) { return static_cast<int64_t>(random_() % static_cast<uint64_t>(n)); }
  bool chance(int64_t percent) { return below(100) < percent; }
  // An element of a non-empty list.
  template <class List>
  const typename List::value_type& pick(const List& list) {
    return list[static_cast<size_t>(below(static_cast<int64_t>(list.size())))];
  }

 private:
  std::mt19937 random_;
};

}  // namespace vorlent::testing
