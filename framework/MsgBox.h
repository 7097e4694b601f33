#pragma once
// A modal message box with one text and an OK button.

#include <functional>
#include <string>

void MsgBox(const std::string& text);

// The one seam for tests: while a recorder is set, MsgBox hands it the text
// instead of showing a box. Pass nullptr to go back to the real box.
void SetMsgBoxRecorder(std::function<void(const std::string&)> recorder);
