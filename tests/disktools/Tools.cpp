#include "Tools.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

#include "TempDir.h"

extern char** environ;

std::string BundleBin() {
  if (const char* build = std::getenv("QB_BUILD_DIR"); build && *build) return std::string(build) + "/Quillbarrow/bin";
  // Without it: this test program sits in <build>/tests/disktools.
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().parent_path() / "Quillbarrow" /
          "bin")
      .string();
}

std::string Tool(const std::string& name) {
  return BundleBin() + "/" + name;
}

RunOptions Env(std::vector<std::string> entries) {
  RunOptions options;
  options.env = std::move(entries);
  return options;
}

RunOptions AsUser(const std::string& name) {
  RunOptions options;
  options.user = name;
  return options;
}

Ran RunProgram(const std::string& program, const std::vector<std::string>& args, const RunOptions& options) {
  TempDir dir;
  std::vector<std::string> argStrings;
  if (const passwd* user = options.user.empty() ? nullptr : getpwnam(options.user.c_str()))
    argStrings = {"setpriv", "--reuid=" + options.user, "--regid=" + std::to_string(user->pw_gid), "--init-groups",
                  "--inh-caps=-all", "--"};
  argStrings.push_back(program);
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : argStrings) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings(options.env);
  for (char** entry = environ; *entry; ++entry) envStrings.emplace_back(*entry);
  std::vector<char*> envp;
  for (auto& entry : envStrings) envp.push_back(entry.data());
  envp.push_back(nullptr);

  // Files rather than pipes: nothing to drain while the program runs. The
  // folder is readable by anyone, for runs without root rights.
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (dir / "out").c_str(), O_WRONLY | O_CREAT, 0666);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (dir / "err").c_str(), O_WRONLY | O_CREAT, 0666);
  pid_t pid;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  Ran ran;
  if (spawned != 0) {
    ran.err = "could not start " + argStrings[0];
    return ran;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  ran.out = ReadFile(dir / "out");
  ran.err = ReadFile(dir / "err");
  return ran;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

Ran Sh(const std::string& script) {
  return RunProgram("/bin/sh", {"-c", script});
}

std::string WhyNoRamDisks(const std::string& backend) {
  if (geteuid() != 0) return "needs root: only root may make block devices";
  const bool zram = std::filesystem::exists("/sys/class/zram-control/hot_add");
  const bool loop = std::filesystem::exists("/dev/loop-control");
  if (backend == "zram" && !zram) return "this kernel has no zram (no /sys/class/zram-control)";
  if (backend == "loop" && !loop) return "this kernel has no loop devices (no /dev/loop-control)";
  if (!zram && !loop) return "this kernel has neither zram nor loop devices";
  return {};
}

bool KernelHasHfsPlus() {
  Sh("modprobe hfsplus 2>/dev/null");
  return ReadFile("/proc/filesystems").find("\thfsplus\n") != std::string::npos;
}
