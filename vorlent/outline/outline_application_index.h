#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/outline/outline_row.h"

namespace vorlent::detail {

// What the outline chart's hierarchy answers look up while the rules are
// applied: which row holds an outline item, the available twins of each
// outline item with their places in the available list, and the parent and
// children already worked out for a row. Built once per application from the
// list that application reads, so that asking for an item's parent or
// children costs the item's own row and not a pass over every row and every
// available item, and asking again for a summary's children (once for each
// child that moved) costs a lookup.
//
// Everything here assumes that the twins in the available list keep their
// outline items while one reading lasts (only the chart changes a twin's
// item, and it reads the lists again when it does). The rest is checked
// against `State`.
class OutlineApplicationIndex {
 public:
  // What the answers are worked out from, each as a figure that changes
  // whenever it may have: the reading of the lists, the chart's list of
  // displayed rows, the items of every plain row (see `isPlain`) and the
  // shape of the tree (its displayed rows and each row's children).
  struct State {
    uint64_t reading = 0;
    uint64_t listed = 0;
    uint64_t rowItems = 0;
    uint64_t tree = 0;
    bool operator==(const State&) const = default;
  };

  // Whether `row` keeps its items where a change of them raises
  // `anyOutlineRowItemsRevision()`: a host's subclass may answer `chartItems()`
  // as it likes, so nothing read from one is remembered.
  [[nodiscard]] static bool isPlain(const OutlineGanttChartRow& row);

  void rebuild(const State& state, const std::vector<OutlineGanttChartRowPtr>& rows,
               const std::vector<GanttChartItemPtr>& available);
  // Takes the index, and the answers remembered with it, over to a new
  // reading of the lists that found the very same available items (so that
  // one drag step after another keeps them), when nothing else changed
  // since the build. False, changing nothing, otherwise.
  [[nodiscard]] bool adopt(const State& state, const std::vector<GanttChartItemPtr>& available);
  // Built for this reading of the lists and this list of rows.
  [[nodiscard]] bool isBuiltFor(const State& state) const {
    return built_ && state.reading == builtFor_.reading && state.listed == builtFor_.listed;
  }

  // The first row (in chart order) holding `item`, while no row's items
  // changed since the build and every row was plain; null otherwise and for
  // an item on no row (the caller then searches itself).
  [[nodiscard]] OutlineGanttChartRowPtr rowHolding(const OutlineGanttChartItem* item,
                                                   const State& now) const;
  // The available twins of the row's outline items, in available order.
  [[nodiscard]] std::vector<GanttChartItemPtr> twinsOn(const OutlineGanttChartRow& row) const;

  // The answers remembered for `row` in the state `now`, if any: the first
  // available twin on its parent row (null for none) and the twins on its
  // child rows. Answers remembered in another state are forgotten first.
  [[nodiscard]] const GanttChartItemPtr* parentOf(const OutlineGanttChartRow& row,
                                                  const State& now);
  [[nodiscard]] const std::vector<GanttChartItemPtr>* childrenOf(const OutlineGanttChartRow& row,
                                                                 const State& now);
  // Remembers an answer worked out entirely in the state `in`; nothing when
  // that is no longer the current one, `now`.
  void rememberParent(const OutlineGanttChartRowPtr& row, GanttChartItemPtr parent, const State& in,
                      const State& now);
  void rememberChildren(const OutlineGanttChartRowPtr& row, std::vector<GanttChartItemPtr> children,
                        const State& in, const State& now);

 private:
  struct Answers {
    OutlineGanttChartRowPtr row;  // keeps the key's address from being reused
    std::optional<GanttChartItemPtr> parent;
    std::optional<std::vector<GanttChartItemPtr>> children;
  };
  // The entry for `row`, after forgetting the answers of another state.
  Answers* answersFor(const OutlineGanttChartRow& row, const State& now);
  Answers* newAnswersFor(const OutlineGanttChartRowPtr& row, const State& in, const State& now);

  bool built_ = false;
  State builtFor_;
  // The available items the index was built from (held, so that no other
  // item can take one's address).
  std::vector<GanttChartItemPtr> builtFrom_;
  bool plainRows_ = false;
  std::unordered_map<const OutlineGanttChartItem*, OutlineGanttChartRowPtr> rowOf_;
  std::unordered_map<const OutlineGanttChartItem*,
                     std::vector<std::pair<size_t, GanttChartItemPtr>>>
      twinsOf_;
  State answersFor_;
  std::unordered_map<const OutlineGanttChartRow*, Answers> answers_;
};

}  // namespace vorlent::detail
