#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <typeinfo>
#include <unordered_map>

#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/identity_index.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_lists.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent::detail {

// Where the links into one item push its start when every link that takes
// part ends at that start: the latest of their limits. Pushing link by link
// moves the start to each limit not before it, so it ends at this latest
// limit (spelt as the last link in list order that reaches it) unless the
// start already lay later.
struct LinkPushBound {
  Time latest;
  size_t links = 0;  // links taking part; none leaves the item alone

  // Counts in one more link, pushing to `limit`.
  void include(const Time& limit);
};

// The bounds of items with many links into them, remembered across the
// questions of the auto-scheduling rule. A whole-chart application asks
// about every predecessor, and each question pushes the common successor by
// all its links: without this, a successor with n predecessors costs n * n
// calendar questions.
//
// A bound is kept only while nothing it was worked out from can have
// changed: the scheduling epoch, the dependency list, the chart's calendar
// and the lag provider are all the same, and only objects of exactly the
// library's classes took part (see `schedulingEpoch`), with a calendar that
// always answers alike. Otherwise the rule works the push out link by link.
class LinkPushCache {
 public:
  // Items with fewer links into them are not remembered: their push costs
  // little, and most charts then never keep anything.
  static constexpr size_t kDefaultMinLinks = 32;

  // What a bound is worked out from besides the objects it reads.
  struct Context {
    const GanttChartDependencyList& dependencies;
    const std::shared_ptr<ScheduleDefinition>& schedule;  // the chart's calendar
    const std::shared_ptr<GanttChartDependencyLagProvider>& lags;
  };

  // The bound remembered for `item`, if it was worked out in `context` and
  // nothing has changed since; any other context forgets every bound.
  [[nodiscard]] std::optional<LinkPushBound> find(const GanttChartItem* item,
                                                  const Context& context);
  // Keeps `bound` for `item`, worked out in `context` from a state the
  // scheduling epoch read `epoch` for; ignored when the epoch has moved on
  // meanwhile.
  void remember(const GanttChartItem* item, const LinkPushBound& bound, const Context& context,
                uint64_t epoch);
  [[nodiscard]] size_t minLinks() const { return minLinks_; }
  void setMinLinks(size_t minLinks) { minLinks_ = minLinks; }

  // Whether a bound worked out for `item` through `link` under these
  // objects may be kept: objects of exactly the library's classes and a
  // calendar that never changes its answers.
  [[nodiscard]] static bool isKeepable(const GanttChartItem& item) {
    return typeid(item) == typeid(GanttChartItem);
  }
  [[nodiscard]] static bool isKeepable(const GanttChartDependency& link) {
    return typeid(link) == typeid(GanttChartDependency);
  }
  [[nodiscard]] static bool isKeepable(const ScheduleDefinition& calendar);
  [[nodiscard]] static bool isKeepable(const GanttChartDependencyLagProvider* lags) {
    return lags == nullptr || typeid(*lags) == typeid(GanttChartDependencyLagSet);
  }

 private:
  [[nodiscard]] bool holds(const Context& context) const;
  void forget();

  size_t minLinks_ = kDefaultMinLinks;
  uint64_t epoch_ = 0;
  // What the bounds were worked out in. The list is only named: a rule kept
  // beyond its chart must not keep the chart's links and items alive.
  // Remembered items are alive whenever the list is, as its links reach them.
  std::weak_ptr<const void> dependencies_;
  std::shared_ptr<ScheduleDefinition> schedule_;
  std::shared_ptr<GanttChartDependencyLagProvider> lags_;
  std::unordered_map<const GanttChartItem*, LinkPushBound, AddressHash> bounds_;
};

}  // namespace vorlent::detail
