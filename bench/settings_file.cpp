// qzSettings_Import and qzSettings_Export of a preferences file with 65,535
// entries, against reading the same file line by line with std::getline into
// a std::unordered_map, split at the first ": ", in the same run. Then four
// times the entries, which must take at most 4.5 times as long. The two sizes
// take turns round by round, so that a change in the machine's load between
// them moves no ratio.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "Measure.h"
#include "MsgBox.h"
#include "qzSettings.h"

namespace {

struct Size {
  std::filesystem::path folder;
  size_t entries;
  std::vector<double> baseline, import, exportTimes;
};

// Key i and its value. Numbers of six digits give every line the same
// length, so four times the entries are four times the bytes.
std::string Key(size_t i) {
  char key[32];
  std::snprintf(key, sizeof key, "Setting%06zu", i);
  return key;
}

void WritePrefs(const std::filesystem::path& file, size_t entries) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "Version: qzSettings01\n[APPLICATION SETTINGS]\n";
  for (size_t i = 0; i < entries; ++i) out << Key(i) << ": value number " << Key(i).substr(7) << " with a few words\n";
}

size_t ReadWithGetline(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::unordered_map<std::string, std::string> table;
  std::string line;
  while (std::getline(in, line)) {
    const size_t separator = line.find(": ");
    if (separator == std::string::npos)
      table[line];
    else
      table[line.substr(0, separator)] = line.substr(separator + 2);
  }
  return table.size();
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / ("qb-bench-settings-" + std::to_string(getpid()));
  SetMsgBoxRecorder([](const std::string& text) { std::fprintf(stderr, "unexpected message: %s\n", text.c_str()); });
  std::vector<Size> sizes{{dir / "small", 65535, {}, {}, {}}, {dir / "large", 4 * 65535, {}, {}, {}}};
  for (Size& size : sizes) {
    std::filesystem::create_directories(size.folder);
    WritePrefs(size.folder / "Quillbarrow.pref", size.entries);
  }

  bool read = true;
  for (int round = 0; round < 15; ++round) {
    for (Size& size : sizes) {
      size_t count = 0;
      size.baseline.push_back(Seconds([&] { count = ReadWithGetline(size.folder / "Quillbarrow.pref"); }));
      setenv("XDG_CONFIG_HOME", size.folder.c_str(), 1);
      size.import.push_back(Seconds([] {
        qzSettings_ResetForTests();
        qzSettings_Import();
      }));
      read &= count == size.entries + 2 && !qzSettingsGet_String(Key(size.entries - 1)).empty();
      size.exportTimes.push_back(Seconds([] { qzSettings_Export(); }));
    }
  }
  qzSettings_ResetForTests();
  std::filesystem::remove_all(dir);
  if (!read) std::fprintf(stderr, "the file was not read whole\n");

  const Size& small = sizes[0];
  const Size& large = sizes[1];
  bool ok = read;
  ok &= Report("import of 65,535 entries vs getline into unordered_map", Median(small.import), Median(small.baseline),
               2.0);
  ok &= Report("export of 65,535 entries vs getline into unordered_map", Median(small.exportTimes),
               Median(small.baseline), 2.0);
  ok &= Report("import of 262,140 entries vs of 65,535", Median(large.import), Median(small.import), 4.5);
  ok &= Report("export of 262,140 entries vs of 65,535", Median(large.exportTimes), Median(small.exportTimes), 4.5);
  std::printf("%-60s %9.3f ms (for scale)\n", "getline baseline, 262,140 entries", Median(large.baseline) * 1e3);
  return ok ? 0 : 1;
}
