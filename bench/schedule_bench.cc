// Working-time arithmetic over long spans. Whole weeks are counted at once
// wherever the calendar excludes nothing, so without exclusions a century
// costs what a week costs, and with one holiday a thousand years cost little
// more; with a Schedule holding 100 excluded intervals a year, the working
// stretches around each exclusion are walked one indexed lookup at a time.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"

namespace {

using vorlent::Schedule;
using vorlent::ScheduleDefinition;
using vorlent::Time;
using vorlent::TimeRange;

const Time kStart{1000, vorlent::kMonday, 8 * vorlent::secondsPerHour};
constexpr double kWeekOfWork = 40 * vorlent::secondsPerHour;

// 100 excluded intervals in each of `years` years from kStart: alternately a
// whole day and two hours around noon, spread over the year.
std::shared_ptr<Schedule> scheduleWithHolidays(int64_t years) {
  std::vector<TimeRange> holidays;
  for (int64_t year = 0; year < years; ++year) {
    for (int64_t i = 0; i < 100; ++i) {
      const Time day = Time{kStart.week, 0, 0}.addingDays(year * 365 + i * 365 / 100);
      if (i % 2 == 0) {
        holidays.emplace_back(day, day.addingDays(1));
      } else {
        holidays.emplace_back(day.addingHours(11), day.addingHours(13));
      }
    }
  }
  return std::make_shared<Schedule>(vorlent::WeekRange::standard(), vorlent::DayRange::standard(),
                                    std::move(holidays));
}

// Argument: weeks of work (1 = one week, 5218 = about a hundred years).
void BM_FinishWithoutExclusions(benchmark::State& state) {
  const auto schedule = ScheduleDefinition::standard();
  const double amount = kWeekOfWork * static_cast<double>(state.range(0)) + 3600;
  for (auto _ : state) benchmark::DoNotOptimize(schedule->finish(kStart, amount));
}
BENCHMARK(BM_FinishWithoutExclusions)->Arg(1)->Arg(5218);

void BM_StartWithoutExclusions(benchmark::State& state) {
  const auto schedule = ScheduleDefinition::standard();
  const double amount = kWeekOfWork * static_cast<double>(state.range(0)) + 3600;
  for (auto _ : state) benchmark::DoNotOptimize(schedule->start(kStart, amount));
}
BENCHMARK(BM_StartWithoutExclusions)->Arg(1)->Arg(5218);

void BM_DurationWithoutExclusions(benchmark::State& state) {
  const auto schedule = ScheduleDefinition::standard();
  const Time finish = kStart.addingWeeks(state.range(0)).addingHours(3);
  for (auto _ : state) benchmark::DoNotOptimize(schedule->duration(kStart, finish));
}
BENCHMARK(BM_DurationWithoutExclusions)->Arg(1)->Arg(5218);

// The standard calendar with one holiday, the Wednesday of kStart's week.
std::shared_ptr<Schedule> scheduleWithOneHoliday() {
  const Time holiday{kStart.week, vorlent::kWednesday, 0};
  return std::make_shared<Schedule>(vorlent::WeekRange::standard(), vorlent::DayRange::standard(),
                                    std::vector<TimeRange>{{holiday, holiday.addingDays(1)}});
}

// Argument: years of work (52 working weeks each), from before the holiday.
void BM_FinishWithOneHoliday(benchmark::State& state) {
  const auto schedule = scheduleWithOneHoliday();
  const double amount = kWeekOfWork * 52 * static_cast<double>(state.range(0)) + 3600;
  for (auto _ : state) benchmark::DoNotOptimize(schedule->finish(kStart, amount));
}
BENCHMARK(BM_FinishWithOneHoliday)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Back to before the holiday from years later.
void BM_StartWithOneHoliday(benchmark::State& state) {
  const auto schedule = scheduleWithOneHoliday();
  const double amount = kWeekOfWork * 52 * static_cast<double>(state.range(0)) + 3600;
  const Time finish = kStart.addingWeeks(52 * state.range(0) + 2);
  for (auto _ : state) benchmark::DoNotOptimize(schedule->start(finish, amount));
}
BENCHMARK(BM_StartWithOneHoliday)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_DurationWithOneHoliday(benchmark::State& state) {
  const auto schedule = scheduleWithOneHoliday();
  const Time finish = kStart.addingWeeks(52 * state.range(0)).addingHours(3);
  for (auto _ : state) benchmark::DoNotOptimize(schedule->duration(kStart, finish));
}
BENCHMARK(BM_DurationWithOneHoliday)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The lists name every stretch, so they grow with the span; each stretch away
// from the holiday costs no lookup.
void BM_TimesWithOneHoliday(benchmark::State& state) {
  const auto schedule = scheduleWithOneHoliday();
  const TimeRange years(kStart, kStart.addingWeeks(52 * state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->times(years));
}
BENCHMARK(BM_TimesWithOneHoliday)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_TimeoutsWithOneHoliday(benchmark::State& state) {
  const auto schedule = scheduleWithOneHoliday();
  const TimeRange years(kStart, kStart.addingWeeks(52 * state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->timeouts(years));
}
BENCHMARK(BM_TimeoutsWithOneHoliday)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// Argument: years of work, in a schedule with 100 holidays a year over ten
// years.
void BM_FinishWithHolidays(benchmark::State& state) {
  const auto schedule = scheduleWithHolidays(10);
  const double amount = kWeekOfWork * 52 * static_cast<double>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->finish(kStart, amount));
}
BENCHMARK(BM_FinishWithHolidays)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_StartWithHolidays(benchmark::State& state) {
  const auto schedule = scheduleWithHolidays(10);
  const Time finish = kStart.addingWeeks(52 * state.range(0));
  const double amount = kWeekOfWork * 48 * static_cast<double>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->start(finish, amount));
}
BENCHMARK(BM_StartWithHolidays)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_DurationWithHolidays(benchmark::State& state) {
  const auto schedule = scheduleWithHolidays(10);
  const Time finish = kStart.addingWeeks(52 * state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->duration(kStart, finish));
}
BENCHMARK(BM_DurationWithHolidays)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_TimesWithHolidays(benchmark::State& state) {
  const auto schedule = scheduleWithHolidays(10);
  const TimeRange year(kStart, kStart.addingWeeks(52));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->times(year));
}
BENCHMARK(BM_TimesWithHolidays)->Unit(benchmark::kMicrosecond);

