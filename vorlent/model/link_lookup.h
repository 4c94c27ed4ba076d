#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <typeinfo>
#include <utility>
#include <vector>

#include "vorlent/model/behavior_dependency_index.h"
#include "vorlent/model/item_lists.h"
#include "vorlent/model/small_copy.h"
#include "vorlent/model/source_list_indexes.h"

namespace vorlent::detail {

// The dependencies into and out of an item, each in list order: from the item
// source's index attached to the list while it still describes the list, else
// from a behaviour's own index of the list, built at most once per lookup
// object so that every look-up through it sees the same list.
//
// The source's index changes when a host adds, removes or relinks a
// dependency, which a lag provider, a calendar or an item of the host's may
// do while a rule walks the links. `copyOutOf` therefore copies, and
// `visitInto` walks the index itself only while the caller vouches that
// visiting a link runs no host code, copying what is left to visit
// otherwise. The behaviour's own index is a snapshot and is walked as it is.
class LinkLookup {
 public:
  LinkLookup(GanttChartDependencyList dependencies, BehaviorDependencyIndex& own)
      : dependencies_(std::move(dependencies)), source_(sourceLinksOf(dependencies_)), own_(own) {}

  // Most items have a few links out.
  using Copies = SmallCopy<GanttChartDependencyPtr, 8>;

  // Appends the dependencies out of `item` to `found`.
  void copyOutOf(const GanttChartItem* item, Copies& found) {
    if (const SourceDependencyIndex* index = source_ ? source_->current() : nullptr) {
      for (const auto& link : index->outgoing(item)) found.push_back(link.dependency);
      return;
    }
    const auto& list = dependencies_.elements();
    for (const size_t position : ownPositions().from(item)) found.push_back(list[position]);
  }

  // How many dependencies reach `item`.
  [[nodiscard]] size_t countInto(const GanttChartItem* item) {
    if (const SourceDependencyIndex* index = source_ ? source_->current() : nullptr) {
      return index->incoming(item).size();
    }
    return ownPositions().to(item).size();
  }

  // Calls `visit(dependency, sealed)` for each dependency into `item`, in
  // list order, where `sealed` is `isSealed(dependency)`, asked right before:
  // whether visiting it runs only the library's own code. Answers how many
  // dependencies there are.
  template <class IsSealed, class Visit>
  size_t visitInto(const GanttChartItem* item, const IsSealed& isSealed, const Visit& visit) {
    if (const SourceDependencyIndex* index = source_ ? source_->current() : nullptr) {
      const std::span<const SourceDependencyIndex::Link> links = index->incoming(item);
      for (size_t i = 0; i < links.size(); ++i) {
        if (!isSealed(*links[i].dependency)) {
          std::vector<GanttChartDependencyPtr> rest;
          rest.reserve(links.size() - i);
          for (size_t k = i; k < links.size(); ++k) rest.push_back(links[k].dependency);
          visit(rest.front(), false);
          for (size_t k = 1; k < rest.size(); ++k) visit(rest[k], isSealed(*rest[k]));
          return links.size();
        }
        visit(links[i].dependency, true);
      }
      return links.size();
    }
    // Held by this object, so a re-entrant refresh of the index cannot free it.
    const Positions& positions = ownPositions();
    const auto& list = dependencies_.elements();
    const std::vector<size_t>& into = positions.to(item);
    for (const size_t position : into) visit(list[position], isSealed(*list[position]));
    return into.size();
  }

 private:
  using Positions = BehaviorDependencyIndex::Positions;

  // A type check rather than a cast: the class is final, and this is asked
  // once per rule question.
  static const SourceDependencyLinks* sourceLinksOf(const GanttChartDependencyList& list) {
    const SharedListIndex* index = list.index().get();
    if (index == nullptr || typeid(*index) != typeid(SourceDependencyLinks)) return nullptr;
    return static_cast<const SourceDependencyLinks*>(index);
  }

  const Positions& ownPositions() {
    if (!positions_) positions_ = own_.refresh(dependencies_);
    return *positions_;
  }

  GanttChartDependencyList dependencies_;
  const SourceDependencyLinks* source_;  // kept alive by `dependencies_`
  BehaviorDependencyIndex& own_;
  std::shared_ptr<const Positions> positions_;
};

}  // namespace vorlent::detail
