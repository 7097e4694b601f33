#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "FileSizeLimit.h"
#include "SettingsFixture.h"

namespace {

using SettingsExport = SettingsTest;

// Random text of the characters a user could type or paste, line breaks and
// ": " among them, but no "$": dollar signs are not escaped.
std::string RandomText(std::mt19937& random, bool forKey) {
  static const std::vector<std::string> pieces = {
      "a",    "Z", "0", " ",        ":",        ": ",       "\r",           "\n",
      "\r\n", "[", "]", "\xc3\xa4", "\xc3\x9f", "\xd0\x96", "\xe2\x82\xac", "\xf0\x9f\x98\x80"};
  std::string text;
  const size_t length = random() % 12;
  for (size_t i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
  if (forKey) {
    // The key is what comes before the first ": " on one line, and a line
    // that starts with "[" may be a header.
    text = "k" + std::to_string(random()) + text;
    for (const char* cut : {"\r", "\n", ": "})
      for (size_t at; (at = text.find(cut)) != std::string::npos;) text.erase(at, 1);
  }
  return text;
}

TEST_F(SettingsExport, RandomStringsMakeTheRoundTripThroughTheFile) {
  std::mt19937 random(1234);
  std::map<std::string, std::string> expected;
  qzSettings_Import();
  for (int i = 0; i < 500; ++i) {
    const std::string key = RandomText(random, true);
    const std::string value = RandomText(random, false);
    qzSettingsSet_String(key, value);
    expected[key] = value;
  }
  qzSettings_Export();
  Restart();
  EXPECT_TRUE(messages_.texts.empty());
  for (const auto& [key, value] : expected) EXPECT_EQ(qzSettingsGet_String(key), value) << key;
}

TEST_F(SettingsExport, TheFileIsReadBackIntoTheSameTable) {
  qzSettings_Import();
  qzSettingsSet_Integer("RamDiskSize", 4095);
  qzSettingsSet_String("RamDiskName", "Work: Scratch\r\nDisk");
  qzSettingsSet_String("", "");
  ExpectExportAndReadBack(Prefs("RamDiskSize: 4095\nRamDiskName: Work: Scratch$$13$$$$10$$Disk\n: \n"));
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 4095);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "Work: Scratch\r\nDisk");
}

TEST_F(SettingsExport, EveryEntryIsWrittenPastSixtyFiveThousand) {
  qzSettings_Import();
  const int count = 70000;
  for (int i = 0; i < count; ++i) qzSettingsSet_Integer("key" + std::to_string(i), i);
  qzSettings_Export();
  const std::string written = ReadPrefs();
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), count + 2);
  EXPECT_NE(written.find("\nkey65535: 65535\nkey65536: 65536\n"), std::string::npos);
  EXPECT_EQ(written.substr(written.size() - 17), "\nkey69999: 69999\n");
  Restart();
  EXPECT_EQ(qzSettingsGet_Integer("key69999"), 69999);
}

TEST_F(SettingsExport, NothingIsWrittenWithoutAnImport) {
  qzSettingsSet_String("RamDiskName", "x");
  qzSettings_Export();
  EXPECT_FALSE(std::filesystem::exists(Config()));
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(SettingsExport, AFailedWriteKeepsTheOldFileAndTellsTheUser) {
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

TEST_F(SettingsExport, AFolderInTheWayIsLeftAloneAndTheUserIsTold) {
  qzSettings_Import();  // no file yet
  std::filesystem::create_directories(PrefFile());
  WriteFile(PrefFile() / "inside", "kept");
  qzSettingsSet_String("RamDiskName", "x");
  qzSettings_Export();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kWriteFailed});
  EXPECT_EQ(ReadFile(PrefFile() / "inside"), "kept");
}

TEST_F(SettingsExport, APreferencesFolderThatCannotBeMadeIsTold) {
  WriteFile(dir_ / "file", "not a folder");
  setenv("XDG_CONFIG_HOME", (dir_ / "file/config").c_str(), 1);
  qzSettings_Import();
  EXPECT_TRUE(messages_.texts.empty());
  qzSettings_Export();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kWriteFailed});
  EXPECT_EQ(ReadFile(dir_ / "file"), "not a folder");
}

}  // namespace
