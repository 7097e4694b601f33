#include <gtest/gtest.h>

#include <string>

#include "Dictionary.h"
#include "Exceptions.h"

namespace {

TEST(Dictionary, EmptyHasNothingAndSaysSoLoudly) {
  Dictionary dict;
  EXPECT_EQ(dict.Count(), 0u);
  EXPECT_FALSE(dict.HasKey(""));
  EXPECT_THROW(dict.Value("a"), KeyNotFoundException);
  EXPECT_THROW(dict.Key(0), OutOfBoundsException);
}

TEST(Dictionary, KeysAreListedInTheOrderTheyWereFirstStored) {
  Dictionary dict;
  dict.SetValue("zebra", "1");
  dict.SetValue("apple", "2");
  dict.SetValue("mango", "3");
  dict.SetValue("apple", "replaced");
  ASSERT_EQ(dict.Count(), 3u);
  EXPECT_EQ(dict.Key(0), "zebra");
  EXPECT_EQ(dict.Key(1), "apple");
  EXPECT_EQ(dict.Key(2), "mango");
  EXPECT_EQ(dict.Value("apple"), "replaced");
  EXPECT_THROW(dict.Key(3), OutOfBoundsException);
}

TEST(Dictionary, KeysMatchExactly) {
  Dictionary dict;
  dict.SetValue("Key", "upper");
  dict.SetValue("key", "lower");
  dict.SetValue("key ", "blank");
  dict.SetValue("", "empty");
  dict.SetValue(std::string("k\0y", 3), "nul");
  EXPECT_EQ(dict.Count(), 5u);
  EXPECT_EQ(dict.Value("Key"), "upper");
  EXPECT_EQ(dict.Value("key"), "lower");
  EXPECT_EQ(dict.Value("key "), "blank");
  EXPECT_EQ(dict.Value(""), "empty");
  EXPECT_EQ(dict.Value(std::string("k\0y", 3)), "nul");
  EXPECT_FALSE(dict.HasKey("KEY"));
  EXPECT_FALSE(dict.HasKey("k"));
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
  EXPECT_EQ(dict.Key(count - 1), "k" + std::to_string(count - 1));
}

}  // namespace
