#include "vorlent/controllers/viewport_cache.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorlent {
namespace {

Rectangle at(double x) { return Rectangle(x, 0, 100, 50); }

TEST(ViewportCache, KeepsTheRecentViewportsOnly) {
  ViewportCache<std::vector<int>> cache;
  for (int i = 0; i < 1000; ++i) cache.store(at(i), {i});
  EXPECT_EQ(cache.size(), ViewportCache<std::vector<int>>::kCapacity);
  EXPECT_EQ(cache.find(at(0)), nullptr);
  ASSERT_NE(cache.find(at(999)), nullptr);
  EXPECT_EQ(*cache.find(at(999)), std::vector<int>{999});
  EXPECT_EQ(*cache.find(at(996)), std::vector<int>{996});
}

TEST(ViewportCache, AViewportJustLeftIsStillThere) {
  ViewportCache<int> cache;
  cache.store(at(1), 1);
  cache.store(at(2), 2);
  cache.store(at(3), 3);
  cache.store(at(4), 4);
  // Reading the oldest makes it the most recent, so the next store drops 2.
  EXPECT_EQ(*cache.find(at(1)), 1);
  cache.store(at(5), 5);
  EXPECT_EQ(cache.find(at(2)), nullptr);
  EXPECT_EQ(*cache.find(at(1)), 1);
  // Storing a viewport again replaces its entry instead of adding one.
  cache.store(at(5), 50);
  EXPECT_EQ(cache.size(), 4u);
  EXPECT_EQ(*cache.find(at(5)), 50);
  // Keys are exact rectangles.
  EXPECT_EQ(cache.find(Rectangle(5, 0, 100, 50.5)), nullptr);
}

TEST(ViewportCache, AFoundEntryOutlivesClearing) {
  ViewportCache<std::vector<int>> cache;
  cache.store(at(1), {1, 2, 3});
  const auto found = cache.find(at(1));
  cache.clear();
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_EQ(*found, (std::vector<int>{1, 2, 3}));
}

TEST(ViewportCache, AListBuiltWhileTheCacheWasClearedIsNotKept) {
  ViewportCache<int> cache;
  // The build calls back into something that clears the cache: its result
  // may be stale, so it is answered once but not remembered.
  const auto built = cache.findOrBuild(at(1), [&] {
    cache.clear();
    return 7;
  });
  EXPECT_EQ(*built, 7);
  EXPECT_EQ(cache.find(at(1)), nullptr);
  EXPECT_EQ(*cache.findOrBuild(at(1), [] { return 8; }), 8);
  EXPECT_EQ(*cache.find(at(1)), 8);
}

}  // namespace
}  // namespace vorlent
