#pragma once
// A RAM disk made by hdid for one test and detached by hdiutil when it ends.
// The kernel gives a freed device's number to the next one made, perhaps by
// another test: only while hdid's record is still this disk's is it detached.

#include <string>

#include "TempDir.h"
#include "Tools.h"

class RamDisk {
 public:
  // backend: "zram", "loop", or "" for hdid's choice.
  explicit RamDisk(unsigned long long sectors, const std::string& backend = "") {
    const Ran ran = RunProgram(Tool("hdid"), {"-nomount", "ram://" + std::to_string(sectors)},
                               {.env = {"HDID_BACKEND=" + backend}});
    path_ = ran.status == 0 ? Trimmed(ran.out) : "";
    error_ = "hdid exited " + std::to_string(ran.status) + ": " + ran.err;
    record_ = path_.empty() ? "" : Record();
  }
  RamDisk(RamDisk&& other) noexcept : path_(other.path_), error_(other.error_), record_(other.record_) {
    other.path_.clear();
  }
  ~RamDisk() {
    if (!path_.empty() && !Freed()) Detach();
  }

  const std::string& path() const { return path_; }                        // empty when hdid failed or once detached
  const std::string& error() const { return error_; }                      // hdid's message then
  std::string name() const { return path_.substr(path_.rfind('/') + 1); }  // "zram3", "loop5"
  unsigned long long Bytes() const { return std::stoull("0" + Sh("blockdev --getsize64 " + path_).out); }
  // A line of hdid's record as it was when made: "uid", "backing-inode"...
  std::string Field(const std::string& key) const {
    const auto at = record_.find("\n" + key + " ");
    return at == std::string::npos
               ? ""
               : record_.substr(at + key.size() + 2, record_.find('\n', at + 1) - at - key.size() - 2);
  }
  // Runs hdiutil detach: its exit status. The object lets go of the device
  // when it succeeds.
  int Detach(std::string* message = nullptr) {
    const Ran ran = RunProgram(Tool("hdiutil"), {"detach", path_});
    if (message) *message = ran.err;
    if (ran.status == 0) path_.clear();
    return ran.status;
  }
  // Whether the device this object made is gone or detached, whatever has its number now.
  bool Freed() const { return path_.empty() || Record() != record_; }

 private:
  // hdid's record of the device, but for the mount line, which hdiutil changes.
  std::string Record() const {
    const std::string text = ReadFile("/run/quillbarrow/" + name());
    return text.substr(0, text.find("\nmount "));
  }

  std::string path_, error_;
  std::string record_;  // as it was when made
};
