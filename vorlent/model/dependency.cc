#include "vorlent/model/dependency.h"

#include <atomic>
#include <ostream>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/model/scheduling_epoch.h"
#include "vorlent/model/source_dependency_index.h"

namespace vorlent {
namespace {

std::atomic<uint64_t> linkGeneration{0};

void linkDidChange() { linkGeneration.fetch_add(1, std::memory_order_relaxed); }

GanttChartItemPtr requireItem(GanttChartItemPtr item) {
  if (!item) fatalStop("GanttChartDependency: a dependency needs both of its items");
  return item;
}

}  // namespace

namespace detail {
uint64_t dependencyLinkGeneration() { return linkGeneration.load(std::memory_order_relaxed); }
}  // namespace detail

GanttChartDependencyType makeGanttChartDependencyType(GanttChartDependencyEndType fromType,
                                                      GanttChartDependencyEndType toType) {
  using End = GanttChartDependencyEndType;
  if (fromType == End::finish) {
    return toType == End::start ? GanttChartDependencyType::fromFinishToStart
                                : GanttChartDependencyType::fromFinishToFinish;
  }
  return toType == End::start ? GanttChartDependencyType::fromStartToStart
                              : GanttChartDependencyType::fromStartToFinish;
}

GanttChartDependencyEndType fromType(GanttChartDependencyType type) {
  return type == GanttChartDependencyType::fromFinishToStart ||
                 type == GanttChartDependencyType::fromFinishToFinish
             ? GanttChartDependencyEndType::finish
             : GanttChartDependencyEndType::start;
}

GanttChartDependencyEndType toType(GanttChartDependencyType type) {
  return type == GanttChartDependencyType::fromFinishToStart ||
                 type == GanttChartDependencyType::fromStartToStart
             ? GanttChartDependencyEndType::start
             : GanttChartDependencyEndType::finish;
}

bool isFromEntropic(GanttChartDependencyType type) {
  return fromType(type) == GanttChartDependencyEndType::finish;
}

bool isToEntropic(GanttChartDependencyType type) {
  return toType(type) == GanttChartDependencyEndType::start;
}

std::ostream& operator<<(std::ostream& out, GanttChartDependencyEndType type) {
  return out << (type == GanttChartDependencyEndType::start ? "start" : "finish");
}

std::ostream& operator<<(std::ostream& out, GanttChartDependencyType type) {
  switch (type) {
    case GanttChartDependencyType::fromFinishToStart:
      return out << "fromFinishToStart";
    case GanttChartDependencyType::fromStartToStart:
      return out << "fromStartToStart";
    case GanttChartDependencyType::fromFinishToFinish:
      return out << "fromFinishToFinish";
    case GanttChartDependencyType::fromStartToFinish:
      return out << "fromStartToFinish";
  }
  return out << "GanttChartDependencyType(" << static_cast<int>(type) << ")";
}

GanttChartDependency::GanttChartDependency(Options options)
    : from_(requireItem(std::move(options.from))),
      to_(requireItem(std::move(options.to))),
      isVisible_(options.isVisible),
      zIndex_(options.zIndex) {
  // The link count is left alone: no index can hold a dependency still
  // being made, so making one relinks nothing.
  if (options.type) GanttChartDependency::setType(*options.type);
  if (options.style) GanttChartDependency::setStyle(*options.style);
  // Dependencies without these share the defaults.
  if (options.label) rare_.edit().label = std::move(options.label);
  if (options.details) rare_.edit().details = std::move(options.details);
  if (options.context.has_value()) rare_.edit().context = std::move(options.context);
}

std::shared_ptr<GanttChartDependency> GanttChartDependency::create(Options options) {
  return std::make_shared<GanttChartDependency>(std::move(options));
}

GanttChartDependency::GanttChartDependency(std::optional<std::string> label, GanttChartItemPtr from,
                                           GanttChartItemPtr to, std::optional<std::string> details,
                                           int64_t zIndex, bool isVisible,
                                           std::optional<GanttChartDependencyType> type,
                                           std::optional<GanttChartDependencyStyle> style,
                                           std::any context)
    : GanttChartDependency(Options{.label = std::move(label),
                                   .from = std::move(from),
                                   .to = std::move(to),
                                   .details = std::move(details),
                                   .zIndex = zIndex,
                                   .isVisible = isVisible,
                                   .type = type,
                                   .style = std::move(style),
                                   .context = std::move(context)}) {}

void GanttChartDependency::setLabel(std::optional<std::string> label) {
  rare_.edit().label = std::move(label);
  setHasChanged(true);
}

void GanttChartDependency::setDetails(std::optional<std::string> details) {
  rare_.edit().details = std::move(details);
  setHasChanged(true);
}

void GanttChartDependency::setFrom(GanttChartItemPtr from) {
  detail::advanceSchedulingEpoch();
  // Kept alive until the index has heard of the change.
  const GanttChartItemPtr old = std::exchange(from_, requireItem(std::move(from)));
  linkReassigned(old.get(), to_.get());
  setHasChanged(true);
}

void GanttChartDependency::setTo(GanttChartItemPtr to) {
  detail::advanceSchedulingEpoch();
  const GanttChartItemPtr old = std::exchange(to_, requireItem(std::move(to)));
  linkReassigned(from_.get(), old.get());
  setHasChanged(true);
}

void GanttChartDependency::linkReassigned(const GanttChartItem* oldFrom,
                                          const GanttChartItem* oldTo) {
  if (oldFrom == from_.get() && oldTo == to_.get()) return;
  linkDidChange();
  if (owner_ != nullptr) owner_->dependencyRelinked(*this, oldFrom, oldTo);
}

void GanttChartDependency::setFromType(GanttChartDependencyEndType fromType) {
  detail::advanceSchedulingEpoch();
  fromType_ = fromType;
  setHasChanged(true);
}

void GanttChartDependency::setToType(GanttChartDependencyEndType toType) {
  detail::advanceSchedulingEpoch();
  toType_ = toType;
  setHasChanged(true);
}

GanttChartDependencyType GanttChartDependency::type() const {
  return makeGanttChartDependencyType(fromType(), toType());
}

void GanttChartDependency::setType(GanttChartDependencyType type) {
  detail::advanceSchedulingEpoch();
  fromType_ = vorlent::fromType(type);
  toType_ = vorlent::toType(type);
  setHasChanged(true);
}

Time GanttChartDependency::fromTime() const {
  return fromType() == GanttChartDependencyEndType::finish ? from()->finish() : from()->start();
}

Time GanttChartDependency::toTime() const {
  return toType() == GanttChartDependencyEndType::finish ? to()->finish() : to()->start();
}

void GanttChartDependency::setZIndex(int64_t zIndex) {
  zIndex_ = zIndex;
  setHasChanged(true);
}

void GanttChartDependency::setIsVisible(bool isVisible) {
  isVisible_ = isVisible;
  setHasChanged(true);
}

void GanttChartDependency::setContext(std::any context) {
  rare_.edit().context = std::move(context);
  setHasChanged(true);
}

void GanttChartDependency::setSettings(const GanttChartDependencySettings& settings) {
  rare_.edit().settings = settings;
  setHasChanged(true);
}

void GanttChartDependency::setStyle(const GanttChartDependencyStyle& style) {
  GanttChartDependencySettings changed = settings();
  changed.style = style;
  setSettings(changed);
}

}  // namespace vorlent
