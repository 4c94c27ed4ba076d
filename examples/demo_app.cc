#include "examples/demo_app.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <utility>

#include "vorlent/base/clock.h"
#include "vorlent/base/date_formatter.h"
#include "vorlent/base/locale.h"
#include "vorlent/base/time_zone.h"
#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_formatting.h"
#include "examples/demo_outline.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/click_gesture_recognizer.h"
#include "vorlent/views/content_view.h"

namespace vorlent::examples {

namespace {

// Beside the program, in the build tree, unless the user names a file.
QString outputPath(const DemoOptions& options) {
  if (!options.output.empty()) return QString::fromStdString(options.output);
  return QDir(QCoreApplication::applicationDirPath()).filePath("vorlent-demo.png");
}

std::string dayText(const Time& time) {
  static const DateFormatter formatter = [] {
    DateFormatter f;
    f.setLocale(Locale("en_US"));
    f.setDateFormat("EEE d MMM yyyy");
    return f;
  }();
  return string(formatter, time);
}

std::string themeName(const Theme& theme) {
  std::ostringstream out;
  out << theme;
  return out.str();
}

std::optional<Time> parseDay(const QString& text) {
  const QStringList parts = text.split('-');
  if (parts.size() != 3) return std::nullopt;
  bool ok[3] = {false, false, false};
  const int year = parts[0].toInt(&ok[0]);
  const int month = parts[1].toInt(&ok[1]);
  const int day = parts[2].toInt(&ok[2]);
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  // A day the month does not have (30 February) is refused, not carried
  // into the next month.
  if (!ok[0] || !ok[1] || !ok[2] || year < 1900 || year > 2999 || month < 1 || day < 1 ||
      !date.ok()) {
    return std::nullopt;
  }
  return Time::fromYearMonthDay(year, month, day, 12, 0, 0);
}

QPalette darkPalette() {
  QPalette palette;
  const QColor window(37, 38, 41);
  const QColor base(28, 29, 31);
  const QColor text(228, 228, 231);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, window);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::ToolTipBase, base);
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::Highlight, QColor(58, 110, 196));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 124));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 124));
  return palette;
}

// Qt's warnings that say nothing about a picture drawn without a display:
// the offscreen platform cannot pass window size hints on.
QtMessageHandler qtHandler = nullptr;

void dropHeadlessNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
  if (qtHandler) {
    qtHandler(type, context, message);
  } else {
    std::cerr << message.toLocal8Bit().constData() << "\n";
  }
}

}  // namespace

// --- Options -------------------------------------------------------------------------

DemoOptions parseDemoOptions(const QStringList& arguments) {
  DemoOptions options;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const auto value = [&]() -> std::optional<QString> {
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];
    };
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--image") {
      options.image = true;
    } else if (argument == "--output" || argument == "-o") {
      const auto path = value();
      // An empty name would quietly mean the default file.
      if (!path || path->isEmpty()) return options.error = "--output needs a file name", options;
      options.output = path->toStdString();
      options.image = true;
    } else if (argument == "--date") {
      const auto text = value();
      options.today = text ? parseDay(*text) : std::nullopt;
      if (!options.today) return options.error = "--date needs a day as YYYY-MM-DD", options;
    } else if (argument == "--size") {
      const auto text = value();
      const QStringList parts = text ? text->split('x') : QStringList();
      const int width = parts.size() == 2 ? parts[0].toInt() : 0;
      const int height = parts.size() == 2 ? parts[1].toInt() : 0;
      if (width < 200 || height < 150 || width > 8000 || height > 8000) {
        return options.error = "--size needs WIDTHxHEIGHT, from 200x150 to 8000x8000", options;
      }
      options.size = QSize(width, height);
    } else if (argument == "--theme") {
      const auto name = value();
      bool found = false;
      for (const Theme& theme : demoThemes()) {
        if (name && QString::fromStdString(themeName(theme)) == *name) {
          options.theme = theme;
          found = true;
        }
      }
      if (!found) return options.error = "--theme needs standard, aqua, jewel or generic", options;
    } else if (argument == "--dark") {
      options.appearance = Mode::dark;
    } else if (argument == "--light") {
      options.appearance = Mode::light;
    } else if (argument == "--outline") {
      options.outline = true;
    } else {
      options.error = "unknown argument " + argument.toStdString();
      return options;
    }
  }
  return options;
}

