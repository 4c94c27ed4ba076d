// Bars and dependency lines: their geometry, the per-viewport lists, the
// queries at a point and the elbow router.

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_geometry.h"

namespace vorlent {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

const GanttChartItem& nonNullItem(const GanttChartItemPtr& item, const char* operation) {
  if (!item) {
    fatalStop(std::string("GanttChartContentController::") + operation + ": the item is null");
  }
  return *item;
}

// A hovering distance as a usable number: absent, negative or undefined
// distances are 0, and an infinite one is large but still finite, so that a
// rectangle grown by it keeps finite edges.
double usableDistance(std::optional<double> distance) {
  const double value = distance.value_or(0);
  if (!(value > 0)) return 0;
  return std::min(value, std::numeric_limits<double>::max() / 8);
}

template <class Element>
bool byZIndex(const Element& a, const Element& b) {
  return a->zIndex() < b->zIndex();
}

}  // namespace

// --- Geometry ----------------------------------------------------------------

Rectangle GanttChartContentController::bounds(const GanttChartItemPtr& item) const {
  const GanttChartItem& subject = nonNullItem(item, "bounds");
  const double rowHeight = effectiveRowHeight();
  const double inset = actualStyle().verticalBarInset;
  const double y = rowHeight * static_cast<double>(subject.row()) + inset;
  // At least a quarter point high, so that a bar in a row too low for its
  // insets still has a place to be drawn and hit.
  const double height = std::max(0.25, rowHeight - 2 * inset);
  const TimeRange& time = subject.time();
  if (!detail::isPlaceable(time)) return Rectangle(kNotANumber, y, kNotANumber, height);
  // A milestone widens to a square centred on its moment.
  const double widening =
      subject.isMilestone() ? std::max(rowHeight * 0.5 - inset, 0.0) : 0.0;
  const double width = std::max(this->width(time) + 2 * widening, settings().minBarWidth);
  return Rectangle(x(time.start) - widening, y, width, height);
}

Rectangle GanttChartContentController::completionBounds(const GanttChartItemPtr& item) const {
  const GanttChartItem& subject = nonNullItem(item, "completionBounds");
  const GanttChartContentBaseStyle& style = actualStyle();
  const double rowHeight = effectiveRowHeight();
  const double y = rowHeight * static_cast<double>(subject.row()) + style.verticalBarInset;
  const double summaryInset = subject.isSummary() ? style.summaryTriangleInset : 0;
  // Clamped rather than turned over: a negative extent would otherwise move
  // the completed part above (or left of) its bar.
  const double height = std::max(0.0, rowHeight - 2 * style.verticalBarInset - summaryInset);
  const Time start = subject.start();
  if (!detail::isPlaceable(subject.time())) {
    return Rectangle(kNotANumber, y, kNotANumber, height);
  }
  const Time completedUntil = itemManager()->timeCompletedUntil(item);
  if (!detail::isPlaceable(completedUntil)) {
    return Rectangle(kNotANumber, y, kNotANumber, height);
  }
  const double width = std::max(0.0, this->width(TimeRange(start, completedUntil)));
  return Rectangle(x(start), y, width, height);
}

// --- Visible bars ------------------------------------------------------------

bool GanttChartContentController::showsCompletionBar(const GanttChartItem& item) const {
  const GanttChartContentSettings& current = settings();
  if (!current.showsCompletionBars || item.isMilestone()) return false;
  if (item.isSummary() && !current.showsCompletionBarsForSummaryItems) return false;
  // A momentary item has nothing to complete.
  return detail::isPlaceable(item.time()) && !(item.start() == item.finish());
}

