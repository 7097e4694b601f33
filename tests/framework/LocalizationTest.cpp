#include <cstdlib>

#include "Fixtures.h"
#include "Localization.h"

namespace {

// The user's translation is chosen once per process, from the environment:
// each language runs in a process of its own. The bundle's Esperanto
// translation is built from translations/sample_eo.ts.
TEST(Localization, TheUsersLanguageFindsTheBundleTranslationByOwnerAndEnglishTextElseTheDefault) {
  const std::pair<const char*, bool> languages[] = {{"eo", true}, {"fr", false}};
  for (const auto& [language, translated] : languages) {
    InOwnProcess([&] {
      setenv("LANGUAGE", language, 1);
      setenv("LC_ALL", language, 1);
      const std::tuple<const char*, const char*, const char*> lookups[] = {
          {"Sample.Greeting", "Hello", "Saluton"},
          {"Sample.Other", "Hello", "Bonan tagon"},
          {"Sample.LocSize", "Size (MB):", "Grandeco (MB) — ĉu?"},
          // Another owner or another English text gives the default.
          {"Elsewhere.Greeting", "Hello", "Hello"},
          {"Sample.Missing", "Goodbye", "Goodbye"}};
      for (const auto& [key, english, shown] : lookups)
        EXPECT_EQ(GetLocalizedString(key, english), translated ? shown : english) << language << " " << key;
    });
  }
}

}  // namespace
