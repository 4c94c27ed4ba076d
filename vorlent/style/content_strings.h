#pragma once

#include <string>

namespace vorlent {

// The English titles of the chart area's context-menu commands; a host that
// needs another language replaces them in the settings' `strings`.
struct GanttChartContentStrings {
  std::string createItem = "Create item";
  std::string createMilestoneItem = "Create milestone";
  std::string editItem = "Edit";
  std::string deleteItem = "Delete item";
  // Used instead of `deleteItem` when the clicked item is a milestone.
  std::string deleteMilestoneItem = "Delete milestone";
  std::string editDependency = "Edit";
  std::string deleteDependency = "Delete dependency";
};

}  // namespace vorlent
