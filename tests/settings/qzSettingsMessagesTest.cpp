#include <gtest/gtest.h>

#include "Localization.h"
#include "SettingsFixture.h"

namespace {

using SettingsMessages = SettingsTest;

// Loads a translation for one case and goes back to none, as the test
// program starts (it has no bundle beside it), when the case ends.
struct TranslationLoaded {
  explicit TranslationLoaded(const char* qmFile) : loaded(LoadTranslation(qmFile)) {}
  ~TranslationLoaded() { LoadTranslation(""); }
  const bool loaded;
};

TEST_F(SettingsMessages, WithoutATranslationTheEnglishTextsComeBack) {
  EXPECT_EQ(ErrorInvalidPref(), kInvalidPref);
  EXPECT_EQ(ErrorStreamFailed(), kStreamFailed);
  EXPECT_EQ(ErrorWriteFailed(), kWriteFailed);
}

TEST_F(SettingsMessages, ATranslationChangesWhatTheUserIsTold) {
  const TranslationLoaded german(QB_SETTINGS_QM);
  ASSERT_TRUE(german.loaded);
  EXPECT_EQ(ErrorInvalidPref(), "Fehler 01: Die Einstellungsdatei ist vorhanden, aber nicht gültig");
  EXPECT_EQ(ErrorStreamFailed(), "Fehler 02: Die Einstellungsdatei lässt sich nicht öffnen");
  EXPECT_EQ(ErrorWriteFailed(), "Fehler 03: Die Einstellungsdatei lässt sich nicht schreiben");
  WritePrefs("too short");
  qzSettings_Import();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{ErrorInvalidPref()});
}

}  // namespace