GanttChartContentController::VisibleBars GanttChartContentController::buildVisibleBars() const {
  const GanttChartItemList items = itemManager()->filteredItems();
  VisibleBars visible;
  visible.bars.reserve(items.size());
  for (const GanttChartItemPtr& item : items) {
    if (!item || !item->isVisible()) continue;
    const Rectangle barBounds = bounds(item);
    // A bar with no place on the diagram can be neither drawn nor hit.
    if (!detail::isFinite(barBounds)) continue;
    visible.bars.push_back(GanttChartBar{item, barBounds});
  }
  std::stable_sort(visible.bars.begin(), visible.bars.end(),
                   [](const GanttChartBar& a, const GanttChartBar& b) {
                     return byZIndex(a.item, b.item);
                   });
  visible.completions.reserve(visible.bars.size());
  for (const GanttChartBar& bar : visible.bars) {
    if (showsCompletionBar(*bar.item)) {
      visible.completions.emplace(bar.item.get(), completionBounds(bar.item));
    }
  }
  return visible;
}

Rectangle GanttChartContentController::completionOfBar(const GanttChartItemPtr& item) const {
  if (const auto visible = cachedVisibleBars_.find(viewport())) {
    const auto found = visible->completions.find(item.get());
    if (found != visible->completions.end()) return found->second;
  }
  return completionBounds(item);
}

std::shared_ptr<const GanttChartContentController::VisibleBars>
GanttChartContentController::barsOfViewport() const {
  return cachedVisibleBars_.findOrBuild(viewport(), [this] { return buildVisibleBars(); });
}

std::vector<GanttChartBar> GanttChartContentController::visibleBars() const {
  return barsOfViewport()->bars;
}

std::vector<GanttChartBar> GanttChartContentController::visibleBars(
    const Rectangle& rectangle) const {
  const auto visible = barsOfViewport();
  std::vector<GanttChartBar> found;
  for (const GanttChartBar& bar : visible->bars) {
    if (bar.bounds.intersects(rectangle)) found.push_back(bar);
  }
  return found;
}

// --- Visible dependency lines ------------------------------------------------

GanttChartContentController::VisibleDependencyLines
GanttChartContentController::buildVisibleDependencyLines() const {
  const GanttChartDependencyList dependencies = itemManager()->filteredDependencies();
  std::vector<GanttChartDependencyPtr> shown;
  shown.reserve(dependencies.size());
  for (const GanttChartDependencyPtr& dependency : dependencies) {
    if (!dependency || !dependency->isVisible()) continue;
    if (!dependency->from()->isVisible() || !dependency->to()->isVisible()) continue;
    shown.push_back(dependency);
  }
  std::stable_sort(shown.begin(), shown.end(), byZIndex<GanttChartDependencyPtr>);

  VisibleDependencyLines visible;
  visible.lines.reserve(shown.size());
  visible.boxes.reserve(shown.size());
  const std::shared_ptr<const GanttChartDiagramGenerator> generator = actualDiagramGenerator();
  for (GanttChartDependencyPtr& dependency : shown) {
    std::optional<std::vector<Point>> route = routeOf(dependency, *generator);
    // A route that is not finite can be neither drawn nor hit. One of fewer
    // than two points (a generator may give none) is listed all the same,
    // though it never passes through anything.
    if (!route || !detail::isFinite(*route)) continue;
    visible.boxes.push_back(detail::boundingBox(*route));
    visible.lines.push_back(GanttChartDependencyLine{std::move(dependency), *std::move(route)});
  }
  return visible;
}

std::shared_ptr<const GanttChartContentController::VisibleDependencyLines>
GanttChartContentController::linesOfViewport() const {
  if (!settings().showsDependencyLines) {
    static const auto* const none =
        new std::shared_ptr<const VisibleDependencyLines>(std::make_shared<VisibleDependencyLines>());
    return *none;
  }
  return cachedVisibleDependencyLines_.findOrBuild(viewport(),
                                                   [this] { return buildVisibleDependencyLines(); });
}

std::vector<GanttChartDependencyLine> GanttChartContentController::visibleDependencyLines() const {
  return linesOfViewport()->lines;
}

std::vector<GanttChartDependencyLine> GanttChartContentController::visibleDependencyLines(
    const Rectangle& rectangle) const {
  const auto visible = linesOfViewport();
  std::vector<GanttChartDependencyLine> found;
  for (size_t index = 0; index < visible->lines.size(); ++index) {
    if (passesThrough(visible->lines[index].polyline, visible->boxes[index], rectangle)) {
      found.push_back(visible->lines[index]);
    }
  }
  return found;
}

