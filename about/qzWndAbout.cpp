#include "qzWndAbout.h"

namespace about {

// The links stand for these, shown without their schemes (qzWndAboutLists.cpp).
std::string qzWndAbout::LblLinkWebpage_InitURI(qzURILabel&) { return "http://www.quillbarrow.example"; }

std::string qzWndAbout::LblLinkMailSupport_InitURI(qzURILabel&) { return "mailto:support@quillbarrow.example"; }

// The window is already closing when this runs: the call ends without effect.
void qzWndAbout::Event_Close() { Close(); }

// Neither its own closing nor the application's quitting waits for it.
bool qzWndAbout::Event_CancelClose(bool) { return false; }

}  // namespace about

Ref<about::qzWndAbout> qzWndAbout() {
  Ref<about::qzWndAbout> window = RefCast<about::qzWndAbout>(GetImplicitWindow(about::qzWndAbout::kRegisteredName));
  if (window.IsNil()) {
    window = New<about::qzWndAbout>();
    window->Constructor();
  }
  return window;
}
