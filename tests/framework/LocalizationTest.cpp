#include <gtest/gtest.h>

#include <cstdlib>

#include "Localization.h"

namespace {

// Built from translations/sample_eo.ts: once as a file of its own, once as
// the bundle's translation for Esperanto beside the test programs.
const char* kSample = QB_SAMPLE_QM;

TEST(Localization, WithoutATranslationTheDefaultComesBack) {
  // The test programs' bundle folder has only an Esperanto translation.
  setenv("LANGUAGE", "fr", 1);
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Hello");
  EXPECT_EQ(GetLocalizedString("", ""), "");
}

TEST(Localization, TheKeyNamesContextAndDisambiguation) {
  ASSERT_TRUE(LoadTranslation(kSample));
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Saluton");
  EXPECT_EQ(GetLocalizedString("Sample.Other", "Hello"), "Bonan tagon");
  EXPECT_EQ(GetLocalizedString("Sample.LocSize", "Size (MB):"), "Grandeco (MB) — ĉu?");
  // Another owner or another English text gives the default.
  EXPECT_EQ(GetLocalizedString("Elsewhere.Greeting", "Hello"), "Hello");
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello!"), "Hello!");
  EXPECT_EQ(GetLocalizedString("Sample.Missing", "Goodbye"), "Goodbye");
}

TEST(Localization, OnlyTheUsersLanguageIsLookedUp) {
  ASSERT_TRUE(LoadTranslation(kSample));
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello", "eo"), "Hello");
}

TEST(Localization, AnUnloadableTranslationLeavesTheDefaults) {
  ASSERT_TRUE(LoadTranslation(kSample));
  EXPECT_FALSE(LoadTranslation("/no/such/file.qm"));
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Hello");
}

TEST(Localization, TheBundleTranslationForTheUsersLanguageIsFound) {
  setenv("LANGUAGE", "eo", 1);
  setenv("LC_ALL", "eo", 1);
  EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Saluton");
}

}  // namespace
