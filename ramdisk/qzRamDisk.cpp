#include "qzRamDisk.h"

#include "MsgBox.h"
#include "Shell.h"
#include "Strings.h"

namespace {
constexpr double kMinimumBytes = 1048576.0;
constexpr double kBlockBytes = 512.0;
}  // namespace

bool qzRamDisk::Create(uint32_t sizeBytes, const std::string& volumeName) {
  if (DiskMounted) return false;

  Shell shell;
  const uint32_t byteCount = ToUInt32(Max(static_cast<double>(sizeBytes), kMinimumBytes));
  myBlockSize = ToUInt32(Round(static_cast<double>(byteCount) / kBlockBytes));

  shell.Execute("hdid -nomount ram://" + Str(myBlockSize));
  if (shell.ErrorCode() != 0) {
    MsgBox("Can't create ramdisk device. Error code " + Str(shell.ErrorCode()));
    return false;
  }
  myDevPath = Trim(shell.Result());

  // The name and the device path are whatever the user and hdid gave: each
  // goes to the shell as one quoted word, so nothing in them is ever run.
  shell.Execute("newfs_hfs -v " + ShellQuote(volumeName) + " " + ShellQuote(myDevPath));
  if (shell.ErrorCode() != 0) {
    MsgBox("Can't initialize ramdisk with hfs plus. Error code " + Str(shell.ErrorCode()));
    return false;
  }

  // The pipeline's status is grep's: a mount that printed no device line fails.
  shell.Execute("hdiutil mountvol " + ShellQuote(myDevPath) + " | grep dev");
  if (shell.ErrorCode() != 0) {
    MsgBox("Can't mount ramdisk. Error code " + Str(shell.ErrorCode()));
    return false;
  }
  myMountPath = Trim(NthField(Trim(shell.Result()), Chr(9), 3));

  DiskMounted = true;
  return true;
}

bool qzRamDisk::UnMount() {
  if (!DiskMounted) return false;

  Shell shell;
  shell.Execute("hdiutil detach " + ShellQuote(myDevPath));
  if (shell.ErrorCode() != 0) {
    MsgBox("Can't unmount ramdisk. Error code " + Str(shell.ErrorCode()));
    return false;
  }
  DiskMounted = false;
  return true;
}

std::string qzRamDisk::GetMountPath() const { return myMountPath; }
