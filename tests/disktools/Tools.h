#pragma once
// Running our disk tools and other programs as a user's shell would, what
// this machine offers the disk tests, and what fshfsinfo reads of a volume.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BuildDir.h"
#include "TempDir.h"

struct Ran {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out;
  std::string err;
};

// Our hdid, newfs_hfs or hdiutil.
std::string Tool(const std::string& name);

struct RunOptions {
  std::vector<std::string> env = {};  // "NAME=value" entries added to ours
  std::string user = {};              // run as this user, with their primary group, without root's rights
};

// A program started in the background, for another process to meet
// half-way; waited for when the object goes.
class Started {
 public:
  Started(const std::string& program, const std::vector<std::string>& args, const RunOptions& options = {});
  ~Started();
  Started(const Started&) = delete;
  pid_t pid() const { return pid_; }
  Ran Wait();

 private:
  TempDir dir_;
  pid_t pid_ = -1;
  bool waited_ = false;
};

Ran RunProgram(const std::string& program, const std::vector<std::string>& args, const RunOptions& options = {});
Ran Sh(const std::string& script);
// Runs /bin/sh -c script as root in a mount namespace of its own, whose mounts
// no other namespace sees; status 77, and why on standard output, where this
// machine can't give it one.
Ran InOwnMountNamespace(const std::string& script);
// Whether done() comes true within 5 seconds of asking again and again.
bool Within5s(const std::function<bool()>& done);
// text without the white space at its end.
std::string Trimmed(std::string text);

// Why the machine can't make RAM disks of backend ("zram", "loop", or "" for
// either): empty when it can.
std::string WhyNoRamDisks(const std::string& backend = "");
// Whether the running kernel mounts HFS+.
bool KernelHasHfsPlus();

// The volume name that fshfsinfo (libfshfs) reports; nothing when it can't read it.
std::optional<std::string> FshfsinfoName(const std::string& volume);

#define SKIP_WITHOUT_RAM_DISKS(backend)                                                    \
  do {                                                                                     \
    if (const std::string why = WhyNoRamDisks(backend); !why.empty()) GTEST_SKIP() << why; \
  } while (0)
