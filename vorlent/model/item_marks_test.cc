#include "vorlent/model/item_marks.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

namespace vorlent::detail {
namespace {

// Three sets of marks filled in turns over the same items, as nested
// operations and several managers fill theirs, each checked step by step
// against a standard map: whatever the others wrote into the items' hints,
// each finds exactly its own entries.
TEST(ItemMarks, AgreesWithAStandardMapWhileOthersMarkTheSameItems) {
  std::vector<std::shared_ptr<GanttChartItem>> items;
  for (int i = 0; i < 300; ++i) items.push_back(GanttChartItem::create({}));
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    ItemMarks<int64_t> marks[3];
    std::map<const GanttChartItem*, int64_t> expected[3];
    // Most rounds keep to one set for a while, so that hints stay trusted
    // for long runs before another set starts filling.
    size_t active = 0;
    for (int step = 0; step < 4000; ++step) {
      if (random() % (round % 2 == 0 ? 500 : 20) == 0) active = random() % 3;
      const GanttChartItem* item = items[random() % items.size()].get();
      switch (random() % 50) {
        case 0:
          marks[active].clear();
          expected[active].clear();
          break;
        case 1: {
          std::map<const GanttChartItem*, int64_t> visited;
          marks[active].forEach(
              [&](const GanttChartItem* marked, int64_t value) { visited[marked] = value; });
          ASSERT_EQ(visited, expected[active]);
          break;
        }
        default:
          if (random() % 2 == 0) {
            marks[active][item] += step;
            expected[active][item] += step;
          } else {
            const int64_t* found = marks[active].find(item);
            const auto it = expected[active].find(item);
            ASSERT_EQ(found != nullptr, it != expected[active].end()) << step;
            if (found != nullptr) {
              ASSERT_EQ(*found, it->second);
            }
          }
      }
      ASSERT_EQ(marks[active].empty(), expected[active].empty());
    }
  }
}

}  // namespace
}  // namespace vorlent::detail
