// The demo's picture, made as the program makes it without a display, read
// back from its file and compared with where the chart controller puts each
// bar.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "examples/demo_app.h"
#include "examples/demo_outline.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_model.h"
#include "vorlent/base/clock.h"
#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent::examples {
namespace {

// Halfway between a bar's top and bottom colours (its vertical gradient's
// middle), laid over `under`.
QColor halfwayOver(const Color& top, const Color& bottom, const QColor& under) {
  const QColor a = toQt(top);
  const QColor b = toQt(bottom);
  const double alpha = (a.alphaF() + b.alphaF()) / 2;
  const auto blend = [&](double first, double second, double below) {
    return (first + second) / 2 * alpha + below * (1 - alpha);
  };
  return QColor::fromRgbF(static_cast<float>(blend(a.redF(), b.redF(), under.redF())),
                          static_cast<float>(blend(a.greenF(), b.greenF(), under.greenF())),
                          static_cast<float>(blend(a.blueF(), b.blueF(), under.blueF())));
}

bool isNear(const QColor& actual, const QColor& expected, int tolerance) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// Every link of the plan keeps its lag between the items `itemAt` gives
// for plan indexes, in working time: a bar's finish at 16:00 and a limit at
// 8:00 the next morning are the same moment.
template <class ItemAt>
void expectLagsHold(const DemoPlan& plan, const ItemAt& itemAt) {
  const ScheduleDefinition& calendar = *plan.calendar;
  for (const DemoPlanLink& link : plan.links) {
    const GanttChartItemPtr from = itemAt(size_t(link.from));
    const GanttChartItemPtr to = itemAt(size_t(link.to));
    ASSERT_TRUE(from && to);
    const bool fromFinish = link.type == GanttChartDependencyType::fromFinishToStart ||
                            link.type == GanttChartDependencyType::fromFinishToFinish;
    const bool toStart = link.type == GanttChartDependencyType::fromFinishToStart ||
                         link.type == GanttChartDependencyType::fromStartToStart;
    const double slack =
        calendar.duration(calendar.finish(fromFinish ? from->finish() : from->start(), link.lag),
                          toStart ? to->start() : to->finish());
    EXPECT_GE(slack, 0) << from->label().value_or("") << " -> " << to->label().value_or("");
  }
}

// The point of the chart area's canvas on `item`'s bar, on its middle line
// at `along` of its width (0 its start, 1 its finish).
QPointF pointOnBar(GanttChartContent& view, const GanttChartItemPtr& item, double along) {
  const Rectangle bar = view.controller()->bounds(item);
  return view.scrollView()->viewportPoint(
      QPointF(bar.origin.x + bar.size.width * along, bar.origin.y + bar.size.height / 2));
}

// Scrolls `item` into view and drags its bar with the mouse by `days`
// calendar days of the chart (negative: earlier), grabbed at `along` of its
// width.
void dragBar(GanttChart& chart, const GanttChartItemPtr& item, double along, double days) {
  GanttChartContent& view = *chart.content();
  const GanttChartContentControllerPtr content = view.controller();
  ASSERT_TRUE(content && item);
  content->scrollVisibleTimelineToStartOn(item->start().addingDays(-3));
  content->scrollVertically(item->row(), 100.0);
  QCoreApplication::processEvents();
  const QPointF grab = pointOnBar(view, item, along);
  ASSERT_TRUE(view.canvas()->rect().contains(grab.toPoint()));
  const double day = content->x(item->start().addingDays(1)) - content->x(item->start());
  vorlent::testing::SyntheticMouse mouse(view.canvas());
  mouse.drag(grab, grab + QPointF(day * days, 0), 8);
  QCoreApplication::processEvents();
}

// Scrolls `from` into view and draws a link with the mouse from its finish
// to the start of `to`: the link thumb just past `from`'s end (which the
// pointer resting there shows, in an active window) is pressed and released
// over the first part of `to`'s bar.
void drawLink(GanttChart& chart, const GanttChartItemPtr& from, const GanttChartItemPtr& to) {
  GanttChartContent& view = *chart.content();
  const GanttChartContentControllerPtr content = view.controller();
  ASSERT_TRUE(content && from && to);
  content->scrollVisibleTimelineToStartOn(std::min(from->start(), to->start()).addingDays(-3));
  content->scrollVertically(from->row(), 100.0);
  QCoreApplication::processEvents();
  const Rectangle source = content->bounds(from);
  const Point resting(source.right() + 3, source.origin.y + source.size.height / 2);
  ASSERT_TRUE(content->showDependencyLineThumb(resting));
  const QPointF thumb = view.scrollView()->viewportPoint(QPointF(resting.x, resting.y));
  const QPointF target = pointOnBar(view, to, 0.1);
  ASSERT_TRUE(view.canvas()->rect().contains(thumb.toPoint()));
  ASSERT_TRUE(view.canvas()->rect().contains(target.toPoint()));
  vorlent::testing::SyntheticMouse mouse(view.canvas());
  mouse.drag(thumb, target, 4);
  QCoreApplication::processEvents();
}

// Whether `manager` holds a link from `from` to `to`.
bool linked(GanttChartItemManager& manager, const GanttChartItemPtr& from,
            const GanttChartItemPtr& to) {
  const GanttChartDependencyList links = manager.availableDependencies();
  return std::any_of(links.begin(), links.end(), [&](const GanttChartDependencyPtr& link) {
    return link->from() == from && link->to() == to;
  });
}

// The plan index of the item labelled `label` (the first one).
size_t planIndex(const DemoPlan& plan, const std::string& label) {
  size_t i = 0;
  while (i < plan.items.size() && plan.items[i].label != label) ++i;
  return i;
}

// Triggers the window's menu action of that text (without its mnemonic);
// false when there is none.
bool triggerAction(QWidget& window, const QString& text) {
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->text().remove('&') == text) return action->trigger(), true;
  }
  return false;
}

