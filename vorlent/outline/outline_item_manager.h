#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/item_manager.h"

namespace vorlent {

// The item manager an outline chart builds over itself. While it re-applies
// the schedule or the behaviours, while it changes an item's time,
// completion or row (each step of a drag) and while any other cascade of the
// rules runs, every callback of that application is handed the same
// available items and dependencies, read from the chart once. The rules
// moving items never changes the chart's answers; the host's edits to its
// links may, and count from the next application, unless they are announced
// within this one: a reload asked for, `collectionDidChange()` or
// `clearCache()` from the host, or a link or item added or removed through
// the manager, drops the lists, and the rest of the application reads them
// again. So a behaviour indexes the links once per application instead of
// once per item it asks about, and the chart does not rebuild its list of
// links for every item.
// The next application (the next drag step) reads the lists again, but over
// the elements of the last ones while they hold the very same items and
// links, so that the rules keep what they indexed.
//
// The chart's links are the host's, which hears of a link the chart adds
// only once the rules have answered it. Until an outline dependency mirrors
// such a link, the available dependencies carry it themselves, so that the
// rules place its successor at once.
class OutlineGanttChartItemManager : public GanttChartItemManager {
 public:
  using GanttChartItemManager::GanttChartItemManager;
  using GanttChartItemManager::performUpdates;

  [[nodiscard]] GanttChartItemList availableItems() override;
  [[nodiscard]] GanttChartDependencyList availableDependencies() override;

  void applySchedule(const GanttChartItemPtr& item) override;
  void applySchedule() override;
  void applyBehavior(const GanttChartItemPtr& item) override;
  void applyBehavior() override;
  void updateTime(const GanttChartItemPtr& item, const Time& start) override;
  void updateDurationToFinishOn(const GanttChartItemPtr& item, const Time& finish,
                                bool preservingCompletedDuration) override;
  void updateDurationToStartOn(const GanttChartItemPtr& item, const Time& start,
                               bool preservingCompletedDuration) override;
  void updateCompletion(const GanttChartItemPtr& item, const Time& until) override;
  void updateRow(const GanttChartItemPtr& item, int64_t row) override;

  // Whether an application is running, and which reading of the lists it
  // uses: the figure changes whenever an application starts or drops its
  // lists, so that what the chart derives from them can tell it is stale.
  [[nodiscard]] bool isApplying() const { return applications_ > 0; }
  [[nodiscard]] uint64_t listsReading() const { return listsReading_; }

  // Each drops the lists read for the running application, if any, so that
  // the rest of it reads them afresh.
  GanttChartItemPtr addNewSourceItem(int64_t row, const Time& time, bool isMilestone) override;
  void removeSourceItem(const GanttChartItemPtr& item) override;
  GanttChartDependencyPtr addNewSourceDependency(const GanttChartItemPtr& from,
                                                 const GanttChartItemPtr& to,
                                                 GanttChartDependencyType type) override;
  void removeSourceDependency(const GanttChartDependencyPtr& dependency) override;

  // The chart's new link is among the available dependencies from its
  // creation until an outline dependency mirrors it or this returns.
  GanttChartDependencyPtr addNewDependency(const GanttChartItemPtr& from,
                                           const GanttChartItemPtr& to,
                                           GanttChartDependencyType type) override;

 protected:
  // As above.
  void sourceDidChange() override;
  // Runs the cascade as one application (see above).
  void performUpdates(GanttChartItemUpdateActions actions, int64_t recursivity) override;

 private:
  // Marks one application (nested ones count once); the lists are dropped
  // when the outermost one ends.
  class Application {
   public:
    explicit Application(OutlineGanttChartItemManager& manager);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

   private:
    OutlineGanttChartItemManager& manager_;
  };

  // Runs `run` as one application, the manager held meanwhile: the chart
  // may drop the last other owner while the rules run.
  template <class Run>
  void asOneApplication(const Run& run);
  void dropLists();

  // The elements of the last lists read, shared with the lists read next
  // when those hold the very same ones (see `overLastElements`).
  template <class T>
  using Elements = std::shared_ptr<const std::vector<std::shared_ptr<T>>>;
  std::shared_ptr<Elements<GanttChartItem>> lastItems_ =
      std::make_shared<Elements<GanttChartItem>>();
  std::shared_ptr<Elements<GanttChartDependency>> lastDependencies_ =
      std::make_shared<Elements<GanttChartDependency>>();

  int64_t applications_ = 0;
  uint64_t listsReading_ = 0;
  // Set while addNewDependency() runs (nested ones counted), and the links
  // it made that the host has not heard of yet.
  int64_t addingDependencies_ = 0;
  std::vector<GanttChartDependencyPtr> newDependencies_;
  std::optional<GanttChartItemList> items_;
  std::optional<GanttChartDependencyList> dependencies_;
};

}  // namespace vorlent
