#include "vorlent/model/item.h"

#include <ostream>

#include "vorlent/model/scheduling_epoch.h"
#include "vorlent/model/time_change_journal.h"

namespace vorlent {
namespace {

const std::shared_ptr<const GanttChartItemSettings>& defaultSettings() {
  static const auto* const settings =
      new std::shared_ptr<const GanttChartItemSettings>(std::make_shared<GanttChartItemSettings>());
  return *settings;
}

}  // namespace

namespace detail {

uint64_t ItemChangeCounts::orderGeneration() const {
  return order + (watchesShared ? sharedItemChangeCounts().order : 0);
}

uint64_t ItemChangeCounts::rowGeneration() const {
  return rows + (watchesShared ? sharedItemChangeCounts().rows : 0);
}

ItemChangeCounts& sharedItemChangeCounts() {
  static ItemChangeCounts* const shared = new ItemChangeCounts();
  return *shared;
}

void attachItem(GanttChartItem& item, ItemChangeCounts& counts) {
  advanceCompletionEpoch();
  ItemChangeCounts*& current = item.changeCounts_;
  ItemChangeCounts& shared = sharedItemChangeCounts();
  if (current == &counts) return;
  if (current == nullptr) {
    current = &counts;
    return;
  }
  // A second source: both now watch the shared record, where the item's
  // edits count from here on.
  counts.watchesShared = true;
  if (current != &shared) current->watchesShared = true;
  current = &shared;
}

void detachItem(GanttChartItem& item, const ItemChangeCounts& counts) {
  advanceCompletionEpoch();
  // A shared item stays shared: the other source may still hold it.
  if (item.changeCounts_ == &counts) item.changeCounts_ = nullptr;
}

}  // namespace detail

std::ostream& operator<<(std::ostream& out, GanttChartItemType type) {
  switch (type) {
    case GanttChartItemType::standard:
      return out << "standard";
    case GanttChartItemType::milestone:
      return out << "milestone";
    case GanttChartItemType::summary:
      return out << "summary";
  }
  return out << "GanttChartItemType(" << static_cast<int>(type) << ")";
}

GanttChartItem::GanttChartItem(Options options)
    : label_(std::move(options.label)),
      details_(std::move(options.details)),
      row_(options.row),
      time_(options.start, options.finish),
      completion_(options.completion),
      type_(options.type.value_or(GanttChartItemType::standard)),
      isExpanded_(options.isExpanded),
      isVisible_(options.isVisible),
      zIndex_(options.zIndex),
      settings_(defaultSettings()) {
  // Only a given style counts as a change; the base setter is used on purpose
  // (no subclass exists yet while the base is being built).
  if (options.style) GanttChartItem::setStyle(*options.style);
  // Items without these share the defaults.
  if (options.attachment) rare_.edit().attachment = std::move(options.attachment);
  if (options.schedule) rare_.edit().schedule = std::move(options.schedule);
  if (options.context.has_value()) rare_.edit().context = std::move(options.context);
}

std::shared_ptr<GanttChartItem> GanttChartItem::create(Options options) {
  return std::make_shared<GanttChartItem>(std::move(options));
}

GanttChartItem::GanttChartItem(std::optional<std::string> label, int64_t row, Time start,
                               Time finish, double completion,
                               std::optional<std::string> attachment,
                               std::optional<std::string> details,
                               std::shared_ptr<ScheduleDefinition> schedule, bool isExpanded,
                               int64_t zIndex, bool isVisible,
                               std::optional<GanttChartItemType> type,
                               std::optional<GanttChartItemStyle> style, std::any context)
    : GanttChartItem(Options{.label = std::move(label),
                             .row = row,
                             .start = start,
                             .finish = finish,
                             .completion = completion,
                             .attachment = std::move(attachment),
                             .details = std::move(details),
                             .schedule = std::move(schedule),
                             .isExpanded = isExpanded,
                             .zIndex = zIndex,
                             .isVisible = isVisible,
                             .type = type,
                             .style = std::move(style),
                             .context = std::move(context)}) {}

std::shared_ptr<GanttChartItem> GanttChartItem::fromTime(
    std::optional<std::string> label, int64_t row, Time time, std::optional<std::string> attachment,
    std::optional<std::string> details, std::shared_ptr<ScheduleDefinition> schedule,
    bool isExpanded, int64_t zIndex, bool isVisible, std::optional<GanttChartItemType> type,
    std::optional<GanttChartItemStyle> style, std::any context) {
  return std::make_shared<GanttChartItem>(std::move(label), row, time, time, 0.0,
                                          std::move(attachment), std::move(details),
                                          std::move(schedule), isExpanded, zIndex, isVisible, type,
                                          std::move(style), std::move(context));
}

void GanttChartItem::setLabel(std::optional<std::string> label) {
  label_ = std::move(label);
  setHasChanged(true);
}

void GanttChartItem::setAttachment(std::optional<std::string> attachment) {
  rare_.edit().attachment = std::move(attachment);
  setHasChanged(true);
}

void GanttChartItem::setDetails(std::optional<std::string> details) {
  details_ = std::move(details);
  setHasChanged(true);
}

void GanttChartItem::setRow(int64_t row) {
  row_ = row;
  orderKeyAssigned(true);
  setHasChanged(true);
}

void GanttChartItem::setTime(const TimeRange& time) {
  const uint64_t epoch = detail::advanceSchedulingEpoch();
  if (detail::TimeChangeJournal* journal = detail::listenedTimeChangeJournal()) {
    journal->record(epoch, this, time_, time);
  }
  time_ = time;
  orderKeyAssigned(false);
  setHasChanged(true);
}

void GanttChartItem::setSchedule(std::shared_ptr<ScheduleDefinition> schedule) {
  detail::advanceSchedulingEpoch();
  rare_.edit().schedule = std::move(schedule);
  setHasChanged(true);
}

void GanttChartItem::setStart(const Time& start) {
  TimeRange changed = time();
  changed.start = start;
  setTime(changed);
}

void GanttChartItem::setFinish(const Time& finish) {
  TimeRange changed = time();
  changed.finish = finish;
  setTime(changed);
}

void GanttChartItem::setCompletion(double completion) {
  detail::advanceCompletionEpoch();
  completion_ = completion;
  setHasChanged(true);
}

void GanttChartItem::setType(GanttChartItemType type) {
  type_ = type;
  setHasChanged(true);
}

void GanttChartItem::setIsExpanded(bool isExpanded) {
  isExpanded_ = isExpanded;
  setHasChanged(true);
}

void GanttChartItem::setZIndex(int64_t zIndex) {
  zIndex_ = zIndex;
  orderKeyAssigned(false);
  setHasChanged(true);
}

void GanttChartItem::setIsVisible(bool isVisible) {
  isVisible_ = isVisible;
  setHasChanged(true);
}

void GanttChartItem::setContext(std::any context) {
  rare_.edit().context = std::move(context);
  setHasChanged(true);
}

void GanttChartItem::setSettings(const GanttChartItemSettings& settings) {
  settings_ = std::make_shared<const GanttChartItemSettings>(settings);
  setHasChanged(true);
}

void GanttChartItem::setStyle(const GanttChartItemStyle& style) {
  GanttChartItemSettings changed = settings();
  changed.style = style;
  setSettings(changed);
}

}  // namespace vorlent
