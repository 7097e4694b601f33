// What the main window looks like: its controls, built from the window's
// lists, and the handlers attached to them.

#include "WndMain.h"
#include "WndMainLists.h"

namespace app {

void WndMain::Layout() { SetProperties(WndMainLists::Window()); }

void WndMain::CreateControls() { CreateControls0(); }

void WndMain::CreateControls0() {
  // Each control: made, added under its name, reached through the window from
  // then on. Localised texts are set before the lists, which leave them be;
  // handlers come after, so the lists' texts reach none of them.
  AddControl("Label1", New<Label>(*this));
  Label1()->SetText(LocSize());
  Label1()->SetTextUnit(0);
  Label1()->SetProperties(WndMainLists::Label1());

  AddControl("LblSize", New<Label>(*this));
  LblSize()->SetTextUnit(0);
  LblSize()->SetProperties(WndMainLists::LblSize());

  AddControl("Label2", New<Label>(*this));
  Label2()->SetText(LocName());
  Label2()->SetTextUnit(0);
  Label2()->SetProperties(WndMainLists::Label2());

  AddControl("EdfDiskName", New<TextField>(*this));
  EdfDiskName()->SetTextUnit(0);
  EdfDiskName()->SetProperties(WndMainLists::EdfDiskName());
  EdfDiskName()->Open = [this](TextField& field) { EdfDiskName_Open(field); };
  EdfDiskName()->TextChange = [this](TextField& field) { EdfDiskName_TextChange(field); };

  AddControl("BtnCreate", New<PushButton>(*this));
  BtnCreate()->SetCaption(LocCreate());
  BtnCreate()->SetTextUnit(0);
  BtnCreate()->SetProperties(WndMainLists::BtnCreate());
  BtnCreate()->Action = [this](PushButton& button) { BtnCreate_Action(button); };

  AddControl("EdfSize", New<TextField>(*this));
  EdfSize()->SetTextUnit(0);
  EdfSize()->SetProperties(WndMainLists::EdfSize());
  EdfSize()->Open = [this](TextField& field) { EdfSize_Open(field); };
  EdfSize()->TextChange = [this](TextField& field) { EdfSize_TextChange(field); };
}

Ref<Label> WndMain::Label1() const { return RefCast<Label>(ControlByName("Label1")); }
Ref<Label> WndMain::LblSize() const { return RefCast<Label>(ControlByName("LblSize")); }
Ref<Label> WndMain::Label2() const { return RefCast<Label>(ControlByName("Label2")); }
Ref<TextField> WndMain::EdfDiskName() const { return RefCast<TextField>(ControlByName("EdfDiskName")); }
Ref<PushButton> WndMain::BtnCreate() const { return RefCast<PushButton>(ControlByName("BtnCreate")); }
Ref<TextField> WndMain::EdfSize() const { return RefCast<TextField>(ControlByName("EdfSize")); }

}  // namespace app
