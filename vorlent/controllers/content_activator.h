#pragma once

#include "vorlent/controllers/interaction_values.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"

namespace vorlent {

// Told what the user activated (normally by a double click). Held weakly;
// every requirement defaults to doing nothing, so an activator that cares
// only about bars lets clicks on lines and empty space pass silently.
class GanttChartContentActivator {
 public:
  virtual ~GanttChartContentActivator() = default;
  virtual void activate(const GanttChartBar& /*bar*/) {}
  virtual void activate(const GanttChartDependencyLine& /*dependencyLine*/) {}
  // An empty spot: its row and the unsnapped time under the pointer.
  virtual void activate(const GanttChartPosition& /*position*/) {}
};

}  // namespace vorlent
