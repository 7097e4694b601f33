#include <gtest/gtest.h>

#include <QKeySequence>

#include "AppleMenuItem.h"
#include "MenuBar1.h"
#include "internal/MenuItemQt.h"
#include "QuitMenuItem.h"

namespace {

enum class Kind { Plain, About, Quit };

struct Row {
  const char* name;
  Kind kind;
  std::string text;  // UTF-8 bytes, umlauts precomposed
  std::string shortcut;
  int key;  // the toolkit's key with the command modifier; 0 for none
};

const Row kFileMenu[] = {
    {"MnuAbout", Kind::About, "About Quillbarrow...", "", 0},
    {"FileQuit", Kind::Quit, "Beenden", "Cmd+Q", Qt::Key_Q},
};

const Row kEditMenu[] = {
    {"EditUndo", Kind::Plain,
     "&R\xC3\xBC"
     "ckg\xC3\xA4ngig",
     "Cmd+Z", Qt::Key_Z},
    {"UntitledMenu1", Kind::Plain, "-", "", 0},
    {"EditCut", Kind::Plain, "&Ausschneiden", "Cmd+X", Qt::Key_X},
    {"EditCopy", Kind::Plain, "&Kopieren", "Cmd+C", Qt::Key_C},
    {"EditPaste", Kind::Plain, "&Einf\xC3\xBCgen", "Cmd+V", Qt::Key_V},
    {"EditClear", Kind::Plain, "&L\xC3\xB6schen", "", 0},
    {"UntitledMenu0", Kind::Plain, "-", "", 0},
    {"EditSelectAll", Kind::Plain, "&Alles ausw\xC3\xA4hlen", "Cmd+A", Qt::Key_A},
};

void ExpectItems(const MenuItem& menu, const Row* rows, size_t count) {
  ASSERT_EQ(menu.Count(), static_cast<int32_t>(count)) << menu.Name();
  for (size_t i = 0; i < count; ++i) {
    const Row& row = rows[i];
    const MenuItem& item = *menu.Item(static_cast<int32_t>(i));
    SCOPED_TRACE(row.name);
    EXPECT_EQ(item.Name(), row.name);
    EXPECT_EQ(dynamic_cast<const AppleMenuItem*>(&item) != nullptr, row.kind == Kind::About);
    EXPECT_EQ(dynamic_cast<const QuitMenuItem*>(&item) != nullptr, row.kind == Kind::Quit);
    EXPECT_EQ(item.Text(), row.text);
    EXPECT_EQ(item.Qt().Action().text().toUtf8().toStdString(), row.text == "-" ? "" : row.text);
    EXPECT_EQ(item.KeyboardShortcut(), row.shortcut);
    EXPECT_EQ(item.Qt().Action().shortcut(),
              row.key ? QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(row.key))) : QKeySequence());
    EXPECT_EQ(item.Qt().Action().isSeparator(), row.text == "-");
    EXPECT_TRUE(item.AutoEnable());
    EXPECT_EQ(item.Count(), 0);
  }
}

// Captions are compared byte for byte: umlauts precomposed, three full stops.
TEST(MenuBar1, TwoMenusWithEveryItemInOrder) {
  Ref<app::MenuBar1> bar = MenuBar1();
  ASSERT_EQ(bar->Count(), 2);
  const std::tuple<const char*, const char*, const Row*, size_t> menus[] = {
      {"FileMenu", "&Ablage", kFileMenu, std::size(kFileMenu)},
      {"EditMenu", "&Bearbeiten", kEditMenu, std::size(kEditMenu)}};
  for (int32_t i = 0; i < 2; ++i) {
    const auto& [name, text, rows, count] = menus[i];
    const MenuItem& menu = *bar->Item(i);
    EXPECT_EQ(menu.Name(), name);
    EXPECT_EQ(menu.Text(), text);
    EXPECT_EQ(menu.KeyboardShortcut(), "") << name;
    EXPECT_TRUE(menu.AutoEnable()) << name;
    EXPECT_EQ(dynamic_cast<const AppleMenuItem*>(&menu), nullptr) << name;
    EXPECT_EQ(dynamic_cast<const QuitMenuItem*>(&menu), nullptr) << name;
    ExpectItems(menu, rows, count);
  }
  // The About item is found two levels down, by a look over the whole tree.
  EXPECT_TRUE(bar->Child("MnuAbout").IsNil());
  EXPECT_EQ(bar->Lookup("MnuAbout").shared().get(), bar->Child("FileMenu")->Item(0).shared().get());
  MenuBar1_Release();
}

TEST(MenuBar1, ASecondCallBuildsNothing) {
  Ref<app::MenuBar1> first = MenuBar1();
  Ref<app::MenuBar1> second = MenuBar1();
  EXPECT_EQ(first.shared().get(), second.shared().get());
  EXPECT_EQ(second->Qt().Bar()->actions().size(), 2);
  EXPECT_EQ(second->Item(0)->Qt().Menu().actions().size(), 2);
  EXPECT_EQ(second->Item(1)->Qt().Menu().actions().size(), 8);
  MenuBar1_Release();
  first.Release();
  second.Release();
  EXPECT_EQ(MenuBar1()->Count(), 2) << "after the release a new bar is built";
  MenuBar1_Release();
}

}  // namespace
