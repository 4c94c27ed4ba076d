#include "vorlent/model/small_copy.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vorlent::detail {
namespace {

// Filled with up to twice its inline room, a copy holds the elements in
// order and keeps each alive exactly while it lives, inline or spilled.
TEST(SmallCopy, HoldsTheElementsInOrderAndReleasesThemInlineOrSpilled) {
  for (size_t count = 0; count <= 8; ++count) {
    SCOPED_TRACE(count);
    std::vector<std::shared_ptr<int>> originals;
    for (size_t i = 0; i < count; ++i) {
      originals.push_back(std::make_shared<int>(static_cast<int>(i)));
    }
    {
      SmallCopy<std::shared_ptr<int>, 4> copy(originals);
      ASSERT_EQ(copy.elements().size(), count);
      for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(copy.elements()[i], originals[i]);
        EXPECT_EQ(originals[i].use_count(), 2);
      }
    }
    for (const auto& original : originals) EXPECT_EQ(original.use_count(), 1);
  }
}

}  // namespace
}  // namespace vorlent::detail
