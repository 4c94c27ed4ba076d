#pragma once

#include <cstdint>

namespace vorlent::detail {

// A count of the changes to what the library's scheduling rules read about a
// link's ends: item times and calendars, link ends and types, lag lists.
// The library's own classes advance it in their setters, so a cache of what
// those rules worked out can tell with one comparison that nothing it read
// has changed since. A subclass may override a setter without calling the
// base class, so caches trust the count only for objects of exactly the
// library's classes.
[[nodiscard]] uint64_t schedulingEpoch();
// Returns the epoch it advanced to.
uint64_t advanceSchedulingEpoch();

// The same for what the hierarchy rule reads when it gives a summary the
// least completion of its children: item completions and which items a
// source holds.
[[nodiscard]] uint64_t completionEpoch();
void advanceCompletionEpoch();

}  // namespace vorlent::detail
