#include <gtest/gtest.h>

#include "PropertyObject.h"

namespace {

using namespace std::string_literals;

// An object with one property of each type.
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

  const PropertyTable& Properties() const override {
    static const PropertyTable table = [] {
      PropertyTable t;
      t.Add("Count", &Thing::SetCount).Add("Flag", &Thing::SetFlag).Add("Colour", &Thing::SetColour);
      t.Add("Text", &Thing::SetText);
      return t;
    }();
    return table;
  }
};

// A list is applied whole or not at all: every cut that splits a record, and
// every record it cannot read, changes nothing.
TEST(PropertyList, AListThatDoesNotDecodeChangesNothing) {
  const std::string list = PropertyList()
                               .Integer("Count", -7)
                               .String("Text", "a b\0c"s)
                               .Boolean("Flag", true)
                               .Colour("Colour", Color::FromRGB(0x010203))
                               .Bytes();
  const std::vector<size_t> boundaries = {0, 10, 24, 30, 40};
  ASSERT_EQ(list.size(), boundaries.back()) << "each type in its width, a string's length in bytes";
  for (size_t cut = 1; cut < list.size(); ++cut) {
    Thing thing;
    if (std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end()) {
      EXPECT_NO_THROW(thing.SetProperties(list.substr(0, cut))) << "cut at " << cut;
    } else {
      EXPECT_THROW(thing.SetProperties(list.substr(0, cut)), PropertyListException) << "cut at " << cut;
      EXPECT_EQ(thing.count, 0) << "cut at " << cut;
    }
  }
  const std::string bad[] = {"Colour \x01\x02\x03Unknown \x01"s,  // a name it does not know
                             " \x01"s,                            // no name at all
                             "Text \0\0\0\x06short"s,             // string lengths past the end,
                             "Text \xFF\xFF\xFF\xFFxyz"s,         // the largest included
                             "Flag \x02"s,                        // a Boolean must be 0 or 1
                             "count \0\0\0\x01"s};                // names are case-sensitive
  for (const std::string& tail : bad) {
    Thing thing;
    EXPECT_THROW(thing.SetProperties("Count \0\0\0\x01"s + tail), PropertyListException)
        << testing::PrintToString(tail);
    EXPECT_EQ(thing.count, 0) << testing::PrintToString(tail);
  }
  Thing thing;
  thing.SetProperties(list);
  EXPECT_EQ(thing.count, -7);
  EXPECT_EQ(thing.text, "a b\0c"s);
  EXPECT_TRUE(thing.flag);
  EXPECT_EQ(thing.color.ToRGB(), 0x010203u);
}

}  // namespace