bool GanttChartContentController::passesThrough(const std::vector<Point>& polyline,
                                                const Rectangle& box, const Rectangle& rectangle) {
  if (polyline.size() < 2 || !box.intersects(rectangle)) return false;
  for (size_t index = 1; index < polyline.size(); ++index) {
    if (rectangle.intersects(Line(polyline[index - 1], polyline[index]))) return true;
  }
  return false;
}

// --- At a point --------------------------------------------------------------

std::optional<GanttChartBar> GanttChartContentController::bar(
    const Point& point, std::optional<double> maxDistance,
    std::optional<bool> acceptVerticalDistance) const {
  const auto visible = barsOfViewport();
  const std::vector<GanttChartBar>& bars = visible->bars;
  // The last bar is drawn last, on top of the others.
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    if (it->bounds.contains(point)) return *it;
  }
  const double distance = usableDistance(maxDistance);
  if (distance == 0) return std::nullopt;
  const double verticalDistance = acceptVerticalDistance.value_or(false) ? distance : 0;
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    if (point.isClose(it->bounds, distance, verticalDistance)) return *it;
  }
  return std::nullopt;
}

GanttChartItemPtr GanttChartContentController::item(const Point& point) const {
  std::optional<GanttChartBar> found = bar(point);
  return found ? std::move(found->item) : nullptr;
}

std::optional<GanttChartDependencyLine> GanttChartContentController::dependencyLine(
    const Point& point, std::optional<double> maxDistance) const {
  const double distance =
      usableDistance(maxDistance ? maxDistance : settings().maxLineHoveringDistance);
  const auto visible = linesOfViewport();
  for (size_t index = visible->lines.size(); index-- > 0;) {
    // The box test first: most lines lie nowhere near the point.
    if (!point.isClose(visible->boxes[index], distance, distance)) continue;
    const std::vector<Point>& route = visible->lines[index].polyline;
    if (point.isClose(std::span<const Point>(route), distance)) return visible->lines[index];
  }
  return std::nullopt;
}

GanttChartDependencyPtr GanttChartContentController::dependency(const Point& point) const {
  std::optional<GanttChartDependencyLine> found = dependencyLine(point);
  return found ? std::move(found->dependency) : nullptr;
}

// --- Routing -----------------------------------------------------------------

std::vector<Point> GanttChartContentController::polyline(
    const GanttChartDependencyPtr& dependency) const {
  if (!dependency) return {};
  return routeOf(dependency, *actualDiagramGenerator()).value_or(std::vector<Point>());
}

std::optional<std::vector<Point>> GanttChartContentController::routeOf(
    const GanttChartDependencyPtr& dependency, const GanttChartDiagramGenerator& generator) const {
  const GanttChartItemPtr& from = dependency->from();
  const GanttChartItemPtr& to = dependency->to();
  const Rectangle fromBounds = bounds(from);
  const Rectangle toBounds = bounds(to);
  if (!detail::isFinite(fromBounds) || !detail::isFinite(toBounds)) return std::nullopt;
  return generator.dependencyPolyline(fromBounds, toBounds, dependency->type(),
                                      from->isMilestone(), to->isMilestone());
}

double GanttChartContentController::rowTop(double y) const {
  const double rowHeight = effectiveRowHeight();
  if (rowHeight == 0) return 0;
  return rowHeight * std::floor(y / rowHeight);
}

