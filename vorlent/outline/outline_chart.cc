#include "vorlent/outline/outline_chart.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "vorlent/base/fatal.h"
#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/saturating_math.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/outline/item_delegate.h"
#include "vorlent/outline/outline_chart_roles.h"
#include "vorlent/outline/outline_item_manager.h"
#include "vorlent/outline/outline_tree_view.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/outlets.h"
#include "vorlent/views/qt_run_loop.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using detail::OutlineTreeView;

constexpr int kInitialRowHeight = 20;

// The padding above the outline's header. It prefers its most height and
// gives way where the outline side has less room, never asking for a height
// of its own: a window is never made taller than its host asks for it.
class HeaderSpacingBox : public QWidget {
 public:
  using QWidget::QWidget;

  [[nodiscard]] QSize sizeHint() const override {
    return {QWidget::sizeHint().width(), maximumHeight()};
  }
  [[nodiscard]] QSize minimumSizeHint() const override {
    return {QWidget::minimumSizeHint().width(), 0};
  }
};

// Gives the chart's horizontal scroll bar the outline's: shown exactly when
// the outline's is. Row r of the outline stands beside row r of the chart
// only while both sides' visible areas are equally high, or scrolling to
// the end would stop the two sides at different offsets. The chart still
// scrolls sideways by wheel and keyboard while its bar is hidden.
void matchHorizontalScrollers(const QTreeView& outline, StandardScrollView& chartArea) {
  bool shown = false;
  switch (outline.horizontalScrollBarPolicy()) {
    case Qt::ScrollBarAlwaysOn:
      shown = true;
      break;
    case Qt::ScrollBarAlwaysOff:
      break;
    case Qt::ScrollBarAsNeeded:
      shown = outline.horizontalScrollBar()->isVisibleTo(&outline);
      break;
  }
  const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (chartArea.horizontalScrollBarPolicy() != policy)
    chartArea.setHorizontalScrollBarPolicy(policy);
}

}  // namespace

OutlineGanttChart::OutlineGanttChart(QWidget* parent)
    : QWidget(parent), roles_(std::make_shared<Roles>(this)) {
  QtRunLoop::installForApplication();
  loadContentView();
}

OutlineGanttChart::~OutlineGanttChart() {
  // Whatever of the chart stack outlives this view (a manager or behaviour
  // a host kept) must not reach it any more, nor may the children while
  // QWidget takes them down after this body.
  roles_->detach();
  if (roles_->isDispatching()) {
    // A host deletes this view from inside a call the chart stack made to
    // it: the caller's frames (the item manager's change, a controller's
    // drag) are still running on these objects, so they go on a later turn.
    RunLoop::current().post(
        [stack = std::make_tuple(ganttChartItemManager_, ganttChartContentController_,
                                 ganttChartHeaderController_, ganttChartController_,
                                 hierarchicalBehavior_, roles_)] {});
  }
  bool insideCall = roles_->isDispatching();
  if (outlineModel_) {
    insideCall = insideCall || outlineModel_->isAskingSource();
    outlineModel_->setSource(nullptr);
    disconnect(outlineModel_, nullptr, this, nullptr);
  }
  if (outlineView_) {
    auto* tree = static_cast<OutlineTreeView*>(outlineView_.data());
    insideCall = insideCall || tree->isCallingOut();
    tree->layoutPassDidEnd = nullptr;
    tree->viewport()->removeEventFilter(this);
    tree->header()->removeEventFilter(this);
    disconnect(tree, nullptr, this, nullptr);
    disconnect(tree->verticalScrollBar(), nullptr, this, nullptr);
  }
  if (ganttChart_ && ganttChart_->header()) ganttChart_->header()->removeEventFilter(this);
  if (ganttChart_ && ganttChart_->content() && ganttChart_->content()->scrollView()) {
    disconnect(ganttChart_->content()->scrollView(), nullptr, this, nullptr);
  }
  if (insideCall) {
    // A host deletes this view from inside a call that the chart stack, the
    // tree or its model made (an item manager's change, an expansion
    // signal, a question to the model, the chart's news while the user
    // drags the divider): Qt goes on inside the splitter, the tree, its
    // model and scroll bars, and the chart once that call returns, so they
    // go on a later turn, hidden and out of this view, which QWidget would
    // otherwise take them down with.
    detail::deleteChildLater(contentView_);
  }
}

