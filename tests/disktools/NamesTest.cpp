// Names: the volume name as HFS+ stores it, the mount folder made from it,
// and mount points as the kernel's table writes them.

#include <gtest/gtest.h>
#include <sys/sysmacros.h>

#include "MountFolder.h"
#include "Mounts.h"
#include "VolumeName.h"

namespace {

using hfsplus::MakeStoredName;
using hfsplus::ReadableName;

// Letters typed precomposed are stored decomposed; what HFS+ leaves composed
// stays as it is; names are counted in units after decomposition.
TEST(NamesTest, VolumeNamesAreStoredAsHfsPlusDecomposesThem) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"M\xC3\xBCll", u"Mu\u0308ll"},           // ü
      {"\xC7\x97", u"U\u0308\u0301"},           // Ǘ: two marks
      {"\xED\x95\x9C", u"\u1112\u1161\u11AB"},  // 한: jamo
      {"\xE2\x84\xA6", u"\u2126"},              // Ohm sign, U+2000..U+2FFF: left as it is
      {"\xF0\x9F\x98\x80", u"\U0001F600"}};     // beyond the BMP: a surrogate pair
  for (const auto& [typed, units] : cases) {
    EXPECT_EQ(MakeStoredName(typed).units, units) << typed;
    EXPECT_EQ(ReadableName(units), typed);
  }
  EXPECT_EQ(MakeStoredName("a\xCC\x81\xCC\x96").units, u"a\u0316\u0301");  // marks in canonical order
  EXPECT_EQ(MakeStoredName("").units, u"untitled");
  std::string umlauts;
  for (int i = 0; i < 127; ++i) umlauts += "\xC3\xA4";  // 127 letters, 254 units
  EXPECT_EQ(MakeStoredName(umlauts).units.size(), 254u);
  EXPECT_NE(MakeStoredName(umlauts + "\xC3\xA4").error.find("too long"), std::string::npos);
  for (const std::string bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"})
    EXPECT_NE(MakeStoredName(bad).error.find("not valid UTF-8"), std::string::npos);
}

TEST(NamesTest, MountFoldersAreOneSafePathComponent) {
  const std::pair<std::string, std::string> cases[] = {{"My Disk", "My Disk"},
                                                       {"a/b/c", "a:b:c"},
                                                       {"tab\there\nnewline\r\x7F\xC2\x85", "tab_here_newline___"},
                                                       {"", "untitled"},
                                                       {"..", "untitled"},
                                                       {std::string(239, 'a') + "\xC3\xBC", std::string(239, 'a')},
                                                       // A right-to-left override, a zero-width space, a tag character:
                                                       // one user's volume made to look like another's.
                                                       {"Disk\xE2\x80\xAEgpj.exe", "Disk_gpj.exe"},
                                                       {"Ho\xE2\x80\x8Bme", "Ho_me"},
                                                       {"A\xF3\xA0\x80\x81", "A_"}};
  for (const auto& [name, folder] : cases) EXPECT_EQ(MountFolderName(name), folder) << name;
}

TEST(NamesTest, MountPointsComeFromTheMountTableUnescaped) {
  const std::string table =
      "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
      "40 22 7:3 / /media/My\\040Disk rw,nosuid - hfsplus /dev/loop3 rw\n"
      "41 22 7:30 / /media/Other rw - hfsplus /dev/loop30 rw\n"
      "42 22 7:3 / /media/tab\\011and\\134 rw - hfsplus /dev/loop3 rw\n";
  EXPECT_EQ(MountPointsIn(table, makedev(7, 3)), (std::vector<std::string>{"/media/My Disk", "/media/tab\tand\\"}));
  EXPECT_EQ(MountPointsIn(table, makedev(7, 30)), (std::vector<std::string>{"/media/Other"}));
  EXPECT_TRUE(MountPointsIn("garbage\n\n1 2\n", makedev(7, 3)).empty());
}

}  // namespace
