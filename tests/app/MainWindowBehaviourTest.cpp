// The fields store their values in the settings as they change; the button
// creates a disk from the settings.

#include <QClipboard>
#include <QTimer>

#include "MainWindowFixture.h"

namespace {

TEST_F(MainWindowTest, WithoutAPreferencesFileTheDefaultsMakeA50MBDiskNamedRamDisk) {
  auto window = Open();
  EXPECT_EQ(Edit(window->EdfDiskName())->text(), "RamDisk");
  EXPECT_EQ(Edit(window->EdfSize())->text(), "50");
  Press(window);
  const std::vector<std::vector<std::string>> expected = {
      {"hdid", "-nomount", "ram://102400"},
      {"newfs_hfs", "-v", "RamDisk", "/dev/fake0"},
      {"hdiutil", "mountvol", "/dev/fake0"}};
  EXPECT_EQ(TakeCalls(), expected);
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(MainWindowTest, TheFieldsShowWhatThePreferencesFileHolds) {
  WritePrefs("RamDiskSize: 128\nRamDiskName: Scratch $HOME 'Disk'\n");
  auto window = Open();
  EXPECT_EQ(Edit(window->EdfSize())->text(), "128");
  EXPECT_EQ(Edit(window->EdfDiskName())->text(), "Scratch $HOME 'Disk'");
  Press(window);
  const auto calls = TakeCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], (std::vector<std::string>{"hdid", "-nomount", "ram://262144"}));
  EXPECT_EQ(calls[1][2], "Scratch $HOME 'Disk'");
}

// Setting a field's text from code raises TextChange, so the Open handlers
// store back what they show: only values the fields would never store change.
TEST_F(MainWindowTest, OpeningStoresBackWhatTheFieldsShow) {
  WritePrefs("RamDiskSize: 0\nRamDiskName: \n");
  auto window = Open();
  EXPECT_EQ(Edit(window->EdfSize())->text(), "1");
  EXPECT_EQ(Edit(window->EdfDiskName())->text(), "");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 1);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "RamDisk");
}

TEST_F(MainWindowTest, AStoredSizeLongerThanTheFieldIsCutToFourDigits) {
  WritePrefs("RamDiskSize: 12345\n");
  auto window = Open();
  EXPECT_EQ(Edit(window->EdfSize())->text(), "1234");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 1234) << "what the field shows is what the next press uses";
}

TEST_F(MainWindowTest, AnEmptiedNameStoresRamDiskWhileTheFieldStaysEmpty) {
  auto window = Open();
  Retype(window->EdfDiskName(), "Work");
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "Work");
  Retype(window->EdfDiskName(), "");
  EXPECT_EQ(Edit(window->EdfDiskName())->text(), "");
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "RamDisk");
  Press(window);
  EXPECT_EQ(AskedFor("newfs_hfs"), "RamDisk");
}

TEST_F(MainWindowTest, ANameOfBlanksIsStoredAndUsedUnchanged) {
  auto window = Open();
  Retype(window->EdfDiskName(), "   ");
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "   ");
  Press(window);
  EXPECT_EQ(AskedFor("newfs_hfs"), "   ");
}

TEST_F(MainWindowTest, TypedSizesAreStoredAsWholeMegabytesOfAtLeastOne) {
  auto window = Open();
  Retype(window->EdfSize(), "");
  EXPECT_EQ(Edit(window->EdfSize())->text(), "");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 1);
  Press(window);
  EXPECT_EQ(AskedFor(), "ram://2048");
  Retype(window->EdfSize(), "0");
  EXPECT_EQ(Edit(window->EdfSize())->text(), "0");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 1);
  Retype(window->EdfSize(), "0050");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 50);
  EXPECT_EQ(Edit(window->EdfSize())->text(), "0050");
}

TEST_F(MainWindowTest, SizesAtTheEdgeOfTheByteCount) {
  auto window = Open();
  const std::pair<const char*, const char*> cases[] = {
      {"4095", "ram://8386560"},  // 4,293,918,720 bytes, exactly
      {"4096", "ram://8388608"},  // 4,294,967,295 bytes, not 0
      {"9999", "ram://8388608"},
      {"1", "ram://2048"}};
  for (const auto& [typed, asked] : cases) {
    Retype(window->EdfSize(), typed);
    Press(window);
    EXPECT_EQ(AskedFor(), asked) << typed << " MB";
  }
}

