// Prints what the library computes for a sample project week: moments and
// their calendar dates, ranges, week and month starts, and snapping to a
// time scale.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "examples/schedule_scenario.h"
#include "vorlent/base/date_formatter.h"
#include "vorlent/model/item.h"
#include "vorlent/style/content_base_style.h"
#include "vorlent/style/theme.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_formatting.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_scale.h"

namespace {

using vorlent::DateFormatter;
using vorlent::Time;
using vorlent::TimeRange;
using vorlent::TimeScale;
using vorlent::TimeUnit;

std::string label(const Time& time) {
  static const DateFormatter formatter = [] {
    DateFormatter f;
    f.setLocale(vorlent::Locale("en_US"));
    f.setDateFormat("EEE d MMM yyyy HH:mm");
    return f;
  }();
  return vorlent::string(formatter, time);
}

void printTimeModel(std::ostream& out) {
  out << "== The time model, for the week of Monday 2 March 2026\n";
  const Time monday = Time::fromYearMonthDay(2026, 3, 2, 0, 0, 0);
  out << "Monday 0:00 is " << monday << " on the grid: " << label(monday) << "\n";

  const TimeRange week(monday.weekStart(), monday.weekFinish());
  out << "Its week runs " << label(week.start) << " to " << label(week.finish) << " ("
      << week.duration(TimeUnit::days) << " days)\n";

  const Time friday = monday.addingDays(4).addingHours(17.5);
  out << "Friday 17:30 is " << friday << ": " << label(friday) << "\n";
  out << "Month start " << label(friday.monthStart()) << ", year start "
      << label(friday.yearStart()) << "\n";

  const Time fridayEnd = monday.addingDays(4).asFinish().addingDays(1);
  out << "24:00 on Friday " << fridayEnd << " equals Saturday 0:00 " << fridayEnd.asStart() << ": "
      << std::boolalpha << (fridayEnd == fridayEnd.asStart()) << "\n";

  const TimeRange workWeek(monday.addingHours(8), friday);
  out << "Work week " << label(workWeek.start) << " to " << label(workWeek.finish) << ": "
      << workWeek.duration(TimeUnit::hours) << " hours of calendar time\n";

  out << "Snapping " << label(friday.addingMinutes(8)) << ":\n";
  const struct {
    const char* name;
    vorlent::FloatingPointRoundingRule rule;
  } rules[] = {{"to nearest", vorlent::FloatingPointRoundingRule::toNearestOrAwayFromZero},
               {"up", vorlent::FloatingPointRoundingRule::up},
               {"down", vorlent::FloatingPointRoundingRule::down}};
  for (const auto& [name, rule] : rules) {
    const TimeScale quarterHours = TimeScale::intervals(15, TimeUnit::minutes, monday, rule);
    out << "  on quarter hours, " << std::setw(10) << std::left << name << " -> "
        << label(friday.addingMinutes(8).rounded(quarterHours)) << "\n";
  }
  out << "  continuously                -> "
      << label(friday.addingMinutes(8).rounded(TimeScale::continuous())) << "\n";
}

// Working time in the standard calendar (Monday to Friday, 8:00 to 16:00).
void printWorkingTime(std::ostream& out) {
  out << "\n== Working time, Monday to Friday 8:00-16:00\n";
  const auto standard = vorlent::ScheduleDefinition::standard();
  const Time monday = Time::fromYearMonthDay(2026, 3, 2, 0, 0, 0);
  const Time start = monday.addingHours(10);
  out << "Three working days from " << label(start) << " finish "
      << label(standard->finish(start, 3, TimeUnit::days)) << "\n";
  out << "Working hours from then to Saturday: "
      << standard->duration(start, monday.addingDays(5), TimeUnit::hours) << "\n";
  out << "The next working time after " << label(monday.addingDays(4).addingHours(17)) << " is "
      << label(standard->nextTime(monday.addingDays(4).addingHours(17))) << "\n";
}

// A two-row header (weeks over days) for a sample fortnight.
void printHeader(std::ostream& out, const vorlent::Locale& locale) {
  using vorlent::GanttChartHeaderRow;
  using vorlent::TimeIntervalType;
  using vorlent::TimeLabelFormat;
  const TimeRange fortnight(Time::fromYearMonthDay(2026, 3, 2, 0, 0, 0),
                            Time::fromYearMonthDay(2026, 3, 16, 0, 0, 0));
  const std::vector<GanttChartHeaderRow> rows = {
      GanttChartHeaderRow(TimeIntervalType::weeks(std::nullopt, vorlent::kMonday),
                          TimeLabelFormat::dayMonthYear(), locale, true, " - "),
      GanttChartHeaderRow(TimeIntervalType::days(), std::string("EEEEEE d"), locale),
  };
  out << "\n== Header rows for " << locale.identifier << "\n";
  for (const GanttChartHeaderRow& row : rows) {
    for (const vorlent::TimeSelector& selector : row.selectors) {
      for (const TimeRange& interval : selector.intervalSelector->times(fortnight)) {
        out << "[" << selector.labelGenerator->label(interval).value_or("") << "]";
      }
    }
    out << "\n";
  }
}

// "#aarrggbb", alpha first, as colour text is written for `Color`.
std::string hex(const vorlent::Color& color) {
  const auto byte = [](double component) {
    return static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255));
  };
  char text[10];
  std::snprintf(text, sizeof text, "#%02x%02x%02x%02x", byte(color.alpha), byte(color.red),
                byte(color.green), byte(color.blue));
  return text;
}

// The colours a task and a summary resolve to under two themes, light and
// dark.
void printThemes(std::ostream& out) {
  out << "\n== Bar colours under two themes\n";
  const auto task = std::make_shared<vorlent::GanttChartItem>(
      "Task", 0, Time::fromYearMonthDay(2026, 3, 2, 8, 0, 0),
      Time::fromYearMonthDay(2026, 3, 4, 16, 0, 0), 0.5);
  const auto summary =
      std::make_shared<vorlent::GanttChartItem>("Summary", 1, task->start(), task->finish(), 0.5);
  summary->setType(vorlent::GanttChartItemType::summary);
  for (const vorlent::Theme& theme : {vorlent::Theme::standard(), vorlent::Theme::jewel()}) {
    for (const vorlent::Mode mode : {vorlent::Mode::light, vorlent::Mode::dark}) {
      const vorlent::GanttChartContentBaseStyle style(theme, mode);
      out << std::setw(14) << std::left << (std::ostringstream() << theme << " " << mode).str()
          << " task " << hex(style.barFillColorFor(task)) << " (completion "
          << hex(style.completionBarFillColorFor(task)) << "), summary "
          << hex(style.barFillColorFor(summary)) << ", background "
          << (style.backgroundColor ? hex(*style.backgroundColor) : std::string("none")) << "\n";
    }
  }
}

}  // namespace

int main() {
  printTimeModel(std::cout);
  printWorkingTime(std::cout);
  printHeader(std::cout, vorlent::Locale("en_US"));
  printHeader(std::cout, vorlent::Locale("de_DE"));
  std::cout << "\n";
  vorlent::examples::printScheduleScenario(std::cout);
  printThemes(std::cout);
  return 0;
}