// The outline window, shown offscreen, with the plan and the host it
// shows.
struct OutlineWindow {
  OutlineWindow(const Time& today, const DemoOptions& options) {
    DemoOutlineScene scene = makeDemoOutlineScene(today);
    plan = scene.plan;
    source = scene.source;
    window = std::make_unique<DemoOutlineWindow>(std::move(scene), options);
    showOffscreen(*window, options.size);
    QCoreApplication::processEvents();
  }
  OutlineGanttChart& chart() const { return window->chart(); }
  // The chart's twin of the plan's item at `i`.
  GanttChartItemPtr twin(size_t i) const { return chart().ganttChartItem(source->items()[i]); }

  DemoPlan plan;
  std::shared_ptr<DemoOutlineSource> source;
  std::unique_ptr<DemoOutlineWindow> window;
};

// The main window and the outline window over the same plan, shown
// offscreen at 1400 x 800, with the plan index of the first package's
// "Draft", which follows its "Plan".
struct BothWindows {
  explicit BothWindows(const DemoOptions& options)
      : BothWindows(makeDemoScene(*options.today), atDemoSize(options)) {}
  BothWindows(DemoScene scene, const DemoOptions& options)
      : items(scene.project.items),
        source(scene.project.source),
        main(std::make_unique<DemoWindow>(std::move(scene), options)),
        outline(*options.today, options),
        draft(planIndex(outline.plan, "Draft")) {
    showOffscreen(*main, options.size);
    EXPECT_TRUE(draft > 0 && draft < outline.plan.items.size() &&
                outline.plan.items[draft - 1].label == "Plan");
  }

  static DemoOptions atDemoSize(DemoOptions options) {
    options.size = QSize(1400, 800);
    return options;
  }

  std::vector<GanttChartItemPtr> items;
  std::shared_ptr<GanttChartItemSource> source;
  std::unique_ptr<DemoWindow> main;
  OutlineWindow outline;
  size_t draft;
};

class DemoPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(directory.isValid());
    options.today = Time::fromYearMonthDay(2026, 3, 4, 12, 0, 0);
    options.output = directory.filePath("demo.png").toStdString();
    options.size = QSize(1200, 700);
  }

  QTemporaryDir directory;
  DemoOptions options;
  ScopedClock clock{makeDate(Time::fromYearMonthDay(2026, 3, 4, 12, 0, 0))};
};

TEST_F(DemoPicture, ShowsEveryTaskBarWhereTheControllerPutsIt) {
  const DemoScene scene = makeDemoScene(*options.today);
  const auto chart = makeOffscreenChart(scene, options);
  const std::optional<std::string> written = writeDemoImage(*chart, options);
  ASSERT_TRUE(written.has_value());
  const QImage picture(QString::fromStdString(*written), "png");
  ASSERT_EQ(picture.size(), QSize(1200, 700));

  const auto& content = scene.controller->contentController();
  const GanttChartContentBaseStyle& style = content->actualStyle();
  const QRect area(chart->content()->pos(), chart->content()->scrollView()->viewport()->size());
  int checked = 0;
  int matching = 0;
  for (const GanttChartItemPtr& item : scene.project.items) {
    if (item->type() != GanttChartItemType::standard) continue;
    // Near the bar's right end, on its middle line: right of its label, and
    // on its completion only when it is done.
    const Rectangle bounds = content->bounds(item);
    if (bounds.size.width < 12) continue;
    const QPointF document(bounds.right() - 5, bounds.origin.y + bounds.size.height / 2);
    const QPoint at =
        (chart->content()->scrollView()->viewportPoint(document) + QPointF(area.topLeft()))
            .toPoint();
    if (!area.adjusted(0, 0, -1, -1).contains(at)) continue;
    // The bar's translucent colours let little of the light rows through:
    // white stands for any of them.
    QColor expected =
        halfwayOver(style.secondaryBarFillColorFor(item), style.barFillColorFor(item), Qt::white);
    if (item->completion() >= 1) {
      expected = halfwayOver(style.secondaryCompletionBarFillColorFor(item),
                             style.completionBarFillColorFor(item), expected);
    }
    ++checked;
    if (isNear(picture.pixelColor(at), expected, 6)) ++matching;
  }
  EXPECT_GE(checked, 12) << "the first weeks of the plan are in view";
  // A dependency line or the line of the current moment may cross a point.
  EXPECT_GE(matching, checked * 9 / 10) << matching << " of " << checked << " bars";
}

TEST_F(DemoPicture, TheSummaryTellsWhatThePictureShows) {
  const DemoScene scene = makeDemoScene(*options.today);
  const auto chart = makeOffscreenChart(scene, options);
  const std::string summary = describeDemo(scene, *chart);
  EXPECT_NE(summary.find("5 phases over 25 work packages"), std::string::npos) << summary;
  EXPECT_NE(summary.find("finish-to-start"), std::string::npos);
  EXPECT_NE(summary.find("start-to-finish"), std::string::npos);
  EXPECT_NE(summary.find("Wed 4 Mar 2026"), std::string::npos) << "now";
  EXPECT_NE(summary.find("1200 x 700"), std::string::npos);
}

TEST_F(DemoPicture, TheWindowSwitchesThemesAndAppearanceFromItsMenus) {
  DemoWindow window(makeDemoScene(*options.today), options);
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.show();
  const GanttChartControllerPtr controller = window.chart().controller();
  ASSERT_NE(controller, nullptr);
  const auto trigger = [&](const QString& text) { return triggerAction(window, text); };
  ASSERT_TRUE(trigger("Next theme"));
  EXPECT_EQ(controller->theme(), Theme::aqua());
  ASSERT_TRUE(trigger("Jewel"));
  EXPECT_EQ(controller->theme(), Theme::jewel());
  ASSERT_TRUE(trigger("Switch light and dark"));
  QCoreApplication::processEvents();  // palette changes reach widgets as events
  EXPECT_EQ(controller->contentController()->actualMode(), Mode::dark);
  EXPECT_EQ(controller->headerController()->actualMode(), Mode::dark);
  ASSERT_TRUE(trigger("Platform"));
  QCoreApplication::processEvents();
  EXPECT_EQ(controller->contentController()->actualMode(), Mode::light);
  const double zoom = controller->contentController()->zoom();
  ASSERT_TRUE(trigger("Zoom in"));
  EXPECT_GT(controller->contentController()->zoom(), zoom) << "the chart area follows the header";
  ASSERT_TRUE(trigger("Go to today"));
  EXPECT_TRUE(controller->contentController()->visibleTimeline().contains(Time::current()));
}

