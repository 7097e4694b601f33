#pragma once
// For the disk tool benchmarks: running our hdid, newfs_hfs and hdiutil from
// the bundle, and RAM disks that are detached again whatever happens.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

// The bundle's bin/ folder, beside the bench/ folder of the build.
inline std::filesystem::path ToolFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "Quillbarrow" / "bin";
}

struct ToolRun {
  int status = -1;
  std::string output;
};

// Runs program with args (no shell) and extra "NAME=value" entries in its
// environment; standard output is kept, standard error passes through.
inline ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                       const std::vector<std::string>& extraEnv = {}) {
  std::vector<std::string> argStrings = {program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : argStrings) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings(extraEnv);
  for (char** entry = environ; *entry; ++entry) envStrings.emplace_back(*entry);
  std::vector<char*> envp;
  for (auto& entry : envStrings) envp.push_back(entry.data());
  envp.push_back(nullptr);

  int out[2];
  ToolRun run;
  if (pipe(out) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid;
  const int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = read(out[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, static_cast<size_t>(got));
  close(out[0]);
  if (spawned != 0) return run;
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

// A RAM disk made by our hdid (with backend "zram", "loop", or "" for the
// default), detached by our hdiutil when the object goes.
class BenchDisk {
public:
  BenchDisk(unsigned long long sectors, const std::string& backend) {
    const ToolRun run = RunTool((ToolFolder() / "hdid").string(), {"-nomount", "ram://" + std::to_string(sectors)},
                                {"HDID_BACKEND=" + backend});
    if (run.status == 0) path_ = run.output.substr(0, run.output.find('\n'));
  }
  ~BenchDisk() {
    if (!path_.empty()) RunTool((ToolFolder() / "hdiutil").string(), {"detach", path_});
  }
  BenchDisk(const BenchDisk&) = delete;
  BenchDisk& operator=(const BenchDisk&) = delete;

  const std::string& path() const { return path_; }  // empty when none could be made

private:
  std::string path_;
};

// Why the disk benchmarks can't run here; empty when they can.
inline std::string WhyNotHere() {
  if (geteuid() != 0) return "they need root to make block devices";
  if (!std::filesystem::exists(ToolFolder() / "hdid")) return "the disk tools are not built";
  return {};
}
