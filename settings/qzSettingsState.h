#pragma once
// The module's own variables, shared by its source files and by nothing else.

#include "Dictionary.h"
#include "FolderItem.h"
#include "Ref.h"

namespace qzSettingsState {

// The table has been created.
extern bool qzSettingsInit;
// Key to value, the value in stored form.
extern Ref<Dictionary> qzSettingsDict;
// The preferences file, once the import has named it.
extern Ref<FolderItem> qzSettingsFile;
// The file was absent or has been read to its end: the export may write it.
extern bool qzSettingsOK;

// Makes a new empty table.
void Init();

}  // namespace qzSettingsState
