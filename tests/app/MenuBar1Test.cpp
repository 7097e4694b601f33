#include <gtest/gtest.h>

#include <QKeySequence>

#include "AppleMenuItem.h"
#include "MenuBar1.h"
#include "MenuItemQt.h"
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
    {"EditUndo", Kind::Plain, "&R\xC3\xBC" "ckg\xC3\xA4ngig", "Cmd+Z", Qt::Key_Z},
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

TEST(MenuBar1, TwoMenusWithEveryItemInOrder) {
  Ref<app::MenuBar1> bar = MenuBar1();
  ASSERT_EQ(bar->Count(), 2);
  const MenuItem& file = *bar->Item(0);
  const MenuItem& edit = *bar->Item(1);
  EXPECT_EQ(file.Name(), "FileMenu");
  EXPECT_EQ(file.Text(), "&Ablage");
  EXPECT_EQ(edit.Name(), "EditMenu");
  EXPECT_EQ(edit.Text(), "&Bearbeiten");
  for (const MenuItem* menu : {&file, &edit}) {
    EXPECT_EQ(menu->KeyboardShortcut(), "");
    EXPECT_TRUE(menu->AutoEnable());
    EXPECT_EQ(dynamic_cast<const AppleMenuItem*>(menu), nullptr);
    EXPECT_EQ(dynamic_cast<const QuitMenuItem*>(menu), nullptr);
  }
  ExpectItems(file, kFileMenu, std::size(kFileMenu));
  ExpectItems(edit, kEditMenu, std::size(kEditMenu));
  MenuBar1_Release();
}

TEST(MenuBar1, CaptionsArePrecomposedUtf8) {
  Ref<app::MenuBar1> bar = MenuBar1();
  const std::string undo = bar->Lookup("EditUndo")->Text();
  EXPECT_EQ(undo.size(), 13u);
  EXPECT_NE(undo, "&Ru\xCC\x88" "ckga\xCC\x88ngig") << "decomposed umlauts must not match";
  EXPECT_EQ(bar->Lookup("EditPaste")->Text().size(), 10u);
  EXPECT_EQ(bar->Lookup("EditClear")->Text().size(), 9u);
  EXPECT_EQ(bar->Lookup("EditSelectAll")->Text().size(), 17u);
  EXPECT_EQ(bar->Lookup("MnuAbout")->Text(), "About Quillbarrow...") << "three full stops, no ellipsis";
  MenuBar1_Release();
}

TEST(MenuBar1, TheAboutItemIsFoundTwoLevelsDown) {
  Ref<app::MenuBar1> bar = MenuBar1();
  EXPECT_TRUE(bar->Child("MnuAbout").IsNil());
  Ref<AppleMenuItem> about = RefCast<AppleMenuItem>(bar->Lookup("MnuAbout"));
  ASSERT_FALSE(about.IsNil());
  EXPECT_EQ(about.shared().get(), bar->Child("FileMenu")->Item(0).shared().get());
  MenuBar1_Release();
}

TEST(MenuBar1, ASecondCallBuildsNothing) {
  Ref<app::MenuBar1> first = MenuBar1();
  Ref<app::MenuBar1> second = MenuBar1();
  EXPECT_EQ(first.shared().get(), second.shared().get());
  ASSERT_EQ(second->Count(), 2);
  EXPECT_EQ(second->Item(0)->Count(), 2);
  EXPECT_EQ(second->Item(1)->Count(), 8);
  EXPECT_EQ(second->Qt().Bar()->actions().size(), 2);
  EXPECT_EQ(second->Item(1)->Qt().Menu().actions().size(), 8);
  MenuBar1_Release();
  first.Release();
  second.Release();
  EXPECT_EQ(MenuBar1()->Count(), 2) << "after the release a new bar is built";
  MenuBar1_Release();
}

}  // namespace
