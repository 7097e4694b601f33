#pragma once
// A top-level window, built from its layout property list and its controls.
//
// Building (Constructor) raises the events Layout and CreateControls, in that
// order, shows the window when Visible is set, and only then raises every
// control's Open event in the order the controls were added. Before it is
// built a window has no widgets: its properties are only stored, and
// controls can be made from CreateControls on. A window class
// handles the events it wants by overriding the event methods below.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Color.h"
#include "Picture.h"
#include "PropertyObject.h"
#include "Ref.h"

class RectControl;
struct WindowPeer;

class Window : public PropertyObject, public std::enable_shared_from_this<Window> {
public:
  // registeredName is the class's qualified name ("WndMain.WndMain"): once
  // built, the window is that class's implicit instance until it closes.
  // Empty for a window that is no class's implicit instance.
  explicit Window(std::string registeredName = "");
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Builds the window as described above. The window must be held by a Ref
  // (it keeps itself alive while it is open).
  void Constructor();
  // Shows the window, brings it to the front and activates it.
  void Show();
  // Raises CancelClose (with appQuitting False), then, unless it answered
  // True, Close; then the window goes. A close requested while the window is
  // already closing, or after it has closed, does nothing.
  void Close();
  bool IsClosed() const { return closed_; }

  // The window holds the control under name from now on.
  void AddControl(const std::string& name, const Ref<RectControl>& control);
  // The control added under name; nil when there is none.
  Ref<RectControl> ControlByName(const std::string& name) const;
  const std::vector<Ref<RectControl>>& Controls() const { return controls_; }

  // Width and Height are the size of the content area (below any menu bar).
  // Unless Resizeable, the window keeps exactly that size; MinWidth and the
  // other limits act only on a resizeable window.
  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  void SetMinWidth(int32_t width);
  void SetMinHeight(int32_t height);
  void SetMaxWidth(int32_t width);
  void SetMaxHeight(int32_t height);
  void SetResizeable(bool resizeable);
  void SetTitle(const std::string& title);
  // Before the window is built this only decides whether building shows it.
  void SetVisible(bool visible);
  void SetFullScreen(bool fullScreen);
  void SetCloseButton(bool has);
  void SetMinimizeButton(bool has);
  void SetMaximizeButton(bool has);
  // Whether the menu bar, if the window carries one, is shown.
  void SetMenuBarVisible(bool visible);
  // BackColor fills the content area only while HasBackColor is set.
  void SetHasBackColor(bool has);
  void SetBackColor(Color color);
  // Drawn unscaled from the content area's top left corner, over any
  // BackColor, below the controls; nil for none.
  void SetBackdrop(const Ref<Picture>& picture);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t MinWidth() const { return minWidth_; }
  int32_t MinHeight() const { return minHeight_; }
  int32_t MaxWidth() const { return maxWidth_; }
  int32_t MaxHeight() const { return maxHeight_; }
  bool Resizeable() const { return resizeable_; }
  const std::string& Title() const { return title_; }
  bool Visible() const { return visible_; }
  bool FullScreen() const { return fullScreen_; }
  bool CloseButton() const { return closeButton_; }
  bool MinimizeButton() const { return minimizeButton_; }
  bool MaximizeButton() const { return maximizeButton_; }
  bool MenuBarVisible() const { return menuBarVisible_; }
  bool HasBackColor() const { return hasBackColor_; }
  Color BackColor() const { return backColor_; }
  const Ref<Picture>& Backdrop() const { return backdrop_; }

  static const PropertyTable& Table();
  const PropertyTable& Properties() const override { return Table(); }

protected:
  // The window's events. Layout and CreateControls are raised while the
  // window is built; CancelClose answers True to refuse a closing (appQuitting
  // tells whether the application is quitting); Close is raised as it closes,
  // before its controls' Close events.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual bool Event_CancelClose(bool appQuitting);
  virtual void Event_Close() {}

private:
  friend struct WindowAccess;
  friend class RectControl;

  enum : unsigned { kSizeGroup = 1, kFlagsGroup = 2, kBackgroundGroup = 4 };
  void ApplyGroups(unsigned groups) override;
  void ApplySize();
  void ApplyFlags();
  void ApplyBackground();
  void ContentResized(int32_t width, int32_t height);

  std::unique_ptr<WindowPeer> peer_;
  std::string registeredName_;
  std::vector<Ref<RectControl>> controls_;
  std::vector<std::string> controlNames_;
  bool built_ = false;
  bool closing_ = false;
  bool closed_ = false;

  int32_t width_ = 100, height_ = 100;
  int32_t minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
  int32_t contentWidth_ = 0, contentHeight_ = 0;
  bool resizeable_ = true;
  std::string title_;
  bool visible_ = true;
  bool fullScreen_ = false;
  bool closeButton_ = true, minimizeButton_ = true, maximizeButton_ = true;
  bool menuBarVisible_ = true;
  bool hasBackColor_ = false;
  Color backColor_ = Color::FromRGB(0xFFFFFF);
  Ref<Picture> backdrop_;
};

// The implicit instance of the window class registered under qualifiedName
// ("WndMain.WndMain"): the built window of that class that has not closed;
// nil when there is none.
Ref<Window> GetImplicitWindow(const std::string& qualifiedName);
