#include "WndMainLists.h"

#include <cstdint>

#include "PropertyList.h"

namespace {

constexpr int32_t kNoGroup = INT32_MIN;
constexpr Color kBlack = Color::FromRGB(0x000000);
constexpr Color kWhite = Color::FromRGB(0xFFFFFF);

// The three labels differ in place, order, text and alignment only.
std::string LabelList(const char* name, int32_t left, int32_t top, int32_t width, int32_t tabIndex,
                      const char* text, int32_t align) {
  PropertyList list;
  list.String("Name", name)
      .Integer("Index", kNoGroup)
      .Integer("Left", left)
      .Integer("Top", top)
      .Integer("Width", width)
      .Integer("Height", 20)
      .Boolean("LockLeft", true)
      .Boolean("LockTop", true)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Integer("TabPanelIndex", 0)
      .Integer("TabIndex", tabIndex);
  if (text) list.String("Text", text);
  list.Integer("TextAlign", align)
      .Colour("TextColor", kBlack)
      .Boolean("Multiline", false)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .Boolean("Selectable", false)
      .Boolean("Transparent", false)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "System")
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return list.Bytes();
}

// The two fields differ in place, order, hint, text, mask and limit.
std::string TextFieldList(const char* name, int32_t top, int32_t width, int32_t tabIndex, const char* cueText,
                          const char* text, const char* mask, int32_t limitText) {
  return PropertyList()
      .String("Name", name)
      .Integer("Index", kNoGroup)
      .Integer("Left", 153)
      .Integer("Top", top)
      .Integer("Width", width)
      .Integer("Height", 22)
      .Boolean("LockLeft", true)
      .Boolean("LockTop", true)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Integer("TabPanelIndex", 0)
      .Integer("TabIndex", tabIndex)
      .Boolean("TabStop", true)
      .Boolean("Border", true)
      .Boolean("Password", false)
      .Boolean("UseFocusRing", true)
      .Colour("TextColor", kBlack)
      .Colour("BackColor", kWhite)
      .Boolean("Enabled", true)
      .String("Format", "")
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "System")
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("CueText", cueText)
      .String("Text", text)
      .String("Mask", mask)
      .Boolean("ReadOnly", false)
      .Integer("LimitText", limitText)
      .Boolean("AcceptTabs", false)
      .Integer("Alignment", 0)
      .Boolean("AutomaticallyCheckSpelling", false)
      .String("DataSource", "")
      .String("DataField", "")
      .Bytes();
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
  static const std::string list = PropertyList()
                                      .String("Name", "BtnCreate")
                                      .Integer("Index", kNoGroup)
                                      .Integer("Left", 367)
                                      .Integer("Top", 45)
                                      .Integer("Width", 140)
                                      .Integer("Height", 20)
                                      .Boolean("LockLeft", true)
                                      .Boolean("LockTop", true)
                                      .Boolean("LockRight", false)
                                      .Boolean("LockBottom", false)
                                      .Integer("TabPanelIndex", 0)
                                      .Integer("TabIndex", 5)
                                      .Boolean("TabStop", true)
                                      .Boolean("Default", true)
                                      .Boolean("Cancel", false)
                                      .Boolean("Enabled", true)
                                      .Boolean("Visible", true)
                                      .String("HelpTag", "")
                                      .Boolean("AutoDeactivate", true)
                                      .Integer("ButtonStyle", 0)
                                      .String("TextFont", "System")
                                      .Boolean("Bold", false)
                                      .Boolean("Italic", false)
                                      .Boolean("Underline", false)
                                      .String("InitialParent", "")
                                      .Bytes();
  return list;
}

const std::string& WndMainLists::EdfSize() {
  static const std::string list = TextFieldList("EdfSize", 13, 50, 6, "", "50", "9999", 4);
  return list;
}
