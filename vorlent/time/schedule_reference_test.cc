// Cross-checks the calendar arithmetic against a brute-force model: every
// minute of a four-week window is marked working or not straight from the
// calendar's definition, and each operation is answered by counting minutes.
// Random calendars (fixed seed) cover days and hours partly outside the week
// and the day, calendars without working time, and excluded intervals that are
// reversed, empty, adjacent, overlapping or returned whatever the span.
//
// Over spans of decades, where counting minutes would be too slow, a few
// exclusions scattered far apart are checked against the stretch-by-stretch
// walk and against the working time of the same days and hours without
// exclusions, less what each exclusion takes away.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/schedule_intersection.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::EverythingProvider;
using testing::FixedProvider;
using testing::kWeek;

constexpr int64_t kMinutesPerDay = 24 * 60;
constexpr int64_t kMinutesPerWeek = 7 * kMinutesPerDay;
constexpr int64_t kWindow = 4 * kMinutesPerWeek;  // minutes in the model
// Sparse exclusions lie within this many weeks on either side of the origin.
constexpr int64_t kSparseWeeks = 1000;
const Time kOrigin{kWeek, 0, 0};

Time minute(int64_t index) { return kOrigin.addingMinutes(static_cast<double>(index)); }

// An excluded interval in minutes of the window, as generated.
struct Exclusion {
  int64_t from;
  int64_t to;  // may lie before `from` (stored reversed)
};

struct Model {
  std::vector<bool> working;   // per minute
  std::vector<int64_t> count;  // working minutes before each index, kWindow + 1 entries
  // For each index i in [0, kWindow]: the first index at or after i whose
  // minute is working (not working), and the last index at or before i whose
  // previous minute is working (not working); -1 when the window has none.
  std::vector<int64_t> nextOn, nextOff, previousOn, previousOff;

  bool at(int64_t i) const { return i >= 0 && i < kWindow && working[static_cast<size_t>(i)]; }
  int64_t get(const std::vector<int64_t>& v, int64_t i) const { return v[static_cast<size_t>(i)]; }
};

Model buildModel(const ScheduleDefinition& schedule, const std::vector<Exclusion>& exclusions) {
  const WeekRange days = schedule.weekInterval();
  const DayRange hours = schedule.dayInterval();
  Model model;
  model.working.assign(kWindow, false);
  for (int64_t i = 0; i < kWindow; ++i) {
    const int64_t day = (i / kMinutesPerDay) % 7;
    const double second = static_cast<double>(i % kMinutesPerDay) * 60;
    model.working[static_cast<size_t>(i)] = days.start <= day && day <= days.finish &&
                                            hours.start <= second && second + 60 <= hours.finish;
  }
  for (const Exclusion& e : exclusions) {
    const int64_t low = std::min(e.from, e.to);
    const int64_t high = std::max(e.from, e.to);
    for (int64_t i = std::max<int64_t>(low, 0); i < std::min(high, kWindow); ++i) {
      model.working[static_cast<size_t>(i)] = false;
    }
  }
  const size_t size = kWindow + 1;
  model.count.assign(size, 0);
  for (int64_t i = 0; i < kWindow; ++i) {
    model.count[static_cast<size_t>(i + 1)] = model.count[static_cast<size_t>(i)] + model.at(i);
  }
  model.nextOn.assign(size, -1);
  model.nextOff.assign(size, -1);
  for (int64_t i = kWindow - 1; i >= 0; --i) {
    const size_t k = static_cast<size_t>(i);
    model.nextOn[k] = model.at(i) ? i : model.nextOn[k + 1];
    model.nextOff[k] = !model.at(i) ? i : model.nextOff[k + 1];
  }
  model.previousOn.assign(size, -1);
  model.previousOff.assign(size, -1);
  for (int64_t i = 1; i <= kWindow; ++i) {
    const size_t k = static_cast<size_t>(i);
    model.previousOn[k] = model.at(i - 1) ? i : model.previousOn[k - 1];
    model.previousOff[k] = !model.at(i - 1) ? i : model.previousOff[k - 1];
  }
  return model;
}

std::optional<int64_t> known(int64_t index) {
  if (index < 0) return std::nullopt;
  return index;
}

