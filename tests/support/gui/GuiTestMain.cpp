// main() for test programs that use real widgets: one QApplication for the
// whole run, on whatever platform QT_QPA_PLATFORM names (offscreen in CTest).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // CTest lists the tests without the test environment: no display needed.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
