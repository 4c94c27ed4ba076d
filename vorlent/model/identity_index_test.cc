// The index answers questions about objects it does not name from a bit
// array before its table; every answer must still be the table's.

#include "vorlent/model/identity_index.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace vorlent::detail {
namespace {

TEST(IdentityIndex, AnswersAsAPlainMapThroughAddsClearsAndGrowth) {
  std::mt19937 random(5);
  std::vector<std::unique_ptr<int>> objects;
  for (int i = 0; i < 4000; ++i) objects.push_back(std::make_unique<int>(i));
  const auto pick = [&]() -> const int* {
    const auto k = random() % (objects.size() + 1);
    return k == objects.size() ? nullptr : objects[k].get();
  };
  for (int round = 0; round < 20; ++round) {
    IdentityIndex<int> index;
    std::map<const int*, size_t> expected;  // the first position wins
    if (round % 3 == 0) index.reserve(random() % 3000);
    for (size_t position = 0, adds = random() % 3000; position < adds; ++position) {
      const int* object = pick();
      index.add(object, position);
      expected.try_emplace(object, position);
      if (random() % 500 == 0) {
        index.clear();
        expected.clear();
      }
    }
    for (int question = 0; question < 3000; ++question) {
      const int* object = pick();
      const auto found = expected.find(object);
      const std::optional<size_t> want =
          found == expected.end() ? std::nullopt : std::optional<size_t>(found->second);
      ASSERT_EQ(index.find(object), want) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace vorlent::detail
