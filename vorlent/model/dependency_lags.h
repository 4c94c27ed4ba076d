#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/identity_index.h"

namespace vorlent {

class GanttChartDependency;

// Answers auto-scheduling's two questions about a dependency: should it be
// skipped, and if not, how much working time (in seconds; negative overlaps
// the ends) separates the linked ends. Skipping is asked about first, and a
// missing lag means 0.
class GanttChartDependencyLagProvider {
 public:
  virtual ~GanttChartDependencyLagProvider() = default;

  // Seconds of working time, or nullopt for none.
  [[nodiscard]] virtual std::optional<double> lag(
      const std::shared_ptr<GanttChartDependency>& dependency) const = 0;
  // Whether auto-scheduling leaves the dependency out; the default keeps
  // every dependency.
  [[nodiscard]] virtual bool shouldExclude(
      const std::shared_ptr<GanttChartDependency>& dependency) const {
    (void)dependency;
    return false;
  }
};

// One dependency's lag and exclusion. The dependency is matched by identity:
// another dependency object linking the same ends is a different dependency.
struct GanttChartDependencyLagDefinition {
  std::shared_ptr<GanttChartDependency> dependency;
  double lag = 0;
  bool shouldExclude = false;

  // nullopt `shouldExclude` means false.
  GanttChartDependencyLagDefinition(std::shared_ptr<GanttChartDependency> linked, double seconds,
                                    std::optional<bool> excluded = std::nullopt);
};

// A list of lag definitions. A dependency's answer comes from the first
// definition for that very object, in list order; later ones for the same
// dependency are never reached, and a dependency without one has no lag and
// is not excluded. Lookups go through an identity index that is rebuilt
// whenever the list is replaced, so asking costs the same for any list size.
class GanttChartDependencyLagSet : public GanttChartDependencyLagProvider {
 public:
  explicit GanttChartDependencyLagSet(std::vector<GanttChartDependencyLagDefinition> lags = {});

  [[nodiscard]] virtual const std::vector<GanttChartDependencyLagDefinition>& lags() const {
    return lags_;
  }
  // Takes effect at the next question.
  virtual void setLags(std::vector<GanttChartDependencyLagDefinition> lags);

  [[nodiscard]] std::optional<double> lag(
      const std::shared_ptr<GanttChartDependency>& dependency) const override;
  [[nodiscard]] bool shouldExclude(
      const std::shared_ptr<GanttChartDependency>& dependency) const override;

 private:
  // The first definition for the dependency, or null.
  [[nodiscard]] const GanttChartDependencyLagDefinition* firstDefinition(
      const GanttChartDependency* dependency) const;
  void rebuildIndex();

  std::vector<GanttChartDependencyLagDefinition> lags_;
  detail::IdentityIndex<GanttChartDependency> firstIndex_;
  // No dependency has two definitions, so a definition naming a dependency
  // is its first one, and the dependency's hint can be trusted once checked.
  bool hintsUsable_ = false;
};

// Lags and exclusions answered by two host functions. An empty function
// answers no lag, or no exclusion.
class GanttChartDependencyLagSource : public GanttChartDependencyLagProvider {
 public:
  using LagFunction =
      std::function<std::optional<double>(const std::shared_ptr<GanttChartDependency>&)>;
  using ExclusionFunction = std::function<bool(const std::shared_ptr<GanttChartDependency>&)>;

  GanttChartDependencyLagSource(LagFunction function, ExclusionFunction exclusionFunction);

  [[nodiscard]] const LagFunction& function() const { return function_; }
  [[nodiscard]] const ExclusionFunction& exclusionFunction() const { return exclusionFunction_; }

  [[nodiscard]] std::optional<double> lag(
      const std::shared_ptr<GanttChartDependency>& dependency) const override;
  [[nodiscard]] bool shouldExclude(
      const std::shared_ptr<GanttChartDependency>& dependency) const override;

 private:
  LagFunction function_;
  ExclusionFunction exclusionFunction_;
};

}  // namespace vorlent
