#include "vorlent/model/scheduling_epoch.h"

#include <atomic>

namespace vorlent::detail {

namespace {

// Relaxed: a cache compares it on the thread that changes its own chart; a
// change on another thread, to another chart, only empties a cache early.
std::atomic<uint64_t> epoch{0};
std::atomic<uint64_t> completions{0};

}  // namespace

uint64_t schedulingEpoch() { return epoch.load(std::memory_order_relaxed); }

uint64_t advanceSchedulingEpoch() { return epoch.fetch_add(1, std::memory_order_relaxed) + 1; }

uint64_t completionEpoch() { return completions.load(std::memory_order_relaxed); }

void advanceCompletionEpoch() { completions.fetch_add(1, std::memory_order_relaxed); }

}  // namespace vorlent::detail
