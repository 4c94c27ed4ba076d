#pragma once

// A small project scheduled by the item source's add-ons, printed before and
// after one move: two summaries over two tasks each, links with lags, a
// Monday-to-Friday 8:00-16:00 calendar with a holiday on the first Wednesday,
// and a maximum finish on the last task. Moving the first task a day later
// carries every dependent task along (skipping the holiday) and stretches the
// summaries.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/time_constants.h"

namespace vorlent::examples {

namespace scenario_detail {

inline Time at(int64_t week, int64_t day, double hours) {
  return Time(week, day, hours * secondsPerHour);
}

inline GanttChartItemPtr task(const char* label, int64_t row, const Time& start, const Time& finish,
                              GanttChartItemType type = GanttChartItemType::standard) {
  return std::make_shared<GanttChartItem>(std::string(label), row, start, finish, 0.0, std::nullopt,
                                          std::nullopt, nullptr, true, 0, true, type);
}

// "Mon 2001-01-08 08:00"; a finish held as 24:00 reads as the next day's 0:00.
inline std::string describe(const Time& time) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  const Time moment = time.asStart();
  char text[40];
  std::snprintf(text, sizeof text, "%s %04lld-%02lld-%02lld %02lld:%02lld",
                kDays[moment.dayOfWeek % 7], static_cast<long long>(moment.year()),
                static_cast<long long>(moment.month()), static_cast<long long>(moment.day()),
                static_cast<long long>(moment.hour()), static_cast<long long>(moment.minute()));
  return text;
}

inline void printSchedule(std::ostream& out, const GanttChartItemSource& source) {
  for (const GanttChartItemPtr& item : source.items()) {
    const bool isSummary = item->type() == GanttChartItemType::summary;
    char line[160];
    std::snprintf(line, sizeof line, "  row %lld  %-12s %s  ->  %s\n",
                  static_cast<long long>(item->row()),
                  ((isSummary ? "" : "  ") + item->label().value_or("")).c_str(),
                  describe(item->start()).c_str(), describe(item->finish()).c_str());
    out << line;
  }
}

}  // namespace scenario_detail

// Builds the project, prints its schedule, moves "Specify" one working day
// later and prints the schedule again.
inline void printScheduleScenario(std::ostream& out) {
  using scenario_detail::at;
  using scenario_detail::task;
  const auto calendar = std::make_shared<Schedule>(
      WeekRange::standard(), DayRange::standard(),
      std::vector<TimeRange>{{at(1, kWednesday, 0), at(1, kThursday, 0)}});

  const auto design =
      task("Design", 0, at(1, kMonday, 8), at(1, kThursday, 16), GanttChartItemType::summary);
  const auto specify = task("Specify", 1, at(1, kMonday, 8), at(1, kMonday, 16));
  const auto prototype = task("Prototype", 2, at(1, kTuesday, 8), at(1, kThursday, 16));
  const auto build =
      task("Build", 3, at(1, kFriday, 12), at(2, kTuesday, 12), GanttChartItemType::summary);
  const auto implement = task("Implement", 4, at(1, kFriday, 12), at(2, kTuesday, 12));
  const auto test = task("Test", 5, at(2, kMonday, 12), at(2, kTuesday, 12));
  const auto link = [](const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                       GanttChartDependencyType type) {
    return std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                  type);
  };
  const auto prototypeToImplement =
      link(prototype, implement, GanttChartDependencyType::fromFinishToStart);

  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{design, specify, prototype, build, implement, test},
      std::vector<GanttChartDependencyPtr>{
          link(specify, prototype, GanttChartDependencyType::fromFinishToStart),
          prototypeToImplement,
          link(implement, test, GanttChartDependencyType::fromFinishToFinish)},
      calendar);
  source->setIsColumn(true);
  source->addHierarchicalRelations(design, {specify, prototype});
  source->addHierarchicalRelations(build, {implement, test});
  source->setLag(prototypeToImplement, 4 * secondsPerHour);
  source->setConstraints(test, {std::nullopt, std::nullopt, std::nullopt, at(2, kWednesday, 16)});

  out << "Schedule (holiday on " << scenario_detail::describe(at(1, kWednesday, 0)).substr(0, 14)
      << "; Prototype -> Implement with 4 working hours of lag):\n";
  scenario_detail::printSchedule(out, *source);
  source->updateTime(specify, at(1, kTuesday, 8));
  out << "After moving Specify to " << scenario_detail::describe(specify->start()) << ":\n";
  scenario_detail::printSchedule(out, *source);
}

}  // namespace vorlent::examples
