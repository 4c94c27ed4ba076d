#pragma once

#include <any>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/outline/outline_item.h"

namespace vorlent {

// One row of a host's outline, with the bars drawn on it. Rows are compared
// by identity: the outline chart finds a row again after a reload, a page
// load or an expansion by its pointer. Hold them in std::shared_ptr. Every
// setter other than `setHasChanged` raises `hasChanged`. GUI thread only.
class OutlineGanttChartRow : public std::enable_shared_from_this<OutlineGanttChartRow> {
 public:
  OutlineGanttChartRow(std::optional<std::string> label,
                       std::vector<OutlineGanttChartItemPtr> chartItems,
                       std::optional<std::string> details, std::any context);
  static std::shared_ptr<OutlineGanttChartRow> create(
      std::optional<std::string> label, std::vector<OutlineGanttChartItemPtr> chartItems,
      std::optional<std::string> details, std::any context);

  virtual ~OutlineGanttChartRow() = default;
  OutlineGanttChartRow(const OutlineGanttChartRow&) = delete;
  OutlineGanttChartRow& operator=(const OutlineGanttChartRow&) = delete;

  [[nodiscard]] virtual const std::optional<std::string>& label() const { return label_; }
  virtual void setLabel(std::optional<std::string> label);
  [[nodiscard]] virtual const std::optional<std::string>& details() const { return details_; }
  virtual void setDetails(std::optional<std::string> details);
  // The bars of this row, in the order the chart receives them. Null entries
  // are skipped.
  [[nodiscard]] virtual const std::vector<OutlineGanttChartItemPtr>& chartItems() const {
    return chartItems_;
  }
  virtual void setChartItems(std::vector<OutlineGanttChartItemPtr> chartItems);
  [[nodiscard]] virtual const std::any& context() const { return context_; }
  virtual void setContext(std::any context);
  [[nodiscard]] virtual bool hasChanged() const { return hasChanged_; }
  virtual void setHasChanged(bool hasChanged) { hasChanged_ = hasChanged; }

  // The twins of `chartItems` on `row`, in order: a cached twin is reused
  // (moved to `row` when it was elsewhere, and pointed back at its item when
  // its context no longer is), an item without one gets a new twin built
  // with `withLabelDetails`. A reused twin keeps the details it was built
  // with.
  virtual std::vector<GanttChartItemPtr> ganttChartItems(int64_t row, bool withLabelDetails);

 private:
  std::optional<std::string> label_;
  std::optional<std::string> details_;
  std::vector<OutlineGanttChartItemPtr> chartItems_;
  std::any context_;
  bool hasChanged_ = false;
};

using OutlineGanttChartRowPtr = std::shared_ptr<OutlineGanttChartRow>;

namespace detail {
// A figure that `OutlineGanttChartRow::setChartItems` changes on any row of
// any chart: an outline chart that remembers what it read from the items of
// all its displayed rows knows by it when that may be stale. It is one
// figure for all rows on purpose: a figure per row would have to be read
// from every displayed row at each question to notice a change, the walk
// the remembering saves, while a change to another chart's row only makes
// this one read its rows again.
[[nodiscard]] uint64_t anyOutlineRowItemsRevision();
}  // namespace detail

}  // namespace vorlent
