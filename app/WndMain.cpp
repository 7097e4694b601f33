#include "WndMain.h"

#include "Localization.h"
#include "Quit.h"
#include "Strings.h"
#include "qzSettings.h"

namespace app {

void WndMain::EdfDiskName_Open(TextField& field) { field.SetText(qzSettingsGet_String("RamDiskName")); }

void WndMain::EdfDiskName_TextChange(TextField& field) {
  // An emptied field stays empty; the next disk is still named.
  if (Len(field.Text()) > 0) {
    qzSettingsSet_String("RamDiskName", field.Text());
  } else {
    qzSettingsSet_String("RamDiskName", "RamDisk");
  }
}

void WndMain::EdfSize_Open(TextField& field) {
  const double stored = qzSettingsGet_Integer("RamDiskSize");
  field.SetText(Str(Max(1.0, stored)));
}

void WndMain::EdfSize_TextChange(TextField& field) {
  qzSettingsSet_Integer("RamDiskSize", ToInt32(Max(1.0, Val(field.Text()))));
}

void WndMain::BtnCreate_Action(PushButton&) {
  const size_t slot = static_cast<size_t>(RamDiskCount);
  if (RamDisk.size() < slot + 1) RamDisk.resize(slot + 1);
  RamDisk[slot] = New<qzRamDisk>();
  Ref<qzRamDisk> disk = RamDisk[slot];

  // Megabytes to bytes, saturating: from 4,096 MB on, the largest count
  // (Create makes 4 GiB of it); below 0 MB, none (Create makes its minimum).
  const uint32_t bytes = ToUInt32(qzSettingsGet_Integer("RamDiskSize") * 1048576.0);
  const std::string name = qzSettingsGet_String("RamDiskName");
  if (disk->Create(bytes, name)) RamDiskCount += 1;
}

void WndMain::Event_Close() { Quit(0); }

std::string WndMain::LocSize() { return GetLocalizedString("WndMain.LocSize", "Size of RAM disk:", ""); }
std::string WndMain::LocName() { return GetLocalizedString("WndMain.LocName", "Name of disk:", ""); }
std::string WndMain::LocCreate() { return GetLocalizedString("WndMain.LocCreate", "Create disk", ""); }

}  // namespace app

Ref<app::WndMain> WndMain() {
  Ref<app::WndMain> window = RefCast<app::WndMain>(GetImplicitWindow(app::WndMain::kRegisteredName));
  if (window.IsNil()) {
    window = New<app::WndMain>();
    window->Constructor();
  }
  return window;
}
