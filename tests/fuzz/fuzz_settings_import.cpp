// The input as the preferences file, imported and exported twice. What must hold for any file: one that was
// reported is left byte for byte, and one the export wrote reads back so that the second export writes the same.

#include <cstdlib>

#include "MsgBox.h"
#include "TempDir.h"
#include "qzSettings.h"

namespace {

// In memory where there is a tmpfs: the export syncs every file it writes.
const TempDir folder(std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path());
int messages = 0;

// The program's run: start, read the file, quit, write it.
void ImportAndExport() {
  qzSettings_ResetForTests();
  qzSettings_Import();
  qzSettings_Export();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  SetMsgBoxRecorder([](const std::string&) { ++messages; });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path file = folder / "Quillbarrow.pref";
  WriteFile(file, input);
  messages = 0;
  ImportAndExport();
  const std::string first = ReadFile(file);
  if (messages > 0 && first != input) std::abort();  // a reported file has changed
  if (messages == 0 && first.rfind("Version: qzSettings01\n[APPLICATION SETTINGS]\n", 0) != 0) std::abort();
  ImportAndExport();
  if (ReadFile(file) != first) std::abort();  // what the export wrote did not read back the same
  return 0;
}
