#include <gtest/gtest.h>

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

}  // namespace
