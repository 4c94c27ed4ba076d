#pragma once

// Test support for the chart area's interaction: one log of what the
// controller tells its observer, selection observer, scroller, activator and
// editor, a scroller that answers like a view, and a small chart to work on.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/model/item_source.h"

namespace vorlent::testing {

// Logs every call it receives as "<role>.<call>", with arguments where the
// call has them; items and dependencies are named by their labels.
class InteractionRecorder : public GanttChartContentObserver,
                            public GanttChartContentSelectionObserver,
                            public GanttChartContentActivator,
                            public GanttChartContentEditor {
 public:
  std::vector<std::string> log;

  // The editor's answers; every check allows by default.
  bool allowsAddingItems = true;
  bool allowsAddingDependencies = true;
  bool allowsRemoving = true;
  bool allowsEditing = true;
  // Called after each logged call with its entry, for tests that re-enter.
  std::function<void(const std::string&)> onCall;

  // Installs this recorder as observer, selection observer, activator and
  // editor of `controller`.
  static std::shared_ptr<InteractionRecorder> attachedTo(GanttChartContentController& controller);
  // Returns the log and empties it.
  std::vector<std::string> take();
  // How many entries equal `entry`.
  [[nodiscard]] size_t count(const std::string& entry) const;

  void totalDiagramSizeDidChange() override;
  void visibleBarsDidChange() override;
  void visibleDependencyLinesDidChange() override;
  void highlightedScheduleAreasDidChange() override;
  void highlightedIntervalAreasDidChange() override;
  void dependencyLineThumbAreaDidChange() override;
  void temporaryDependencyLineDidChange() override;
  void temporaryBarDidChange() override;
  void settingsDidChange() override;

  void selectionDidChange() override;

  void activate(const GanttChartBar& bar) override;
  void activate(const GanttChartDependencyLine& dependencyLine) override;
  void activate(const GanttChartPosition& position) override;

  bool canAddNewItem(int64_t row, const Time& time, bool isMilestone) override;
  bool canAddNewDependency(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                           GanttChartDependencyType type) override;
  bool canRemoveItem(const GanttChartItemPtr& item) override;
  bool canRemoveDependency(const GanttChartDependencyPtr& dependency) override;
  void initializeItem(const GanttChartItemPtr& item) override;
  void initializeMilestone(const GanttChartItemPtr& milestone) override;
  void initialize(const GanttChartDependencyPtr& dependency) override;
  bool canEdit(const GanttChartItemPtr& item) override;
  bool canEdit(const GanttChartDependencyPtr& dependency) override;
  void edit(const GanttChartItemPtr& item) override;
  void edit(const GanttChartDependencyPtr& dependency) override;

 private:
  void record(std::string entry);
};

// Answers scroll requests as a scrolling view does: the viewport moves as
// little as it must to show the requested span (its start when the span is
// wider than the viewport), within the diagram when `limitsToDiagram` is set,
// and the controller hears of the new viewport; unless `follows` is cleared,
// when the requests are only logged.
class ViewLikeScroller : public GanttChartContentScroller {
 public:
  explicit ViewLikeScroller(std::weak_ptr<GanttChartContentController> controller)
      : controller_(std::move(controller)) {}

  void scrollTo(double startX, double finishX) override;
  void scrollVerticallyTo(double startY, double finishY) override;

  std::vector<std::string> requests;
  bool follows = true;
  bool limitsToDiagram = false;

 private:
  std::weak_ptr<GanttChartContentController> controller_;
};

// "Label" of an item, "?" without one.
std::string nameOf(const GanttChartItemPtr& item);

// Monday 8 January 2024 (week 1201) 0:00 plus `hours` (of calendar time).
Time monday(double hours);
// That Monday plus `days` days, at `hours`.
Time mondayPlus(int64_t days, double hours);

// A chart whose scrollable timeline starts on `monday(0)` at 10 points an
// hour, rows 25 points high, viewport 0, 0, 1000 × 250: an hour after
// Monday 0:00 lies at x 10. Items are made with `add` before `create()`.
struct InteractionChart {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::shared_ptr<GanttChartItemSource> source;
  std::shared_ptr<GanttChartContentController> controller;
  std::shared_ptr<InteractionRecorder> recorder;
  std::shared_ptr<ViewLikeScroller> scroller;

  GanttChartItemPtr add(const std::string& label, int64_t row, const Time& start,
                        const Time& finish, double completion = 0,
                        GanttChartItemType type = GanttChartItemType::standard);
  GanttChartDependencyPtr link(const GanttChartItemPtr& from, const GanttChartItemPtr& to);
  // Makes the source, controller, recorder and scroller; `behavior` and
  // `schedule` go to the source.
  void create(GanttChartItemBehaviorPtr behavior = nullptr,
              std::shared_ptr<ScheduleDefinition> schedule = nullptr);
  // Changes the settings through `change` and applies them.
  void configure(const std::function<void(GanttChartContentSettings&)>& change);
};

}  // namespace vorlent::testing
