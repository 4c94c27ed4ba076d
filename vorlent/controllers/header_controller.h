#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/header_protocols.h"
#include "vorlent/controllers/viewport_cache.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"
#include "vorlent/intervals/header_cell.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/style/header_base_style.h"
#include "vorlent/style/header_settings.h"
#include "vorlent/style/header_style.h"
#include "vorlent/style/theme.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// The toolkit-free logic of the time-scale header above the chart area: the
// timeline it spans, the working-time schedule whose working time takes
// horizontal room, the header rows, the hour width and zoom, and the
// rectangle the view shows. From these it computes the header's size, the
// mapping between time and x, the row heights, the labelled cells and the
// highlighted schedule areas (cached per viewport), draws through a
// presenter, zooms by horizontal dragging and asks a scroller to move.
//
// Coordinates: x grows to the right from the start of `scrollableTimeline`,
// y downwards from the top of the header; only working time of
// `visibilitySchedule` takes room.
//
// Degenerate input never stops or loops: a non-finite actual hour width
// counts as 0, so every time maps to x 0 and every position to the
// timeline's start; a non-finite viewport is refused; `row` saturates. Made
// by `create()` (the auto-refresh timer refers back to the controller
// weakly). A host may drop its last reference from inside a notification or
// a drawing call; the controller finishes that call first. Main thread only.
// Every public member but `updateDefaultStyle` may be overridden, and the
// controller calls its own members virtually.
class GanttChartHeaderController : public std::enable_shared_from_this<GanttChartHeaderController> {
 public:
  // Spans the given timeline, or without one the current week of the
  // current zone (Sunday 0:00 to the next Sunday 0:00). Two rows, weeks over
  // days labelled with the short weekday, read from the shared interval
  // types at this moment. Sends nothing.
  static std::shared_ptr<GanttChartHeaderController> create(
      std::optional<TimeRange> scrollableTimeline = std::nullopt);

  virtual ~GanttChartHeaderController();
  GanttChartHeaderController(const GanttChartHeaderController&) = delete;
  GanttChartHeaderController& operator=(const GanttChartHeaderController&) = delete;

  // --- Timeline, schedule and rows ----------------------------------------
  // An equal timeline (24:00 equal to the next day's 0:00) changes nothing.
  // A reversed or empty timeline is kept as given.
  [[nodiscard]] virtual TimeRange scrollableTimeline() const { return scrollableTimeline_; }
  virtual void setScrollableTimeline(const TimeRange& timeline);
  // Compared by identity; null stands for the continuous preset.
  [[nodiscard]] virtual std::shared_ptr<ScheduleDefinition> visibilitySchedule() const {
    return visibilitySchedule_;
  }
  virtual void setVisibilitySchedule(std::shared_ptr<ScheduleDefinition> schedule);
  // Owned. Every assignment clears the caches and notifies, an equal one too.
  [[nodiscard]] virtual std::shared_ptr<const GanttChartHeaderRowSelector> rowSelector() const {
    return rowSelector_;
  }
  virtual void setRowSelector(std::shared_ptr<const GanttChartHeaderRowSelector> selector);
  // Top to bottom. Every assignment clears the caches and notifies.
  [[nodiscard]] virtual const std::vector<GanttChartHeaderRow>& rows() const { return rows_; }
  virtual void setRows(std::vector<GanttChartHeaderRow> rows);
  // The row selector's rows for the actual hour width, else `rows()`; asked
  // at every read.
  [[nodiscard]] virtual std::vector<GanttChartHeaderRow> actualRows() const;
  [[nodiscard]] virtual int64_t rowCount() const;
  // The viewport height shared by the rows (the whole height without rows).
  [[nodiscard]] virtual double rowHeight() const;

  // --- Scale -----------------------------------------------------------------
  // Points per visible hour at zoom 1.
  [[nodiscard]] virtual double hourWidth() const { return hourWidth_; }
  virtual void setHourWidth(double hourWidth);
  [[nodiscard]] virtual double zoom() const { return zoom_; }
  // When an observer assigns another zoom during the notifications, the
  // viewport observer hears of that one only, so its last word is the zoom
  // in force. The viewport behaves alike.
  virtual void setZoom(double zoom);
  // Brings the value into the settings' zoom limits (`maxZoom` wins when
  // they cross), stores it and returns the zoom now stored. A NaN keeps the
  // current zoom.
  virtual double setZoomCoercing(double zoom);
  // zoom × hourWidth; 0 when that is not finite.
  [[nodiscard]] virtual double actualHourWidth() const;

