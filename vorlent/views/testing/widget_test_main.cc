// The main() of the widget areas' tests: GoogleTest under a QApplication,
// which widgets need. Listing the tests (CTest does so to discover them)
// makes no application, so it runs without a display or platform setting.
// A test may replace the application (delete it and make another); the one
// that exists at the end is destroyed before exit, so leak checking sees
// Qt's teardown done.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  new QApplication(argc, argv);  // `argc` outlives it, as Qt requires
  const int result = RUN_ALL_TESTS();
  delete QCoreApplication::instance();
  return result;
}
