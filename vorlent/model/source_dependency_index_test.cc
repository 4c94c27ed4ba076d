#include "vorlent/model/source_dependency_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace vorlent::detail {
namespace {

std::vector<const GanttChartDependency*> linksOf(
    std::span<const SourceDependencyIndex::Link> links) {
  std::vector<const GanttChartDependency*> found;
  for (const auto& link : links) found.push_back(link.dependency.get());
  return found;
}

// Two indexes over lists that share their items (two charts showing the same
// tasks), edited and asked in turns: each answers every item's links as a
// scan of its own list does, whatever the other left in the items' hints.
TEST(SourceDependencyIndex, AnswersAsAScanOfItsListWhileAnotherIndexesTheSameItems) {
  std::vector<GanttChartItemPtr> items;
  for (int i = 0; i < 40; ++i) items.push_back(GanttChartItem::create({}));
  std::mt19937 random(23);
  const auto anyItem = [&] { return items[random() % items.size()]; };
  struct Chart {
    SourceDependencyIndex index;
    std::vector<GanttChartDependencyPtr> list;
  };
  Chart charts[2];
  for (Chart& chart : charts) chart.index.rebuild(chart.list);
  for (int step = 0; step < 20000; ++step) {
    Chart& chart = charts[random() % 2];
    switch (random() % 10) {
      case 0:
        chart.index.rebuild(chart.list);
        break;
      case 1:
      case 2: {
        chart.list.push_back(
            std::make_shared<GanttChartDependency>(std::nullopt, anyItem(), anyItem()));
        chart.index.dependencyAppended(chart.list.back());
        break;
      }
      case 3: {
        if (chart.list.empty()) break;
        const GanttChartDependencyPtr removed = chart.list[random() % chart.list.size()];
        std::erase(chart.list, removed);
        chart.index.dependencyRemoved(removed);
        break;
      }
      case 4: {
        if (chart.list.empty()) break;
        const GanttChartDependencyPtr& relinked = chart.list[random() % chart.list.size()];
        const GanttChartItemPtr oldFrom = relinked->from();
        const GanttChartItemPtr oldTo = relinked->to();
        if (random() % 2 == 0) {
          relinked->setFrom(anyItem());
        } else {
          relinked->setTo(anyItem());
        }
        chart.index.dependencyRelinked(*relinked, oldFrom.get(), oldTo.get());
        break;
      }
      default: {
        ASSERT_TRUE(chart.index.isCurrent());
        const GanttChartItemPtr item = anyItem();
        std::vector<const GanttChartDependency*> out;
        std::vector<const GanttChartDependency*> in;
        for (const auto& link : chart.list) {
          if (link->from() == item) out.push_back(link.get());
          if (link->to() == item) in.push_back(link.get());
        }
        ASSERT_EQ(linksOf(chart.index.outgoing(item.get())), out) << step;
        ASSERT_EQ(linksOf(chart.index.incoming(item.get())), in) << step;
      }
    }
  }
}

}  // namespace
}  // namespace vorlent::detail