// The model's answers, as minute indices; nullopt when the answer lies beyond
// the window (the model does not know it).
std::optional<int64_t> modelNextTime(const Model& m, int64_t i) {
  return known(m.get(m.nextOn, i));
}

std::optional<int64_t> modelPreviousTime(const Model& m, int64_t i) {
  return known(m.get(m.previousOn, i));
}

std::optional<int64_t> modelNextTimeout(const Model& m, int64_t i) {
  return known(m.get(m.nextOff, i));
}

std::optional<int64_t> modelPreviousTimeout(const Model& m, int64_t i) {
  return known(m.get(m.previousOff, i));
}

// The end of the k-th working minute from i (k > 0): the first index whose
// count reaches count[i] + k.
std::optional<int64_t> modelFinish(const Model& m, int64_t i, int64_t k) {
  const int64_t target = m.get(m.count, i) + k;
  const auto it = std::lower_bound(m.count.begin() + i, m.count.end(), target);
  if (it == m.count.end()) return std::nullopt;
  return it - m.count.begin();
}

// The start of the k-th working minute back from i (k > 0): the last index
// whose count is count[i] - k.
std::optional<int64_t> modelStart(const Model& m, int64_t i, int64_t k) {
  const int64_t target = m.get(m.count, i) - k;
  const auto it = std::upper_bound(m.count.begin(), m.count.begin() + i + 1, target);
  if (it == m.count.begin() || *(it - 1) != target) return std::nullopt;
  const int64_t j = (it - 1) - m.count.begin();
  if (j == 0) return std::nullopt;  // the window may begin inside a run of work
  return j;
}

// Runs of minutes of the given kind within [from, to).
std::vector<TimeRange> modelRuns(const Model& m, int64_t from, int64_t to, bool working) {
  std::vector<TimeRange> runs;
  int64_t i = from;
  while (i < to) {
    if (m.at(i) != working) {
      ++i;
      continue;
    }
    int64_t j = i;
    while (j < to && m.at(j) == working) ++j;
    runs.emplace_back(minute(i), minute(j));
    i = j;
  }
  return runs;
}

struct Calendar {
  std::shared_ptr<ScheduleDefinition> schedule;
  std::vector<Exclusion> exclusions;
  std::shared_ptr<ScheduleDefinitionProvider> keepAlive;  // for provider-backed calendars
  std::string description;
};

class CalendarFactory {
 public:
  // `sparse`: a few exclusions scattered over decades instead of up to eight
  // within the minute model's window.
  explicit CalendarFactory(uint64_t seed, bool sparse = false) : random_(seed), sparse_(sparse) {}

  int64_t uniform(int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(random_);
  }

  WeekRange days() {
    const int64_t start = uniform(-1, 4);
    return {start, start + uniform(-1, 6)};
  }

  DayRange hours() {
    const double quarter = 15 * 60;
    const double start = static_cast<double>(uniform(-8, 90)) * quarter;
    return {start, start + static_cast<double>(uniform(-2, 70)) * quarter};
  }

  std::vector<Exclusion> exclusions() {
    if (sparse_) return sparseExclusions();
    std::vector<Exclusion> result;
    const int64_t count = uniform(0, 8);
    for (int64_t i = 0; i < count; ++i) {
      const int64_t from = !result.empty() && uniform(0, 3) == 0
                               ? std::max(result.back().from, result.back().to)  // adjacent
                               : uniform(0, kWindow / 15) * 15;
      const int64_t length = uniform(0, 4) == 0 ? 0 : uniform(1, 4 * 24 * 4) * 15;
      Exclusion e{from, from + length};
      if (uniform(0, 4) == 0) std::swap(e.from, e.to);
      result.push_back(e);
    }
    return result;
  }

