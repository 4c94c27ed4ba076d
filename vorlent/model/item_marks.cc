#include "vorlent/model/item_marks.h"

namespace vorlent::detail {

std::atomic<uint64_t>& itemMarksStarted() {
  static std::atomic<uint64_t> started{0};
  return started;
}

}  // namespace vorlent::detail
