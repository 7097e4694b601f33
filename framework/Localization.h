#pragma once
// Localisable texts. Each is looked up by a key "Owner.Name" with its English
// text as the default, in the compiled Qt translation (.qm) for the user's
// language: "quillbarrow_<language>.qm" in the bundle's Resources/translations.
// In the translation, Owner is the context, Name the disambiguation and the
// English default the source text. As everywhere in Qt, a name that the
// translation lacks falls back to a translation of the same English text in
// the same context.

#include <string>

// The text for the user's language, else defaultText. language is empty for
// the user's language, the only one the program asks for; other languages are
// not looked up and give defaultText.
std::string GetLocalizedString(const std::string& key, const std::string& defaultText,
                               const std::string& language = "");

// The one seam for tests: from now on the lookup consults the compiled
// translation qmFile instead of the user's. False when it cannot be loaded;
// then no translation is consulted and every lookup gives its default.
bool LoadTranslation(const std::string& qmFile);
