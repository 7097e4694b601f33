#include <gtest/gtest.h>

#include "PropertyObject.h"

namespace {

using namespace std::string_literals;

// An object with one property of each type and one that is only kept.
class Thing : public PropertyObject {
 public:
  int32_t count = 0;
  bool flag = false;
  Color color;
  std::string text = "unset";

  void SetCount(int32_t value) { count = value; }
  void SetFlag(bool value) { flag = value; }
  void SetColour(Color value) { color = value; }
  void SetText(const std::string& value) { text = value; }

  static const PropertyTable& Table() {
    static const PropertyTable table = [] {
      PropertyTable t;
      t.Add("Count", &Thing::SetCount).Add("Flag", &Thing::SetFlag).Add("Colour", &Thing::SetColour);
      t.Add("Text", &Thing::SetText).Keep("Frame", PropertyType::Integer);
      return t;
    }();
    return table;
  }
  const PropertyTable& Properties() const override { return Table(); }
};

std::vector<PropertyRecord> Decode(const std::string& list) {
  return Thing::Table().Decode(list);
}

TEST(PropertyListEncoding, WritesEachTypeInItsWidthAndRefusesNamesThatCouldNotBeReadBack) {
  const std::pair<PropertyList, std::string> lists[] = {
      {PropertyList().Integer("Placement", 0), "Placement \0\0\0\0"s},
      {PropertyList().Integer("Width", 527), "Width \x00\x00\x02\x0F"s},
      {PropertyList().Integer("Index", INT32_MIN), "Index \x80\x00\x00\x00"s},
      {PropertyList().Integer("Count", -1), "Count \xFF\xFF\xFF\xFF"s},
      {PropertyList().Boolean("Visible", true).Boolean("Bold", false),
       "Visible \x01"
       "Bold \x00"s},
      {PropertyList().Colour("TextColor", Color::FromRGB(0x96C8F0)), "TextColor \x96\xC8\xF0"s},
      {PropertyList().String("Name", "Label1"), "Name \0\0\0\x06Label1"s},
      // An empty string is its four length bytes alone, also at the very end.
      {PropertyList().Integer("Count", 1).String("HelpTag", ""), "Count \0\0\0\x01HelpTag \0\0\0\0"s},
      // Lengths count bytes: "ü" is two.
      {PropertyList().String("Text", "\xC3\xBC"), "Text \0\0\0\x02\xC3\xBC"s}};
  for (const auto& [list, bytes] : lists) EXPECT_EQ(list.Bytes(), bytes) << testing::PrintToString(bytes);
  EXPECT_THROW(PropertyList().Integer("", 1), PropertyListException);
  EXPECT_THROW(PropertyList().Boolean("Two words", true), PropertyListException);
}

TEST(PropertyListDecoding, ReadsEveryRecordBackInOrder) {
  const std::string list = PropertyList()
                               .String("Text", "a b\0c"s)
                               .Integer("Count", INT32_MIN)
                               .Colour("Colour", Color::FromRGB(0xFFFFFF))
                               .Boolean("Flag", true)
                               .Integer("Frame", 9)
                               .String("Text", "")
                               .Bytes();
  const std::vector<PropertyRecord> expected = {
      {"Text", "a b\0c"s}, {"Count", INT32_MIN}, {"Colour", Color::FromRGB(0xFFFFFF)},
      {"Flag", true},      {"Frame", 9},         {"Text", ""s}};
  EXPECT_EQ(Decode(list), expected);
  EXPECT_TRUE(Decode("").empty());
}

TEST(PropertyListDecoding, StopsAtEveryCutThatSplitsARecord) {
  const std::string list = PropertyList()
                               .Integer("Count", 7)
                               .String("Text", "hello")
                               .Boolean("Flag", true)
                               .Colour("Colour", Color::FromRGB(0x010203))
                               .Bytes();
  const std::vector<size_t> boundaries = {0, 10, 24, 30, 40};
  ASSERT_EQ(list.size(), boundaries.back());
  for (size_t cut = 0; cut <= list.size(); ++cut) {
    const std::string prefix = list.substr(0, cut);
    const auto boundary = std::find(boundaries.begin(), boundaries.end(), cut);
    if (boundary != boundaries.end()) {
      EXPECT_EQ(Decode(prefix).size(), static_cast<size_t>(boundary - boundaries.begin())) << "cut at " << cut;
    } else {
      EXPECT_THROW(Decode(prefix), PropertyListException) << "cut at " << cut;
    }
  }
}

TEST(PropertyListDecoding, RefusesWhatItCannotReadNamingTheProblemAndThePlace) {
  const std::string bad[] = {"Colour \x01\x02\x03Unknown \x01"s,  // a name it does not know
                             " \x01"s,                            // no name at all
                             "Count"s,                            // a name that never ends
                             "Text \0\0\0\x06short"s,             // string lengths past the end,
                             "Text \xFF\xFF\xFF\xFFxyz"s,         // the largest included
                             "Flag \x02"s,                        // a Boolean must be 0 or 1
                             "count \0\0\0\x01"s};                // names are case-sensitive
  for (const std::string& list : bad) EXPECT_THROW(Decode(list), PropertyListException) << testing::PrintToString(list);
  try {
    Decode("Count \0\0\0\x01Mystery \x01"s);
    FAIL() << "no exception";
  } catch (const PropertyListException& error) {
    EXPECT_STREQ(error.ClassName(), "PropertyListException");
    EXPECT_NE(std::string(error.what()).find("Mystery"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("byte 18"), std::string::npos) << error.what();
  }
}

TEST(SetProperties, ChangesOnlyWhatADecodableListNamesAndKeepsValuesWithoutEffect) {
  Thing thing;
  const std::string broken = PropertyList().Integer("Count", 3).String("Text", "new").Bytes() + "Flag";
  EXPECT_THROW(thing.SetProperties(broken), PropertyListException);
  EXPECT_EQ(thing.count, 0) << "a list that does not decode changes nothing";
  EXPECT_EQ(thing.text, "unset");
  thing.SetProperties(PropertyList().Integer("Count", 3).Boolean("Flag", true).Bytes());
  EXPECT_FALSE(thing.KeptValue("Frame"));
  thing.SetProperties(PropertyList().Integer("Count", 4).Integer("Frame", 9).Bytes());
  EXPECT_EQ(thing.count, 4);
  EXPECT_TRUE(thing.flag);
  EXPECT_EQ(thing.text, "unset");
  ASSERT_TRUE(thing.KeptValue("Frame"));
  EXPECT_EQ(*thing.KeptValue("Frame"), PropertyValue(9));
  EXPECT_FALSE(thing.KeptValue("Count"));
}

}  // namespace
