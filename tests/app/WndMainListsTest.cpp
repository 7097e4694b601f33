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

Records LabelRecords(const std::string& name, int32_t left, int32_t top, int32_t width, int32_t tabIndex,
                     const std::string* text, int32_t align) {
  Records records = {{"Name", name},          {"Index", INT32_MIN},      {"Left", left},
                     {"Top", top},            {"Width", width},          {"Height", 20},
                     {"LockLeft", true},      {"LockTop", true},         {"LockRight", false},
                     {"LockBottom", false},   {"TabPanelIndex", 0},      {"TabIndex", tabIndex}};
  if (text) records.push_back({"Text", *text});
  const Records rest = {{"TextAlign", align},    {"TextColor", kBlack},      {"Multiline", false},
                        {"Enabled", true},       {"Visible", true},          {"Selectable", false},
                        {"Transparent", false},  {"HelpTag", ""s},           {"AutoDeactivate", true},
                        {"TextFont", "System"s}, {"Bold", false},            {"Italic", false},
                        {"Underline", false},    {"DataSource", ""s},        {"DataField", ""s},
                        {"InitialParent", ""s}};
  records.insert(records.end(), rest.begin(), rest.end());
  return records;
}

Records FieldRecords(const std::string& name, int32_t top, int32_t width, int32_t tabIndex, const std::string& cue,
                     const std::string& text, const std::string& mask, int32_t limit) {
  return {{"Name", name},           {"Index", INT32_MIN},     {"Left", 153},
          {"Top", top},             {"Width", width},         {"Height", 22},
          {"LockLeft", true},       {"LockTop", true},        {"LockRight", false},
          {"LockBottom", false},    {"TabPanelIndex", 0},     {"TabIndex", tabIndex},
          {"TabStop", true},        {"Border", true},         {"Password", false},
          {"UseFocusRing", true},   {"TextColor", kBlack},    {"BackColor", kWhite},
          {"Enabled", true},        {"Format", ""s},          {"Visible", true},
          {"HelpTag", ""s},         {"AutoDeactivate", true}, {"TextFont", "System"s},
          {"Bold", false},          {"Italic", false},        {"Underline", false},
          {"CueText", cue},         {"Text", text},           {"Mask", mask},
          {"ReadOnly", false},      {"LimitText", limit},     {"AcceptTabs", false},
          {"Alignment", 0},         {"AutomaticallyCheckSpelling", false},
          {"DataSource", ""s},      {"DataField", ""s}};
}

TEST(WndMainLists, TheWindowsListHoldsItsTwentyOneRecords) {
  const std::string& list = WndMainLists::Window();
  EXPECT_EQ(list.size(), 287u);
  EXPECT_EQ(list.substr(0, 24), "Placement \0\0\0\0Width \0\0\x02\x0F"s);
  const Records expected = {{"Placement", 0},        {"Width", 527},           {"Height", 85},
                            {"MinWidth", 64},        {"MinHeight", 64},        {"MaxWidth", 32000},
                            {"MaxHeight", 32000},    {"Frame", 9},             {"Composite", true},
                            {"HasBackColor", false}, {"BackColor", kWhite},    {"Title", "Tamberlow (Brisquel)"s},
                            {"Visible", true},       {"FullScreen", false},    {"MenuBarVisible", true},
                            {"CloseButton", true},   {"Resizeable", false},    {"LiveResize", false},
                            {"MaximizeButton", false}, {"MinimizeButton", true}, {"MacProcID", 0}};
  EXPECT_EQ(Window::Table().Decode(list), expected);
}

TEST(WndMainLists, TheLabelsListsHoldTheirRecords) {
  const std::string mb = "MB";
  EXPECT_EQ(WndMainLists::Label1().size(), 336u);
  EXPECT_EQ(WndMainLists::LblSize().size(), 348u);
  EXPECT_EQ(WndMainLists::Label2().size(), 336u);
  EXPECT_EQ(WndMainLists::Label1().substr(0, 25), "Name \0\0\0\x06Label1Index \x80\0\0\0"s);
  EXPECT_EQ(Label::Table().Decode(WndMainLists::Label1()), LabelRecords("Label1", 14, 14, 127, 0, nullptr, 2));
  EXPECT_EQ(Label::Table().Decode(WndMainLists::LblSize()), LabelRecords("LblSize", 209, 14, 64, 2, &mb, 0));
  EXPECT_EQ(Label::Table().Decode(WndMainLists::Label2()), LabelRecords("Label2", 14, 46, 127, 3, nullptr, 2));
  // Each ends with the empty InitialParent: its name, a blank, four zero bytes.
  EXPECT_EQ(WndMainLists::Label2().substr(336 - 18), "InitialParent \0\0\0\0"s);
}

TEST(WndMainLists, TheFieldsListsHoldTheirRecords) {
  EXPECT_EQ(WndMainLists::EdfDiskName().size(), 460u);
  EXPECT_EQ(WndMainLists::EdfSize().size(), 448u);
  EXPECT_EQ(TextField::Table().Decode(WndMainLists::EdfDiskName()),
            FieldRecords("EdfDiskName", 45, 193, 4, "RamDisk", "RamDisk", "", 0));
  EXPECT_EQ(TextField::Table().Decode(WndMainLists::EdfSize()),
            FieldRecords("EdfSize", 13, 50, 6, "", "50", "9999", 4));
}

TEST(WndMainLists, TheButtonsListHoldsItsTwentyFiveRecords) {
  EXPECT_EQ(WndMainLists::BtnCreate().size(), 289u);
  const Records expected = {{"Name", "BtnCreate"s},   {"Index", INT32_MIN},      {"Left", 367},
                            {"Top", 45},              {"Width", 140},            {"Height", 20},
                            {"LockLeft", true},       {"LockTop", true},         {"LockRight", false},
                            {"LockBottom", false},    {"TabPanelIndex", 0},      {"TabIndex", 5},
                            {"TabStop", true},        {"Default", true},         {"Cancel", false},
                            {"Enabled", true},        {"Visible", true},         {"HelpTag", ""s},
                            {"AutoDeactivate", true}, {"ButtonStyle", 0},        {"TextFont", "System"s},
                            {"Bold", false},          {"Italic", false},         {"Underline", false},
                            {"InitialParent", ""s}};
  EXPECT_EQ(PushButton::Table().Decode(WndMainLists::BtnCreate()), expected);
}

}  // namespace
