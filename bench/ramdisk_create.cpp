// qzRamDisk::Create with disk tools that exit at once, against running the
// same three command lines through bare posix_spawn of /bin/sh -c: what is
// left is our own overhead (quoting, the environment, reading the output).
// Plain "/bin/sh -c true" runs are shown for scale.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Measure.h"
#include "MsgBox.h"
#include "qzRamDisk.h"

extern char** environ;

namespace {

void BareShell(const char* command) {
  char shell[] = "/bin/sh", flag[] = "-c";
  std::string line = command;
  char* argv[] = {shell, flag, line.data(), nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const int spawned = posix_spawn(&pid, "/bin/sh", &quiet, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned == 0) {
    int status;
    waitpid(pid, &status, 0);
  }
}

void WriteTool(const std::filesystem::path& file, const std::string& body) {
  std::ofstream(file) << "#!/bin/sh\n" << body;
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / ("qb-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  WriteTool(dir / "hdid", "echo /dev/bench0\n");
  WriteTool(dir / "newfs_hfs", "exit 0\n");
  WriteTool(dir / "hdiutil", "printf '/dev/bench0\\tApple_HFS\\t/Volumes/Bench\\n'\n");
  setenv("PATH", (dir.string() + ":" + std::getenv("PATH")).c_str(), 1);
  SetMsgBoxRecorder([](const std::string& text) { std::fprintf(stderr, "unexpected message: %s\n", text.c_str()); });

  const int rounds = 300;
  const auto [create, same] = MedianSecondsInterleaved(
      rounds,
      [] {
        qzRamDisk disk;
        disk.Create(52428800, "Bench Disk");
      },
      [] {
        BareShell("hdid -nomount ram://102400");
        BareShell("newfs_hfs -v 'Bench Disk' '/dev/bench0'");
        BareShell("hdiutil mountvol '/dev/bench0' | grep dev");
      });
  const double trueRuns = MedianSeconds(rounds, [] {
    for (int i = 0; i < 3; ++i) BareShell("true");
  });
  std::filesystem::remove_all(dir);

  std::printf("%-60s %9.3f ms (for scale)\n", "three bare /bin/sh -c true runs", trueRuns * 1e3);
  const bool ok = Report("Create vs the same three command lines, bare", create, same, 1.10);
  return ok ? 0 : 1;
}
