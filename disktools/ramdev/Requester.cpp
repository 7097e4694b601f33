#include "Requester.h"

#include <pwd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::optional<unsigned> IdFrom(const char* text) {
  if (!text || *text < '0' || *text > '9') return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(text, &end, 10);
  // (uid_t)-1 means "no change" to the kernel and is nobody's number.
  if (errno != 0 || *end || value >= 0xFFFFFFFFul) return std::nullopt;
  return static_cast<unsigned>(value);
}

}  // namespace

std::optional<User> Requester(std::string& error) {
  // pkexec clears the environment it was given, so no SUDO_UID passes it.
  if (const char* pkexec = std::getenv("PKEXEC_UID")) {
    const auto user = IdFrom(pkexec);
    const passwd* entry = user ? getpwuid(*user) : nullptr;
    if (!entry) {
      error = std::string("PKEXEC_UID ") + pkexec + " is no user of this system";
      return std::nullopt;
    }
    return User{entry->pw_uid, entry->pw_gid};
  }
  const char* uid = std::getenv("SUDO_UID");
  const char* gid = std::getenv("SUDO_GID");
  if (!uid && !gid) return User{};
  const auto user = IdFrom(uid);
  const auto group = IdFrom(gid);
  if (!user || !group) {
    error = "SUDO_UID and SUDO_GID do not name a user and a group";
    return std::nullopt;
  }
  return User{*user, *group};
}
