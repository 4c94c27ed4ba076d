#include "examples/demo_project.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/base/locale.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_protocols.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/time/day_range.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_unit.h"
#include "vorlent/time/week_range.h"

namespace vorlent::examples {

namespace {

constexpr double kWorkingDay = 8 * secondsPerHour;

// The demo's item source: its preferred timeline is a `DemoTimeline`.
class DemoItemSource : public GanttChartItemSource {
 public:
  using GanttChartItemSource::GanttChartItemSource;
  TimeRange preferredTimeline() override {
    return timeline_.around(GanttChartItemSource::preferredTimeline());
  }

 private:
  DemoTimeline timeline_;
};

constexpr std::array<const char*, 6> kPhaseNames = {"Discovery",    "Design",  "Build",
                                                    "Verification", "Rollout", "Support"};
constexpr std::array<const char*, 12> kPackageNames = {
    "Requirements", "Architecture", "Prototype", "Backend",  "Frontend",      "Data migration",
    "Integration",  "Security",     "Reporting", "Training", "Documentation", "Operations"};
constexpr std::array<const char*, 10> kTaskNames = {
    "Plan",         "Draft", "Review",   "Implement", "Test",
    "Fix findings", "Demo",  "Sign off", "Hand over", "Measure"};

// A small deterministic generator, so a plan is the same on every machine.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed == 0 ? 1 : seed) {}
  // In [0, bound).
  int64_t below(int64_t bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int64_t>(state_ % static_cast<uint32_t>(bound));
  }

 private:
  uint32_t state_;
};

std::string numbered(const char* name, int64_t number) {
  return std::string(name) + " " + std::to_string(number);
}

// New Year's Day, Labour Day and two days of Christmas of each year, those
// falling on a working day.
std::vector<TimeRange> holidaysFor(int64_t firstYear, int64_t years) {
  std::vector<TimeRange> holidays;
  for (int64_t year = firstYear; year < firstYear + years; ++year) {
    for (const auto& [month, day] :
         std::array<std::pair<int, int>, 4>{{{1, 1}, {5, 1}, {12, 25}, {12, 26}}}) {
      const Time start = Time::fromYearMonthDay(year, month, day, 0, 0, 0);
      if (start.dayOfWeek == kSaturday || start.dayOfWeek == kSunday) continue;
      holidays.emplace_back(start, start.addingDays(1));
    }
  }
  return holidays;
}

// Where a task starts when no link places it: `delay` seconds of working
// time after the start of the item at `item`, or after the plan's start.
struct Anchor {
  int64_t item = -1;
  double delay = 0;
};

// How the plan is put together, before any time is known.
class PlanWriter {
 public:
  PlanWriter(const DemoPlanShape& shape, DemoPlan& plan) : shape_(shape), plan_(plan) {}

  void write() {
    for (int64_t phase = 0; phase < shape_.phases; ++phase) writePhase(phase);
    plan_.rowCount = row_;
    writeHubLinks();
    writeFillerLinks();
  }

  // The first item of each task row (lane) and its last one.
  struct Lane {
    int64_t first;
    int64_t last;
    int64_t phase = 0;
  };
  const std::vector<Lane>& lanes() const { return lanes_; }
  const std::vector<Anchor>& anchors() const { return anchors_; }

 private:
  int64_t add(DemoPlanItem item, Anchor anchor = {}) {
    plan_.items.push_back(std::move(item));
    anchors_.push_back(anchor);
    return static_cast<int64_t>(plan_.items.size()) - 1;
  }
  void link(int64_t from, int64_t to, GanttChartDependencyType type, double lag) {
    plan_.links.push_back(DemoPlanLink{from, to, type, lag});
  }

  void writePhase(int64_t phase) {
    phaseDelay_ = static_cast<double>(phase) * shape_.phaseStaggerDays.value_or(0) * kWorkingDay;
    const char* name = kPhaseNames[static_cast<size_t>(phase) % kPhaseNames.size()];
    const int64_t summary = add({.label = shape_.phases > 6 ? numbered(name, phase + 1) : name,
                                 .row = row_++,
                                 .kind = DemoItemKind::phase});
    std::vector<int64_t> milestones;
    for (int64_t package = 0; package < shape_.packagesPerPhase; ++package) {
      const auto [first, milestone] = writePackage(phase, package, summary);
      if (package == 0) {
        // The phase follows the one before it.
        if (!shape_.phaseStaggerDays) {
          for (const int64_t before : phaseMilestones_) {
            link(before, first, GanttChartDependencyType::fromFinishToStart, 0);
          }
        }
      } else {
        // Each package starts a few days after the one before it.
        link(previousPackageFirstTask_, first, GanttChartDependencyType::fromStartToStart,
             static_cast<double>(2 + random_.below(3)) * kWorkingDay);
      }
      previousPackageFirstTask_ = first;
      milestones.push_back(milestone);
    }
    phaseMilestones_ = std::move(milestones);
  }