std::string demoUsage() {
  return "Usage: vorlent_demo [options]\n"
         "Opens a window with a Gantt chart of a sample project. Without a display (no\n"
         "QT_QPA_PLATFORM, DISPLAY or WAYLAND_DISPLAY, or Qt's offscreen or minimal\n"
         "platform) it writes a picture instead.\n"
         "\n"
         "  --image            write the picture even where a window could open\n"
         "  -o, --output FILE  the picture's file (PNG; default vorlent-demo.png beside\n"
         "                     the program)\n"
         "  --size WxH         the picture's size in pixels (default 1400x800)\n"
         "  --date YYYY-MM-DD  take this day as today\n"
         "  --theme NAME       standard, aqua, jewel or generic\n"
         "  --dark, --light    the appearance (default: the platform's)\n"
         "  --outline          show the plan as a task tree beside the chart\n"
         "  -h, --help         this text\n";
}

bool hasDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (set("QT_QPA_PLATFORM")) {
    // Qt's offscreen and minimal platforms draw where nobody sees: a window
    // there could never be closed, and the program would wait for ever.
    const QString platform = QString::fromLocal8Bit(std::getenv("QT_QPA_PLATFORM"));
    const QString name = platform.section(':', 0, 0).trimmed();
    return name != "offscreen" && name != "minimal";
  }
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::vector<Theme> demoThemes() {
  return {Theme::standard(), Theme::aqua(), Theme::jewel(), Theme::generic()};
}

// --- The scene ------------------------------------------------------------------------

DemoScene makeDemoScene(const Time& today) {
  DemoScene scene;
  DemoPlanShape shape;
  shape.start = today.weekStart().addingWeeks(-2);
  shape.now = today;
  scene.plan = makeDemoPlan(shape);
  scene.project = buildDemoProject(scene.plan);
  scene.details = makeDemoDetailsObserver(scene.plan.calendar);
  scene.project.source->setItemObserver(scene.details);
  scene.factory = makeDemoItemFactory(scene.plan.calendar);
  scene.project.source->setItemFactory(scene.factory);
  holdEditedItemsBehindPredecessors(*scene.project.source);
  scene.controller = makeDemoChartController(scene.plan, scene.project);
  configureDemoHeader(*scene.controller->headerController());
  return scene;
}

void showDemoScene(GanttChart& chart, const DemoScene& scene, const DemoOptions& options) {
  scene.controller->setTheme(options.theme);
  chart.setController(scene.controller);
  selectOnClickActivateOnDoubleClick(chart);
  // The plan's first days at the left, its first phase at the top.
  scene.controller->contentController()->scrollVisibleTimelineToStartOn(
      scene.plan.span.start.addingDays(-2));
}

void selectOnClickActivateOnDoubleClick(GanttChart& chart) {
  const GanttChartContentControllerPtr content = chart.content()->controller();
  if (content == nullptr) return;
  GanttChartContentSettings settings = content->settings();
  settings.allowsSelectingElements = true;
  settings.numberOfClicksRequiredToActivateElements = 2;
  content->setSettings(std::move(settings));
  content->settingsDidChange();
  // The view reads the count only when it is given a controller, and an
  // outline chart gives its own before a host can change the settings.
  chart.content()->activatingClickGestureRecognizer()->setNumberOfClicksRequired(2);
}

void applyAppearance(std::optional<Mode> appearance) {
  static const QPalette platform = QApplication::palette();
  if (!appearance) {
    QApplication::setPalette(platform);
  } else if (*appearance == Mode::dark) {
    QApplication::setPalette(darkPalette());
  } else {
    QApplication::setPalette(QApplication::style()->standardPalette());
  }
}

