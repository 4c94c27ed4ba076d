#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "vorlent/controllers/chart_protocols.h"
#include "vorlent/controllers/coalesced_writes.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/style/theme.h"

namespace vorlent {

// One chart made of a time-scale header controller and a chart-area
// (content) controller, kept in step: the header always spans the chart
// area's timeline with its visibility schedule, hour width and zoom, and
// scrolls to the chart area's visible timeline; scrolling or zooming the
// header moves the chart area after it. The chart controller republishes the
// two controllers' row, timeline and height events to its own observers and
// gathers their drawing calls into one `GanttChartPresenter`. It owns no
// geometry and draws nothing itself.
//
// It installs four adapters on the two controllers: as the header's
// row-array and timeline observer, the content's range and timeline
// observer, and both controllers' presenters. The controllers hold them
// weakly and the chart controller owns them, so releasing the chart
// controller leaves the two controllers working on their own. A view may
// replace the presenters (drawing then goes straight to it); the observer
// adapters must stay for the two to keep in step.
//
// Echoes. While the header is being brought in line with the chart area
// (its timeline, or its scale and visible timeline), the header's own
// visible-timeline notifications do not move the chart area, which would
// otherwise take back the header's not yet updated values; a notification
// nested inside that work (the chart area answering the zoom the header's
// limits imposed) leaves the guard as it was.
//
// Header height. Besides the header's row-array notification, a scale
// change that makes the header's row selector choose another number of rows
// is reported as a height change followed by a row-count change, once the
// running chain of notifications has finished.
//
// Made by `create()`. A host may drop its last reference from inside a
// notification; the chart controller finishes that call first. Main thread
// only. The public members may be overridden; the controller calls its own
// members virtually.
class GanttChartController : public std::enable_shared_from_this<GanttChartController> {
 public:
  // The adapters, defined in chart_controller_adapters.h. Each refers back
  // to the chart controller that made it without owning it; once that
  // controller is gone, every call does nothing (and a tool tip is none).
  class HeaderObserverAdapter;
  class ContentObserverAdapter;
  class HeaderPresenterAdapter;
  class ContentPresenterAdapter;

  // Joins the two fully built controllers: brings the header in line with
  // the content (its timeline, schedule, hour width, zoom within the
  // header's limits, which the content takes over too, and position), then
  // makes the adapters the header's row-array observer, timeline observer
  // and presenter and the content's range observer, timeline observer and
  // presenter. Their other collaborators (observer, scroller, …) stay. The
  // chart controller's theme and mode are not pushed to them. A null
  // controller is a fatal stop.
  static std::shared_ptr<GanttChartController> create(
      std::shared_ptr<GanttChartHeaderController> headerController,
      std::shared_ptr<GanttChartContentController> contentController);

  virtual ~GanttChartController();
  GanttChartController(const GanttChartController&) = delete;
  GanttChartController& operator=(const GanttChartController&) = delete;

  [[nodiscard]] const std::shared_ptr<GanttChartHeaderController>& headerController() const {
    return headerController_;
  }
  [[nodiscard]] const std::shared_ptr<GanttChartContentController>& contentController() const {
    return contentController_;
  }

  // The same adapter at every read, for as long as the chart controller
  // lives.
  [[nodiscard]] virtual std::shared_ptr<HeaderObserverAdapter> headerObserver() const {
    return headerObserver_;
  }
  [[nodiscard]] virtual std::shared_ptr<ContentObserverAdapter> contentObserver() const {
    return contentObserver_;
  }
  [[nodiscard]] virtual std::shared_ptr<HeaderPresenterAdapter> headerPresenter() const {
    return headerPresenter_;
  }
  [[nodiscard]] virtual std::shared_ptr<ContentPresenterAdapter> contentPresenter() const {
    return contentPresenter_;
  }

  // The height of one header row, in points (25). Every assignment, an
  // equal value included, tells `headerHeightDidChange()`.
  //
  // An assignment made by an observer while the row height, theme or mode
  // is being applied takes effect once that one has finished, so that the
  // latest value is the one left everywhere and an observer that always
  // assigns again cannot recurse without end (a few rounds are applied,
  // then further ones are dropped).
  [[nodiscard]] virtual double headerRowHeight() const { return headerRowHeight_; }
  virtual void setHeaderRowHeight(double height);
  // `headerRowHeight()` times the header's actual row count, asked at every
  // read; 0 without rows, and 0 where the product is NaN or negative.
  [[nodiscard]] virtual double headerHeight() const;

  // `standard`. Every assignment, an equal value included, gives both
  // controllers the theme and rebuilds their default styles, forced.
  [[nodiscard]] virtual const Theme& theme() const { return theme_; }
  virtual void setTheme(Theme theme);
  // Absent. Every assignment passes the value on to both controllers as
  // `setTheme` does; absent lets each fall back to its mode provider.
  [[nodiscard]] virtual std::optional<Mode> mode() const { return mode_; }
  virtual void setMode(std::optional<Mode> mode);

