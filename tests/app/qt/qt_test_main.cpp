// GoogleTest's main with the QApplication the window tests need.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  // Headless by default, also when CTest lists the tests without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
