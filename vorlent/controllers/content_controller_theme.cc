#include <utility>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/style/recorded_theme_access.h"

namespace vorlent {

void GanttChartContentController::settingsDidChange() {
  ReactionScope scope(*this);
  clearCaches();
  tell(&GanttChartContentObserver::settingsDidChange);
  tell(&GanttChartContentObserver::visibleBarsDidChange);
  tell(&GanttChartContentObserver::visibleDependencyLinesDidChange);
  tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
  tell(&GanttChartContentObserver::highlightedScheduleAreasDidChange);
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
}

void GanttChartContentController::setTheme(Theme theme) {
  theme_ = std::move(theme);
  updateDefaultStyle(true);
}

void GanttChartContentController::setMode(std::optional<Mode> mode) {
  mode_ = mode;
  updateDefaultStyle(true);
}

void GanttChartContentController::setModeProvider(std::shared_ptr<ModeProvider> provider) {
  modeProvider_ = std::move(provider);
  updateDefaultStyle(false);
}

Mode GanttChartContentController::actualMode() const {
  if (mode_) return *mode_;
  if (modeProvider_) return modeProvider_->mode();
  return Mode::light;
}

std::optional<GanttChartContentBaseStyle> GanttChartContentController::styleForTheme(
    const std::string& name, std::optional<Mode> mode) const {
  const auto found = styleForTheme_.find(CustomThemeReference{name, mode});
  if (found == styleForTheme_.end()) return std::nullopt;
  return found->second;
}

void GanttChartContentController::setStyleForTheme(
    const std::string& name, std::optional<Mode> mode,
    std::optional<GanttChartContentBaseStyle> style) {
  CustomThemeReference reference{name, mode};
  if (style) {
    styleForTheme_.insert_or_assign(std::move(reference), std::move(*style));
  } else {
    styleForTheme_.erase(reference);
  }
  updateDefaultStyle(true);
}

void GanttChartContentController::updateDefaultStyle(bool force) {
  ReactionScope scope(*this);
  // A request made while one is applied (by the style provider or an
  // observer) runs after it, forced if any of the requests was.
  if (defaultStyleUpdates_.isApplying()) {
    force = force || defaultStyleUpdates_.pending().value_or(false);
  }
  defaultStyleUpdates_.write(force, [this](bool forced) { applyDefaultStyleUpdate(forced); });
}

void GanttChartContentController::applyDefaultStyleUpdate(bool force) {
  using detail::RecordedThemeAccess;
  const Theme theme = theme_;
  const Mode mode = actualMode();
  if (!force) {
    const Theme& recorded = RecordedThemeAccess::theme(settings_);
    // A default style the host assigned itself stays until a theme or mode
    // is assigned.
    if (recorded == Theme::none()) return;
    if (theme == recorded && mode == RecordedThemeAccess::mode(settings_)) return;
  }

  std::optional<GanttChartContentBaseStyle> base;
  if (const std::string* name = theme.customName()) {
    base = styleForTheme(*name, mode);
    if (!base) base = styleForTheme(*name, std::nullopt);
    // No style registered under the name: keep the current one.
    if (!base) return;
  } else {
    base = GanttChartContentBaseStyle(theme, mode);
  }

  const GanttChartContentBaseStyle previous = settings_.defaultStyle();
  settings_.setDefaultStyle(std::move(*base));
  if (auto provider = styleProvider()) {
    const GanttChartContentBaseStyle themed = settings_.defaultStyle();
    settings_.setDefaultStyle(provider->style(themed, theme, mode));
  }
  RecordedThemeAccess::setTheme(settings_, theme);
  RecordedThemeAccess::setMode(settings_, mode);
  settingsDidChange();
  if (!mayNotify()) return;
  if (auto target = styleObserver()) {
    // A copy: the observer may assign another default style meanwhile.
    const GanttChartContentBaseStyle current = settings_.defaultStyle();
    target->defaultStyleDidChange(current, previous);
  }
}

std::shared_ptr<const GanttChartDiagramGenerator>
GanttChartContentController::actualDiagramGenerator() const {
  if (auto generator = diagramGenerator()) return generator;
  if (auto self = weak_from_this().lock()) return self;
  // A controller that no shared_ptr owns (a subclass made without the
  // factory) answers itself without owning itself; shared_from_this would
  // throw.
  return std::shared_ptr<const GanttChartDiagramGenerator>(
      std::shared_ptr<const GanttChartDiagramGenerator>(), this);
}

}  // namespace vorlent
