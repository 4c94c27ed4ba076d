#include "examples/demo_outline.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QScrollBar>
#include <QKeySequence>
#include <QMenuBar>
#include <QStatusBar>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_map>
#include <sstream>
#include <utility>

#include "vorlent/base/date_formatter.h"
#include "vorlent/base/locale.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/item_behavior_set.h"
#include "examples/demo_links.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_model.h"
#include "vorlent/time/time_formatting.h"

namespace vorlent::examples {
namespace {

// The columns of the row's first day and last day.
constexpr int kStartColumn = 1;
constexpr int kFinishColumn = 2;

GanttChartItemType typeOf(DemoItemKind kind) {
  switch (kind) {
    case DemoItemKind::phase:
    case DemoItemKind::package:
      return GanttChartItemType::summary;
    case DemoItemKind::milestone:
      return GanttChartItemType::milestone;
    case DemoItemKind::task:
      break;
  }
  return GanttChartItemType::standard;
}

// The day of `time`, with its year only when that is not `firstYear`: most
// of a plan lies in its first year, and a short cell keeps the columns
// narrow.
QString shortDay(const Time& time, int64_t firstYear) {
  const auto makeFormatter = [](const char* format) {
    DateFormatter f;
    f.setLocale(Locale("en_US"));
    f.setDateFormat(format);
    return f;
  };
  static const DateFormatter formatter = makeFormatter("d MMM");
  static const DateFormatter withYearFormatter = makeFormatter("d MMM yyyy");
  const bool withYear = time.year() != firstYear;
  // The outline asks for a row's days whenever it may show them again, and
  // a drag asks for hundreds of rows: each moment is spelled once.
  struct Key {
    int64_t week;
    int64_t day;
    uint64_t timeOfDay;
    bool withYear;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& key) const {
      return std::hash<int64_t>()(key.week) * 31 + std::hash<int64_t>()(key.day) * 7 +
             std::hash<uint64_t>()(key.timeOfDay) * 3 + (key.withYear ? 1 : 0);
    }
  };
  static std::unordered_map<Key, QString, KeyHash> spelled;
  const Key key{time.week, time.dayOfWeek, std::bit_cast<uint64_t>(time.timeOfDay), withYear};
  if (const auto found = spelled.find(key); found != spelled.end()) return found->second;
  if (spelled.size() >= 4096) spelled.clear();
  const std::string text = string(withYear ? withYearFormatter : formatter, time);
  return spelled.emplace(key, QString::fromStdString(text)).first->second;
}

}  // namespace

// --- The host --------------------------------------------------------------------------