// --- Parts -------------------------------------------------------------------

QWidget* OutlineGanttChart::contentView() const { return contentView_; }
QSplitter* OutlineGanttChart::splitView() const { return splitView_; }
QWidget* OutlineGanttChart::outlineHeaderSpacingBox() const { return outlineHeaderSpacingBox_; }
QLabel* OutlineGanttChart::outlineHeaderSpacingLabel() const { return outlineHeaderSpacingLabel_; }
QAbstractScrollArea* OutlineGanttChart::outlineScrollView() const { return outlineView_; }
QWidget* OutlineGanttChart::outlineClipView() const {
  return outlineView_ ? outlineView_->viewport() : nullptr;
}
QTreeView* OutlineGanttChart::outlineView() const { return outlineView_; }
OutlineGanttChartModel* OutlineGanttChart::outlineModel() const { return outlineModel_; }
GanttChart* OutlineGanttChart::ganttChart() const { return ganttChart_; }

// --- Set-up --------------------------------------------------------------------

void OutlineGanttChart::loadContentView() {
  contentView_ = new QWidget(this);
  detail::fillingLayout(this)->addWidget(contentView_);

  splitView_ = new QSplitter(Qt::Horizontal, contentView_);
  splitView_->setChildrenCollapsible(false);
  detail::fillingLayout(contentView_)->addWidget(splitView_);

  auto* outlineSide = new QWidget(splitView_);
  QVBoxLayout* outlineLayout = detail::fillingLayout(outlineSide);
  outlineHeaderSpacingBox_ = new HeaderSpacingBox(outlineSide);
  outlineHeaderSpacingBox_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  outlineHeaderSpacingBox_->setMinimumHeight(0);
  outlineHeaderSpacingBox_->setMaximumHeight(0);
  auto* boxLayout = new QVBoxLayout(outlineHeaderSpacingBox_);
  boxLayout->setContentsMargins(4, 0, 4, 0);
  outlineHeaderSpacingLabel_ = new QLabel(outlineHeaderSpacingBox_);
  outlineHeaderSpacingLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  boxLayout->addWidget(outlineHeaderSpacingLabel_);
  outlineLayout->addWidget(outlineHeaderSpacingBox_);

  auto* tree = new OutlineTreeView(outlineSide);
  tree->layoutPassDidEnd = [this] { outlineLayoutPassDidEnd(); };
  outlineView_ = tree;
  outlineView_->setUniformRowHeights(true);
  outlineView_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  // The chart's vertical scroll bar serves both sides. Both show a
  // horizontal bar (the chart's timeline is nearly always wider than its
  // pane), so the two sides' rows are equally tall and scroll equally far.
  outlineView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  outlineView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  outlineView_->setFrameShape(QFrame::NoFrame);
  // The tree takes what the padding leaves: a preferred height of its own
  // would squeeze the padding in a short window, moving the rows off their
  // bars.
  outlineView_->setSizePolicy(outlineView_->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
  delegate_ = new OutlineGanttChartItemDelegate(outlineView_);
  delegate_->setRowHeight(kInitialRowHeight);
  outlineView_->setItemDelegate(delegate_);
  outlineModel_ = new OutlineGanttChartModel(this, outlineView_);
  outlineView_->setModel(outlineModel_);
  outlineModel_->setView(outlineView_);
  tree->setOutlineParts(outlineModel_, delegate_);
  outlineLayout->addWidget(outlineView_);

  ganttChart_ = new GanttChart(splitView_);
  splitView_->addWidget(outlineSide);
  splitView_->addWidget(ganttChart_);
  splitView_->setStretchFactor(0, 0);
  splitView_->setStretchFactor(1, 1);
  splitView_->setSizes({240, 560});

  addNotificationObservers();
  initializeControllers();
}

void OutlineGanttChart::addNotificationObservers() {
  if (!outlineView_) fatalStop("an outline chart needs its outline view");
  // Any vertical move of the outline that this view did not make itself
  // (the user's, or the tree's own, such as keeping the current row in
  // view) moves the chart along.
  connect(outlineView_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (isScrollingOutline_) return;
    const OutlineTreeView::Call call(outlineView_);
    const QPointer<OutlineGanttChart> alive(this);
    synchronizeGanttChartScrolling();
    if (!alive) return;
    if (static_cast<OutlineTreeView*>(outlineView_.data())->isUpdatingGeometries()) {
      // The tree moved its bar to fit fewer rows: a page loaded now would
      // be left out of the scroll range the tree is about to set.
      RunLoop::current().post([view = QPointer<OutlineGanttChart>(this)] {
        if (view) view->loadMoreDataIfNeeded();
      });
      return;
    }
    loadMoreDataIfNeeded();
  });
  connect(outlineView_, &QTreeView::expanded, this, [this] {
    const OutlineTreeView::Call call(outlineView_);
    outlineExpansionDidChange();
  });
  connect(outlineView_, &QTreeView::collapsed, this, [this] {
    const OutlineTreeView::Call call(outlineView_);
    outlineExpansionDidChange();
  });
  // New columns make the tree forget its expansions. The model is still
  // resetting when this returns.
  connect(outlineModel_, &QAbstractItemModel::modelReset, this, [this] {
    const OutlineTreeView::Call call(outlineView_);
    synchronizeOutlineItems();
  });
  outlineView_->viewport()->installEventFilter(this);
  outlineView_->header()->installEventFilter(this);
  if (ganttChart_ && ganttChart_->header()) ganttChart_->header()->installEventFilter(this);
}

