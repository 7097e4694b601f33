// The fields store their values in the settings as they change; the button
// creates a disk from the settings.

#include <QClipboard>

#include "MainWindowFixture.h"

namespace {

TEST_F(MainWindowTest, WithoutAPreferencesFileTheDefaultsMakeA50MBDiskNamedRamDisk) {
  auto window = Open();
  EXPECT_EQ(Edit(window->EdfDiskName())->text(), "RamDisk");
  EXPECT_EQ(Edit(window->EdfSize())->text(), "50");
  Press(window);
  const std::vector<std::vector<std::string>> expected = {{"hdid", "-nomount", "ram://102400"},
                                                          {"newfs_hfs", "-v", "RamDisk", "/dev/fake0"},
                                                          {"hdiutil", "mountvol", "/dev/fake0"}};
  EXPECT_EQ(TakeCalls(), expected);
  EXPECT_TRUE(messages_.texts.empty());
}

// Setting a field's text from code raises TextChange, so the Open handlers
// store back what they show: only values the fields would never store change.
TEST_F(MainWindowTest, TheFieldsShowWhatThePreferencesFileHoldsAndStoreItBack) {
  struct Case {
    std::string prefs, size, name;  // the file's lines; what the fields show
    int32_t storedSize;
    std::string storedName, asked;
  };
  const Case cases[] = {
      {"RamDiskSize: 128\nRamDiskName: Scratch $HOME 'Disk'\n", "128", "Scratch $HOME 'Disk'", 128,
       "Scratch $HOME 'Disk'", "ram://262144"},
      {"RamDiskSize: 0\nRamDiskName: \n", "1", "", 1, "RamDisk", "ram://2048"},
      {"RamDiskSize: 12345\n", "1234", "RamDisk", 1234, "RamDisk", "ram://2527232"}};  // cut to the field
  for (const Case& c : cases) {
    WritePrefs(c.prefs);
    qzSettings_ResetForTests();
    auto window = Open();
    EXPECT_TRUE(WndMain() == window) << "one main window until it closes";
    EXPECT_EQ(Edit(window->EdfSize())->text().toStdString(), c.size) << c.prefs;
    EXPECT_EQ(Edit(window->EdfDiskName())->text().toStdString(), c.name) << c.prefs;
    EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), c.storedSize) << c.prefs;
    EXPECT_EQ(qzSettingsGet_String("RamDiskName"), c.storedName) << c.prefs;
    Press(window);
    const auto calls = TakeCalls();
    ASSERT_GE(calls.size(), 2u) << c.prefs;
    EXPECT_EQ(calls[0][2], c.asked) << c.prefs;
    EXPECT_EQ(calls[1][2], c.storedName) << c.prefs;
    DestroyAllWindows();  // closing it would quit
  }
}

TEST_F(MainWindowTest, TypingStoresNormalisedSettingsThatThePressUses) {
  auto window = Open();
  const std::string any = "Ünïcödé ;$(rm -rf /) \"x\" " + std::string(300, 'n');
  struct Case {
    bool name;  // else the size field
    std::string typed, shown, stored, asked;
  };
  const Case cases[] = {{true, "Work", "Work", "Work", "Work"},
                        {true, "", "", "RamDisk", "RamDisk"},  // the field stays empty
                        {true, "   ", "   ", "   ", "   "},
                        {true, any, any, any, any},
                        {false, "", "", "1", "ram://2048"},
                        {false, "0", "0", "1", "ram://2048"},
                        {false, "0050", "0050", "50", "ram://102400"},
                        {false, "1", "1", "1", "ram://2048"},
                        {false, "4095", "4095", "4095", "ram://8386560"},  // 4,293,918,720 bytes, exactly
                        {false, "4096", "4096", "4096", "ram://8388608"},  // 4,294,967,295 bytes, not 0
                        {false, "9999", "9999", "9999", "ram://8388608"},
                        {false, "1x2 3-4.5", "1234", "1234", "ram://2527232"},  // letters refused
                        {false, "20480", "2048", "2048", "ram://4194304"}};     // and a fifth digit
  for (const Case& c : cases) {
    const auto field = c.name ? window->EdfDiskName() : window->EdfSize();
    Retype(field, c.typed);
    EXPECT_EQ(Edit(field)->text().toStdString(), c.shown) << c.typed;
    const std::string stored =
        c.name ? qzSettingsGet_String("RamDiskName") : std::to_string(qzSettingsGet_Integer("RamDiskSize"));
    EXPECT_EQ(stored, c.stored) << c.typed;
    Press(window);
    EXPECT_EQ(AskedFor(c.name ? "newfs_hfs" : "hdid"), c.asked) << c.typed;
  }
  // Only a file can hold a negative size: it passes nothing, and Create
  // makes the smallest disk.
  for (const int32_t negative : {-5, INT32_MIN}) {
    qzSettingsSet_Integer("RamDiskSize", negative);
    Press(window);
    EXPECT_EQ(AskedFor(), "ram://2048") << negative;
  }
}

TEST_F(MainWindowTest, ThePastedSizeFieldRefusesLettersAndAFifthDigit) {
  auto window = Open();
  QLineEdit* size = Edit(window->EdfSize());
  size->clear();
  QGuiApplication::clipboard()->setText("20480");
  size->paste();
  EXPECT_EQ(size->text(), "2048");
  QGuiApplication::clipboard()->setText("1e3");
  size->selectAll();
  size->paste();
  EXPECT_EQ(size->text(), "2048") << "a paste with a letter is refused";
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 2048);
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
  const Ref<qzRamDisk> first = disks[0];
  ASSERT_FALSE(first.IsNil());
  EXPECT_EQ(WndMainInspector::RamDiskCount(*window), 1);
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

}  // namespace
