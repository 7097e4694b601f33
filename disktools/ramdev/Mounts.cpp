#include "Mounts.h"

#include <sys/sysmacros.h>

#include <sstream>

#include "KernelFiles.h"

namespace {

// mountinfo writes blank, TAB, newline and backslash as \ and three octal digits.
std::string Unescape(const std::string& field) {
  const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2]) &&
        isOctal(field[i + 3])) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> MountPointsIn(const std::string& mountinfo, dev_t device) {
  const std::string wanted = std::to_string(major(device)) + ":" + std::to_string(minor(device));
  std::vector<std::string> points;
  std::istringstream lines(mountinfo);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string id, parent, numbers, root, point;
    if (fields >> id >> parent >> numbers >> root >> point && numbers == wanted) points.push_back(Unescape(point));
  }
  return points;
}

std::vector<std::string> MountPointsOf(dev_t device) {
  return MountPointsIn(ReadKernelFile("/proc/self/mountinfo").value_or(""), device);
}
