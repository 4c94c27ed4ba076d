#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/model/item_behavior.h"

namespace vorlent {
class GanttChartItemHierarchicalBehavior;
}

namespace vorlent::detail {

// Re-applying the behaviours to a whole chart asks the column rule about
// every item in turn, and each answer pushes every other item of that item's
// row one row down: on a chart whose items share rows, items are pushed along
// row after row, which makes the number of row changes grow with the square
// of the items. The pass below computes where the row steps (and the
// expansion steps between them) of such a pass leave every item in one go and
// stores each final row once.

// The rules of a behaviour when the pass may stand in for its row and
// expansion steps: rows change only through the row steps of exactly one
// column rule and through collapses of the hierarchical rules, and nothing
// else in a whole-chart pass reads rows. Every member must be one of the
// library's own rules (the column, hierarchical, auto-scheduling and
// constraint behaviours, in behaviour sets, compared by exact type, so a
// host's subclass is not trusted). Holds the hierarchical rules it found, so
// that a provider replacing the behaviour while it is asked cannot free what
// the pass still calls into.
class ColumnPassRules {
 public:
  // std::nullopt when the pass may not stand in for the behaviour.
  [[nodiscard]] static std::optional<ColumnPassRules> of(
      const GanttChartItemBehaviorPtr& behavior);

  // Whether collapsing `item` may fold something: some hierarchy lists a
  // visible descendant of it. Errs towards true (an item the manager no
  // longer holds still counts), which costs time but never a row.
  [[nodiscard]] bool mayFoldDescendantsOf(const GanttChartItemPtr& item) const;

 private:
  std::vector<std::shared_ptr<const GanttChartItemHierarchicalBehavior>> hierarchies_;
};

// How the pass reaches the chart: it stores rows through `storeRow` (without
// telling anyone) and has `askExpansion` ask the rules about a collapsed
// item's expansion state and apply their answer silently, returning whether a
// row or a visibility changed.
struct ColumnPassHooks {
  std::function<void(const GanttChartItemPtr&, int64_t)> storeRow;
  std::function<bool(const GanttChartItemPtr&)> askExpansion;
};

// An item of the pass's list that the pass changed, with its row and
// visibility from before.
struct ColumnPassChange {
  GanttChartItemPtr item;
  int64_t row;
  bool wasVisible;
};

// Runs the row step of the column rule (pushing every other item still on
// that item's row one row down) for each of `items` in list order, each
// followed by the expansion step of a collapsed item, and stores the final
// rows. Any order is taken, repeats included. A push past the last
// representable row leaves the pushed items where they are, as the column
// rule itself does. Groups of items that share a row move as one, so the
// cost is about linear in the items, plus one pass over them for each
// collapse that may fold descendants. Returns the changed items once each, in
// list order; std::nullopt, having changed nothing, when an item is null (the
// item-by-item pass reports it).
[[nodiscard]] std::optional<std::vector<ColumnPassChange>> runColumnPass(
    const std::vector<GanttChartItemPtr>& items, const ColumnPassRules& rules,
    const ColumnPassHooks& hooks);

}  // namespace vorlent::detail
