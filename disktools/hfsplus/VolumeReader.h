#pragma once
// Reads the name of the HFS+ volume on a device, so that it can be mounted
// under that name.

#include <string>

namespace hfsplus {

struct VolumeNameResult {
  std::u16string name;
  std::string error;  // why no name could be read; empty when one was
};

VolumeNameResult ReadVolumeName(int fd);

}  // namespace hfsplus
