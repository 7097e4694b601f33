#pragma once
// Where the program's bundle lies: the executable in bin/, its resources in
// Resources/ beside that folder.

#include <string>

#include "FolderItem.h"
#include "Ref.h"

// The folder that holds the running executable; empty when it cannot be told.
std::string ExecutableFolder();
// The bundle's "Resources" folder in the parent of the executable's folder;
// empty when the executable's folder cannot be told.
std::string ResourcesFolder();
// The same folder as an item; nil when it is not there (or cannot be told).
Ref<FolderItem> GetApplicationBundleResources();