  // --- Viewport and geometry -------------------------------------------------
  // The visible part of the header, written by the view. A rectangle with a
  // non-finite coordinate is refused.
  [[nodiscard]] virtual Rectangle viewport() const { return viewport_; }
  virtual void setViewport(const Rectangle& viewport);
  // The working hours of the timeline times the actual hour width (cached),
  // and the height of all rows (0 without rows).
  [[nodiscard]] virtual Size totalDiagramHeaderSize() const;
  [[nodiscard]] virtual double x(const Time& time) const;
  [[nodiscard]] virtual double width(const TimeRange& range) const;
  [[nodiscard]] virtual double top(int64_t row) const;
  [[nodiscard]] virtual double middle(int64_t row) const;
  [[nodiscard]] virtual double bottom(int64_t row) const;
  // Always a working instant: a position inside non-working time maps to the
  // first working instant after it.
  [[nodiscard]] virtual Time time(double x) const;
  // Rounded down; a zero row height or a non-finite position saturates at
  // the integer limits (0 for NaN).
  [[nodiscard]] virtual int64_t row(double y) const;
  [[nodiscard]] virtual TimeRange visibleTimeline() const;
  [[nodiscard]] virtual TimeRange timeline(const Rectangle& rectangle) const;
  [[nodiscard]] virtual TimeRange timeline(double left, double width) const;
  // Normalised; without a row the rectangle is as tall as the header.
  [[nodiscard]] virtual Rectangle bounds(const TimeRange& range, std::optional<int64_t> row) const;

  // --- Areas and cells -------------------------------------------------------
  // Every assignment clears the caches and notifies, an equal one too.
  [[nodiscard]] virtual const std::vector<ScheduleTimeSelector>& scheduleHighlighters() const {
    return scheduleHighlighters_;
  }
  virtual void setScheduleHighlighters(std::vector<ScheduleTimeSelector> highlighters);
  // Of the visible timeline, computed once per viewport.
  [[nodiscard]] virtual std::vector<ScheduleTimeArea> highlightedScheduleAreas() const;
  // Those whose bounds meet the rectangle (touching edges count), in order.
  [[nodiscard]] virtual std::vector<ScheduleTimeArea> highlightedScheduleAreas(
      const Rectangle& rectangle) const;
  // Row by row, selector by selector, computed once per viewport. Cells of
  // period selectors that come out with no width are left out.
  [[nodiscard]] virtual std::vector<GanttChartHeaderCell> cells() const;
  [[nodiscard]] virtual std::vector<GanttChartHeaderCell> cells(const Rectangle& rectangle) const;

  // --- Settings and styles ---------------------------------------------------
  // Assigning stores only; call `settingsDidChange()` afterwards.
  [[nodiscard]] virtual const GanttChartHeaderSettings& settings() const { return settings_; }
  virtual void setSettings(GanttChartHeaderSettings settings) { settings_ = std::move(settings); }
  [[nodiscard]] virtual const GanttChartHeaderBaseStyle& defaultStyle() const {
    return settings_.defaultStyle();
  }
  // A default style set by hand stays until `theme`, `mode` or a custom
  // style registration replaces it.
  virtual void setDefaultStyle(GanttChartHeaderBaseStyle style) {
    settings_.setDefaultStyle(std::move(style));
  }
  [[nodiscard]] virtual const GanttChartHeaderStyle& style() const { return settings_.style(); }
  virtual void setStyle(GanttChartHeaderStyle style) { settings_.setStyle(std::move(style)); }
  [[nodiscard]] virtual const GanttChartHeaderBaseStyle& actualStyle() const {
    return settings_.actualStyle();
  }

  // --- Drawing ---------------------------------------------------------------
  // Draws the part of the header inside the rectangle through the presenter:
  // background, borders, highlighted schedule areas, cells. A rectangle that
  // does not meet the viewport draws nothing. Areas and backgrounds that
  // extend downwards end at the header's bottom; calls whose geometry would
  // not be finite are left out.
  virtual void draw(const Rectangle& within);

  // --- Zooming by dragging ---------------------------------------------------
  // Starts a zoom drag at a point in header coordinates when zooming is
  // allowed; again while dragging starts over from the current zoom.
  virtual void beginDragging(const Point& point);
  // Sets the zoom from the whole distance dragged since the start: a dead
  // zone of `zoomingThresholdWidth` points holds zoom 1 exactly, each
  // `zoomingUnitWidth` points beyond it change the zoom by 1, within the
  // zoom limits (`minZoom` wins when they cross); then keeps the time that
  // was centred when the drag began at the centre. Does nothing outside a
  // drag or with a unit width that is not positive and finite.
  virtual void continueDragging(const Point& point);
  virtual void endDragging();
  // The drag's start x relative to the viewport, the zoom and the centred
  // time when it began; all present during a drag only.
  [[nodiscard]] virtual std::optional<double> draggingFromX() const { return draggingFromX_; }
  [[nodiscard]] virtual std::optional<double> zoomingFrom() const { return zoomingFrom_; }
  [[nodiscard]] virtual std::optional<Time> zoomingTime() const { return zoomingTime_; }

