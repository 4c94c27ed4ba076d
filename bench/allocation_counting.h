#pragma once

// Replaces the global allocation functions with ones that count, so that a
// benchmark can show what the code it measures allocates. Replacement
// functions belong to the whole program: include this from exactly one
// source file of a benchmark executable.

#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace vorlent::bench {

struct AllocationCounts {
  std::uint64_t allocations = 0;
  std::int64_t liveBytes = 0;
};

// Counts since the program started; single-threaded benchmarks only.
inline AllocationCounts& allocationCounts() {
  static AllocationCounts counts;
  return counts;
}

inline void* countedAllocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++allocationCounts().allocations;
  allocationCounts().liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
  return p;
}

inline void countedRelease(void* p) noexcept {
  if (p == nullptr) return;
  allocationCounts().liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
  std::free(p);
}

}  // namespace vorlent::bench

void* operator new(std::size_t size) { return vorlent::bench::countedAllocate(size); }
void* operator new[](std::size_t size) { return vorlent::bench::countedAllocate(size); }
void operator delete(void* p) noexcept { vorlent::bench::countedRelease(p); }
void operator delete[](void* p) noexcept { vorlent::bench::countedRelease(p); }
void operator delete(void* p, std::size_t) noexcept { vorlent::bench::countedRelease(p); }
void operator delete[](void* p, std::size_t) noexcept { vorlent::bench::countedRelease(p); }
