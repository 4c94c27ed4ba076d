#include "vorlent/outline/outline_application_index.h"

#include <algorithm>
#include <typeinfo>
#include <unordered_set>

#include "vorlent/outline/outline_item.h"

namespace vorlent::detail {

bool OutlineApplicationIndex::isPlain(const OutlineGanttChartRow& row) {
  return typeid(row) == typeid(OutlineGanttChartRow);
}

void OutlineApplicationIndex::rebuild(const State& state,
                                      const std::vector<OutlineGanttChartRowPtr>& rows,
                                      const std::vector<GanttChartItemPtr>& available) {
  rowOf_.clear();
  twinsOf_.clear();
  answers_.clear();
  plainRows_ = true;
  for (const auto& row : rows) {
    if (!row) continue;
    plainRows_ = plainRows_ && isPlain(*row);
    // The first row wins, as a search in chart order would find it.
    for (const auto& item : row->chartItems()) rowOf_.try_emplace(item.get(), row);
  }
  for (size_t i = 0; i < available.size(); ++i) {
    if (!available[i]) continue;
    if (auto outlineItem = outlineGanttChartItemOf(*available[i])) {
      twinsOf_[outlineItem.get()].emplace_back(i, available[i]);
    }
  }
  builtFor_ = state;
  builtFrom_ = available;
  answersFor_ = state;
  built_ = true;
}

bool OutlineApplicationIndex::adopt(const State& state,
                                    const std::vector<GanttChartItemPtr>& available) {
  if (!built_ || state.listed != builtFor_.listed || state.rowItems != builtFor_.rowItems ||
      available != builtFrom_) {
    return false;
  }
  const bool answersHold = answersFor_.listed == state.listed &&
                           answersFor_.rowItems == state.rowItems && answersFor_.tree == state.tree;
  builtFor_.reading = state.reading;
  builtFor_.tree = state.tree;
  if (answersHold) {
    answersFor_.reading = state.reading;
  } else {
    answers_.clear();
    answersFor_ = state;
  }
  return true;
}

OutlineGanttChartRowPtr OutlineApplicationIndex::rowHolding(const OutlineGanttChartItem* item,
                                                            const State& now) const {
  if (!plainRows_ || now.rowItems != builtFor_.rowItems || !isBuiltFor(now)) return nullptr;
  const auto found = rowOf_.find(item);
  return found == rowOf_.end() ? nullptr : found->second;
}

std::vector<GanttChartItemPtr> OutlineApplicationIndex::twinsOn(
    const OutlineGanttChartRow& row) const {
  std::unordered_set<const OutlineGanttChartItem*> seen;
  std::vector<std::pair<size_t, GanttChartItemPtr>> placed;
  for (const auto& item : row.chartItems()) {
    if (!seen.insert(item.get()).second) continue;
    const auto found = twinsOf_.find(item.get());
    if (found != twinsOf_.end())
      placed.insert(placed.end(), found->second.begin(), found->second.end());
  }
  std::sort(placed.begin(), placed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<GanttChartItemPtr> twins;
  twins.reserve(placed.size());
  for (auto& entry : placed) twins.push_back(std::move(entry.second));
  return twins;
}

OutlineApplicationIndex::Answers* OutlineApplicationIndex::answersFor(
    const OutlineGanttChartRow& row, const State& now) {
  if (!isBuiltFor(now)) return nullptr;
  if (!(answersFor_ == now)) {
    answers_.clear();
    answersFor_ = now;
    return nullptr;
  }
  const auto found = answers_.find(&row);
  return found == answers_.end() ? nullptr : &found->second;
}

const GanttChartItemPtr* OutlineApplicationIndex::parentOf(const OutlineGanttChartRow& row,
                                                           const State& now) {
  Answers* answers = answersFor(row, now);
  return answers && answers->parent ? &*answers->parent : nullptr;
}

const std::vector<GanttChartItemPtr>* OutlineApplicationIndex::childrenOf(
    const OutlineGanttChartRow& row, const State& now) {
  Answers* answers = answersFor(row, now);
  return answers && answers->children ? &*answers->children : nullptr;
}

OutlineApplicationIndex::Answers* OutlineApplicationIndex::newAnswersFor(
    const OutlineGanttChartRowPtr& row, const State& in, const State& now) {
  if (!row || !(in == now) || !isBuiltFor(now)) return nullptr;
  if (!(answersFor_ == now)) {
    answers_.clear();
    answersFor_ = now;
  }
  Answers& answers = answers_[row.get()];
  answers.row = row;
  return &answers;
}

void OutlineApplicationIndex::rememberParent(const OutlineGanttChartRowPtr& row,
                                             GanttChartItemPtr parent, const State& in,
                                             const State& now) {
  if (Answers* answers = newAnswersFor(row, in, now)) answers->parent = std::move(parent);
}

void OutlineApplicationIndex::rememberChildren(const OutlineGanttChartRowPtr& row,
                                               std::vector<GanttChartItemPtr> children,
                                               const State& in, const State& now) {
  if (Answers* answers = newAnswersFor(row, in, now)) answers->children = std::move(children);
}

}  // namespace vorlent::detail
