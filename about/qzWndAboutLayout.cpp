// What the About window looks like: its picture and its labels, built from
// the window's lists, and the links' handlers.

#include "qzWndAbout.h"
#include "qzWndAboutLists.h"

namespace about {

void qzWndAbout::Layout() {
  SetBackdrop(qzWindowAbout());
  SetProperties(qzWndAboutLists::Window());
}

void qzWndAbout::CreateControls() { CreateControls0(); }

void qzWndAbout::CreateControls0() {
  // Each label: made, added under its name, reached through the window from
  // then on. The links get their handlers before they open and ask.
  AddControl("LblLinkWebpage", New<qzURILabel>(*this));
  LblLinkWebpage()->SetTextSize(11);
  LblLinkWebpage()->SetTextUnit(0);
  LblLinkWebpage()->SetProperties(qzWndAboutLists::LblLinkWebpage());
  LblLinkWebpage()->InitURI = [this](qzURILabel& label) { return LblLinkWebpage_InitURI(label); };

  AddControl("LblLinkMailSupport", New<qzURILabel>(*this));
  LblLinkMailSupport()->SetTextSize(11);
  LblLinkMailSupport()->SetTextUnit(0);
  LblLinkMailSupport()->SetProperties(qzWndAboutLists::LblLinkMailSupport());
  LblLinkMailSupport()->InitURI = [this](qzURILabel& label) { return LblLinkMailSupport_InitURI(label); };

  AddControl("LblRegisteredTo", New<Label>(*this));
  LblRegisteredTo()->SetTextSize(11);
  LblRegisteredTo()->SetTextUnit(0);
  LblRegisteredTo()->SetProperties(qzWndAboutLists::LblRegisteredTo());

  AddControl("LblThanksTo", New<Label>(*this));
  LblThanksTo()->SetTextSize(11);
  LblThanksTo()->SetTextUnit(0);
  LblThanksTo()->SetProperties(qzWndAboutLists::LblThanksTo());
}

Ref<qzURILabel> qzWndAbout::LblLinkWebpage() const { return RefCast<qzURILabel>(ControlByName("LblLinkWebpage")); }
Ref<qzURILabel> qzWndAbout::LblLinkMailSupport() const {
  return RefCast<qzURILabel>(ControlByName("LblLinkMailSupport"));
}
Ref<Label> qzWndAbout::LblRegisteredTo() const { return RefCast<Label>(ControlByName("LblRegisteredTo")); }
Ref<Label> qzWndAbout::LblThanksTo() const { return RefCast<Label>(ControlByName("LblThanksTo")); }

}  // namespace about