// Zooming from the menu keeps the time at the middle of the chart area where
// it was, as zooming by dragging the header keeps it.
TEST_F(DemoPicture, ZoomingFromTheMenuKeepsTheTimeInTheMiddle) {
  DemoWindow window(makeDemoScene(*options.today), options);
  showOffscreen(window, options.size);
  const auto& content = window.chart().controller()->contentController();
  ASSERT_TRUE(triggerAction(window, "Go to today"));
  const Time middle = content->visibleTimelineCenter();
  for (const QString& zoom :
       QStringList{"Zoom in", "Zoom in", "Zoom out", "Zoom out", "Zoom out"}) {
    const double before = content->zoom();
    ASSERT_TRUE(triggerAction(window, zoom));
    QCoreApplication::processEvents();
    EXPECT_NE(content->zoom(), before) << zoom.toStdString();
    // Within a pixel or two at the zoom now in force.
    EXPECT_NEAR(content->x(content->visibleTimelineCenter()), content->x(middle), 2)
        << zoom.toStdString();
  }
}

// Zoomed out as far as it goes the window shows the whole plan, and the
// header switches its rows with the zoom: months over weeks, weeks over days,
// days over hours.
TEST_F(DemoPicture, ZoomReachesTheWholePlanAndTheHeaderFollows) {
  options.size = QSize(1400, 800);
  const DemoScene scene = makeDemoScene(*options.today);
  DemoWindow window(makeDemoScene(*options.today), options);
  showOffscreen(window, options.size);
  const GanttChartControllerPtr controller = window.chart().controller();
  const auto& header = controller->headerController();
  const auto labels = [&](size_t row) {
    std::vector<std::string> texts;
    for (const GanttChartHeaderCell& cell : header->cells()) {
      const int64_t cellRow = header->row(cell.area.bounds.origin.y + 1);
      if (cellRow == int64_t(row) && cell.area.label) texts.push_back(*cell.area.label);
    }
    return texts;
  };
  const auto has = [](const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  };
  ASSERT_TRUE(triggerAction(window, "Go to today"));
  EXPECT_TRUE(has(labels(1), "Wed 4")) << "weeks over days at first";
  for (int step = 0; step < 40; ++step) triggerAction(window, "Zoom out");
  QCoreApplication::processEvents();
  const TimeRange visible = controller->contentController()->visibleTimeline();
  EXPECT_FALSE(scene.plan.span.start < visible.start);
  EXPECT_FALSE(visible.finish < scene.plan.span.finish);
  EXPECT_TRUE(has(labels(0), "March 2026"));
  for (int step = 0; step < 80; ++step) triggerAction(window, "Zoom in");
  ASSERT_TRUE(triggerAction(window, "Go to today"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(has(labels(0), "Wednesday 4 March 2026"));
  EXPECT_TRUE(has(labels(1), "12"));
}

// Whether the window's status bar shows its help text (whose words include
// "drag"), as a message or as a label of its own.
bool showsHelp(QMainWindow& window) {
  if (window.statusBar()->currentMessage().contains("drag")) return true;
  for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) {
    if (label->isVisible() && label->text().contains("drag")) return true;
  }
  return false;
}

// The outline window has the main window's View menu, shows each outline
// column whole, and its status bar help comes back after a menu's tips.
TEST_F(DemoPicture, TheOutlineWindowHasTheViewMenuWholeColumnsAndItsHelp) {
  options.size = QSize(1400, 800);
  DemoOutlineWindow window(makeDemoOutlineScene(*options.today), options);
  showOffscreen(window, options.size);
  QCoreApplication::processEvents();
  const GanttChartControllerPtr controller = window.chart().ganttChartController();
  ASSERT_TRUE(triggerAction(window, "Jewel"));
  EXPECT_EQ(controller->theme(), Theme::jewel());
  const double zoom = controller->contentController()->zoom();
  ASSERT_TRUE(triggerAction(window, "Zoom in"));
  EXPECT_GT(controller->contentController()->zoom(), zoom);
  EXPECT_TRUE(triggerAction(window, "Go to today"));
  EXPECT_TRUE(triggerAction(window, "Switch light and dark"));
  EXPECT_TRUE(triggerAction(window, "Platform"));

  QTreeView* tree = window.chart().outlineView();
  for (int column = 0; column < tree->header()->count(); ++column) {
    EXPECT_LE(tree->header()->sectionViewportPosition(column) + tree->header()->sectionSize(column),
              tree->viewport()->width())
        << "column " << column;
    const QString title = DemoOutlineSource::columnTitles()[column];
    EXPECT_GE(tree->header()->sectionSize(column),
              tree->header()->fontMetrics().horizontalAdvance(title))
        << title.toStdString();
  }

  EXPECT_TRUE(showsHelp(window));
  QStatusTipEvent tip("Export the chart as a picture");
  QCoreApplication::sendEvent(&window, &tip);
  QStatusTipEvent none("");
  QCoreApplication::sendEvent(&window, &none);
  EXPECT_TRUE(showsHelp(window)) << "after a menu's tip";
}

// A task's tool tip tells its working days as they are now, after a resize
// from three to five days, in the main window and in the outline.
TEST_F(DemoPicture, ToolTipsFollowTheEdits) {
  const DemoScene scene = makeDemoScene(*options.today);
  const auto chart = makeOffscreenChart(scene, options);
  const DemoOutlineScene outlineScene = makeDemoOutlineScene(*options.today);
  const auto outline = makeOffscreenOutlineChart(outlineScene, options);
  const ScheduleDefinition& calendar = *scene.plan.calendar;
  size_t task = 0;
  while (scene.plan.items[task].kind != DemoItemKind::task ||
         scene.plan.items[task].duration != 3 * 8 * secondsPerHour) {
    ASSERT_LT(++task, scene.plan.items.size());
  }
  const GanttChartItemPtr item = scene.project.items[task];
  const GanttChartItemPtr twin = outline->ganttChartItem(outlineScene.source->items()[task]);
  ASSERT_TRUE(twin);
  const auto tip = [](GanttChart& view, const GanttChartItemPtr& of) {
    return view.content()->toolTip(of).value_or("");
  };
  EXPECT_NE(tip(*chart, item).find("3 working days"), std::string::npos) << tip(*chart, item);
  const Time finish = calendar.finish(item->start(), 5 * 8 * secondsPerHour);
  scene.project.source->updateDurationToFinishOn(item, finish, true);
  outline->ganttChartItemManager()->updateDurationToFinishOn(twin, finish, true);
  EXPECT_NE(tip(*chart, item).find("5 working days"), std::string::npos) << tip(*chart, item);
  EXPECT_NE(tip(*outline->ganttChart(), twin).find("5 working days"), std::string::npos)
      << tip(*outline->ganttChart(), twin);
  // Shrunk to no working time, it has nothing left to do, and the library
  // counts it complete; the tip does not call it done.
  scene.project.source->updateDurationToFinishOn(item, item->start(), true);
  ASSERT_EQ(calendar.duration(item->start(), item->finish()), 0);
  EXPECT_EQ(tip(*chart, item).find("done"), std::string::npos) << tip(*chart, item);
}

// In the outline window a single click on a summary bar selects it and a
// double-click folds its row, once.
TEST_F(DemoPicture, TheOutlineWindowFoldsASummaryOnADoubleClickNotOnAClick) {
  options.size = QSize(1400, 800);
  const OutlineWindow window(*options.today, options);
  const size_t package = planIndex(window.plan, "1.1 Requirements");
  ASSERT_LT(package, window.plan.items.size());
  OutlineGanttChart& chart = window.chart();
  const GanttChartItemPtr bar = window.twin(package);
  ASSERT_TRUE(bar);
  const int64_t row = bar->row();
  const auto expanded = [&] {
    return chart.outlineView()->isExpanded(chart.outlineModel()->indexOfDisplayedRow(row));
  };
  ASSERT_TRUE(expanded());
  GanttChartContent& view = *chart.ganttChart()->content();
  const QPointF at = pointOnBar(view, bar, 0.5);
  ASSERT_TRUE(view.canvas()->rect().contains(at.toPoint()));
  vorlent::testing::SyntheticMouse mouse(view.canvas());
  mouse.click(at);
  QCoreApplication::processEvents();
  EXPECT_TRUE(expanded()) << "after a click";
  mouse.wait(5000);
  mouse.click(at);
  mouse.doubleClickPress(at);
  mouse.release(at);
  QCoreApplication::processEvents();
  EXPECT_FALSE(expanded()) << "after a double-click";
}

// "Create item" makes a task of one working day that the mouse can move and
// resize like any other.
TEST_F(DemoPicture, ACreatedTaskCanBeDraggedAndResized) {
  options.size = QSize(1400, 800);
  DemoWindow window(makeDemoScene(*options.today), options);
  showOffscreen(window, options.size);
  const GanttChartContentControllerPtr content = window.chart().content()->controller();
  const auto& manager = content->itemManager();
  const ScheduleDefinition& calendar = *manager->schedule();
  const Time monday = Time::fromYearMonthDay(2026, 3, 9, 8, 0, 0);
  content->addNewItem(4, monday, false);
  GanttChartItemPtr created;
  for (const GanttChartItemPtr& item : manager->availableItems()) {
    if (item->start() == monday && item->row() == 4) created = item;
  }
  ASSERT_TRUE(created);
  EXPECT_EQ(created->label(), "New task");
  EXPECT_EQ(calendar.duration(created->start(), created->finish()), 8 * secondsPerHour);
  const auto tip = [&] { return window.chart().content()->toolTip(created).value_or(""); };
  EXPECT_EQ(tip(), "New task: 1 working day, 0% done");

  dragBar(window.chart(), created, 0.5, 1);
  EXPECT_EQ(created->start(), monday.addingDays(1)) << "moved a day later";
  dragBar(window.chart(), created, 0.9, 1);
  EXPECT_EQ(created->start(), monday.addingDays(1));
  EXPECT_EQ(calendar.duration(created->start(), created->finish()), 16 * secondsPerHour)
      << "a day longer";
  EXPECT_EQ(tip(), "New task: 2 working days, 0% done");

  content->addNewItem(4, monday, true);
  const GanttChartItemList items = manager->availableItems();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [&](const GanttChartItemPtr& item) {
    return item->type() == GanttChartItemType::milestone && item->label() == "New milestone" &&
           item->start() == monday;
  }));
}

