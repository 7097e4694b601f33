#include <gtest/gtest.h>

#include "Exceptions.h"
#include "SettingsFixture.h"

namespace {

using SettingsTable = SettingsTest;

TEST_F(SettingsTable, ReadingAnAbsentKeyGivesNothingAndAddsNothing) {
  qzSettings_Import();  // no file: the export will write the table as it is
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 0);
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs(""));
}

TEST_F(SettingsTable, LineBreaksAreStoredEscapedAndComeBack) {
  qzSettings_Import();
  qzSettingsSet_String("k", "a\r\nb");
  qzSettingsSet_String("lone", "\r|\n");
  EXPECT_EQ(qzSettingsGet_String("k"), "a\r\nb");
  EXPECT_EQ(qzSettingsGet_String("lone"), "\r|\n");
  qzSettings_Export();
  EXPECT_EQ(ReadPrefs(), Prefs("k: a$$13$$$$10$$b\nlone: $$13$$|$$10$$\n"));
}

TEST_F(SettingsTable, UnescapingRunsCarriageReturnFirstThenLineFeedThenColon) {
  // Dollar signs are not escaped: text that looks like an escape reads back
  // as what it stands for.
  qzSettingsSet_String("cr", "$$13$$10$$");
  EXPECT_EQ(qzSettingsGet_String("cr"), "\r10$$");
  qzSettingsSet_String("colon", "a$$:_$$b");
  EXPECT_EQ(qzSettingsGet_String("colon"), "a: b");
  qzSettingsSet_String("lf", "x$$10$$y");
  EXPECT_EQ(qzSettingsGet_String("lf"), "x\ny");
  qzSettingsSet_String("plain", "$$ 13 $$ $13$");
  EXPECT_EQ(qzSettingsGet_String("plain"), "$$ 13 $$ $13$");
}

TEST_F(SettingsTable, InitNeverOverwrites) {
  qzSettingsSet_String("empty", "");
  qzSettingsInit_String("empty", "default");
  EXPECT_EQ(qzSettingsGet_String("empty"), "");
  qzSettingsInit_String("absent", "two\nlines");
  EXPECT_EQ(qzSettingsGet_String("absent"), "two\nlines");
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_Integer("RamDiskSize", 7);
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 50);
  qzSettingsInit_String("RamDiskSize", "text");
  EXPECT_EQ(qzSettingsGet_String("RamDiskSize"), "50");
  qzSettingsInit_Integer("absent", 3);
  EXPECT_EQ(qzSettingsGet_String("absent"), "two\nlines");
}

TEST_F(SettingsTable, SetReplacesAndEitherKindReadsEither) {
  qzSettingsSet_Integer("RamDiskSize", 50);
  EXPECT_EQ(qzSettingsGet_String("RamDiskSize"), "50");
  qzSettingsSet_String("RamDiskSize", "12");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 12);
  qzSettingsSet_Integer("RamDiskSize", -2147483647 - 1);
  EXPECT_EQ(qzSettingsGet_String("RamDiskSize"), "-2147483648");
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), -2147483647 - 1);
}

TEST_F(SettingsTable, IntegersOfTextThatIsNoPlainIntegerAreDefined) {
  const std::pair<const char*, int32_t> cases[] = {
      {"abc", 0},
      {"12abc", 12},
      {"1e10", 2147483647},
      {"-1e10", -2147483647 - 1},
      {"nan", 0},
      {"", 0},
      {"12.9", 12},
      {"-12.9", -12},
      {"2147483648", 2147483647},
      {"  7", 7},
      {"1e400", 2147483647},
  };
  for (const auto& [text, expected] : cases) {
    qzSettingsSet_String("n", text);
    EXPECT_EQ(qzSettingsGet_Integer("n"), expected) << '"' << text << '"';
  }
  // The integer is read from the stored text, not the unescaped one.
  qzSettingsSet_String("n", "$$13$$5");
  EXPECT_EQ(qzSettingsGet_Integer("n"), 0);
}

TEST_F(SettingsTable, AfterItsReleaseTheTableIsANilObject) {
  qzSettingsSet_String("k", "v");
  qzSettingsReleaseDict();
  qzSettingsReleaseFile();
  EXPECT_THROW(qzSettingsGet_String("k"), NilObjectException);
  EXPECT_THROW(qzSettingsSet_Integer("k", 1), NilObjectException);
}

}  // namespace