// Qt signals expansions in the middle of laying out rows (expanding all of
// them, say): whatever the host asks for meanwhile must not reload the rows
// under that pass, so its reloads wait until the pass is over. One pass may
// signal every row: synchronising at each would cost the pass a walk over
// all rows per row.
void OutlineGanttChart::outlineExpansionDidChange() {
  const OutlineGanttChartModel::ReloadHold hold(outlineModel_);
  // The reload synchronises once it has restored the expansions.
  if (isReloading_) return;
  if (isInExpansionPass_) {
    isSynchronizationOwed_ = true;
    return;
  }
  // Some passes end without laying out (a row expanded inside a collapsed
  // one, or before the tree laid out new rows): the event loop ends those.
  isInExpansionPass_ = true;
  postCatchUp();
  synchronizeOutlineItems();
}

void OutlineGanttChart::outlineLayoutPassDidEnd() {
  // A layout from inside one of the tree's signals (a row expanded again
  // there) or during a reload is still part of that pass.
  if (!isInExpansionPass_ || isReloading_ || !outlineModel_ || outlineModel_->reloadMustWait()) {
    return;
  }
  isInExpansionPass_ = false;
  if (isSynchronizationOwed_) synchronizeOutlineItems();
}

void OutlineGanttChart::initializeControllers() {
  if (!outlineView_ || !ganttChart_) fatalStop("an outline chart needs its outline and chart");
  auto headerController = GanttChartHeaderController::create(std::nullopt);
  headerController->setRows({GanttChartHeaderRow(TimeIntervalType::visibleTimeline())});

  auto itemManager = std::make_shared<OutlineGanttChartItemManager>(roles_, nullptr, nullptr);
  itemManager->setItemObserver(roles_);

  auto contentController = GanttChartContentController::create(itemManager);
  contentController->setExtraRowCount(0);

  GanttChartContentSettings settings = contentController->settings();
  settings.alternativeRowsOnCount = false;
  settings.allowsCreatingBars = false;
  settings.allowsDeletingBars = false;
  settings.allowsMovingBarsForType[GanttChartItemType::summary] = false;
  PerItemType<bool> resizing = settings.allowsResizingBarsForType();
  resizing[GanttChartItemType::summary] = false;
  settings.setAllowsResizingBarsForType(resizing);
  settings.showsCompletionBarsForSummaryItems = false;
  settings.allowsMovingBarsVertically = false;
  settings.showsLabels = false;
  contentController->setSettings(settings);
  contentController->setActivator(roles_);

  auto chartController = GanttChartController::create(headerController, contentController);
  ganttChartHeaderController_ = headerController;
  ganttChartItemManager_ = itemManager;
  outlineItemManager_ = itemManager.get();
  ganttChartContentController_ = contentController;
  ganttChartController_ = chartController;
  applyRowHeightToChart();
  followedHeaderRowHeight_ = outlineHeaderHeight();
  chartController->setHeaderRowHeight(followedHeaderRowHeight_);

  ganttChart_->setController(chartController);
  ganttChart_->setObserver(roles_);

  // Holds the roles object, which refers back to this view without owning
  // it: the behaviour may outlive the view.
  hierarchicalBehavior_ = std::make_shared<GanttChartItemHierarchicalBehavior>(roles_, true, true);
  updateBehavior();

  GanttChartContent* content = ganttChart_->content();
  if (!content || !content->scrollView()) fatalStop("an outline chart needs its chart content");
  connect(content->scrollView(), &StandardScrollView::boundsDidChange, this,
          [this] { ganttChartBoundsDidChange(); });
  matchHorizontalScrollers(*outlineView_, *content->scrollView());
  updateHeaderSpacing();
}

