#pragma once

#include <any>
#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/model/dependency_settings.h"
#include "vorlent/model/item.h"
#include "vorlent/graphics/point.h"
#include "vorlent/model/rare_fields.h"
#include "vorlent/time/time.h"

namespace vorlent {

// Which end of an item a dependency attaches to.
class GanttChartDependency;

namespace detail {

class SourceDependencyIndex;

// A source took the dependency in (again): from now on its relinks are
// reported to the source's index. A dependency held by several sources is
// reported to none; each of those indexes then watches the process-wide link
// count instead.
void attachDependency(GanttChartDependency& dependency, SourceDependencyIndex& index);
// The source let go of every occurrence of the dependency (or is going away).
void detachDependency(GanttChartDependency& dependency, const SourceDependencyIndex& index);
// The last answer a lag set gave about the dependency, kept with it so that a
// cascade asking again reads no list: `key` names the set's list (see
// `GanttChartDependencyLagSet`), which checks it before trusting `lag`. A key
// of 0, the initial one, names no list.
struct LagMemo {
  uint32_t key = 0;
  double lag = 0;
};
[[nodiscard]] LagMemo lagMemoOf(const GanttChartDependency& dependency);
void setLagMemo(const GanttChartDependency& dependency, const LagMemo& memo);

}  // namespace detail

enum class GanttChartDependencyEndType { start, finish };

inline constexpr std::array<GanttChartDependencyEndType, 2> allGanttChartDependencyEndTypes() {
  return {GanttChartDependencyEndType::start, GanttChartDependencyEndType::finish};
}

// The four ways to link two items. Each type stands for exactly one pair of
// end types, and each pair for one type.
enum class GanttChartDependencyType {
  fromFinishToStart,
  fromStartToStart,
  fromFinishToFinish,
  fromStartToFinish,
};

inline constexpr std::array<GanttChartDependencyType, 4> allGanttChartDependencyTypes() {
  return {GanttChartDependencyType::fromFinishToStart, GanttChartDependencyType::fromStartToStart,
          GanttChartDependencyType::fromFinishToFinish,
          GanttChartDependencyType::fromStartToFinish};
}

// The type linking the given ends.
[[nodiscard]] GanttChartDependencyType makeGanttChartDependencyType(
    GanttChartDependencyEndType fromType, GanttChartDependencyEndType toType);
[[nodiscard]] GanttChartDependencyEndType fromType(GanttChartDependencyType type);
[[nodiscard]] GanttChartDependencyEndType toType(GanttChartDependencyType type);
// Whether the link runs with time at that end: true for a link leaving the
// source's finish, and for one arriving at the target's start.
[[nodiscard]] bool isFromEntropic(GanttChartDependencyType type);
[[nodiscard]] bool isToEntropic(GanttChartDependencyType type);

std::ostream& operator<<(std::ostream& out, GanttChartDependencyEndType type);
std::ostream& operator<<(std::ostream& out, GanttChartDependencyType type);

// Connects an end of the `from` item to an end of the `to` item. Compared by
// pointer, and owning both items. Nothing is validated here: a self-link, a
// second identical link or items held by different managers are all
// accepted. Each setter other than `setHasChanged` sets `hasChanged`, also
// when the new value equals the old.
class GanttChartDependency {
 public:
  // The constructor's arguments by name, for designated initialisers in this
  // order:
  //
  //   auto link = GanttChartDependency::create(
  //       {.from = design, .to = build, .type = GanttChartDependencyType::fromStartToStart});
  //
  // `from` and `to` have no useful default: leaving either out is the fatal
  // stop of a null item.
  struct Options {
    std::optional<std::string> label{};
    GanttChartItemPtr from{};
    GanttChartItemPtr to{};
    std::optional<std::string> details{};
    int64_t zIndex = 0;
    bool isVisible = true;
    std::optional<GanttChartDependencyType> type{};
    std::optional<GanttChartDependencyStyle> style{};
    std::any context{};
  };

  // Both items must be given: a null item is a fatal stop. A given `type`
  // (even the default finish-to-start) or `style` raises `hasChanged`.
  explicit GanttChartDependency(Options options);
  static std::shared_ptr<GanttChartDependency> create(Options options);
  // The same in positional form.
  GanttChartDependency(std::optional<std::string> label, GanttChartItemPtr from,
                       GanttChartItemPtr to, std::optional<std::string> details = std::nullopt,
                       int64_t zIndex = 0, bool isVisible = true,
                       std::optional<GanttChartDependencyType> type = std::nullopt,
                       std::optional<GanttChartDependencyStyle> style = std::nullopt,
                       std::any context = {});
  virtual ~GanttChartDependency() = default;
  GanttChartDependency(const GanttChartDependency&) = delete;
  GanttChartDependency& operator=(const GanttChartDependency&) = delete;

