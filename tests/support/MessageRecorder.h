#pragma once
// Records the texts of message boxes instead of showing them, for its life.

#include <string>
#include <vector>

#include "MsgBox.h"

class MessageRecorder {
public:
  MessageRecorder() {
    SetMsgBoxRecorder([this](const std::string& text) { texts.push_back(text); });
  }
  ~MessageRecorder() { SetMsgBoxRecorder(nullptr); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  std::vector<std::string> texts;
};