DemoOutlineSource::DemoOutlineSource(const DemoPlan& plan)
    : calendar_(plan.calendar), firstYear_(plan.span.start.year()) {
  std::vector<OutlineGanttChartItemPtr>& items = items_;
  items.reserve(plan.items.size());
  std::vector<int64_t> firstItemOnRow(static_cast<size_t>(std::max<int64_t>(plan.rowCount, 0)), -1);
  for (size_t i = 0; i < plan.items.size(); ++i) {
    const DemoPlanItem& p = plan.items[i];
    items.push_back(OutlineGanttChartItem::create(p.label, p.start, p.finish, p.completion,
                                                  std::nullopt, p.details, nullptr, 0, true,
                                                  typeOf(p.kind), std::nullopt, {}));
    kinds_.emplace(items.back().get(), p.kind);
    // Summaries come before what they contain.
    if (p.parent >= 0 && size_t(p.parent) < i) {
      const OutlineGanttChartItem* summary = items[size_t(p.parent)].get();
      summaryOf_.emplace(items.back().get(), summary);
      contents_[summary].push_back(items.back().get());
    }
    if (p.row >= 0 && p.row < plan.rowCount && firstItemOnRow[size_t(p.row)] < 0) {
      firstItemOnRow[size_t(p.row)] = int64_t(i);
    }
  }
  // One outline row per plan row, under the row of its first item's summary.
  rows_.resize(firstItemOnRow.size());
  for (size_t r = 0; r < rows_.size(); ++r) {
    const int64_t first = firstItemOnRow[r];
    std::optional<std::string> label;
    if (first >= 0) label = plan.items[size_t(first)].label;
    rows_[r] = OutlineGanttChartRow::create(label, {}, std::nullopt, {});
  }
  for (size_t i = 0; i < plan.items.size(); ++i) {
    const int64_t row = plan.items[i].row;
    if (row < 0 || row >= plan.rowCount) continue;
    std::vector<OutlineGanttChartItemPtr> onRow = rows_[size_t(row)]->chartItems();
    onRow.push_back(items[i]);
    rows_[size_t(row)]->setChartItems(std::move(onRow));
  }
  for (size_t r = 0; r < rows_.size(); ++r) {
    rows_[r]->setHasChanged(false);
    const int64_t first = firstItemOnRow[r];
    const int64_t parent = first >= 0 ? plan.items[size_t(first)].parent : -1;
    const int64_t parentRow = parent >= 0 ? plan.items[size_t(parent)].row : -1;
    if (parentRow >= 0 && parentRow < plan.rowCount && size_t(parentRow) != r) {
      children_[rows_[size_t(parentRow)].get()].push_back(rows_[r]);
    } else {
      roots_.push_back(rows_[r]);
    }
  }
  for (const DemoPlanLink& link : plan.links) {
    const auto& from = items[size_t(link.from)];
    auto dependency = OutlineGanttChartDependency::create(std::nullopt, from, items[size_t(link.to)],
                                                          std::nullopt, 0, true, link.type,
                                                          std::nullopt, link.lag);
    outgoing_[from.get()].push_back(std::move(dependency));
    ++dependencyCount_;
  }
}

void DemoOutlineSource::outlineGanttChartTimeDidChangeFor(OutlineGanttChart& /*chart*/,
                                                          const OutlineGanttChartItemPtr& item,
                                                          const TimeRange& /*from*/) {
  if (item) refreshDetails(*item);
}

void DemoOutlineSource::outlineGanttChartCompletionDidChangeFor(
    OutlineGanttChart& /*chart*/, const OutlineGanttChartItemPtr& item, double /*from*/) {
  if (item) refreshDetails(*item);
}

void DemoOutlineSource::outlineGanttChartDidAddDependency(
    OutlineGanttChart& /*chart*/, const OutlineGanttChartDependencyPtr& dependency) {
  if (!dependency || !dependency->from()) return;
  outgoing_[dependency->from().get()].push_back(dependency);
  ++dependencyCount_;
}

void DemoOutlineSource::outlineGanttChartDidRemoveDependency(
    OutlineGanttChart& /*chart*/, const OutlineGanttChartDependencyPtr& dependency) {
  if (!dependency || !dependency->from()) return;
  const auto found = outgoing_.find(dependency->from().get());
  if (found == outgoing_.end()) return;
  const auto removed = std::erase(found->second, dependency);
  dependencyCount_ -= static_cast<int64_t>(removed);
}

bool DemoOutlineSource::leadsTo(const OutlineGanttChartItem* from,
                                const OutlineGanttChartItem* to) const {
  return examples::leadsTo(
      from, to,
      [this](const OutlineGanttChartItem* item, const auto& visit) {
        const auto found = outgoing_.find(item);
        if (found == outgoing_.end()) return;
        for (const auto& link : found->second) visit(link->to().get());
      },
      [this](const OutlineGanttChartItem* item, const auto& visit) {
        const auto found = contents_.find(item);
        if (found == contents_.end()) return;
        for (const OutlineGanttChartItem* child : found->second) visit(child);
      },
      [this](const OutlineGanttChartItem* item) -> const OutlineGanttChartItem* {
        const auto found = summaryOf_.find(item);
        return found == summaryOf_.end() ? nullptr : found->second;
      });
}

void DemoOutlineSource::refreshDetails(OutlineGanttChartItem& item) const {
  const auto kind = kinds_.find(&item);
  if (kind == kinds_.end() || !calendar_) return;
  item.setDetails(demoItemDetails(item.label().value_or(""), kind->second,
                                  calendar_->duration(item.start(), item.finish()),
                                  item.completion()));
}

