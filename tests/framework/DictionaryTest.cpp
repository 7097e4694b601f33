#include <gtest/gtest.h>

#include <string>

#include "Dictionary.h"
#include "Exceptions.h"

namespace {

TEST(Dictionary, KeysMatchExactlyAndAreListedInTheOrderTheyWereFirstStored) {
  Dictionary dict;
  EXPECT_THROW(dict.Value("a"), KeyNotFoundException);
  EXPECT_THROW(dict.Key(0), OutOfBoundsException);
  const std::pair<std::string, std::string> stored[] = {{"zebra", "1"},   {"Key", "upper"},
                                                        {"key", "lower"}, {"key ", "blank"},
                                                        {"", "empty"},    {std::string("k\0y", 3), "nul"}};
  for (const auto& [key, value] : stored) dict.SetValue(key, value);
  dict.SetValue("zebra", "replaced");
  ASSERT_EQ(dict.Count(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(dict.Key(i), stored[i].first) << i;
    EXPECT_EQ(dict.Value(stored[i].first), i == 0 ? "replaced" : stored[i].second) << i;
  }
  EXPECT_THROW(dict.Key(6), OutOfBoundsException);
  EXPECT_FALSE(dict.HasKey("KEY"));
  EXPECT_FALSE(dict.HasKey("k"));
}

TEST(Dictionary, ValuesReplacedOverAndOverStayRight) {
  // As a text field stores its text at every key press: shorter, longer and
  // equal values in turn, many times over.
  Dictionary dict;
  const auto value = [](int round, int key) {
    return std::string(static_cast<size_t>((round * 7 + key) % 50), 'a' + key % 26) + std::to_string(round);
  };
  for (int round = 0; round < 2000; ++round)
    for (int key = 0; key < 20; ++key) dict.SetValue("key" + std::to_string(key), value(round, key));
  ASSERT_EQ(dict.Count(), 20u);
  for (int key = 0; key < 20; ++key) {
    EXPECT_EQ(dict.Key(static_cast<size_t>(key)), "key" + std::to_string(key));
    EXPECT_EQ(dict.Value("key" + std::to_string(key)), value(1999, key));
  }
}

TEST(Dictionary, KeepsOrderAndValuesWhileGrowingLarge) {
  // Growing rehashes the table many times; the listing must survive that.
  Dictionary dict;
  const size_t count = 300000;
  for (size_t i = 0; i < count; ++i) dict.SetValue("k" + std::to_string(i), std::to_string(i * 7));
  ASSERT_EQ(dict.Count(), count);
  for (size_t i = 0; i < count; i += 997) {
    EXPECT_EQ(dict.Key(i), "k" + std::to_string(i));
    EXPECT_EQ(dict.Value(dict.Key(i)), std::to_string(i * 7));
  }
}

}  // namespace