// The outline's "Done" column tells how far tasks are done; summaries and
// milestones have no work of their own to be done, so it is left empty.
TEST_F(DemoPicture, TheOutlineTellsDoneOnlyOfTasks) {
  const OutlineWindow window(*options.today, options);
  DemoOutlineSource& source = *window.source;
  OutlineGanttChart& chart = window.chart();
  const OutlineGanttChartRowPtr phase = source.rootRows().front();
  const OutlineGanttChartRowPtr package = source.outlineGanttChartChild(chart, 0, phase);
  ASSERT_TRUE(package);
  const int64_t rows = source.outlineGanttChartNumberOfChildrenOfItem(chart, package);
  const OutlineGanttChartRowPtr firstTask = source.outlineGanttChartChild(chart, 0, package);
  const OutlineGanttChartRowPtr milestone = source.outlineGanttChartChild(chart, rows - 1, package);
  ASSERT_TRUE(firstTask && milestone);
  ASSERT_EQ(milestone->chartItems().front()->type(), GanttChartItemType::milestone);
  const auto done = [&](const OutlineGanttChartRowPtr& row) {
    return source.outlineGanttChartObjectValueFor(chart, 3, row).toString().toStdString();
  };
  EXPECT_EQ(done(firstTask), "100%") << "done before today";
  EXPECT_EQ(done(phase), "");
  EXPECT_EQ(done(package), "");
  EXPECT_EQ(done(milestone), "");
}