  // From one to four intervals anywhere within kSparseWeeks of the origin:
  // minutes to two days long, or days to eight weeks, now and then empty,
  // reversed or adjacent to the one before.
  std::vector<Exclusion> sparseExclusions() {
    std::vector<Exclusion> result;
    const int64_t count = uniform(1, 4);
    const int64_t reach = kSparseWeeks * kMinutesPerWeek / 15;
    for (int64_t i = 0; i < count; ++i) {
      const int64_t from = !result.empty() && uniform(0, 3) == 0
                               ? std::max(result.back().from, result.back().to)
                               : uniform(-reach, reach) * 15;
      int64_t length = 0;
      switch (uniform(0, 7)) {
        case 0:
          break;
        case 1:
        case 2:
          length = uniform(1, 8 * 4 * 24) * 15 * 7;  // days to eight weeks
          break;
        default:
          length = uniform(1, 2 * 4 * 24) * 15;  // up to two days
      }
      Exclusion e{from, from + length};
      if (uniform(0, 4) == 0) std::swap(e.from, e.to);
      result.push_back(e);
    }
    return result;
  }

  static std::vector<TimeRange> ranges(const std::vector<Exclusion>& exclusions) {
    std::vector<TimeRange> result;
    for (const Exclusion& e : exclusions) {
      Time from = minute(e.from);
      Time to = minute(e.to);
      // Ends at midnight are sometimes written as 24:00.
      if (to.timeOfDay == 0 && (e.to % 7) == 0) to = to.asFinish();
      result.emplace_back(from, to);
    }
    return result;
  }

  Calendar make() {
    Calendar c;
    c.exclusions = exclusions();
    const WeekRange d = days();
    const DayRange h = hours();
    switch (uniform(0, 3)) {
      case 0:
        c.schedule = std::make_shared<Schedule>(d, h, ranges(c.exclusions));
        c.description = "schedule";
        break;
      case 1:
        // Every interval whatever the span, from a provider.
        c.schedule =
            std::make_shared<Schedule>(d, h, std::vector<TimeRange>{},
                                       std::make_shared<EverythingProvider>(ranges(c.exclusions)));
        c.description = "schedule with provider";
        break;
      case 2: {
        auto provider = std::make_shared<FixedProvider>(d, h, ranges(c.exclusions));
        c.schedule = std::make_shared<ScheduleDefinition>(provider);
        c.keepAlive = provider;
        c.description = "definition with provider";
        break;
      }
      default: {
        const std::vector<Exclusion> more = exclusions();
        auto intersection = ScheduleIntersection::create(
            {std::make_shared<Schedule>(d, h, ranges(c.exclusions)),
             std::make_shared<Schedule>(days(), hours(), ranges(more))});
        if (!intersection) return make();
        c.exclusions.insert(c.exclusions.end(), more.begin(), more.end());
        c.schedule = intersection;
        c.description = "intersection";
        break;
      }
    }
    const WeekRange w = c.schedule->weekInterval();
    const DayRange dr = c.schedule->dayInterval();
    c.description += " days " + std::to_string(w.start) + ".." + std::to_string(w.finish) +
                     " hours " + std::to_string(dr.start / 3600) + ".." +
                     std::to_string(dr.finish / 3600) + " exclusions";
    for (const Exclusion& e : c.exclusions) {
      c.description += " [" + std::to_string(e.from) + "," + std::to_string(e.to) + ")";
    }
    return c;
  }

 private:
  std::mt19937_64 random_;
  bool sparse_;
};

// The working time of long spans without counting minutes: the same days and
// hours without exclusions, less what the exclusions take away.
struct LongSpanModel {
  std::shared_ptr<Schedule> plain;
  std::vector<TimeRange> excluded;  // in order, merged where they meet, none empty

  LongSpanModel(const ScheduleDefinition& schedule, const std::vector<Exclusion>& exclusions)
      : plain(testing::makeSchedule(schedule.weekInterval(), schedule.dayInterval())) {
    std::vector<std::pair<int64_t, int64_t>> spans;
    for (const Exclusion& e : exclusions) {
      if (e.from != e.to) spans.emplace_back(std::min(e.from, e.to), std::max(e.from, e.to));
    }
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<int64_t, int64_t>> merged;
    for (const auto& span : spans) {
      if (!merged.empty() && span.first <= merged.back().second) {
        merged.back().second = std::max(merged.back().second, span.second);
      } else {
        merged.push_back(span);
      }
    }
    for (const auto& [from, to] : merged) excluded.emplace_back(minute(from), minute(to));
  }

