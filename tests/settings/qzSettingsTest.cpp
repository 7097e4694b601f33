// Each case starts as the program does, with an empty settings module, a preferences folder of its own
// ($XDG_CONFIG_HOME in a temporary folder) and message boxes recorded; all of it is put back at the end.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "Exceptions.h"
#include "FileSizeLimit.h"
#include "Recorders.h"
#include "TempDir.h"
#include "qzSettings.h"

// Reads fail once a file's offset reaches this, as on a disk that goes bad
// part way; the framework's input stream reads through read().
static off_t gReadsFailFrom = -1;
extern "C" ssize_t read(int fd, void* buffer, size_t count) {
  static const auto real = reinterpret_cast<ssize_t (*)(int, void*, size_t)>(dlsym(RTLD_NEXT, "read"));
  if (gReadsFailFrom >= 0 && lseek(fd, 0, SEEK_CUR) >= gReadsFailFrom) {
    errno = EIO;
    return -1;
  }
  return real(fd, buffer, count);
}

namespace {

const std::string V = "Version: qzSettings01";
const std::string kInvalidPref = "Error 01: Preference file exists but is not valid";
const std::string kStreamFailed = "Error 02: Can't open preference file (stream failed)";

std::string Prefs(const std::string& keyLines) {
  return V + "\n[APPLICATION SETTINGS]\n" + keyLines;
}

class SettingsTable : public ::testing::Test {
 protected:
  SettingsTable() {
    std::filesystem::create_directories(Config());
    setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    qzSettings_ResetForTests();
  }
  ~SettingsTable() override {
    qzSettings_ResetForTests();
    oldConfig_.empty() ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
  }

  std::filesystem::path Config() const { return dir_ / "config"; }
  std::filesystem::path PrefFile() const { return Config() / "Quillbarrow.pref"; }
  // The program's next start: the table is gone and the file is read again.
  void Restart() {
    qzSettings_ResetForTests();
    qzSettings_Import();
  }

  const std::string oldConfig_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  TempDir dir_;
  MessageRecorder messages_;
};

TEST_F(SettingsTable, WithoutAFileTheExportMakesItAndItsFoldersAndEveryValueComesBackOverTheDefaults) {
  setenv("XDG_CONFIG_HOME", (dir_ / "not/yet/there").c_str(), 1);
  qzSettings_Import();
  qzSettingsInit_Integer("RamDiskSize", -2147483647 - 1);
  qzSettingsSet_String("RamDiskName", "Work: Scratch\r\nDisk");
  qzSettingsSet_String("lone", "\r|\n");
  qzSettingsSet_String("", "");
  // Past 65,535 entries, so that a narrow index would drop some.
  std::string many;
  for (int i = 0; i < 70000; ++i) {
    qzSettingsSet_Integer("key" + std::to_string(i), i);
    many += "key" + std::to_string(i) + ": " + std::to_string(i) + "\n";
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "not")) << "the import alone makes nothing";
  qzSettings_Export();
  // Compared apart: a difference in 70,000 lines is too large for a diff.
  const std::string head =
      Prefs("RamDiskSize: -2147483648\nRamDiskName: Work: Scratch$$13$$$$10$$Disk\nlone: $$13$$|$$10$$\n: \n");
  const std::string written = ReadFile(dir_ / "not/yet/there/Quillbarrow.pref");
  EXPECT_EQ(written.substr(0, head.size()), head);
  EXPECT_TRUE(written.substr(head.size()) == many) << "every entry is written, in order";
  Restart();
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_String("RamDiskName", "RamDisk");
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
  const std::pair<const char*, int32_t> cases[] = {{"abc", 0}, {"12abc", 12},         {"-12.9", -12},
                                                   {"nan", 0}, {"1e400", 2147483647}, {"-1e10", -2147483647 - 1}};
  for (const auto& [text, expected] : cases) {
    qzSettingsSet_String("n", text);
    EXPECT_EQ(qzSettingsGet_Integer("n"), expected) << '"' << text << '"';
  }
}

TEST_F(SettingsTable, AfterItsReleaseTheTableIsANilObject) {
  qzSettingsSet_String("k", "v");
  qzSettingsReleaseDict();
  EXPECT_THROW(qzSettingsGet_String("k"), NilObjectException);
}

TEST_F(SettingsTable, AFailedWriteOrAFolderThatCannotBeMadeKeepsTheOldFileAndTellsTheUser) {
  const std::string old = Prefs("RamDiskSize: 50\nRamDiskName: Old\n");
  WriteFile(PrefFile(), old);
  qzSettings_Import();
  for (int i = 0; i < 1000; ++i) qzSettingsSet_String("filler" + std::to_string(i), std::string(100, 'x'));
  {
    const FileSizeLimit limit(8192);  // a disk that fills up half way
    qzSettings_Export();
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Config()), {}), 1) << "no temporary file left";
  setenv("XDG_CONFIG_HOME", (PrefFile() / "config").c_str(), 1);  // a file where a folder must go
  Restart();
  qzSettings_Export();
  EXPECT_EQ(messages_.texts, std::vector<std::string>(2, "Error 03: Can't write preference file"));
  EXPECT_EQ(ReadFile(PrefFile()), old);
}

