#include "FakeTools.h"

#include <cstdlib>
#include <sstream>

namespace {

const char* kScript = R"SH(#!/bin/sh
dir='@DIR@'
tool=${0##*/}
n=$(( $(cat "$dir/count") + 1 ))
echo "$n" > "$dir/count"
printf '%s\0' "$tool" "$@" > "$dir/call.$n"
answer="$dir/$tool"
if [ -n "$1" ] && [ -f "$dir/$tool.$1.status" ]; then answer="$dir/$tool.$1"; fi
if [ -f "$answer.out" ]; then cat "$answer.out"; fi
if [ -f "$dir/$tool.signal" ]; then kill -"$(cat "$dir/$tool.signal")" $$; fi
exit "$(cat "$answer.status")"
)SH";

}  // namespace

FakeTools::FakeTools() {
  std::string script = kScript;
  script.replace(script.find("@DIR@"), 5, dir_.path().string());
  for (const char* tool : {"hdid", "newfs_hfs", "hdiutil"}) {
    const auto file = dir_ / tool;
    WriteFile(file, script);
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    Answer(tool, "", 0);
  }
  Answer("hdid", "/dev/fake0\n", 0);
  Answer("hdiutil", "/dev/fake0\tApple_HFS\t/Volumes/Fake\n", 0, "mountvol");
  Answer("hdiutil", "", 0, "detach");
  ClearCalls();
  const char* path = std::getenv("PATH");
  oldPath_ = path ? path : "/usr/bin:/bin";
  setenv("PATH", (dir_.path().string() + ":" + oldPath_).c_str(), 1);
}

FakeTools::~FakeTools() { setenv("PATH", oldPath_.c_str(), 1); }

void FakeTools::Answer(const std::string& tool, const std::string& output, int status, const std::string& subcommand) {
  const std::string base = subcommand.empty() ? tool : tool + "." + subcommand;
  WriteFile(dir_ / (base + ".out"), output);
  WriteFile(dir_ / (base + ".status"), std::to_string(status) + "\n");
}

void FakeTools::KillWith(const std::string& tool, int signal) {
  WriteFile(dir_ / (tool + ".signal"), std::to_string(signal) + "\n");
}

std::vector<std::vector<std::string>> FakeTools::Calls() const {
  std::vector<std::vector<std::string>> calls;
  const int count = std::atoi(ReadFile(dir_ / "count").c_str());
  for (int n = 1; n <= count; ++n) {
    std::istringstream in(ReadFile(dir_ / ("call." + std::to_string(n))));
    std::vector<std::string> args;
    for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
    calls.push_back(std::move(args));
  }
  return calls;
}

// Calls() reads only as many call files as the count names: older ones are
// simply overwritten.
void FakeTools::ClearCalls() { WriteFile(dir_ / "count", "0\n"); }
