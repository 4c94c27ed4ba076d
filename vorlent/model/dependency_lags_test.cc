#include "vorlent/model/dependency_lags.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

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
