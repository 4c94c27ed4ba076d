#pragma once

#include <memory>
#include <string_view>

#include "vorlent/base/fatal.h"

namespace vorlent::detail {

// The chart object that mirrors an outline object, owned by it.
//
// The chart side receives the twin as an aliasing pointer whose owner is a
// small anchor holding both the outline object and the twin, so that a twin
// in the chart's caches keeps its outline object alive and both go with the
// last reference. The twin refers back to its outline object only weakly
// (through its context), so nothing forms a cycle. Replacing the twin leaves
// pointers handed out earlier valid: their anchor still holds the old twin.
template <class Twin>
class ChartTwin {
 public:
  [[nodiscard]] Twin* get() const { return twin_.get(); }
  [[nodiscard]] explicit operator bool() const { return twin_ != nullptr; }

  void replace(std::shared_ptr<Twin> twin) {
    twin_ = std::move(twin);
    anchor_.reset();
  }

  // The twin as the chart sees it; null without one. `owner` must be owned
  // by a std::shared_ptr (handing out a twin from an object that is not is
  // a fatal stop naming `what`).
  template <class Owner>
  [[nodiscard]] std::shared_ptr<Twin> handOut(const Owner& owner, std::string_view what) {
    if (!twin_) return nullptr;
    auto anchor = anchor_.lock();
    if (!anchor) {
      auto self = owner.weak_from_this().lock();
      if (!self) fatalStop(what);
      anchor = std::make_shared<Anchor>(Anchor{std::move(self), twin_});
      anchor_ = anchor;
    }
    return std::shared_ptr<Twin>(anchor, anchor->twin.get());
  }

 private:
  struct Anchor {
    std::shared_ptr<const void> owner;
    std::shared_ptr<Twin> twin;
  };

  std::shared_ptr<Twin> twin_;
  std::weak_ptr<Anchor> anchor_;
};

}  // namespace vorlent::detail