  // From `a` to `b`, a <= b.
  double duration(const Time& a, const Time& b) const {
    double total = plain->duration(a, b);
    for (const TimeRange& x : excluded) {
      const Time low = a < x.start ? x.start : a;
      const Time high = x.finish < b ? x.finish : b;
      if (low < high) total -= plain->duration(low, high);
    }
    return total;
  }

  std::vector<TimeRange> times(const TimeRange& range) const {
    std::vector<TimeRange> result;
    for (const TimeRange& stretch : plain->times(range)) {
      Time from = stretch.start;
      for (const TimeRange& x : excluded) {
        if (!(x.start < stretch.finish)) break;
        if (!(from < x.finish)) continue;
        if (from < x.start) result.emplace_back(from, x.start);
        from = x.finish;
      }
      if (from < stretch.finish) result.emplace_back(from, stretch.finish);
    }
    return result;
  }

  // The gaps between the working intervals, within the range.
  std::vector<TimeRange> timeouts(const TimeRange& range) const {
    std::vector<TimeRange> result;
    Time from = range.start;
    for (const TimeRange& stretch : times(range)) {
      if (from < stretch.start) result.emplace_back(from, stretch.start);
      from = stretch.finish;
    }
    if (from < range.finish) result.emplace_back(from, range.finish);
    return result;
  }
};

bool isStartForm(const Time& t) { return t.timeOfDay < secondsPerDay; }
bool isFinishForm(const Time& t) { return t.timeOfDay > 0; }

TEST(ScheduleReference, InstantsDurationsAndStepsMatchMinuteCounting) {
  CalendarFactory factory(0x5eed);
  constexpr int64_t kLow = 7 * kMinutesPerDay;  // queries stay in the middle weeks
  constexpr int64_t kHigh = 3 * 7 * kMinutesPerDay;
  for (int round = 0; round < 150; ++round) {
    const Calendar c = factory.make();
    const ScheduleDefinition& s = *c.schedule;
    const Model m = buildModel(s, c.exclusions);
    SCOPED_TRACE(c.description);
    for (int q = 0; q < 25; ++q) {
      const int64_t i = factory.uniform(kLow, kHigh) / 15 * 15 + (q % 3 == 0 ? 0 : q % 15);
      const Time t = minute(i);
      SCOPED_TRACE("at minute " + std::to_string(i));
      if (const auto e = modelNextTime(m, i)) {
        const Time r = s.nextTime(t);
        EXPECT_EQ(r, minute(*e));
        EXPECT_TRUE(isStartForm(r));
      }
      if (const auto e = modelPreviousTime(m, i)) {
        const Time r = s.previousTime(t);
        EXPECT_EQ(r, minute(*e));
        EXPECT_TRUE(isFinishForm(r));
      }
      if (const auto e = modelNextTimeout(m, i)) {
        EXPECT_EQ(s.nextTimeout(t), minute(*e));
      }
      if (const auto e = modelPreviousTimeout(m, i)) {
        EXPECT_EQ(s.previousTimeout(t), minute(*e));
      }

      const int64_t j = factory.uniform(kLow, kHigh);
      const double expected = 60.0 * static_cast<double>(m.count[static_cast<size_t>(j)] -
                                                         m.count[static_cast<size_t>(i)]);
      EXPECT_EQ(s.duration(t, minute(j)), expected) << "to minute " << j;
      // 24:00 written for the finish changes nothing.
      EXPECT_EQ(s.duration(t, minute(j).asFinish()), expected);

      const int64_t k = factory.uniform(0, 3 * kMinutesPerDay);
      const double amount = 60.0 * static_cast<double>(k);
      const auto forward = k == 0 ? modelNextTime(m, i) : modelFinish(m, i, k);
      if (forward) {
        const Time r = s.finish(t, amount);
        EXPECT_EQ(r, minute(*forward)) << "finish after " << k << " minutes";
        EXPECT_TRUE(isFinishForm(r)) << r;
        EXPECT_EQ(s.start(t, -amount), minute(*forward));
      }
      const auto backward = k == 0 ? modelPreviousTime(m, i) : modelStart(m, i, k);
      if (backward) {
        const Time r = s.start(t, amount);
        EXPECT_EQ(r, minute(*backward)) << "start before " << k << " minutes";
        EXPECT_TRUE(isStartForm(r)) << r;
        EXPECT_EQ(s.finish(t, -amount), minute(*backward));
      }

      const int64_t to = std::min(i + factory.uniform(0, 4 * kMinutesPerDay), kHigh);
      EXPECT_EQ(s.times({t, minute(to)}), modelRuns(m, i, to, true));
      EXPECT_EQ(s.timeouts({t, minute(to)}), modelRuns(m, i, to, false));
    }
  }
}

