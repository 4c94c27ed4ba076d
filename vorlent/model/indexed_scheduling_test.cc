// The item source lets the scheduling rules answer through its own indexes:
// the column rule searches the source's row-ordered available items, auto-
// scheduling finds links in the source's dependency index, and the available
// order is carried from one change to the next. A plain manager that keeps
// the same items in arrays and hands the behaviours freshly sorted lists
// without any index makes the rules take their plain path (scanning every
// item, indexing every list). Driven through the same random edits with the
// classic behaviours, both must end with the same items and notify the same
// changes in the same order.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/model/model_recorder_testing.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;

bool isAvailableBefore(const GanttChartItemPtr& a, const GanttChartItemPtr& b) {
  if (a->row() != b->row()) return a->row() < b->row();
  if (!(a->start() == b->start())) return a->start() < b->start();
  if (!(a->finish() == b->finish())) return a->finish() < b->finish();
  return a->zIndex() < b->zIndex();
}

// Stores in arrays and sorts the available items afresh for every question.
class PlainSource : public GanttChartItemManager {
 public:
  PlainSource(std::vector<GanttChartItemPtr> items,
              std::vector<GanttChartDependencyPtr> dependencies, GanttChartItemBehaviorPtr behavior)
      : GanttChartItemManager({}, ScheduleDefinition::standard(), std::move(behavior)),
        items_(std::move(items)),
        dependencies_(std::move(dependencies)) {}

  const std::vector<GanttChartItemPtr>& items() const { return items_; }
  const std::vector<GanttChartDependencyPtr>& dependencies() const { return dependencies_; }

  GanttChartItemList availableItems() override {
    auto sorted = items_;
    std::stable_sort(sorted.begin(), sorted.end(), isAvailableBefore);
    return GanttChartItemList(std::move(sorted));
  }
  GanttChartDependencyList availableDependencies() override {
    return GanttChartDependencyList(dependencies_);
  }
  GanttChartItemPtr addNewSourceItem(int64_t row, const Time& time, bool isMilestone) override {
    items_.push_back(createSourceItem(row, time, isMilestone));
    return items_.back();
  }
  void removeSourceItem(const GanttChartItemPtr& item) override { std::erase(items_, item); }
  GanttChartDependencyPtr addNewSourceDependency(const GanttChartItemPtr& from,
                                                 const GanttChartItemPtr& to,
                                                 GanttChartDependencyType type) override {
    dependencies_.push_back(createSourceDependency(from, to, type));
    return dependencies_.back();
  }
  void removeSourceDependency(const GanttChartDependencyPtr& dependency) override {
    std::erase(dependencies_, dependency);
  }

 private:
  std::vector<GanttChartItemPtr> items_;
  std::vector<GanttChartDependencyPtr> dependencies_;
};

// New items get labels and z-indexes of their own, in creation order, so that
// the two models' items can be matched and no two items tie in the order of
// available items.
class LabellingFactory : public GanttChartItemFactory {
 public:
  GanttChartItemPtr createItem(int64_t row, const Time& time, bool isMilestone) override {
    const int64_t n = created_++;
    return std::make_shared<GanttChartItem>(
        "new" + std::to_string(n), row, time, time, 0.0, std::nullopt, std::nullopt, nullptr, true,
        1000 + n, true, isMilestone ? GanttChartItemType::milestone : GanttChartItemType::standard);
  }

 private:
  int64_t created_ = 0;
};

// One project, built twice from the same random draws: groups of a summary
// over four tasks, links between tasks from earlier to later ones (so the
// links never form a cycle), lags and a few constraints.
struct Model {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartItemPtr> summaries;
  std::shared_ptr<testing::CallLog> log = std::make_shared<testing::CallLog>();
  std::shared_ptr<testing::RecordingObserver> observer =
      std::make_shared<testing::RecordingObserver>(log);
  std::shared_ptr<LabellingFactory> factory = std::make_shared<LabellingFactory>();
  std::shared_ptr<GanttChartItemManager> manager;

