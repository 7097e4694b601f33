#pragma once
// Record what would be shown to the user, message boxes' texts and the URIs
// handed to ShowURL, instead of showing it, for the recorder's life.

#include <string>
#include <vector>

#include "MsgBox.h"
#include "ShowURL.h"

struct MessageRecorder {
  MessageRecorder() {
    SetMsgBoxRecorder([this](const std::string& text) { texts.push_back(text); });
  }
  ~MessageRecorder() { SetMsgBoxRecorder(nullptr); }
  MessageRecorder(const MessageRecorder&) = delete;

  std::vector<std::string> texts;
};

struct URLRecorder {
  URLRecorder() {
    SetShowURLRecorder([this](const std::string& uri) { uris.push_back(uri); });
  }
  ~URLRecorder() { SetShowURLRecorder(nullptr); }
  URLRecorder(const URLRecorder&) = delete;

  std::vector<std::string> uris;
};
