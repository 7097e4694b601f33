#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Strings.h"

namespace {

TEST(Strings, NumbersPrintAsPlainDecimalsAndConversionsSaturate) {
  EXPECT_EQ(Str(uint32_t{4294967295u}), "4294967295");
  const std::pair<double, const char*> doubles[] = {
      {50.0, "50"}, {-3.0, "-3"}, {4294967295.0, "4294967295"}, {0.5, "0.5"}};
  for (const auto& [value, text] : doubles) EXPECT_EQ(Str(value), text) << value;
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, int32_t> ints[] = {
      {1e10, 2147483647}, {-1e10, -2147483647 - 1}, {std::nan(""), 0}, {inf, 2147483647}, {-12.9, -12}};
  for (const auto& [value, expected] : ints) EXPECT_EQ(ToInt32(value), expected) << value;
  const std::pair<double, uint32_t> uints[] = {
      {-1.0, 0u}, {5e9, 4294967295u}, {std::nan(""), 0u}, {4294967295.0, 4294967295u}};
  for (const auto& [value, expected] : uints) EXPECT_EQ(ToUInt32(value), expected) << value;
  const std::pair<double, double> rounds[] = {{8388607.998, 8388608.0}, {2.5, 3.0}, {-2.5, -3.0}};
  for (const auto& [value, rounded] : rounds) EXPECT_EQ(Round(value), rounded) << value;
}

TEST(Strings, ValTakesTheNumberAtTheStart) {
  const std::pair<const char*, double> vals[] = {{"", 0},   {"abc", 0}, {"12abc", 12}, {"0050", 50}, {"-7", -7},
                                                 {"+7", 7}, {"  8", 8}, {"1.5x", 1.5}, {".25", .25}, {"1e10", 1e10},
                                                 {"2e", 2}, {"nan", 0}, {"inf", 0},    {"-", 0},     {"1e-400", 0}};
  for (const auto& [text, value] : vals) EXPECT_EQ(Val(text), value) << '"' << text << '"';
  EXPECT_TRUE(std::isinf(Val("1e400")));
}

TEST(Strings, FieldsAreCutAtTheWholeSeparator) {
  const std::tuple<const char*, const char*, int32_t, const char*> fields[] = {{"a\tb\tc", "\t", 3, "c"},

                                                                               {"k: v: w", ": ", 2, "v"},

                                                                               {"abc", ": ", 0, ""}};
  for (const auto& [text, separator, n, field] : fields) EXPECT_EQ(NthField(text, separator, n), field) << text << n;
}

TEST(Strings, CharacterCountsAreNotByteCounts) {
  const std::string word =
      "R\xC3\xBC"
      "ck\xE2\x98\x83";  // Rück and a snowman
  EXPECT_EQ(Len(word), 5);
  EXPECT_EQ(Left(word, 2), "R\xC3\xBC");
  EXPECT_EQ(Right(word, 3), "ck\xE2\x98\x83");
  EXPECT_EQ(Mid(word, 2, 1), "\xC3\xBC");
  EXPECT_EQ(Mid(word, 9), "");
  // A stray byte counts as one character and is never lost.
  const std::string broken = "a\xFF\xC3z\xC3";
  EXPECT_EQ(Len(broken), 5);
  EXPECT_EQ(Mid(broken, 3, 2), "\xC3z");
  EXPECT_EQ(Right(broken, 1), "\xC3");
}

}  // namespace
