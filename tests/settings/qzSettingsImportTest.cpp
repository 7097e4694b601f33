#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SettingsFixture.h"

namespace {

using SettingsImport = SettingsTest;

TEST_F(SettingsImport, WithoutAFileNothingIsToldAndTheExportCreatesIt) {
  qzSettings_Import();
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_String("RamDiskName", "RamDisk");
  EXPECT_TRUE(messages_.texts.empty());
  EXPECT_FALSE(std::filesystem::exists(Config())) << "the import alone makes nothing";
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs("RamDiskSize: 50\nRamDiskName: RamDisk\n"));
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(SettingsImport, AMissingPreferencesFolderIsCreatedAtExport) {
  setenv("XDG_CONFIG_HOME", (dir_ / "not/yet/there").c_str(), 1);
  qzSettings_Import();
  qzSettingsSet_String("RamDiskName", "Scratch");
  qzSettings_Export();
  EXPECT_EQ(ReadFile(dir_ / "not/yet/there/Quillbarrow.pref"), Prefs("RamDiskName: Scratch\n"));
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(SettingsImport, TheFilesValuesWinOverTheDefaults) {
  WritePrefs(Prefs("RamDiskSize: 300\nRamDiskName: Fast\n"));
  qzSettings_Import();
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_String("RamDiskName", "RamDisk");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 300);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "Fast");
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(SettingsImport, TheImportAddsToTheTableAndRemovesNothing) {
  qzSettingsSet_String("before", "kept");
  qzSettingsSet_String("RamDiskName", "old");
  WritePrefs(Prefs("RamDiskName: new\n"));
  qzSettings_Import();
  EXPECT_EQ(qzSettingsGet_String("before"), "kept");
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "new");
}

// A file that is not valid: reported once, nothing of it loaded, and the file
// is never written in that run.
struct InvalidFile {
  const char* name;
  std::string bytes;
};

class SettingsInvalidFile : public SettingsTest, public ::testing::WithParamInterface<InvalidFile> {};

TEST_P(SettingsInvalidFile, IsReportedAndStaysByteForByte) {
  const std::string bytes = GetParam().bytes;
  WritePrefs(bytes);
  qzSettings_Import();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kInvalidPref});
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "");
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsSet_String("RamDiskName", "Changed");
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), bytes);
  EXPECT_EQ(messages_.texts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsInvalidFile,
    ::testing::Values(InvalidFile{"Empty", ""},
                      // The version line and one line end: 22 bytes, too short whatever it says.
                      InvalidFile{"VersionLineOnly", kVersionLine + "\n"},
                      InvalidFile{"VersionLineOnlyWithCr", kVersionLine + "\r"},
                      InvalidFile{"TwentyTwoBytesOfAnything", std::string(22, '\n')},
                      InvalidFile{"WrongVersion", "Version: qzSettings02\n[APPLICATION SETTINGS]\nRamDiskName: x\n"},
                      InvalidFile{"EmptyFirstLine", "\n" + Prefs("RamDiskName: x\n")},
                      InvalidFile{"FirstLineWithTrailingBlank", kVersionLine + " \n[APPLICATION SETTINGS]\nA: b\n"},
                      InvalidFile{"FirstLineWithLeadingBlank", " " + Prefs("RamDiskName: x\n")},
                      InvalidFile{"FirstLineInOtherCase", "version: qzsettings01\n[APPLICATION SETTINGS]\nA: b\n"},
                      InvalidFile{"HeaderFirst", "[APPLICATION SETTINGS]\nRamDiskName: x\n"},
                      InvalidFile{"KeyLineFirst", "RamDiskName: x\n" + Prefs("")},
                      InvalidFile{"Binary", std::string("\x00\xff\x01", 3) + kVersionLine + "\n\x7f\x80"}),
    [](const ::testing::TestParamInfo<InvalidFile>& param) { return std::string(param.param.name); });

TEST_F(SettingsImport, AFileThatIsAFolderCannotBeOpened) {
  // A long name inside makes the folder's size larger than 22 bytes on
  // every file system, so it is the opening that fails.
  std::filesystem::create_directories(PrefFile());
  WriteFile(PrefFile() / "a-file-with-a-rather-long-name-inside-the-folder", "kept");
  qzSettings_Import();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kStreamFailed});
  qzSettingsSet_String("RamDiskName", "Changed");
  qzSettings_Export();
  EXPECT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(ReadFile(PrefFile() / "a-file-with-a-rather-long-name-inside-the-folder"), "kept");
}

TEST_F(SettingsImport, OnlyEmptyLinesAfterTheVersionLineIsValid) {
  WritePrefs(kVersionLine + "\n\n\n\n");
  qzSettings_Import();
  EXPECT_TRUE(messages_.texts.empty());
  qzSettingsSet_Integer("RamDiskSize", 8);
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs("RamDiskSize: 8\n")) << "empty lines before any header load nothing";
}

