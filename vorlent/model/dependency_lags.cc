#include "vorlent/model/dependency_lags.h"

#include <atomic>
#include <utility>

#include "vorlent/model/dependency.h"
#include "vorlent/model/scheduling_epoch.h"

namespace vorlent {

namespace {

// The bits of a remembered answer's key (see `detail::LagMemo`) besides the
// list's stamp.
constexpr uint32_t kExcluded = uint32_t{1} << 31;
constexpr uint32_t kHasLag = uint32_t{1} << 30;
constexpr uint32_t kStampMask = kHasLag - 1;

std::atomic<uint32_t> lastListStamp{0};

// A stamp no list had before, or 0 once they ran out.
uint32_t drawListStamp() {
  uint32_t last = lastListStamp.load(std::memory_order_relaxed);
  do {
    // Reusing a stamp could let an old list's answer stand for a new one.
    if (last >= kStampMask) return 0;
  } while (!lastListStamp.compare_exchange_weak(last, last + 1, std::memory_order_relaxed));
  return last + 1;
}

}  // namespace

GanttChartDependencyLagSet::ListStamp::ListStamp() : value(drawListStamp()) {}

GanttChartDependencyLagSet::ListStamp::ListStamp(ListStamp&& other) noexcept
    : value(drawListStamp()) {
  other.value = drawListStamp();
}

GanttChartDependencyLagSet::ListStamp& GanttChartDependencyLagSet::ListStamp::operator=(
    const ListStamp& /*other*/) {
  value = drawListStamp();
  return *this;
}

GanttChartDependencyLagSet::ListStamp& GanttChartDependencyLagSet::ListStamp::operator=(
    ListStamp&& other) noexcept {
  value = drawListStamp();
  other.value = drawListStamp();
  return *this;
}

GanttChartDependencyLagDefinition::GanttChartDependencyLagDefinition(
    std::shared_ptr<GanttChartDependency> linked, double seconds, std::optional<bool> excluded)
    : dependency(std::move(linked)), lag(seconds), shouldExclude(excluded.value_or(false)) {}

GanttChartDependencyLagSet::GanttChartDependencyLagSet(
    std::vector<GanttChartDependencyLagDefinition> lags)
    : lags_(std::move(lags)) {
  rebuildIndex();
}

void GanttChartDependencyLagSet::setLags(std::vector<GanttChartDependencyLagDefinition> lags) {
  detail::advanceSchedulingEpoch();
  lags_ = std::move(lags);
  stamp_ = ListStamp();
  rebuildIndex();
}

std::optional<double> GanttChartDependencyLagSet::lag(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  return answerFor(dependency.get()).lag;
}

bool GanttChartDependencyLagSet::shouldExclude(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  return answerFor(dependency.get()).excluded;
}

GanttChartDependencyLagSet::Answer GanttChartDependencyLagSet::answerFor(
    const GanttChartDependency* dependency) const {
  if (dependency == nullptr) return {};
  const uint32_t stamp = stamp_.value;
  if (stamp != 0) {
    const detail::LagMemo memo = detail::lagMemoOf(*dependency);
    if ((memo.key & kStampMask) == stamp) {
      return {(memo.key & kHasLag) != 0 ? std::optional<double>(memo.lag) : std::nullopt,
              (memo.key & kExcluded) != 0};
    }
  }
  const std::optional<size_t> found = firstIndex_.find(dependency);
  const Answer answer = found ? Answer{lags_[*found].lag, lags_[*found].shouldExclude} : Answer{};
  if (stamp != 0) {
    const uint32_t key = stamp | (answer.lag ? kHasLag : 0) | (answer.excluded ? kExcluded : 0);
    detail::setLagMemo(*dependency, {key, answer.lag.value_or(0)});
  }
  return answer;
}

void GanttChartDependencyLagSet::rebuildIndex() {
  firstIndex_.clear();
  firstIndex_.reserve(lags_.size());
  for (size_t i = 0; i < lags_.size(); ++i) firstIndex_.add(lags_[i].dependency.get(), i);
}

GanttChartDependencyLagSource::GanttChartDependencyLagSource(LagFunction function,
                                                             ExclusionFunction exclusionFunction)
    : function_(std::move(function)), exclusionFunction_(std::move(exclusionFunction)) {}

std::optional<double> GanttChartDependencyLagSource::lag(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  if (!function_) return std::nullopt;
  return function_(dependency);
}

bool GanttChartDependencyLagSource::shouldExclude(
    const std::shared_ptr<GanttChartDependency>& dependency) const {
  return exclusionFunction_ && exclusionFunction_(dependency);
}

}  // namespace vorlent
