#pragma once

#include <any>
#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "vorlent/graphics/rectangle.h"
#include "vorlent/model/item_settings.h"
#include "vorlent/model/rare_fields.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

class ScheduleDefinition;
class GanttChartItem;

namespace detail {

// How often an item source's items have had an order key (row, time,
// z-index), and their row in particular, assigned through their setters, so
// that the source's indexes can tell cheaply whether they are still valid.
// An item counts in the record of the one source holding it: an edit in one
// chart leaves the indexes of every other chart alone. An item held by
// several sources counts in the process-wide record instead, which each of
// those sources then watches as well; an item held by none counts nowhere,
// since a source hears of every item it takes in.
struct ItemChangeCounts {
  uint64_t order = 0;
  uint64_t rows = 0;
  // Whether items of this source count in the process-wide record.
  bool watchesShared = false;
  // The source is gone: its items' edits count here no more.
  bool released = false;

  // Monotonic; one assignment to one of the source's items advances each
  // concerned figure by exactly one.
  [[nodiscard]] uint64_t orderGeneration() const;
  [[nodiscard]] uint64_t rowGeneration() const;
};

// The record of items held by more than one source.
[[nodiscard]] ItemChangeCounts& sharedItemChangeCounts();
// A source took the item in (again): from now on its edits count for it.
void attachItem(GanttChartItem& item, ItemChangeCounts& counts);
// The source let go of every occurrence of the item (or is going away).
void detachItem(GanttChartItem& item, const ItemChangeCounts& counts);
// The record the item's edits count in: its source's, the process-wide one
// for an item several sources hold, null for an item no source holds.
[[nodiscard]] inline const ItemChangeCounts* changeCountsOf(const GanttChartItem& item);
// Where the last dependency index to look the item up keeps its links: a
// guess that index checks before trusting it, so that a cascade reaching the
// item finds its links without a search. 0 until an index sets it.
[[nodiscard]] inline uint32_t linkSlotHintOf(const GanttChartItem& item);
inline void setLinkSlotHint(const GanttChartItem& item, uint32_t slot);
// Likewise, where the last `ItemMarks` to mark the item keeps its entry.
[[nodiscard]] inline uint32_t markHintOf(const GanttChartItem& item);
inline void setMarkHint(const GanttChartItem& item, uint32_t position);

}  // namespace detail

// What a bar stands for. Settings and styles keep their per-type values under
// this key.
enum class GanttChartItemType { standard, milestone, summary };

inline constexpr std::array<GanttChartItemType, 3> allGanttChartItemTypes() {
  return {GanttChartItemType::standard, GanttChartItemType::milestone, GanttChartItemType::summary};
}

std::ostream& operator<<(std::ostream& out, GanttChartItemType type);

// A task, milestone or summary placed on a row over a time range. One object
// is shared by everything that works with it (host, item manager, behaviours,
// controllers), and lists find it by pointer, never by value.
//
// The item is a plain record: it keeps any value it is handed, even a finish
// before its start, a completion outside 0...1 or a negative row, and leaves
// scheduling to the item manager, through which edits that should be
// scheduled go. Each setter other than `setHasChanged` sets `hasChanged`,
// also when the new value equals the old.
class GanttChartItem {
 public:
  // The constructor's arguments by name, so a caller gives only those it
  // needs, with designated initialisers in this order:
  //
  //   auto item = GanttChartItem::create({.label = "Build", .row = 2,
  //                                       .start = start, .finish = finish});
  //
  // Every field has a default (an item at the epoch on row 0, otherwise as
  // the positional constructor's defaults), so `-Wextra` stays quiet about the
  // fields left out.
  struct Options {
    std::optional<std::string> label{};
    int64_t row = 0;
    Time start{};
    Time finish{};
    double completion = 0;
    std::optional<std::string> attachment{};
    std::optional<std::string> details{};
    std::shared_ptr<ScheduleDefinition> schedule{};
    bool isExpanded = true;
    int64_t zIndex = 0;
    bool isVisible = true;
    std::optional<GanttChartItemType> type{};
    std::optional<GanttChartItemStyle> style{};
    std::any context{};
  };

