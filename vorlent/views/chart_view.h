#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/image_export.h"

class QPainter;

namespace vorlent {

class StandardScrollView;

// The whole chart as one widget: a time-scale header (`GanttChartHeader`)
// over the chart area (`GanttChartContent`), driven by one
// `GanttChartController` that keeps the two in step. Giving the view a chart
// controller hands its header controller to the header view and its content
// controller to the content view, makes this view the chart controller's
// presenter and observer, and sizes the header to its rows. The view also
// forwards reloading and scrolling to the chart area and exports itself as
// an image.
//
// Header and chart area scroll together: their viewports stay equally wide
// (the header shows no scroll bars; a blank corner beside it stands for the
// chart area's vertical scroll bar), so the same x shows the same time in
// both, whether the user scrolls either, a host sets either's scroll bars,
// or the header is zoomed by dragging.
//
// Drawing. The header and content views draw for their own controllers. A
// host that wants one object to draw the whole chart makes the chart
// controller's presenter adapters the two controllers' presenters again;
// the calls then reach this view's hooks. Each hook exists in two forms:
// the form on the library's values converts its arguments and calls the
// form on Qt values (painter first, with the painter of the header's or the
// chart area's paint pass), which hands the call to the header or content
// view's Qt form. The Qt forms (and the single-form `draw` and `toolTip`
// operations) are the ones to override; add `using GanttChart::drawBar;`
// and the like to a subclass so the other form stays visible. Outside a
// paint pass, or once the view a hook hands to is gone, a hook draws
// nothing.
//
// Lifetime. The view owns its chart controller; the controller refers back
// weakly, so once the view is gone it calls nothing of it. The header and
// content views are children a host may destroy on its own, in either
// order: the chart then goes on with what is left. A host may replace the
// controller (or the view) from any notification, also while the user
// drags; the newest assignment is the one that stays. GUI thread only.
class GanttChart : public QWidget,
                   public GanttChartObserver,
                   public GanttChartContentScroller,
                   public GanttChartPresenter {
  Q_OBJECT

 public:
  // Builds the header over the chart area (`setUpChartView`).
  explicit GanttChart(QWidget* parent = nullptr);
  ~GanttChart() override;
  GanttChart(const GanttChart&) = delete;
  GanttChart& operator=(const GanttChart&) = delete;

  // ===========================================================================
  // Structure
  // ===========================================================================

  // The child that fills the view and holds the header and the chart area.
  [[nodiscard]] QWidget* contentView() const { return contentView_.data(); }
  // Null once a host has destroyed them.
  [[nodiscard]] GanttChartHeader* header() const { return header_.data(); }
  [[nodiscard]] GanttChartContent* content() const { return content_.data(); }

  // ===========================================================================
  // The controller
  // ===========================================================================

  [[nodiscard]] const GanttChartControllerPtr& controller() const { return controller_; }
  // Detaches the old controller (its observer, then its presenter are
  // cleared while they are this view: another chart may have taken it since),
  // stores the new one and attaches it: this view becomes its
  // presenter, the header view gets its header controller and the content
  // view its content controller, the header's scrollers are matched to the
  // chart area's, the header is sized, and this view becomes its observer.
  // Null only detaches: the header and content views keep the controllers
  // they show.
  virtual void setController(GanttChartControllerPtr controller);

  // The host's observer, held weakly; told of each change after the view has
  // answered it.
  [[nodiscard]] std::shared_ptr<GanttChartObserver> observer() const { return observer_.lock(); }
  void setObserver(std::weak_ptr<GanttChartObserver> observer) { observer_ = std::move(observer); }

  // --- What the chart controller tells (GanttChartObserver) -----------------
  // Sizes the header, then tells the host.
  void headerHeightDidChange() override;
  // Lays the header out again, then tells the host.
  void headerTimelineDidChange() override;

  // Makes the header view as high as the controller's `headerHeight()`
  // (rounded to whole pixels, at most what a widget can be) and lays the
  // chart out at once. Nothing without a controller or a header view.
  virtual void updateHeaderHeight();

  // ===========================================================================
  // Drawing hooks (GanttChartPresenter)
  // ===========================================================================

  // Header: fills (0, 0, size).
  void drawHeaderBackground(const Color& color, const Size& size) override;
  virtual void drawHeaderBackground(QPainter& painter, const QColor& color, const QSizeF& size);
  // Header: a line from p1 to p2.
  void drawHeaderBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                        const Color& color) override;
  virtual void drawHeaderBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                                const QPointF& p2, double lineWidth, const QColor& color);
  // Chart area: fills (0, 0, size).
  void drawContentBackground(const Color& color, const Size& size) override;
  virtual void drawContentBackground(QPainter& painter, const QColor& color, const QSizeF& size);
  // Chart area: a line from p1 to p2.
  void drawContentBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                         const Color& color) override;
  virtual void drawContentBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                                 const QPointF& p2, double lineWidth, const QColor& color);
  // A row's background and border.
  void drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) override;
  virtual void drawBackground(QPainter& painter, int64_t row, const QRectF& rectangle,
                              const QColor& color);
  void drawBorder(int64_t row, const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  virtual void drawBorder(QPainter& painter, int64_t row, const QRectF& rectangle,
                          const QPointF& p1, const QPointF& p2, double lineWidth,
                          const QColor& color);

  // The whole bar: the chart area's standard drawing, which comes back
  // through the detailed hooks below.
  void draw(const GanttChartBar& bar) override;
  void drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
               const Color& secondaryFillColor, const std::optional<Color>& strokeColor,
               double strokeWidth, double cornerRadius, bool isHighlighted, bool isFocused,
               bool isSelected, const Color& highlightColor, const Color& focusColor,
               const Color& selectionColor, double highlightWidth, double focusWidth,
               double selectionWidth, bool allowsMoving, bool allowsResizing,
               bool allowsResizingAtStart, bool allowsMovingVertically,
               double thumbDistance) override;
  virtual void drawBar(QPainter& painter, const GanttChartItemPtr& item, const QRectF& rectangle,
                       const QColor& fillColor, const QColor& secondaryFillColor,
                       const std::optional<QColor>& strokeColor, double strokeWidth,
                       double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
                       const QColor& highlightColor, const QColor& focusColor,
                       const QColor& selectionColor, double highlightWidth, double focusWidth,
                       double selectionWidth, bool allowsMoving, bool allowsResizing,
                       bool allowsResizingAtStart, bool allowsMovingVertically,
                       double thumbDistance);
  void drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                      const Color& fillColor, const Color& secondaryFillColor,
                      const std::optional<Color>& strokeColor, double strokeWidth,
                      double triangleInset, double triangleScale, bool isExpanded,
                      bool isHighlighted, bool isFocused, bool isSelected,
                      const Color& highlightColor, const Color& focusColor,
                      const Color& selectionColor, double highlightWidth, double focusWidth,
                      double selectionWidth, bool allowsMoving, bool allowsResizing,
                      bool allowsResizingAtStart, bool allowsMovingVertically,
                      double thumbDistance) override;
  virtual void drawSummaryBar(QPainter& painter, const GanttChartItemPtr& item,
                              const QRectF& rectangle, const QColor& fillColor,
                              const QColor& secondaryFillColor,
                              const std::optional<QColor>& strokeColor, double strokeWidth,
                              double triangleInset, double triangleScale, bool isExpanded,
                              bool isHighlighted, bool isFocused, bool isSelected,
                              const QColor& highlightColor, const QColor& focusColor,
                              const QColor& selectionColor, double highlightWidth,
                              double focusWidth, double selectionWidth, bool allowsMoving,
                              bool allowsResizing, bool allowsResizingAtStart,
                              bool allowsMovingVertically, double thumbDistance);
  void drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                     const Color& fillColor, const Color& secondaryFillColor,
                     const std::optional<Color>& strokeColor, double strokeWidth,
                     bool isHighlighted, bool isFocused, bool isSelected,
                     const Color& highlightColor, const Color& focusColor,
                     const Color& selectionColor, double highlightWidth, double focusWidth,
                     double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                     double thumbDistance) override;
  virtual void drawMilestone(QPainter& painter, const GanttChartItemPtr& item,
                             const QRectF& rectangle, const QColor& fillColor,
                             const QColor& secondaryFillColor,
                             const std::optional<QColor>& strokeColor, double strokeWidth,
                             bool isHighlighted, bool isFocused, bool isSelected,
                             const QColor& highlightColor, const QColor& focusColor,
                             const QColor& selectionColor, double highlightWidth, double focusWidth,
                             double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                             double thumbDistance);
  void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                         const Color& fillColor, const Color& secondaryFillColor,
                         const std::optional<Color>& strokeColor, double strokeWidth,
                         double cornerRadius, bool allowsResizing, double thumbDistance) override;
  virtual void drawCompletionBar(QPainter& painter, const GanttChartItemPtr& item,
                                 const QRectF& rectangle, const QColor& fillColor,
                                 const QColor& secondaryFillColor,
                                 const std::optional<QColor>& strokeColor, double strokeWidth,
                                 double cornerRadius, bool allowsResizing, double thumbDistance);
  void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                    const std::string& text, const Color& foregroundColor, TextAlignment alignment,
                    const Font& font) override;
  virtual void drawBarLabel(QPainter& painter, const GanttChartItemPtr& item,
                            const QRectF& rectangle, const QString& text,
                            const QColor& foregroundColor, Qt::Alignment alignment,
                            const QFont& font);
  void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                           const std::string& text, const Color& foregroundColor,
                           const Font& font) override;
  virtual void drawAttachmentLabel(QPainter& painter, const GanttChartItemPtr& item,
                                   const QRectF& rectangle, const QString& text,
                                   const QColor& foregroundColor, const QFont& font);

  // The whole dependency line: the chart area's standard drawing.
  void draw(const GanttChartDependencyLine& dependencyLine) override;
  void drawDependencyLine(const GanttChartDependencyPtr& dependency,
                          const std::vector<Point>& polyline, const Color& color, double width,
                          double arrowWidth, double arrowLength, bool isHighlighted, bool isFocused,
                          bool isSelected, double highlightWidth, double focusWidth,
                          double selectionWidth) override;
  virtual void drawDependencyLine(QPainter& painter, const GanttChartDependencyPtr& dependency,
                                  const QPolygonF& polyline, const QColor& color, double width,
                                  double arrowWidth, double arrowLength, bool isHighlighted,
                                  bool isFocused, bool isSelected, double highlightWidth,
                                  double focusWidth, double selectionWidth);
  void drawDependencyLineThumb(const GanttChartItemPtr& item, GanttChartDependencyEndType type,
                               const Point& center, double radius, const Color& color) override;
  virtual void drawDependencyLineThumb(QPainter& painter, const GanttChartItemPtr& item,
                                       GanttChartDependencyEndType type, const QPointF& center,
                                       double radius, const QColor& color);
  void drawTemporaryDependencyLine(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                                   GanttChartDependencyType type,
                                   const std::vector<Point>& polyline, const Color& color,
                                   double width, double arrowWidth, double arrowLength,
                                   double dashWidth) override;
  virtual void drawTemporaryDependencyLine(QPainter& painter, const GanttChartItemPtr& from,
                                           const GanttChartItemPtr& to,
                                           GanttChartDependencyType type, const QPolygonF& polyline,
                                           const QColor& color, double width, double arrowWidth,
                                           double arrowLength, double dashWidth);
  void drawTemporaryBar(const Rectangle& rectangle, const Color& color, double cornerRadius,
                        double dashWidth) override;
  virtual void drawTemporaryBar(QPainter& painter, const QRectF& rectangle, const QColor& color,
                                double cornerRadius, double dashWidth);

  // Highlighted schedule areas of the header and of the chart area.
  void drawHeaderTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                          const Color& fillColor) override;
  virtual void drawHeaderTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                                  const QRectF& rectangle, const QColor& fillColor);
  void drawContentTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                           const Color& fillColor) override;
  virtual void drawContentTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                                   const QRectF& rectangle, const QColor& fillColor);

  // The header's cells.
  void drawHeaderCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                      const Rectangle& rectangle, const Color& backgroundColor) override;
  virtual void drawHeaderCell(QPainter& painter, const TimeSelector& selector,
                              const GanttChartHeaderRow& row, const QRectF& rectangle,
                              const QColor& backgroundColor);
  void drawHeaderCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                            const Rectangle& rectangle, const Line& line, double lineWidth,
                            const Color& color) override;
  virtual void drawHeaderCellBorder(QPainter& painter, const TimeSelector& selector,
                                    const GanttChartHeaderRow& row, const QRectF& rectangle,
                                    const QPointF& p1, const QPointF& p2, double lineWidth,
                                    const QColor& color);
  void drawHeaderCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                           const Rectangle& rectangle, const std::string& text,
                           const Color& foregroundColor, TextAlignment alignment, const Font& font,
                           VerticalTextAlignment verticalAlignment) override;
  virtual void drawHeaderCellLabel(QPainter& painter, const TimeSelector& selector,
                                   const GanttChartHeaderRow& row, const QRectF& rectangle,
                                   const QString& text, const QColor& foregroundColor,
                                   Qt::Alignment alignment, const QFont& font,
                                   VerticalTextAlignment verticalAlignment);

  // The chart area's time intervals (the header's cells carried down).
  void drawContentTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                           const Color& backgroundColor) override;
  virtual void drawContentTimeArea(QPainter& painter, const TimeSelector& selector,
                                   const QRectF& rectangle, const QColor& backgroundColor);
  void drawContentTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                                 const Line& line, double lineWidth, const Color& color) override;
  virtual void drawContentTimeAreaBorder(QPainter& painter, const TimeSelector& selector,
                                         const QRectF& rectangle, const QPointF& p1,
                                         const QPointF& p2, double lineWidth, const QColor& color);
  void drawContentTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                                const std::string& text, const Color& foregroundColor,
                                TextAlignment alignment, const Font& font,
                                VerticalTextAlignment verticalAlignment) override;
  virtual void drawContentTimeAreaLabel(QPainter& painter, const TimeSelector& selector,
                                        const QRectF& rectangle, const QString& text,
                                        const QColor& foregroundColor, Qt::Alignment alignment,
                                        const QFont& font, VerticalTextAlignment verticalAlignment);

  // What the chart area's view gives: the item's (dependency's) details;
  // std::nullopt without a content view.
  std::optional<std::string> toolTip(const GanttChartItemPtr& item) override;
  std::optional<std::string> toolTip(const GanttChartDependencyPtr& dependency) override;
  using QWidget::toolTip;

  // ===========================================================================
  // Data and scrolling (GanttChartContentScroller)
  // ===========================================================================

  // Makes the chart area's item manager read its items and dependencies
  // again. Nothing without a content view or its controller.
  virtual void reloadData();
  // Scroll the chart area (and with it the header) as little as shows the
  // span; nothing without a content view.
  void scrollTo(double startX, double finishX) override;
  void scrollVerticallyTo(double startY, double finishY) override;

  // ===========================================================================
  // Image export
  // ===========================================================================

  // The whole view as it shows now, header and chart area as laid out, at
  // its size; captured afresh on each call; null for a view without area.
  [[nodiscard]] virtual QImage imageRepresentation();
  [[nodiscard]] virtual QPixmap image();
  // The capture as PNG; empty for a view without area.
  [[nodiscard]] virtual QByteArray imageData();
  // The capture in `format` (a format name Qt's image writers know); empty
  // for a view without area or a format no writer knows.
  [[nodiscard]] virtual QByteArray imageData(const QByteArray& format,
                                             const ImageProperties& properties = {});

  // ===========================================================================
  // Design time
  // ===========================================================================

  // Shows a small sample chart under a new controller: a header of
  // weekdays over five weeks from the library's reference time, a one-day
  // bar on the first row, the next day's bar on the second row and a
  // milestone at its end, linked in a chain.
  virtual void prepareForInterfaceBuilder();

 protected:
  // For subclasses that build their own structure: nothing is built until
  // the subclass's constructor calls `setUp()`.
  struct DeferredSetUp {};
  GanttChart(QWidget* parent, DeferredSetUp);
  // Runs `setUpChartView()` and checks that it supplied the content view,
  // the header and the content; a missing one is a fatal stop.
  void setUp();
  // Builds the content view holding the header over the chart area in a
  // layout without margins or spacing, the header at a fixed height.
  virtual void setUpChartView();

  // The outlets, connected by `setUpChartView()`.
  QPointer<QWidget> contentView_;
  QPointer<GanttChartHeader> header_;
  QPointer<GanttChartContent> content_;

 private:
  // Hides both of the header's scrollers and keeps a blank corner beside
  // it exactly as wide as the chart area's vertical scroller (none while
  // that is hidden), so that their viewports stay equally wide.
  void matchHeaderScrollers();
  // The same against the chart area shown by `area` (none: no vertical
  // scroller).
  void matchHeaderScrollersTo(const StandardScrollView* area);
  // The painters of the header's and the chart area's paint passes under
  // way, or nullptr.
  [[nodiscard]] QPainter* headerPainter() const;
  [[nodiscard]] QPainter* contentPainter() const;

  GanttChartControllerPtr controller_;
  std::weak_ptr<GanttChartObserver> observer_;
  // The view as its controller sees it: a shared pointer that owns nothing,
  // so the controller's weak references expire when the view goes.
  std::shared_ptr<GanttChart> self_;
  // Counts assignments of the controller, so that one made from inside
  // another (by a host reacting to a notification) is noticed.
  std::uint64_t controllerAssignments_ = 0;
};

}  // namespace vorlent
