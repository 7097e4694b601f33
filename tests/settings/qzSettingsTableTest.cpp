#include <algorithm>

#include "Exceptions.h"
#include "FileSizeLimit.h"
#include "SettingsFixture.h"

namespace {

using SettingsTable = SettingsTest;

TEST_F(SettingsTable, WithoutAFileTheExportMakesItAndItsFoldersAndValuesComeBack) {
  setenv("XDG_CONFIG_HOME", (dir_ / "not/yet/there").c_str(), 1);
  qzSettings_Import();
  EXPECT_EQ(qzSettingsGet_String("absent"), "");
  qzSettingsInit_Integer("RamDiskSize", -2147483647 - 1);
  qzSettingsSet_String("RamDiskName", "Work: Scratch\r\nDisk");
  qzSettingsSet_String("lone", "\r|\n");
  qzSettingsSet_String("", "");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "not")) << "the import alone makes nothing";
  qzSettings_Export();
  EXPECT_EQ(ReadFile(dir_ / "not/yet/there/Quillbarrow.pref"),
            Prefs("RamDiskSize: -2147483648\nRamDiskName: Work: Scratch$$13$$$$10$$Disk\nlone: $$13$$|$$10$$\n: \n"));
  Restart();
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), -2147483647 - 1);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "Work: Scratch\r\nDisk");
  EXPECT_EQ(qzSettingsGet_String("lone"), "\r|\n");
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(SettingsTable, StoredTextReadsBackUnescapedCarriageReturnFirstThenLineFeedThenColon) {
  // Dollar signs are not escaped: text that looks like an escape reads back
  // as what it stands for.
  const std::pair<const char*, const char*> cases[] = {
      {"$$13$$10$$", "\r10$$"}, {"$$13$$:_$$", "\r:_$$"}, {"x$$10$$y", "x\ny"}, {"$$ 13 $$ $13$", "$$ 13 $$ $13$"}};
  for (const auto& [stored, read] : cases) {
    qzSettingsSet_String("k", stored);
    EXPECT_EQ(qzSettingsGet_String("k"), read) << stored;
  }
}

TEST_F(SettingsTable, IntegersOfTextThatIsNoPlainIntegerAreSaturated) {
  const std::pair<const char*, int32_t> cases[] = {
      {"abc", 0},   {"12abc", 12}, {"1e10", 2147483647}, {"-1e10", -2147483647 - 1}, {"nan", 0},
      {"12.9", 12}, {"-12.9", -12}, {"2147483648", 2147483647}, {"  7", 7},         {"1e400", 2147483647}};
  for (const auto& [text, expected] : cases) {
    qzSettingsSet_String("n", text);
    EXPECT_EQ(qzSettingsGet_Integer("n"), expected) << '"' << text << '"';
  }
}

TEST_F(SettingsTable, AfterItsReleaseTheTableIsANilObject) {
  qzSettingsSet_String("k", "v");
  qzSettingsReleaseDict();
  qzSettingsReleaseFile();
  EXPECT_THROW(qzSettingsGet_String("k"), NilObjectException);
  EXPECT_THROW(qzSettingsSet_Integer("k", 1), NilObjectException);
}

TEST_F(SettingsTable, EveryEntryIsWrittenPastSixtyFiveThousand) {
  qzSettings_Import();
  for (int i = 0; i < 70000; ++i) qzSettingsSet_Integer("key" + std::to_string(i), i);
  qzSettings_Export();
  const std::string written = ReadPrefs();
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 70002);
  EXPECT_EQ(written.substr(written.size() - 17), "\nkey69999: 69999\n");
}

TEST_F(SettingsTable, AFailedWriteKeepsTheOldFileAndTellsTheUser) {
  const std::string old = Prefs("RamDiskSize: 50\nRamDiskName: Old\n");
  WritePrefs(old);
  qzSettings_Import();
  for (int i = 0; i < 1000; ++i) qzSettingsSet_String("filler" + std::to_string(i), std::string(100, 'x'));
  {
    const FileSizeLimit limit(8192);  // a disk that fills up half way
    ASSERT_TRUE(limit.applied());
    qzSettings_Export();
  }
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kWriteFailed});
  EXPECT_EQ(ReadPrefs(), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Config()), {}), 1) << "no temporary file left";
}

TEST_F(SettingsTable, WhereTheFolderCannotBeMadeTheUserIsToldAndNothingIsTouched) {
  WriteFile(dir_ / "file", "not a folder");
  setenv("XDG_CONFIG_HOME", (dir_ / "file/config").c_str(), 1);
  qzSettings_Import();
  qzSettings_Export();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kWriteFailed});
  EXPECT_EQ(ReadFile(dir_ / "file"), "not a folder");
}

}  // namespace
