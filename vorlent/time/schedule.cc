#include "vorlent/time/schedule.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <utility>

#include "vorlent/time/working_time_index.h"

namespace vorlent {

namespace {

// Questions about one decade a calendar answers by walking before it builds
// that decade's table: a table costs as much as many walks, so calendars
// asked only now and then, and decades a runaway cascade merely passes
// through, never pay for one.
constexpr uint32_t kQuestionsBeforeTable = 256;
// The tables of all calendars with exclusions together stay below this.
constexpr size_t kTableBudgetBytes = size_t{64} << 20;
std::atomic<size_t> tableBytesInUse{0};
// Those of calendars without exclusions, one each, draw on a budget of their
// own: they save less (such a calendar walks whole weeks at once), and
// hundreds of them must not leave none for the calendars that walk from
// exclusion to exclusion.
constexpr size_t kWeeklyTableBudgetBytes = size_t{16} << 20;
std::atomic<size_t> weeklyTableBytesInUse{0};

// The budget a calendar's tables draw on, and what of it is in use.
struct TableBudget {
  std::atomic<size_t>& inUse;
  size_t bytes;
};
TableBudget tableBudgetFor(bool weeksAlike) {
  if (weeksAlike) return {weeklyTableBytesInUse, kWeeklyTableBudgetBytes};
  return {tableBytesInUse, kTableBudgetBytes};
}
// Chunks tried by one calendar, tables or not; beyond this, questions about
// new decades walk, so scattered questions cannot grow the map for ever.
constexpr size_t kMaxChunks = 4096;

// The first week of the chunk of `chunkWeeks` holding `week`, chunks being
// counted from week 0 in both directions.
int64_t chunkStart(int64_t week, int64_t chunkWeeks) {
  const int64_t quotient = week / chunkWeeks - (week % chunkWeeks < 0 ? 1 : 0);
  return quotient * chunkWeeks;
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
  const TableBudget budget = tableBudgetFor(excludedIntervals_.empty());
  for (const auto& [firstWeek, chunk] : chunks_) {
    if (chunk.table) budget.inUse.fetch_sub(chunk.table->memoryBytes());
  }
}

const WorkingTimeIndex* Schedule::findWorkingTimeTable(const Time& near) const {
  if (walksAlways_.load(std::memory_order_relaxed)) return nullptr;
  // A provider may answer differently from one call to the next; a
  // calendar worked around the clock counts by plain arithmetic anyway.
  if (excludedIntervalProvider_ || (excludedIntervals_.empty() && isContinuous())) {
    walksAlways_.store(true, std::memory_order_relaxed);
    return nullptr;
  }
  if (!std::isfinite(near.timeOfDay)) return nullptr;
  // Far enough from the ends of time that a table reaching half a decade
  // either side of its core stays on the grid.
  if (near.week < Time::min().week + 4 * kChunkWeeks ||
      near.week > Time::max().week - 4 * kChunkWeeks) {
    return nullptr;
  }
  // Without exclusions one table, about the decade from week 0, answers
  // about every week (a cascade drifting over centuries included).
  const bool weeksAlike = excludedIntervals_.empty();
  const int64_t firstWeek = weeksAlike ? 0 : chunkStart(near.week, kChunkWeeks);
  const std::lock_guard<std::mutex> lock(tableMutex_);
  auto found = chunks_.find(firstWeek);
  if (found == chunks_.end()) {
    if (chunks_.size() >= kMaxChunks) return nullptr;
    TableChunk fresh{firstWeek, 0, false, nullptr, firstWeek, firstWeek + kChunkWeeks};
    if (weeksAlike) {
      fresh.fromWeek = Time::min().week + 4 * kChunkWeeks;
      fresh.untilWeek = Time::max().week - 4 * kChunkWeeks + 1;
    }
    found = chunks_.emplace(firstWeek, std::move(fresh)).first;
  }
  TableChunk& chunk = found->second;
  if (!chunk.tried) {
    if (++chunk.questions < kQuestionsBeforeTable) return nullptr;
    if (weeksAlike) {
      // Half a decade either side of week 0 is as far as a question moved
      // into the table reaches before it walks instead.
      chunk.table =
          buildTable(TimeRange(Time{-kChunkWeeks / 2, 0, 0}, Time{kChunkWeeks / 2, 0, 0}));
      if (chunk.table) chunk.table->answerEveryWeek();
    } else {
      // Reaching half a decade beyond the core on either side, so that spans
      // starting near the core's edges are still answered from the table.
      chunk.table = buildTable(TimeRange(Time{firstWeek - kChunkWeeks / 2, 0, 0},
                                         Time{firstWeek + kChunkWeeks + kChunkWeeks / 2, 0, 0}));
    }
    chunk.tried = true;
  }
  lastChunk_.store(&chunk, std::memory_order_release);
  return chunk.table.get();
}

std::unique_ptr<WorkingTimeIndex> Schedule::buildTable(const TimeRange& covered) const {
  auto table = std::make_unique<WorkingTimeIndex>();
  if (!table->buildExact(*this, covered)) return nullptr;
  const TableBudget budget = tableBudgetFor(excludedIntervals_.empty());
  const size_t bytes = table->memoryBytes();
  if (budget.inUse.fetch_add(bytes) + bytes > budget.bytes) {
    budget.inUse.fetch_sub(bytes);
    return nullptr;
  }
  return table;
}

}  // namespace vorlent