void BM_TimeoutsWithHolidays(benchmark::State& state) {
  const auto schedule = scheduleWithHolidays(10);
  const TimeRange year(kStart, kStart.addingWeeks(52));
  for (auto _ : state) benchmark::DoNotOptimize(schedule->timeouts(year));
}
BENCHMARK(BM_TimeoutsWithHolidays)->Unit(benchmark::kMicrosecond);

// Monday to Friday 8:00-16:00 with 20 whole-day holidays a year over ten
// years from kStart, and 100,000 random questions within those years (whole
// minutes; amounts up to three months of work). Warm: the calendar has been
// asked before, as a chart asks it again and again.
struct TenYearsOfQuestions {
  std::shared_ptr<Schedule> schedule;
  std::vector<Time> from;
  std::vector<Time> to;
  std::vector<double> amount;

  TenYearsOfQuestions() {
    std::vector<TimeRange> holidays;
    uint64_t state = 42;
    const auto next = [&state](uint64_t bound) {
      state = state * 6364136223846793005ULL + 1442695040888963407ULL;
      return (state >> 33) % bound;
    };
    const Time monday{kStart.week, vorlent::kMonday, 0};
    for (int64_t year = 0; year < 10; ++year) {
      for (int64_t i = 0; i < 20; ++i) {
        const Time day = monday.addingWeeks(year * 52 + static_cast<int64_t>(next(52)))
                             .addingDays(static_cast<int64_t>(next(5)));
        holidays.emplace_back(day, day.addingDays(1));
      }
    }
    schedule = std::make_shared<Schedule>(vorlent::WeekRange::standard(),
                                          vorlent::DayRange::standard(), std::move(holidays));
    const uint64_t minutes = 10 * 52 * 7 * 24 * 60;
    for (int i = 0; i < 100000; ++i) {
      from.push_back(monday.addingMinutes(static_cast<double>(next(minutes))));
      to.push_back(monday.addingMinutes(static_cast<double>(next(minutes))));
      amount.push_back(60.0 * static_cast<double>(1 + next(13 * 40 * 60)));
    }
    for (int i = 0; i < 100; ++i) benchmark::DoNotOptimize(schedule->duration(from[0], to[0]));
  }
};

const TenYearsOfQuestions& tenYearsOfQuestions() {
  static const auto* const questions = new TenYearsOfQuestions();
  return *questions;
}

void BM_DurationOverTenYearsWithHolidays(benchmark::State& state) {
  const TenYearsOfQuestions& q = tenYearsOfQuestions();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.schedule->duration(q.from[i], q.to[i]));
    i = i + 1 == q.from.size() ? 0 : i + 1;
  }
}
BENCHMARK(BM_DurationOverTenYearsWithHolidays);

void BM_FinishOverTenYearsWithHolidays(benchmark::State& state) {
  const TenYearsOfQuestions& q = tenYearsOfQuestions();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.schedule->finish(q.from[i], q.amount[i]));
    i = i + 1 == q.from.size() ? 0 : i + 1;
  }
}
BENCHMARK(BM_FinishOverTenYearsWithHolidays);

void BM_StartOverTenYearsWithHolidays(benchmark::State& state) {
  const TenYearsOfQuestions& q = tenYearsOfQuestions();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.schedule->start(q.to[i], q.amount[i]));
    i = i + 1 == q.from.size() ? 0 : i + 1;
  }
}
BENCHMARK(BM_StartOverTenYearsWithHolidays);

}  // namespace
