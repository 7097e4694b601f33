#include <gtest/gtest.h>

#include "MenuBar1.h"

namespace {

// Captions are compared byte for byte: umlauts precomposed, three full stops.
TEST(MenuBar1, TwoMenusWithEveryItemItsCaptionAndItsShortcutInOrder) {
  std::vector<std::string> shown;
  const Ref<app::MenuBar1> bar = MenuBar1();
  for (int32_t i = 0; i < bar->Count(); ++i) {
    shown.push_back(bar->Item(i)->Text());
    for (int32_t j = 0; j < bar->Item(i)->Count(); ++j)
      shown.push_back("  " + bar->Item(i)->Item(j)->Text() + " " + bar->Item(i)->Item(j)->KeyboardShortcut());
  }
  MenuBar1_Release();
  EXPECT_EQ(shown,
            (std::vector<std::string>{"&Ablage", "  About Quillbarrow... ", "  Beenden Cmd+Q", "&Bearbeiten",
                                      "  &R\xC3\xBC"
                                      "ckg\xC3\xA4ngig Cmd+Z",
                                      "  - ", "  &Ausschneiden Cmd+X", "  &Kopieren Cmd+C", "  &Einf\xC3\xBCgen Cmd+V",
                                      "  &L\xC3\xB6schen ", "  - ", "  &Alles ausw\xC3\xA4hlen Cmd+A"}));
}

}  // namespace
