#include <gtest/gtest.h>

#include <cstdlib>

#include "Localization.h"

namespace {

// Built from translations/sample_eo.ts: once as a file of its own, once as
// the bundle's translation for Esperanto beside the test programs.
const char* kSample = QB_SAMPLE_QM;

// The user's language comes from the environment; each case sets one.
TEST(Localization, WithoutATranslationTheDefaultComesBack) {
  setenv("LANGUAGE", "fr", 1);
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Hello");
}

TEST(Localization, TheBundleTranslationForTheUsersLanguageIsFound) {
  setenv("LANGUAGE", "eo", 1);
  setenv("LC_ALL", "eo", 1);
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Saluton");
}

TEST(Localization, TheKeyNamesContextAndDisambiguation) {
  ASSERT_TRUE(LoadTranslation(kSample));
  const std::tuple<const char*, const char*, const char*> lookups[] = {
      {"Sample.Greeting", "Hello", "Saluton"},
      {"Sample.Other", "Hello", "Bonan tagon"},
      {"Sample.LocSize", "Size (MB):", "Grandeco (MB) — ĉu?"},
      // Another owner or another English text gives the default.
      {"Elsewhere.Greeting", "Hello", "Hello"},
      {"Sample.Greeting", "Hello!", "Hello!"},
      {"Sample.Missing", "Goodbye", "Goodbye"},
      {"", "", ""}};
  for (const auto& [key, english, shown] : lookups) EXPECT_EQ(GetLocalizedString(key, english), shown) << key;
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello", "eo"), "Hello") << "only the user's language is looked up";
  EXPECT_FALSE(LoadTranslation("/no/such/file.qm"));
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Hello") << "an unloadable translation leaves the defaults";
}

}  // namespace
