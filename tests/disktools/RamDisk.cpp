#include "RamDisk.h"

#include <sys/stat.h>

#include "TempDir.h"
#include "Tools.h"

namespace {

unsigned long long SysfsInode(const std::string& name) {
  struct stat info {};
  return stat(("/sys/block/" + name + "/").c_str(), &info) == 0 ? info.st_ino : 0;
}

std::string BackingFile(const std::string& name) {
  return Trimmed(ReadFile("/sys/block/" + name + "/loop/backing_file"));
}

}  // namespace

RamDisk::RamDisk(unsigned long long sectors, const std::string& backend) {
  const Ran ran =
      RunProgram(Tool("hdid"), {"-nomount", "ram://" + std::to_string(sectors)}, Env({"HDID_BACKEND=" + backend}));
  if (ran.status == 0 && !ran.out.empty() && ran.out.back() == '\n') {
    path_ = ran.out.substr(0, ran.out.size() - 1);
    Remember();
  } else {
    error_ = "hdid exited " + std::to_string(ran.status) + ": " + ran.err;
  }
}

RamDisk::RamDisk(RamDisk&& other) noexcept
    : path_(std::move(other.path_)),
      error_(std::move(other.error_)),
      name_(std::move(other.name_)),
      backing_(std::move(other.backing_)),
      id_(other.id_) {
  other.path_.clear();
}

RamDisk::~RamDisk() {
  if (!path_.empty() && StillOurs()) Detach();
}

RamDisk RamDisk::Adopt(const std::string& path) {
  RamDisk disk;
  disk.path_ = path;
  disk.Remember();
  return disk;
}

void RamDisk::Remember() {
  name_ = path_.substr(path_.rfind('/') + 1);
  if (name_.rfind("zram", 0) == 0) {
    id_ = SysfsInode(name_);
  } else {
    backing_ = BackingFile(name_);
  }
}

bool RamDisk::StillOurs() const {
  return name_.rfind("zram", 0) == 0 ? SysfsInode(name_) == id_ : BackingFile(name_) == backing_;
}

bool RamDisk::Freed() const {
  return !StillOurs();
}

int RamDisk::Detach(std::string* message) {
  const Ran ran = RunProgram(Tool("hdiutil"), {"detach", path_});
  if (message) *message = ran.err;
  if (ran.status == 0) path_.clear();
  return ran.status;
}

unsigned long long RamDisk::Bytes() const {
  return DeviceBytes(path_);
}

unsigned long long DeviceBytes(const std::string& path) {
  const Ran ran = RunProgram("blockdev", {"--getsize64", path});
  return ran.status == 0 ? std::stoull(ran.out) : 0;
}