TEST(ScheduleReference, FinishAndDurationAreInversesOverRandomCalendars) {
  CalendarFactory factory(20240611);
  std::mt19937_64 random(7);
  for (int round = 0; round < 200; ++round) {
    const Calendar c = factory.make();
    const ScheduleDefinition& s = *c.schedule;
    SCOPED_TRACE(c.description);
    if (s.weekDuration() <= 0) continue;
    for (int q = 0; q < 20; ++q) {
      // Whole seconds keep every sum exact, so the round trip must be exact.
      const Time t = minute(factory.uniform(0, kWindow)).addingSeconds(factory.uniform(0, 59));
      // Up to three weeks of work: far enough to cross several exclusions.
      const int64_t weekSeconds = static_cast<int64_t>(s.weekDuration());
      const double d =
          static_cast<double>(factory.uniform(1, std::max<int64_t>(3 * weekSeconds, 1)));
      const Time f = s.finish(t, d);
      if (f >= minute(kWindow)) continue;  // past the exclusions: still valid, but slow to check
      EXPECT_EQ(s.duration(t, f), d) << t << " + " << d;
      EXPECT_EQ(s.duration(f, t), -d);
      if (s.nextTime(t) == t) {
        EXPECT_EQ(s.start(f, d), t) << t << " + " << d;
      }
      EXPECT_TRUE(testing::sameFields(s.finish(t, d, TimeUnit::seconds, false), f));
      const Time b = s.start(t, d);
      EXPECT_EQ(s.duration(b, t), d) << t << " - " << d;
      EXPECT_TRUE(testing::sameFields(s.start(t, d, TimeUnit::seconds, false), b));

      // Fractional amounts and times: within a millisecond.
      const double fractional =
          std::uniform_real_distribution<double>(0, 2 * s.weekDuration())(random);
      const Time tf = t.addingSeconds(std::uniform_real_distribution<double>(0, 1)(random));
      EXPECT_NEAR(s.duration(tf, s.finish(tf, fractional)), fractional, 1e-3);
      EXPECT_NEAR(s.duration(tf, s.finish(tf, -fractional)), -fractional, 1e-3);
    }
  }
}

