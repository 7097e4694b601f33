#include "Tools.h"

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "Shell.h"

std::string Tool(const std::string& name) {
  return BundleBin() + "/" + name;
}

Started::Started(const std::string& program, const std::vector<std::string>& args, const RunOptions& options) {
  std::string command = "exec env";
  for (const std::string& entry : options.env) command += " " + ShellQuote(entry);
  if (const passwd* user = options.user.empty() ? nullptr : getpwnam(options.user.c_str()))
    command += " setpriv --reuid=" + options.user + " --regid=" + std::to_string(user->pw_gid) +
               " --init-groups --inh-caps=-all --";
  command += " " + ShellQuote(program);
  for (const std::string& arg : args) command += " " + ShellQuote(arg);
  // Files rather than pipes: nothing to drain while the program runs. The
  // folder is open to anyone, for runs without root's rights.
  std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
  command += " </dev/null >" + ShellQuote((dir_ / "out").string()) + " 2>" + ShellQuote((dir_ / "err").string());
  // The shell execs the program in its place: pid() is the program's.
  pid_ = fork();
  if (pid_ == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

Started::~Started() {
  if (!waited_) Wait();
}

Ran Started::Wait() {
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  waited_ = true;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadFile(dir_ / "out"),
          ReadFile(dir_ / "err")};
}

Ran RunProgram(const std::string& program, const std::vector<std::string>& args, const RunOptions& options) {
  return Started(program, args, options).Wait();
}

bool Within5s(const std::function<bool()>& done) {
  for (int tries = 0; tries < 500; ++tries, usleep(10000))
    if (done()) return true;
  return false;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

Ran Sh(const std::string& script) {
  return RunProgram("/bin/sh", {"-c", script});
}

Ran InOwnMountNamespace(const std::string& script) {
  if (geteuid() != 0) return {77, "needs root to make a mount namespace\n", ""};
  // unshare makes / private itself only where / is a mount point, which it is
  // not in a plain chroot; there / is a folder of a mount that may be shared
  // with the machine's namespace, so a mount made on it would appear there
  // too. Every mount in sight is made private, / is bound onto a folder of the
  // now private /proc and made private too, and the script runs inside that.
  const char* const kPrivate = R"sh(
    [ -r /proc/self/mountinfo ] || { echo "needs /proc, to see its mounts"; exit 77; }
    if grep -q '^[^ ]* [^ ]* [^ ]* [^ ]* / ' /proc/self/mountinfo; then
      mount --make-rprivate / || { echo "can't make the mounts private"; exit 77; }
      exec /bin/sh -c "$0"
    fi
    set -f
    for point in $(cut -d' ' -f5 /proc/self/mountinfo); do
      mount --make-private "$(printf '%b' "$point")" || { echo "can't make $point private"; exit 77; }
    done
    mount --rbind / /proc/driver && mount --make-rprivate /proc/driver ||
      { echo "can't bind / where it would be a private mount"; exit 77; }
    exec chroot /proc/driver /bin/sh -c "$0")sh";
  const Ran probe = RunProgram("unshare", {"--mount", "--propagation", "unchanged", "true"});
  if (probe.status != 0) return {77, "can't make a mount namespace: " + probe.err, ""};
  return RunProgram("unshare", {"--mount", "--propagation", "unchanged", "/bin/sh", "-c", kPrivate, script});
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

std::optional<std::string> FshfsinfoName(const std::string& volume) {
  const std::string label = "\tName\t\t\t\t: ";
  const Ran ran = RunProgram("fshfsinfo", {volume});
  const auto at = ran.out.find(label);
  if (ran.status != 0 || at == std::string::npos) return std::nullopt;
  return ran.out.substr(at + label.size(), ran.out.find('\n', at) - at - label.size());
}
