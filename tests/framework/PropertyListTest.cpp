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

std::vector<PropertyRecord> Decode(const std::string& list) { return Thing::Table().Decode(list); }

TEST(PropertyListEncoding, WritesEachTypeInItsWidth) {
  EXPECT_EQ(PropertyList().Integer("Placement", 0).Bytes(), "Placement \0\0\0\0"s);
  EXPECT_EQ(PropertyList().Integer("Width", 527).Bytes(), "Width \x00\x00\x02\x0F"s);
  EXPECT_EQ(PropertyList().Integer("Index", INT32_MIN).Bytes(), "Index \x80\x00\x00\x00"s);
  EXPECT_EQ(PropertyList().Integer("Count", -1).Bytes(), "Count \xFF\xFF\xFF\xFF"s);
  EXPECT_EQ(PropertyList().Boolean("Visible", true).Boolean("Bold", false).Bytes(), "Visible \x01" "Bold \x00"s);
  EXPECT_EQ(PropertyList().Colour("TextColor", Color::FromRGB(0x96C8F0)).Bytes(), "TextColor \x96\xC8\xF0"s);
  EXPECT_EQ(PropertyList().String("Name", "Label1").Bytes(), "Name \0\0\0\x06Label1"s);
  // An empty string is its four length bytes alone, also at the very end.
  EXPECT_EQ(PropertyList().Integer("Count", 1).String("HelpTag", "").Bytes(), "Count \0\0\0\x01HelpTag \0\0\0\0"s);
  // Lengths count bytes: "ü" is two.
  EXPECT_EQ(PropertyList().String("Text", "\xC3\xBC").Bytes(), "Text \0\0\0\x02\xC3\xBC"s);
}

TEST(PropertyListEncoding, RefusesNamesThatCouldNotBeReadBack) {
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
  const std::vector<PropertyRecord> expected = {{"Text", "a b\0c"s},
                                                {"Count", INT32_MIN},
                                                {"Colour", Color::FromRGB(0xFFFFFF)},
                                                {"Flag", true},
                                                {"Frame", 9},
                                                {"Text", ""s}};
  EXPECT_EQ(Decode(list), expected);
  EXPECT_TRUE(Decode("").empty());
}

TEST(PropertyListDecoding, StopsAtEveryCutThatSplitsARecord) {
  const std::string list = PropertyList().Integer("Count", 7).String("Text", "hello").Boolean("Flag", true).Colour(
      "Colour", Color::FromRGB(0x010203)).Bytes();
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

TEST(PropertyListDecoding, RefusesWhatItCannotRead) {
  // A name it does not know, or none at all.
  EXPECT_THROW(Decode("Colour \x01\x02\x03Unknown \x01"s), PropertyListException);
  EXPECT_THROW(Decode(" \x01"s), PropertyListException);
  // A name that never ends.
  EXPECT_THROW(Decode("Count"), PropertyListException);
  // String lengths past the end, the largest included.
  EXPECT_THROW(Decode("Text \0\0\0\x06short"s), PropertyListException);
  EXPECT_THROW(Decode("Text \xFF\xFF\xFF\xFFxyz"s), PropertyListException);
  // A Boolean must be 0 or 1.
  EXPECT_THROW(Decode("Flag \x02"s), PropertyListException);
  // Names are case-sensitive.
  EXPECT_THROW(Decode("count \0\0\0\x01"s), PropertyListException);
}

TEST(PropertyListDecoding, MessageNamesTheProblemAndThePlace) {
  try {
    Decode("Count \0\0\0\x01Mystery \x01"s);
    FAIL() << "no exception";
  } catch (const PropertyListException& error) {
    EXPECT_STREQ(error.ClassName(), "PropertyListException");
    EXPECT_NE(std::string(error.what()).find("Mystery"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("byte 18"), std::string::npos) << error.what();
  }
}

TEST(SetProperties, ChangesOnlyWhatTheListNames) {
  Thing thing;
  thing.SetProperties(PropertyList().Integer("Count", 3).Boolean("Flag", true).Bytes());
  thing.SetProperties(PropertyList().Integer("Count", 4).Bytes());
  EXPECT_EQ(thing.count, 4);
  EXPECT_TRUE(thing.flag);
  EXPECT_EQ(thing.text, "unset");
}

TEST(SetProperties, AListThatDoesNotDecodeChangesNothing) {
  Thing thing;
  const std::string list = PropertyList().Integer("Count", 3).String("Text", "new").Bytes() + "Flag";
  EXPECT_THROW(thing.SetProperties(list), PropertyListException);
  EXPECT_EQ(thing.count, 0);
  EXPECT_EQ(thing.text, "unset");
}

TEST(SetProperties, KeepsValuesThatHaveNoEffect) {
  Thing thing;
  EXPECT_FALSE(thing.KeptValue("Frame"));
  thing.SetProperties(PropertyList().Integer("Frame", 9).Bytes());
  ASSERT_TRUE(thing.KeptValue("Frame"));
  EXPECT_EQ(*thing.KeptValue("Frame"), PropertyValue(9));
  EXPECT_FALSE(thing.KeptValue("Count"));
}

}  // namespace