  // `type` nullopt means standard and, unlike a given style, does not raise
  // `hasChanged`; a given `style` does.
  explicit GanttChartItem(Options options);
  static std::shared_ptr<GanttChartItem> create(Options options);
  // The same in positional form.
  GanttChartItem(std::optional<std::string> label, int64_t row, Time start, Time finish,
                 double completion, std::optional<std::string> attachment = std::nullopt,
                 std::optional<std::string> details = std::nullopt,
                 std::shared_ptr<ScheduleDefinition> schedule = nullptr, bool isExpanded = true,
                 int64_t zIndex = 0, bool isVisible = true,
                 std::optional<GanttChartItemType> type = std::nullopt,
                 std::optional<GanttChartItemStyle> style = std::nullopt, std::any context = {});
  virtual ~GanttChartItem() = default;
  GanttChartItem(const GanttChartItem&) = delete;
  GanttChartItem& operator=(const GanttChartItem&) = delete;

  // A momentary item (start = finish = `time`, completion 0); the type is
  // still the one given, so a milestone must be asked for.
  static std::shared_ptr<GanttChartItem> fromTime(
      std::optional<std::string> label, int64_t row, Time time,
      std::optional<std::string> attachment = std::nullopt,
      std::optional<std::string> details = std::nullopt,
      std::shared_ptr<ScheduleDefinition> schedule = nullptr, bool isExpanded = true,
      int64_t zIndex = 0, bool isVisible = true,
      std::optional<GanttChartItemType> type = std::nullopt,
      std::optional<GanttChartItemStyle> style = std::nullopt, std::any context = {});

  [[nodiscard]] virtual const std::optional<std::string>& label() const { return label_; }
  virtual void setLabel(std::optional<std::string> label);
  [[nodiscard]] virtual const std::optional<std::string>& attachment() const {
    return rare_.get().attachment;
  }
  virtual void setAttachment(std::optional<std::string> attachment);
  [[nodiscard]] virtual const std::optional<std::string>& details() const { return details_; }
  virtual void setDetails(std::optional<std::string> details);
  [[nodiscard]] virtual int64_t row() const { return row_; }
  virtual void setRow(int64_t row);
  [[nodiscard]] virtual const TimeRange& time() const { return time_; }
  virtual void setTime(const TimeRange& time);
  // When present, this item's working time follows it instead of the item
  // manager's schedule.
  [[nodiscard]] virtual const std::shared_ptr<ScheduleDefinition>& schedule() const {
    return rare_.get().schedule;
  }
  virtual void setSchedule(std::shared_ptr<ScheduleDefinition> schedule);
  // Replace one end of `time` through `setTime`.
  [[nodiscard]] virtual Time start() const { return time().start; }
  virtual void setStart(const Time& start);
  [[nodiscard]] virtual Time finish() const { return time().finish; }
  virtual void setFinish(const Time& finish);

  // False only when the finish is earlier than the start; a zero-length item
  // counts as entropic, whichever spelling of midnight its ends use.
  [[nodiscard]] virtual bool isEntropic() const { return !(finish() < start()); }
  [[nodiscard]] virtual bool isMomentary() const { return start() == finish(); }

  [[nodiscard]] virtual double completion() const { return completion_; }
  virtual void setCompletion(double completion);
  [[nodiscard]] virtual bool isStarted() const { return completion() > 0; }
  [[nodiscard]] virtual bool isCompleted() const { return completion() >= 1; }
  [[nodiscard]] virtual bool isInProgress() const { return completion() > 0 && completion() < 1; }

  [[nodiscard]] virtual GanttChartItemType type() const { return type_; }
  virtual void setType(GanttChartItemType type);
  [[nodiscard]] virtual bool isStandard() const { return type() == GanttChartItemType::standard; }
  [[nodiscard]] virtual bool isMilestone() const { return type() == GanttChartItemType::milestone; }
  [[nodiscard]] virtual bool isSummary() const { return type() == GanttChartItemType::summary; }