  // Returns the package's first task and its closing milestone.
  std::pair<int64_t, int64_t> writePackage(int64_t phase, int64_t package, int64_t phaseSummary) {
    const size_t nameIndex =
        static_cast<size_t>(phase * shape_.packagesPerPhase + package) % kPackageNames.size();
    const int64_t summary =
        add({.label = std::to_string(phase + 1) + "." + std::to_string(package + 1) + " " +
                      kPackageNames[nameIndex],
             .row = row_++,
             .kind = DemoItemKind::package,
             .parent = phaseSummary});
    int64_t first = -1;
    int64_t previousLane = -1;
    for (int64_t lane = 0; lane < shape_.rowsPerPackage; ++lane) {
      const int64_t row = row_++;
      const bool lastLane = lane + 1 == shape_.rowsPerPackage;
      Lane written{-1, -1};
      for (int64_t task = 0; task < shape_.tasksPerRow; ++task) {
        const bool milestone = lastLane && task + 1 == shape_.tasksPerRow;
        const int64_t taskNumber = lane * shape_.tasksPerRow + task;
        const char* verb = kTaskNames[static_cast<size_t>(taskNumber) % kTaskNames.size()];
        const double days = milestone ? 0 : static_cast<double>(1 + random_.below(5));
        DemoPlanItem item{.label = milestone ? std::string(kPackageNames[nameIndex]) + " done"
                                             : (shape_.tasksPerRow > 1 ? numbered(verb, task + 1)
                                                                       : std::string(verb)),
                          .row = row,
                          .kind = milestone ? DemoItemKind::milestone : DemoItemKind::task,
                          .parent = summary,
                          .duration = days * kWorkingDay};
        const int64_t index =
            add(std::move(item), first < 0 ? Anchor{-1, phaseDelay_} : Anchor{first, 0});
        if (task == 0) {
          written.first = index;
        } else {
          // Along the row, each task after the one before, now and then with
          // a day to spare.
          link(written.last, index, GanttChartDependencyType::fromFinishToStart,
               taskNumber % 4 == 3 ? kWorkingDay : 0);
        }
        written.last = index;
      }
      if (first < 0) first = written.first;
      if (previousLane >= 0) linkLanes(lanes_[static_cast<size_t>(previousLane)], written, lane);
      written.phase = phase;
      lanes_.push_back(written);
      previousLane = static_cast<int64_t>(lanes_.size()) - 1;
    }
    return {first, lanes_.back().last};
  }

  // From one task row to the next, each of the four link types in turn,
  // most with a lag of whole working days, so that every bar starts at the
  // start of a working day and finishes at the end of one.
  void linkLanes(const Lane& above, const Lane& below, int64_t lane) {
    switch (lane % 4) {
      case 1:
        link(above.last, below.first, GanttChartDependencyType::fromFinishToStart, 0);
        break;
      case 2:
        link(above.first, below.first, GanttChartDependencyType::fromStartToStart, kWorkingDay);
        break;
      case 3:
        link(above.last, below.last, GanttChartDependencyType::fromFinishToFinish, kWorkingDay);
        break;
      default:
        link(above.first, below.last, GanttChartDependencyType::fromStartToFinish, 2 * kWorkingDay);
        break;
    }
  }

  void writeHubLinks() {
    if (shape_.hubSuccessors <= 0 || lanes_.empty()) return;
    const size_t hubLane = lanes_.size() / 2;
    plan_.hub = lanes_[hubLane].first;
    for (size_t lane = hubLane + 1;
         lane < lanes_.size() && lane <= hubLane + static_cast<size_t>(shape_.hubSuccessors);
         ++lane) {
      link(plan_.hub, lanes_[lane].first, GanttChartDependencyType::fromStartToStart, 0);
    }
  }