// --- Row height and header padding ---------------------------------------------

double OutlineGanttChart::rowHeight() const {
  return delegate_ ? delegate_->rowHeight() : kInitialRowHeight;
}

void OutlineGanttChart::setRowHeight(double height) {
  const double clamped = std::isfinite(height) ? std::clamp(height, 1.0, 1e6) : 1.0;
  if (delegate_) delegate_->setRowHeight(static_cast<int>(std::lround(clamped)));
  applyRowHeightToChart();
  // Scrolling re-applies the rules, whose news may delete this view.
  const QPointer<OutlineGanttChart> alive(this);
  synchronizeGanttChartScrolling();
  if (alive) synchronizeOutlineItems();
}

void OutlineGanttChart::applyRowHeightToChart() {
  auto& content = ganttChartContentController_;
  if (!content) return;
  const double height = rowHeight();
  content->setRowHeight(height);
  // Labels and attachments as tall as a bar: the row less the bar's insets
  // and stroke above and below, at least one point.
  const GanttChartContentBaseStyle& actual = content->actualStyle();
  double size = height - 2 * (actual.barStrokeWidth + actual.verticalBarInset);
  if (!std::isfinite(size) || size <= 0) size = 1;
  GanttChartContentStyle style = content->style();
  style.labelFont = Font{std::nullopt, size};
  content->setStyle(style);
  style.attachmentFont = Font{std::nullopt, size};
  content->setStyle(style);
  content->settingsDidChange();
}

double OutlineGanttChart::outlineHeaderHeight() const {
  if (!outlineView_ || outlineView_->isHeaderHidden()) return 0;
  const QHeaderView* header = outlineView_->header();
  return std::max(header->minimumHeight(), header->sizeHint().height());
}

double OutlineGanttChart::outlineHeaderSpacing() const {
  if (!ganttChartController_ || !ganttChartHeaderController_) return 0;
  const double chartHeader = ganttChartController_->headerRowHeight() *
                             double(ganttChartHeaderController_->actualRows().size());
  const double spacing = chartHeader - outlineHeaderHeight();
  return std::isfinite(spacing) && spacing > 0 ? spacing : 0;
}

