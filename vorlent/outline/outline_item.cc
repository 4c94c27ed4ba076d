#include "vorlent/outline/outline_item.h"

#include <utility>

namespace vorlent {

OutlineGanttChartItem::OutlineGanttChartItem(
    std::optional<std::string> label, Time start, Time finish, double completion,
    std::optional<std::string> attachment, std::optional<std::string> details,
    std::shared_ptr<ScheduleDefinition> schedule, int64_t zIndex, bool isVisible,
    std::optional<GanttChartItemType> type, std::optional<GanttChartItemStyle> style,
    std::any context)
    : label_(std::move(label)),
      attachment_(std::move(attachment)),
      details_(std::move(details)),
      time_(start, finish),
      schedule_(std::move(schedule)),
      completion_(completion),
      type_(type.value_or(GanttChartItemType::standard)),
      zIndex_(zIndex),
      isVisible_(isVisible) {
  // The base setter on purpose: no subclass exists yet, and a fresh item has
  // no twin to write into.
  if (style) OutlineGanttChartItem::setStyle(*style);
  context_ = std::move(context);
}

std::shared_ptr<OutlineGanttChartItem> OutlineGanttChartItem::create(
    std::optional<std::string> label, Time start, Time finish, double completion,
    std::optional<std::string> attachment, std::optional<std::string> details,
    std::shared_ptr<ScheduleDefinition> schedule, int64_t zIndex, bool isVisible,
    std::optional<GanttChartItemType> type, std::optional<GanttChartItemStyle> style,
    std::any context) {
  return std::make_shared<OutlineGanttChartItem>(
      std::move(label), start, finish, completion, std::move(attachment), std::move(details),
      std::move(schedule), zIndex, isVisible, type, std::move(style), std::move(context));
}

std::shared_ptr<OutlineGanttChartItem> OutlineGanttChartItem::fromTime(
    std::optional<std::string> label, Time time, std::optional<std::string> attachment,
    std::optional<std::string> details, std::shared_ptr<ScheduleDefinition> schedule,
    int64_t zIndex, bool isVisible, std::optional<GanttChartItemType> type,
    std::optional<GanttChartItemStyle> style, std::any context) {
  return create(std::move(label), time, time, 0, std::move(attachment), std::move(details),
                std::move(schedule), zIndex, isVisible, type, std::move(style),
                std::move(context));
}

template <class Write>
void OutlineGanttChartItem::writeToTwin(const Write& write) {
  if (GanttChartItem* twin = twin_.get()) {
    write(*twin);
    twin->setHasChanged(true);
  }
}

void OutlineGanttChartItem::setLabel(std::optional<std::string> label) {
  label_ = std::move(label);
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) {
    twin.setLabel(label_);
    if (ganttChartItemWithLabelDetails_.value_or(false) && !details_) twin.setDetails(label_);
  });
}

void OutlineGanttChartItem::setAttachment(std::optional<std::string> attachment) {
  attachment_ = std::move(attachment);
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setAttachment(attachment_); });
}

void OutlineGanttChartItem::setDetails(std::optional<std::string> details) {
  details_ = std::move(details);
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setDetails(details_); });
}

void OutlineGanttChartItem::setTime(const TimeRange& time) {
  time_ = time;
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setTime(time_); });
}

void OutlineGanttChartItem::setStart(const Time& start) { setTime(TimeRange(start, finish())); }

void OutlineGanttChartItem::setFinish(const Time& finish) { setTime(TimeRange(start(), finish)); }

void OutlineGanttChartItem::setSchedule(std::shared_ptr<ScheduleDefinition> schedule) {
  schedule_ = std::move(schedule);
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setSchedule(schedule_); });
}

void OutlineGanttChartItem::setCompletion(double completion) {
  completion_ = completion;
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setCompletion(completion_); });
}

void OutlineGanttChartItem::setType(GanttChartItemType type) {
  type_ = type;
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setType(type_); });
}

void OutlineGanttChartItem::setZIndex(int64_t zIndex) {
  zIndex_ = zIndex;
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setZIndex(zIndex_); });
}

void OutlineGanttChartItem::setIsVisible(bool isVisible) {
  isVisible_ = isVisible;
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setIsVisible(isVisible_); });
}

void OutlineGanttChartItem::setContext(std::any context) {
  context_ = std::move(context);
  hasChanged_ = true;
}

void OutlineGanttChartItem::setSettings(const GanttChartItemSettings& settings) {
  settings_ = settings;
  hasChanged_ = true;
  writeToTwin([this](GanttChartItem& twin) { twin.setSettings(settings_); });
}

void OutlineGanttChartItem::setStyle(const GanttChartItemStyle& style) {
  GanttChartItemSettings settings = settings_;
  settings.style = style;
  setSettings(settings);
}

GanttChartItemPtr OutlineGanttChartItem::makeGanttChartItem(int64_t row, bool withLabelDetails) {
  std::optional<std::string> twinDetails = details_;
  if (!twinDetails && withLabelDetails) twinDetails = label_;
  auto twin = GanttChartItem::create({.label = label_,
                                      .row = row,
                                      .start = start(),
                                      .finish = finish(),
                                      .completion = completion_,
                                      .attachment = attachment_,
                                      .details = std::move(twinDetails),
                                      .schedule = schedule_,
                                      .isExpanded = true,
                                      .zIndex = zIndex_,
                                      .isVisible = isVisible_,
                                      .type = type_,
                                      .style = settings_.style,
                                      .context = weak_from_this()});
  twin->setSettings(settings_);
  twin->setHasChanged(true);
  twin_.replace(std::move(twin));
  ganttChartItemWithLabelDetails_ = withLabelDetails;
  return ganttChartItem();
}

GanttChartItemPtr OutlineGanttChartItem::ganttChartItem() {
  return twin_.handOut(*this,
                       "an outline item hands out its chart item only while a std::shared_ptr "
                       "owns it");
}

OutlineGanttChartItemPtr outlineGanttChartItemOf(const GanttChartItem& item) {
  const std::any& context = item.context();
  if (const auto* weak = std::any_cast<std::weak_ptr<OutlineGanttChartItem>>(&context)) {
    return weak->lock();
  }
  if (const auto* strong = std::any_cast<OutlineGanttChartItemPtr>(&context)) return *strong;
  return nullptr;
}

}  // namespace vorlent
