#pragma once

#include <any>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "vorlent/model/item.h"
#include "vorlent/model/item_settings.h"
#include "vorlent/model/item_style.h"
#include "vorlent/outline/chart_twin.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

class ScheduleDefinition;

// One bar of an outline row, as the host describes it. The chart works on a
// GanttChartItem that mirrors it (its twin), built the first time the chart
// asks and kept from then on: every setter here also writes into the twin, so
// the host edits its own objects and the chart follows without a rebuild.
//
// Ownership: hold outline items in std::shared_ptr (`create`, or
// std::make_shared). The item owns its twin and hands it out as a pointer
// that also keeps the item alive; the twin's context refers back to the item
// weakly (see `outlineGanttChartItemOf`). Handing out a twin of an item that
// is not owned by a std::shared_ptr is a fatal stop.
//
// Values are stored as given: no snapping, no ordering of the ends, no
// clamping of the completion. Every setter other than `setHasChanged` raises
// `hasChanged`, also when the value is the same; the twin's setters raise the
// twin's. Nothing is notified and no chart cache is cleared. GUI thread only.
class OutlineGanttChartItem : public std::enable_shared_from_this<OutlineGanttChartItem> {
 public:
  // `type` nullopt means standard. A given style is assigned through
  // `setStyle` and so raises `hasChanged`; nothing else does.
  OutlineGanttChartItem(std::optional<std::string> label, Time start, Time finish,
                        double completion, std::optional<std::string> attachment,
                        std::optional<std::string> details,
                        std::shared_ptr<ScheduleDefinition> schedule, int64_t zIndex,
                        bool isVisible, std::optional<GanttChartItemType> type,
                        std::optional<GanttChartItemStyle> style, std::any context);
  static std::shared_ptr<OutlineGanttChartItem> create(
      std::optional<std::string> label, Time start, Time finish, double completion,
      std::optional<std::string> attachment, std::optional<std::string> details,
      std::shared_ptr<ScheduleDefinition> schedule, int64_t zIndex, bool isVisible,
      std::optional<GanttChartItemType> type, std::optional<GanttChartItemStyle> style,
      std::any context);
  // A momentary item: start = finish = `time`, completion 0. A missing type
  // still means standard, not milestone.
  static std::shared_ptr<OutlineGanttChartItem> fromTime(
      std::optional<std::string> label, Time time, std::optional<std::string> attachment,
      std::optional<std::string> details, std::shared_ptr<ScheduleDefinition> schedule,
      int64_t zIndex, bool isVisible, std::optional<GanttChartItemType> type,
      std::optional<GanttChartItemStyle> style, std::any context);

  virtual ~OutlineGanttChartItem() = default;
  OutlineGanttChartItem(const OutlineGanttChartItem&) = delete;
  OutlineGanttChartItem& operator=(const OutlineGanttChartItem&) = delete;

  // With a twin built with label details and no details of its own, the
  // twin's details follow the label too.
  [[nodiscard]] virtual const std::optional<std::string>& label() const { return label_; }
  virtual void setLabel(std::optional<std::string> label);
  [[nodiscard]] virtual const std::optional<std::string>& attachment() const {
    return attachment_;
  }
  virtual void setAttachment(std::optional<std::string> attachment);
  // Reaches the twin exactly as stored: absent details are not replaced by
  // the label.
  [[nodiscard]] virtual const std::optional<std::string>& details() const { return details_; }
  virtual void setDetails(std::optional<std::string> details);
  [[nodiscard]] virtual const TimeRange& time() const { return time_; }
  virtual void setTime(const TimeRange& time);
  [[nodiscard]] virtual const std::shared_ptr<ScheduleDefinition>& schedule() const {
    return schedule_;
  }
  virtual void setSchedule(std::shared_ptr<ScheduleDefinition> schedule);
  // One end of `time`; setting one replaces that end through `setTime`.
  [[nodiscard]] virtual Time start() const { return time().start; }
  virtual void setStart(const Time& start);
  [[nodiscard]] virtual Time finish() const { return time().finish; }
  virtual void setFinish(const Time& finish);
  // False only when the finish is earlier than the start.
  [[nodiscard]] virtual bool isEntropic() const { return !(finish() < start()); }
  [[nodiscard]] virtual bool isMomentary() const { return start() == finish(); }