TEST_F(SettingsImport, OnlyTheApplicationSettingsSectionIsLoaded) {
  WritePrefs(kVersionLine +
             "\n"
             "before: any header\n"
             "[OTHER]\n"
             "other: section\n"
             "[application settings]\n"
             "lower: case header\n"
             "[a: b]\n"
             "header: with colon\n"
             "[APPLICATION SETTINGS]\n"
             "back: again\n"
             "[]\n"
             "empty: name\n"
             "[Application Settings]\n"
             "mixed: case\n");
  qzSettings_Import();
  EXPECT_TRUE(messages_.texts.empty());
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs("lower: case header\nback: again\nmixed: case\n"));
}

TEST_F(SettingsImport, LinesThatOnlyLookLikeHeadersAreKeys) {
  WritePrefs(Prefs("[APPLICATION SETTINGS] \n[\n]\n[x]: y\n"));
  qzSettings_Import();
  EXPECT_EQ(qzSettingsGet_String("[APPLICATION SETTINGS] "), "");
  EXPECT_EQ(qzSettingsGet_String("["), "");
  EXPECT_EQ(qzSettingsGet_String("[x]"), "y");
  ExpectExportAndReadBack(Prefs("[APPLICATION SETTINGS] : \n[: \n]: \n[x]: y\n"));
}

TEST_F(SettingsImport, KeyLinesSplitAtTheFirstColonAndBlank) {
  WritePrefs(Prefs("RamDiskName: two: words\ncolon:noblank\nnone\ntrailing: \n:leading\n: only value\n"));
  qzSettings_Import();
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "two: words");
  EXPECT_EQ(qzSettingsGet_String("colon:noblank"), "");
  EXPECT_EQ(qzSettingsGet_String("none"), "");
  EXPECT_EQ(qzSettingsGet_String("trailing"), "");
  EXPECT_EQ(qzSettingsGet_String(":leading"), "");
  EXPECT_EQ(qzSettingsGet_String(""), "only value");
  ExpectExportAndReadBack(
      Prefs("RamDiskName: two: words\ncolon:noblank: \nnone: \ntrailing: \n:leading: \n: only value\n"));
}

TEST_F(SettingsImport, AnEmptyLineIsTheEmptyKeyAndReadsBackTheSame) {
  WritePrefs(Prefs("a: 1\n\nb: 2\n"));
  qzSettings_Import();
  ExpectExportAndReadBack(Prefs("a: 1\n: \nb: 2\n"));
}

TEST_F(SettingsImport, TheLaterOfTwoEqualKeysWins) {
  WritePrefs(Prefs("RamDiskSize: 10\nRamDiskName: A\nRamDiskSize: 20\n"));
  qzSettings_Import();
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 20);
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs("RamDiskSize: 20\nRamDiskName: A\n"));
}

TEST_F(SettingsImport, EscapesInTheFileReachCallersAsWhatTheyStandFor) {
  WritePrefs(Prefs("cr: a$$13$$b\nlf: a$$10$$b\ncolon: a$$:_$$b\n"));
  qzSettings_Import();
  EXPECT_EQ(qzSettingsGet_String("cr"), "a\rb");
  EXPECT_EQ(qzSettingsGet_String("lf"), "a\nb");
  EXPECT_EQ(qzSettingsGet_String("colon"), "a: b");
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs("cr: a$$13$$b\nlf: a$$10$$b\ncolon: a$$:_$$b\n")) << "written as stored";
}

TEST_F(SettingsImport, FilesWithCrOrCrLfLineEndsLoadAlike) {
  for (const std::string end : {"\r", "\r\n", "\n"}) {
    WritePrefs(kVersionLine + end + "[APPLICATION SETTINGS]" + end + "RamDiskSize: 64" + end + "RamDiskName: Cr" + end);
    Restart();
    EXPECT_TRUE(messages_.texts.empty());
    EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 64);
    EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "Cr");
    qzSettings_Export();
    EXPECT_EQ(ReadPrefs(), Prefs("RamDiskSize: 64\nRamDiskName: Cr\n"));
  }
}

TEST_F(SettingsImport, RandomBytesAfterAValidVersionLineLoadAndReadBackTheSame) {
  std::mt19937 random(20240607);
  const std::string alphabet = std::string("[]: \r\n$ab\xc3\xa4\xff\x00", 13);
  for (int round = 0; round < 20; ++round) {
    std::string bytes = kVersionLine + "\n";
    const int length = 1 + static_cast<int>(random() % 20000);
    for (int i = 0; i < length; ++i)
      bytes += round % 2 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
    if (round % 4 == 0) bytes += "\n[APPLICATION SETTINGS]\n" + bytes;
    WritePrefs(bytes);
    Restart();
    ASSERT_TRUE(messages_.texts.empty()) << "round " << round;
    qzSettings_Export();
    const std::string first = ReadPrefs();
    Restart();
    qzSettings_Export();
    EXPECT_EQ(ReadPrefs(), first) << "round " << round;
  }
  EXPECT_TRUE(messages_.texts.empty());
}

}  // namespace
