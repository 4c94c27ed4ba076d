#include "vorlent/views/appearance_mode_provider.h"

#include "vorlent/views/conversions.h"

namespace vorlent {

AppearanceModeProvider::AppearanceModeProvider(QWidget* source) : source_(source) {}

Mode AppearanceModeProvider::mode() const {
  const QWidget* const widget = source_.data();
  return widget != nullptr ? fromQt(widget->palette()) : Mode::light;
}

}  // namespace vorlent
