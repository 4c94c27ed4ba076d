#pragma once

#include <any>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "vorlent/model/dependency.h"
#include "vorlent/model/dependency_settings.h"
#include "vorlent/outline/chart_twin.h"
#include "vorlent/outline/outline_item.h"
#include "vorlent/time/time.h"

namespace vorlent {

// A link between two outline items, as the host describes it. Like an
// outline item it owns a chart twin (a GanttChartDependency between the
// twins of its two items), built when the chart first shows it and written
// through by every setter, except that the twin keeps its ends until the
// chart points them at the current twins again.
//
// Ownership as for outline items: hold it in std::shared_ptr; the twin
// handed to the chart keeps this dependency alive, and refers back to it
// weakly (see `outlineGanttChartDependencyOf`). Every setter other than
// `setHasChanged` raises `hasChanged`. GUI thread only.
class OutlineGanttChartDependency
    : public std::enable_shared_from_this<OutlineGanttChartDependency> {
 public:
  // A null `from` or `to` is a fatal stop. A given type or style raises
  // `hasChanged`.
  OutlineGanttChartDependency(std::optional<std::string> label, OutlineGanttChartItemPtr from,
                              OutlineGanttChartItemPtr to, std::optional<std::string> details,
                              int64_t zIndex, bool isVisible,
                              std::optional<GanttChartDependencyType> type,
                              std::optional<GanttChartDependencyStyle> style, std::any context);
  static std::shared_ptr<OutlineGanttChartDependency> create(
      std::optional<std::string> label, OutlineGanttChartItemPtr from, OutlineGanttChartItemPtr to,
      std::optional<std::string> details, int64_t zIndex, bool isVisible,
      std::optional<GanttChartDependencyType> type, std::optional<GanttChartDependencyStyle> style,
      std::any context);

  virtual ~OutlineGanttChartDependency() = default;
  OutlineGanttChartDependency(const OutlineGanttChartDependency&) = delete;
  OutlineGanttChartDependency& operator=(const OutlineGanttChartDependency&) = delete;

  [[nodiscard]] virtual const std::optional<std::string>& label() const { return label_; }
  virtual void setLabel(std::optional<std::string> label);
  [[nodiscard]] virtual const std::optional<std::string>& details() const { return details_; }
  virtual void setDetails(std::optional<std::string> details);
  // Assigning an end leaves the twin's ends as they are; a null item is a
  // fatal stop.
  [[nodiscard]] virtual const OutlineGanttChartItemPtr& from() const { return from_; }
  virtual void setFrom(OutlineGanttChartItemPtr from);
  [[nodiscard]] virtual const OutlineGanttChartItemPtr& to() const { return to_; }
  virtual void setTo(OutlineGanttChartItemPtr to);
  [[nodiscard]] virtual GanttChartDependencyEndType fromType() const { return fromType_; }
  virtual void setFromType(GanttChartDependencyEndType fromType);
  [[nodiscard]] virtual GanttChartDependencyEndType toType() const { return toType_; }
  virtual void setToType(GanttChartDependencyEndType toType);
  // From the two end types; assigning rewrites both (the twin's in turn).
  [[nodiscard]] virtual GanttChartDependencyType type() const;
  virtual void setType(GanttChartDependencyType type);

  // The linked moments, read from the end items at each call.
  [[nodiscard]] virtual Time fromTime() const;
  [[nodiscard]] virtual Time toTime() const;
  [[nodiscard]] virtual bool isFromEntropic() const {
    return fromType() == GanttChartDependencyEndType::finish;
  }
  [[nodiscard]] virtual bool isToEntropic() const {
    return toType() == GanttChartDependencyEndType::start;
  }

  [[nodiscard]] virtual int64_t zIndex() const { return zIndex_; }
  virtual void setZIndex(int64_t zIndex);
  [[nodiscard]] virtual bool isVisible() const { return isVisible_; }
  virtual void setIsVisible(bool isVisible);
  [[nodiscard]] virtual const std::any& context() const { return context_; }
  virtual void setContext(std::any context);
  [[nodiscard]] virtual const GanttChartDependencySettings& settings() const {
    return settings_;
  }
  virtual void setSettings(const GanttChartDependencySettings& settings);
  [[nodiscard]] virtual const GanttChartDependencyStyle& style() const { return settings().style; }
  virtual void setStyle(const GanttChartDependencyStyle& style);

  [[nodiscard]] virtual bool hasChanged() const { return hasChanged_; }
  virtual void setHasChanged(bool hasChanged) { hasChanged_ = hasChanged; }

  // Builds a new twin between `from` and `to` (the twins of the two end
  // items, found by the caller; null ones are a fatal stop) and keeps it.
  // The new twin starts with `hasChanged` false.
  virtual GanttChartDependencyPtr makeGanttChartDependency(const GanttChartItemPtr& from,
                                                           const GanttChartItemPtr& to,
                                                           bool withLabelDetails);
  // The cached twin, null before the first build.
  [[nodiscard]] GanttChartDependencyPtr ganttChartDependency();
  [[nodiscard]] std::optional<bool> ganttChartDependencyWithLabelDetails() const {
    return ganttChartDependencyWithLabelDetails_;
  }

 private:
  template <class Write>
  void writeToTwin(const Write& write);

  std::optional<std::string> label_;
  std::optional<std::string> details_;
  OutlineGanttChartItemPtr from_;
  OutlineGanttChartItemPtr to_;
  GanttChartDependencyEndType fromType_ = GanttChartDependencyEndType::finish;
  GanttChartDependencyEndType toType_ = GanttChartDependencyEndType::start;
  int64_t zIndex_ = 0;
  bool isVisible_ = true;
  bool hasChanged_ = false;
  std::any context_;
  GanttChartDependencySettings settings_;
  detail::ChartTwin<GanttChartDependency> twin_;
  std::optional<bool> ganttChartDependencyWithLabelDetails_;
};

using OutlineGanttChartDependencyPtr = std::shared_ptr<OutlineGanttChartDependency>;

// The outline dependency a chart dependency mirrors (its context, held
// weakly by the library or strongly by a host), or null.
[[nodiscard]] OutlineGanttChartDependencyPtr outlineGanttChartDependencyOf(
    const GanttChartDependency& dependency);

}  // namespace vorlent
