#include "RamDisk.h"

#include "TempDir.h"
#include "Tools.h"

namespace {

// hdid's record of the device, but for the mount line, which hdiutil changes.
std::string Record(const std::string& path) {
  std::string text = ReadFile("/run/quillbarrow/" + path.substr(path.rfind('/') + 1));
  return text.substr(0, text.find("\nmount "));
}

}  // namespace

RamDisk::RamDisk(unsigned long long sectors, const std::string& backend) {
  const Ran ran =
      RunProgram(Tool("hdid"), {"-nomount", "ram://" + std::to_string(sectors)}, {.env = {"HDID_BACKEND=" + backend}});
  if (ran.status == 0) {
    path_ = Trimmed(ran.out);
    record_ = Record(path_);
  } else {
    error_ = "hdid exited " + std::to_string(ran.status) + ": " + ran.err;
  }
}

RamDisk::RamDisk(RamDisk&& other) noexcept
    : path_(std::move(other.path_)), error_(std::move(other.error_)), record_(std::move(other.record_)) {
  other.path_.clear();
}

RamDisk::~RamDisk() {
  if (!path_.empty() && !Freed()) Detach();
}

std::string RamDisk::name() const {
  return path_.substr(path_.rfind('/') + 1);
}

std::string RamDisk::backingFile() const {
  const auto at = record_.find("\nbacking ");
  return at == std::string::npos ? "" : record_.substr(at + 9, record_.find('\n', at + 1) - at - 9);
}

bool RamDisk::Freed() const {
  return record_.empty() || Record(path_) != record_;
}

int RamDisk::Detach(std::string* message) {
  const Ran ran = RunProgram(Tool("hdiutil"), {"detach", path_});
  if (message) *message = ran.err;
  if (ran.status == 0) path_.clear();
  return ran.status;
}

unsigned long long RamDisk::Bytes() const {
  const Ran ran = RunProgram("blockdev", {"--getsize64", path_});
  return ran.status == 0 ? std::stoull(ran.out) : 0;
}