GanttChartItemBehaviorPtr DemoOutlineSource::makeBehavior() const {
  // The chart's dependencies mirror the outline's, whose context is the lag.
  auto lags = std::make_shared<GanttChartDependencyLagSource>(
      [](const GanttChartDependencyPtr& dependency) -> std::optional<double> {
        const auto link = dependency ? outlineGanttChartDependencyOf(*dependency) : nullptr;
        const double* lag = link ? std::any_cast<double>(&link->context()) : nullptr;
        return lag ? std::optional(*lag) : std::nullopt;
      },
      nullptr);
  std::vector<GanttChartItemBehaviorPtr> behaviors{
      std::make_shared<GanttChartItemAutoSchedulingBehavior>(true, std::nullopt, true,
                                                             std::move(lags))};
  if (!items_.empty()) {
    const std::weak_ptr<OutlineGanttChartItem> last = items_.back();
    const Time latestFinish = items_.back()->finish().addingWeeks(2);
    behaviors.push_back(std::make_shared<GanttChartItemConstraintBehavior>(
        std::make_shared<GanttChartItemConstraintSource>(
            [last, latestFinish](
                const GanttChartItemPtr& item) -> std::optional<GanttChartItemConstraints> {
              const auto lastItem = last.lock();
              if (!item || !lastItem || outlineGanttChartItemOf(*item) != lastItem) {
                return std::nullopt;
              }
              return GanttChartItemConstraints(std::nullopt, std::nullopt, std::nullopt,
                                               latestFinish);
            }),
        true));
  }
  return std::make_shared<GanttChartItemBehaviorSet>(std::move(behaviors));
}

QStringList DemoOutlineSource::columnTitles() { return {"Task", "Start", "Finish", "Done"}; }

const std::vector<OutlineGanttChartRowPtr>& DemoOutlineSource::childrenOf(
    const OutlineGanttChartRowPtr& row) const {
  static const std::vector<OutlineGanttChartRowPtr> none;
  if (!row) return roots_;
  const auto found = children_.find(row.get());
  return found == children_.end() ? none : found->second;
}

OutlineGanttChartRowPtr DemoOutlineSource::outlineGanttChartChild(
    OutlineGanttChart& /*chart*/, int64_t index, const OutlineGanttChartRowPtr& ofItem) {
  const auto& list = childrenOf(ofItem);
  return index >= 0 && size_t(index) < list.size() ? list[size_t(index)] : nullptr;
}

bool DemoOutlineSource::outlineGanttChartIsItemExpandable(OutlineGanttChart& /*chart*/,
                                                          const OutlineGanttChartRowPtr& item) {
  return !childrenOf(item).empty();
}

int64_t DemoOutlineSource::outlineGanttChartNumberOfChildrenOfItem(
    OutlineGanttChart& /*chart*/, const OutlineGanttChartRowPtr& item) {
  return int64_t(childrenOf(item).size());
}

QVariant DemoOutlineSource::outlineGanttChartObjectValueFor(OutlineGanttChart& /*chart*/,
                                                            int column,
                                                            const OutlineGanttChartRowPtr& byItem) {
  if (!byItem) return {};
  if (column == 0) return QString::fromStdString(byItem->label().value_or(""));
  if (byItem->chartItems().empty()) return {};
  // The row's span and, for a task, its completion.
  Time start = byItem->chartItems().front()->start();
  Time finish = byItem->chartItems().front()->finish();
  for (const auto& item : byItem->chartItems()) {
    start = std::min(start, item->start());
    finish = std::max(finish, item->finish());
  }
  const OutlineGanttChartItemPtr& first = byItem->chartItems().front();
  switch (column) {
    case kStartColumn:
      return shortDay(start, firstYear_);
    case kFinishColumn:
      return shortDay(finish, firstYear_);
    case 3:
      // Only a task has work of its own to be done. The plan leaves
      // summaries and milestones at 0, which would read as nothing done
      // beside tasks that are.
      if (first->type() != GanttChartItemType::standard) return {};
      return QString("%1%").arg(std::lround(first->completion() * 100));
    default:
      return {};
  }
}