std::vector<Point> GanttChartContentController::dependencyPolyline(
    const Rectangle& from, const Rectangle& to, GanttChartDependencyType type,
    bool /*fromMilestone*/, bool toMilestone) const {
  const GanttChartContentBaseStyle& style = actualStyle();
  const double rowHeight = effectiveRowHeight();
  const double endLength = style.dependencyLineEndLength;
  const double minBarWidth = settings().minBarWidth;
  const Point s = dependencyLineStartPoint(from, type);
  const Point t = dependencyLineEndPoint(to, type);
  const bool inTargetBand = to.top() <= s.y && s.y <= to.bottom();

  std::vector<Point> route{s};
  route.reserve(6);

  // A link from a bar's finish into a wide bar that starts just below or
  // above it drops straight onto that bar's top or bottom edge.
  if (type == GanttChartDependencyType::fromFinishToStart &&
      settings().drawsVerticallyEndingDependencyLinesWhenApplicable && !inTargetBand &&
      !toMilestone && 2 * (minBarWidth + endLength) < to.width() && s.x - minBarWidth <= to.left() &&
      to.left() < s.x + (endLength - style.cornerRadius)) {
    const double targetRowTop = rowTop(to.centerY());
    const double endY = targetRowTop < rowTop(s.y)
                            ? targetRowTop + rowHeight - style.verticalBarInset
                            : targetRowTop + style.verticalBarInset;
    route.push_back(Point{s.x + endLength, s.y});
    route.push_back(Point{s.x + endLength, endY});
    return route;
  }
  // Leaving from inside the target bar: there is nothing to route.
  if (to.left() <= s.x && s.x <= to.right() && inTargetBand) return route;

  appendElbowRoute(route, s, t, type);
  route.push_back(t);
  return route;
}

void GanttChartContentController::appendElbowRoute(std::vector<Point>& route, const Point& s,
                                                   const Point& t,
                                                   GanttChartDependencyType type) const {
  const double rowHeight = effectiveRowHeight();
  const double endLength = actualStyle().dependencyLineEndLength;
  const double dx = t.x - s.x;
  const double turnLength = 2 * endLength;

  // A short hop within about one row steps across half-way.
  if (std::abs(t.y - s.y) <= rowHeight * 0.5 && std::abs(dx) < turnLength) {
    const double middle = s.x + dx * 0.5;
    route.push_back(Point{middle, s.y});
    route.push_back(Point{middle, t.y});
    return;
  }

  switch (type) {
    case GanttChartDependencyType::fromFinishToStart:
    case GanttChartDependencyType::fromStartToFinish: {
      // The start-to-finish link is the mirror image of the finish-to-start
      // one: it leaves leftwards and enters from the right.
      const bool forward = type == GanttChartDependencyType::fromFinishToStart;
      const double direction = forward ? 1 : -1;
      // Straight along the row when the target lies ahead.
      if (t.y == s.y && (forward ? dx >= 0 : dx < 0)) return;
      const double leaving = s.x + direction * endLength;
      const double entering = t.x - direction * endLength;
      const bool farAhead = forward ? dx >= turnLength : dx <= -turnLength;
      double first = leaving;
      double second = farAhead ? leaving : entering;
      if (settings().drawsDependencyLinesSpanningHorizontalDistancePrimarilyOnSourceRow) {
        first = farAhead ? entering : leaving;
        second = entering;
      }
      route.push_back(Point{first, s.y});
      if (first != second) {
        // Back along the boundary of the target's row that faces the source.
        const double boundary = t.y > s.y ? rowTop(t.y) : rowTop(t.y) + rowHeight;
        route.push_back(Point{first, boundary});
        route.push_back(Point{second, boundary});
      }
      route.push_back(Point{second, t.y});
      return;
    }
    case GanttChartDependencyType::fromStartToStart:
    case GanttChartDependencyType::fromFinishToFinish: {
      // Both ends on the same side: the line goes round outside them.
      const double outwards =
          type == GanttChartDependencyType::fromStartToStart ? -endLength : endLength;
      if (t.y == s.y && std::abs(dx) >= turnLength) {
        const double bottom = rowTop(s.y) + rowHeight;
        route.push_back(Point{s.x + outwards, s.y});
        route.push_back(Point{s.x + outwards, bottom});
        route.push_back(Point{t.x + outwards, bottom});
        route.push_back(Point{t.x + outwards, t.y});
        return;
      }
      const double side = type == GanttChartDependencyType::fromStartToStart
                              ? std::min(s.x, t.x) + outwards
                              : std::max(s.x, t.x) + outwards;
      route.push_back(Point{side, s.y});
      route.push_back(Point{side, t.y});
      return;
    }
  }
}

}  // namespace vorlent