// The outline's host keeps the links the user deletes or draws in the
// chart: a deleted one does not come back and a drawn one stays.
TEST_F(DemoPicture, TheOutlineKeepsLinksDeletedOrDrawnInTheChart) {
  const OutlineWindow window(*options.today, options);
  OutlineGanttChart& chart = window.chart();
  const auto& manager = chart.ganttChartItemManager();
  const auto linked = [&](const GanttChartItemPtr& from, const GanttChartItemPtr& to) {
    const GanttChartDependencyList links = manager->availableDependencies();
    return std::any_of(links.begin(), links.end(), [&](const GanttChartDependencyPtr& link) {
      return link->from() == from && link->to() == to;
    });
  };
  const size_t draft = planIndex(window.plan, "Draft");
  const size_t test = planIndex(window.plan, "Test");
  ASSERT_LT(test, window.plan.items.size());
  const GanttChartItemPtr plan = window.twin(draft - 1);
  const GanttChartItemPtr task = window.twin(draft);
  ASSERT_TRUE(linked(plan, task));
  ASSERT_FALSE(linked(task, window.twin(test)));
  const GanttChartDependencyList links = manager->availableDependencies();
  for (const GanttChartDependencyPtr& link : links) {
    if (link->from() == plan && link->to() == task) manager->removeDependency(link);
  }
  chart.reloadData();
  EXPECT_FALSE(linked(window.twin(draft - 1), window.twin(draft))) << "deleted";
  manager->addNewDependency(window.twin(draft), window.twin(test),
                            GanttChartDependencyType::fromStartToStart);
  chart.reloadData();
  EXPECT_TRUE(linked(window.twin(draft), window.twin(test))) << "drawn";
}

// Draft waits for Plan to finish: dragged a day earlier in either window, it
// stays where Plan's finish lets it start, and no link runs backwards.
TEST_F(DemoPicture, ATaskDraggedBeforeItsPredecessorStaysBehindIt) {
  const BothWindows both(options);
  const DemoPlan& plan = both.outline.plan;
  const size_t draft = both.draft;
  ASSERT_LT(draft, plan.items.size());

  const auto checkDraggingEarlier = [&](GanttChart& chart, const auto& itemAt) {
    const GanttChartItemPtr task = itemAt(draft);
    const TimeRange before = task->time();
    dragBar(chart, task, 0.5, -1);
    EXPECT_EQ(task->time(), before);
    EXPECT_EQ(plan.calendar->duration(itemAt(draft - 1)->finish(), task->start()), 0);
    expectLagsHold(plan, itemAt);
  };
  checkDraggingEarlier(both.main->chart(), [&](size_t i) { return both.items[i]; });
  checkDraggingEarlier(*both.outline.chart().ganttChart(),
                       [&](size_t i) { return both.outline.twin(i); });
}

// In either window a link drawn back from Draft to Plan, which leads to it,
// is refused, and the status bar says why. Drawn again after the user
// deleted it and moved Draft before Plan's finish, the link from Plan puts
// Draft back behind Plan at once, in the outline window as in the main one.
TEST_F(DemoPicture, DrawnLinksThatCloseALoopAreRefusedAndOthersPlaceTheirSuccessor) {
  const BothWindows both(options);
  const DemoPlan& plan = both.outline.plan;
  const size_t draft = both.draft;
  ASSERT_LT(draft, plan.items.size());

  const auto check = [&](QMainWindow& shown, GanttChart& chart, GanttChartItemManager& manager,
                         const auto& itemAt) {
    const GanttChartItemPtr first = itemAt(draft - 1);
    const GanttChartItemPtr second = itemAt(draft);
    const size_t links = manager.availableDependencies().size();
    std::vector<TimeRange> before;
    for (size_t i = 0; i < plan.items.size(); ++i) before.push_back(itemAt(i)->time());
    drawLink(chart, second, first);
    EXPECT_FALSE(linked(manager, second, first));
    EXPECT_EQ(manager.availableDependencies().size(), links);
    for (size_t i = 0; i < plan.items.size(); ++i) {
      EXPECT_EQ(itemAt(i)->time(), before[i]) << plan.items[i].label;
    }
    const QString told = shown.statusBar()->currentMessage();
    EXPECT_TRUE(told.contains("Plan already leads to Draft") && told.contains("loop"))
        << told.toStdString();

    for (const GanttChartDependencyPtr& link : manager.availableDependencies()) {
      if (link->from() == first && link->to() == second) {
        chart.content()->controller()->removeDependency(link);
      }
    }
    ASSERT_FALSE(linked(manager, first, second));
    dragBar(chart, second, 0.5, -1);
    ASSERT_LT(second->start(), first->finish()) << "moved before Plan's end";
    drawLink(chart, first, second);
    EXPECT_TRUE(linked(manager, first, second));
    EXPECT_EQ(plan.calendar->duration(first->finish(), second->start()), 0)
        << "behind Plan again";
    expectLagsHold(plan, itemAt);
  };
  check(*both.main, both.main->chart(), *both.source, [&](size_t i) { return both.items[i]; });
  check(*both.outline.window, *both.outline.chart().ganttChart(),
        *both.outline.chart().ganttChartItemManager(),
        [&](size_t i) { return both.outline.twin(i); });
  for (size_t i = 0; i < plan.items.size(); ++i) {
    EXPECT_EQ(both.outline.twin(i)->time(), both.items[i]->time()) << plan.items[i].label;
  }
}

