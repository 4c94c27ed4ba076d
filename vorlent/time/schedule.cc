#include "vorlent/time/schedule.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "vorlent/time/working_time_index.h"

namespace vorlent {

namespace {

// Questions a calendar answers by walking before it builds its table, so
// that calendars asked only now and then never pay for one.
constexpr uint32_t kQuestionsBeforeTable = 8;
// Weeks covered on either side of the instant the table is built around:
// ten years, some 140 KB for a five-day week.
constexpr int64_t kTableWeeksAround = 522;
// All calendars' tables together stay below this.
constexpr size_t kTableBudgetBytes = size_t{64} << 20;
std::atomic<size_t> tableBytesInUse{0};

// An instant whose week can be moved by the table's reach without overflow.
bool isOnGridForTable(const Time& time) {
  return std::isfinite(time.timeOfDay) && time.week > Time::min().week + 2 * kTableWeeksAround &&
         time.week < Time::max().week - 2 * kTableWeeksAround;
}

bool hasFiniteEnds(const TimeRange& range) {
  return std::isfinite(range.start.timeOfDay) && std::isfinite(range.finish.timeOfDay);
}

// Whether the closed interval between the stored ends (taken in order, since
// intervals may be stored finish first) meets the closed span [low, high].
bool meets(const TimeRange& interval, const Time& low, const Time& high) {
  const bool reversed = interval.finish < interval.start;
  const Time& first = reversed ? interval.finish : interval.start;
  const Time& last = reversed ? interval.start : interval.finish;
  return first <= high && low <= last;
}

}  // namespace

Schedule::Schedule(WeekRange weekInterval, DayRange dayInterval,
                   std::vector<TimeRange> excludedIntervals,
                   std::shared_ptr<const ExcludedTimeIntervalProvider> excludedIntervalProvider)
    : ScheduleDefinition(nullptr),
      weekIntervalValue_(weekInterval),
      dayIntervalValue_(dayInterval),
      excludedIntervals_(std::move(excludedIntervals)),
      excludedIntervalProvider_(std::move(excludedIntervalProvider)) {
  index_.reserve(excludedIntervals_.size());
  for (size_t position = 0; position < excludedIntervals_.size(); ++position) {
    const TimeRange& interval = excludedIntervals_[position];
    if (!hasFiniteEnds(interval)) {
      unindexed_.push_back(position);
      continue;
    }
    const bool reversed = interval.finish < interval.start;
    index_.push_back({reversed ? interval.finish : interval.start,
                      reversed ? interval.start : interval.finish, position});
  }
  std::sort(index_.begin(), index_.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return a.low < b.low; });
  reach_.reserve(index_.size());
  for (const IndexEntry& entry : index_) {
    reach_.push_back(reach_.empty() || reach_.back() < entry.high ? entry.high : reach_.back());
  }
}

std::vector<TimeRange> Schedule::excludedIntervalsFor(const Time& time, const Time& limit) const {
  const bool backward = limit < time;
  const Time& low = backward ? limit : time;
  const Time& high = backward ? time : limit;

  std::vector<size_t> positions;
  // Entries before `first` end before `low`: none of them meets the span.
  const size_t first = static_cast<size_t>(
      std::lower_bound(reach_.begin(), reach_.end(), low,
                       [](const Time& reach, const Time& value) { return reach < value; }) -
      reach_.begin());
  for (size_t i = first; i < index_.size() && index_[i].low <= high; ++i) {
    if (low <= index_[i].high) positions.push_back(index_[i].position);
  }
  for (const size_t position : unindexed_) {
    if (meets(excludedIntervals_[position], low, high)) positions.push_back(position);
  }
  std::sort(positions.begin(), positions.end());

  std::vector<TimeRange> result;
  result.reserve(positions.size());
  for (const size_t position : positions) result.push_back(excludedIntervals_[position]);
  if (excludedIntervalProvider_) {
    std::vector<TimeRange> provided = excludedIntervalProvider_->excludedIntervalsFor(time, limit);
    result.insert(result.end(), provided.begin(), provided.end());
  }
  return result;
}

bool Schedule::hasExcludedIntervals() const {
  return !excludedIntervals_.empty() || excludedIntervalProvider_ != nullptr;
}

Schedule::~Schedule() {
  if (ownedTable_) tableBytesInUse.fetch_sub(ownedTable_->memoryBytes());
}

const WorkingTimeIndex* Schedule::workingTimeTable(const Time& near) const {
  if (const WorkingTimeIndex* table = table_.load(std::memory_order_acquire)) return table;
  if (tableDecided_.load(std::memory_order_relaxed)) return nullptr;
  // Without exclusions whole weeks are counted at once anyway; a provider
  // may answer differently from one call to the next.
  if (excludedIntervals_.empty() || excludedIntervalProvider_) {
    tableDecided_.store(true, std::memory_order_relaxed);
    return nullptr;
  }
  if (untabledQuestions_.fetch_add(1, std::memory_order_relaxed) + 1 < kQuestionsBeforeTable) {
    return nullptr;
  }
  const std::lock_guard<std::mutex> lock(tableMutex_);
  if (tableDecided_.load(std::memory_order_relaxed)) {
    return table_.load(std::memory_order_acquire);
  }
  tableDecided_.store(true, std::memory_order_relaxed);
  if (!isOnGridForTable(near)) return nullptr;
  const TimeRange covered(Time{near.week - kTableWeeksAround, 0, 0},
                          Time{near.week + kTableWeeksAround, 0, 0});
  auto table = std::make_unique<WorkingTimeIndex>();
  if (!table->buildExact(*this, covered)) return nullptr;
  const size_t bytes = table->memoryBytes();
  if (tableBytesInUse.fetch_add(bytes) + bytes > kTableBudgetBytes) {
    tableBytesInUse.fetch_sub(bytes);
    return nullptr;
  }
  ownedTable_ = std::move(table);
  table_.store(ownedTable_.get(), std::memory_order_release);
  return ownedTable_.get();
}

}  // namespace vorlent