// Spans of decades with a few exclusions far apart: the whole weeks counted at
// once between them must give exactly what the stretch-by-stretch walk and the
// model give.
TEST(ScheduleReference, SparseExclusionsOverDecadesMatchTheWalkAndTheModel) {
  CalendarFactory factory(0x10ad, /*sparse=*/true);
  const int64_t reach = (kSparseWeeks + 100) * kMinutesPerWeek;
  for (int round = 0; round < 60; ++round) {
    const Calendar c = factory.make();
    const ScheduleDefinition& s = *c.schedule;
    const LongSpanModel model(s, c.exclusions);
    SCOPED_TRACE(c.description);
    for (int q = 0; q < 8; ++q) {
      // Whole seconds keep every sum exact, so every answer must be exact.
      const Time t = minute(factory.uniform(-reach, reach)).addingSeconds(factory.uniform(0, 59));
      const Time u = minute(factory.uniform(-reach, reach));
      const Time& a = t < u ? t : u;
      const Time& b = t < u ? u : t;
      const double expected = model.duration(a, b);
      EXPECT_EQ(s.duration(a, b), expected) << a << " to " << b;
      EXPECT_EQ(s.duration(b, a), -expected);

      if (s.weekDuration() <= 0) continue;
      const int64_t weekSeconds = static_cast<int64_t>(s.weekDuration());
      // Decades of work: the answer holds exactly that much working time and
      // ends (begins) with working time, not idle time.
      const double far = static_cast<double>(factory.uniform(1, 2 * kSparseWeeks * weekSeconds));
      const Time f = s.finish(t, far);
      EXPECT_EQ(model.duration(t, f), far) << t << " + " << far;
      EXPECT_TRUE(testing::sameFields(s.previousTime(f), f)) << f;
      const Time g = s.start(t, far);
      EXPECT_EQ(model.duration(g, t), far) << t << " - " << far;
      EXPECT_TRUE(testing::sameFields(s.nextTime(g), g)) << g;

      // Up to three years of work from within three years before an
      // exclusion (or after it, backward): field for field the walk's answer.
      if (model.excluded.empty()) continue;  // every interval came out empty
      const TimeRange& x = model.excluded[static_cast<size_t>(
          factory.uniform(0, static_cast<int64_t>(model.excluded.size()) - 1))];
      const int64_t lead = factory.uniform(0, 150 * kMinutesPerWeek);
      const Time before = x.start.addingMinutes(-static_cast<double>(lead));
      const Time after = x.finish.addingMinutes(static_cast<double>(lead));
      const double near = static_cast<double>(factory.uniform(1, 150 * weekSeconds));
      EXPECT_TRUE(testing::sameFields(s.finish(before, near),
                                      s.finish(before, near, TimeUnit::seconds, false)))
          << before << " + " << near;
      EXPECT_TRUE(
          testing::sameFields(s.start(after, near), s.start(after, near, TimeUnit::seconds, false)))
          << after << " - " << near;

      // The lists over up to half a year across the exclusion.
      const TimeRange range(
          x.start.addingMinutes(-static_cast<double>(lead % (13 * kMinutesPerWeek))),
          x.finish.addingMinutes(static_cast<double>(factory.uniform(0, 13 * kMinutesPerWeek))));
      EXPECT_EQ(s.times(range), model.times(range)) << range.start << " to " << range.finish;
      EXPECT_EQ(s.timeouts(range), model.timeouts(range)) << range.start << " to " << range.finish;
    }
  }
}

// Calendars that can make no progress, and amounts that cannot be counted: each
// operation must come back, and quickly (the counting provider sees every
// exclusion query, hence every step of every walk).
// The same calendar as a subclass, which always walks its stretches.
class WalkingSchedule : public Schedule {
 public:
  using Schedule::Schedule;
};

constexpr int64_t kMinutesPerYear = 365 * kMinutesPerDay;

// Up to 200 exclusions over a dozen years, most of them whole days.
std::vector<TimeRange> randomHolidays(CalendarFactory& factory) {
  std::vector<TimeRange> holidays;
  for (int64_t i = 0, count = factory.uniform(1, 200); i < count; ++i) {
    const int64_t from = factory.uniform(-kMinutesPerYear, 11 * kMinutesPerYear) / 15 * 15;
    const int64_t length =
        factory.uniform(0, 3) == 0 ? factory.uniform(0, 3 * kMinutesPerDay) : kMinutesPerDay;
    Time start = minute(from);
    Time finish = minute(from + length);
    if (factory.uniform(0, 3) == 0) finish = finish.asFinish();
    // Now and then an end a rounding error off the whole second.
    if (factory.uniform(0, 150) == 0) finish = finish.addingSeconds(4e-12);
    if (factory.uniform(0, 5) == 0) std::swap(start, finish);
    holidays.emplace_back(start, finish);
  }
  return holidays;
}