  [[nodiscard]] virtual double completion() const { return completion_; }
  virtual void setCompletion(double completion);
  [[nodiscard]] virtual bool isStarted() const { return completion() > 0; }
  [[nodiscard]] virtual bool isCompleted() const { return completion() >= 1; }
  [[nodiscard]] virtual bool isInProgress() const { return completion() > 0 && completion() < 1; }

  [[nodiscard]] virtual GanttChartItemType type() const { return type_; }
  virtual void setType(GanttChartItemType type);
  [[nodiscard]] virtual bool isStandard() const { return type() == GanttChartItemType::standard; }
  [[nodiscard]] virtual bool isMilestone() const { return type() == GanttChartItemType::milestone; }
  [[nodiscard]] virtual bool isSummary() const { return type() == GanttChartItemType::summary; }

  [[nodiscard]] virtual int64_t zIndex() const { return zIndex_; }
  virtual void setZIndex(int64_t zIndex);
  [[nodiscard]] virtual bool isVisible() const { return isVisible_; }
  virtual void setIsVisible(bool isVisible);
  // The host's own value. The twin's context stays this item whatever is
  // assigned here.
  [[nodiscard]] virtual const std::any& context() const { return context_; }
  virtual void setContext(std::any context);
  // Per-item permissions, highlight and style; the twin receives the whole
  // record.
  [[nodiscard]] virtual const GanttChartItemSettings& settings() const { return settings_; }
  virtual void setSettings(const GanttChartItemSettings& settings);
  [[nodiscard]] virtual const GanttChartItemStyle& style() const { return settings().style; }
  virtual void setStyle(const GanttChartItemStyle& style);

  [[nodiscard]] virtual bool hasChanged() const { return hasChanged_; }
  // Only stores the flag.
  virtual void setHasChanged(bool hasChanged) { hasChanged_ = hasChanged; }

  // Builds a new twin on `row` and keeps it, dropping any earlier one (a
  // chart that still holds the earlier one keeps it valid). With
  // `withLabelDetails` the twin's details fall back on the label.
  virtual GanttChartItemPtr makeGanttChartItem(int64_t row, bool withLabelDetails);
  // The cached twin, null before the first build.
  [[nodiscard]] GanttChartItemPtr ganttChartItem();
  // The `withLabelDetails` the cached twin was built with.
  [[nodiscard]] std::optional<bool> ganttChartItemWithLabelDetails() const {
    return ganttChartItemWithLabelDetails_;
  }

 private:
  // Runs `write` on the twin, when there is one, and raises its flag.
  template <class Write>
  void writeToTwin(const Write& write);

  std::optional<std::string> label_;
  std::optional<std::string> attachment_;
  std::optional<std::string> details_;
  TimeRange time_;
  std::shared_ptr<ScheduleDefinition> schedule_;
  double completion_ = 0;
  GanttChartItemType type_ = GanttChartItemType::standard;
  int64_t zIndex_ = 0;
  bool isVisible_ = true;
  bool hasChanged_ = false;
  std::any context_;
  GanttChartItemSettings settings_;
  detail::ChartTwin<GanttChartItem> twin_;
  std::optional<bool> ganttChartItemWithLabelDetails_;
};

using OutlineGanttChartItemPtr = std::shared_ptr<OutlineGanttChartItem>;

// The outline item a chart item mirrors: its context, when that refers to a
// live outline item (as the library stores it, weakly, or as a host may,
// strongly); null otherwise.
[[nodiscard]] OutlineGanttChartItemPtr outlineGanttChartItemOf(const GanttChartItem& item);

}  // namespace vorlent