std::string describeDemo(const DemoScene& scene, const GanttChart& chart) {
  const DemoPlan& plan = scene.plan;
  int64_t phases = 0;
  int64_t packages = 0;
  int64_t tasks = 0;
  int64_t milestones = 0;
  for (const DemoPlanItem& item : plan.items) {
    switch (item.kind) {
      case DemoItemKind::phase:
        ++phases;
        break;
      case DemoItemKind::package:
        ++packages;
        break;
      case DemoItemKind::task:
        ++tasks;
        break;
      case DemoItemKind::milestone:
        ++milestones;
        break;
    }
  }
  const DemoLinkCounts links = countLinks(plan);
  const auto& content = scene.controller->contentController();
  const TimeRange visible = content->visibleTimeline();
  const RowRange rows = content->visibleRange();
  std::ostringstream out;
  out << "A plan of " << plan.items.size() << " items on " << plan.rowCount << " rows: " << phases
      << " phases over " << packages << " work packages (summaries), " << tasks << " tasks and "
      << milestones << " milestones, from " << dayText(plan.span.start) << " to "
      << dayText(plan.span.finish) << ".\n"
      << plan.links.size() << " dependencies: " << links.byType[0] << " finish-to-start, "
      << links.byType[1] << " start-to-start, " << links.byType[2] << " finish-to-finish, "
      << links.byType[3] << " start-to-finish; " << links.withLag
      << " of them with a lag of working time.\n"
      << "The classic behaviours: column mode, summaries following their children, successors "
         "following their predecessors with lags (a moved task stays behind its own), and a "
         "latest finish on the last milestone.\n"
      << "Calendar: Monday to Friday, 8:00 to 16:00 (" << plan.calendar->hoursPerWeek()
      << " hours a week), without " << plan.holidays.size() << " public holidays";
  for (const TimeRange& holiday : plan.holidays) {
    if (plan.span.start < holiday.finish && holiday.start < plan.span.finish) {
      out << " (first in the plan: " << dayText(holiday.start) << ")";
      break;
    }
  }
  out << ".\n"
      << "The header shows weeks over days at this zoom (months over weeks zoomed out, days "
         "over hours zoomed in); weekends and holidays are shaded and a line marks now, "
      << dayText(Time::current()) << ".\n"
      << "In view: " << dayText(visible.start) << " to " << dayText(visible.finish) << ", rows "
      << rows.first() << " to " << rows.last() << "; theme " << themeName(scene.controller->theme())
      << ", " << (content->actualMode() == Mode::dark ? "dark" : "light") << ", at "
      << chart.width() << " x " << chart.height() << " pixels.\n";
  return out.str();
}

void showOffscreen(QWidget& widget, const QSize& size) {
  // Shown, but not on a screen, so that it is laid out as a window would be.
  widget.setAttribute(Qt::WA_DontShowOnScreen);
  widget.resize(size);
  widget.show();
}

std::unique_ptr<GanttChart> makeOffscreenChart(const DemoScene& scene, const DemoOptions& options) {
  auto chart = std::make_unique<GanttChart>();
  showOffscreen(*chart, options.size);
  showDemoScene(*chart, scene, options);
  QApplication::processEvents();
  return chart;
}

std::optional<std::string> writeDemoImage(GanttChart& chart, const DemoOptions& options) {
  return writeDemoImage(chart.imageData(), options);
}

std::optional<std::string> writeDemoImage(const QByteArray& png, const DemoOptions& options) {
  const QString path = outputPath(options);
  QFile file(path);
  if (png.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(png) != png.size()) {
    return std::nullopt;
  }
  file.close();
  return QFileInfo(file).absoluteFilePath().toStdString();
}

// --- The window -----------------------------------------------------------------------

DemoWindow::DemoWindow(DemoScene scene, const DemoOptions& options)
    : scene_(std::move(scene)), chart_(new GanttChart(this)) {
  setWindowTitle(QString("Vorlent demo: %1 items").arg(scene_.plan.items.size()));
  setCentralWidget(chart_);
  resize(options.size);
  QMenu* file = menuBar()->addMenu("&File");
  QAction* exporting = file->addAction("&Export picture...", this, [this] { exportImage(); });
  exporting->setShortcut(QKeySequence("Ctrl+E"));
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });
  addDemoViewMenu(*this, scene_.controller, options);
  showDemoScene(*chart_, scene_, options);
  showDemoHelp(*this,
               "Scroll with the wheel (Shift: sideways), drag the header to zoom, click a bar "
               "to select it, drag bars to move or resize them, right-click for menus (create "
               "a task there). Ctrl+T: next theme, Ctrl+D: light or dark.");
  linkEditor_ = refuseLinksClosingLoops(
      *this, *scene_.controller->contentController(),
      [plan = std::weak_ptr<GanttChartItemSource>(scene_.project.source)](
          const GanttChartItemPtr& from, const GanttChartItemPtr& to) {
        const auto source = plan.lock();
        return source && leadsTo(*source, from, to);
      });
}

