#pragma once
// The application object: it loads the settings when the application opens
// and writes them back when it closes, keeps the About menu item enabled and
// answers it.

#include <string>

#include "AppleMenuItem.h"
#include "Application.h"
#include "Ref.h"

// The class lives in the namespace of its folder, so that its accessor below
// can bear the class's own name.
namespace app {

class App : public Application {
public:
  void Event_Open() override;
  void Event_Close() override;
  void Event_EnableMenuItems() override;
  // The handler of the menu item "MnuAbout"; true: the choice is handled.
  bool MnuAbout_Action();

  // The About menu item's caption.
  static std::string LocMnuAbout();
};

}  // namespace app

// The registered application object. Using it while there is none raises
// NilObjectException.
Ref<app::App> App();
// The About menu item, looked up in the application's menu bar on every
// call; nil when the menu bar has no About item of that name.
Ref<AppleMenuItem> MnuAbout();
