#include "FakeTools.h"

#include <sstream>

const char* const kScript = R"SH(#!/bin/sh
dir=${0%/*}
tool=${0##*/}
printf '%s\0' "$#" "$tool" "$@" >> "$dir/calls"
answer="$dir/$tool"
if [ -n "$1" ] && [ -f "$dir/$tool.$1.status" ]; then answer="$dir/$tool.$1"; fi
cat "$answer.out" 2>/dev/null
exit "$(cat "$answer.status" 2>/dev/null || echo 0)"
)SH";

FakeTools::FakeTools() {
  for (const char* tool : {"hdid", "newfs_hfs", "hdiutil"}) {
    WriteFile(dir_ / tool, kScript);
    std::filesystem::permissions(dir_ / tool, std::filesystem::perms::owner_all);
  }
  Answer("hdid", "/dev/fake0\n", 0);
  Answer("hdiutil", "/dev/fake0\tApple_HFS\t/Volumes/Fake\n", 0, "mountvol");
  setenv("PATH", (dir_.path().string() + ":" + oldPath_).c_str(), 1);
}

void FakeTools::Answer(const std::string& tool, const std::string& output, int status, const std::string& subcommand) {
  const std::string base = subcommand.empty() ? tool : tool + "." + subcommand;
  WriteFile(dir_ / (base + ".out"), output);
  WriteFile(dir_ / (base + ".status"), std::to_string(status) + "\n");
}

// Each call is recorded as its number of arguments, the tool's name, then the
// arguments, each ended by a NUL: any byte but NUL may stand in an argument.
std::vector<std::vector<std::string>> FakeTools::Calls() const {
  std::vector<std::vector<std::string>> calls;
  std::istringstream in(ReadFile(dir_ / "calls"));
  for (std::string count; std::getline(in, count, '\0');) {
    std::vector<std::string>& call = calls.emplace_back();
    for (int i = 0; i <= std::stoi(count); ++i) std::getline(in, call.emplace_back(), '\0');
  }
  return calls;
}
