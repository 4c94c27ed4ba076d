#pragma once

#include <string>

namespace vorlent {

// Titles of the chart area's context-menu commands. A host localises the menu
// by assigning other texts to the settings' `strings`.
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
