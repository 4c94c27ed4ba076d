#include "vorlent/model/hierarchy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vorlent/model/behavior_test_support.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::makeItem;
using testing::on;

GanttChartItemPtr item(const char* label) {
  return makeItem(label, 0, on(kMonday, 8), on(kMonday, 16));
}

TEST(GanttChartItemHierarchy, AllLevelChildrenListEachLevelBeforeDescendingChildByChild) {
  const auto root = item("root"), a = item("A"), b = item("B");
  const auto a1 = item("A1"), a2 = item("A2"), b1 = item("B1"), a11 = item("A11");
  const GanttChartItemHierarchy hierarchy({{root, {a, b}}, {a, {a1, a2}}, {b, {b1}}, {a1, {a11}}});
  EXPECT_THAT(hierarchy.allLevelChildren(root), ElementsAre(a, b, a1, a2, a11, b1));
  EXPECT_THAT(hierarchy.allLevelParents(a11), ElementsAre(a1, a, root));
  EXPECT_THAT(hierarchy.allLevelChildren(b1), IsEmpty());
  EXPECT_THAT(hierarchy.allLevelParents(root), IsEmpty());
}

TEST(GanttChartItemHierarchy, FirstRelationInListOrderWinsForParentsAndChildren) {
  const auto p = item("P"), q = item("Q"), x = item("X"), y = item("Y");
  const GanttChartItemHierarchy hierarchy({{p, {x}}, {q, {x, y}}, {p, {y}}});
  EXPECT_EQ(hierarchy.parent(x), p);
  EXPECT_EQ(hierarchy.parent(y), q);
  EXPECT_THAT(hierarchy.children(p), ElementsAre(x)) << "a second relation of P is never reached";
  EXPECT_EQ(hierarchy.parent(p), nullptr);
  EXPECT_THAT(hierarchy.children(item("lookalike")), IsEmpty());
}

TEST(GanttChartItemHierarchy, ReplacingTheRelationsRebuildsTheLookups) {
  const auto p = item("P"), x = item("X");
  GanttChartItemHierarchy hierarchy({{p, {x}}});
  hierarchy.setRelations({{x, {p}}});
  EXPECT_EQ(hierarchy.parent(p), x);
  EXPECT_EQ(hierarchy.parent(x), nullptr);
  EXPECT_THAT(hierarchy.children(p), IsEmpty());
}

TEST(GanttChartItemHierarchy, ACycleIsVisitedOnceAndEnds) {
  const auto a = item("A"), b = item("B"), c = item("C");
  const GanttChartItemHierarchy hierarchy({{a, {b}}, {b, {c}}, {c, {a}}});
  EXPECT_THAT(hierarchy.allLevelChildren(a), ElementsAre(b, c));
  EXPECT_THAT(hierarchy.allLevelParents(a), ElementsAre(c, b));
  const GanttChartItemHierarchy selfParent({{a, {a}}});
  EXPECT_THAT(selfParent.allLevelChildren(a), IsEmpty());
  EXPECT_THAT(selfParent.allLevelParents(a), IsEmpty());
}

TEST(GanttChartItemHierarchy, DeepChainsDoNotExhaustTheStack) {
  std::vector<GanttChartItemPtr> chain;
  std::vector<GanttChartItemHierarchicalRelation> relations;
  for (int i = 0; i < 100000; ++i) {
    chain.push_back(item("link"));
    if (i > 0)
      relations.emplace_back(chain[static_cast<size_t>(i) - 1],
                             std::vector<GanttChartItemPtr>{chain.back()});
  }
  const GanttChartItemHierarchy hierarchy(std::move(relations));
  EXPECT_EQ(hierarchy.allLevelChildren(chain.front()).size(), chain.size() - 1);
  EXPECT_EQ(hierarchy.allLevelParents(chain.back()).size(), chain.size() - 1);
}

TEST(GanttChartItemHierarchySource, AnswersFromItsFunctionsAndNothingWithoutThem) {
  const auto p = item("P"), x = item("X");
  const GanttChartItemHierarchySource source(
      [&](const GanttChartItemPtr& i) { return i == x ? p : nullptr; },
      [&](const GanttChartItemPtr& i) {
        return i == p ? std::vector<GanttChartItemPtr>{x} : std::vector<GanttChartItemPtr>{};
      });
  EXPECT_EQ(source.parent(x), p);
  EXPECT_THAT(source.allLevelChildren(p), ElementsAre(x));
  const GanttChartItemHierarchySource empty(nullptr, nullptr);
  EXPECT_EQ(empty.parent(x), nullptr);
  EXPECT_THAT(empty.children(p), IsEmpty());
}

}  // namespace
}  // namespace vorlent
