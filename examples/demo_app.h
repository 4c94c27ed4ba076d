#pragma once

// The demo program's parts: its options, the chart it shows, the window a
// user works in, and the picture it writes where no display is at hand.

#include <QByteArray>
#include <QMainWindow>
#include <QSize>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "examples/demo_links.h"
#include "examples/demo_project.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/style/theme.h"
#include "vorlent/time/time.h"

namespace vorlent {
class GanttChart;
class GanttChartContentController;
class GanttChartController;
}

namespace vorlent::examples {

struct DemoOptions {
  // Where the picture goes; empty: "vorlent-demo.png" beside the program.
  std::string output;
  // Write the picture even where a window could open.
  bool image = false;
  // The day taken as today (the clock is pinned to its noon), so that a
  // picture comes out the same on any day.
  std::optional<Time> today;
  QSize size{1400, 800};
  Theme theme = Theme::standard();
  // Absent: the platform's palette.
  std::optional<Mode> appearance;
  // Shows the plan as a task tree beside the chart.
  bool outline = false;
  bool help = false;
  // Why the arguments were not understood; empty when they were.
  std::string error;
};

[[nodiscard]] DemoOptions parseDemoOptions(const QStringList& arguments);
[[nodiscard]] std::string demoUsage();

// Whether Qt can show a window here: a platform other than Qt's offscreen
// and minimal ones is named, or none is and an X11 or Wayland display is
// set.
[[nodiscard]] bool hasDisplay();

// The built-in themes, in the order the demo offers them.
[[nodiscard]] std::vector<Theme> demoThemes();

// The plan around `today` (it started two weeks before today's week), the
// library's objects for it and the chart controller that shows it.
struct DemoScene {
  DemoPlan plan;
  DemoProject project;
  GanttChartControllerPtr controller;
  // The project's item observer, which keeps the tool tips current.
  std::shared_ptr<GanttChartItemObserver> details;
  // Makes the tasks and milestones created from the chart's menu; the item
  // source holds it weakly.
  std::shared_ptr<GanttChartItemFactory> factory;
};
[[nodiscard]] DemoScene makeDemoScene(const Time& today);

// Gives `chart` the scene's controller in the options' theme and scrolls it
// to the plan's first week. The window's palette decides light or dark.
// A click selects and a double-click activates (see below).
void showDemoScene(GanttChart& chart, const DemoScene& scene, const DemoOptions& options);

// On `chart`, a single click selects what it hits and it takes two to
// activate, so that a double-click on a summary that activation folds does
// not fold it at the first click and unfold it at the second. Does nothing
// before the chart has a controller.
void selectOnClickActivateOnDoubleClick(GanttChart& chart);

// The application palette for an appearance; absent: the platform's own.
void applyAppearance(std::optional<Mode> appearance);

// What the chart shows, for the terminal: the plan, its links, behaviours,
// calendar, header, highlights, the visible part and the theme.
[[nodiscard]] std::string describeDemo(const DemoScene& scene, const GanttChart& chart);

// Shows `widget` at `size` without putting it on a screen, laid out as in a
// window.
void showOffscreen(QWidget& widget, const QSize& size);

// A chart of the options' size showing the scene, laid out as in a window
// but drawn in memory.
[[nodiscard]] std::unique_ptr<GanttChart> makeOffscreenChart(const DemoScene& scene,
                                                             const DemoOptions& options);

// Writes what `chart` shows to the options' PNG file; the absolute path
// written, or std::nullopt when the file could not be written.
[[nodiscard]] std::optional<std::string> writeDemoImage(GanttChart& chart,
                                                        const DemoOptions& options);
[[nodiscard]] std::optional<std::string> writeDemoImage(const QByteArray& png,
                                                        const DemoOptions& options);

// Asks where to save a picture and writes it there; tells the user when it
// could not.
void saveDemoPicture(QWidget& parent, const QByteArray& png, const QString& suggestedName);

// Adds the View menu to `window`: the theme, light or dark, zoom in and out
// and go to today, for the chart of `controller`, with the options' theme and
// appearance checked. The menu does nothing once the controller is gone.
void addDemoViewMenu(QMainWindow& window, const GanttChartControllerPtr& controller,
                     const DemoOptions& options);

// Shows `text` in the window's status bar for good: a hovered menu item's
// tip covers it only while it is shown.
void showDemoHelp(QMainWindow& window, const QString& text);

// Makes `content` refuse a link from A to B where `leadsTo(B, A)`: the link
// would close a loop of links. The window's status bar says why for a
// while. The caller keeps the editor returned, which `content` holds
// weakly; it tells nothing once the window is gone.
[[nodiscard]] std::shared_ptr<GanttChartContentEditor> refuseLinksClosingLoops(
    QMainWindow& window, GanttChartContentController& content, DemoLinkPaths leadsTo);

// The window: the chart with menus to switch the theme and light or dark,
// go to today, zoom, export a picture and quit.
class DemoWindow : public QMainWindow {
  Q_OBJECT

 public:
  DemoWindow(DemoScene scene, const DemoOptions& options);
  [[nodiscard]] GanttChart& chart() const { return *chart_; }

 private:
  void exportImage();

  DemoScene scene_;
  GanttChart* chart_;
  std::shared_ptr<GanttChartContentEditor> linkEditor_;
};

// Multiplies the chart's zoom by `factor`, within the header's limits,
// keeping the time in the middle of the chart area in place.
void zoomChartBy(GanttChartController& controller, double factor);

// The program: a window where a display is at hand, else a picture.
int runDemo(int argc, char** argv);
// The same for the outline chart, once the application runs.
int runOutlineDemo(const DemoOptions& options, bool display);

}  // namespace vorlent::examples
