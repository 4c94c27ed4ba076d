#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

namespace vorlent::detail {

// A short-lived copy of a few elements (shared pointers, mostly), kept
// inline while there are at most `N` and on the heap beyond: the copies a
// cascade takes at every step are nearly always that small, and a heap
// allocation per step adds up over a hundred thousand steps. Only the
// elements held are ever constructed.
template <class T, size_t N>
class SmallCopy {
 public:
  SmallCopy() = default;
  template <class Range>
  explicit SmallCopy(const Range& range) {
    for (const auto& element : range) push_back(element);
  }
  SmallCopy(const SmallCopy&) = delete;
  SmallCopy& operator=(const SmallCopy&) = delete;
  ~SmallCopy() { std::destroy_n(few(), count_); }

  void push_back(const T& element) {
    if (many_.empty() && count_ < N) {
      new (few() + count_) T(element);
      ++count_;
      return;
    }
    if (many_.empty()) {
      many_.reserve(2 * N);
      many_.assign(std::make_move_iterator(few()), std::make_move_iterator(few() + count_));
    }
    many_.push_back(element);
  }

  [[nodiscard]] std::span<const T> elements() const {
    if (!many_.empty()) return many_;
    return std::span<const T>(few(), count_);
  }
  [[nodiscard]] auto begin() const { return elements().begin(); }
  [[nodiscard]] auto end() const { return elements().end(); }

 private:
  T* few() { return std::launder(reinterpret_cast<T*>(storage_)); }
  const T* few() const { return std::launder(reinterpret_cast<const T*>(storage_)); }

  alignas(T) std::byte storage_[N * sizeof(T)];
  size_t count_ = 0;  // elements constructed in `storage_`
  std::vector<T> many_;
};

}  // namespace vorlent::detail