// Asks a tabled calendar and one that always walks 400 random questions of
// every kind, about times from 4 years before the origin to `years` after
// it, and expects the same answers, field by field.
void expectTabledAnswersEqualTheWalk(CalendarFactory& factory, const WeekRange& days,
                                     const DayRange& hours, const std::vector<TimeRange>& holidays,
                                     int64_t years = 30) {
  const auto tabled = std::make_shared<Schedule>(days, hours, holidays);
  const auto walking = std::make_shared<WalkingSchedule>(days, hours, holidays);
  SCOPED_TRACE("days " + std::to_string(days.start) + ".." + std::to_string(days.finish) +
               " hours " + std::to_string(hours.start) + ".." + std::to_string(hours.finish));
  const auto anyTime = [&] {
    Time t = minute(factory.uniform(-4 * kMinutesPerYear, years * kMinutesPerYear))
                 .addingSeconds(
                     static_cast<double>(factory.uniform(0, 3) == 0 ? 0 : factory.uniform(0, 59)));
    return factory.uniform(0, 3) == 0 ? t.asFinish() : t;
  };
  const double weekSeconds = std::max(tabled->weekDuration(), 3600.0);
  for (int q = 0; q < 400; ++q) {
    const Time t = anyTime();
    const Time u = factory.uniform(0, 2) == 0
                       ? t.addingSeconds(static_cast<double>(
                             factory.uniform(-kMinutesPerWeek, kMinutesPerWeek)))
                       : anyTime();
    SCOPED_TRACE(::testing::Message() << "from " << t << " to " << u);
    EXPECT_EQ(tabled->duration(t, u), walking->duration(t, u));
    EXPECT_EQ(tabled->duration(t, u, TimeUnit::hours), walking->duration(t, u, TimeUnit::hours));
    const double amount = static_cast<double>(
        factory.uniform(0, 2) == 0 ? factory.uniform(1, 3600)
                                   : factory.uniform(1, static_cast<int64_t>(weekSeconds) * 80));
    EXPECT_TRUE(testing::sameFields(tabled->nextTime(t), walking->nextTime(t)));
    EXPECT_TRUE(testing::sameFields(tabled->previousTime(t), walking->previousTime(t)));
    for (const double signedAmount : {amount, -amount, 0.0, -0.0}) {
      EXPECT_TRUE(
          testing::sameFields(tabled->finish(t, signedAmount), walking->finish(t, signedAmount)))
          << signedAmount << ": " << tabled->finish(t, signedAmount) << " against "
          << walking->finish(t, signedAmount);
      EXPECT_TRUE(
          testing::sameFields(tabled->start(t, signedAmount), walking->start(t, signedAmount)))
          << signedAmount << ": " << tabled->start(t, signedAmount) << " against "
          << walking->start(t, signedAmount);
    }
    EXPECT_TRUE(testing::sameFields(tabled->finish(t, 1.5, TimeUnit::hours),
                                    walking->finish(t, 1.5, TimeUnit::hours)));
  }
}

// A plain calendar with exclusions answers from tables of its working time
// once it has been asked a few times, one for each decade asked about; every
// answer must be the walk's to the last bit and in the same spelling of
// midnight, inside a table, at its edges, across two and beyond the
// exclusions, zero amounts and plain instants included.
TEST(ScheduleReference, TabledAnswersEqualTheWalkOverRandomCalendars) {
  CalendarFactory factory(0x7ab1e);
  for (int round = 0; round < 30; ++round) {
    const WeekRange days = factory.days();
    const DayRange hours = factory.hours();
    expectTabledAnswersEqualTheWalk(factory, days, hours, randomHolidays(factory));
  }
}

// Without exclusions every week is alike, and one table answers about all of
// them: questions centuries away from the decade it covers must still get
// the walk's answers.
TEST(ScheduleReference, TabledAnswersEqualTheWalkWithoutExclusionsInAnyCentury) {
  CalendarFactory factory(0x3ee4);
  for (int round = 0; round < 12; ++round) {
    const WeekRange days = factory.days();
    const DayRange hours = factory.hours();
    expectTabledAnswersEqualTheWalk(factory, days, hours, {}, round % 2 == 0 ? 30 : 3000);
  }
}

// A working instant written -0:00 is its own next working instant, sign and
// all, whether the calendar answers from a table or walks: `sameFields`
// cannot tell -0 from 0, so the sign is compared on its own.
TEST(ScheduleReference, TabledNextTimeKeepsANegativeZeroTimeOfDay) {
  const std::vector<TimeRange> holiday = {{Time{40, 2, 0}, Time{40, 3, 0}}};
  for (const auto& holidays : {std::vector<TimeRange>{}, holiday}) {
    const auto tabled =
        std::make_shared<Schedule>(WeekRange::standard(), DayRange::continuous(), holidays);
    const auto walking =
        std::make_shared<WalkingSchedule>(WeekRange::standard(), DayRange::continuous(), holidays);
    for (int64_t week = 0; week < 300; ++week) (void)tabled->nextTime(Time{week, 1, 0});
    for (const int64_t week : {int64_t{3}, int64_t{-200}, int64_t{1'000'000}}) {
      const Time t{week, 2, -0.0};
      const Time answer = tabled->nextTime(t);
      EXPECT_TRUE(testing::sameFields(answer, walking->nextTime(t))) << t;
      EXPECT_TRUE(std::signbit(answer.timeOfDay)) << t << " gave " << answer;
    }
  }
}