  void writeFillerLinks() {
    if (!shape_.dependencyCount) return;
    const auto wanted = static_cast<size_t>(std::max<int64_t>(*shape_.dependencyCount, 0));
    // Rows two apart first, then three, and so on.
    const auto lanesPerPhase = static_cast<size_t>(shape_.packagesPerPhase * shape_.rowsPerPackage);
    for (size_t apart = 2; apart < lanesPerPhase && plan_.links.size() < wanted; ++apart) {
      for (size_t lane = 0; lane + apart < lanes_.size() && plan_.links.size() < wanted; ++lane) {
        if (lanes_[lane].phase != lanes_[lane + apart].phase) continue;
        link(lanes_[lane].first, lanes_[lane + apart].first,
             GanttChartDependencyType::fromStartToStart, kWorkingDay);
      }
    }
  }

  const DemoPlanShape& shape_;
  DemoPlan& plan_;
  Random random_{shape_.seed};
  int64_t row_ = 0;
  std::vector<Lane> lanes_;
  std::vector<Anchor> anchors_;
  std::vector<int64_t> phaseMilestones_;
  int64_t previousPackageFirstTask_ = -1;
  double phaseDelay_ = 0;
};

// Places each task where the auto-scheduling behaviour would put it, in
// item order (every link runs from an earlier item to a later one): a task
// with links at the latest time they allow, a start link moving its start
// and a finish link its finish, the working duration kept; a task without
// links at its anchor. Bars start at the start of a working period and
// finish at the end of one, as the item manager keeps them, and a milestone
// is the moment its links give. So the plan is exactly what its rules make
// of it: an edit moves what it edits and what follows from that, nothing else.
void schedule(DemoPlan& plan, const std::vector<Anchor>& anchors, const Time& planStart) {
  const ScheduleDefinition& calendar = *plan.calendar;
  std::vector<std::vector<size_t>> incoming(plan.items.size());
  for (size_t l = 0; l < plan.links.size(); ++l) {
    incoming[static_cast<size_t>(plan.links[l].to)].push_back(l);
  }
  for (size_t i = 0; i < plan.items.size(); ++i) {
    DemoPlanItem& item = plan.items[i];
    if (item.kind == DemoItemKind::phase || item.kind == DemoItemKind::package) continue;
    const bool moment = item.duration == 0;
    const auto finishFrom = [&](const Time& start) {
      return moment ? start : calendar.finish(start, item.duration);
    };
    const auto startTo = [&](const Time& finish) {
      return moment ? finish : calendar.start(finish, item.duration);
    };
    Time start;
    Time finish;
    if (incoming[i].empty()) {
      const Anchor& anchor = anchors[i];
      const Time base =
          anchor.item >= 0 ? plan.items[static_cast<size_t>(anchor.item)].start : planStart;
      start = calendar.nextTime(calendar.finish(base, anchor.delay));
      finish = finishFrom(start);
    }
    bool placed = false;
    for (const size_t l : incoming[i]) {
      const DemoPlanLink& link = plan.links[l];
      const DemoPlanItem& from = plan.items[static_cast<size_t>(link.from)];
      const bool fromFinish = link.type == GanttChartDependencyType::fromFinishToStart ||
                              link.type == GanttChartDependencyType::fromFinishToFinish;
      const bool toStart = link.type == GanttChartDependencyType::fromFinishToStart ||
                           link.type == GanttChartDependencyType::fromStartToStart;
      const Time anchor = fromFinish ? from.finish : from.start;
      const Time limit =
          moment && !toStart && link.lag == 0 ? anchor : calendar.finish(anchor, link.lag);
      if (toStart) {
        if (!placed || !(limit < start)) start = limit;
        finish = finishFrom(start);
      } else {
        if (!placed || !(limit < finish)) finish = limit;
        start = startTo(finish);
      }
      placed = true;
    }
    if (!moment) {
      start = calendar.nextTime(start);
      finish = calendar.previousTime(finish);
    }
    item.start = start;
    item.finish = finish;
  }
  // Summaries span their children. Children come after their summary, so
  // walking backwards finishes a package before it widens its phase.
  std::vector<bool> spanned(plan.items.size(), false);
  for (size_t i = plan.items.size(); i-- > 0;) {
    const DemoPlanItem& item = plan.items[i];
    if (item.parent < 0) continue;
    const auto p = static_cast<size_t>(item.parent);
    DemoPlanItem& parent = plan.items[p];
    if (!spanned[p] || item.start < parent.start) parent.start = item.start;
    if (!spanned[p] || parent.finish < item.finish) parent.finish = item.finish;
    spanned[p] = true;
  }
}

// How far `now` has come through each task, in steps of 5%, and the
// details shown as its tool tip.
void describe(DemoPlan& plan, const Time& now) {
  const ScheduleDefinition& calendar = *plan.calendar;
  for (DemoPlanItem& item : plan.items) {
    const double total = calendar.duration(item.start, item.finish);
    if (item.kind == DemoItemKind::task) {
      const Time until = now < item.finish ? now : item.finish;
      const double done = until < item.start ? 0 : calendar.duration(item.start, until);
      item.completion = total > 0 ? std::round(done / total * 20) / 20 : 0;
    }
    item.details = demoItemDetails(item.label, item.kind, total, item.completion);
  }
}

DemoItemKind kindOf(const GanttChartItem& item) {
  switch (item.type()) {
    case GanttChartItemType::milestone:
      return DemoItemKind::milestone;
    case GanttChartItemType::summary:
      return DemoItemKind::package;
    case GanttChartItemType::standard:
      break;
  }
  return DemoItemKind::task;
}

void refreshDetails(GanttChartItem& item, const ScheduleDefinition& calendar) {
  item.setDetails(demoItemDetails(item.label().value_or(""), kindOf(item),
                                  calendar.duration(item.start(), item.finish()),
                                  item.completion()));
}

// Writes each changed item's tool tip anew.
class DetailsObserver : public GanttChartItemObserver {
 public:
  explicit DetailsObserver(std::shared_ptr<ScheduleDefinition> calendar)
      : calendar_(std::move(calendar)) {}
  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& /*from*/) override {
    refreshDetails(*item, *calendar_);
  }
  void completionDidChange(const GanttChartItemPtr& item, double /*from*/) override {
    refreshDetails(*item, *calendar_);
  }