  // --- Scrolling requests ----------------------------------------------------
  // Each asks the scroller once (nothing without one); the controller itself
  // changes nothing. A non-finite margin counts as none.
  virtual void scroll(const TimeRange& range, std::optional<double> margin);
  virtual void scroll(const Time& time, std::optional<double> margin);
  // A zero or non-finite distance asks nothing.
  virtual void scrollBy(double dx);
  // The moment halfway, in working time, through the visible timeline.
  [[nodiscard]] virtual Time visibleTimelineCenter() const;
  // Keep the visible timeline's working duration and put it around, after
  // or before the time.
  virtual void scrollVisibleTimelineToCenterOn(const Time& time);
  virtual void scrollVisibleTimelineToStartOn(const Time& time);
  virtual void scrollVisibleTimelineToFinishOn(const Time& time);

  // --- Automatic refresh -----------------------------------------------------
  // Replaces any running timer with one on the current run loop that, every
  // interval, rebuilds the cells when a row shows the current moment. The
  // timer holds the controller weakly and stops when the controller goes. A
  // non-positive or non-finite interval leaves no timer running.
  virtual void initializeAutoRefreshTimer(double interval, TimeUnit unit);
  virtual void invalidateAutoRefreshTimer();

  // Clears the caches and tells the observer that areas and cells changed.
  virtual void settingsDidChange();

  // --- Themes ----------------------------------------------------------------
  // Assigning the theme or the mode re-applies the theme at once.
  [[nodiscard]] virtual Theme theme() const { return theme_; }
  virtual void setTheme(Theme theme);
  [[nodiscard]] virtual std::optional<Mode> mode() const { return mode_; }
  virtual void setMode(std::optional<Mode> mode);
  // Owned. Assigning re-applies the theme unless the default style was set
  // by hand.
  [[nodiscard]] virtual std::shared_ptr<const ModeProvider> modeProvider() const {
    return modeProvider_;
  }
  virtual void setModeProvider(std::shared_ptr<const ModeProvider> provider);
  // `mode()`, else the provider's mode, else light.
  [[nodiscard]] virtual Mode actualMode() const;
  // The style registered under exactly that name and mode (an absent mode is
  // a key of its own), or std::nullopt.
  [[nodiscard]] virtual std::optional<GanttChartHeaderBaseStyle> styleForTheme(
      const std::string& name, std::optional<Mode> mode) const;
  // Registers the style (std::nullopt removes it), then re-applies the theme.
  virtual void setStyleForTheme(const std::string& name, std::optional<Mode> mode,
                                std::optional<GanttChartHeaderBaseStyle> style);
  // Builds the default style of `theme()` in `actualMode()` into the
  // settings and records the pair. Unless forced it does nothing when the
  // settings hold a style set by hand or the pair is already recorded. A
  // custom theme with no style registered for it keeps the current default
  // style and records nothing.
  void updateDefaultStyle(bool force);

