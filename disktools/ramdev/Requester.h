#pragma once
// The user the disk tools work for. They run as root, started by that user
// through pkexec or sudo; the disk is theirs, not root's.

#include <sys/types.h>

#include <optional>
#include <string>

struct User {
  uid_t uid = 0;
  gid_t gid = 0;
};

// The user pkexec names (PKEXEC_UID, with that user's primary group), else
// the one sudo names (SUDO_UID, SUDO_GID); root when nobody is named.
// Nothing, with why in error, when the names can't be trusted. Asked only
// once RunAsRoot has found the real user root, who alone sets these.
std::optional<User> Requester(std::string& error);
