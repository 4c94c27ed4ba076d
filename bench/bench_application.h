#pragma once

#include <QApplication>

namespace vorlent {

// The application the widget benchmarks need: one for the whole run, on the
// offscreen platform unless the environment names another, kept until the
// process ends.
inline void ensureApplication() {
  static int argc = 1;
  static char name[] = "vorlent_bench";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(argc, argv);
}

}  // namespace vorlent
