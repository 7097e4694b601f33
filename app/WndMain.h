#pragma once
// The main window: the size and the name of the next RAM disk, and the
// "Create disk" button that creates it. The fields never feed the button:
// each stores its value in the settings as it changes, and the button reads
// the settings.

#include <cstdint>
#include <string>
#include <vector>

#include "Label.h"
#include "PushButton.h"
#include "Ref.h"
#include "TextField.h"
#include "Window.h"
#include "qzRamDisk.h"

class WndMainInspector;

// The class lives in the namespace of its folder, so that the accessor of its
// one instance below can bear the class's own name: app::WndMain is the
// class, WndMain() the accessor.
namespace app {

class WndMain : public Window {
public:
  static constexpr const char* kRegisteredName = "WndMain.WndMain";
  WndMain() : Window(kRegisteredName) {}

  // Built from the window's lists (WndMainLayout.cpp).
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  Ref<Label> Label1() const;
  Ref<Label> LblSize() const;
  Ref<Label> Label2() const;
  Ref<TextField> EdfDiskName() const;
  Ref<PushButton> BtnCreate() const;
  Ref<TextField> EdfSize() const;

  // The controls' handlers, each given the control that raised the event.
  void EdfDiskName_Open(TextField& field);
  void EdfDiskName_TextChange(TextField& field);
  void BtnCreate_Action(PushButton& button);
  void EdfSize_Open(TextField& field);
  void EdfSize_TextChange(TextField& field);
  void Event_Close() override;

  static std::string LocName();
  static std::string LocCreate();

protected:
  static std::string LocSize();

private:
  friend class ::WndMainInspector;  // the window's tests

  // Disks created so far; also the slot of RamDisk that the next press fills.
  int32_t RamDiskCount = 0;
  // The created disks' objects, oldest first; after a failed press, that
  // attempt's object in the last slot, which the next press replaces.
  std::vector<Ref<qzRamDisk>> RamDisk = std::vector<Ref<qzRamDisk>>(1);
};

}  // namespace app

// The one main window: the open one, or a new one, built and shown.
Ref<app::WndMain> WndMain();
