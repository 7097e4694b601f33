#pragma once
// The folders the platform sets aside for a program's files.

#include "FolderItem.h"
#include "Ref.h"

namespace SpecialFolder {
// The user's preferences folder: $XDG_CONFIG_HOME, else ~/.config, on Linux;
// ~/Library/Preferences on macOS. It may not exist yet. Nil when the platform
// cannot name it.
Ref<FolderItem> Preferences();
}  // namespace SpecialFolder
