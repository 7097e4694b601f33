// The formatter on image files: no root needed. An independent reader
// (fshfsinfo) and the volume's own bookkeeping judge what it writes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <optional>

#include "BTree.h"
#include "BigEndian.h"
#include "Format.h"
#include "TempDir.h"
#include "Tools.h"
#include "VolumeHeader.h"
#include "VolumeLayout.h"
#include "VolumeName.h"
#include "VolumeReader.h"

namespace {

using namespace hfsplus;

class ImageFormatTest : public ::testing::Test {
 protected:
  // Formats a new image of bytes under name; the formatter's error, if any.
  std::string Format(unsigned long long bytes, const std::string& name) {
    const int fd = open(image.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) return "can't make the image";
    const std::string error = FormatVolume(fd, bytes, MakeStoredName(name).units, std::time(nullptr));
    close(fd);
    return error;
  }
  VolumeNameResult ReadName() {
    const int fd = open(image.c_str(), O_RDONLY | O_CLOEXEC);
    auto result = ReadVolumeName(fd);
    close(fd);
    return result;
  }
  // size bytes from offset: only what a check needs, as an image can be gigabytes.
  std::string Read(std::uint64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    const int fd = open(image.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = fd < 0 ? -1 : pread(fd, bytes.data(), size, static_cast<off_t>(offset));
    if (fd >= 0) close(fd);
    bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return bytes;
  }

  TempDir dir;
  std::string image = (dir / "volume.img").string();
};

// A time zone east of UTC for the object's life: in UTC a date in local time
// can't be told from one in UTC.
class EastOfUtc {
 public:
  EastOfUtc() {
    if (const char* zone = std::getenv("TZ")) old_ = zone;
    setenv("TZ", "QBT-5:30", 1);
    tzset();
  }
  ~EastOfUtc() {
    if (old_)
      setenv("TZ", old_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  EastOfUtc(const EastOfUtc&) = delete;

 private:
  std::optional<std::string> old_;
};

std::span<const std::uint8_t> Bytes(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

bool Bit(const std::string& map, std::size_t n) {
  return (static_cast<unsigned char>(map[n / 8]) & (0x80 >> (n % 8))) != 0;
}

// At every size, whole blocks or not: the alternate header 1024 bytes before
// the end, both headers' blocks taken in the bitmap, freeBlocks its clear bits,
// the catalog's node map marking its header and leaf nodes, the volume marked
// cleanly unmounted so that it mounts without a check, dated when it was made,
// and no file yet given an ID that HFS+ keeps for itself.
TEST_F(ImageFormatTest, EverySizeGetsAConsistentVolume) {
  const unsigned long long least = MinimumVolumeBytes();
  EXPECT_NE(Format(least - 512, "Small"), "");
  // fshfsinfo shows a "/" as ":"; the name itself is stored as typed, decomposed.
  const std::string name = "a/b \"q\" $x; M\xC3\xBCller";
  std::tm epoch{};  // HFS+ counts seconds from 1904-01-01 UTC
  epoch.tm_year = 4;
  epoch.tm_mday = 1;
  const std::int64_t since1904 = timegm(&epoch);
  EastOfUtc east;
  for (unsigned long long bytes : {least, (1ull << 20) + 512, (1ull << 20) + 3584, 4095ull << 20}) {
    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(Format(bytes, name), "") << bytes;
    const std::time_t after = std::time(nullptr);
    EXPECT_EQ(FshfsinfoName(image), "a:b \"q\" $x; Mu\xCC\x88ller");
    EXPECT_EQ(ReadName().name, MakeStoredName(name).units);
    const std::string raw = Read(1024, 512);
    EXPECT_EQ(Read(bytes - 1024, 512), raw) << bytes;
    const auto header = DecodeVolumeHeader(Bytes(raw).data());
    ASSERT_TRUE(header) << bytes;
    EXPECT_TRUE(header->attributes & kVolumeUnmounted) << bytes;
    EXPECT_EQ(header->totalBlocks, bytes / 4096) << bytes;
    // Read where the format puts them, not through our own decoder.
    const auto field = [&](std::size_t offset) { return Get32(Bytes(raw).data() + offset); };
    EXPECT_GE(field(64), 16u) << "the next catalog ID; " << bytes;

    const std::string bitmap = Read(header->allocationFile.extents[0].startBlock * 4096ull,
                                    header->allocationFile.extents[0].blockCount * 4096ull);
    std::uint32_t clear = 0;
    for (std::uint32_t block = 0; block < header->totalBlocks; ++block) clear += !Bit(bitmap, block);
    EXPECT_EQ(header->freeBlocks, clear) << bytes;
    EXPECT_TRUE(Bit(bitmap, 0)) << bytes;
    if ((bytes - 1024) / 4096 < header->totalBlocks) {
      EXPECT_TRUE(Bit(bitmap, (bytes - 1024) / 4096)) << bytes;
    }

    const std::uint64_t catalog = header->catalogFile.extents[0].startBlock * 4096ull;
    const std::string node = Read(catalog, 4096);
    const BTreeHeader tree = ReadHeaderRecord(*ReadRecord(Bytes(node), 0));
    const auto map = ReadRecord(Bytes(node), 2);
    ASSERT_TRUE(map) << bytes;
    const std::string bits(map->begin(), map->end());
    std::uint32_t used = 0;
    for (std::uint32_t n = 0; n < tree.totalNodes; ++n) used += Bit(bits, n);
    EXPECT_TRUE(Bit(bits, 0) && Bit(bits, tree.firstLeafNode)) << bytes;
    EXPECT_EQ(used, tree.totalNodes - tree.freeNodes) << bytes;

    // The root folder's record comes first; a mount shows its dates as the
    // volume's folder's. Only the header's creation date is local time.
    const std::string leaf = Read(catalog + tree.firstLeafNode * 4096ull, 4096);
    const auto root = ReadRecord(Bytes(leaf), 0);
    ASSERT_TRUE(root && root->size() >= 88) << bytes;
    const std::uint8_t* folder = root->data() + root->size() - 88;
    std::tm local{};
    localtime_r(&before, &local);
    const std::pair<std::uint32_t, long> dates[] = {
        {field(16), local.tm_gmtoff}, {field(20), 0}, {field(28), 0}, {Get32(folder + 12), 0}, {Get32(folder + 16), 0}};
    for (const auto& [date, zone] : dates) {
      EXPECT_GE(date + since1904, before + zone) << date;
      EXPECT_LE(date + since1904, after + zone) << date;
    }
  }
}

// hdiutil reads volumes it did not make, as root: damage stays inside the node.
TEST_F(ImageFormatTest, TheReaderRefusesWhatHoldsNoVolumeOrIsDamaged) {
  WriteFile(image, std::string(1 << 20, '\0'));
  EXPECT_EQ(ReadName().error, "it holds no HFS+ volume");
  WriteFile(image, "short");
  EXPECT_EQ(ReadName().error, "its volume header can't be read");

  ASSERT_EQ(Format(1 << 20, "Good"), "");
  const std::string good = ReadFile(image);
  const auto header = DecodeVolumeHeader(Bytes(good).data() + 1024);
  const std::size_t leaf = (header->catalogFile.extents[0].startBlock + 1) * 4096ull;
  const std::pair<std::size_t, std::uint16_t> damage[] = {
      {leaf + 14, 0x0FF0},           // the root folder's key, longer than its record and the node
      {leaf + 4096 - 4, 4096 - 2}};  // its end, inside the table of record offsets
  for (const auto& [offset, value] : damage) {
    std::string damaged = good;
    Put16(reinterpret_cast<std::uint8_t*>(damaged.data() + offset), value);
    WriteFile(image, damaged);
    EXPECT_EQ(ReadName().error, "its HFS+ catalog is damaged") << offset;
  }
}

}  // namespace