void OutlineGanttChart::updateHeaderSpacing() {
  if (!outlineHeaderSpacingBox_) fatalStop("an outline chart needs its header spacing box");
  double spacing = outlineHeaderSpacing();
  // The outline's rows start where the chart area does: below the chart's
  // header as laid out, which a window shorter than the header's rows
  // squeezes below their height. The tree keeps its column titles in any
  // window, so the chart's header shrinks no lower than they are.
  if (GanttChartHeader* header = ganttChart_ ? ganttChart_->header() : nullptr) {
    const double titles = outlineHeaderHeight();
    header->setMinimumHeight(
        std::min(static_cast<int>(std::lround(titles)), header->maximumHeight()));
    spacing = std::clamp(header->height() - titles, 0.0, spacing);
  }
  spacing = std::min(spacing, double(QWIDGETSIZE_MAX));
  // A most height, not a fixed one, which would be the window's least.
  outlineHeaderSpacingBox_->setMaximumHeight(static_cast<int>(std::lround(spacing)));
}

void OutlineGanttChart::headerHeightDidChange() {
  updateHeaderSpacing();
  if (auto observer = ganttChartObserver()) observer->headerHeightDidChange();
}

void OutlineGanttChart::headerTimelineDidChange() {
  if (auto observer = ganttChartObserver()) observer->headerTimelineDidChange();
}

