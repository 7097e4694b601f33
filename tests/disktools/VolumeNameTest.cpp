#include <gtest/gtest.h>

#include "VolumeName.h"

namespace {

using hfsplus::MakeStoredName;
using hfsplus::ReadableName;

// Letters typed precomposed are stored decomposed; what HFS+ leaves composed
// stays as it is.
TEST(VolumeNameTest, NamesAreStoredAsHfsPlusDecomposesThem) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"M\xC3\xBCll", u"Mu\u0308ll"},           // ü
      {"\xC7\x97", u"U\u0308\u0301"},           // Ǘ: two marks
      {"\xED\x95\x9C", u"\u1112\u1161\u11AB"},  // 한: jamo
      {"\xE3\x83\x97", u"\u30D5\u309A"},        // プ
      {"a\xCC\x81\xCC\x96", u"a\u0316\u0301"},  // marks in canonical order
      {"\xE2\x84\xA6", u"\u2126"},              // Ohm sign, U+2000..U+2FFF
      {"\xEF\xA4\x80", u"\uF900"},              // CJK compatibility ideograph
      {"\xF0\x9F\x98\x80", u"\U0001F600"},      // beyond the BMP: a surrogate pair
      {"a:b/c \"d\" 'e' $f; `g`", u"a:b/c \"d\" 'e' $f; `g`"},
      {"", u"untitled"}};
  for (const auto& [typed, units] : cases) EXPECT_EQ(MakeStoredName(typed).units, units) << typed;
}

TEST(VolumeNameTest, NamesAreCountedInUnitsAfterDecomposition) {
  EXPECT_TRUE(MakeStoredName(std::string(255, 'x')).error.empty());
  EXPECT_NE(MakeStoredName(std::string(256, 'x')).error.find("too long"), std::string::npos);
  std::string umlauts;
  for (int i = 0; i < 127; ++i) umlauts += "\xC3\xA4";  // 127 letters, 254 units
  EXPECT_EQ(MakeStoredName(umlauts).units.size(), 254u);
  const auto refused = MakeStoredName(umlauts + "\xC3\xA4");  // 128 letters, 256 units
  EXPECT_TRUE(refused.units.empty());
  EXPECT_NE(refused.error.find("256"), std::string::npos) << refused.error;
  std::string faces;
  for (int i = 0; i < 128; ++i) faces += "\xF0\x9F\x98\x80";  // 128 characters, 256 units
  EXPECT_FALSE(MakeStoredName(faces).error.empty());
}

TEST(VolumeNameTest, TextThatIsNotUtf8IsRefused) {
  for (const std::string bad : {"\xC0\xAF", "a\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\xFF"}) {
    const auto result = MakeStoredName(bad);
    EXPECT_NE(result.error.find("not valid UTF-8"), std::string::npos);
    EXPECT_TRUE(result.units.empty());
  }
}

TEST(VolumeNameTest, ReadableNamesAreComposedAsTyped) {
  for (const std::string typed :
       {"M\xC3\xBCller \xC3\x84pfel", "\xC7\x97", "\xED\x95\x9C\xEA\xB5\xAD", "\xE3\x83\x97\xE3\x83\xAB", "plain"}) {
    EXPECT_EQ(ReadableName(MakeStoredName(typed).units), typed);
  }
  EXPECT_EQ(ReadableName(u"a\xD800z"), "a\xEF\xBF\xBDz");  // a lone surrogate
}

}  // namespace