  Model(unsigned seed, bool indexed) {
    std::mt19937 random(seed);
    const auto pick = [&](int n) {
      return static_cast<int64_t>(random() % static_cast<unsigned>(n));
    };
    std::vector<GanttChartItemHierarchicalRelation> relations;
    for (int64_t g = 0; g < 8; ++g) {
      const Time start(1 + pick(2), pick(7), static_cast<double>(pick(24)) * kHour);
      auto summary = std::make_shared<GanttChartItem>(
          std::string("s").append(std::to_string(g)), 5 * g, start, start.addingHours(40), 0.0,
          std::nullopt, std::nullopt, nullptr, true, 5 * g, true, GanttChartItemType::summary);
      items.push_back(summary);
      summaries.push_back(summary);
      std::vector<GanttChartItemPtr> children;
      for (int64_t k = 1; k < 5; ++k) {
        const Time taskStart = start.addingHours(static_cast<double>(pick(30)));
        children.push_back(std::make_shared<GanttChartItem>(
            std::string("t").append(std::to_string(g)).append(".").append(std::to_string(k)),
            5 * g + k, taskStart, taskStart.addingHours(static_cast<double>(1 + pick(20))), 0.0,
            std::nullopt, std::nullopt, nullptr, true, 5 * g + k));
        items.push_back(children.back());
      }
      relations.emplace_back(summary, std::move(children));
    }
    std::vector<GanttChartDependencyPtr> dependencies;
    std::vector<GanttChartDependencyLagDefinition> lags;
    for (int i = 0; i < 30; ++i) {
      const auto [from, to] = linkableTasks(pick(40), pick(40));
      if (from == nullptr) continue;
      dependencies.push_back(
          std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                 static_cast<GanttChartDependencyType>(pick(4))));
      if (pick(2) == 0)
        lags.emplace_back(dependencies.back(), kHour * static_cast<double>(pick(9) - 2));
    }
    std::vector<GanttChartItemConstraintDefinition> constraints;
    constraints.emplace_back(
        items[1],
        GanttChartItemConstraints(Time(2, 1, 8 * kHour), std::nullopt, std::nullopt, std::nullopt));
    constraints.emplace_back(items[12], GanttChartItemConstraints(std::nullopt, std::nullopt,
                                                                  std::nullopt, Time(3, 5, 0)));
    auto behavior = GanttChartItemBehaviorSet::classic(
        relations, std::nullopt, std::nullopt, std::nullopt, lags, constraints, std::nullopt);
    if (indexed) {
      manager = std::make_shared<GanttChartItemSource>(items, dependencies,
                                                       ScheduleDefinition::standard(), behavior);
    } else {
      manager = std::make_shared<PlainSource>(items, dependencies, behavior);
    }
    manager->setItemObserver(observer);
    manager->setCollectionObserver(observer);
    manager->setItemFactory(factory);
  }

  // Two tasks of the initial project, the earlier first; null when they are
  // the same or either is a summary.
  std::pair<GanttChartItemPtr, GanttChartItemPtr> linkableTasks(int64_t a, int64_t b) const {
    if (a == b || a % 5 == 0 || b % 5 == 0) return {nullptr, nullptr};
    return {items[static_cast<size_t>(std::min(a, b))], items[static_cast<size_t>(std::max(a, b))]};
  }

  const std::vector<GanttChartItemPtr>& currentItems() const {
    if (auto source = std::dynamic_pointer_cast<GanttChartItemSource>(manager))
      return source->items();
    return std::static_pointer_cast<PlainSource>(manager)->items();
  }
  const std::vector<GanttChartDependencyPtr>& currentDependencies() const {
    if (auto source = std::dynamic_pointer_cast<GanttChartItemSource>(manager)) {
      return source->dependencies();
    }
    return std::static_pointer_cast<PlainSource>(manager)->dependencies();
  }
};