// Worked around the clock, a calendar's stretches run on over midnight, for
// days at a time, so answers land on other days than the stretch opened.
TEST(ScheduleReference, TabledAnswersEqualTheWalkWhereStretchesRunOverMidnight) {
  CalendarFactory factory(0x0c10c);
  for (int round = 0; round < 8; ++round) {
    const WeekRange days = factory.days();
    expectTabledAnswersEqualTheWalk(factory, days, DayRange::continuous(),
                                    randomHolidays(factory));
  }
}

TEST(ScheduleReference, DegenerateCalendarsAndAmountsAlwaysReturn) {
  const Time monday = testing::on(kMonday, 8);
  const std::vector<std::vector<TimeRange>> exclusionSets = {
      {},
      {{Time::min(), Time::max()}},
      {{Time::max(), Time::min()}},
      {{monday, monday}, {monday.addingHours(1), monday.addingHours(1)}},
      {{monday.addingDays(-2), Time::max()}},
      {{Time::min(), monday.addingDays(2)}},
  };
  const std::vector<std::pair<WeekRange, DayRange>> patterns = {
      {WeekRange::standard(), DayRange::standard()},
      {WeekRange::continuous(), DayRange::continuous()},
      {WeekRange::standard(), DayRange(8 * 3600.0, 8 * 3600.0)},
      {WeekRange(5, 2), DayRange::standard()},
      {WeekRange(9, 12), DayRange::continuous()},
      {WeekRange::standard(), DayRange(-5 * 3600.0, -1 * 3600.0)},
      {WeekRange(-4, 20), DayRange(20 * 3600.0, 40 * 3600.0)},
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> amounts = {nan,   inf,    -inf,       0,           -0.0,
                                       1e300, -1e300, 5 * 3600.0, -5 * 3600.0, 1e-9};
  const std::vector<Time> times = {monday, monday.addingDays(5), Time::min(), Time::max(),
                                   Time{kWeek, 3, secondsPerDay}};
  for (const auto& excluded : exclusionSets) {
    for (const auto& [days, hours] : patterns) {
      auto provider = std::make_shared<FixedProvider>(days, hours, excluded);
      const auto schedule = std::make_shared<ScheduleDefinition>(provider);
      for (const Time& t : times) {
        provider->queries = 0;
        // Few queries mean few steps: every step asks for exclusions.
        const auto check = [&](const char* what) {
          EXPECT_LT(provider->queries, 200) << what << " from " << t;
          provider->queries = 0;
        };
        (void)schedule->nextTime(t);
        (void)schedule->previousTime(t);
        (void)schedule->nextTimeout(t);
        (void)schedule->previousTimeout(t);
        check("instants");
        (void)schedule->duration(t, t.addingDays(30));
        check("duration");
        (void)schedule->duration(t, t.addingDays(-30), TimeUnit::weeks);
        for (const double amount : amounts) {
          // Amounts in days and weeks are scaled down so that every walk stays short.
          for (const auto& [unit, scale] :
               {std::pair{TimeUnit::seconds, 1.0}, std::pair{TimeUnit::days, 1e-4},
                std::pair{TimeUnit::weeks, 1e-5}}) {
            (void)schedule->finish(t, amount * scale, unit);
            check("finish");
            (void)schedule->start(t, amount * scale, unit);
            check("start");
          }
        }
        (void)schedule->times({t, t.addingDays(30)});
        (void)schedule->timeouts({t, t.addingDays(30)});
        (void)schedule->rounding(t, TimeScale::intervals(1, TimeUnit::days, t.addingDays(-3),
                                                         FloatingPointRoundingRule::up));
        check("lists and rounding");
      }
    }
  }
}

}  // namespace
}  // namespace vorlent
