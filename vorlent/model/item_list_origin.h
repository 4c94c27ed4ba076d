#pragma once

#include <memory>

#include "vorlent/model/shared_list.h"

namespace vorlent::detail {

// Attached by the item manager to the item lists it hands out that may hold
// only part of the chart: its filtered items, and available items that fell
// back on them (a provider without a list of its own). A behaviour cannot
// tell from such a list whether an item it does not name is gone or merely
// out of view. Read the list's elements first: a lazy list learns where its
// items come from only when it is produced.
class ItemListOrigin : public SharedListIndex {
 public:
  explicit ItemListOrigin(bool partial = false) : partial_(partial) {}

  [[nodiscard]] bool isPartial() const { return partial_; }
  void setPartial(bool partial) { partial_ = partial; }

  // The one origin shared by every filtered list.
  [[nodiscard]] static const std::shared_ptr<const ItemListOrigin>& filtered() {
    static const auto* const origin =
        new std::shared_ptr<const ItemListOrigin>(std::make_shared<const ItemListOrigin>(true));
    return *origin;
  }

 private:
  bool partial_;
};

}  // namespace vorlent::detail
