#include "qzWndAboutLists.h"

#include <cstdint>

#include "PropertyList.h"

namespace {

constexpr int32_t kNoGroup = INT32_MIN;
constexpr Color kWhite = Color::FromRGB(0xFFFFFF);
// Shown only until the links open and paint themselves in the link colour.
constexpr Color kLinkLayoutColor = Color::FromRGB(0x96C8F0);

// What sets one label of the column apart from the others.
struct LabelPlace {
  const char* name;
  int32_t left, top, height, tabIndex;
  const char* text;
  int32_t align;
  Color color;
  bool multiline, locked;
};

// The column's labels are all 168 points wide, in plain system type. The
// links keep Transparent and Selectable at the end of their lists, the static
// texts right after HelpTag.
std::string LabelList(const LabelPlace& place, bool link) {
  PropertyList list;
  const auto transparentSelectable = [&list] { list.Boolean("Transparent", false).Boolean("Selectable", false); };
  list.String("InitialParent", "")
      .String("DataField", "")
      .String("DataSource", "")
      .Boolean("Underline", false)
      .Boolean("Italic", false)
      .Boolean("Bold", false)
      .String("TextFont", "System")
      .Boolean("AutoDeactivate", true)
      .String("HelpTag", "");
  if (!link) transparentSelectable();
  list.Boolean("Visible", true)
      .Boolean("Enabled", true)
      .Boolean("Multiline", place.multiline)
      .Colour("TextColor", place.color)
      .Integer("TextAlign", place.align)
      .String("Text", place.text)
      .Integer("TabIndex", place.tabIndex)
      .Integer("TabPanelIndex", 0)
      .Boolean("LockBottom", false)
      .Boolean("LockRight", false)
      .Boolean("LockTop", place.locked)
      .Boolean("LockLeft", place.locked)
      .Integer("Height", place.height)
      .Integer("Width", 168)
      .Integer("Top", place.top)
      .Integer("Left", place.left)
      .Integer("Index", kNoGroup)
      .String("Name", place.name);
  if (link) transparentSelectable();
  list.Boolean("TabStop", true);
  return list.Bytes();
}

}  // namespace

const std::string& qzWndAboutLists::Window() {
  static const std::string list = PropertyList()
                                      .Integer("Placement", 0)
                                      .Integer("Width", 512)
                                      .Integer("Height", 384)
                                      .Integer("MinWidth", 64)
                                      .Integer("MinHeight", 64)
                                      .Integer("MaxWidth", 32000)
                                      .Integer("MaxHeight", 32000)
                                      .Integer("Frame", 9)
                                      .Boolean("Composite", true)
                                      .Boolean("HasBackColor", false)
                                      .Colour("BackColor", kWhite)
                                      .String("Title", "")
                                      .Boolean("Visible", true)
                                      .Boolean("FullScreen", false)
                                      .Boolean("MenuBarVisible", true)
                                      .Boolean("CloseButton", true)
                                      .Boolean("Resizeable", false)
                                      .Boolean("LiveResize", false)
                                      .Boolean("MaximizeButton", false)
                                      .Boolean("MinimizeButton", false)
                                      .Integer("MacProcID", 0)
                                      .Bytes();
  return list;
}

// At the window's foot, reaching one point below it.
const std::string& qzWndAboutLists::LblLinkWebpage() {
  static const std::string list =
      LabelList({"LblLinkWebpage", 333, 365, 20, 0, "www.quillbarrow.example", 2, kLinkLayoutColor, false, false},
                true);
  return list;
}

const std::string& qzWndAboutLists::LblLinkMailSupport() {
  static const std::string list = LabelList(
      {"LblLinkMailSupport", 334, 153, 20, 0, "support@quillbarrow.example", 1, kLinkLayoutColor, false, false}, true);
  return list;
}

const std::string& qzWndAboutLists::LblRegisteredTo() {
  static const std::string list =
      LabelList({"LblRegisteredTo", 334, 68, 20, 2, "-Donationware-", 1, kWhite, false, true}, false);
  return list;
}

// Wrapped within its box.
const std::string& qzWndAboutLists::LblThanksTo() {
  static const std::string list =
      LabelList({"LblThanksTo", 334, 196, 114, 3, "You (for using this app)", 1, kWhite, true, true}, false);
  return list;
}