  // --- References (held weakly, except where noted above) -------------------
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderObserver> observer() const {
    return observer_.lock();
  }
  virtual void setObserver(std::weak_ptr<GanttChartHeaderObserver> observer) {
    observer_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderRowArrayObserver> rowArrayObserver() const {
    return rowArrayObserver_.lock();
  }
  virtual void setRowArrayObserver(std::weak_ptr<GanttChartHeaderRowArrayObserver> observer) {
    rowArrayObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderTimelineObserver> timelineObserver() const {
    return timelineObserver_.lock();
  }
  virtual void setTimelineObserver(std::weak_ptr<GanttChartHeaderTimelineObserver> observer) {
    timelineObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderScroller> scroller() const {
    return scroller_.lock();
  }
  virtual void setScroller(std::weak_ptr<GanttChartHeaderScroller> scroller) {
    scroller_ = std::move(scroller);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderPresenter> presenter() const {
    return presenter_.lock();
  }
  virtual void setPresenter(std::weak_ptr<GanttChartHeaderPresenter> presenter) {
    presenter_ = std::move(presenter);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderViewportObserver> viewportObserver() const {
    return viewportObserver_.lock();
  }
  virtual void setViewportObserver(std::weak_ptr<GanttChartHeaderViewportObserver> observer) {
    viewportObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderStyleProvider> styleProvider() const {
    return styleProvider_.lock();
  }
  virtual void setStyleProvider(std::weak_ptr<GanttChartHeaderStyleProvider> provider) {
    styleProvider_ = std::move(provider);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartHeaderStyleObserver> styleObserver() const {
    return styleObserver_.lock();
  }
  virtual void setStyleObserver(std::weak_ptr<GanttChartHeaderStyleObserver> observer) {
    styleObserver_ = std::move(observer);
  }

 protected:
  // For subclasses, which are made with `std::make_shared` so that the
  // refresh timer can refer back to them.
  explicit GanttChartHeaderController(std::optional<TimeRange> scrollableTimeline);

 private:
  // A strong reference to this controller for the length of a call that
  // notifies: an observer or presenter may drop the host's last reference
  // while the call still has members to touch. Null for a controller not
  // owned by a std::shared_ptr.
  [[nodiscard]] std::shared_ptr<const GanttChartHeaderController> keepAlive() const {
    return weak_from_this().lock();
  }
  void clearCaches();
  // Notifications in their fixed order: schedule areas before cells, the
  // size before both, the timeline before the visible timeline.
  void tellAreasAndCellsDidChange();
  void tellLayoutDidChange();
  void tellTimelineDidChange();
  // Working hours for a distance in points: 0 when the quotient is not
  // finite, and never more than the whole time grid holds.
  [[nodiscard]] double hoursFor(double points) const;
  // Points for an amount of working seconds.
  [[nodiscard]] double pointsFor(double seconds) const;
  // Working seconds of the visibility schedule from start to finish.
  [[nodiscard]] double workingSeconds(const TimeRange& range) const;
  void requestScroll(double startX, double finishX);

  [[nodiscard]] bool showsCurrentTime() const;
  [[nodiscard]] std::shared_ptr<const std::vector<ScheduleTimeArea>> areasForViewport() const;
  [[nodiscard]] std::shared_ptr<const std::vector<GanttChartHeaderCell>> cellsForViewport() const;
  [[nodiscard]] std::vector<ScheduleTimeArea> buildHighlightedScheduleAreas() const;
  [[nodiscard]] std::vector<GanttChartHeaderCell> buildCells() const;
  [[nodiscard]] std::optional<TimeAreaStyle> cellStyle(const TimeRange& interval,
                                                       const TimeSelector& selector,
                                                       const GanttChartHeaderRow& row) const;

  void drawBackground(const Rectangle& within);
  void drawHighlightedScheduleAreas(const Rectangle& within);
  void drawCells(const Rectangle& within);
  void refreshTick();

  TimeRange scrollableTimeline_;
  std::shared_ptr<ScheduleDefinition> visibilitySchedule_;
  std::shared_ptr<const GanttChartHeaderRowSelector> rowSelector_;
  std::vector<GanttChartHeaderRow> rows_;
  double hourWidth_ = 2.5;
  double zoom_ = 1;
  Rectangle viewport_;
  std::vector<ScheduleTimeSelector> scheduleHighlighters_;
  GanttChartHeaderSettings settings_;
  std::optional<double> draggingFromX_;
  std::optional<double> zoomingFrom_;
  std::optional<Time> zoomingTime_;
  RepeatingTimer autoRefreshTimer_;
  mutable std::optional<bool> showsCurrentTime_;
  mutable std::optional<double> cachedTotalDiagramWidth_;
  mutable ViewportCache<std::vector<ScheduleTimeArea>> cachedHighlightedScheduleAreas_;
  mutable ViewportCache<std::vector<GanttChartHeaderCell>> cachedCells_;
  Theme theme_ = Theme::standard();
  std::optional<Mode> mode_;
  std::shared_ptr<const ModeProvider> modeProvider_;
  std::unordered_map<CustomThemeReference, GanttChartHeaderBaseStyle> styleForTheme_;
  std::weak_ptr<GanttChartHeaderObserver> observer_;
  std::weak_ptr<GanttChartHeaderRowArrayObserver> rowArrayObserver_;
  std::weak_ptr<GanttChartHeaderTimelineObserver> timelineObserver_;
  std::weak_ptr<GanttChartHeaderScroller> scroller_;
  std::weak_ptr<GanttChartHeaderPresenter> presenter_;
  std::weak_ptr<GanttChartHeaderViewportObserver> viewportObserver_;
  std::weak_ptr<GanttChartHeaderStyleProvider> styleProvider_;
  std::weak_ptr<GanttChartHeaderStyleObserver> styleObserver_;
};

}  // namespace vorlent
