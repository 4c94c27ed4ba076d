#include "vorlent/model/address_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace vorlent::detail {
namespace {

// Random insertions, look-ups and clearings, checked step by step against a
// standard map, over keys laid out as allocators lay objects out (close
// together, or a page apart, which lands every key on the same low bits) and
// the null address.
TEST(AddressMap, AgreesWithAStandardMapOverRandomOperations) {
  std::mt19937_64 random(99);
  for (const uintptr_t stride :
       {uintptr_t{16}, uintptr_t{48}, uintptr_t{4096}, uintptr_t{1} << 20}) {
    SCOPED_TRACE(stride);
    const auto keyOf = [stride](uint64_t n) {
      return n == 0 ? nullptr : reinterpret_cast<const void*>(0x10000 + n * stride);
    };
    AddressMap<int64_t> map;
    std::map<const void*, int64_t> expected;
    for (int step = 0; step < 60000; ++step) {
      const void* key = keyOf(random() % 5000);
      switch (random() % 100) {
        case 0:
          map.clear();
          expected.clear();
          break;
        case 1: {
          std::map<const void*, int64_t> visited;
          map.forEach([&](const void* k, int64_t value) { visited[k] = value; });
          ASSERT_EQ(visited, expected);
          break;
        }
        default:
          if (random() % 2 == 0) {
            map[key] += step;
            expected[key] += step;
          } else {
            const int64_t* found = map.find(key);
            const auto it = expected.find(key);
            ASSERT_EQ(found != nullptr, it != expected.end());
            if (found != nullptr) {
              ASSERT_EQ(*found, it->second);
            }
          }
      }
      ASSERT_EQ(map.size(), expected.size());
    }
  }
}

}  // namespace
}  // namespace vorlent::detail
