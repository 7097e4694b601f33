#include "Readers.h"

#include <sstream>

#include "Tools.h"

namespace {

std::string ValueAfter(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  if (at == std::string::npos) return {};
  const size_t begin = at + label.size();
  return text.substr(begin, text.find('\n', begin) - begin);
}

}  // namespace

std::optional<std::string> FshfsinfoName(const std::string& volume) {
  const Ran ran = RunProgram("fshfsinfo", {volume});
  const std::string label = "\tName\t\t\t\t: ";
  if (ran.status != 0 || ran.out.find(label) == std::string::npos) return std::nullopt;
  return ValueAfter(ran.out, label);
}

std::optional<SevenZipView> SevenZipList(const std::string& volume) {
  const Ran ran = RunProgram("7z", {"l", "-slt", volume});
  if (ran.status != 0 || ValueAfter(ran.out, "\nType = ") != "HFS" || ValueAfter(ran.out, "\nMethod = ") != "HFS+")
    return std::nullopt;
  SevenZipView view;
  view.physicalSize = std::stoull("0" + ValueAfter(ran.out, "\nPhysical Size = "));
  view.clusterSize = std::stoull("0" + ValueAfter(ran.out, "\nCluster Size = "));
  view.freeSpace = std::stoull("0" + ValueAfter(ran.out, "\nFree Space = "));
  const size_t entries = ran.out.find("\n----------\n");
  if (entries != std::string::npos) view.rootName = ValueAfter(ran.out.substr(entries), "\nPath = ");
  return view;
}
