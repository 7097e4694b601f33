#pragma once
// Fake hdid, newfs_hfs and hdiutil, written into a temporary folder that is put first in PATH for the object's
// life. Each records its exact argument vector and answers with the output and exit status the test chose.

#include <cstdlib>
#include <string>
#include <vector>

#include "TempDir.h"

class FakeTools {
 public:
  // Defaults: hdid prints "/dev/fake0"; newfs_hfs prints nothing; "hdiutil mountvol" prints a device line whose
  // third field is "/Volumes/Fake"; every tool exits 0.
  FakeTools();
  ~FakeTools() { setenv("PATH", oldPath_.c_str(), 1); }

  // What tool prints and its exit status; subcommand narrows it to calls
  // whose first argument is that word (hdiutil's mountvol or detach).
  void Answer(const std::string& tool, const std::string& output, int status, const std::string& subcommand = "");

  // Every call so far, oldest first: the tool's name, then its arguments.
  std::vector<std::vector<std::string>> Calls() const;
  void ClearCalls() { WriteFile(dir_ / "calls", ""); }
  const std::filesystem::path& folder() const { return dir_.path(); }

 private:
  TempDir dir_;
  std::string oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
};
