#pragma once

namespace vorlent::detail {

// Adds one to `count` for as long as it lives: how code tells that a call
// of its own (a pass, a callback) is under way further up the stack. The
// count must outlive it.
template <class Count>
class ScopedCount {
 public:
  explicit ScopedCount(Count& count) : count_(count) { ++count_; }
  ~ScopedCount() { --count_; }
  ScopedCount(const ScopedCount&) = delete;
  ScopedCount& operator=(const ScopedCount&) = delete;

 private:
  Count& count_;
};

}  // namespace vorlent::detail
