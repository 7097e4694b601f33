#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"

namespace {

using Lines = std::vector<std::string>;

// Every line of a file with the given bytes, as the stream hands them out.
std::vector<std::string> LinesOf(const std::string& bytes) {
  TempDir dir;
  WriteFile(dir / "text", bytes);
  const Ref<TextInputStream> stream = TextInputStream::Open(FolderItem((dir / "text").string()));
  EXPECT_FALSE(stream.IsNil());
  std::vector<std::string> lines;
  if (stream.IsNil()) return lines;
  while (!stream->EndOfFile()) lines.push_back(stream->ReadLine());
  EXPECT_FALSE(stream->ReadFailed());
  return lines;
}

TEST(TextInputStream, AcceptsLfCrLfAndLoneCrAsLineEndsAndReturnsTheBytesUnchanged) {
  // Reading goes in blocks of 64 KiB: a CR as the last byte of a block with
  // its LF first in the next.
  const size_t block = 64 * 1024;
  const std::string longLine(block - 1, 'x');
  const std::string odd = std::string("\xff\xfe\0\t bl\xc3\xa4h \x80", 12);
  const std::pair<std::string, Lines> files[] = {
      {"a\r\rb\n\nc\r\n\r\nd\n\re", {"a", "", "b", "", "c", "", "d", "", "e"}},
      // A final line end starts no further line.
      {"x\n\n", {"x", ""}},
      {odd + "\r" + odd, {odd, odd}},
      {longLine + "\r\nnext", {longLine, "next"}}};
  for (const auto& [bytes, lines] : files)
    EXPECT_EQ(LinesOf(bytes), lines) << testing::PrintToString(bytes.substr(0, 40)) << " of " << bytes.size();
}

TEST(TextInputStream, AFailedReadIsToldApartFromTheEnd) {
  // Reading a process's own memory at offset 0 fails with EIO.
  const Ref<TextInputStream> stream = TextInputStream::Open(FolderItem("/proc/self/mem"));
  ASSERT_FALSE(stream.IsNil());
  EXPECT_TRUE(stream->EndOfFile());
  EXPECT_TRUE(stream->ReadFailed());
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
  stream->WriteLine("line");
  ASSERT_TRUE(stream->Close());
  EXPECT_EQ(ReadFile(dir / "out"), std::string("\xff\0\xc3\xa4\nline\n", 10));
  EXPECT_TRUE(TextOutputStream::Create(FolderItem((dir / "missing/out").string())).IsNil());
  EXPECT_FALSE(std::filesystem::exists(dir / "missing")) << "a missing folder is not made";
}

}  // namespace
