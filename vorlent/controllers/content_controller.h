#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/coalesced_writes.h"
#include "vorlent/controllers/content_activator.h"
#include "vorlent/controllers/content_editor.h"
#include "vorlent/controllers/content_observers.h"
#include "vorlent/controllers/content_presenter.h"
#include "vorlent/controllers/content_scroller.h"
#include "vorlent/controllers/content_style_protocols.h"
#include "vorlent/controllers/diagram_generator.h"
#include "vorlent/controllers/interaction_values.h"
#include "vorlent/controllers/viewport_cache.h"
#include "vorlent/time/working_time_index.h"
#include "vorlent/graphics/border.h"
#include "vorlent/graphics/color.h"
#include "vorlent/graphics/cursor.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_area.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/model/collection_provider.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_manager.h"
#include "vorlent/model/row_range.h"
#include "vorlent/style/content_base_style.h"
#include "vorlent/style/content_settings.h"
#include "vorlent/style/content_strings.h"
#include "vorlent/style/content_style.h"
#include "vorlent/style/theme.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_scale.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

namespace detail {

// What a drag that moves or resizes an item in time, or drags its completion,
// measures each step against: the item as it stood before the drag's steps
// changed it, and as the last step left it (a difference there is a host's
// change between steps, which becomes the new baseline).
struct DragBaseline {
  TimeRange time;
  double completion = 0;
  // The working seconds of `time`, and the time up to which it was completed.
  double duration = 0;
  Time completedUntil;
  TimeRange timeAfterLastStep;
  double completionAfterLastStep = 0;
};

}  // namespace detail

