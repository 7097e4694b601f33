#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

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
  EXPECT_FALSE(child->IsFolder());
  EXPECT_EQ(child->Length(), 23u);
  EXPECT_TRUE(folder.IsFolder());
  const std::pair<const char*, const char*> parents[] = {{"/a/b/c", "/a/b"}, {"/a/b/", "/a"}, {"/a", "/"}};
  for (const auto& [path, parent] : parents) EXPECT_EQ(FolderItem(path).Parent()->NativePath(), parent) << path;
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

// Sets an environment variable (nullptr: removes it) until the object goes.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SpecialFolder, PreferencesFollowXdgConfigHomeElseDotConfig) {
  TempDir dir;
  {
    const ScopedEnv config("XDG_CONFIG_HOME", (dir / "config").c_str());
    EXPECT_EQ(SpecialFolder::Preferences()->NativePath(), (dir / "config").string());
    EXPECT_FALSE(FolderItem((dir / "config").string()).Exists()) << "asking for the folder must not make it";
  }
  const ScopedEnv config("XDG_CONFIG_HOME", nullptr), home("HOME", dir.path().c_str());
  EXPECT_EQ(SpecialFolder::Preferences()->NativePath(), (dir / ".config").string());
}

}  // namespace
