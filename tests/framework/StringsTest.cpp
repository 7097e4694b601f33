#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Strings.h"

namespace {

TEST(Strings, StrPrintsPlainDecimals) {
  EXPECT_EQ(Str(int32_t{0}), "0");
  EXPECT_EQ(Str(int32_t{-2147483647 - 1}), "-2147483648");
  EXPECT_EQ(Str(uint32_t{4294967295u}), "4294967295");
  EXPECT_EQ(Str(50.0), "50");
  EXPECT_EQ(Str(-3.0), "-3");
  EXPECT_EQ(Str(4294967295.0), "4294967295");
  EXPECT_EQ(Str(0.5), "0.5");
}

TEST(Strings, ValTakesTheNumberAtTheStart) {
  EXPECT_EQ(Val(""), 0.0);
  EXPECT_EQ(Val("abc"), 0.0);
  EXPECT_EQ(Val("12abc"), 12.0);
  EXPECT_EQ(Val("0050"), 50.0);
  EXPECT_EQ(Val("-7"), -7.0);
  EXPECT_EQ(Val("+7"), 7.0);
  EXPECT_EQ(Val("  8"), 8.0);
  EXPECT_EQ(Val("1.5x"), 1.5);
  EXPECT_EQ(Val(".25"), 0.25);
  EXPECT_EQ(Val("1e10"), 1e10);
  EXPECT_EQ(Val("2e"), 2.0);
  EXPECT_EQ(Val("nan"), 0.0);
  EXPECT_EQ(Val("inf"), 0.0);
  EXPECT_EQ(Val("-"), 0.0);
  EXPECT_EQ(Val("."), 0.0);
  EXPECT_TRUE(std::isinf(Val("1e400")));
  EXPECT_EQ(Val("1e-400"), 0.0);
}

TEST(Strings, ConversionsSaturateAndNeverMisbehave) {
  EXPECT_EQ(ToInt32(1e10), 2147483647);
  EXPECT_EQ(ToInt32(-1e10), -2147483647 - 1);
  EXPECT_EQ(ToInt32(std::nan("")), 0);
  EXPECT_EQ(ToInt32(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(ToInt32(12.9), 12);
  EXPECT_EQ(ToInt32(-12.9), -12);
  EXPECT_EQ(ToUInt32(-1.0), 0u);
  EXPECT_EQ(ToUInt32(5e9), 4294967295u);
  EXPECT_EQ(ToUInt32(std::nan("")), 0u);
  EXPECT_EQ(ToUInt32(4294967295.0), 4294967295u);
}

TEST(Strings, MaxAndRound) {
  EXPECT_EQ(Max(1.0, 0.0), 1.0);
  EXPECT_EQ(Max(1.0, -5.0, {3.0, 2.0}), 3.0);
  EXPECT_EQ(Round(8388607.998), 8388608.0);
  EXPECT_EQ(Round(2.5), 3.0);
  EXPECT_EQ(Round(-2.5), -3.0);
}

TEST(Strings, TrimRemovesOuterWhiteSpaceOnly) {
  EXPECT_EQ(Trim(" \t\r\n a b \n"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(Strings, FieldsSplitAtEverySeparator) {
  EXPECT_EQ(NthField("a\tb\tc", "\t", 3), "c");
  EXPECT_EQ(NthField("a\tb", "\t", 3), "");
  EXPECT_EQ(NthField("a::b", ":", 2), "");
  EXPECT_EQ(NthField("k: v: w", ": ", 2), "v");
  EXPECT_EQ(NthField("abc", ": ", 1), "abc");
  EXPECT_EQ(NthField("abc", ": ", 0), "");
  EXPECT_EQ(CountFields("k: v: w", ": "), 3);
  EXPECT_EQ(CountFields("abc", ": "), 1);
  EXPECT_EQ(CountFields(": ", ": "), 2);
}

TEST(Strings, CharacterCountsAreNotByteCounts) {
  const std::string word = "R\xC3\xBC" "ck";  // Rück
  EXPECT_EQ(Len(word), 4);
  EXPECT_EQ(Left(word, 2), "R\xC3\xBC");
  EXPECT_EQ(Right(word, 3), "\xC3\xBC" "ck");
  EXPECT_EQ(Mid(word, 2, 1), "\xC3\xBC");
  EXPECT_EQ(Mid(word, 2), "\xC3\xBC" "ck");
  EXPECT_EQ(Mid(word, 9), "");
  EXPECT_EQ(Left(word, 99), word);
  EXPECT_EQ(Right(word, 0), "");
  // A stray byte counts as one character and is never lost.
  const std::string broken = "a\xFF\xC3";
  EXPECT_EQ(Len(broken), 3);
  EXPECT_EQ(Mid(broken, 2, 1), "\xFF");
  EXPECT_EQ(Right(broken, 1), "\xC3");
}

TEST(Strings, ChrEncodesUtf8) {
  EXPECT_EQ(Chr(9), "\t");
  EXPECT_EQ(Chr(0xFC), "\xC3\xBC");
  EXPECT_EQ(Chr(0x2603), "\xE2\x98\x83");
  EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
}

TEST(Strings, UppercaseAndReplaceAll) {
  EXPECT_EQ(Uppercase("application settings"), "APPLICATION SETTINGS");
  EXPECT_EQ(Uppercase("\xC3\xBC"), "\xC3\x9C");
  EXPECT_EQ(Uppercase("a\xFFz"), "A\xFFZ");
  EXPECT_EQ(ReplaceAll("a\r\nb\r", "\r", "$$13$$"), "a$$13$$\nb$$13$$");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

}  // namespace