  // --- References, held weakly; assigning has no other effect -------------
  [[nodiscard]] virtual std::shared_ptr<GanttChartObserver> observer() const {
    return observer_.lock();
  }
  virtual void setObserver(std::weak_ptr<GanttChartObserver> observer) {
    observer_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartRangeObserver> rangeObserver() const {
    return rangeObserver_.lock();
  }
  virtual void setRangeObserver(std::weak_ptr<GanttChartRangeObserver> observer) {
    rangeObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartTimelineObserver> timelineObserver() const {
    return timelineObserver_.lock();
  }
  virtual void setTimelineObserver(std::weak_ptr<GanttChartTimelineObserver> observer) {
    timelineObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartPresenter> presenter() const {
    return presenter_.lock();
  }
  virtual void setPresenter(std::weak_ptr<GanttChartPresenter> presenter) {
    presenter_ = std::move(presenter);
  }

 protected:
  // For subclasses: stores the two controllers and makes the adapters. A
  // subclass's own factory calls `connectControllers()` once the new object
  // is owned by a `std::shared_ptr`.
  GanttChartController(std::shared_ptr<GanttChartHeaderController> headerController,
                       std::shared_ptr<GanttChartContentController> contentController);
  // Brings the header in line with the content and installs the adapters,
  // telling nobody.
  void connectControllers();

  // The header takes the content's actual timeline; then
  // `headerTimelineDidChange()`, whether or not it differed.
  virtual void synchronizeHeaderTimeline();
  // The header takes the content's schedule, hour width and zoom (within
  // its limits, which the content then takes over), and its scroller is
  // asked to show the content's visible timeline.
  virtual void synchronizeHeaderWithContent();
  // The content takes the header's schedule, hour width and zoom (as they
  // are), and its scroller is asked to show the header's visible timeline.
  virtual void synchronizeContentWithHeader();

  // True while the header is being brought in line with the content's
  // visible timeline.
  [[nodiscard]] bool isHeaderTimelineSyncing() const { return isHeaderTimelineSyncing_; }

 private:
  // A strong reference to this controller for the length of a call that
  // notifies: an observer may drop the host's last reference while the call
  // still has members to touch. Null for a controller not owned by a
  // std::shared_ptr.
  [[nodiscard]] std::shared_ptr<GanttChartController> keepAlive() {
    return weak_from_this().lock();
  }

  // The answers of the observer adapters to their controllers'
  // notifications, each run as one reaction (see `react`).
  void answerHeaderRowCountChange();
  void answerHeaderTimelineChange();
  void answerHeaderVisibleTimelineChange();
  void answerContentTotalRowCountChange();
  void answerContentVisibleRangeChange();
  void answerContentTimelineChange();
  void answerContentVisibleTimelineChange();

  // Runs `answer` with this controller kept alive and, once the outermost
  // reaction has finished, reports a header row count the scale changed.
  template <class Answer>
  void react(Answer&& answer);
  // Whether a row selector, asked at a new actual hour width, chose another
  // number of header rows than the observers know of; that number becomes
  // the known one.
  [[nodiscard]] bool headerRowCountChangedByScale();
  // Tells `headerHeightDidChange()`, then `headerRowCountDidChange()`, while
  // `headerRowCountChangedByScale()` holds.
  void tellOfHeaderRowCountChangedByScale();
  // Reads the header's row count as the one now known to the observers.
  void rememberHeaderRowCount();

  const std::shared_ptr<GanttChartHeaderController> headerController_;
  const std::shared_ptr<GanttChartContentController> contentController_;
  std::shared_ptr<HeaderObserverAdapter> headerObserver_;
  std::shared_ptr<ContentObserverAdapter> contentObserver_;
  std::shared_ptr<HeaderPresenterAdapter> headerPresenter_;
  std::shared_ptr<ContentPresenterAdapter> contentPresenter_;
  bool isHeaderTimelineSyncing_ = false;
  double headerRowHeight_ = 25;
  Theme theme_ = Theme::standard();
  std::optional<Mode> mode_;
  std::weak_ptr<GanttChartObserver> observer_;
  std::weak_ptr<GanttChartRangeObserver> rangeObserver_;
  std::weak_ptr<GanttChartTimelineObserver> timelineObserver_;
  std::weak_ptr<GanttChartPresenter> presenter_;
  // How deeply the adapters' answers nest, and the header's row count (with
  // the actual hour width it was read at) last reported to the observers.
  int reactionDepth_ = 0;
  int64_t knownHeaderRowCount_ = 0;
  double knownHeaderRowCountHourWidth_ = 0;
  CoalescedWrites<double> headerRowHeightWrites_;
  CoalescedWrites<Theme> themeWrites_;
  CoalescedWrites<std::optional<Mode>> modeWrites_;
};

using GanttChartControllerPtr = std::shared_ptr<GanttChartController>;

}  // namespace vorlent

// The adapters' definitions, so that including this header is enough to
// hand them to the two controllers.
#include "vorlent/controllers/chart_controller_adapters.h"  // IWYU pragma: export
