#pragma once

#include <memory>

namespace vorlent::detail {

// Fields that nearly every object leaves at their defaults, kept out of line
// so that such an object pays for one pointer rather than for the fields
// themselves (which matters at a hundred thousand items). Reading before any
// write gives one shared record of defaults; the first write makes the
// object's own record, which then stays.
template <class Fields>
class RareFields {
 public:
  [[nodiscard]] const Fields& get() const { return own_ ? *own_ : defaults(); }
  Fields& edit() {
    if (!own_) own_ = std::make_unique<Fields>();
    return *own_;
  }

 private:
  // Never destroyed, so that objects outliving static destruction still read it.
  static const Fields& defaults() {
    static const Fields* const fields = new Fields();
    return *fields;
  }

  std::unique_ptr<Fields> own_;
};

}  // namespace vorlent::detail
