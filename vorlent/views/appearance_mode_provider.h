#pragma once

#include <QPointer>
#include <QWidget>

#include "vorlent/graphics/mode.h"

namespace vorlent {

// The mode provider a view hands its controller, so that the controller's
// theme follows the view's palette: dark while the widget's window colour is
// dark. Holds the widget weakly, never keeping it alive, and answers light
// once it has been destroyed. Reads the palette on every call, so a palette
// change is seen at once. GUI thread only.
class AppearanceModeProvider : public ModeProvider {
 public:
  explicit AppearanceModeProvider(QWidget* source);

  [[nodiscard]] Mode mode() const override;
  // The widget, or nullptr once it has been destroyed.
  [[nodiscard]] QWidget* source() const { return source_.data(); }

 private:
  QPointer<QWidget> source_;
};

}  // namespace vorlent
