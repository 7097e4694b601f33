#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "TextInputStream.h"

namespace {

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

using Lines = std::vector<std::string>;

TEST(TextInputStream, AcceptsLfCrLfAndLoneCrAsLineEnds) {
  EXPECT_EQ(LinesOf("a\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(LinesOf("a\r\nb\r\nc\r\n"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(LinesOf("a\rb\rc\r"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(LinesOf("a\r\rb\n\nc\r\n\r\nd\n\re"), (Lines{"a", "", "b", "", "c", "", "d", "", "e"}));
}

TEST(TextInputStream, AFinalLineEndStartsNoFurtherLine) {
  EXPECT_EQ(LinesOf(""), Lines{});
  EXPECT_EQ(LinesOf("\n"), Lines{""});
  EXPECT_EQ(LinesOf("\r\n"), Lines{""});
  EXPECT_EQ(LinesOf("x\n\n"), (Lines{"x", ""}));
  EXPECT_EQ(LinesOf("x"), Lines{"x"});
}

TEST(TextInputStream, LineBytesComeBackUnchanged) {
  const std::string odd = std::string("\xff\xfe\0\t bl\xc3\xa4h \x80", 12);
  EXPECT_EQ(LinesOf(odd + "\n" + odd), (Lines{odd, odd}));
}

TEST(TextInputStream, LinesLongerThanOneBlockAndLineEndsSplitBetweenBlocks) {
  // Reading goes in blocks of 64 KiB: put a CR as the last byte of a block
  // with its LF first in the next, and a lone CR in the same place.
  const size_t block = 64 * 1024;
  const std::string longLine(block - 1, 'x');
  EXPECT_EQ(LinesOf(longLine + "\r\nnext"), (Lines{longLine, "next"}));
  EXPECT_EQ(LinesOf(longLine + "\rnext"), (Lines{longLine, "next"}));
  EXPECT_EQ(LinesOf(longLine + "\r\n"), Lines{longLine});
  const std::string huge(3 * block + 17, 'y');
  EXPECT_EQ(LinesOf("a\n" + huge + "\nb"), (Lines{"a", huge, "b"}));
}

TEST(TextInputStream, OpenFailsForWhatHoldsNoText) {
  TempDir dir;
  EXPECT_TRUE(TextInputStream::Open(FolderItem((dir / "missing").string())).IsNil());
  EXPECT_TRUE(TextInputStream::Open(FolderItem(dir.path().string())).IsNil());
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_TRUE(TextInputStream::Open(FolderItem((dir / "fifo").string())).IsNil());
  EXPECT_TRUE(TextInputStream::Open(FolderItem("/dev/zero")).IsNil());
}

TEST(TextInputStream, AFailedReadIsToldApartFromTheEnd) {
  // Reading a process's own memory at offset 0 fails with EIO.
  const Ref<TextInputStream> stream = TextInputStream::Open(FolderItem("/proc/self/mem"));
  ASSERT_FALSE(stream.IsNil());
  EXPECT_TRUE(stream->EndOfFile());
  EXPECT_TRUE(stream->ReadFailed());
}

}  // namespace
