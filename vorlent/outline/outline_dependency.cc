#include "vorlent/outline/outline_dependency.h"

#include <utility>

#include "vorlent/base/fatal.h"

namespace vorlent {
namespace {

OutlineGanttChartItemPtr requireItem(OutlineGanttChartItemPtr item) {
  if (!item) fatalStop("an outline dependency needs both of its items");
  return item;
}

}  // namespace

OutlineGanttChartDependency::OutlineGanttChartDependency(
    std::optional<std::string> label, OutlineGanttChartItemPtr from, OutlineGanttChartItemPtr to,
    std::optional<std::string> details, int64_t zIndex, bool isVisible,
    std::optional<GanttChartDependencyType> type, std::optional<GanttChartDependencyStyle> style,
    std::any context)
    : label_(std::move(label)),
      details_(std::move(details)),
      from_(requireItem(std::move(from))),
      to_(requireItem(std::move(to))),
      zIndex_(zIndex),
      isVisible_(isVisible) {
  // Base setters on purpose: no subclass exists yet and there is no twin.
  if (type) OutlineGanttChartDependency::setType(*type);
  if (style) {
    settings_.style = *style;
    hasChanged_ = true;
  }
  context_ = std::move(context);
}

std::shared_ptr<OutlineGanttChartDependency> OutlineGanttChartDependency::create(
    std::optional<std::string> label, OutlineGanttChartItemPtr from, OutlineGanttChartItemPtr to,
    std::optional<std::string> details, int64_t zIndex, bool isVisible,
    std::optional<GanttChartDependencyType> type, std::optional<GanttChartDependencyStyle> style,
    std::any context) {
  return std::make_shared<OutlineGanttChartDependency>(
      std::move(label), std::move(from), std::move(to), std::move(details), zIndex, isVisible,
      type, std::move(style), std::move(context));
}

template <class Write>
void OutlineGanttChartDependency::writeToTwin(const Write& write) {
  if (GanttChartDependency* twin = twin_.get()) {
    write(*twin);
    twin->setHasChanged(true);
  }
}

void OutlineGanttChartDependency::setLabel(std::optional<std::string> label) {
  label_ = std::move(label);
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) {
    twin.setLabel(label_);
    if (ganttChartDependencyWithLabelDetails_.value_or(false) && !details_) {
      twin.setDetails(label_);
    }
  });
}

void OutlineGanttChartDependency::setDetails(std::optional<std::string> details) {
  details_ = std::move(details);
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setDetails(details_); });
}

void OutlineGanttChartDependency::setFrom(OutlineGanttChartItemPtr from) {
  from_ = requireItem(std::move(from));
  hasChanged_ = true;
}

void OutlineGanttChartDependency::setTo(OutlineGanttChartItemPtr to) {
  to_ = requireItem(std::move(to));
  hasChanged_ = true;
}

void OutlineGanttChartDependency::setFromType(GanttChartDependencyEndType fromType) {
  fromType_ = fromType;
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setFromType(fromType_); });
}

void OutlineGanttChartDependency::setToType(GanttChartDependencyEndType toType) {
  toType_ = toType;
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setToType(toType_); });
}

GanttChartDependencyType OutlineGanttChartDependency::type() const {
  return makeGanttChartDependencyType(fromType(), toType());
}

void OutlineGanttChartDependency::setType(GanttChartDependencyType type) {
  fromType_ = vorlent::fromType(type);
  toType_ = vorlent::toType(type);
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setFromType(fromType_); });
  writeToTwin([this](GanttChartDependency& twin) { twin.setToType(toType_); });
}

Time OutlineGanttChartDependency::fromTime() const {
  return fromType() == GanttChartDependencyEndType::start ? from()->start() : from()->finish();
}

Time OutlineGanttChartDependency::toTime() const {
  return toType() == GanttChartDependencyEndType::finish ? to()->finish() : to()->start();
}

void OutlineGanttChartDependency::setZIndex(int64_t zIndex) {
  zIndex_ = zIndex;
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setZIndex(zIndex_); });
}

void OutlineGanttChartDependency::setIsVisible(bool isVisible) {
  isVisible_ = isVisible;
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setIsVisible(isVisible_); });
}

void OutlineGanttChartDependency::setContext(std::any context) {
  context_ = std::move(context);
  hasChanged_ = true;
}

void OutlineGanttChartDependency::setSettings(const GanttChartDependencySettings& settings) {
  settings_ = settings;
  hasChanged_ = true;
  writeToTwin([this](GanttChartDependency& twin) { twin.setSettings(settings_); });
}

void OutlineGanttChartDependency::setStyle(const GanttChartDependencyStyle& style) {
  GanttChartDependencySettings settings = settings_;
  settings.style = style;
  setSettings(settings);
}

GanttChartDependencyPtr OutlineGanttChartDependency::makeGanttChartDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, bool withLabelDetails) {
  std::optional<std::string> twinDetails = details_;
  if (!twinDetails && withLabelDetails) twinDetails = label_;
  auto twin = GanttChartDependency::create({.label = label_,
                                            .from = from,
                                            .to = to,
                                            .details = std::move(twinDetails),
                                            .zIndex = zIndex_,
                                            .isVisible = isVisible_,
                                            .type = type(),
                                            .style = settings_.style,
                                            .context = weak_from_this()});
  twin->setSettings(settings_);
  twin->setHasChanged(false);
  twin_.replace(std::move(twin));
  ganttChartDependencyWithLabelDetails_ = withLabelDetails;
  return ganttChartDependency();
}

GanttChartDependencyPtr OutlineGanttChartDependency::ganttChartDependency() {
  return twin_.handOut(*this,
                       "an outline dependency hands out its chart dependency only while a "
                       "std::shared_ptr owns it");
}

OutlineGanttChartDependencyPtr outlineGanttChartDependencyOf(
    const GanttChartDependency& dependency) {
  const std::any& context = dependency.context();
  if (const auto* weak = std::any_cast<std::weak_ptr<OutlineGanttChartDependency>>(&context)) {
    return weak->lock();
  }
  if (const auto* strong = std::any_cast<OutlineGanttChartDependencyPtr>(&context)) {
    return *strong;
  }
  return nullptr;
}

}  // namespace vorlent
