#pragma once
// The standard editing commands of the Edit menu's items, found by the item's
// name (EditUndo, EditCut, EditCopy, EditPaste, EditClear, EditSelectAll) and
// performed on the text field that has the keyboard focus. For the framework only.

#include <string>

bool IsEditCommand(const std::string& name);
// True when a text field has the focus, so that the commands have a target.
bool HasEditTarget();
// Does nothing when no text field has the focus.
void RunEditCommand(const std::string& name);
