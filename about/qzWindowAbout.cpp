// The About picture, read from the bundle once it can be and kept.

#include "Bundle.h"
#include "qzWndAbout.h"

namespace {
Ref<Picture>& Cache() {
  static Ref<Picture> picture;
  return picture;
}
}  // namespace

Ref<Picture> qzWindowAbout() {
  if (Cache()) return Cache();
  const Ref<FolderItem> resources = GetApplicationBundleResources();
  if (!resources) return nullptr;
  // Until a picture is read, each new window tries again.
  Cache() = resources->Child("qzWindowAbout.png")->OpenAsPicture();
  return Cache();
}
