#pragma once
// Record what would be shown to the user instead of showing it, for the
// recorder's life: message boxes' texts, or the URIs handed to ShowURL.

#include <string>
#include <vector>

#include "MsgBox.h"
#include "ShowURL.h"

template <void (*SetRecorder)(std::function<void(const std::string&)>)>
struct Recorder {
  Recorder() {
    SetRecorder([this](const std::string& text) { texts.push_back(text); });
  }
  ~Recorder() { SetRecorder(nullptr); }
  Recorder(const Recorder&) = delete;

  std::vector<std::string> texts;
};

using MessageRecorder = Recorder<SetMsgBoxRecorder>;
using URLRecorder = Recorder<SetShowURLRecorder>;