// Links that would close a loop through a summary and what it contains are
// refused in either window, and the status bar says why: from 1.2's Plan to
// the 1.1 summary, whose own Plan leads to it; between a summary and its
// own task or phase. Links on to later work are not.
TEST_F(DemoPicture, LinksClosingALoopThroughASummaryAreRefused) {
  const BothWindows both(options);
  const DemoPlan& plan = both.outline.plan;
  const size_t package = planIndex(plan, "1.1 Requirements");
  const size_t next = planIndex(plan, "1.2 Architecture");
  ASSERT_LT(next + 1, plan.items.size());
  ASSERT_EQ(plan.items[next + 1].label, "Plan");
  const size_t phase = size_t(plan.items[package].parent);

  const auto check = [&](QMainWindow& shown, GanttChart& chart, const auto& itemAt) {
    const std::shared_ptr<GanttChartContentEditor> editor = chart.content()->controller()->editor();
    ASSERT_TRUE(editor);
    const auto refused = [&](size_t from, size_t to) {
      shown.statusBar()->clearMessage();
      const bool allowed = editor->canAddNewDependency(
          itemAt(from), itemAt(to), GanttChartDependencyType::fromFinishToStart);
      EXPECT_EQ(allowed, !shown.statusBar()->currentMessage().contains("loop"));
      return !allowed;
    };
    EXPECT_TRUE(refused(next + 1, package)) << "1.2 Plan to 1.1";
    EXPECT_TRUE(refused(package, package + 1)) << "a summary to its own task";
    EXPECT_TRUE(refused(package + 1, package)) << "a task to its own summary";
    EXPECT_TRUE(refused(package + 1, phase)) << "a task to its phase";
    EXPECT_TRUE(refused(phase, next + 1)) << "a phase to a task it contains";
    EXPECT_FALSE(refused(package + 1, next)) << "to a later package";
    EXPECT_FALSE(refused(package + 1, package + 3)) << "to a later task of its package";
  };
  check(*both.main, both.main->chart(), [&](size_t i) { return both.items[i]; });
  check(*both.outline.window, *both.outline.chart().ganttChart(),
        [&](size_t i) { return both.outline.twin(i); });
}

// Edits that move the plan past the ends of the chart's timeline take the
// timeline along in either window, and the header with it: the last task
// moved ten weeks past the plan's end and the first one four weeks before
// its start can be scrolled to.
TEST_F(DemoPicture, TheTimelineFollowsThePlanAsEditsMoveIt) {
  // Drives the drag's automatic scrolling.
  ScopedManualRunLoop loop;
  const BothWindows both(options);
  const DemoPlan& plan = both.outline.plan;
  const size_t first = planIndex(plan, "Plan");
  const size_t last = plan.items.size() - 2;
  ASSERT_EQ(plan.items[last].kind, DemoItemKind::task);

  const auto check = [&](GanttChart& chart, GanttChartItemManager& manager, const auto& itemAt) {
    const GanttChartControllerPtr controller = chart.controller();
    const auto& content = controller->contentController();
    manager.updateTime(itemAt(last), plan.span.finish.addingWeeks(10));
    manager.updateTime(itemAt(first), plan.span.start.addingWeeks(-4));
    QCoreApplication::processEvents();
    for (const size_t i : {first, last}) {
      const TimeRange moved = itemAt(i)->time();
      const TimeRange timeline = content->actualTimeline();
      EXPECT_FALSE(moved.start < timeline.start || timeline.finish < moved.finish)
          << plan.items[i].label;
      content->scrollVisibleTimelineToFinishOn(moved.finish);
      QCoreApplication::processEvents();
      EXPECT_TRUE(content->visibleTimeline().contains(moved.finish)) << plan.items[i].label;
      content->scrollVisibleTimelineToStartOn(moved.start);
      QCoreApplication::processEvents();
      EXPECT_TRUE(content->visibleTimeline().contains(moved.start)) << plan.items[i].label;
    }
    EXPECT_EQ(controller->headerController()->scrollableTimeline(), content->actualTimeline());

    // Held at the right edge, the last task goes on past where the timeline
    // ended when the drag began, and the view with it.
    const GanttChartItemPtr task = itemAt(last);
    content->scrollVisibleTimelineToStartOn(task->start().addingDays(-1));
    content->scrollVertically(task->row(), 100.0);
    QCoreApplication::processEvents();
    const Time end = content->actualTimeline().finish;
    GanttChartContent& view = *chart.content();
    const QPointF grab = pointOnBar(view, task, 0.5);
    const QPointF edge(view.canvas()->width() - 2, grab.y());
    vorlent::testing::SyntheticMouse mouse(view.canvas());
    mouse.press(grab);
    mouse.moveTo((grab + edge) / 2);
    mouse.moveTo(edge);
    for (int tick = 0; tick < 100; ++tick) {
      loop->advance(0.1);
      QCoreApplication::processEvents();
    }
    mouse.release(edge);
    QCoreApplication::processEvents();
    EXPECT_LT(end, task->start());
    EXPECT_TRUE(content->visibleTimeline().contains(task->start()));
  };
  check(both.main->chart(), *both.source, [&](size_t i) { return both.items[i]; });
  check(*both.outline.chart().ganttChart(), *both.outline.chart().ganttChartItemManager(),
        [&](size_t i) { return both.outline.twin(i); });
}

// The outline's Start and Finish cells tell the year of a day outside the
// plan's first year, and only there; a day moved into a later year widens
// its column as far as it needs.
TEST_F(DemoPicture, TheOutlineTellsTheYearOfDaysPastThePlansFirstYear) {
  const DemoOutlineScene scene =
      makeDemoOutlineScene(Time::fromYearMonthDay(2026, 11, 25, 12, 0, 0));
  const auto chart = makeOffscreenOutlineChart(scene, options);
  DemoOutlineSource& source = *scene.source;
  const auto cell = [&](int column, const OutlineGanttChartRowPtr& row) {
    return source.outlineGanttChartObjectValueFor(*chart, column, row).toString();
  };
  int withYear = 0;
  int withoutYear = 0;
  for (const OutlineGanttChartRowPtr& row : source.rootRows()) {
    for (int64_t i = 0; i < source.outlineGanttChartNumberOfChildrenOfItem(*chart, row); ++i) {
      const OutlineGanttChartRowPtr package = source.outlineGanttChartChild(*chart, i, row);
      for (const OutlineGanttChartRowPtr& shown : {row, package}) {
        const OutlineGanttChartItemPtr item = shown->chartItems().front();
        for (const auto& [column, day] : {std::pair{1, item->start()}, {2, item->finish()}}) {
          const QString text = cell(column, shown);
          if (day.year() == 2026) {
            ++withoutYear;
            EXPECT_FALSE(text.contains("2026")) << text.toStdString();
          } else {
            ++withYear;
            EXPECT_TRUE(text.contains(QString::number(day.year()))) << text.toStdString();
          }
        }
      }
    }
  }
  EXPECT_GT(withYear, 0);
  EXPECT_GT(withoutYear, 0);

  // A plan of one year, with a task pushed into the next.
  const OutlineWindow window(*options.today, options);
  const size_t task = planIndex(window.plan, "Draft");
  const GanttChartItemPtr twin = window.twin(task);
  window.chart().ganttChartItemManager()->updateTime(twin,
                                                    Time::fromYearMonthDay(2027, 1, 25, 8, 0, 0));
  QCoreApplication::processEvents();
  QTreeView* tree = window.chart().outlineView();
  const QModelIndex finish = window.chart().outlineModel()->indexOfDisplayedRow(twin->row())
                                 .siblingAtColumn(2);
  EXPECT_TRUE(finish.data().toString().contains("2027")) << finish.data().toString().toStdString();
  EXPECT_GE(tree->header()->sectionSize(2), tree->sizeHintForIndex(finish).width());
}

