#include "WndMainLists.h"

#include <cstdint>

#include "PropertyList.h"

namespace {

constexpr int32_t kNoGroup = INT32_MIN;
constexpr Color kBlack = Color::FromRGB(0x000000);
constexpr Color kWhite = Color::FromRGB(0xFFFFFF);

// Every control's list begins alike: its name, no group, its place, held to
// the window's top left edges, no tab panel, its place in the focus order.
PropertyList ControlList(const char* name, int32_t left, int32_t top, int32_t width, int32_t height,
                         int32_t tabIndex) {
  PropertyList list;
  list.String("Name", name)
      .Integer("Index", kNoGroup)
      .Integer("Left", left)
      .Integer("Top", top)
      .Integer("Width", width)
      .Integer("Height", height)
      .Boolean("LockLeft", true)
      .Boolean("LockTop", true)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Integer("TabPanelIndex", 0)
      .Integer("TabIndex", tabIndex);
  return list;
}

// Every control's text is in the platform's font, plain.
PropertyList& SystemFont(PropertyList& list) {
  return list.String("TextFont", "System").Boolean("Bold", false).Boolean("Italic", false).Boolean("Underline", false);
}

// The three labels differ in place, order, text and alignment only.
std::string LabelList(const char* name, int32_t left, int32_t top, int32_t width, int32_t tabIndex,
                      const char* text, int32_t align) {
  PropertyList list = ControlList(name, left, top, width, 20, tabIndex);
  if (text) list.String("Text", text);
  list.Integer("TextAlign", align)
      .Colour("TextColor", kBlack)
      .Boolean("Multiline", false)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .Boolean("Selectable", false)
      .Boolean("Transparent", false)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true);
  SystemFont(list).String("DataSource", "").String("DataField", "").String("InitialParent", "");
  return list.Bytes();
}

// The two fields differ in place, order, hint, text, mask and limit.
std::string TextFieldList(const char* name, int32_t top, int32_t width, int32_t tabIndex, const char* cueText,
                          const char* text, const char* mask, int32_t limitText) {
  PropertyList list = ControlList(name, 153, top, width, 22, tabIndex);
  list.Boolean("TabStop", true)
      .Boolean("Border", true)
      .Boolean("Password", false)
      .Boolean("UseFocusRing", true)
      .Colour("TextColor", kBlack)
      .Colour("BackColor", kWhite)
      .Boolean("Enabled", true)
      .String("Format", "")
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true);
  SystemFont(list)
      .String("CueText", cueText)
      .String("Text", text)
      .String("Mask", mask)
      .Boolean("ReadOnly", false)
      .Integer("LimitText", limitText)
      .Boolean("AcceptTabs", false)
      .Integer("Alignment", 0)
      .Boolean("AutomaticallyCheckSpelling", false)
      .String("DataSource", "")
      .String("DataField", "");
  return list.Bytes();
}

}  // namespace

const std::string& WndMainLists::Window() {
  static const std::string list = PropertyList()
                                      .Integer("Placement", 0)
                                      .Integer("Width", 527)
                                      .Integer("Height", 85)
                                      .Integer("MinWidth", 64)
                                      .Integer("MinHeight", 64)
                                      .Integer("MaxWidth", 32000)
                                      .Integer("MaxHeight", 32000)
                                      .Integer("Frame", 9)
                                      .Boolean("Composite", true)
                                      .Boolean("HasBackColor", false)
                                      .Colour("BackColor", kWhite)
                                      .String("Title", "Tamberlow (Brisquel)")
                                      .Boolean("Visible", true)
                                      .Boolean("FullScreen", false)
                                      .Boolean("MenuBarVisible", true)
                                      .Boolean("CloseButton", true)
                                      .Boolean("Resizeable", false)
                                      .Boolean("LiveResize", false)
                                      .Boolean("MaximizeButton", false)
                                      .Boolean("MinimizeButton", true)
                                      .Integer("MacProcID", 0)
                                      .Bytes();
  return list;
}

const std::string& WndMainLists::Label1() {
  static const std::string list = LabelList("Label1", 14, 14, 127, 0, nullptr, 2);
  return list;
}

const std::string& WndMainLists::LblSize() {
  static const std::string list = LabelList("LblSize", 209, 14, 64, 2, "MB", 0);
  return list;
}

const std::string& WndMainLists::Label2() {
  static const std::string list = LabelList("Label2", 14, 46, 127, 3, nullptr, 2);
  return list;
}

const std::string& WndMainLists::EdfDiskName() {
  static const std::string list = TextFieldList("EdfDiskName", 45, 193, 4, "RamDisk", "RamDisk", "", 0);
  return list;
}

const std::string& WndMainLists::BtnCreate() {
  static const std::string list = [] {
    PropertyList button = ControlList("BtnCreate", 367, 45, 140, 20, 5);
    button.Boolean("TabStop", true)
        .Boolean("Default", true)
        .Boolean("Cancel", false)
        .Boolean("Enabled", true)
        .Boolean("Visible", true)
        .String("HelpTag", "")
        .Boolean("AutoDeactivate", true)
        .Integer("ButtonStyle", 0);
    SystemFont(button).String("InitialParent", "");
    return button.Bytes();
  }();
  return list;
}

const std::string& WndMainLists::EdfSize() {
  static const std::string list = TextFieldList("EdfSize", 13, 50, 6, "", "50", "9999", 4);
  return list;
}
