// main() for test programs that use real widgets: one QApplication for the
// whole run, on whatever platform QT_QPA_PLATFORM names (offscreen in CTest).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // CTest lists the tests before it sets the tests' environment; without a
  // display, listing must not fail for want of a platform.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
