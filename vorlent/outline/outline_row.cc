#include "vorlent/outline/outline_row.h"

#include <atomic>
#include <utility>

namespace vorlent {
namespace {

std::atomic<uint64_t> rowItemsRevision{0};

}  // namespace

uint64_t detail::anyOutlineRowItemsRevision() {
  return rowItemsRevision.load(std::memory_order_relaxed);
}

OutlineGanttChartRow::OutlineGanttChartRow(std::optional<std::string> label,
                                           std::vector<OutlineGanttChartItemPtr> chartItems,
                                           std::optional<std::string> details, std::any context)
    : label_(std::move(label)),
      details_(std::move(details)),
      chartItems_(std::move(chartItems)),
      context_(std::move(context)) {}

std::shared_ptr<OutlineGanttChartRow> OutlineGanttChartRow::create(
    std::optional<std::string> label, std::vector<OutlineGanttChartItemPtr> chartItems,
    std::optional<std::string> details, std::any context) {
  return std::make_shared<OutlineGanttChartRow>(std::move(label), std::move(chartItems),
                                                std::move(details), std::move(context));
}

void OutlineGanttChartRow::setLabel(std::optional<std::string> label) {
  label_ = std::move(label);
  hasChanged_ = true;
}

void OutlineGanttChartRow::setDetails(std::optional<std::string> details) {
  details_ = std::move(details);
  hasChanged_ = true;
}

void OutlineGanttChartRow::setChartItems(std::vector<OutlineGanttChartItemPtr> chartItems) {
  chartItems_ = std::move(chartItems);
  rowItemsRevision.fetch_add(1, std::memory_order_relaxed);
  hasChanged_ = true;
}

void OutlineGanttChartRow::setContext(std::any context) {
  context_ = std::move(context);
  hasChanged_ = true;
}

std::vector<GanttChartItemPtr> OutlineGanttChartRow::ganttChartItems(int64_t row,
                                                                     bool withLabelDetails) {
  std::vector<GanttChartItemPtr> twins;
  twins.reserve(chartItems_.size());
  // A copy: building a twin may run a host's override, which could edit
  // this row's list.
  const std::vector<OutlineGanttChartItemPtr> items = chartItems_;
  for (const OutlineGanttChartItemPtr& item : items) {
    if (!item) continue;
    GanttChartItemPtr twin = item->ganttChartItem();
    if (!twin) {
      twin = item->makeGanttChartItem(row, withLabelDetails);
      if (!twin) continue;
    } else {
      if (twin->row() != row) twin->setRow(row);
      // A twin the chart removed lost its context; an item put back later
      // must lead the chart to it again.
      if (outlineGanttChartItemOf(*twin) != item) twin->setContext(std::weak_ptr(item));
    }
    twins.push_back(std::move(twin));
  }
  return twins;
}

}  // namespace vorlent