std::vector<OutlineGanttChartDependencyPtr> DemoOutlineSource::outlineGanttChartDependenciesFor(
    OutlineGanttChart& /*chart*/, const std::vector<OutlineGanttChartItemPtr>& items) {
  // The links leaving the items shown; the chart leaves out those whose
  // successor it does not show.
  std::vector<OutlineGanttChartDependencyPtr> result;
  for (const auto& item : items) {
    const auto found = outgoing_.find(item.get());
    if (found != outgoing_.end()) {
      result.insert(result.end(), found->second.begin(), found->second.end());
    }
  }
  return result;
}

// --- The chart -----------------------------------------------------------------------

TimeRange DemoOutlineChart::preferredTimeline() {
  std::optional<TimeRange> span;
  for (const OutlineGanttChartRowPtr& row : outlineItems()) {
    if (!row) continue;
    for (const OutlineGanttChartItemPtr& item : row->chartItems()) {
      if (!item) continue;
      const Time start = std::min(item->start(), item->finish());
      const Time finish = std::max(item->start(), item->finish());
      if (!span) {
        span = TimeRange(start, finish);
      } else {
        span->start = std::min(span->start, start);
        span->finish = std::max(span->finish, finish);
      }
    }
  }
  if (!span) return OutlineGanttChart::preferredTimeline();
  return timeline_.around(*span);
}

// --- The scene -----------------------------------------------------------------------

DemoOutlineScene makeDemoOutlineScene(const Time& today) {
  DemoOutlineScene scene;
  DemoPlanShape shape;
  shape.start = today.weekStart().addingWeeks(-2);
  shape.now = today;
  scene.plan = makeDemoPlan(shape);
  scene.source = std::make_shared<DemoOutlineSource>(scene.plan);
  return scene;
}

void showDemoOutline(OutlineGanttChart& chart, const DemoOutlineScene& scene,
                     const DemoOptions& options) {
  chart.outlineModel()->setColumnTitles(DemoOutlineSource::columnTitles());
  chart.setSchedule(scene.plan.calendar);
  // The main window's header, rows and zoom; the outline's header area is
  // padded to match.
  chart.ganttChartHeaderController()->setRows(
      GanttChartHeaderController::create(std::nullopt)->rows());
  configureDemoHeader(*chart.ganttChartHeaderController());
  decorateDemoControllers(scene.plan, *chart.ganttChartHeaderController(),
                          *chart.ganttChartContentController());
  chart.ganttChartController()->setTheme(options.theme);
  // The plan's rules, those of the main window: the outline's hierarchy,
  // successors following with the plan's lags, an edited task kept behind
  // its own predecessors, the last milestone's latest finish. Every displayed row takes part, not only those in view, so a
  // move reaches successors scrolled out of sight.
  chart.setBehavior(scene.source->makeBehavior());
  chart.setAreOutOfRowRangeItemsAvailable(true);
  selectOnClickActivateOnDoubleClick(*chart.ganttChart());
  chart.setDataSource(scene.source);
  QTreeView* tree = chart.outlineView();
  // Every row open, as the main window shows them. A collapsed row's items
  // are not in the chart, so edits do not reach them.
  tree->expandAll();
  chart.synchronizeOutlineItems();
  // Each column as wide as its widest cell or title, and room for them all
  // beside the tree's frame and scroll bar; the chart takes the rest, and
  // the outline keeps its width when the window is resized.
  for (int column = 0; column < tree->header()->count(); ++column) {
    tree->resizeColumnToContents(column);
  }
  // A day an edit moves out of the plan's first year is spelled with its
  // year: its column widens to show it whole. It never narrows, so that the
  // columns stand still through a drag. A drag step reloads every row it
  // moves: each text is measured once, as asking the delegate for every
  // cell at every step would cost more than the step itself.
  const auto widths = std::make_shared<QHash<QString, int>>();
  QObject::connect(
      chart.outlineModel(), &QAbstractItemModel::dataChanged, tree,
      [tree, widths](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
        for (int column = std::max(topLeft.column(), kStartColumn);
             column <= std::min(bottomRight.column(), kFinishColumn); ++column) {
          int needed = 0;
          for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
            const QModelIndex cell = topLeft.siblingAtRow(row).siblingAtColumn(column);
            const QString text = cell.data().toString();
            auto width = widths->find(text);
            if (width == widths->end()) {
              // Days are few, but a long session should not keep them all.
              if (widths->size() >= 4096) widths->clear();
              width = widths->insert(text, tree->sizeHintForIndex(cell).width());
            }
            needed = std::max(needed, *width);
          }
          if (needed > tree->header()->sectionSize(column)) {
            tree->header()->resizeSection(column, needed);
          }
        }
      });
  const int outlineWidth = tree->header()->length() + 2 * tree->frameWidth() +
                           tree->verticalScrollBar()->sizeHint().width();
  QSplitter* split = chart.splitView();
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({outlineWidth, std::max(chart.width() - outlineWidth, 200)});
  chart.ganttChartContentController()->scrollVisibleTimelineToStartOn(
      scene.plan.span.start.addingDays(-2));
}