 private:
  std::shared_ptr<ScheduleDefinition> calendar_;
};

}  // namespace

std::string demoItemDetails(const std::string& label, DemoItemKind kind, double workingSeconds,
                            double completion) {
  const auto days = static_cast<int64_t>(std::round(workingSeconds / kWorkingDay));
  switch (kind) {
    case DemoItemKind::milestone:
      return label + ": a milestone";
    case DemoItemKind::task:
      // The library counts an item without working time as complete (there
      // is no part of it left); a user reads "done" as work that was done.
      if (workingSeconds > 0) {
        return label + ": " + std::to_string(days) + " working day" + (days == 1 ? "" : "s") +
               ", " + std::to_string(static_cast<int>(std::lround(completion * 100))) + "% done";
      }
      break;
    case DemoItemKind::phase:
    case DemoItemKind::package:
      break;
  }
  return label + ": " + std::to_string(days) + " working days";
}

namespace {

class DemoItemFactory : public GanttChartItemFactory {
 public:
  explicit DemoItemFactory(std::shared_ptr<ScheduleDefinition> calendar)
      : calendar_(std::move(calendar)) {}

  GanttChartItemPtr createItem(int64_t row, const Time& time, bool isMilestone) override {
    const std::string label = isMilestone ? "New milestone" : "New task";
    const DemoItemKind kind = isMilestone ? DemoItemKind::milestone : DemoItemKind::task;
    const double duration = isMilestone ? 0 : kWorkingDay;
    return GanttChartItem::create(
        {.label = label,
         .row = row,
         .start = time,
         .finish = isMilestone ? time : calendar_->finish(time, duration),
         .details = demoItemDetails(label, kind, duration, 0),
         .type = isMilestone ? std::optional(GanttChartItemType::milestone) : std::nullopt});
  }

 private:
  std::shared_ptr<ScheduleDefinition> calendar_;
};

}  // namespace

std::shared_ptr<GanttChartItemFactory> makeDemoItemFactory(
    std::shared_ptr<ScheduleDefinition> calendar) {
  return std::make_shared<DemoItemFactory>(std::move(calendar));
}

std::shared_ptr<GanttChartItemObserver> makeDemoDetailsObserver(
    std::shared_ptr<ScheduleDefinition> calendar) {
  return std::make_shared<DetailsObserver>(std::move(calendar));
}

DemoPlanShape DemoPlanShape::dense(int64_t phases, const Time& start) {
  DemoPlanShape shape;
  shape.phases = phases;
  shape.packagesPerPhase = 3;
  shape.rowsPerPackage = 2;
  shape.tasksPerRow = 16;
  shape.phaseStaggerDays = 2;
  shape.hubSuccessors = std::min<int64_t>(100, phases * 2);
  shape.dependencyCount = phases * 100;
  shape.start = start;
  // Two working days a phase, at about 250 working days a year.
  shape.holidayYears = phases * 2 / 250 + 2;
  return shape;
}