void addDemoViewMenu(QMainWindow& window, const GanttChartControllerPtr& chartController,
                     const DemoOptions& options) {
  // The menu's actions live as long as the window; the controller may not.
  const std::weak_ptr<GanttChartController> weakController = chartController;
  const auto withController = [weakController](auto action) {
    return [weakController, action] {
      if (const GanttChartControllerPtr controller = weakController.lock()) action(*controller);
    };
  };
  QMenu* view = window.menuBar()->addMenu("&View");
  QMenu* themeMenu = view->addMenu("&Theme");
  auto* themeGroup = new QActionGroup(&window);
  const std::vector<Theme> themes = demoThemes();
  for (const Theme& theme : themes) {
    QString name = QString::fromStdString(themeName(theme));
    name[0] = name[0].toUpper();
    QAction* action = themeMenu->addAction(
        name, &window,
        withController([theme](GanttChartController& controller) { controller.setTheme(theme); }));
    action->setCheckable(true);
    action->setChecked(theme == options.theme);
    themeGroup->addAction(action);
  }
  themeMenu->addSeparator();
  themeMenu->addAction(
      "&Next theme", QKeySequence("Ctrl+T"), &window,
      withController([themeGroup, themes](GanttChartController& controller) {
        const QList<QAction*> actions = themeGroup->actions();
        const qsizetype current = actions.indexOf(themeGroup->checkedAction());
        const qsizetype next = (current + 1) % actions.size();
        actions[next]->setChecked(true);
        controller.setTheme(themes[static_cast<size_t>(next)]);
      }));

  QMenu* appearance = view->addMenu("&Appearance");
  auto* appearanceGroup = new QActionGroup(&window);
  const auto addAppearance = [&](const QString& name, std::optional<Mode> mode) {
    QAction* action = appearance->addAction(name, &window, [mode] { applyAppearance(mode); });
    action->setCheckable(true);
    action->setChecked(mode == options.appearance);
    appearanceGroup->addAction(action);
    return action;
  };
  addAppearance("&Platform", std::nullopt);
  QAction* light = addAppearance("&Light", Mode::light);
  QAction* dark = addAppearance("&Dark", Mode::dark);
  appearance->addSeparator();
  appearance->addAction("&Switch light and dark", QKeySequence("Ctrl+D"), &window,
                        [light, dark] {
                          const bool toDark = !dark->isChecked();
                          (toDark ? dark : light)->setChecked(true);
                          applyAppearance(toDark ? Mode::dark : Mode::light);
                        });

  view->addSeparator();
  view->addAction(
      "Zoom &in", QKeySequence::ZoomIn, &window,
      withController([](GanttChartController& controller) { zoomChartBy(controller, 1.25); }));
  view->addAction(
      "Zoom &out", QKeySequence::ZoomOut, &window,
      withController([](GanttChartController& controller) { zoomChartBy(controller, 0.8); }));
  view->addAction("Go to &today", QKeySequence("Ctrl+G"), &window,
                  withController([](GanttChartController& controller) {
                    controller.contentController()->scrollVisibleTimelineToCenterOn(
                        Time::current());
                  }));
}

void showDemoHelp(QMainWindow& window, const QString& text) {
  // A widget rather than a message: the tip of a hovered menu item replaces
  // a message for good, but only covers a widget while it is shown.
  auto* help = new QLabel(text);
  help->setObjectName("demoHelp");
  window.statusBar()->addWidget(help, 1);
}

std::shared_ptr<GanttChartContentEditor> refuseLinksClosingLoops(
    QMainWindow& window, GanttChartContentController& content, DemoLinkPaths leadsTo) {
  // Long enough to be read; then the help comes back.
  constexpr int kShownForMilliseconds = 12000;
  auto editor = makeDemoLinkEditor(
      std::move(leadsTo), [shown = QPointer<QMainWindow>(&window)](const std::string& text) {
        if (shown) shown->statusBar()->showMessage(QString::fromStdString(text), kShownForMilliseconds);
      });
  content.setEditor(editor);
  return editor;
}

void zoomChartBy(GanttChartController& controller, double factor) {
  // The header's zoom, kept within its limits; the chart area follows it.
  // The time in the middle stays there, as in a zoom by dragging the header.
  const auto& content = controller.contentController();
  const Time middle = content->visibleTimelineCenter();
  const auto& header = controller.headerController();
  header->setZoomCoercing(header->zoom() * factor);
  content->scrollVisibleTimelineToCenterOn(middle);
}

