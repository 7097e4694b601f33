#include "App.h"

#include "Localization.h"
#include "Runtime.h"
#include "qzSettings.h"
#include "qzWndAbout.h"

namespace app {

// The main window's fields show these two settings when they open, which is
// after this event.
void App::Event_Open() {
  qzSettings_Import();
  qzSettingsInit_Integer("RamDiskSize", 50);
  qzSettingsInit_String("RamDiskName", "RamDisk");
}

void App::Event_Close() { qzSettings_Export(); }

void App::Event_EnableMenuItems() { MnuAbout()->SetEnabled(true); }

// The one About window: built and shown the first time, brought to the
// front while it is open.
bool App::MnuAbout_Action() {
  qzWndAbout()->Show();
  return true;
}

std::string App::LocMnuAbout() { return GetLocalizedString("App.LocMnuAbout", "About Quillbarrow...", ""); }

}  // namespace app

Ref<app::App> App() { return RefCast<app::App>(GetAppObject()); }

Ref<AppleMenuItem> MnuAbout() { return RefCast<AppleMenuItem>(GetAppObject()->MenuBar()->Lookup("MnuAbout")); }