// Row, times, completion, visibility and expansion of every item in array
// order, and the available order by label.
std::vector<std::string> stateOf(const Model& model) {
  std::vector<std::string> state;
  for (const auto& item : model.currentItems()) {
    std::ostringstream line;
    line << testing::nameOf(item) << " row " << item->row() << " " << item->start() << " - "
         << item->finish() << " done " << item->completion() << (item->isVisible() ? "" : " hidden")
         << (item->isExpanded() ? "" : " collapsed");
    state.push_back(line.str());
  }
  std::string order = "order";
  for (const auto& item : model.manager->availableItems())
    order.append(" ").append(testing::nameOf(item));
  state.push_back(order);
  state.push_back("links " + std::to_string(model.currentDependencies().size()));
  return state;
}

// One random edit, made alike on both models: `pick` draws the same numbers
// for both.
template <class Pick>
void edit(Model& model, int64_t kind, Pick pick) {
  GanttChartItemManager& manager = *model.manager;
  const auto& items = model.currentItems();
  const auto anyItem = [&](int64_t n) { return items[static_cast<size_t>(n) % items.size()]; };
  const Time time(1 + pick(3), pick(7), static_cast<double>(pick(48)) * kHour / 2);
  switch (kind) {
    case 0:
      manager.applyBehavior();
      break;
    case 1:
      manager.updateTime(anyItem(pick(1000)), time);
      break;
    case 2:
      manager.updateRow(anyItem(pick(1000)), pick(50));
      break;
    case 3:
      manager.addNewItem(pick(50), time, pick(4) == 0);
      break;
    case 4:
      if (items.size() > 30) manager.removeItem(anyItem(pick(1000)));
      break;
    case 5: {
      const auto [from, to] = model.linkableTasks(pick(40), pick(40));
      if (from != nullptr) {
        manager.addNewDependency(from, to, static_cast<GanttChartDependencyType>(pick(4)));
      }
      break;
    }
    case 6:
      if (!model.currentDependencies().empty()) {
        const auto& dependencies = model.currentDependencies();
        manager.removeDependency(
            dependencies[static_cast<size_t>(pick(1000)) % dependencies.size()]);
      }
      break;
    case 7: {
      const auto& summary = model.summaries[static_cast<size_t>(pick(8))];
      manager.updateExpansion(summary, !summary->isExpanded());
      break;
    }
    case 8: {
      // The host relinks a dependency behind the manager's back, then asks
      // for the rules of its new predecessor.
      const auto& dependencies = model.currentDependencies();
      const auto [from, to] = model.linkableTasks(pick(40), pick(40));
      if (from == nullptr || dependencies.empty()) break;
      const auto& relinked = dependencies[static_cast<size_t>(pick(1000)) % dependencies.size()];
      relinked->setFrom(from);
      relinked->setTo(to);
      manager.applyBehaviorForTimeOf(from);
      break;
    }
    case 9:
      manager.updateDurationToFinishOn(anyItem(pick(1000)), time, pick(2) == 0);
      break;
    default:
      manager.updateCompletion(anyItem(pick(1000)), time);
      break;
  }
}

TEST(IndexedScheduling, MatchesThePlainWayThroughRandomEdits) {
  for (const unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    Model indexed(seed, true);
    Model plain(seed, false);
    std::mt19937 indexedDraws(seed + 100);
    std::mt19937 plainDraws(seed + 100);
    const auto picker = [](std::mt19937& random) {
      return [&random](int n) { return static_cast<int64_t>(random() % static_cast<unsigned>(n)); };
    };
    for (int step = 0; step < 120; ++step) {
      SCOPED_TRACE(step);
      const int64_t kind = step == 0 ? 0 : static_cast<int64_t>(indexedDraws() % 11);
      if (step != 0) plainDraws();
      edit(indexed, kind, picker(indexedDraws));
      edit(plain, kind, picker(plainDraws));
      ASSERT_EQ(stateOf(indexed), stateOf(plain));
      ASSERT_EQ(*indexed.log, *plain.log);
    }
  }
}

}  // namespace
}  // namespace vorlent