TEST(DemoOptionsTest, AreReadOrRefusedWithAReason) {
  const auto parse = [](QStringList arguments) {
    arguments.prepend("vorlent_demo");
    return parseDemoOptions(arguments);
  };
  const DemoOptions options = parse({"--date", "2024-02-29", "--size", "800x600", "--dark"});
  EXPECT_EQ(options.error, "");
  EXPECT_EQ(options.today, Time::fromYearMonthDay(2024, 2, 29, 12, 0, 0));
  EXPECT_EQ(options.size, QSize(800, 600));
  EXPECT_EQ(options.appearance, Mode::dark);
  for (const QStringList& garbage :
       {QStringList{"--date", "2023-02-29"}, QStringList{"--date", "2026-04-31"},
        QStringList{"--date", "2026-13-01"}, QStringList{"--size", "10x10"}, QStringList{"--theme"},
        QStringList{"--bogus"}, QStringList{"-platform", "none"}, QStringList{"--output", ""},
        QStringList{"-o"}}) {
    EXPECT_NE(parse(garbage).error, "") << garbage.join(' ').toStdString();
  }
}

// Arguments the demo does not know (Qt's own among them: a platform that
// does not exist would stop the program inside Qt) give the usage and a
// failing exit code, before any application object is made.
TEST(DemoProgram, UnknownArgumentsGiveTheUsageAndFail) {
  for (std::vector<std::string> garbage :
       {std::vector<std::string>{"vorlent_demo", "-platform", "nonexistent"},
        std::vector<std::string>{"vorlent_demo", "--bogus"},
        std::vector<std::string>{"vorlent_demo", "--date", "2023-02-31"}}) {
    std::vector<char*> argv;
    for (std::string& argument : garbage) argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::testing::internal::CaptureStderr();
    const int status = runDemo(static_cast<int>(garbage.size()), argv.data());
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2) << garbage[1];
    EXPECT_NE(told.find("Usage: vorlent_demo"), std::string::npos) << told;
  }
}

// Qt's offscreen and minimal platforms show no window anybody could close:
// there the demo draws its picture and ends, as without a display.
TEST(DemoProgram, TakesPlatformsThatShowNothingForNoDisplay) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  const QByteArray display = qgetenv("DISPLAY");
  const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
  qputenv("DISPLAY", ":0");
  qunsetenv("WAYLAND_DISPLAY");
  for (const char* nowhere : {"offscreen", "minimal", "offscreen:fontengine=freetype"}) {
    qputenv("QT_QPA_PLATFORM", nowhere);
    EXPECT_FALSE(hasDisplay()) << nowhere;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  EXPECT_TRUE(hasDisplay());
  qunsetenv("QT_QPA_PLATFORM");
  EXPECT_TRUE(hasDisplay()) << "DISPLAY";
  qunsetenv("DISPLAY");
  EXPECT_FALSE(hasDisplay());
  const auto restore = [](const char* name, const QByteArray& value) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  };
  restore("QT_QPA_PLATFORM", platform);
  restore("DISPLAY", display);
  restore("WAYLAND_DISPLAY", wayland);
}

TEST_F(DemoPicture, OutlineRowsLineUpWithTheChartRowsBesideThem) {
  const DemoOutlineScene scene = makeDemoOutlineScene(*options.today);
  const auto chart = makeOffscreenOutlineChart(scene, options);
  const std::optional<std::string> written = writeDemoImage(chart->imageData(), options);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(QImage(QString::fromStdString(*written), "png").size(), QSize(1200, 700));

  // Every row is open, as in the main window.
  const int64_t rows = chart->outlineModel()->numberOfRows();
  EXPECT_EQ(rows, scene.plan.rowCount);
  QTreeView* tree = chart->outlineView();
  StandardScrollView* chartScroll = chart->ganttChart()->content()->scrollView();
  const auto& content = chart->ganttChartContentController();
  for (int64_t r = 0; r < rows; ++r) {
    const OutlineGanttChartRowPtr row = chart->outlineModel()->item(r);
    ASSERT_TRUE(row);
    // Each bar of the row is on the same chart row...
    for (const auto& item : row->chartItems()) {
      ASSERT_TRUE(item->ganttChartItem());
      EXPECT_EQ(item->ganttChartItem()->row(), r);
    }
    // ...at the same height on screen.
    const QRect cell = tree->visualRect(chart->outlineModel()->indexOfDisplayedRow(r));
    const int outlineMiddle = tree->viewport()->mapTo(chart.get(), cell.center()).y();
    const QPointF chartPoint = chartScroll->viewportPoint(QPointF(0, content->middle(r)));
    const int chartMiddle =
        chartScroll->viewport()->mapTo(chart.get(), chartPoint.toPoint()).y();
    EXPECT_NEAR(outlineMiddle, chartMiddle, 1) << "row " << r;
  }
  const std::string summary = describeDemoOutline(scene, *chart);
  EXPECT_NE(summary.find("under 5 phases"), std::string::npos) << summary;
}

