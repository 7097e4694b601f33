#include <gtest/gtest.h>

#include <string>

#include "Dictionary.h"
#include "Exceptions.h"

namespace {

TEST(Dictionary, KeysMatchExactlyAndAreListedInTheOrderTheyWereFirstStored) {
  Dictionary dict;
  EXPECT_THROW(dict.Value("a"), KeyNotFoundException);
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
  EXPECT_EQ(dict.Key(3), "key ");
  EXPECT_EQ(dict.Value("key"), "lower") << "right after listing a longer key";
  EXPECT_FALSE(dict.HasKey("KEY"));
  EXPECT_FALSE(dict.HasKey("k"));
}

TEST(Dictionary, ValuesReplacedOverAndOverAndManyKeysStayRight) {
  // As a text field stores its text at every key press: shorter, longer and
  // equal values in turn, many times over; then enough keys to grow often.
  Dictionary dict;
  const auto value = [](int round, int key) {
    return std::string(static_cast<size_t>((round * 7 + key) % 50), 'a' + key % 26) + std::to_string(round);
  };
  for (int round = 0; round < 500; ++round)
    for (int key = 0; key < 20; ++key) dict.SetValue("key" + std::to_string(key), value(round, key));
  for (int key = 20; key < 20000; ++key) dict.SetValue("key" + std::to_string(key), value(499, key));
  ASSERT_EQ(dict.Count(), 20000u);
  for (int key = 0; key < 20000; key += 7) {
    EXPECT_EQ(dict.Key(static_cast<size_t>(key)), "key" + std::to_string(key));
    EXPECT_EQ(dict.Value("key" + std::to_string(key)), value(499, key));
  }
}

}  // namespace
