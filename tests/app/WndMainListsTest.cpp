// The main window's lists, decoded with the tables of the classes they build,
// against the records they must hold, in order, to the last byte.

#include <gtest/gtest.h>

#include "Label.h"
#include "PushButton.h"
#include "TextField.h"
#include "Window.h"
#include "WndMainLists.h"

namespace {

using namespace std::string_literals;
using Records = std::vector<PropertyRecord>;

const Color kBlack = Color::FromRGB(0x000000);
const Color kWhite = Color::FromRGB(0xFFFFFF);

// The twelve records every control's list begins with, then the rest.
Records Control(const std::string& name, int32_t left, int32_t top, int32_t width, int32_t height, int32_t tabIndex,
                const Records& rest) {
  Records records = {{"Name", name},       {"Index", INT32_MIN},  {"Left", left},       {"Top", top},
                     {"Width", width},     {"Height", height},    {"LockLeft", true},   {"LockTop", true},
                     {"LockRight", false}, {"LockBottom", false}, {"TabPanelIndex", 0}, {"TabIndex", tabIndex}};
  records.insert(records.end(), rest.begin(), rest.end());
  return records;
}

Records LabelRecords(const std::string& name, int32_t left, int32_t top, int32_t width, int32_t tabIndex,
                     const std::string* text, int32_t align) {
  Records rest = {{"TextAlign", align},     {"TextColor", kBlack},   {"Multiline", false},   {"Enabled", true},
                  {"Visible", true},        {"Selectable", false},   {"Transparent", false}, {"HelpTag", ""s},
                  {"AutoDeactivate", true}, {"TextFont", "System"s}, {"Bold", false},        {"Italic", false},
                  {"Underline", false},     {"DataSource", ""s},     {"DataField", ""s},     {"InitialParent", ""s}};
  if (text) rest.insert(rest.begin(), {"Text", *text});
  return Control(name, left, top, width, 20, tabIndex, rest);
}

Records FieldRecords(const std::string& name, int32_t top, int32_t width, int32_t tabIndex, const std::string& cue,
                     const std::string& text, const std::string& mask, int32_t limit) {
  // clang-format off
  return Control(name, 153, top, width, 22, tabIndex, {
      {"TabStop", true}, {"Border", true}, {"Password", false}, {"UseFocusRing", true}, {"TextColor", kBlack},
      {"BackColor", kWhite}, {"Enabled", true}, {"Format", ""s}, {"Visible", true}, {"HelpTag", ""s},
      {"AutoDeactivate", true}, {"TextFont", "System"s}, {"Bold", false}, {"Italic", false}, {"Underline", false},
      {"CueText", cue}, {"Text", text}, {"Mask", mask}, {"ReadOnly", false}, {"LimitText", limit},
      {"AcceptTabs", false}, {"Alignment", 0}, {"AutomaticallyCheckSpelling", false}, {"DataSource", ""s},
      {"DataField", ""s}});
  // clang-format on
}

TEST(WndMainLists, TheWindowsListHoldsItsTwentyOneRecords) {
  const std::string& list = WndMainLists::Window();
  EXPECT_EQ(list.size(), 287u);
  EXPECT_EQ(list.substr(0, 24), "Placement \0\0\0\0Width \0\0\x02\x0F"s);
  // clang-format off
  const Records expected = {
      {"Placement", 0}, {"Width", 527}, {"Height", 85}, {"MinWidth", 64}, {"MinHeight", 64},
      {"MaxWidth", 32000}, {"MaxHeight", 32000}, {"Frame", 9}, {"Composite", true}, {"HasBackColor", false},
      {"BackColor", kWhite}, {"Title", "Tamberlow (Brisquel)"s}, {"Visible", true}, {"FullScreen", false},
      {"MenuBarVisible", true}, {"CloseButton", true}, {"Resizeable", false}, {"LiveResize", false},
      {"MaximizeButton", false}, {"MinimizeButton", true}, {"MacProcID", 0}};
  // clang-format on
  EXPECT_EQ(Window::Table().Decode(list), expected);
}

// Each control's list, its length, and its records to the last byte.
TEST(WndMainLists, TheControlsListsHoldTheirRecords) {
  const std::string mb = "MB";
  const std::tuple<const char*, const std::string&, size_t, const PropertyTable&, Records> lists[] = {
      {"Label1", WndMainLists::Label1(), 336, Label::Table(), LabelRecords("Label1", 14, 14, 127, 0, nullptr, 2)},
      {"LblSize", WndMainLists::LblSize(), 348, Label::Table(), LabelRecords("LblSize", 209, 14, 64, 2, &mb, 0)},
      {"Label2", WndMainLists::Label2(), 336, Label::Table(), LabelRecords("Label2", 14, 46, 127, 3, nullptr, 2)},
      {"EdfDiskName", WndMainLists::EdfDiskName(), 460, TextField::Table(),
       FieldRecords("EdfDiskName", 45, 193, 4, "RamDisk", "RamDisk", "", 0)},
      {"EdfSize", WndMainLists::EdfSize(), 448, TextField::Table(),
       FieldRecords("EdfSize", 13, 50, 6, "", "50", "9999", 4)},
      {"BtnCreate", WndMainLists::BtnCreate(), 289, PushButton::Table(),
       // clang-format off
       Control("BtnCreate", 367, 45, 140, 20, 5, {
           {"TabStop", true}, {"Default", true}, {"Cancel", false}, {"Enabled", true}, {"Visible", true},
           {"HelpTag", ""s}, {"AutoDeactivate", true}, {"ButtonStyle", 0}, {"TextFont", "System"s},
           {"Bold", false}, {"Italic", false}, {"Underline", false}, {"InitialParent", ""s}})}};
  // clang-format on
  for (const auto& [name, list, size, table, expected] : lists) {
    EXPECT_EQ(list.size(), size) << name;
    EXPECT_EQ(table.Decode(list), expected) << name;
  }
  EXPECT_EQ(WndMainLists::Label1().substr(0, 25), "Name \0\0\0\x06Label1Index \x80\0\0\0"s);
}

}  // namespace