void DemoWindow::exportImage() { saveDemoPicture(*this, chart_->imageData(), "vorlent-demo.png"); }

void saveDemoPicture(QWidget& parent, const QByteArray& png, const QString& suggestedName) {
  const QString path = QFileDialog::getSaveFileName(&parent, "Export picture", suggestedName,
                                                    "PNG pictures (*.png)");
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size()) {
    QMessageBox::warning(&parent, "Export picture", "Could not write " + path);
  }
}

// --- The program ------------------------------------------------------------------------

int runOutlineDemo(const DemoOptions& options, bool display) {
  DemoOutlineScene scene = makeDemoOutlineScene(options.today.value_or(Time::current()));
  if (display && !options.image) {
    DemoOutlineWindow window(std::move(scene), options);
    window.show();
    std::cout << "Vorlent demo: " << window.windowTitle().toStdString()
              << ". Collapse or expand rows in the outline; drag bars in the chart; the View "
                 "menu switches themes (Ctrl+T) and light or dark (Ctrl+D) and zooms.\n";
    return QApplication::exec();
  }
  const std::unique_ptr<OutlineGanttChart> chart = makeOffscreenOutlineChart(scene, options);
  const std::optional<std::string> written = writeDemoImage(chart->imageData(), options);
  if (!written) {
    std::cerr << "vorlent_demo: could not write " << outputPath(options).toStdString() << "\n";
    return 1;
  }
  std::cout << "Vorlent demo: no display, so the outline chart went to a picture:\n  " << *written
            << "\n\n"
            << describeDemoOutline(scene, *chart);
  return 0;
}

int runDemo(int argc, char** argv) {
  // The command line is the demo's alone: Qt is given only the program's
  // name, so that one of Qt's own options (a platform that does not exist
  // stops the program inside Qt) is one more unknown argument here.
  QStringList arguments;
  for (int i = 0; i < argc && argv[i] != nullptr; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const DemoOptions options = parseDemoOptions(arguments);
  if (!options.error.empty()) {
    std::cerr << "vorlent_demo: " << options.error << "\n\n" << demoUsage();
    return 2;
  }
  if (options.help) {
    std::cout << demoUsage();
    return 0;
  }
  // Where no display is at hand, or only a picture is wanted, Qt draws into
  // memory: a picture needs no display, and a display that is set but cannot
  // be reached (a stale DISPLAY) would stop the program inside Qt.
  const bool display = hasDisplay();
  // Qt wants a private runtime directory even there; one for this run keeps
  // its complaint about a missing one off the terminal.
  std::optional<QTemporaryDir> runtimeDirectory;
  if (!display || options.image) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      runtimeDirectory.emplace();
      if (runtimeDirectory->isValid())
        qputenv("XDG_RUNTIME_DIR", runtimeDirectory->path().toLocal8Bit());
    }
    qtHandler = qInstallMessageHandler(dropHeadlessNoise);
  }
  static char programName[] = "vorlent_demo";
  char* qtArguments[] = {argc > 0 && argv[0] != nullptr ? argv[0] : programName, nullptr};
  int qtArgumentCount = 1;
  QApplication application(qtArgumentCount, qtArguments);
  // The given day's midnight, read as it stands rather than shifted into the
  // machine's zone.
  if (options.today) {
    Clock::setNow(makeDate(*options.today));
    TimeZone::setCurrent(TimeZone::gmt());
  }
  applyAppearance(options.appearance);
  if (options.outline) return runOutlineDemo(options, display);
  DemoScene scene = makeDemoScene(options.today.value_or(Time::current()));

  if (display && !options.image) {
    DemoWindow window(std::move(scene), options);
    window.show();
    std::cout << "Vorlent demo: " << window.windowTitle().toStdString()
              << ". Drag the header to zoom; right-click the chart for menus; the View menu "
                 "switches themes (Ctrl+T) and light or dark (Ctrl+D).\n";
    return QApplication::exec();
  }

  const std::unique_ptr<GanttChart> chart = makeOffscreenChart(scene, options);
  const std::optional<std::string> written = writeDemoImage(*chart, options);
  if (!written) {
    std::cerr << "vorlent_demo: could not write " << outputPath(options).toStdString() << "\n";
    return 1;
  }
  std::cout << "Vorlent demo: no display, so the chart went to a picture:\n  " << *written << "\n\n"
            << describeDemo(scene, *chart);
  return 0;
}

}  // namespace vorlent::examples
