#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FileSizeLimit.h"
#include "TempDir.h"
#include "TextOutputStream.h"

namespace {

size_t EntriesIn(const TempDir& dir) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++count;
  return count;
}

TEST(TextOutputStream, TheOldFileStaysUntilCloseAndIsThenReplacedWholeByTheLinesWithLf) {
  TempDir dir;
  const std::string old = "old contents that are longer than the new ones\n";
  WriteFile(dir / "out", old);
  {
    const Ref<TextOutputStream> unclosed = TextOutputStream::Create(FolderItem((dir / "out").string()));
    ASSERT_FALSE(unclosed.IsNil());
    unclosed->WriteLine("new");
  }
  EXPECT_EQ(ReadFile(dir / "out"), old) << "without Close nothing changes";
  const Ref<TextOutputStream> stream = TextOutputStream::Create(FolderItem((dir / "out").string()));
  ASSERT_FALSE(stream.IsNil());
  stream->WriteLine(std::string("\xff\0\xc3\xa4", 4));
  for (int i = 0; i < 20000; ++i) stream->WriteLine("line " + std::to_string(i));
  EXPECT_EQ(ReadFile(dir / "out"), old);
  ASSERT_TRUE(stream->Close());
  EXPECT_TRUE(stream->Close()) << "a second Close tells the same";
  const std::string written = ReadFile(dir / "out");
  EXPECT_EQ(written.substr(0, 19), std::string("\xff\0\xc3\xa4\nline 0\nline 1\n", 19));
  EXPECT_EQ(written.substr(written.size() - 11), "line 19999\n");
  EXPECT_EQ(EntriesIn(dir), 1u) << "no temporary file is left behind";
  EXPECT_TRUE(TextOutputStream::Create(FolderItem((dir / "missing/out").string())).IsNil());
  EXPECT_FALSE(std::filesystem::exists(dir / "missing")) << "a missing folder is not made";
}

TEST(TextOutputStream, AFailedWriteKeepsTheOldFileByteForByte) {
  TempDir dir;
  const std::string old = "Version: old\n" + std::string(1000, 'o') + "\n";
  WriteFile(dir / "out", old);
  const FileSizeLimit limit(4096);
  const Ref<TextOutputStream> stream = TextOutputStream::Create(FolderItem((dir / "out").string()));
  ASSERT_FALSE(stream.IsNil());
  for (int i = 0; i < 100000; ++i) stream->WriteLine("a line that will not fit " + std::to_string(i));
  EXPECT_FALSE(stream->Close());
  EXPECT_EQ(ReadFile(dir / "out"), old);
  EXPECT_EQ(EntriesIn(dir), 1u);
}

}  // namespace
