#include "Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "KernelFiles.h"

namespace {

const char* kRecordFolder = "/run/quillbarrow";
const char* kLockFile = "/run/quillbarrow/lock";

// Made by root where only root may write; but /run is not always cleared at
// boot, so whatever is there is checked rather than trusted.
std::string PrepareRecordFolder() {
  if (mkdir(kRecordFolder, 0700) != 0 && errno != EEXIST)
    return std::string("can't make ") + kRecordFolder + ": " + std::strerror(errno);
  const int fd = open(kRecordFolder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::string("can't use ") + kRecordFolder + ": " + std::strerror(errno);
  struct stat info {};
  const bool ours = fstat(fd, &info) == 0 && info.st_uid == 0 && (info.st_mode & 077) == 0;
  close(fd);
  return ours ? std::string() : std::string(kRecordFolder) + " is not a folder that only root can use";
}

bool ValidName(const std::string& name) {
  return !name.empty() && name.size() < 32 &&
         name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") == std::string::npos;
}

bool ValidBoot(const std::string& boot) {
  return boot.size() == 36 && boot.find_first_not_of("0123456789abcdef-") == std::string::npos;
}

std::string RecordPath(const std::string& name) {
  return std::string(kRecordFolder) + "/" + name;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& out) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 20) return false;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (errno != 0 || value != static_cast<Number>(value)) return false;
  out = static_cast<Number>(value);
  return true;
}

// One "key value" line each; nothing for a text that is not a whole record.
std::string RecordText(const DeviceRecord& record) {
  std::ostringstream text;
  text << "name " << record.name << "\nbackend " << BackendName(record.backend) << "\ndevice " << record.device
       << "\nbacking-device " << record.backingDevice << "\nbacking-inode " << record.backingInode << "\nsysfs-inode "
       << record.sysfsInode << "\nuid " << record.uid << "\ngid " << record.gid << "\nboot " << record.boot
       << "\nmount " << record.mountFolder << "\n";
  return text.str();
}

std::optional<DeviceRecord> ParseRecord(const std::string& text) {
  std::map<std::string, std::string> fields;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const auto blank = line.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    fields[line.substr(0, blank)] = line.substr(blank + 1);
  }
  DeviceRecord record;
  const auto backend = BackendFromName(fields["backend"]);
  if (fields.size() != 10 || !ValidName(fields["name"]) || !backend || !ParseNumber(fields["device"], record.device) ||
      !ParseNumber(fields["backing-device"], record.backingDevice) ||
      !ParseNumber(fields["backing-inode"], record.backingInode) ||
      !ParseNumber(fields["sysfs-inode"], record.sysfsInode) || !ParseNumber(fields["uid"], record.uid) ||
      !ParseNumber(fields["gid"], record.gid) || !ValidBoot(fields["boot"]))
    return std::nullopt;
  record.name = fields["name"];
  record.backend = *backend;
  record.boot = fields["boot"];
  record.mountFolder = fields["mount"];
  return record;
}

void RemoveRecord(const std::string& name) {
  if (ValidName(name)) unlink(RecordPath(name).c_str());
}

}  // namespace

std::string LockRecords() {
  if (std::string why = PrepareRecordFolder(); !why.empty()) return why;
  // Never closed: the lock goes when the process does, however it ends.
  const int fd = open(kLockFile, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return std::string("can't open ") + kLockFile + ": " + std::strerror(errno);
  while (flock(fd, LOCK_EX) != 0)
    if (errno != EINTR) return std::string("can't lock ") + kLockFile + ": " + std::strerror(errno);
  return {};
}

std::string CurrentBoot() {
  const std::string boot = ReadKernelFile("/proc/sys/kernel/random/boot_id").value_or("");
  return ValidBoot(boot) ? boot : std::string();
}

bool SameDevice(const DeviceRecord& a, const DeviceRecord& b) {
  return a.name == b.name && a.backend == b.backend && a.device == b.device && a.backingDevice == b.backingDevice &&
         a.backingInode == b.backingInode && a.sysfsInode == b.sysfsInode;
}

std::string SaveRecord(const DeviceRecord& record) {
  if (!ValidName(record.name)) return "no device name to record";
  if (!ValidBoot(record.boot)) return "no boot to record the device in";
  if (std::string why = PrepareRecordFolder(); !why.empty()) return why;
  // Written aside and renamed, so a record is never seen half written.
  const std::string path = RecordPath(record.name);
  const std::string partial = path + ".new";
  unlink(partial.c_str());
  const int fd = open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return "can't write " + partial + ": " + std::strerror(errno);
  const std::string text = RecordText(record);
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && fsync(fd) == 0;
  const int error = errno;
  close(fd);
  if (!written || rename(partial.c_str(), path.c_str()) != 0) {
    unlink(partial.c_str());
    return "can't write " + path + ": " + std::strerror(written ? errno : error);
  }
  return {};
}

std::optional<DeviceRecord> LoadRecord(const std::string& name) {
  if (!ValidName(name) || !PrepareRecordFolder().empty()) return std::nullopt;
  const auto text = ReadKernelFile(RecordPath(name));
  if (!text) return std::nullopt;
  auto record = ParseRecord(*text + "\n");
  if (record && record->name != name) return std::nullopt;
  // Another boot's record names a device that is gone, whatever has its
  // number now; so does one that can't be read.
  if (!record || record->boot != CurrentBoot()) {
    RemoveRecord(name);
    return std::nullopt;
  }
  return record;
}

void ForgetRecord(const DeviceRecord& expected) {
  const auto text = ReadKernelFile(RecordPath(expected.name));
  const auto onFile = text ? ParseRecord(*text + "\n") : std::nullopt;
  if (onFile && SameDevice(*onFile, expected) && onFile->boot == expected.boot) RemoveRecord(expected.name);
}
