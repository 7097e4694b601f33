// main() for test programs that use real widgets: one QApplication for the
// whole run, on whatever platform QT_QPA_PLATFORM names (offscreen in CTest).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