DemoPlan makeDemoPlan(const DemoPlanShape& shape) {
  DemoPlan plan;
  const Time monday = shape.start.weekStart().addingDays(kMonday).addingHours(8);
  plan.holidays = holidaysFor(monday.year(), std::max<int64_t>(shape.holidayYears, 1));
  plan.calendar =
      std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(), plan.holidays);
  plan.workingDays =
      std::make_shared<Schedule>(WeekRange::standard(), DayRange::continuous(), plan.holidays);
  PlanWriter writer(shape, plan);
  writer.write();
  schedule(plan, writer.anchors(), monday);
  describe(plan, shape.now);
  if (!plan.items.empty()) {
    plan.span = TimeRange(plan.items.front().start, plan.items.front().finish);
    for (const DemoPlanItem& item : plan.items) {
      if (item.start < plan.span.start) plan.span.start = item.start;
      if (plan.span.finish < item.finish) plan.span.finish = item.finish;
    }
  }
  return plan;
}

DemoProject buildDemoProject(const DemoPlan& plan) {
  DemoProject project;
  project.items.reserve(plan.items.size());
  for (const DemoPlanItem& item : plan.items) {
    const bool summary = item.kind == DemoItemKind::phase || item.kind == DemoItemKind::package;
    project.items.push_back(
        GanttChartItem::create({.label = item.label,
                                .row = item.row,
                                .start = item.start,
                                .finish = item.finish,
                                .completion = item.completion,
                                .details = item.details,
                                .type = summary ? std::optional(GanttChartItemType::summary)
                                        : item.kind == DemoItemKind::milestone
                                            ? std::optional(GanttChartItemType::milestone)
                                            : std::nullopt}));
  }
  project.dependencies.reserve(plan.links.size());
  std::vector<GanttChartDependencyLagDefinition> lags;
  for (const DemoPlanLink& link : plan.links) {
    project.dependencies.push_back(
        GanttChartDependency::create({.from = project.items[static_cast<size_t>(link.from)],
                                      .to = project.items[static_cast<size_t>(link.to)],
                                      .type = link.type}));
    if (link.lag != 0) lags.emplace_back(project.dependencies.back(), link.lag);
  }
  // The hierarchy: each summary over the items that name it.
  std::vector<std::vector<GanttChartItemPtr>> children(plan.items.size());
  for (size_t i = 0; i < plan.items.size(); ++i) {
    if (plan.items[i].parent >= 0) {
      children[static_cast<size_t>(plan.items[i].parent)].push_back(project.items[i]);
    }
  }
  std::vector<GanttChartItemHierarchicalRelation> relations;
  for (size_t i = 0; i < children.size(); ++i) {
    if (!children[i].empty()) relations.emplace_back(project.items[i], std::move(children[i]));
  }
  if (plan.hub >= 0) project.hub = project.items[static_cast<size_t>(plan.hub)];

  project.source =
      std::make_shared<DemoItemSource>(project.items, project.dependencies, plan.calendar);
  // The classic behaviours, switched on in their order. Column mode keeps a
  // plan of one item per row a list; rows of several tasks leave it out.
  const bool onePerRow = static_cast<int64_t>(plan.items.size()) == plan.rowCount;
  project.source->setIsColumn(onePerRow);
  project.source->setHierarchicalRelations(std::move(relations));
  project.source->setLags(std::move(lags));

  if (!project.items.empty()) {
    const GanttChartItemPtr& last = project.items.back();
    project.source->setConstraints(
        std::vector<GanttChartItemConstraintDefinition>{GanttChartItemConstraintDefinition(
            last, GanttChartItemConstraints(std::nullopt, std::nullopt, std::nullopt,
                                            last->finish().addingWeeks(2)))});
  }
  return project;
}

TimeRange DemoTimeline::around(const TimeRange& items) {
  const Time start = std::min(items.start, items.finish);
  const Time finish = std::max(items.start, items.finish);
  if (!timeline_) {
    timeline_ = TimeRange(start.weekStart().addingWeeks(-1), finish.weekStart().addingWeeks(3));
  }
  if (start < timeline_->start) timeline_->start = start.weekStart().addingWeeks(-1);
  if (timeline_->finish < finish) timeline_->finish = finish.weekStart().addingWeeks(3);
  return *timeline_;
}

