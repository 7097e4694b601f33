// The input becomes the preferences file, which is imported, exported, and
// imported and exported again. Besides crashes, hangs and sanitizer reports
// this catches the two things that must hold for any file: a file that was
// reported is left byte for byte as it was, and a file that the export wrote
// reads back into the same table, so the second export writes the same bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "MsgBox.h"
#include "qzSettings.h"

namespace {

std::filesystem::path folder;
int messages = 0;

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ImportAndExport() {
  qzSettings_ResetForTests();
  qzSettings_Import();
  qzSettings_Export();
}

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory where there is a tmpfs: the export syncs every file it writes.
  const std::filesystem::path base =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  std::string pattern = (base / "qb-fuzz-settings-XXXXXX").string();
  if (!mkdtemp(pattern.data())) Fail("no temporary folder");
  folder = pattern;
  setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
  SetMsgBoxRecorder([](const std::string&) { ++messages; });
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path file = folder / "Quillbarrow.pref";
  std::ofstream(file, std::ios::binary | std::ios::trunc) << input;

  messages = 0;
  ImportAndExport();
  const std::string first = ReadAll(file);
  if (messages > 0 && first != input) Fail("a file that was reported has changed");
  if (messages == 0 && first.rfind("Version: qzSettings01\n[APPLICATION SETTINGS]\n", 0) != 0)
    Fail("the export wrote no version line and header");

  ImportAndExport();
  if (ReadAll(file) != first) Fail("the exported file did not read back into the same table");
  return 0;
}
