#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>

#include "Localization.h"
#include "SettingsFixture.h"

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

struct ReadsFailFrom {
  explicit ReadsFailFrom(off_t offset) { gReadsFailFrom = offset; }
  ~ReadsFailFrom() { gReadsFailFrom = -1; }
};

// What the import makes of a file, seen in what the export writes back. A
// file that is reported is never written in that run: "exported" is empty.
struct FileCase {
  const char* name;
  std::string bytes, message, exported;
  off_t readsFailFrom = -1;
};

const std::string kBig = std::string(70000, 'x');  // more than one 64 KiB block

class SettingsFile : public SettingsTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(SettingsFile, IsReadAsTheRowSaysAndAReportedOneIsLeftByteForByte) {
  const FileCase& c = GetParam();
  WritePrefs(c.bytes);
  {
    const ReadsFailFrom failing(c.readsFailFrom);
    qzSettings_Import();
  }
  EXPECT_EQ(messages_.texts, c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
  if (c.exported.empty()) qzSettingsSet_String("RamDiskName", "Changed");
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), c.exported.empty() ? c.bytes : c.exported);
  if (c.exported.empty()) return;
  Restart();
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), c.exported) << "the exported file reads back the same";
  EXPECT_TRUE(messages_.texts.empty());
}

const std::string V = kVersionLine;
INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsFile,
    ::testing::Values(
        FileCase{"Empty", "", kInvalidPref, ""},
        // The version line and one line end: 22 bytes, too short whatever it says.
        FileCase{"VersionLineOnly", V + "\n", kInvalidPref, ""},
        FileCase{"VersionLineOnlyWithCr", V + "\r", kInvalidPref, ""},
        FileCase{"WrongVersion", "Version: qzSettings02\n[APPLICATION SETTINGS]\nA: b\n", kInvalidPref, ""},
        FileCase{"FirstLineWithTrailingBlank", V + " \n[APPLICATION SETTINGS]\nA: b\n", kInvalidPref, ""},
        FileCase{"FirstLineWithLeadingBlank", " " + Prefs("A: b\n"), kInvalidPref, ""},
        FileCase{"FirstLineInOtherCase", "version: qzsettings01\n[APPLICATION SETTINGS]\nA: b\n", kInvalidPref, ""},
        FileCase{"HeaderFirst", "[APPLICATION SETTINGS]\nRamDiskName: x\n", kInvalidPref, ""},
        FileCase{"Binary", std::string("\x00\xff\x01", 3) + V + "\n\x7f\x80", kInvalidPref, ""},
        // A file read only in part must not be replaced by what was read of it.
        FileCase{"ReadFailingAfterTheFirstBlock", Prefs("A: b\nk: " + kBig + "\n"), kStreamFailed, "", 65536},
        FileCase{"OnlyEmptyLinesAfterTheVersionLine", V + "\n\n\n\n", "", Prefs("")},
        FileCase{"OnlyTheApplicationSettingsSectionInAnyCase",
                 V + "\nbefore: header\n[OTHER]\nother: x\n[application settings]\nlower: case\n[a: b]\nc: d\n"
                     "[APPLICATION SETTINGS]\nback: again\n[]\nempty: name\n[Application Settings]\nmixed: case\n",
                 "", Prefs("lower: case\nback: again\nmixed: case\n")},
        FileCase{"LinesThatOnlyLookLikeHeadersAreKeys", Prefs("[APPLICATION SETTINGS] \n[\n]\n[x]: y\n"), "",
                 Prefs("[APPLICATION SETTINGS] : \n[: \n]: \n[x]: y\n")},
        FileCase{"KeyLinesSplitAtTheFirstColonAndBlank", Prefs("A: two: words\nc:d\nnone\n:e\n: only value\n\n"),
                 "", Prefs("A: two: words\nc:d: \nnone: \n:e: \n: \n")},
        FileCase{"TheLaterOfTwoEqualKeysWins", Prefs("S: 10\nN: A\nS: 20\n"), "", Prefs("S: 20\nN: A\n")},
        FileCase{"EscapesAreWrittenAsStored", Prefs("cr: a$$13$$b\nlf: a$$10$$b\nc: a$$:_$$b\n"), "",
                 Prefs("cr: a$$13$$b\nlf: a$$10$$b\nc: a$$:_$$b\n")},
        FileCase{"CrLineEnds", V + "\r[APPLICATION SETTINGS]\rA: 1\rB: 2\r", "", Prefs("A: 1\nB: 2\n")},
        FileCase{"CrLfLineEnds", V + "\r\n[APPLICATION SETTINGS]\r\nA: 1\r\nB: 2\r\n", "", Prefs("A: 1\nB: 2\n")},
        // The CR ends one 64 KiB block and the LF starts the next.
        FileCase{"CrLfAcrossABlock", Prefs("k: " + std::string(65487, 'x') + "\r\nB: 2\n"), "",
                 Prefs("k: " + std::string(65487, 'x') + "\nB: 2\n")}),
    [](const ::testing::TestParamInfo<FileCase>& row) { return std::string(row.param.name); });

using SettingsImport = SettingsTest;

TEST_F(SettingsImport, AFileThatIsAFolderCannotBeOpenedAndIsLeftAlone) {
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

// Back to no translation, as the test program starts (it has no bundle).
struct TranslationLoaded {
  explicit TranslationLoaded(const char* qmFile) : loaded(LoadTranslation(qmFile)) {}
  ~TranslationLoaded() { LoadTranslation(""); }
  const bool loaded;
};

TEST_F(SettingsImport, ATranslationChangesWhatTheUserIsTold) {
  const TranslationLoaded german(QB_SETTINGS_QM);
  ASSERT_TRUE(german.loaded);
  WritePrefs("too short");
  qzSettings_Import();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"Fehler 01: Die Einstellungsdatei ist vorhanden, aber nicht gültig"});
}

TEST_F(SettingsImport, TheFilesValuesReachCallersAndWinOverTheDefaultsAndOverNothingElse) {
  qzSettingsSet_String("before", "kept");
  WritePrefs(Prefs("RamDiskSize: 300\nRamDiskName: two: words$$13$$$$10$$x\n"));
  qzSettings_Import();
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_String("RamDiskName", "RamDisk");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 300);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "two: words\r\nx");
  EXPECT_EQ(qzSettingsGet_String("before"), "kept");
}

}  // namespace
