#include <gtest/gtest.h>

#include <cstdlib>

#include "FolderItem.h"
#include "PreferencesFolder.h"
#include "TempDir.h"

namespace {

TEST(FolderItem, ChildExistsLengthAndParent) {
  TempDir dir;
  const FolderItem folder(dir.path().string());
  const Ref<FolderItem> child = folder.Child("Quillbarrow.pref");
  ASSERT_FALSE(child.IsNil()) << "a child is named whether or not it exists";
  EXPECT_EQ(child->NativePath(), (dir / "Quillbarrow.pref").string());
  EXPECT_FALSE(child->Exists());
  EXPECT_EQ(child->Length(), 0u);
  for (const char* bad : {"", ".", "..", "a/b"}) EXPECT_TRUE(folder.Child(bad).IsNil()) << bad;
  WriteFile(dir / "Quillbarrow.pref", std::string(23, 'x'));
  EXPECT_TRUE(child->Exists());
  EXPECT_EQ(child->Length(), 23u);
  const std::pair<const char*, const char*> parents[] = {{"/a/b/c", "/a/b"}, {"/a/b/", "/a"}, {"/a", "/"}};
  for (const auto& [path, parent] : parents) EXPECT_EQ(FolderItem(path).Parent()->NativePath(), parent) << path;
  EXPECT_TRUE(FolderItem("/").Parent().IsNil());
}

TEST(SpecialFolder, PreferencesFollowXdgConfigHomeElseDotConfig) {
  TempDir dir;
  const auto get = [](const char* name) { return std::getenv(name) ? std::string(std::getenv(name)) : std::string(); };
  const std::string home = get("HOME"), config = get("XDG_CONFIG_HOME");
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  EXPECT_EQ(SpecialFolder::Preferences()->NativePath(), (dir / "config").string());
  EXPECT_FALSE(FolderItem((dir / "config").string()).Exists()) << "asking for the folder must not make it";
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", dir.path().c_str(), 1);
  EXPECT_EQ(SpecialFolder::Preferences()->NativePath(), (dir / ".config").string());
  setenv("HOME", home.c_str(), 1);
  if (!config.empty()) setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

}  // namespace