void holdEditedItemsBehindPredecessors(GanttChartItemSource& source) {
  for (const GanttChartItemBehaviorPtr& member : source.managedBehaviorSet()->behaviors()) {
    if (auto* scheduling = dynamic_cast<GanttChartItemAutoSchedulingBehavior*>(member.get())) {
      scheduling->setApplyingToUpdatingItems(true);
    }
  }
}

void decorateDemoControllers(const DemoPlan& plan, GanttChartHeaderController& header,
                             GanttChartContentController& content) {
  const ScheduleTimeSelector daysOff = ScheduleTimeSelector::timeoutsOf(plan.workingDays);
  header.setScheduleHighlighters({daysOff});
  // No fixed timeline: the item manager's preferred one (a `DemoTimeline`),
  // which follows the items when an edit moves them past either end.
  content.setScrollableTimeline(std::nullopt);
  content.setScheduleHighlighters({daysOff});
  content.setIntervalHighlighters({TimeSelector(TimeIntervalType::time())});
}

void configureDemoHeader(GanttChartHeaderController& header) {
  const Locale english("en_US");
  const auto row = [&](const TimeIntervalType& type, const std::string& format) {
    return GanttChartHeaderRow(type, format, english);
  };
  // Hour widths (points per hour) where the rows change: a week of 84 points
  // has room for its date, a day of 24 for a weekday's letter, of 48 for its
  // name and number; an hour of 8 for its number every few hours, of 16 for
  // every hour.
  const std::vector<GanttChartHeaderRow> monthsOverWeekDays{
      row(TimeIntervalType::months(), "MMMM yyyy"), row(TimeIntervalType::weeks(), "d")};
  const std::vector<GanttChartHeaderRow> monthsOverWeeks{
      row(TimeIntervalType::months(), "MMMM yyyy"), row(TimeIntervalType::weeks(), "d MMM")};
  const std::vector<GanttChartHeaderRow> weeksOverLetters{
      row(TimeIntervalType::weeks(), "d MMMM yyyy"), row(TimeIntervalType::days(), "EEEEE")};
  const std::vector<GanttChartHeaderRow> weeksOverDays{
      row(TimeIntervalType::weeks(), "d MMMM yyyy"), row(TimeIntervalType::days(), "EEE d")};
  const std::vector<GanttChartHeaderRow> daysOverHours{
      row(TimeIntervalType::days(), "EEEE d MMMM yyyy"),
      row(TimeIntervalType::hours(3.0), "H")};
  const std::vector<GanttChartHeaderRow> daysOverEachHour{
      row(TimeIntervalType::days(), "EEEE d MMMM yyyy"), row(TimeIntervalType::hours(), "H")};
  header.setRowSelector(std::make_shared<GanttChartHeaderRowSource>(
      [=](double hourWidth) -> std::optional<std::vector<GanttChartHeaderRow>> {
        if (hourWidth < 0.5) return monthsOverWeekDays;
        if (hourWidth < 1) return monthsOverWeeks;
        if (hourWidth < 2) return weeksOverLetters;
        if (hourWidth < 8) return weeksOverDays;
        if (hourWidth < 16) return daysOverHours;
        return daysOverEachHour;
      }));
  GanttChartHeaderSettings settings = header.settings();
  // At the default 2.5 points an hour: 0.1 shows 33 weeks in 1400 points,
  // 12 an hour in 30 points.
  settings.minZoom = 0.1;
  settings.maxZoom = 12;
  // The zoom changes by 1 for each 100 points dragged (about 2.6 cm), past
  // a dead zone of 10 points around zoom 1: from the first zoom, 2.6 cm to
  // the right double it and 1.3 cm to the left halve it.
  settings.zoomingUnitWidth = 100;
  settings.zoomingThresholdWidth = 10;
  header.setSettings(std::move(settings));
  header.settingsDidChange();
}

GanttChartControllerPtr makeDemoChartController(const DemoPlan& plan, const DemoProject& project) {
  auto header = GanttChartHeaderController::create(std::nullopt);  // weeks over days
  auto content = GanttChartContentController::create(project.source);
  decorateDemoControllers(plan, *header, *content);
  return GanttChartController::create(std::move(header), std::move(content));
}

DemoLinkCounts countLinks(const DemoPlan& plan) {
  DemoLinkCounts counts;
  for (const DemoPlanLink& link : plan.links) {
    ++counts.byType[static_cast<size_t>(link.type)];
    if (link.lag != 0) ++counts.withLag;
  }
  return counts;
}

}  // namespace vorlent::examples
