#pragma once

// Two item sources for comparing the engine with the plain cascade.
//
// `PlainCascadeSource` is the reference: a whole-chart application asks the
// behaviour about every available item in turn (row, expansion, time,
// completion), and every answer runs depth first to its end, skipping only
// actions overtaken by an earlier sibling's cascade. No level bound applies;
// a return bound far above anything a settling chart needs only marks the
// chart as one that never settles (`wasCut()`).
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
  [[nodiscard]] bool wasCut() const { return cuts() != 0; }

 protected:
  [[nodiscard]] CascadeBounds cascadeBounds() const override;
  // Every span counted afresh.
  [[nodiscard]] bool remembersSummaries() const override { return false; }
  void applyBehaviorUpdates() override;
};

}  // namespace vorlent::testing
