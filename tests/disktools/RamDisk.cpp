#include "RamDisk.h"

#include <filesystem>

#include "Tools.h"

RamDisk::RamDisk(unsigned long long sectors, const std::string& backend) {
  const Ran ran = RunProgram(Tool("hdid"), {"-nomount", "ram://" + std::to_string(sectors)}, Env({"HDID_BACKEND=" + backend}));
  if (ran.status == 0 && !ran.out.empty() && ran.out.back() == '\n') {
    path_ = ran.out.substr(0, ran.out.size() - 1);
  } else {
    error_ = "hdid exited " + std::to_string(ran.status) + ": " + ran.err;
  }
}

RamDisk::~RamDisk() {
  if (!path_.empty()) RunProgram(Tool("hdiutil"), {"detach", path_});
}

RamDisk RamDisk::Adopt(const std::string& path) {
  RamDisk disk;
  disk.path_ = path;
  return disk;
}

unsigned long long RamDisk::Bytes() const { return DeviceBytes(path_); }

unsigned long long DeviceBytes(const std::string& path) {
  const Ran ran = RunProgram("blockdev", {"--getsize64", path});
  return ran.status == 0 ? std::stoull(ran.out) : 0;
}

bool RamDisk::Freed() const {
  const std::string sysfs = "/sys/block/" + name();
  return name().rfind("zram", 0) == 0 ? !std::filesystem::exists(sysfs)
                                       : !std::filesystem::exists(sysfs + "/loop/backing_file");
}
