#include "vorlent/views/outlets.h"

#include <string>

#include "vorlent/base/fatal.h"

namespace vorlent::detail {

void requireOutlet(const void* outlet, const char* view, const char* name) {
  if (outlet != nullptr) return;
  fatalStop(std::string(view) + ": the set-up left the outlet " + name + " empty");
}

}  // namespace vorlent::detail
