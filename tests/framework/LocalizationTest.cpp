#include <gtest/gtest.h>

#include <cstdlib>

#include "Localization.h"
#include "RecordingApp.h"

namespace {

// The user's translation is chosen once per process, from the environment:
// each case runs in a process of its own.
TEST(Localization, TheBundleTranslationForTheUsersLanguageIsFoundElseTheDefaultComesBack) {
  const std::pair<const char*, const char*> languages[] = {{"eo", "Saluton"}, {"fr", "Hello"}};
  for (const auto& [language, shown] : languages) {
    InOwnProcess([&] {
      setenv("LANGUAGE", language, 1);
      setenv("LC_ALL", language, 1);
      EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), shown) << language;
    });
  }
}

// The sample translation, built from translations/sample_eo.ts.
TEST(Localization, TheKeyNamesContextAndDisambiguation) {
  InOwnProcess([] {
    ASSERT_TRUE(LoadTranslation(QB_SAMPLE_QM));
    const std::tuple<const char*, const char*, const char*> lookups[] = {
        {"Sample.Greeting", "Hello", "Saluton"},
        {"Sample.Other", "Hello", "Bonan tagon"},
        {"Sample.LocSize", "Size (MB):", "Grandeco (MB) — ĉu?"},
        // Another owner or another English text gives the default.
        {"Elsewhere.Greeting", "Hello", "Hello"},
        {"Sample.Greeting", "Hello!", "Hello!"},
        {"Sample.Missing", "Goodbye", "Goodbye"}};
    for (const auto& [key, english, shown] : lookups) EXPECT_EQ(GetLocalizedString(key, english), shown) << key;
    EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello", "eo"), "Hello") << "only the user's language is looked up";
    EXPECT_FALSE(LoadTranslation("/no/such/file.qm"));
    EXPECT_EQ(GetLocalizedString("Sample.Greeting", "Hello"), "Hello");
  });
}

}  // namespace
