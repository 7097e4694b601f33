#pragma once
// The About window: a fixed picture (qzWindowAbout) with a column of labels
// at its right: two static texts, and two links, to the maker's web page and
// to the support mail address. It holds no state of its own besides its
// controls; closing it is always allowed and never quits the application.

#include <string>

#include "Label.h"
#include "Picture.h"
#include "Ref.h"
#include "Window.h"
#include "qzURILabel.h"

// The class lives in the namespace of its folder, so that the accessor of its
// one instance below can bear the class's own name.
namespace about {

class qzWndAbout : public Window {
public:
  static constexpr const char* kRegisteredName = "qzWndAbout.qzWndAbout";
  qzWndAbout() : Window(kRegisteredName) {}

  // Built from the window's lists (qzWndAboutLayout.cpp).
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  Ref<qzURILabel> LblLinkWebpage() const;
  Ref<qzURILabel> LblLinkMailSupport() const;
  Ref<Label> LblRegisteredTo() const;
  Ref<Label> LblThanksTo() const;

  // The links' URIs, each given the label that asks.
  std::string LblLinkWebpage_InitURI(qzURILabel& label);
  std::string LblLinkMailSupport_InitURI(qzURILabel& label);

  void Event_Close() override;
  bool Event_CancelClose(bool appQuitting) override;
};

}  // namespace about

// The one About window: the open one, or a new one, built and shown.
Ref<about::qzWndAbout> qzWndAbout();

// The About window's picture, "qzWindowAbout.png" in the bundle's resources;
// nil while it cannot be read. Once read, it is kept for the rest of the run.
Ref<Picture> qzWindowAbout();