bool OutlineGanttChart::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && ganttChart_ && watched == ganttChart_->header()) {
    updateHeaderSpacing();
  }
  if (outlineView_ && event->type() == QEvent::Resize) {
    if (watched == outlineView_->viewport()) {
      const OutlineTreeView::Call call(outlineView_);
      const QPointer<OutlineGanttChart> alive(this);
      outlineLayoutDidChange();
      if (!alive) return false;
    } else if (watched == outlineView_->header() && ganttChartController_) {
      // The outline's header settles its height only once styled and laid
      // out; the chart's header follows it unless someone else set its row
      // height meanwhile.
      const double height = outlineHeaderHeight();
      if (ganttChartController_->headerRowHeight() == followedHeaderRowHeight_ &&
          height != followedHeaderRowHeight_) {
        followedHeaderRowHeight_ = height;
        ganttChartController_->setHeaderRowHeight(height);
      }
      updateHeaderSpacing();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void OutlineGanttChart::outlineLayoutDidChange() {
  // The outline's horizontal bar came or went (or a host changed its
  // policy): the chart's follows before either side scrolls again.
  if (ganttChart_ && ganttChart_->content() && ganttChart_->content()->scrollView()) {
    matchHorizontalScrollers(*outlineView_, *ganttChart_->content()->scrollView());
  }
  const QPointer<OutlineGanttChart> alive(this);
  loadMoreDataIfNeeded();
  if (alive) synchronizeOutlineItems();
}

// --- Vertical scrolling ----------------------------------------------------------

void OutlineGanttChart::synchronizeGanttChartScrolling() {
  if (!outlineView_ || !ganttChartContentController_) {
    fatalStop("an outline chart needs its outline and content controller");
  }
  // The chart and its chart area are public widgets a host may destroy; the
  // outline then goes on alone.
  if (GanttChartContent* content = ganttChart_ ? ganttChart_->content() : nullptr) {
    const double y = outlineView_->verticalScrollBar()->value();
    const double height = ganttChartContentController_->viewport().size.height;
    // The chart's move re-applies the rules, whose news may delete this view.
    const QPointer<OutlineGanttChart> alive(this);
    content->scrollVerticallyTo(y, y + height);
    if (!alive) return;
  }
  applyAutomatically();
}

void OutlineGanttChart::ganttChartBoundsDidChange() {
  const QPointer<OutlineGanttChart> alive(this);
  applyAutomatically();
  if (!alive) return;
  synchronizeOutlineScrolling();
  RunLoop::current().post([view = QPointer<OutlineGanttChart>(this)] {
    if (view) view->loadMoreDataIfNeeded();
  });
}

void OutlineGanttChart::synchronizeOutlineScrolling() {
  if (!outlineView_) fatalStop("an outline chart needs its outline view");
  // Nothing to follow once a host destroyed the chart or its chart area.
  GanttChartContent* content = ganttChart_ ? ganttChart_->content() : nullptr;
  StandardScrollView* chartScroll = content ? content->scrollView() : nullptr;
  if (!chartScroll) return;
  // The outline's visible area is exactly as high as the span asked for,
  // so the smallest move that shows it puts its top at the chart's.
  const double y = chartScroll->documentVisibleRect().top();
  QScrollBar* bar = outlineView_->verticalScrollBar();
  const double clamped = std::clamp(std::round(y), double(bar->minimum()), double(bar->maximum()));
  isScrollingOutline_ = true;
  bar->setValue(static_cast<int>(clamped));
  isScrollingOutline_ = false;
}

// --- Paging ------------------------------------------------------------------------

void OutlineGanttChart::setDataSource(std::weak_ptr<OutlineGanttChartDataSource> dataSource) {
  dataSource_ = std::move(dataSource);
  // The new data source may delete this view while it answers.
  const QPointer<OutlineGanttChart> alive(this);
  reloadOutline();
  if (alive) synchronizeOutlineItems();
}

void OutlineGanttChart::reloadOutline() {
  if (!outlineModel_) fatalStop("an outline chart needs its outline view");
  if (outlineModel_->reloadMustWait()) {
    // The whole reload, with the chart's side of it, runs once the caller
    // is done with the rows.
    postReload();
    return;
  }
  // The model asks the data source again, and the host may delete this view
  // while it answers.
  const QPointer<OutlineGanttChart> alive(this);
  isReloading_ = true;
  outlineModel_->reload();
  if (!alive) return;
  isReloading_ = false;
  if (outlineView_) static_cast<OutlineTreeView*>(outlineView_.data())->layOutChangedRows();
}

void OutlineGanttChart::setIsPagingEnabled(bool enabled) {
  isPagingEnabled_ = enabled;
  pagingSettingDidChange();
}

void OutlineGanttChart::setMinPageSize(std::optional<int64_t> size) {
  minPageSize_ = size;
  pagingSettingDidChange();
}

void OutlineGanttChart::setMinPageCount(int64_t count) {
  minPageCount_ = count;
  pagingSettingDidChange();
}

void OutlineGanttChart::pagingSettingDidChange() {
  const QPointer<OutlineGanttChart> alive(this);
  reloadOutline();
  if (!alive) return;
  synchronizeGanttChartScrolling();
  if (alive) synchronizeOutlineItems();
}

int64_t OutlineGanttChart::outlineViewNumberOfChildrenOfItem(const OutlineGanttChartRowPtr& item) {
  if (isInInterfaceBuilder_) return 2;
  auto source = dataSource();
  const QPointer<OutlineGanttChart> alive(this);
  const int64_t count =
      source ? std::max<int64_t>(source->outlineGanttChartNumberOfChildrenOfItem(*this, item), 0)
             : 0;
  if (!alive || item || !isPagingEnabled_) return count;

  // Root rows, a page at a time.
  currentlyAvailableRootItemCount_ = count;
  const double visible = outlineView_ ? outlineView_->viewport()->height() : 0;
  const double perRow = rowHeight();
  // A zero row height or an empty view gives no screenful, not infinity.
  const double screen = perRow > 0 ? std::ceil(visible / perRow) : 0;
  const int64_t rowsPerScreen = std::isfinite(screen) && screen > 0 ? saturatingInt64(screen) : 0;
  const int64_t pageSize =
      minPageSize_ ? std::max(*minPageSize_, rowsPerScreen) : std::max<int64_t>(rowsPerScreen, 0);
  const int64_t displayed = std::min(currentlyDisplayedRootItemCount_, count);
  currentlyDisplayedRootItemCount_ = displayed;
  if (displayed >= pageSize && !loadMoreData_) return displayed;
  const int64_t grown = std::min(
      std::max(saturatingMultiply(minPageCount_, pageSize), saturatingAdd(displayed, pageSize)),
      count);
  currentlyDisplayedRootItemCount_ = std::max<int64_t>(grown, 0);
  return currentlyDisplayedRootItemCount_;
}

void OutlineGanttChart::loadMoreDataIfNeeded() {
  if (!outlineView_ || !outlineModel_) fatalStop("an outline chart needs its outline view");
  // Without paging every root row is shown already: reloading would show
  // the same rows again. A check made while a page loads (the tree moving
  // under the new rows) waits for the next.
  if (!isPagingEnabled_ || loadMoreData_) return;
  const double visibleHeight = outlineView_->viewport()->height();
  const double bottom = outlineView_->verticalScrollBar()->value() + visibleHeight;
  // Counting the rows may ask the data source about rows shown for the
  // first time, and a host may delete this view while it answers.
  const QPointer<OutlineGanttChart> alive(this);
  const int64_t rows = outlineModel_->numberOfRows();
  if (!alive) return;
  const double documentHeight = double(rows) * rowHeight();
  if (bottom < documentHeight - 0.5 * visibleHeight) return;
  if (currentlyDisplayedRootItemCount_ >= currentlyAvailableRootItemCount_) return;
  loadMoreData_ = true;
  reloadData();
  if (alive) loadMoreData_ = false;
}

// --- The tree's other questions ------------------------------------------------------

OutlineGanttChartRowPtr OutlineGanttChart::designTimeRow(int64_t index) const {
  const std::string label = "Item " + std::to_string(index + 1);
  const Time reference = Time::reference();
  auto bar =
      OutlineGanttChartItem::create(label, reference, reference.addingDays(1), 0, std::nullopt,
                                    std::nullopt, nullptr, 0, true, std::nullopt, std::nullopt, {});
  auto mark = OutlineGanttChartItem::create(std::nullopt, reference.addingDays(2),
                                            reference.addingDays(2), 0, std::nullopt, std::nullopt,
                                            nullptr, 0, true, std::nullopt, std::nullopt, {});
  return OutlineGanttChartRow::create(label, {bar, mark}, std::nullopt, {});
}

OutlineGanttChartRowPtr OutlineGanttChart::outlineViewChild(int64_t index,
                                                            const OutlineGanttChartRowPtr& ofItem) {
  if (isInInterfaceBuilder_) return designTimeRow(index);
  auto source = dataSource();
  return source ? source->outlineGanttChartChild(*this, index, ofItem) : nullptr;
}

bool OutlineGanttChart::outlineViewIsItemExpandable(const OutlineGanttChartRowPtr& item) {
  if (isInInterfaceBuilder_) return false;
  auto source = dataSource();
  return source && source->outlineGanttChartIsItemExpandable(*this, item);
}

QVariant OutlineGanttChart::outlineViewObjectValueFor(int column,
                                                      const OutlineGanttChartRowPtr& item) {
  if (isInInterfaceBuilder_) return QStringLiteral("Item");
  auto source = dataSource();
  return source ? source->outlineGanttChartObjectValueFor(*this, column, item) : QVariant();
}

void OutlineGanttChart::outlineViewSetObjectValue(const QVariant& value, int column,
                                                  const OutlineGanttChartRowPtr& item) {
  const QPointer<OutlineGanttChart> alive(this);
  if (auto source = dataSource())
    source->outlineGanttChartSetObjectValue(*this, value, column, item);
  if (alive) synchronizeOutlineItems();
}

void OutlineGanttChart::prepareForInterfaceBuilder() {
  if (!outlineModel_) fatalStop("an outline chart needs its outline view");
  outlineModel_->setColumnTitles({QStringLiteral("Items")});
  isInInterfaceBuilder_ = true;
  dataSource_.reset();
  const QPointer<OutlineGanttChart> alive(this);
  reloadOutline();
  if (alive) synchronizeOutlineItems();
}

GanttChartItemManager& OutlineGanttChart::requireItemManager() const {
  if (!ganttChartItemManager_) fatalStop("an outline chart needs its item manager");
  return *ganttChartItemManager_;
}

}  // namespace vorlent
