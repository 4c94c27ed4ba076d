#pragma once

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
struct LibraryRules {
  std::vector<const GanttChartItemColumnBehavior*> columns;
  std::vector<const GanttChartItemHierarchicalBehavior*> hierarchies;
  std::vector<const GanttChartItemAutoSchedulingBehavior*> autoScheduling;
  std::vector<const GanttChartItemConstraintBehavior*> constraints;
  bool foreign = false;
};

[[nodiscard]] LibraryRules libraryRulesOf(const GanttChartItemBehavior& behavior);

}  // namespace vorlent::detail