// Moves the first task of package 1.4 one day later, in the main window's
// plan and in the outline's: both plans stay the same, no item starts
// earlier than before and every link keeps its lag.
TEST_F(DemoPicture, TheOutlineFollowsThePlansRulesAsTheMainWindowDoes) {
  const DemoScene scene = makeDemoScene(*options.today);
  const DemoOutlineScene outlineScene = makeDemoOutlineScene(*options.today);
  const auto chart = makeOffscreenOutlineChart(outlineScene, options);
  const DemoPlan& plan = scene.plan;
  size_t moved = 0;
  while (plan.items[moved].kind != DemoItemKind::package ||
         plan.items[moved].label != "1.4 Backend") {
    ASSERT_LT(++moved, plan.items.size());
  }
  ++moved;  // its first task
  const auto twin = [&](size_t i) {
    return chart->ganttChartItem(outlineScene.source->items()[i]);
  };
  ASSERT_TRUE(twin(moved));
  std::vector<TimeRange> before;
  for (size_t i = 0; i < plan.items.size(); ++i) {
    before.push_back(twin(i) ? twin(i)->time() : TimeRange());
  }

  const Time later = before[moved].start.addingDays(1);
  scene.project.source->updateTime(scene.project.items[moved], later);
  chart->ganttChartItemManager()->updateTime(twin(moved), later);

  for (size_t i = 0; i < plan.items.size(); ++i) {
    ASSERT_TRUE(twin(i)) << plan.items[i].label << " is shown";
    EXPECT_EQ(twin(i)->time(), scene.project.items[i]->time()) << plan.items[i].label;
    EXPECT_FALSE(twin(i)->start() < before[i].start) << plan.items[i].label;
  }
  expectLagsHold(plan, twin);
}

// The outline window as a user has it: one task dragged a day later with
// the mouse moves no item earlier and leaves every link its lag.
TEST_F(DemoPicture, DraggingATaskInTheOutlineWindowKeepsThePlan) {
  options.size = QSize(1400, 800);
  const OutlineWindow window(*options.today, options);
  const DemoPlan& plan = window.plan;
  const auto twin = [&](size_t i) { return window.twin(i); };
  size_t moved = 0;
  while (plan.items[moved].kind != DemoItemKind::package ||
         plan.items[moved].label != "1.4 Backend") {
    ASSERT_LT(++moved, plan.items.size());
  }
  ++moved;  // its first task
  const GanttChartItemPtr task = twin(moved);
  ASSERT_TRUE(task);
  std::vector<TimeRange> before;
  for (size_t i = 0; i < plan.items.size(); ++i) before.push_back(twin(i)->time());
  dragBar(*window.chart().ganttChart(), task, 0.5, 1);

  EXPECT_EQ(plan.calendar->duration(before[moved].start, task->start()), 8 * secondsPerHour)
      << "one working day later";
  for (size_t i = 0; i < plan.items.size(); ++i) {
    EXPECT_FALSE(twin(i)->start() < before[i].start) << plan.items[i].label;
  }
  expectLagsHold(plan, twin);
}

TEST(DemoOptionsTest, OutlineSwitchAsksForTheOutlineChart) {
  EXPECT_TRUE(parseDemoOptions({"vorlent_demo", "--outline"}).outline);
  EXPECT_FALSE(parseDemoOptions({"vorlent_demo"}).outline);
}

TEST(DemoPlan, LinksEveryTypeWithLagsAndSchedulesEachTaskAfterItsPredecessors) {
  DemoPlanShape shape;
  shape.start = Time::fromYearMonthDay(2026, 3, 4, 12, 0, 0);
  const DemoPlan plan = makeDemoPlan(shape);
  EXPECT_EQ(plan.rowCount, static_cast<int64_t>(plan.items.size()));
  EXPECT_GE(plan.items.size(), 200U);
  const DemoLinkCounts counts = countLinks(plan);
  for (const int64_t count : counts.byType) EXPECT_GT(count, 0);
  EXPECT_GT(counts.withLag, 0);
  for (const DemoPlanLink& link : plan.links) {
    ASSERT_LT(link.from, link.to);
    const DemoPlanItem& from = plan.items[static_cast<size_t>(link.from)];
    const DemoPlanItem& to = plan.items[static_cast<size_t>(link.to)];
    const bool fromFinish = link.type == GanttChartDependencyType::fromFinishToStart ||
                            link.type == GanttChartDependencyType::fromFinishToFinish;
    const bool toStart = link.type == GanttChartDependencyType::fromFinishToStart ||
                         link.type == GanttChartDependencyType::fromStartToStart;
    const Time limit = plan.calendar->finish(fromFinish ? from.finish : from.start, link.lag);
    EXPECT_FALSE((toStart ? to.start : to.finish) < limit) << from.label << " -> " << to.label;
  }
  // A larger shape for the benchmark: rows of chained tasks, a hub, and an
  // exact number of links.
  const DemoPlan dense = makeDemoPlan(DemoPlanShape::dense(10, shape.start));
  EXPECT_EQ(dense.rowCount, 100);
  EXPECT_EQ(dense.items.size(), 1000U);
  EXPECT_EQ(dense.links.size(), 1000U);
  ASSERT_GE(dense.hub, 0);
}

// Bars start at the start of a working period and finish at the end of
// one, and the plan is what its own rules make of it: applying them all
// again moves nothing.
TEST(DemoPlan, LiesOnWorkingTimeWhereItsRulesPutIt) {
  DemoPlanShape shape;
  shape.start = Time::fromYearMonthDay(2026, 11, 25, 12, 0, 0);
  shape.now = shape.start.addingWeeks(2);
  const DemoPlan plan = makeDemoPlan(shape);
  const ScheduleDefinition& calendar = *plan.calendar;
  for (const DemoPlanItem& item : plan.items) {
    if (item.kind == DemoItemKind::milestone) continue;
    // At the start of a working period: working time follows, none comes
    // right before; at the end of one the other way round.
    EXPECT_EQ(calendar.nextTime(item.start), item.start) << item.label;
    EXPECT_NE(calendar.previousTime(item.start), item.start) << item.label;
    EXPECT_EQ(calendar.previousTime(item.finish), item.finish) << item.label;
    EXPECT_NE(calendar.nextTime(item.finish), item.finish) << item.label;
  }
  const DemoProject project = buildDemoProject(plan);
  project.source->applyBehavior();
  for (size_t i = 0; i < plan.items.size(); ++i) {
    EXPECT_EQ(project.items[i]->time(), TimeRange(plan.items[i].start, plan.items[i].finish))
        << plan.items[i].label << " on row " << plan.items[i].row;
  }
}

}  // namespace
}  // namespace vorlent::examples
