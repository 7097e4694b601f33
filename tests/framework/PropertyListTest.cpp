#include "Fixtures.h"

namespace {

using namespace std::string_literals;

using PropertyListTest = WindowTest;

// A list is applied whole or not at all: every cut that splits a record, and
// every record it cannot read, changes nothing.
TEST_F(PropertyListTest, AListThatDoesNotDecodeChangesNothing) {
  const std::string list = PropertyList()
                               .Integer("Width", 170)
                               .String("Title", "a b\0c"s)
                               .Boolean("Resizeable", true)
                               .Colour("BackColor", Color::FromRGB(0x010203))
                               .Bytes();
  const int32_t width = New<TestWindow>()->Width();
  const std::vector<size_t> boundaries = {0, 10, 25, 37, 50};
  ASSERT_EQ(list.size(), boundaries.back()) << "each type in its width, a string's length in bytes";
  for (size_t cut = 1; cut < list.size(); ++cut) {
    auto window = New<TestWindow>();
    if (std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end()) {
      EXPECT_NO_THROW(window->SetProperties(list.substr(0, cut))) << "cut at " << cut;
    } else {
      EXPECT_THROW(window->SetProperties(list.substr(0, cut)), PropertyListException) << "cut at " << cut;
      EXPECT_EQ(window->Width(), width) << "cut at " << cut;
    }
  }
  const std::string bad[] = {"BackColor \x01\x02\x03Unknown \x01"s,  // a name it does not know
                             "Title \0\0\0\x06short"s,               // string lengths past the end,
                             "Title \xFF\xFF\xFF\xFFxyz"s,           // the largest included
                             "Resizeable \x02"s,                     // a Boolean must be 0 or 1
                             "width \0\0\0\x01"s};                   // names are case-sensitive
  for (const std::string& tail : bad) {
    auto window = New<TestWindow>();
    EXPECT_THROW(window->SetProperties("Width \0\0\0\x01"s + tail), PropertyListException)
        << testing::PrintToString(tail);
    EXPECT_EQ(window->Width(), width) << testing::PrintToString(tail);
  }
  auto window = New<TestWindow>();
  window->SetProperties(list);
  EXPECT_EQ(window->Width(), 170);
  EXPECT_EQ(window->Title(), "a b\0c"s);
  EXPECT_TRUE(window->Resizeable());
  EXPECT_EQ(window->BackColor().ToRGB(), 0x010203u);
}

}  // namespace
