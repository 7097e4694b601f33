#include "MountFolder.h"

#include <utility>

#include "Utf.h"

namespace {

// Unicode's format characters (general category Cf, as of Unicode 15):
// invisible, or turning the text around them, so that one volume's folder
// could pass for another's.
constexpr std::pair<char32_t, char32_t> kFormatCharacters[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F}};

bool IsControlOrFormat(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  for (const auto& [first, last] : kFormatCharacters)
    if (c >= first && c <= last) return true;
  return false;
}

void DropTrailingBlanks(std::string& name) {
  while (!name.empty() && name.back() == ' ') name.pop_back();
}

}  // namespace

std::string MountFolderName(const std::string& volumeName) {
  const std::u32string text = hfsplus::DecodeUtf8(volumeName).value_or(U"");
  std::string name;
  for (char32_t c : text) {
    const std::string piece = c == U'/'              ? std::string(":")
                              : IsControlOrFormat(c) ? std::string("_")
                                                     : hfsplus::EncodeUtf8({&c, 1});
    if (name.size() + piece.size() > kMaxFolderNameBytes) break;
    name += piece;
  }
  DropTrailingBlanks(name);
  if (name.empty() || name == "." || name == "..") return "untitled";
  return name;
}
