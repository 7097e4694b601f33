#include <gtest/gtest.h>
#include <sys/sysmacros.h>

#include "MountFolder.h"
#include "Mounts.h"

namespace {

TEST(MountFolderTest, NamesBecomeOneSafePathComponent) {
  const std::pair<std::string, std::string> cases[] = {{"RamDisk", "RamDisk"},
                                                       {"My Disk", "My Disk"},
                                                       {"a/b/c", "a:b:c"},
                                                       {"tab\there\nnewline\r\x7F\xC2\x85", "tab_here_newline___"},
                                                       {"  trailing  ", "  trailing"},
                                                       {"M\xC3\xBCll: \"x\" $y", "M\xC3\xBCll: \"x\" $y"},
                                                       {"", "untitled"},
                                                       {".", "untitled"},
                                                       {"..", "untitled"},
                                                       {"   ", "untitled"},
                                                       {"...", "..."}};
  for (const auto& [name, folder] : cases) EXPECT_EQ(MountFolderName(name), folder) << name;
}

TEST(MountFolderTest, LongNamesAreCutAtACharacter) {
  std::string cjk;
  for (int i = 0; i < 255; ++i) cjk += "\xE6\x97\xA5";  // 255 units, 765 bytes
  const std::string folder = MountFolderName(cjk);
  EXPECT_EQ(folder.size(), 240u);
  EXPECT_EQ(folder, cjk.substr(0, 240));
  const std::string two = MountFolderName(std::string(239, 'a') + "\xC3\xBC");  // 241 bytes
  EXPECT_EQ(two, std::string(239, 'a'));
}

TEST(MountsTest, MountPointsComeFromTheMountTableUnescaped) {
  const std::string table =
      "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
      "40 22 7:3 / /media/My\\040Disk rw,nosuid - hfsplus /dev/loop3 rw\n"
      "41 22 7:30 / /media/Other rw - hfsplus /dev/loop30 rw\n"
      "42 22 7:3 / /media/tab\\011and\\134slash rw - hfsplus /dev/loop3 rw\n";
  EXPECT_EQ(MountPointsIn(table, makedev(7, 3)),
            (std::vector<std::string>{"/media/My Disk", "/media/tab\tand\\slash"}));
  EXPECT_EQ(MountPointsIn(table, makedev(7, 30)), (std::vector<std::string>{"/media/Other"}));
  EXPECT_TRUE(MountPointsIn(table, makedev(7, 4)).empty());
  EXPECT_TRUE(MountPointsIn("garbage\n\n1 2\n", makedev(7, 3)).empty());
}

}  // namespace