// The toolkit-free brain of the chart area: it turns the item manager's items
// into positions on a diagram, keeps the manager filtered to what the
// viewport shows (widened by a margin), and tells its host what changed. It
// owns no view: a host gives it the visible rectangle (`viewport`) and mouse
// points, and receives sizes, drawing calls (presenter), scroll requests
// (scroller) and notifications (observers), all held weakly.
//
// Geometry. The diagram's origin is the top left corner of row 0 at the start
// of the actual timeline. x grows with the working time of the visibility
// schedule (hidden time takes no room) at `zoom` × `hourWidth` points per
// hour; y grows downwards by `rowHeight` per row. A row height, hour width or
// zoom that is zero, negative or not finite makes every length 0 rather than
// feeding a division by zero into the calendar arithmetic; the stored values
// are kept as given.
//
// Notifications. Setting a property stores it, clears the derived caches
// where it shapes them, pushes the widened row range and timeline into the
// item manager where they may move, then notifies, synchronously and in a
// fixed order; most properties only react to a real change. An observer that
// writes `viewport` or `zoom` while being told about a change of it has its
// write applied once the running round of notifications has finished (the
// latest write winning, a bounded number of times), and reactions nested
// deeper than a fixed bound, or too many of them set off by one outermost
// change, stop notifying, so no observer can make the controller recurse
// without end.
//
// Caches. Bars, dependency lines and highlighted areas are kept per viewport
// for the current viewport and a few recent ones, until something that shapes
// them changes (`clearCaches()`).
//
// Create it with `create`; it registers itself as its item manager's
// collection observer. Everything runs on one thread.
class GanttChartContentController
    : public GanttChartCollectionObserver,
      public GanttChartDiagramGenerator,
      public std::enable_shared_from_this<GanttChartContentController> {
 public:
  // ===========================================================================
  // Construction and the item manager
  // ===========================================================================

  // A controller over `itemManager`, which it keeps alive; the row filter is
  // pushed into the manager (the timeline filter follows at the first change
  // of the viewport, timeline or scale) and the controller becomes the
  // manager's collection observer. A manager has one such observer: a
  // controller that observed it before hears none of its changes from now
  // on, until it is given a manager again (`setItemManager`, which a chart
  // area's view does when it takes that controller). A null manager is a
  // fatal stop.
  static std::shared_ptr<GanttChartContentController> create(
      GanttChartItemManagerPtr itemManager);
  // The same over a new `GanttChartItemSource` of the given items and
  // dependencies, with no schedule and no behaviour.
  static std::shared_ptr<GanttChartContentController> create(
      std::vector<GanttChartItemPtr> items = {},
      std::vector<GanttChartDependencyPtr> dependencies = {});

  ~GanttChartContentController() override;
  GanttChartContentController(const GanttChartContentController&) = delete;
  GanttChartContentController& operator=(const GanttChartContentController&) = delete;

  [[nodiscard]] virtual const GanttChartItemManagerPtr& itemManager() const {
    return itemManager_;
  }
  // Reacts on every assignment, the same manager included: the old manager
  // stops reporting to this controller (unless it already reports to
  // another), caches are cleared, the row count is read afresh, both filters
  // are pushed into the new manager, everybody is told, and the controller
  // becomes the new manager's collection observer. A null manager is a fatal
  // stop.
  virtual void setItemManager(GanttChartItemManagerPtr itemManager);

 protected:
  // Subclasses are made through a factory of their own that calls
  // `attachToItemManager()` once the new controller is owned by a
  // `std::shared_ptr`.
  explicit GanttChartContentController(GanttChartItemManagerPtr itemManager);
  // Pushes the row filter into the item manager and becomes its collection
  // observer.
  void attachToItemManager();

  // Runs one reaction: keeps the controller alive until it has finished
  // (an observer may release its last owner) and counts how deeply reactions
  // nest and how many run inside the outermost one, so that `tell` stops
  // notifying beyond `kMaxReactionDepth` levels or `kMaxReactionsPerRun`
  // reactions. (Observers that answer each of several notifications with a
  // change fan out; a depth bound alone would let them run for ages.)
  //
  // The changes a held-back notification tells of stand all the same (the
  // chart area's document, the timeline its header follows), so what the
  // bounds hold back is told once the outermost reaction has finished: each
  // notification once, in a run of its own (observer, then range, timeline
  // and selection observers) under the same bounds. What that run holds back
  // is dropped: observers that answer every notification with a change for
  // ever are left with what they were told last.
  class ReactionScope {
   public:
    explicit ReactionScope(GanttChartContentController& controller);
    ~ReactionScope();
    ReactionScope(const ReactionScope&) = delete;
    ReactionScope& operator=(const ReactionScope&) = delete;

   private:
    GanttChartContentController& controller_;
    std::shared_ptr<GanttChartContentController> keepAlive_;
  };
  static constexpr int kMaxReactionDepth = 32;
  static constexpr int kMaxReactionsPerRun = 1024;

  // Calls one requirement on the collaborator when it is alive (and the
  // reaction bounds allow notifying; else the call is held back).
  void tell(void (GanttChartContentObserver::*call)()) const;
  void tell(void (GanttChartContentRangeObserver::*call)()) const;
  void tell(void (GanttChartContentTimelineObserver::*call)()) const;
  void tell(void (GanttChartContentSelectionObserver::*call)()) const;
  // The five content notifications: total diagram size, visible bars,
  // visible dependency lines, highlighted schedule areas, highlighted
  // interval areas.
  void tellContentChanged() const;
  // Visible bars, then visible dependency lines.
  void tellVisibleElementsChanged() const;
  [[nodiscard]] bool mayNotify() const {
    return reactionDepth_ <= kMaxReactionDepth && reactionsInRun_ <= kMaxReactionsPerRun;
  }

  // Forgets every derived result: the total diagram size, the per-viewport
  // bars, dependency lines and highlighted areas, and the computed preferred
  // timeline. (The visibility schedule's working-time table is kept: it is
  // only made for an immutable `Schedule`.)
  virtual void clearCaches();

 private:
  // The notifications the reaction bounds held back in the current run,
  // each listed once, in the order first held back.
  template <class Observer>
  using Notification = void (Observer::*)();
  struct HeldBackNotifications {
    std::vector<Notification<GanttChartContentObserver>> observer;
    std::vector<Notification<GanttChartContentRangeObserver>> range;
    std::vector<Notification<GanttChartContentTimelineObserver>> timeline;
    std::vector<Notification<GanttChartContentSelectionObserver>> selection;
    [[nodiscard]] bool empty() const {
      return observer.empty() && range.empty() && timeline.empty() && selection.empty();
    }
  };
  // Tells what the bounds held back, in a run of its own (see
  // ReactionScope).
  void tellHeldBack();

  GanttChartItemManagerPtr itemManager_;
  int reactionDepth_ = 0;
  int reactionsInRun_ = 0;
  mutable HeldBackNotifications heldBack_;
  bool tellingHeldBack_ = false;

 public:
  // ===========================================================================
  // Scale and geometry
  // ===========================================================================

  // Only the working time of this calendar takes horizontal room. Compared
  // by identity; null means `ScheduleDefinition::continuous()`.
  [[nodiscard]] virtual const std::shared_ptr<ScheduleDefinition>& visibilitySchedule() const {
    return visibilitySchedule_;
  }
  virtual void setVisibilitySchedule(std::shared_ptr<ScheduleDefinition> schedule);
  // Height of one row in points (25).
  [[nodiscard]] virtual double rowHeight() const { return rowHeight_; }
  virtual void setRowHeight(double rowHeight);
  // Width of one visible hour at zoom 1, in points (2.5).
  [[nodiscard]] virtual double hourWidth() const { return hourWidth_; }
  virtual void setHourWidth(double hourWidth);
  // Factor applied to `hourWidth` (1).
  [[nodiscard]] virtual double zoom() const { return zoom_; }
  virtual void setZoom(double zoom);
  // zoom × hourWidth, as stored.
  [[nodiscard]] virtual double actualHourWidth() const { return zoom_ * hourWidth_; }
  // Points of room before and after the items' preferred timeline (10).
  [[nodiscard]] virtual double preferredTimelineMargin() const { return preferredTimelineMargin_; }
  virtual void setPreferredTimelineMargin(double margin);
  // Whether attachment labels are drawn; while true they also get room after
  // the preferred timeline (true).
  [[nodiscard]] virtual bool showsAttachments() const { return showsAttachments_; }
  virtual void setShowsAttachments(bool showsAttachments);
  // The room kept for attachment labels, in points (80).
  [[nodiscard]] virtual double attachmentLabelWidth() const { return attachmentLabelWidth_; }
  virtual void setAttachmentLabelWidth(double width);
  // Points by which the timeline (row) filter reaches beyond the viewport on
  // each side (80 each).
  [[nodiscard]] virtual double viewportExtensionWidth() const { return viewportExtensionWidth_; }
  virtual void setViewportExtensionWidth(double width);
  [[nodiscard]] virtual double viewportExtensionHeight() const { return viewportExtensionHeight_; }
  virtual void setViewportExtensionHeight(double height);
  // The visible part of the diagram, in diagram coordinates. A rectangle with
  // a coordinate or extent that is not finite is refused (nothing changes).
  [[nodiscard]] virtual Rectangle viewport() const { return viewport_; }
  virtual void setViewport(const Rectangle& viewport);
  // The size of the whole diagram: the actual timeline's visible working time
  // by the rows. A length that is not a number, or negative, is 0; one that
  // overflows is +infinity.
  [[nodiscard]] virtual Size totalDiagramSize() const;

  // Horizontal position of a moment; negative before the actual timeline.
  [[nodiscard]] virtual double x(const Time& time) const;
  // Horizontal extent of a range (negative when it ends before it starts).
  [[nodiscard]] virtual double width(const TimeRange& range) const;
  // The moment at a horizontal position, moved forward to the next working
  // moment of the visibility schedule.
  [[nodiscard]] virtual Time time(double x) const;
  [[nodiscard]] virtual double startX(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual double finishX(const GanttChartItemPtr& item) const;
  // x of the moment up to which the item is completed.
  [[nodiscard]] virtual double completionX(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual double top(int64_t row) const;
  [[nodiscard]] virtual double middle(int64_t row) const;
  [[nodiscard]] virtual double bottom(int64_t row) const;
  [[nodiscard]] virtual double topY(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual double middleY(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual double bottomY(const GanttChartItemPtr& item) const;
  // The row at a vertical position: floor(y ÷ rowHeight), negative above row
  // 0. A quotient beyond the 64-bit range saturates at its end; one that is
  // not a number gives row 0.
  [[nodiscard]] virtual int64_t row(double y) const;

 protected:
  // The working time of the visibility schedule, answered from its
  // working-time table where one is kept: `duration(from, to)` in seconds,
  // `finish(from, seconds)`, `start(to, seconds)` and
  // `nextTime(finish(from, seconds))`.
  [[nodiscard]] double visibleDuration(const Time& from, const Time& to) const;
  [[nodiscard]] Time visibleFinish(const Time& from, double seconds) const;
  [[nodiscard]] Time visibleStart(const Time& to, double seconds) const;
  [[nodiscard]] Time nextVisibleTime(const Time& from, double seconds) const;
  // zoom × hourWidth when it is a positive finite number, else 0.
  [[nodiscard]] double effectiveHourWidth() const;
  // rowHeight when it is a positive finite number, else 0.
  [[nodiscard]] double effectiveRowHeight() const;
  // The visible working seconds that `points` of width stand for at the
  // current scale; 0 when the scale or the length makes that undefined.
  [[nodiscard]] double secondsFor(double points) const;

 private:
  // The reaction shared by every property that shapes the actual timeline:
  // clears the caches, pushes the timeline filter, sends the five content
  // notifications, then `timelineDidChange` and `visibleTimelineDidChange`.
  void timelineShapeDidChange();
  // Applies one (non-deferred) viewport or zoom write.
  void applyViewport(const Rectangle& viewport);
  void applyZoom(double zoom);
  // Prepares the working-time table for the current schedule and timeline
  // and returns it, or null when the schedule has no exclusions (and is
  // fast without one), may change its answers, or cannot be indexed.
  [[nodiscard]] const WorkingTimeIndex* workingTimeIndex() const;
  // Whether the visibility schedule always answers the same, so that what
  // is worked out from it may be kept until the caches are cleared: a plain
  // `Schedule` without a provider of exclusions. Any other calendar may
  // change its answers without the controller hearing of it.
  [[nodiscard]] bool visibilityScheduleIsFixed() const;

  std::shared_ptr<ScheduleDefinition> visibilitySchedule_;
  double rowHeight_ = 25;
  double hourWidth_ = 2.5;
  double zoom_ = 1;
  double preferredTimelineMargin_ = 10;
  bool showsAttachments_ = true;
  double attachmentLabelWidth_ = 80;
  double viewportExtensionWidth_ = 80;
  double viewportExtensionHeight_ = 80;
  Rectangle viewport_;
  CoalescedWrites<Rectangle> viewportWrites_;
  // Set while a new viewport's rows and timeline go into the manager, whose
  // answers in between are not passed on: the viewport's own notifications
  // follow once both filters stand.
  bool pushingViewportFilter_ = false;
  CoalescedWrites<double> zoomWrites_;
  mutable std::optional<Size> cachedTotalDiagramSize_;
  mutable WorkingTimeIndex workingTimeIndex_;

 public:
  // ===========================================================================
  // Rows and timelines
  // ===========================================================================

  // The fewest rows the diagram offers; while set, no extra rows are added.
  [[nodiscard]] virtual std::optional<int64_t> desiredScrollableRowCount() const {
    return desiredScrollableRowCount_;
  }
  virtual void setDesiredScrollableRowCount(std::optional<int64_t> count);
  // Rows added below the last one while bars may move between rows (1).
  // Reacts on every assignment.
  [[nodiscard]] virtual int64_t extraRowCount() const { return extraRowCount_; }
  virtual void setExtraRowCount(int64_t count);
  // The number of rows shown: at least 1, at least the desired count, and
  // otherwise the manager's rows plus the extra rows.
  [[nodiscard]] virtual int64_t actualRowCount() const;
  // The rows the viewport shows.
  [[nodiscard]] virtual RowRange visibleRange() const;
  // The rows a rectangle (a horizontal band) touches, clamped to the actual
  // rows at the bottom; a band ending on a row boundary does not include the
  // row below. Without a usable row height every row counts.
  [[nodiscard]] virtual RowRange range(const Rectangle& rectangle) const;
  [[nodiscard]] virtual RowRange range(double top, double height) const;

  // The timeline the diagram spans; absent means the preferred timeline.
  [[nodiscard]] virtual const std::optional<TimeRange>& scrollableTimeline() const {
    return scrollableTimeline_;
  }
  virtual void setScrollableTimeline(std::optional<TimeRange> timeline);
  // `scrollableTimeline` when set, else `preferredTimeline`.
  [[nodiscard]] virtual TimeRange actualTimeline() const;
  // The item manager's preferred timeline widened by the margin before it
  // and by the larger of the margin and the attachment room after it, both
  // points turned into visible working hours at the current scale.
  [[nodiscard]] virtual TimeRange preferredTimeline() const;
  // The span of time the viewport shows.
  [[nodiscard]] virtual TimeRange visibleTimeline() const;
  [[nodiscard]] virtual TimeRange timeline(const Rectangle& rectangle) const;
  [[nodiscard]] virtual TimeRange timeline(double left, double width) const;

  // The collection observer's callbacks, through which every change of the
  // manager's data reaches the chart area.
  void totalRowCountDidChange() override;
  void preferredTimelineDidChange() override;
  void filteredItemsDidChange() override;
  void filteredDependenciesDidChange() override;
  void collectionDidChange() override;

 protected:
  // Push the viewport's rows (timeline), widened by the viewport extension,
  // into the item manager's filter. The widened rows are not clamped to the
  // rows that exist.
  virtual void updateItemManagerRange();
  virtual void updateItemManagerTimeline();

 private:
  std::optional<int64_t> desiredScrollableRowCount_;
  int64_t extraRowCount_ = 1;
  std::optional<TimeRange> scrollableTimeline_;
  // The manager's total row count, read on first use and kept until the
  // manager reports a change of it or is replaced.
  mutable std::optional<int64_t> managedTotalRowCount_;
  // The preferred timeline computed for the manager's preferred timeline
  // `itemsTimeline`; valid while the manager answers the same and until the
  // caches are cleared. Kept only for a fixed visibility schedule.
  struct PreferredTimelineCache {
    TimeRange itemsTimeline;
    TimeRange preferredTimeline;
  };
  mutable std::optional<PreferredTimelineCache> preferredTimelineCache_;

 public:
  // ===========================================================================
  // Bars and dependency lines
  // ===========================================================================

  // The bars of the viewport in drawing order: the manager's filtered items
  // that are visible, stably sorted by z-index (equal z-indexes keep the
  // manager's order). Null items and items whose bounds are not finite (a
  // time that is not) have no bar. Computed once per viewport.
  [[nodiscard]] virtual std::vector<GanttChartBar> visibleBars() const;
  // Those of them whose bounds touch the rectangle, edges included.
  [[nodiscard]] virtual std::vector<GanttChartBar> visibleBars(const Rectangle& rectangle) const;
  // The dependency lines of the viewport in drawing order: the manager's
  // filtered dependencies that are visible with both their items, stably
  // sorted by z-index, routed by `actualDiagramGenerator()`. Empty while the
  // settings hide dependency lines; a line whose route is not finite is left
  // out.
  [[nodiscard]] virtual std::vector<GanttChartDependencyLine> visibleDependencyLines() const;
  // Those of them with a segment whose bounding box touches the rectangle;
  // a line of fewer than two points never does.
  [[nodiscard]] virtual std::vector<GanttChartDependencyLine> visibleDependencyLines(
      const Rectangle& rectangle) const;
  // The rectangle of an item's bar, milestone diamond or summary bracket,
  // never narrower than `minBarWidth`; a milestone is a square centred on its
  // start. Not finite when the item's times are not.
  [[nodiscard]] virtual Rectangle bounds(const GanttChartItemPtr& item) const;
  // The rectangle of the completed part of an item's bar (no minimum width).
  // A width or height that would come out negative (a reversed item, a
  // summary inset larger than the bar) is 0 rather than turned over.
  [[nodiscard]] virtual Rectangle completionBounds(const GanttChartItemPtr& item) const;
  // The topmost bar containing the point, or failing that the topmost within
  // `maxDistance` of it horizontally (and vertically when
  // `acceptVerticalDistance` is true). A negative or undefined distance
  // counts as 0.
  [[nodiscard]] virtual std::optional<GanttChartBar> bar(
      const Point& point, std::optional<double> maxDistance = std::nullopt,
      std::optional<bool> acceptVerticalDistance = std::nullopt) const;
  // The item of the topmost bar containing the point exactly; null when none.
  [[nodiscard]] virtual GanttChartItemPtr item(const Point& point) const;
  // The topmost dependency line passing within `maxDistance` of the point
  // (the settings' hovering distance when absent).
  [[nodiscard]] virtual std::optional<GanttChartDependencyLine> dependencyLine(
      const Point& point, std::optional<double> maxDistance = std::nullopt) const;
  // Its dependency; null when none.
  [[nodiscard]] virtual GanttChartDependencyPtr dependency(const Point& point) const;
  // The route of one dependency, as drawn, computed afresh. Empty for a null
  // dependency.
  [[nodiscard]] virtual std::vector<Point> polyline(
      const GanttChartDependencyPtr& dependency) const;
  // The controller's own elbow router (`fromMilestone` is not used). Without
  // a usable row height every row boundary lies at y 0.
  [[nodiscard]] std::vector<Point> dependencyPolyline(const Rectangle& from, const Rectangle& to,
                                                      GanttChartDependencyType type,
                                                      bool fromMilestone,
                                                      bool toMilestone) const override;

 private:
  // The viewport's lines with the bounding box of each polyline, so that
  // queries skip a line far from a point or rectangle without walking its
  // segments.
  struct VisibleDependencyLines {
    std::vector<GanttChartDependencyLine> lines;
    std::vector<Rectangle> boxes;
  };
  // The viewport's bars with the completed part of each bar that shows one,
  // worked out with the bars so that a drawing pass does not ask the
  // calendar again for every bar.
  struct VisibleBars {
    std::vector<GanttChartBar> bars;
    std::unordered_map<const GanttChartItem*, Rectangle> completions;
  };
  // The viewport's lists, from the cache or computed and stored; shared, so
  // a caller's list outlives a cache cleared meanwhile.
  [[nodiscard]] std::shared_ptr<const VisibleBars> barsOfViewport() const;
  [[nodiscard]] std::shared_ptr<const VisibleDependencyLines> linesOfViewport() const;
  [[nodiscard]] VisibleBars buildVisibleBars() const;
  // Whether the item's bar shows a completed part at all.
  [[nodiscard]] bool showsCompletionBar(const GanttChartItem& item) const;
  // `completionBounds(item)`, as worked out with the viewport's bars when
  // the item has one there.
  [[nodiscard]] Rectangle completionOfBar(const GanttChartItemPtr& item) const;
  [[nodiscard]] VisibleDependencyLines buildVisibleDependencyLines() const;
  // Whether a segment of the polyline (whose bounding box is `box`) has a
  // bounding box touching the rectangle.
  [[nodiscard]] static bool passesThrough(const std::vector<Point>& polyline, const Rectangle& box,
                                          const Rectangle& rectangle);
  // The route of a dependency by `generator`; none when either bar has no
  // finite bounds.
  [[nodiscard]] std::optional<std::vector<Point>> routeOf(
      const GanttChartDependencyPtr& dependency,
      const GanttChartDiagramGenerator& generator) const;
  // The top of the row holding y; 0 without a usable row height.
  [[nodiscard]] double rowTop(double y) const;
  // The router's bends between the two end points, by dependency type.
  void appendElbowRoute(std::vector<Point>& route, const Point& s, const Point& t,
                        GanttChartDependencyType type) const;

  mutable ViewportCache<VisibleBars> cachedVisibleBars_;
  mutable ViewportCache<VisibleDependencyLines> cachedVisibleDependencyLines_;

 public:
  // ===========================================================================
  // Highlighted areas and time scale
  // ===========================================================================

  // The grid onto which edited times snap; stored only.
  [[nodiscard]] virtual const TimeScale& timeScale() const { return timeScale_; }
  virtual void setTimeScale(const TimeScale& timeScale) { timeScale_ = timeScale; }
  // The schedule used with the time scale; null means none. Stored only.
  [[nodiscard]] virtual const std::shared_ptr<ScheduleDefinition>& timeScaleSchedule() const {
    return timeScaleSchedule_;
  }
  virtual void setTimeScaleSchedule(std::shared_ptr<ScheduleDefinition> schedule) {
    timeScaleSchedule_ = std::move(schedule);
  }
  // `timeScaleSchedule` when set, else the item's own schedule, else the
  // item manager's.
  [[nodiscard]] virtual std::shared_ptr<ScheduleDefinition> timeScaleScheduleFor(
      const GanttChartItemPtr& item) const;
  // `timeScaleSchedule` when set, else the item manager's.
  [[nodiscard]] virtual std::shared_ptr<ScheduleDefinition> timeScaleScheduleForNewItems() const;
  // The full-height rectangle of a time range.
  [[nodiscard]] virtual Rectangle bounds(const TimeRange& range) const;

  // Schedule highlighters; reacts on every assignment.
  [[nodiscard]] virtual const std::vector<ScheduleTimeSelector>& scheduleHighlighters() const {
    return scheduleHighlighters_;
  }
  virtual void setScheduleHighlighters(std::vector<ScheduleTimeSelector> highlighters);
  [[nodiscard]] virtual std::vector<ScheduleTimeArea> highlightedScheduleAreas() const;
  [[nodiscard]] virtual std::vector<ScheduleTimeArea> highlightedScheduleAreas(
      const Rectangle& rectangle) const;
  // Interval highlighters; reacts on every assignment.
  [[nodiscard]] virtual const std::vector<TimeSelector>& intervalHighlighters() const {
    return intervalHighlighters_;
  }
  virtual void setIntervalHighlighters(std::vector<TimeSelector> highlighters);
  [[nodiscard]] virtual std::vector<TimeArea> highlightedIntervalAreas() const;
  [[nodiscard]] virtual std::vector<TimeArea> highlightedIntervalAreas(
      const Rectangle& rectangle) const;

 private:
  TimeScale timeScale_;
  std::shared_ptr<ScheduleDefinition> timeScaleSchedule_;
  std::vector<ScheduleTimeSelector> scheduleHighlighters_;
  std::vector<TimeSelector> intervalHighlighters_;
  // Whether an interval highlighter shows the moving current moment (its
  // selector, looked through any enclosing selectors, picks the current
  // moment); worked out on first use after the highlighters were assigned
  // and kept until they are assigned again.
  [[nodiscard]] bool showsCurrentTime() const;
  // The viewport's lists, from the cache or computed and stored; shared, so
  // a caller's list outlives a cache cleared meanwhile.
  [[nodiscard]] std::shared_ptr<const std::vector<ScheduleTimeArea>> scheduleAreasOfViewport()
      const;
  [[nodiscard]] std::shared_ptr<const std::vector<TimeArea>> intervalAreasOfViewport() const;
  [[nodiscard]] std::vector<ScheduleTimeArea> buildHighlightedScheduleAreas() const;
  [[nodiscard]] std::vector<TimeArea> buildHighlightedIntervalAreas() const;
  // The first style found for the interval: the highlighter's style
  // selector, its style, the chart style's time-area selector, its time-area
  // style.
  [[nodiscard]] std::optional<TimeAreaStyle> intervalAreaStyle(const TimeRange& interval,
                                                               const TimeSelector& highlighter)
      const;
  // The span an interval's area covers: the interval, except that an end at
  // the beginning or the end of time stops at `reach`.
  [[nodiscard]] static TimeRange intervalAreaExtent(const TimeRange& interval,
                                                    const TimeRange& reach);

  mutable std::optional<bool> showsCurrentTime_;
  mutable ViewportCache<std::vector<ScheduleTimeArea>> cachedHighlightedScheduleAreas_;
  mutable ViewportCache<std::vector<TimeArea>> cachedHighlightedIntervalAreas_;

 public:
  // ===========================================================================
  // Settings and styles
  // ===========================================================================

  // Assigning the settings only stores them; call `settingsDidChange()`
  // afterwards.
  [[nodiscard]] virtual const GanttChartContentSettings& settings() const { return settings_; }
  virtual void setSettings(const GanttChartContentSettings& settings) { settings_ = settings; }
  // The same-named fields of `settings`. Assigning stores into the settings
  // (the default style also records the theme `none`) without clearing or
  // notifying anything.
  [[nodiscard]] virtual const GanttChartContentBaseStyle& defaultStyle() const {
    return settings_.defaultStyle();
  }
  virtual void setDefaultStyle(GanttChartContentBaseStyle style);
  [[nodiscard]] virtual const GanttChartContentStyle& style() const { return settings_.style(); }
  virtual void setStyle(GanttChartContentStyle style);
  [[nodiscard]] virtual const GanttChartContentBaseStyle& actualStyle() const {
    return settings_.actualStyle();
  }
  [[nodiscard]] virtual const GanttChartContentStrings& strings() const {
    return settings_.strings;
  }
  virtual void setStrings(GanttChartContentStrings strings);

 private:
  GanttChartContentSettings settings_;

 public:
  // ===========================================================================
  // Drawing
  // ===========================================================================

  // Draws the rectangle `within` of the diagram through the presenter, back
  // to front: background, diagram borders, rows (also below the last data
  // row), highlighted schedule areas, highlighted interval areas, dependency
  // lines, the temporary line, bars, the link thumb and the temporary bar.
  // Nothing is drawn for a rectangle left of, right of or wholly above the
  // viewport, or one that is not finite.
  //
  // A pass paints only within its drawing bounds: the diagram together with
  // the viewport, grown by a margin of one viewport size (at least 100
  // points), and never more than 2^24 points beyond the viewport. Every
  // rectangle handed to the presenter is cut to these bounds (time areas,
  // which reach down without end, included), nothing that is not finite is
  // handed over, and the rows drawn are those of the dirty rectangle within
  // these bounds, at most 2^20 of them.
  virtual void draw(const Rectangle& within);
  // The standard drawing of a whole bar (dependency line), called back by
  // presenters: resolves the element's style and permissions and calls the
  // presenter's detailed requirements. A bar without an item or finite
  // bounds, or a line of fewer than two points or with a point that is not
  // finite, draws nothing.
  virtual void draw(const GanttChartBar& bar);
  virtual void draw(const GanttChartDependencyLine& dependencyLine);
  // The tool tip of the bar or dependency line at a point, as the presenter
  // gives it; none while the settings hide tool tips or without a presenter.
  [[nodiscard]] virtual std::optional<std::string> toolTip(const Point& point);
  // The item's (dependency's) details; none for a null item (dependency).
  [[nodiscard]] virtual std::optional<std::string> toolTip(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual std::optional<std::string> toolTip(
      const GanttChartDependencyPtr& dependency) const;
  // The cursor for the element at a point.
  [[nodiscard]] virtual std::optional<Cursor> cursor(const Point& point) const;

 protected:
  // The background: plain white (near-black in dark mode) while the settings
  // hold a default style assigned by hand, then the style's background
  // colour when it has one.
  virtual void drawBackground();
  // The row's background colour and borders from the style's row styles.
  [[nodiscard]] virtual std::optional<Color> backgroundColor(int64_t row) const;
  [[nodiscard]] virtual std::optional<std::vector<Border>> borders(int64_t row) const;
  virtual void drawHighlightedScheduleAreas(const Rectangle& rectangle);
  virtual void drawHighlightedIntervalAreas(const Rectangle& rectangle);
  virtual void drawDependencyLineThumb();
  virtual void drawTemporaryDependencyLine();
  virtual void drawTemporaryBar();
  // The cursor over a bar, by the action a drag from there would take; none
  // over a line or empty space.
  [[nodiscard]] virtual std::optional<Cursor> cursor(const GanttChartElement& element) const;

 private:
  // The bounds described at `draw`, and the margin by which they reach
  // beyond the diagram and the viewport.
  [[nodiscard]] Rectangle drawingBounds() const;
  [[nodiscard]] double drawingMargin() const;
  void drawDiagramBorders();
  void drawRows(const Rectangle& rectangle);
  void drawDependencyLines(const Rectangle& rectangle);
  void drawBars(const Rectangle& rectangle);
  void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& completed,
                         const Rectangle& area);
  void drawLabels(const GanttChartItemPtr& item, const Rectangle& bounds, const Rectangle& area);

 public:
  // ===========================================================================
  // Hit testing, activation, selection and editing
  // ===========================================================================

  // What the point hits, the first that applies: the link thumb shown (a bar
  // element that never allows deleting), a bar within
  // `resizingBarAreaWidth` of its ends (with the action a drag from there
  // would take), a dependency line within `maxLineHoveringDistance`, or
  // empty space (its row, not limited to the rows that exist, and the
  // snapped time). A point with a coordinate that is not finite hits empty
  // space at row 0 and the epoch where nothing may be created.
  [[nodiscard]] virtual GanttChartElement element(const Point& point) const;
  // An activating click: toggles a summary's expansion (when the settings say
  // so), else tells the activator of the bar, line or empty spot under the
  // point. A point that is not finite activates nothing.
  virtual void activate(const Point& point);
  // Selects whatever the point hits, empty space included, while selecting
  // is allowed.
  virtual void select(const Point& point);
  // Cancels the focus, then focuses what the point hits; optionally selects
  // it and brings its bar or line to the front.
  virtual void focusElement(const Point& point, bool selecting, bool bringingToFront);
  // Forgets the focus and, with it, the link thumb and the temporary bar;
  // nothing happens while nothing is focused.
  virtual void cancelFocus();
  [[nodiscard]] virtual std::optional<GanttChartElement> elementFocusing(const Point& point,
                                                                         bool bringingToFront);
  [[nodiscard]] virtual const std::optional<GanttChartElement>& focusedElement() const {
    return focusedElement_;
  }
  // The item of a focused bar, the dependency of a focused line, the
  // position of focused empty space; null (nullopt) otherwise.
  [[nodiscard]] virtual GanttChartItemPtr focusedItem() const;
  [[nodiscard]] virtual GanttChartDependencyPtr focusedDependency() const;
  [[nodiscard]] virtual std::optional<GanttChartPosition> focusedEmptyAreaPosition() const;
  [[nodiscard]] virtual const std::optional<GanttChartElement>& selectedElement() const {
    return selectedElement_;
  }
  // The item of a selected bar (dependency of a selected line), else null.
  // Setting selects its bar (line) whatever `allowsSelectingElements` says;
  // null clears the selection. Either way the selection observer is told.
  [[nodiscard]] virtual GanttChartItemPtr selectedItem() const;
  virtual void setSelectedItem(GanttChartItemPtr item);
  [[nodiscard]] virtual GanttChartDependencyPtr selectedDependency() const;
  virtual void setSelectedDependency(GanttChartDependencyPtr dependency);

  // After the controller created an item (dependency): select it when the
  // settings say so, then let the editor initialise it.
  virtual void initialize(const GanttChartItemPtr& item);
  virtual void initialize(const GanttChartDependencyPtr& dependency);
  // False without an editor, whatever the settings say.
  [[nodiscard]] virtual bool canEdit(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual bool canEdit(const GanttChartDependencyPtr& dependency) const;
  // Opens the editor when `canEdit` allows it, then redraws.
  virtual void edit(const GanttChartItemPtr& item);
  virtual void edit(const GanttChartDependencyPtr& dependency);
  // Creates an item at `time` snapped to the time scale, unless the editor
  // refuses (asked with the unsnapped time). A time that is not finite or
  // lies outside `Time::min()`...`Time::max()` creates nothing.
  virtual void addNewItem(int64_t row, const Time& time, bool isMilestone);
  // Remove through the item manager unless the editor refuses; a removed
  // item (dependency) stops being selected first, and a drag of the removed
  // item ends as cancelled.
  virtual void removeItem(const GanttChartItemPtr& item);
  virtual void removeDependency(const GanttChartDependencyPtr& dependency);

 protected:
  // Tells the selection observer, then redraws bars and lines.
  virtual void selectedElementDidChange();

 private:
  // Brings the item (dependency) to the front while the settings allow
  // updating z-indexes.
  void raiseToFront(const GanttChartItemPtr& item);
  void raiseToFront(const GanttChartDependencyPtr& dependency);

  std::optional<GanttChartElement> focusedElement_;
  std::optional<GanttChartElement> selectedElement_;

 public:
  // ===========================================================================
  // Dragging
  // ===========================================================================

  // Starts the drag that the element under the point offers: scrolling on
  // empty space (when `acceptScrolling`), the bar's action on a bar. A drag
  // already under way is cancelled first. A point that is not finite starts
  // nothing.
  virtual void beginDragging(const Point& point, bool acceptScrolling);
  // Runs one drag step at the point and then repeats it every
  // `autoScrollInterval` seconds while the pointer rests, the point moving
  // with the viewport. Ignored while no drag is under way, for a point that
  // is not finite, and when called from inside a step. A step whose item the
  // manager no longer holds cancels the drag; a step that would apply the
  // very time (row) applied last skips the update and only scrolls. A bar
  // dragged between rows goes at most to the last row the diagram had when
  // the drag began. So that the number of steps that carry a drag to a
  // point does not change where the dragged item ends, a step whose update
  // would build on what the scheduling rules made of that item in earlier
  // steps (a pushed or clamped bar, a cut-off completed part) first puts the
  // item back where it stood when the drag began, without asking the rules;
  // the update then moves it as one step from there would, and the rules
  // place its successors from it again. Only the dragged item goes back:
  // items the earlier steps' rules moved stay until this step's rules place
  // them, so successors that rules only ever push later (sources aggregated
  // that way) keep the furthest place a step gave them, and so do those
  // stretched by rules that do not keep durations. Not put back either are
  // a parent whose children a hierarchy moves along with it, and any item
  // while a host's own rule is among the rules: the put-back could leave
  // behind what such a rule moved with the item. The view keeps a resized
  // end in sight only as far as the pointer put it, not where the rules
  // pushed it beyond. A step that moves the timeline's start (no scrollable
  // timeline is set) asks the view to scroll along; what the view cannot
  // follow moves the content under the pointer, and every later point, like
  // the resting pointer, is read as in the layout the drag began with, so
  // the bar does not run ahead of the pointer movement after movement.
  virtual void continueDragging(const Point& point);
  // Ends the drag, creating the dependency being drawn when it has a valid
  // target (never the source itself), the editor agrees and the manager
  // still holds both items.
  virtual void endDragging();
  // Ends the drag without completing anything.
  virtual void cancelDragging();
  [[nodiscard]] virtual const std::optional<GanttChartDraggingOperation>& draggingOperation()
      const {
    return draggingOperation_;
  }
  [[nodiscard]] virtual std::optional<Cursor> draggingCursor() const { return draggingCursor_; }
  [[nodiscard]] virtual const std::optional<GanttChartDraggingCompletion>& draggingCompletion()
      const {
    return draggingCompletion_;
  }

 private:
  // The drag step at the stored pointer; afterwards the pointer moves with
  // the viewport, and by whatever shift of the timeline's origin the view
  // did not follow, so that it keeps denoting the same place.
  void runDraggingStep();
  // One step of the operation under way at `pointer`; returns the shift of
  // the timeline's origin, in points, that the view did not follow.
  double draggingStep(const Point& pointer);
  // Moves (resizes) the bar for a time-changing operation; see
  // `draggingStep`.
  double dragBarInTime(const GanttChartDraggingOperation& operation, const Point& pointer);
  void dragBarVertically(const GanttChartItemPtr& item, const Point& pointer);
  void drawDependencyLineTo(const GanttChartItemPtr& from, GanttChartDependencyEndType fromType,
                            const Point& pointer);
  // Asks the view to follow a move of the actual timeline's start away from
  // `previousStart` (the items' span widened when no scrollable timeline is
  // set), so that the content stays where it was on screen; returns the part
  // of the shift the viewport did not follow.
  double followTimelineShift(const Time& previousStart);
  void draggingTimerDidFire(uint64_t drag);
  // The end of a drag shared by `endDragging` (completing) and
  // `cancelDragging`.
  void finishDragging(bool completing);
  // Stops the timer and forgets the drag's operation, pointer, cursor,
  // completion and applied values.
  void forgetDragging();
  void completeDependencyLine(const GanttChartDraggingOperation& operation,
                              const std::optional<GanttChartDraggingCompletion>& completion);
  // The item the drag under way edits (the source of a dependency being
  // drawn); null while none does.
  [[nodiscard]] GanttChartItemPtr draggedItem() const;
  // Whether the item manager still holds the item: among its filtered items,
  // else among all it makes available (when that list is known).
  [[nodiscard]] bool managesItem(const GanttChartItemPtr& item) const;

  std::optional<GanttChartDraggingOperation> draggingOperation_;
  std::optional<Cursor> draggingCursor_;
  std::optional<GanttChartDraggingCompletion> draggingCompletion_;
  // Repeats the drag step while the pointer rests; valid only during a drag.
  RepeatingTimer draggingTimer_;
  // The last pointer position of the drag, moved with the viewport.
  std::optional<Point> draggingToPoint_;
  // How far the drag's steps moved the content across the view without the
  // view scrolling along (they moved the timeline's start, and the view
  // could not follow). Added to each point `continueDragging` receives, so
  // that every point of a drag is read as in the layout it began with.
  double draggingUnfollowedShift_ = 0;
  // Counts drags begun and ended, so that a step or tick notices when a
  // callback it made ended its drag (or began another).
  uint64_t draggingGeneration_ = 0;
  bool isRunningDraggingStep_ = false;
  bool isFinishingDragging_ = false;
  // The time (row) the drag applied last, so that a resting pointer does not
  // apply it again.
  std::optional<Time> draggedTime_;
  std::optional<int64_t> draggedRow_;
  // Set for the drags that edit an item in time; see `continueDragging`.
  std::optional<detail::DragBaseline> dragBaseline_;
  // The rows the diagram had when a drag between rows began: moving the bar
  // into the extra row below adds a row, which must not let a pointer
  // resting below the diagram walk the bar further down tick after tick.
  std::optional<int64_t> draggingRowCount_;

 public:
  // ===========================================================================
  // Zooming, link thumb, temporary line and bar, scrolling, timeline
  // shifting and timers
  // ===========================================================================

  // Zooming keeps the time at the centre of the visible timeline in place.
  // `continueZooming(factor)` sets the zoom to the zoom at the beginning times
  // `factor`; it does nothing before `beginZooming()` (or when zooming is not
  // allowed) and for a factor that is not a positive finite number.
  virtual void beginZooming();
  virtual void continueZooming(double factor);
  virtual void endZooming();

  // Shows the link thumb at the end of the bar near the point when a new
  // dependency may start there; true when one is shown. The observer hears
  // of the thumb being hidden first, and again when one is shown.
  virtual bool showDependencyLineThumb(const Point& point);
  virtual void hideDependencyLineThumb();
  [[nodiscard]] virtual const std::optional<GanttChartDependencyLineThumbArea>&
  dependencyLineThumbArea() const {
    return dependencyLineThumbArea_;
  }
  // The line being drawn while a dependency is created by dragging.
  [[nodiscard]] virtual const std::optional<GanttChartTemporaryDependencyLine>&
  temporaryDependencyLine() const {
    return temporaryDependencyLine_;
  }
  // Shows the outline of the bar a new item at the point would get, when
  // the point lies on empty space of an existing row where creating is
  // allowed; true when one is shown.
  virtual bool showTemporaryBar(const Point& point);
  virtual void hideTemporaryBar();
  [[nodiscard]] virtual const std::optional<GanttChartTemporaryBar>& temporaryBar() const {
    return temporaryBar_;
  }

  // Scroll requests to the scroller; silent without one. A request whose
  // span is not finite is not sent; a margin that is not finite counts as 0.
  virtual void scroll(const TimeRange& range, std::optional<double> margin = std::nullopt);
  virtual void scroll(const Time& time, std::optional<double> margin = std::nullopt);
  virtual void scrollVertically(const RowRange& range,
                                std::optional<double> margin = std::nullopt);
  virtual void scrollVertically(int64_t row, std::optional<double> margin = std::nullopt);
  // Moves the viewport by the distances; a distance of 0 sends nothing.
  virtual void scrollBy(double dx, double dy);
  // The moment half-way, in visible working time, through the visible
  // timeline.
  [[nodiscard]] virtual Time visibleTimelineCenter() const;
  // Scroll so that the visible timeline, keeping its visible working
  // duration, is centred on (starts at, finishes at) the time.
  virtual void scrollVisibleTimelineToCenterOn(const Time& time);
  virtual void scrollVisibleTimelineToStartOn(const Time& time);
  virtual void scrollVisibleTimelineToFinishOn(const Time& time);
  // Half the number of visible rows: an offset from the first visible row,
  // not a row index.
  [[nodiscard]] virtual int64_t visibleRangeCenter() const;
  // Scroll so that the visible rows are centred on (begin with, end with)
  // the row.
  virtual void scrollVisibleRangeToCenterOn(int64_t row);
  virtual void scrollVisibleRangeToBeginWith(int64_t row);
  virtual void scrollVisibleRangeToEndWith(int64_t row);

  // Called after the user scrolled horizontally: once the viewport has gone
  // past one end of the timeline (and not the other), moves the scrollable
  // timeline by `autoShiftsScrollableTimelineBy` seconds that way. At most
  // once per `kShiftingScrollableTimelineAwait` seconds of the run loop's
  // clock; every call that gets past the pause renews it. A shift that is
  // not a finite non-zero number, or that would leave the range of `Time`,
  // changes nothing.
  virtual void shiftScrollableTimelineIfNeeded();

  // Replaces any auto-refresh timer by one on the current run loop that,
  // while an interval highlighter shows the current moment, redraws the
  // highlighted interval areas every `interval` units. The timer holds the
  // controller weakly and stops when the controller goes; a non-positive or
  // non-finite interval leaves no timer running.
  virtual void initializeAutoRefreshTimer(double interval, TimeUnit unit);
  virtual void invalidateAutoRefreshTimer();

 protected:
  // Seconds between two automatic shifts of the scrollable timeline.
  static constexpr double kShiftingScrollableTimelineAwait = 0.75;

 private:
  // Sends a scroll request when its span is finite.
  void requestScroll(double startX, double finishX) const;
  void requestVerticalScroll(double startY, double finishY) const;
  // Shows the thumb at the `type` end of the bar, `distance` wide.
  void showDependencyLineThumb(const GanttChartBar& bar, GanttChartDependencyEndType type,
                               double distance);
  // Routes the temporary line of a dependency being drawn from the
  // `fromType` end of `from` to the valid target under the pointer (which
  // also becomes the drag's completion), else to the pointer.
  void updateTemporaryDependencyLine(const GanttChartItemPtr& from,
                                     GanttChartDependencyEndType fromType, const Point& pointer);
  void autoRefreshTimerDidFire();

  // Zoom at the start of a zoom gesture and the time kept in place; both
  // present or both absent.
  std::optional<double> zoomingFrom_;
  std::optional<Time> zoomingOnTime_;
  std::optional<GanttChartDependencyLineThumbArea> dependencyLineThumbArea_;
  std::optional<GanttChartTemporaryDependencyLine> temporaryDependencyLine_;
  std::optional<GanttChartTemporaryBar> temporaryBar_;
  RepeatingTimer autoRefreshTimer_;
  // The earliest reading of the run loop's monotonic clock at which the
  // scrollable timeline may shift again; no shift has happened yet at
  // construction, so the first request may shift at once.
  double nextTimeForShiftingScrollableTimeline_ = -std::numeric_limits<double>::infinity();

 public:
  // ===========================================================================
  // Settings changes, themes and modes
  // ===========================================================================

  // To be called by the host after it assigned changed settings: clears the
  // caches and tells the observer (settings, bars, lines, thumb, schedule
  // areas, interval areas).
  virtual void settingsDidChange();
  // The theme of the default style (`standard`); assigning re-applies it,
  // forced.
  [[nodiscard]] virtual const Theme& theme() const { return theme_; }
  virtual void setTheme(Theme theme);
  // The mode to apply the theme in; absent defers to the mode provider.
  // Assigning re-applies the theme, forced.
  [[nodiscard]] virtual std::optional<Mode> mode() const { return mode_; }
  virtual void setMode(std::optional<Mode> mode);
  // Held strongly; assigning re-applies the theme unless nothing changed.
  [[nodiscard]] virtual const std::shared_ptr<ModeProvider>& modeProvider() const {
    return modeProvider_;
  }
  virtual void setModeProvider(std::shared_ptr<ModeProvider> provider);
  // `mode` when set, else the provider's mode, else light.
  [[nodiscard]] virtual Mode actualMode() const;
  // The style registered for exactly this custom theme name and mode (an
  // absent mode is an entry of its own, for every mode).
  [[nodiscard]] virtual std::optional<GanttChartContentBaseStyle> styleForTheme(
      const std::string& name, std::optional<Mode> mode) const;
  // Registers the style (or, with none, removes the entry), then re-applies
  // the theme, forced.
  virtual void setStyleForTheme(const std::string& name, std::optional<Mode> mode,
                                std::optional<GanttChartContentBaseStyle> style);

  // Brings the settings' default style up to date with `theme` in
  // `actualMode()`. Unless forced, nothing happens while the settings record
  // the theme `none` (the host assigned a default style itself) or already
  // record this theme and mode. A custom theme without a registered style
  // keeps the current default style and tells nobody. Otherwise the theme's
  // style, replaced by the style provider's answer when one is set, becomes
  // the default style; the theme and mode are recorded; `settingsDidChange()`
  // runs and the style observer hears of the new and the previous style.
  virtual void updateDefaultStyle(bool force);

 private:
  void applyDefaultStyleUpdate(bool force);

  Theme theme_ = Theme::standard();
  std::optional<Mode> mode_;
  std::shared_ptr<ModeProvider> modeProvider_;
  std::unordered_map<CustomThemeReference, GanttChartContentBaseStyle> styleForTheme_;
  CoalescedWrites<bool> defaultStyleUpdates_;

 public:
  // ===========================================================================
  // Collaborators, held weakly and looked up at each call
  // ===========================================================================

  [[nodiscard]] virtual std::shared_ptr<GanttChartContentObserver> observer() const {
    return observer_.lock();
  }
  virtual void setObserver(std::weak_ptr<GanttChartContentObserver> observer) {
    observer_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentRangeObserver> rangeObserver() const {
    return rangeObserver_.lock();
  }
  virtual void setRangeObserver(std::weak_ptr<GanttChartContentRangeObserver> observer) {
    rangeObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentTimelineObserver> timelineObserver()
      const {
    return timelineObserver_.lock();
  }
  virtual void setTimelineObserver(std::weak_ptr<GanttChartContentTimelineObserver> observer) {
    timelineObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentScroller> scroller() const {
    return scroller_.lock();
  }
  virtual void setScroller(std::weak_ptr<GanttChartContentScroller> scroller) {
    scroller_ = std::move(scroller);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentPresenter> presenter() const {
    return presenter_.lock();
  }
  virtual void setPresenter(std::weak_ptr<GanttChartContentPresenter> presenter) {
    presenter_ = std::move(presenter);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentActivator> activator() const {
    return activator_.lock();
  }
  virtual void setActivator(std::weak_ptr<GanttChartContentActivator> activator) {
    activator_ = std::move(activator);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentEditor> editor() const {
    return editor_.lock();
  }
  virtual void setEditor(std::weak_ptr<GanttChartContentEditor> editor) {
    editor_ = std::move(editor);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentSelectionObserver> selectionObserver()
      const {
    return selectionObserver_.lock();
  }
  virtual void setSelectionObserver(std::weak_ptr<GanttChartContentSelectionObserver> observer) {
    selectionObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentViewportObserver> viewportObserver()
      const {
    return viewportObserver_.lock();
  }
  virtual void setViewportObserver(std::weak_ptr<GanttChartContentViewportObserver> observer) {
    viewportObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentStyleProvider> styleProvider() const {
    return styleProvider_.lock();
  }
  virtual void setStyleProvider(std::weak_ptr<GanttChartContentStyleProvider> provider) {
    styleProvider_ = std::move(provider);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentStyleObserver> styleObserver() const {
    return styleObserver_.lock();
  }
  virtual void setStyleObserver(std::weak_ptr<GanttChartContentStyleObserver> observer) {
    styleObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartDiagramGenerator> diagramGenerator() const {
    return diagramGenerator_.lock();
  }
  virtual void setDiagramGenerator(std::weak_ptr<GanttChartDiagramGenerator> generator) {
    diagramGenerator_ = std::move(generator);
  }
  // `diagramGenerator` while it is alive, else the controller itself.
  [[nodiscard]] virtual std::shared_ptr<const GanttChartDiagramGenerator> actualDiagramGenerator()
      const;

 private:
  std::weak_ptr<GanttChartContentObserver> observer_;
  std::weak_ptr<GanttChartContentRangeObserver> rangeObserver_;
  std::weak_ptr<GanttChartContentTimelineObserver> timelineObserver_;
  std::weak_ptr<GanttChartContentScroller> scroller_;
  std::weak_ptr<GanttChartContentPresenter> presenter_;
  std::weak_ptr<GanttChartContentActivator> activator_;
  std::weak_ptr<GanttChartContentEditor> editor_;
  std::weak_ptr<GanttChartContentSelectionObserver> selectionObserver_;
  std::weak_ptr<GanttChartContentViewportObserver> viewportObserver_;
  std::weak_ptr<GanttChartContentStyleProvider> styleProvider_;
  std::weak_ptr<GanttChartContentStyleObserver> styleObserver_;
  std::weak_ptr<GanttChartDiagramGenerator> diagramGenerator_;
};

using GanttChartContentControllerPtr = std::shared_ptr<GanttChartContentController>;

}  // namespace vorlent