TEST_F(SettingsTable, AFileThatIsAFolderCannotBeOpenedAndIsLeftAlone) {
  // A long name inside makes the folder larger than 22 bytes on every file
  // system, so it is the opening that fails.
  const auto inside = PrefFile() / "a-file-with-a-rather-long-name-inside-the-folder";
  std::filesystem::create_directories(PrefFile());
  WriteFile(inside, "kept");
  qzSettings_Import();
  qzSettings_Export();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kStreamFailed});
  EXPECT_EQ(ReadFile(inside), "kept");
}

// What the import makes of a file, seen in what the export writes back. A
// file that is reported is never written in that run: "exported" is empty.
struct FileCase {
  const char* name;
  std::string bytes, message, exported;
  off_t readsFailFrom = -1;
};

class SettingsFile : public SettingsTable, public ::testing::WithParamInterface<FileCase> {};

TEST_P(SettingsFile, IsReadAsTheRowSaysAndAReportedOneIsLeftByteForByte) {
  const FileCase& c = GetParam();
  WriteFile(PrefFile(), c.bytes);
  gReadsFailFrom = c.readsFailFrom;
  qzSettings_Import();
  gReadsFailFrom = -1;
  EXPECT_EQ(messages_.texts, c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
  if (c.exported.empty()) qzSettingsSet_String("RamDiskName", "Changed");
  qzSettings_Export();
  EXPECT_EQ(ReadFile(PrefFile()), c.exported.empty() ? c.bytes : c.exported);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsFile,
    ::testing::Values(
        FileCase{"Empty", "", kInvalidPref, ""},
        // The version line and one line end: 22 bytes, too short whatever it says.
        FileCase{"VersionLineOnly", V + "\n", kInvalidPref, ""},
        FileCase{"WrongVersion", "Version: qzSettings02\n[APPLICATION SETTINGS]\nA: b\n", kInvalidPref, ""},
        FileCase{"FirstLineWithLeadingBlank", " " + Prefs("A: b\n"), kInvalidPref, ""},
        FileCase{"FirstLineInOtherCase", "version: qzsettings01\n[APPLICATION SETTINGS]\nA: b\n", kInvalidPref, ""},
        FileCase{"HeaderFirst", "[APPLICATION SETTINGS]\nRamDiskName: x\n", kInvalidPref, ""},
        FileCase{"Binary", std::string("\x00\xff\x01", 3) + V + "\n\x7f\x80", kInvalidPref, ""},
        // A file read only in part must not be replaced by what was read of it.
        FileCase{"ReadFailingAfterTheFirstBlock", Prefs("A: b\nk: " + std::string(70000, 'x') + "\n"), kStreamFailed,
                 "", 65536},
        FileCase{"OnlyEmptyLinesAfterTheVersionLine", V + "\n\n\n\n", "", Prefs("")},
        FileCase{"OnlyTheApplicationSettingsSectionInAnyCase",
                 V + "\nbefore: header\n[OTHER]\nother: x\n[application settings]\nlower: case\n[a: b]\nc: d\n"
                     "[APPLICATION SETTINGS]\nback: again\n[]\nempty: name\n[Application Settings]\nmixed: case\n",
                 "", Prefs("lower: case\nback: again\nmixed: case\n")},
        FileCase{"LinesThatOnlyLookLikeHeadersAreKeys", Prefs("[APPLICATION SETTINGS] \n[\n]\n[x]: y\n"), "",
                 Prefs("[APPLICATION SETTINGS] : \n[: \n]: \n[x]: y\n")},
        FileCase{"KeyLinesSplitAtTheFirstColonAndBlank", Prefs("A: two: words\nc:d\nnone\n:e\n: only value\n\n"), "",
                 Prefs("A: two: words\nc:d: \nnone: \n:e: \n: \n")},
        FileCase{"TheLaterOfTwoEqualKeysWins", Prefs("S: 10\nN: A\nS: 20\n"), "", Prefs("S: 20\nN: A\n")},
        FileCase{"CrLineEnds", V + "\r[APPLICATION SETTINGS]\rA: 1\rB: 2\r", "", Prefs("A: 1\nB: 2\n")},
        FileCase{"CrLfLineEnds", V + "\r\n[APPLICATION SETTINGS]\r\nA: 1\r\nB: 2\r\n", "", Prefs("A: 1\nB: 2\n")},
        // The CR ends one 64 KiB block and the LF starts the next.
        FileCase{"CrLfAcrossABlock", Prefs("k: " + std::string(65487, 'x') + "\r\nB: 2\n"), "",
                 Prefs("k: " + std::string(65487, 'x') + "\nB: 2\n")}),
    [](const ::testing::TestParamInfo<FileCase>& row) { return std::string(row.param.name); });

}  // namespace
