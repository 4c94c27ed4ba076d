// Settings, themes and the default style, and the timer that keeps cells of
// the current moment up to date.

#include <utility>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/style/recorded_theme_access.h"

namespace vorlent {

void GanttChartHeaderController::settingsDidChange() {
  const auto alive = keepAlive();
  clearCaches();
  tellAreasAndCellsDidChange();
}

void GanttChartHeaderController::setTheme(Theme theme) {
  theme_ = std::move(theme);
  updateDefaultStyle(true);
}

void GanttChartHeaderController::setMode(std::optional<Mode> mode) {
  mode_ = mode;
  updateDefaultStyle(true);
}

void GanttChartHeaderController::setModeProvider(std::shared_ptr<const ModeProvider> provider) {
  modeProvider_ = std::move(provider);
  updateDefaultStyle(false);
}

Mode GanttChartHeaderController::actualMode() const {
  if (auto own = mode()) return *own;
  if (auto provider = modeProvider()) return provider->mode();
  return Mode::light;
}

std::optional<GanttChartHeaderBaseStyle> GanttChartHeaderController::styleForTheme(
    const std::string& name, std::optional<Mode> mode) const {
  const auto found = styleForTheme_.find(CustomThemeReference{name, mode});
  if (found == styleForTheme_.end()) return std::nullopt;
  return found->second;
}

void GanttChartHeaderController::setStyleForTheme(const std::string& name, std::optional<Mode> mode,
                                                  std::optional<GanttChartHeaderBaseStyle> style) {
  CustomThemeReference key{name, mode};
  if (style) {
    styleForTheme_.insert_or_assign(std::move(key), std::move(*style));
  } else {
    styleForTheme_.erase(key);
  }
  updateDefaultStyle(true);
}

void GanttChartHeaderController::updateDefaultStyle(bool force) {
  using Recorded = detail::RecordedThemeAccess;
  const Theme wanted = theme();
  const Mode wantedMode = actualMode();
  if (!force) {
    // A style set by hand (recorded as `none`) is never replaced unasked.
    if (Recorded::theme(settings_) == Theme::none()) return;
    if (Recorded::theme(settings_) == wanted && Recorded::mode(settings_) == wantedMode) return;
  }

  std::optional<GanttChartHeaderBaseStyle> base;
  if (const std::string* name = wanted.customName()) {
    base = styleForTheme(*name, wantedMode);
    if (!base) base = styleForTheme(*name, std::nullopt);
    // Nothing registered for that name: keep the style in force, so the
    // header does not fall back to a look the host never chose.
    if (!base) return;
  } else {
    base = GanttChartHeaderBaseStyle(wanted, wantedMode);
  }

  const GanttChartHeaderBaseStyle old = settings_.defaultStyle();
  const auto alive = keepAlive();
  settings_.setDefaultStyle(std::move(*base));
  if (auto provider = styleProvider()) {
    settings_.setDefaultStyle(provider->style(settings_.defaultStyle(), wanted, wantedMode));
  }
  Recorded::setTheme(settings_, wanted);
  Recorded::setMode(settings_, wantedMode);
  settingsDidChange();
  if (auto o = styleObserver()) {
    const GanttChartHeaderBaseStyle adopted = settings_.defaultStyle();
    o->defaultStyleDidChange(adopted, old);
  }
}

// --- Automatic refresh -----------------------------------------------------------

void GanttChartHeaderController::initializeAutoRefreshTimer(double interval, TimeUnit unit) {
  invalidateAutoRefreshTimer();
  std::weak_ptr<GanttChartHeaderController> weakSelf = weak_from_this();
  autoRefreshTimer_ = RunLoop::current().scheduleRepeating(seconds(interval, unit), [weakSelf] {
    if (auto self = weakSelf.lock()) self->refreshTick();
  });
}

void GanttChartHeaderController::invalidateAutoRefreshTimer() {
  autoRefreshTimer_.invalidate();
  autoRefreshTimer_ = RepeatingTimer();
}

void GanttChartHeaderController::refreshTick() {
  if (!showsCurrentTime()) return;
  cachedCells_.clear();
  if (auto o = observer()) o->cellsDidChange();
}

}  // namespace vorlent
