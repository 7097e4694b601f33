#include "MountFolder.h"

#include "Utf.h"

namespace {

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void DropTrailingBlanks(std::string& name) {
  while (!name.empty() && name.back() == ' ') name.pop_back();
}

}  // namespace

std::string MountFolderName(const std::string& volumeName) {
  const std::u32string text = hfsplus::DecodeUtf8(volumeName).value_or(U"");
  std::string name;
  for (char32_t c : text) {
    const std::string piece = c == U'/'      ? std::string(":")
                              : IsControl(c) ? std::string("_")
                                             : hfsplus::EncodeUtf8({&c, 1});
    if (name.size() + piece.size() > kMaxFolderNameBytes) break;
    name += piece;
  }
  DropTrailingBlanks(name);
  if (name.empty() || name == "." || name == "..") return "untitled";
  return name;
}