  [[nodiscard]] virtual const std::optional<std::string>& label() const {
    return rare_.get().label;
  }
  virtual void setLabel(std::optional<std::string> label);
  [[nodiscard]] virtual const std::optional<std::string>& details() const {
    return rare_.get().details;
  }
  virtual void setDetails(std::optional<std::string> details);
  // A null item is a fatal stop.
  [[nodiscard]] virtual const GanttChartItemPtr& from() const { return from_; }
  virtual void setFrom(GanttChartItemPtr from);
  [[nodiscard]] virtual const GanttChartItemPtr& to() const { return to_; }
  virtual void setTo(GanttChartItemPtr to);
  [[nodiscard]] virtual GanttChartDependencyEndType fromType() const { return fromType_; }
  virtual void setFromType(GanttChartDependencyEndType fromType);
  [[nodiscard]] virtual GanttChartDependencyEndType toType() const { return toType_; }
  virtual void setToType(GanttChartDependencyEndType toType);
  [[nodiscard]] virtual GanttChartDependencyType type() const;
  // Assigns both end types and raises `hasChanged` once.
  virtual void setType(GanttChartDependencyType type);

  // The linked moments, read from the items at each call.
  [[nodiscard]] virtual Time fromTime() const;
  [[nodiscard]] virtual Time toTime() const;
  [[nodiscard]] virtual bool isFromEntropic() const {
    return fromType() == GanttChartDependencyEndType::finish;
  }
  [[nodiscard]] virtual bool isToEntropic() const {
    return toType() == GanttChartDependencyEndType::start;
  }

  [[nodiscard]] virtual int64_t zIndex() const { return zIndex_; }
  virtual void setZIndex(int64_t zIndex);
  [[nodiscard]] virtual bool isVisible() const { return isVisible_; }
  virtual void setIsVisible(bool isVisible);
  [[nodiscard]] virtual const std::any& context() const { return rare_.get().context; }
  virtual void setContext(std::any context);
  [[nodiscard]] virtual const GanttChartDependencySettings& settings() const {
    return rare_.get().settings;
  }
  virtual void setSettings(const GanttChartDependencySettings& settings);
  [[nodiscard]] virtual const GanttChartDependencyStyle& style() const { return settings().style; }
  virtual void setStyle(const GanttChartDependencyStyle& style);

  [[nodiscard]] virtual bool hasChanged() const { return hasChanged_; }
  virtual void setHasChanged(bool hasChanged) { hasChanged_ = hasChanged; }

 private:
  friend void detail::attachDependency(GanttChartDependency& dependency,
                                       detail::SourceDependencyIndex& index);
  friend void detail::detachDependency(GanttChartDependency& dependency,
                                       const detail::SourceDependencyIndex& index);
  friend detail::LagMemo detail::lagMemoOf(const GanttChartDependency& dependency);
  friend void detail::setLagMemo(const GanttChartDependency& dependency,
                                 const detail::LagMemo& memo);

  // Counts and reports a change of either end; reassigning the same items
  // changes nothing.
  void linkReassigned(const GanttChartItem* oldFrom, const GanttChartItem* oldTo);

  // What few dependencies set, out of line.
  struct Extras {
    std::optional<std::string> label;
    std::optional<std::string> details;
    std::any context;
    GanttChartDependencySettings settings;
  };

  GanttChartItemPtr from_;
  GanttChartItemPtr to_;
  GanttChartDependencyEndType fromType_ = GanttChartDependencyEndType::finish;
  GanttChartDependencyEndType toType_ = GanttChartDependencyEndType::start;
  bool isVisible_;
  bool hasChanged_ = false;
  // A `detail::LagMemo` in two fields, the key in what would be padding.
  mutable uint32_t lagKey_ = 0;
  mutable double lagAnswer_ = 0;
  int64_t zIndex_;
  detail::RareFields<Extras> rare_;
  // The index of the one source holding it, told of relinks; null while no
  // source holds it, a placeholder that ignores them while several do.
  detail::SourceDependencyIndex* owner_ = nullptr;
};

using GanttChartDependencyPtr = std::shared_ptr<GanttChartDependency>;

// A visible dependency with its routed line, as handed to a presenter.
struct GanttChartDependencyLine {
  GanttChartDependencyPtr dependency;
  std::vector<Point> polyline;
};

namespace detail {

// Counts changes of `from` or `to` across every dependency, so that indexes of
// dependencies by item that no source keeps up to date can tell whether one
// they hold was relinked. Constructing a dependency does not count: it
// relinks nothing an index already holds; neither does assigning an end the
// item it already has.
[[nodiscard]] uint64_t dependencyLinkGeneration();

inline LagMemo lagMemoOf(const GanttChartDependency& dependency) {
  return {dependency.lagKey_, dependency.lagAnswer_};
}
inline void setLagMemo(const GanttChartDependency& dependency, const LagMemo& memo) {
  dependency.lagKey_ = memo.key;
  dependency.lagAnswer_ = memo.lag;
}

}  // namespace detail

}  // namespace vorlent