std::unique_ptr<DemoOutlineChart> makeOffscreenOutlineChart(const DemoOutlineScene& scene,
                                                            const DemoOptions& options) {
  auto chart = std::make_unique<DemoOutlineChart>();
  showOffscreen(*chart, options.size);
  showDemoOutline(*chart, scene, options);
  QApplication::processEvents();
  return chart;
}

std::string describeDemoOutline(const DemoOutlineScene& scene, OutlineGanttChart& chart) {
  std::ostringstream out;
  out << "The plan's " << scene.plan.items.size() << " items as an outline of "
      << scene.source->rowCount() << " rows under " << scene.source->rootRows().size()
      << " phases, with " << scene.source->dependencyCount() << " dependencies; "
      << chart.outlineItems().size()
      << " rows shown, all expanded as in the main window, under the same rules: summaries "
         "follow their children, successors follow their predecessors with the lags (a moved "
         "task stays behind its own), and the last milestone has a latest finish. Collapse a row in the outline or double-click a "
         "summary bar; drag a task to move it and its successors.\n";
  return out.str();
}

// --- The window ------------------------------------------------------------------------

DemoOutlineWindow::DemoOutlineWindow(DemoOutlineScene scene, const DemoOptions& options)
    : scene_(std::move(scene)), chart_(new DemoOutlineChart(this)) {
  setWindowTitle(QString("Vorlent demo: outline of %1 items").arg(scene_.plan.items.size()));
  setCentralWidget(chart_);
  resize(options.size);
  QMenu* file = menuBar()->addMenu("&File");
  QAction* exporting = file->addAction("&Export picture...", this, [this] { exportImage(); });
  exporting->setShortcut(QKeySequence("Ctrl+E"));
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });
  addDemoViewMenu(*this, chart_->ganttChartController(), options);
  showDemoOutline(*chart_, scene_, options);
  showDemoHelp(*this,
               "Collapse and expand rows in the outline or double-click a summary bar; click a "
               "bar to select it, drag it to move or resize it; right-click a link to delete it; "
               "drag the header to zoom. Ctrl+T: next theme, Ctrl+D: light or dark.");
  linkEditor_ = refuseLinksClosingLoops(
      *this, *chart_->ganttChartContentController(),
      [host = std::weak_ptr<DemoOutlineSource>(scene_.source)](const GanttChartItemPtr& from,
                                                               const GanttChartItemPtr& to) {
        const auto source = host.lock();
        const auto fromItem = from ? outlineGanttChartItemOf(*from) : nullptr;
        const auto toItem = to ? outlineGanttChartItemOf(*to) : nullptr;
        return source && source->leadsTo(fromItem.get(), toItem.get());
      });
}

void DemoOutlineWindow::exportImage() {
  saveDemoPicture(*this, chart_->imageData(), "vorlent-outline.png");
}

}  // namespace vorlent::examples
