#include "Localization.h"
#include "MsgBox.h"
#include "PreferencesFolder.h"
#include "Strings.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"
#include "qzSettings.h"
#include "qzSettingsState.h"

using namespace qzSettingsState;

namespace {

const char* const kFileName = "Quillbarrow.pref";
const char* const kVersionLine = "Version: qzSettings01";
const char* const kSettingsHeader = "[APPLICATION SETTINGS]";
const char* const kSettingsSection = "APPLICATION SETTINGS";
// No valid file is this short: the version line alone and its line end take 22 bytes.
constexpr uint64_t kLongestInvalidLength = 22;

bool IsSectionHeader(const std::string& line) {
  return Left(line, 1) == "[" && Right(line, 1) == "]";
}

// The text between the brackets, upper-cased, so "[application settings]"
// opens the same section.
std::string SectionName(const std::string& header) {
  return Uppercase(Mid(header, 2, Len(header) - 2));
}

// The key is the text before the first ": " and the value all of the rest,
// further ": " included; without ": " the whole line is the key.
void LoadKeyLine(const std::string& line) {
  const size_t separator = line.find(": ");
  if (separator == std::string::npos) {
    qzSettingsSet_String(line, "");
    return;
  }
  qzSettingsSet_String(line.substr(0, separator), line.substr(separator + 2));
}

}  // namespace

std::string ErrorInvalidPref() {
  return GetLocalizedString("qzSettings.ErrorInvalidPref", "Error 01: Preference file exists but is not valid");
}

std::string ErrorStreamFailed() {
  return GetLocalizedString("qzSettings.ErrorStreamFailed", "Error 02: Can't open preference file (stream failed)");
}

std::string ErrorWriteFailed() {
  return GetLocalizedString("qzSettings.ErrorWriteFailed", "Error 03: Can't write preference file");
}

void qzSettings_Import() {
  if (!qzSettingsInit) Init();
  const Ref<FolderItem> preferences = SpecialFolder::Preferences();
  qzSettingsFile = preferences.IsNil() ? nullptr : preferences->Child(kFileName);
  if (qzSettingsFile.IsNil()) return;
  if (!qzSettingsFile->Exists()) {
    qzSettingsOK = true;  // first run: the export makes the file
    return;
  }
  if (qzSettingsFile->Length() <= kLongestInvalidLength) {
    MsgBox(ErrorInvalidPref());
    return;
  }
  const Ref<TextInputStream> stream = TextInputStream::Open(*qzSettingsFile);
  if (stream.IsNil()) {
    MsgBox(ErrorStreamFailed());
    return;
  }
  const std::string versionLine = stream->ReadLine();
  if (stream->ReadFailed()) {
    MsgBox(ErrorStreamFailed());
    return;
  }
  if (versionLine != kVersionLine) {
    MsgBox(ErrorInvalidPref());
    return;
  }

  // Lines before the first header belong to the section with the empty name.
  std::string section;
  while (!stream->EndOfFile()) {
    const std::string line = stream->ReadLine();
    if (IsSectionHeader(line)) {
      section = SectionName(line);
    } else if (section == kSettingsSection) {
      LoadKeyLine(line);
    }
  }
  // A file read only in part must not be overwritten by what was read of it.
  if (stream->ReadFailed()) {
    MsgBox(ErrorStreamFailed());
    return;
  }
  qzSettingsOK = true;
}

void qzSettings_Export() {
  if (!qzSettingsInit) Init();
  if (!qzSettingsOK || qzSettingsFile.IsNil()) return;

  const Ref<FolderItem> folder = qzSettingsFile->Parent();
  if (!folder.IsNil() && !folder->Exists()) folder->CreateAsFolder();
  const Ref<TextOutputStream> stream = TextOutputStream::Create(*qzSettingsFile);
  if (stream.IsNil()) {
    MsgBox(ErrorWriteFailed());
    return;
  }
  stream->WriteLine(kVersionLine);
  stream->WriteLine(kSettingsHeader);
  // A full-width index: every entry is written, however many there are.
  for (size_t i = 0; i < qzSettingsDict->Count(); ++i) {
    const std::string key = qzSettingsDict->Key(i);
    stream->WriteLine(key + ": " + qzSettingsDict->Value(key));
  }
  if (!stream->Close()) MsgBox(ErrorWriteFailed());
}
