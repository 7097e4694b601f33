#include "Strings.h"
#include "qzSettings.h"
#include "qzSettingsState.h"

namespace qzSettingsState {

bool qzSettingsInit = false;
Ref<Dictionary> qzSettingsDict;
Ref<FolderItem> qzSettingsFile;
bool qzSettingsOK = false;

void Init() {
  qzSettingsDict = New<Dictionary>();
  qzSettingsInit = true;
}

}  // namespace qzSettingsState

using namespace qzSettingsState;

namespace {

void EnsureTable() {
  if (!qzSettingsInit) Init();
}

// Line breaks are escaped so that a value fits on one line of the file. The
// carriage return goes first, so CR LF becomes "$$13$$$$10$$".
std::string Escaped(const std::string& value) {
  if (value.find('\r') == std::string::npos && value.find('\n') == std::string::npos) return value;
  return ReplaceAll(ReplaceAll(value, Chr(13), "$$13$$"), Chr(10), "$$10$$");
}

// Dollar signs are not escaped: stored text that happens to hold "$$13$$"
// reads back as a carriage return, and "$$:_$$" as ": ".
std::string Unescaped(const std::string& stored) {
  const std::string crRestored = ReplaceAll(stored, "$$13$$", Chr(13));
  const std::string lfRestored = ReplaceAll(crRestored, "$$10$$", Chr(10));
  return ReplaceAll(lfRestored, "$$:_$$", ": ");
}

}  // namespace

std::string qzSettingsGet_String(const std::string& key) {
  EnsureTable();
  if (!qzSettingsDict->HasKey(key)) return "";
  return Unescaped(qzSettingsDict->Value(key));
}

void qzSettingsSet_String(const std::string& key, const std::string& value) {
  EnsureTable();
  qzSettingsDict->SetValue(key, Escaped(value));
}

void qzSettingsInit_String(const std::string& key, const std::string& value) {
  EnsureTable();
  if (!qzSettingsDict->HasKey(key)) qzSettingsSet_String(key, value);
}

int32_t qzSettingsGet_Integer(const std::string& key) {
  EnsureTable();
  if (!qzSettingsDict->HasKey(key)) return 0;
  return ToInt32(Val(qzSettingsDict->Value(key)));
}

void qzSettingsSet_Integer(const std::string& key, int32_t value) {
  EnsureTable();
  qzSettingsDict->SetValue(key, Str(value));
}

void qzSettingsInit_Integer(const std::string& key, int32_t value) {
  EnsureTable();
  if (!qzSettingsDict->HasKey(key)) qzSettingsSet_Integer(key, value);
}

void qzSettingsReleaseDict() {
  qzSettingsDict.Release();
}

void qzSettingsReleaseFile() {
  qzSettingsFile.Release();
}

void qzSettings_ResetForTests() {
  qzSettingsInit = false;
  qzSettingsDict.Release();
  qzSettingsFile.Release();
  qzSettingsOK = false;
}