TEST_F(MainWindowTest, ANegativeStoredSizePassesNothingAndGetsTheSmallestDisk) {
  auto window = Open();
  qzSettingsSet_Integer("RamDiskSize", -5);
  Press(window);
  EXPECT_EQ(AskedFor(), "ram://2048");
  qzSettingsSet_Integer("RamDiskSize", INT32_MIN);
  Press(window);
  EXPECT_EQ(AskedFor(), "ram://2048");
}

TEST_F(MainWindowTest, TheSizeFieldRefusesLettersAndAFifthDigitTypedOrPasted) {
  auto window = Open();
  Retype(window->EdfSize(), "1x2 3-4.5");
  EXPECT_EQ(Edit(window->EdfSize())->text(), "1234");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 1234);
  Edit(window->EdfSize())->clear();
  QGuiApplication::clipboard()->setText("20480");
  Edit(window->EdfSize())->paste();
  EXPECT_EQ(Edit(window->EdfSize())->text(), "2048");
  QGuiApplication::clipboard()->setText("1e3");
  Edit(window->EdfSize())->selectAll();
  Edit(window->EdfSize())->paste();
  EXPECT_EQ(Edit(window->EdfSize())->text(), "2048") << "a paste with a letter is refused";
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 2048);
}

TEST_F(MainWindowTest, TheNameFieldTakesAnyTextOfAnyLength) {
  auto window = Open();
  const std::string name = "Ünïcödé ;$(rm -rf /) \"x\" " + std::string(300, 'n');
  Retype(window->EdfDiskName(), name);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), name);
}

TEST_F(MainWindowTest, ReturnPressesCreateDisk) {
  auto window = Open();
  QTest::keyClick(Edit(window->EdfSize()), Qt::Key_Return);
  EXPECT_EQ(AskedFor(), "ram://102400");
  QTest::keyClick(Edit(window->EdfDiskName()), Qt::Key_Escape);
  EXPECT_EQ(AskedFor(), "(no hdid call)") << "no button answers the cancel key";
}

TEST_F(MainWindowTest, SuccessFailureSuccessFillsSlotsZeroOneOne) {
  auto window = Open();
  const auto& disks = WndMainInspector::RamDisk(*window);
  ASSERT_EQ(disks.size(), 1u);
  EXPECT_TRUE(disks[0].IsNil());
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 0);

  Press(window);
  ASSERT_EQ(disks.size(), 1u);
  EXPECT_FALSE(disks[0].IsNil());
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 1);
  const Ref<qzRamDisk> first = disks[0];
  EXPECT_EQ(first->GetMountPath(), "/Volumes/Fake");

  tools_.Answer("newfs_hfs", "", 3);
  Press(window);
  ASSERT_EQ(disks.size(), 2u);
  EXPECT_TRUE(disks[0] == first);
  EXPECT_FALSE(disks[1].IsNil());
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 1);
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"Can't initialize ramdisk with hfs plus. Error code 3"});
  const Ref<qzRamDisk> failed = disks[1];

  tools_.Answer("newfs_hfs", "", 0);
  Press(window);
  ASSERT_EQ(disks.size(), 2u);
  EXPECT_TRUE(disks[0] == first);
  EXPECT_FALSE(disks[1] == failed) << "a new object takes the failed one's slot";
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 2);
  EXPECT_EQ(messages_.texts.size(), 1u);
}

TEST_F(MainWindowTest, ThereIsOneMainWindowUntilItCloses) {
  auto window = Open();
  EXPECT_TRUE(WndMain() == window);
  window->Close();
  EXPECT_TRUE(window->IsClosed());
  auto next = WndMain();
  EXPECT_FALSE(next == window);
}

TEST_F(MainWindowTest, ClosingTheWindowQuitsTheApplicationWithZero) {
  // Qt's own quitting on the last window's close would hide the difference.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  auto window = Open();
  QTimer::singleShot(0, [&] { WindowWidgetOf(*window)->close(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(window->IsClosed());
}

}  // namespace
