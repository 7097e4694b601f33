#pragma once
// Each case starts as the program does: an empty settings module, and a
// preferences folder of its own ($XDG_CONFIG_HOME in a temporary folder, not
// yet made). Message boxes are recorded instead of shown. All of it, the
// environment variable included, is put back when the case ends.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "MessageRecorder.h"
#include "TempDir.h"
#include "qzSettings.h"

inline const std::string kVersionLine = "Version: qzSettings01";
inline const std::string kInvalidPref = "Error 01: Preference file exists but is not valid";
inline const std::string kStreamFailed = "Error 02: Can't open preference file (stream failed)";
inline const std::string kWriteFailed = "Error 03: Can't write preference file";

// A file as the export writes it: the version line, the header, key lines.
inline std::string Prefs(const std::string& keyLines) {
  return kVersionLine + "\n[APPLICATION SETTINGS]\n" + keyLines;
}

class SettingsTest : public ::testing::Test {
protected:
  SettingsTest() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
    setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    qzSettings_ResetForTests();
  }
  ~SettingsTest() override {
    qzSettings_ResetForTests();
    if (oldConfig_) setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
  }

  std::filesystem::path Config() const { return dir_ / "config"; }
  std::filesystem::path PrefFile() const { return Config() / "Quillbarrow.pref"; }
  void WritePrefs(const std::string& bytes) {
    std::filesystem::create_directories(Config());
    WriteFile(PrefFile(), bytes);
  }
  std::string ReadPrefs() const { return ReadFile(PrefFile()); }

  // The program's next start: the table is gone and the file is read again.
  void Restart() {
    qzSettings_ResetForTests();
    qzSettings_Import();
  }

  std::optional<std::string> oldConfig_;
  TempDir dir_;
  MessageRecorder messages_;
};
