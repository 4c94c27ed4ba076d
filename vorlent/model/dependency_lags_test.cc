#include "vorlent/model/dependency_lags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/dependency.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::on;

struct LinkFixture {
  GanttChartItemPtr a = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemPtr b = makeItem("B", 1, on(kTuesday, 8), on(kTuesday, 16));
  GanttChartDependencyPtr link = std::make_shared<GanttChartDependency>(std::nullopt, a, b);
  GanttChartDependencyPtr lookalike = std::make_shared<GanttChartDependency>(std::nullopt, a, b);
};

TEST(GanttChartDependencyLagSet, AnEmptySetAnswersNoLagAndNoExclusion) {
  LinkFixture f;
  const GanttChartDependencyLagSet set;
  EXPECT_EQ(set.lag(f.link), std::nullopt);
  EXPECT_FALSE(set.shouldExclude(f.link));
}

TEST(GanttChartDependencyLagSet, TheFirstDefinitionForThatVeryDependencyAnswers) {
  LinkFixture f;
  GanttChartDependencyLagSet set({{f.link, 3600, true}, {f.link, 7200}});
  EXPECT_EQ(set.lag(f.link), 3600);
  EXPECT_TRUE(set.shouldExclude(f.link));
  EXPECT_EQ(set.lag(f.lookalike), std::nullopt) << "same ends and type, another object";
  EXPECT_FALSE(set.shouldExclude(f.lookalike));

  set.setLags({{f.lookalike, -1800}});
  EXPECT_EQ(set.lag(f.link), std::nullopt);
  EXPECT_EQ(set.lag(f.lookalike), -1800);
  EXPECT_FALSE(set.shouldExclude(f.lookalike)) << "an unspecified exclusion means false";
}

TEST(GanttChartDependencyLagSet, ASetMovedFromAnswersByItsEmptiedList) {
  LinkFixture f;
  GanttChartDependencyLagSet moved({{f.link, 3600}});
  ASSERT_EQ(moved.lag(f.link), 3600);
  const GanttChartDependencyLagSet taker(std::move(moved));
  EXPECT_EQ(taker.lag(f.link), 3600);
  // NOLINTNEXTLINE(bugprone-use-after-move): a moved-from set stays usable.
  EXPECT_EQ(moved.lag(f.link), std::nullopt);
}

// Sets that share their dependencies, some naming one twice, asked in turns
// and replaced now and then: each answers what a scan of its own list for the
// first definition answers, whatever the others left in the dependencies.
TEST(GanttChartDependencyLagSet, AnswersAsAScanOfItsListWhileOtherSetsAskToo) {
  LinkFixture f;
  std::vector<GanttChartDependencyPtr> links;
  for (int i = 0; i < 60; ++i) {
    links.push_back(std::make_shared<GanttChartDependency>(std::nullopt, f.a, f.b));
  }
  std::mt19937 random(17);
  const auto drawList = [&] {
    std::vector<GanttChartDependencyLagDefinition> lags;
    const size_t count = random() % 40;
    for (size_t i = 0; i < count; ++i) {
      lags.emplace_back(links[random() % links.size()], static_cast<double>(random() % 5) * 60,
                        random() % 4 == 0);
    }
    return lags;
  };
  std::vector<GanttChartDependencyLagSet> sets(3);
  for (int step = 0; step < 20000; ++step) {
    const size_t at = random() % sets.size();
    GanttChartDependencyLagSet& set = sets[at];
    if (random() % 200 == 0) set.setLags(drawList());
    // Copies and moves, and what a move leaves behind, answer by their own lists.
    const size_t other = (at + 1 + random() % (sets.size() - 1)) % sets.size();
    if (random() % 300 == 0) set = sets[other];
    if (random() % 300 == 0) set = std::move(sets[other]);
    const GanttChartDependencyPtr& link = links[random() % links.size()];
    const auto first =
        std::find_if(set.lags().begin(), set.lags().end(),
                     [&](const auto& definition) { return definition.dependency == link; });
    const bool named = first != set.lags().end();
    ASSERT_EQ(set.lag(link), named ? std::optional<double>(first->lag) : std::nullopt) << step;
    ASSERT_EQ(set.shouldExclude(link), named && first->shouldExclude) << step;
  }
}

TEST(GanttChartDependencyLagProvider, AProviderWithOnlyLagsNeverExcludes) {
  struct OnlyLags : GanttChartDependencyLagProvider {
    std::optional<double> lag(const GanttChartDependencyPtr&) const override { return 60; }
  };
  LinkFixture f;
  const OnlyLags provider;
  EXPECT_EQ(provider.lag(f.link), 60);
  EXPECT_FALSE(provider.shouldExclude(f.link));
}

TEST(GanttChartDependencyLagSource, AnswersFromItsTwoFunctions) {
  LinkFixture f;
  const GanttChartDependencyLagSource source(
      [&](const GanttChartDependencyPtr& d) -> std::optional<double> {
        return d == f.link ? std::optional<double>(900) : std::nullopt;
      },
      [&](const GanttChartDependencyPtr& d) { return d == f.lookalike; });
  EXPECT_EQ(source.lag(f.link), 900);
  EXPECT_FALSE(source.shouldExclude(f.link));
  EXPECT_TRUE(source.shouldExclude(f.lookalike));
}

}  // namespace
}  // namespace vorlent
