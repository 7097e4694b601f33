#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "FolderItem.h"
#include "SpecialFolder.h"
#include "TempDir.h"

namespace {

TEST(FolderItem, ChildNamesOneEntryWhetherOrNotItExists) {
  TempDir dir;
  const FolderItem folder(dir.path().string());
  const Ref<FolderItem> child = folder.Child("Quillbarrow.pref");
  ASSERT_FALSE(child.IsNil());
  EXPECT_EQ(child->NativePath(), (dir / "Quillbarrow.pref").string());
  EXPECT_FALSE(child->Exists());
  EXPECT_EQ(child->Length(), 0u);
  for (const char* bad : {"", ".", "..", "a/b", "/"}) EXPECT_TRUE(folder.Child(bad).IsNil()) << bad;
}

TEST(FolderItem, ExistsAndLengthOfFilesAndFolders) {
  TempDir dir;
  WriteFile(dir / "file", std::string(23, 'x'));
  const FolderItem file((dir / "file").string());
  EXPECT_TRUE(file.Exists());
  EXPECT_FALSE(file.IsFolder());
  EXPECT_EQ(file.Length(), 23u);
  WriteFile(dir / "empty", "");
  EXPECT_TRUE(FolderItem((dir / "empty").string()).Exists());
  EXPECT_EQ(FolderItem((dir / "empty").string()).Length(), 0u);
  const FolderItem folder(dir.path().string());
  EXPECT_TRUE(folder.Exists());
  EXPECT_TRUE(folder.IsFolder());
}

TEST(FolderItem, ParentIsTheFolderAbove) {
  EXPECT_EQ(FolderItem("/a/b/c").Parent()->NativePath(), "/a/b");
  EXPECT_EQ(FolderItem("/a/b/").Parent()->NativePath(), "/a");
  EXPECT_EQ(FolderItem("/a").Parent()->NativePath(), "/");
  EXPECT_TRUE(FolderItem("/").Parent().IsNil());
}

TEST(FolderItem, CreateAsFolderMakesEveryMissingFolder) {
  TempDir dir;
  const FolderItem deep((dir / "one/two/three").string());
  EXPECT_TRUE(deep.CreateAsFolder());
  EXPECT_TRUE(deep.IsFolder());
  EXPECT_TRUE(deep.CreateAsFolder()) << "an existing folder is fine";
  WriteFile(dir / "file", "x");
  EXPECT_FALSE(FolderItem((dir / "file").string()).CreateAsFolder());
  EXPECT_FALSE(FolderItem((dir / "file/below").string()).CreateAsFolder());
}

TEST(SpecialFolder, PreferencesFollowXdgConfigHome) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  const Ref<FolderItem> preferences = SpecialFolder::Preferences();
  ASSERT_FALSE(preferences.IsNil());
  EXPECT_EQ(preferences->NativePath(), (dir / "config").string());
  EXPECT_FALSE(preferences->Exists()) << "asking for the folder must not make it";
}

TEST(SpecialFolder, PreferencesAreInDotConfigWithoutXdgConfigHome) {
  TempDir dir;
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", dir.path().c_str(), 1);
  const Ref<FolderItem> preferences = SpecialFolder::Preferences();
  ASSERT_FALSE(preferences.IsNil());
  EXPECT_EQ(preferences->NativePath(), (dir / ".config").string());
}

}  // namespace
