#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <span>
#include <utility>
#include <vector>

namespace vorlent::detail {

// A short-lived copy of a few elements (shared pointers, mostly), kept
// inline while there are at most `N` and on the heap beyond: the copies a
// cascade takes at every step are nearly always that small, and a heap
// allocation per step adds up over a hundred thousand steps.
template <class T, size_t N>
class SmallCopy {
 public:
  SmallCopy() = default;
  template <class Range>
  explicit SmallCopy(const Range& range) {
    for (const auto& element : range) push_back(element);
  }

  void push_back(T element) {
    if (many_.empty() && count_ < N) {
      few_[count_++] = std::move(element);
      return;
    }
    if (many_.empty()) {
      many_.reserve(2 * N);
      many_.assign(std::make_move_iterator(few_.begin()), std::make_move_iterator(few_.end()));
    }
    many_.push_back(std::move(element));
  }

  [[nodiscard]] std::span<const T> elements() const {
    if (!many_.empty()) return many_;
    return std::span<const T>(few_.data(), count_);
  }
  [[nodiscard]] auto begin() const { return elements().begin(); }
  [[nodiscard]] auto end() const { return elements().end(); }

 private:
  std::array<T, N> few_{};
  size_t count_ = 0;  // of `few_`, while `many_` is empty
  std::vector<T> many_;
};

}  // namespace vorlent::detail
