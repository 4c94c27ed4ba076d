#pragma once

#include <memory>
#include <vector>

#include "vorlent/model/item_behavior.h"

namespace vorlent {
class GanttChartItemAutoSchedulingBehavior;
class GanttChartItemColumnBehavior;
class GanttChartItemConstraintBehavior;
class GanttChartItemHierarchicalBehavior;
}  // namespace vorlent

namespace vorlent::detail {

// The library's own rules found in a behaviour, each as often as it answers
// a question: behaviour sets are walked as they answer (a set already being
// asked on the way down adds nothing; one met twice elsewhere counts twice).
// Types are compared exactly, so a host's subclass of a rule, like any other
// behaviour, makes the census `foreign`, and the lists are then incomplete.
// The rules are held strongly: a provider asked while the census is read may
// replace the chart's rules (a host reloading its hierarchy) without freeing
// what is still being read.
struct LibraryRules {
  std::vector<std::shared_ptr<GanttChartItemColumnBehavior>> columns;
  std::vector<std::shared_ptr<GanttChartItemHierarchicalBehavior>> hierarchies;
  std::vector<std::shared_ptr<GanttChartItemAutoSchedulingBehavior>> autoScheduling;
  std::vector<std::shared_ptr<GanttChartItemConstraintBehavior>> constraints;
  bool foreign = false;
};

// An empty census, not foreign, for a null behaviour.
[[nodiscard]] LibraryRules libraryRulesOf(const GanttChartItemBehaviorPtr& behavior);

}  // namespace vorlent::detail
