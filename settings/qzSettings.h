#pragma once
// The settings store: one process-wide table of named settings, held as text
// (strings with their line breaks escaped, integers as decimal text), read
// from the preferences file "Quillbarrow.pref" at start and written back at
// quit. Every function creates the empty table on first use.

#include <cstdint>
#include <string>

// The table: any key may be read as a string or as an integer, whichever
// function stored it. Keys are used exactly as given.

// The value of key with its line breaks restored; empty when key is absent.
std::string qzSettingsGet_String(const std::string& key);
void qzSettingsSet_String(const std::string& key, const std::string& value);
// Stores value only when key is absent; a present key keeps its value.
void qzSettingsInit_String(const std::string& key, const std::string& value);
// The stored text of key read as a number and saturated to 32 bits: "12abc"
// gives 12, "1e10" 2147483647, "abc" and an absent key 0.
int32_t qzSettingsGet_Integer(const std::string& key);
void qzSettingsSet_Integer(const std::string& key, int32_t value);
// Stores value only when key is absent.
void qzSettingsInit_Integer(const std::string& key, int32_t value);

// The preferences file.

// Adds the settings of the preferences file to the table. A file that is not
// valid or cannot be read is reported in a message box and is then left
// alone for the whole run: the export writes nothing.
void qzSettings_Import();
// Replaces the preferences file with the whole table, making its folder when
// missing. When the file cannot be written the old one stays as it was and
// the user is told.
void qzSettings_Export();

// The messages, in the user's language.
std::string ErrorInvalidPref();
std::string ErrorStreamFailed();
std::string ErrorWriteFailed();

// End of run, in this order: the table, then the file reference. Using the
// table after its release raises NilObjectException.
void qzSettingsReleaseDict();
void qzSettingsReleaseFile();

// For tests only: puts the module back as it is at program start (no table,
// no file reference, nothing read), so that one case can import afresh.
void qzSettings_ResetForTests();
