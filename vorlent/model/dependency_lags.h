#pragma once

#include <cstddef>
#include <cstdint>
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
// whenever the list is replaced, so asking costs the same for any list size;
// a dependency asked about again remembers the answer.
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
  // What the list says of one dependency.
  struct Answer {
    std::optional<double> lag;
    bool excluded = false;
  };
  // From the first definition naming the dependency; remembered with the
  // dependency for the next question.
  [[nodiscard]] Answer answerFor(const GanttChartDependency* dependency) const;
  void rebuildIndex();

  // Tells this set's list apart from every other set's, and from its own
  // earlier lists, so that an answer a dependency remembers is only ever read
  // by the list that gave it: a copy draws a new stamp, and a move draws new
  // ones on both sides, as both lists changed. 0 once the stamps ran out, and
  // nothing is remembered then.
  struct ListStamp {
    uint32_t value;
    ListStamp();
    ListStamp(const ListStamp& /*other*/) : ListStamp() {}
    ListStamp(ListStamp&& other) noexcept;
    ListStamp& operator=(const ListStamp& /*other*/);
    ListStamp& operator=(ListStamp&& other) noexcept;
    ~ListStamp() = default;
  };

  std::vector<GanttChartDependencyLagDefinition> lags_;
  detail::IdentityIndex<GanttChartDependency> firstIndex_;
  ListStamp stamp_;
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
