#include "vorlent/views/outlets.h"

#include <QVBoxLayout>
#include <QWidget>

#include <string>

#include "vorlent/base/fatal.h"

namespace vorlent::detail {

QVBoxLayout* fillingLayout(QWidget* owner) {
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

void requireOutlet(const void* outlet, const char* view, const char* name) {
  if (outlet != nullptr) return;
  fatalStop(std::string(view) + ": the set-up left the outlet " + name + " empty");
}

void deleteChildLater(QWidget* child) {
  if (child == nullptr) return;
  child->hide();
  child->setParent(nullptr);
  child->deleteLater();
}

}  // namespace vorlent::detail
