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

TEST(Dictionary, WhatWasJustStoredIsSeenAtOnce) {
  Dictionary dict;
  dict.SetValue("a", "1");
  EXPECT_TRUE(dict.HasKey("a"));
  dict.SetValue("b", "2");
  EXPECT_EQ(dict.Count(), 2u);
  dict.SetValue("c", "3");
  EXPECT_EQ(dict.Key(2), "c");
  dict.SetValue("a", "4");
  EXPECT_EQ(dict.Value("a"), "4");
  dict.SetValue("", "");
  EXPECT_EQ(dict.Value(""), "");
  EXPECT_EQ(dict.Count(), 4u);
}

TEST(Dictionary, ValuesReplacedOverAndOverStayRight) {
  // As a text field stores its text at every key press: shorter, longer and
  // equal values in turn, many times over.
  Dictionary dict;
  for (int round = 0; round < 2000; ++round)
    for (int key = 0; key < 20; ++key)
      dict.SetValue("key" + std::to_string(key),
                    std::string(static_cast<size_t>((round * 7 + key) % 50), 'a' + key % 26) + std::to_string(round));
  ASSERT_EQ(dict.Count(), 20u);
  for (int key = 0; key < 20; ++key) {
    EXPECT_EQ(dict.Key(static_cast<size_t>(key)), "key" + std::to_string(key));
    EXPECT_EQ(dict.Value("key" + std::to_string(key)),
              std::string(static_cast<size_t>((1999 * 7 + key) % 50), 'a' + key % 26) + "1999");
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
  EXPECT_EQ(dict.Key(count - 1), "k" + std::to_string(count - 1));
}

}  // namespace
