#pragma once

// Two item sources for comparing the engine with the plain cascade.
//
// `PlainCascadeSource` is the reference: a whole-chart application asks the
// behaviour about every available item in turn (row, expansion, time,
// completion), and every answer runs depth first to its end. It runs its
// own cascade rather than the engine's: of one answer, an action is skipped
// when the cascade of an earlier action of that answer changed its item's
// time (completion, for a completion action), told by the sets of items each
// cascade changed, not by the engine's change marks; so a fault in the
// engine's own rule for that shows as a difference. No level bound applies;
// bounds on returns far above anything a settling chart needs only mark
// the chart as one that never settles (`wasCut()`), and end that cascade.
//
// `CountingSource` is the production engine, counting how often one of its
// bounds cut a cascade.

#include <cstdint>
#include <memory>
#include <vector>

#include "vorlent/model/item_source.h"

namespace vorlent::testing {

class CountingSource : public GanttChartItemSource {
 public:
  using GanttChartItemSource::GanttChartItemSource;
  [[nodiscard]] int64_t cuts() const { return cuts_; }

 protected:
  void cascadeWasCut(const GanttChartItemPtr& /*item*/) override { ++cuts_; }

 private:
  int64_t cuts_ = 0;
};

class PlainCascadeSource : public CountingSource {
 public:
  using CountingSource::CountingSource;
  using CountingSource::performUpdates;
  [[nodiscard]] bool wasCut() const { return cuts() != 0; }

 protected:
  // Every span counted afresh.
  [[nodiscard]] bool remembersSummaries() const override { return false; }
  void applyBehaviorUpdates() override;
  // The plain depth-first cascade; `recursivity` is not bounded.
  void performUpdates(GanttChartItemUpdateActions actions, int64_t recursivity) override;
  // Within the cascade, only the manager's caches are dropped before each
  // action, as the engine drops them: the source's indexes and item order
  // follow each change as they do under the engine.
  void sourceDidChange() override;

 private:
  bool cascading_ = false;
};

}  // namespace vorlent::testing
