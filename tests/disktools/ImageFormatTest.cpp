// The formatter on image files: no root needed. Independent readers (fshfsinfo,
// 7z, and libhfsp where it can) judge what it writes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <random>

#include "Format.h"
#include "Readers.h"
#include "TempDir.h"
#include "Tools.h"
#include "VolumeLayout.h"
#include "VolumeName.h"
#include "VolumeReader.h"

namespace {

class ImageFormatTest : public ::testing::Test {
 protected:
  // Formats a new image of bytes under name; the formatter's error, if any.
  std::string Format(unsigned long long bytes, const std::string& name) {
    const auto stored = hfsplus::MakeStoredName(name);
    if (!stored.error.empty()) return stored.error;
    const int fd = open(image.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) return "can't make the image";
    const std::string error = hfsplus::FormatVolume(fd, bytes, stored.units, std::time(nullptr));
    close(fd);
    return error;
  }
  hfsplus::VolumeNameResult ReadName() {
    const int fd = open(image.c_str(), O_RDONLY | O_CLOEXEC);
    auto result = hfsplus::ReadVolumeName(fd);
    close(fd);
    return result;
  }

  TempDir dir;
  std::string image = (dir / "volume.img").string();
};

std::string ReadRange(const std::string& file, unsigned long long offset, size_t size) {
  std::string bytes(size, '\0');
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  const ssize_t got = pread(fd, bytes.data(), size, static_cast<off_t>(offset));
  close(fd);
  bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return bytes;
}

TEST_F(ImageFormatTest, ReadersFindTheNameAndTheSize) {
  // HFS+ names may hold "/", which POSIX systems show as ":" (fshfsinfo) or
  // "_" (7z); the name itself is stored as typed.
  const std::tuple<std::string, std::string, std::string> names[] = {
      // typed, as fshfsinfo and 7z report it
      {"RamDisk", "RamDisk", "RamDisk"},
      {"My Disk  two blanks", "My Disk  two blanks", "My Disk  two blanks"},
      {"It's \"quoted\"", "It's \"quoted\"", "It's \"quoted\""},
      {"$HOME; rm -rf ~ `x`", "$HOME; rm -rf ~ `x`", "$HOME; rm -rf ~ `x`"},
      {"M\xC3\xBCller \xC3\x84pfel", "Mu\xCC\x88ller A\xCC\x88pfel", "Mu\xCC\x88ller A\xCC\x88pfel"},
      {"time: 12:00", "time: 12:00", "time: 12:00"},
      {"a/b", "a:b", "a_b"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC"},
      {"", "untitled", "untitled"},
      {std::string(255, 'n'), std::string(255, 'n'), std::string(255, 'n')},
  };
  const unsigned long long bytes = 50ull << 20;
  for (const auto& [typed, shown, listed] : names) {
    ASSERT_EQ(Format(bytes, typed), "") << typed;
    EXPECT_EQ(FshfsinfoName(image), shown) << typed;
    const auto seen = SevenZipList(image);
    ASSERT_TRUE(seen) << typed;
    EXPECT_EQ(seen->rootName, listed) << typed;
    EXPECT_EQ(seen->physicalSize, bytes);
    EXPECT_EQ(seen->clusterSize, 4096u);
    EXPECT_LT(seen->freeSpace, bytes);
    EXPECT_GT(seen->freeSpace, bytes - (256u << 10)) << "the metadata of a new volume is small";
    EXPECT_EQ(ReadName().name, hfsplus::MakeStoredName(typed).units) << typed;
  }
}

// At every size from the least one up; below it, nothing is formatted.
TEST_F(ImageFormatTest, TheAlternateHeaderIs1024BytesBeforeTheEndAtEverySize) {
  const unsigned long long least = hfsplus::MinimumVolumeBytes();
  EXPECT_NE(Format(least - 512, "Small"), "");
  EXPECT_NE(Format(0, "Small"), "");
  for (unsigned long long bytes :
       {least, least + 512, 1ull << 20, (1ull << 20) + 512, (1ull << 20) + 1024, (1ull << 20) + 3584, 4095ull << 20}) {
    ASSERT_EQ(Format(bytes, "Edge"), "") << bytes;
    const std::string header = ReadRange(image, 1024, 512);
    EXPECT_EQ(header.substr(0, 2), "H+") << bytes;
    EXPECT_EQ(ReadRange(image, bytes - 1024, 512), header) << bytes;
    const auto seen = SevenZipList(image);
    ASSERT_TRUE(seen) << bytes;
    EXPECT_EQ(seen->physicalSize, bytes / 4096 * 4096) << bytes;
  }
}

TEST_F(ImageFormatTest, TheReaderRefusesWhatHoldsNoVolume) {
  WriteFile(image, std::string(1 << 20, '\0'));
  EXPECT_NE(ReadName().error.find("no HFS+ volume"), std::string::npos);
  WriteFile(image, "short");
  EXPECT_NE(ReadName().error, "");

  // Damage a good volume in the places the reader relies on.
  ASSERT_EQ(Format(1 << 20, "Good"), "");
  const std::string good = ReadFile(image);
  std::mt19937 random(7);
  for (size_t offset : {1024u + 40, 1024u + 272 + 16, 4096u * 6 + 14 + 18, 4096u * 7 + 14}) {
    std::string damaged = good;
    for (int i = 0; i < 4; ++i) damaged[offset + i] = static_cast<char>(random());
    WriteFile(image, damaged);
    const auto result = ReadName();
    EXPECT_TRUE(!result.error.empty() || result.name == u"Good") << offset;
  }
}

TEST_F(ImageFormatTest, HpfsckAcceptsTheVolume) {
  ASSERT_EQ(Format(50 << 20, "Checked"), "");
  if (const std::string why = WhyLibhfspCantRead(image); !why.empty()) GTEST_SKIP() << why;
  const Ran ran = RunProgram("hpfsck", {image});
  EXPECT_EQ(ran.status, 0) << ran.out << ran.err;
}

}  // namespace