  [[nodiscard]] virtual bool isExpanded() const { return isExpanded_; }
  virtual void setIsExpanded(bool isExpanded);
  [[nodiscard]] virtual int64_t zIndex() const { return zIndex_; }
  virtual void setZIndex(int64_t zIndex);
  [[nodiscard]] virtual bool isVisible() const { return isVisible_; }
  virtual void setIsVisible(bool isVisible);
  // An opaque host value, stored and returned unchanged; empty for none.
  [[nodiscard]] virtual const std::any& context() const { return rare_.get().context; }
  virtual void setContext(std::any context);
  // Change one setting by assigning a modified copy.
  [[nodiscard]] virtual const GanttChartItemSettings& settings() const { return *settings_; }
  virtual void setSettings(const GanttChartItemSettings& settings);
  // `settings().style`; setting it replaces that field through `setSettings`.
  [[nodiscard]] virtual const GanttChartItemStyle& style() const { return settings().style; }
  virtual void setStyle(const GanttChartItemStyle& style);

  [[nodiscard]] virtual bool hasChanged() const { return hasChanged_; }
  // Only stores the flag.
  virtual void setHasChanged(bool hasChanged) { hasChanged_ = hasChanged; }

 private:
  friend void detail::attachItem(GanttChartItem& item, detail::ItemChangeCounts& counts);
  friend void detail::detachItem(GanttChartItem& item, const detail::ItemChangeCounts& counts);
  friend const detail::ItemChangeCounts* detail::changeCountsOf(const GanttChartItem& item);
  friend uint32_t detail::linkSlotHintOf(const GanttChartItem& item);
  friend void detail::setLinkSlotHint(const GanttChartItem& item, uint32_t slot);
  friend uint32_t detail::markHintOf(const GanttChartItem& item);
  friend void detail::setMarkHint(const GanttChartItem& item, uint32_t position);

  // Counts an assignment of an order key (also of the row, when `row`).
  void orderKeyAssigned(bool row) {
    if (changeCounts_ == nullptr) return;
    ++changeCounts_->order;
    if (row) ++changeCounts_->rows;
  }

  // What few items set, out of line.
  struct Extras {
    std::optional<std::string> attachment;
    std::shared_ptr<ScheduleDefinition> schedule;
    std::any context;
  };

  std::optional<std::string> label_;
  std::optional<std::string> details_;
  int64_t row_;
  TimeRange time_;
  double completion_;
  GanttChartItemType type_ = GanttChartItemType::standard;
  bool isExpanded_ = true;
  bool isVisible_ = true;
  bool hasChanged_ = false;
  int64_t zIndex_;
  detail::RareFields<Extras> rare_;
  // Shared while equal to the defaults, so charts of many plain items pay for
  // one settings record only.
  std::shared_ptr<const GanttChartItemSettings> settings_;
  // Where its order-key edits count; null while no source holds it.
  detail::ItemChangeCounts* changeCounts_ = nullptr;
  // Lookup hints (see `detail::linkSlotHintOf`), guesses only.
  mutable uint32_t linkSlotHint_ = 0;
  mutable uint32_t markHint_ = 0;
};

using GanttChartItemPtr = std::shared_ptr<GanttChartItem>;

namespace detail {
inline const ItemChangeCounts* changeCountsOf(const GanttChartItem& item) {
  return item.changeCounts_;
}
inline uint32_t linkSlotHintOf(const GanttChartItem& item) { return item.linkSlotHint_; }
inline void setLinkSlotHint(const GanttChartItem& item, uint32_t slot) {
  item.linkSlotHint_ = slot;
}
inline uint32_t markHintOf(const GanttChartItem& item) { return item.markHint_; }
inline void setMarkHint(const GanttChartItem& item, uint32_t position) {
  item.markHint_ = position;
}
}  // namespace detail

// An item with its bounds on the chart canvas, as handed to a presenter.
struct GanttChartBar {
  GanttChartItemPtr item;
  Rectangle bounds;
};

}  // namespace vorlent
