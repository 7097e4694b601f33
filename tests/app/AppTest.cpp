#include <gtest/gtest.h>

#include <QMenu>

#include <cstdlib>

#include "App.h"
#include "MenuBar1.h"
#include "MenuItemQt.h"
#include "MessageRecorder.h"
#include "Runtime.h"
#include "TempDir.h"
#include "internal/WindowAccess.h"
#include "qzSettings.h"
#include "qzWndAbout.h"

namespace {

const char* const kHeader = "Version: qzSettings01\n[APPLICATION SETTINGS]\n";

// The application object alone, with a preferences folder of its own.
class AppTest : public testing::Test {
protected:
  AppTest() {
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    qzSettings_ResetForTests();
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    RuntimeInit(argc, argv);
  }
  ~AppTest() override {
    MenuBar1_Release();
    qzSettings_ResetForTests();
  }

  std::filesystem::path Prefs() const { return dir_ / "Quillbarrow.pref"; }

  // Made and registered as start-up does, which raises Open.
  Ref<app::App> Register() {
    Ref<app::App> app = New<app::App>();
    app->SetMenuBar(MenuBar1());
    RuntimeRegisterAppObject(app);
    return app;
  }

  TempDir dir_;
  MessageRecorder messages_;
};

TEST_F(AppTest, OpenKeepsWhatTheFileGivesAndFillsInTheMissingDefault) {
  WriteFile(Prefs(), std::string(kHeader) + "RamDiskSize: 200\n");
  Register();
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 200);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "RamDisk");
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(AppTest, FirstRunGetsBothDefaultsAndCloseWritesThem) {
  Ref<app::App> app = Register();
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 50);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "RamDisk");
  EXPECT_FALSE(std::filesystem::exists(Prefs())) << "Open writes nothing";
  app->Event_Close();
  EXPECT_EQ(ReadFile(Prefs()), std::string(kHeader) + "RamDiskSize: 50\nRamDiskName: RamDisk\n");
}

TEST_F(AppTest, AnInvalidFileIsReportedDuringOpenAndNeverWritten) {
  const std::string invalid = "Version: somebody else's\nRamDiskSize: 9\n";
  WriteFile(Prefs(), invalid);
  Ref<app::App> app = Register();
  EXPECT_EQ(messages_.texts, std::vector<std::string>{"Error 01: Preference file exists but is not valid"});
  EXPECT_EQ(qzSettingsGet_Integer("RamDiskSize"), 50);
  EXPECT_EQ(qzSettingsGet_String("RamDiskName"), "RamDisk");
  app->Event_Close();
  EXPECT_EQ(ReadFile(Prefs()), invalid);
  EXPECT_EQ(messages_.texts.size(), 1u);
}

TEST_F(AppTest, EnableMenuItemsEnablesTheAboutItemWhateverItsState) {
  Ref<app::App> app = Register();
  MnuAbout()->SetEnabled(false);
  app->Event_EnableMenuItems();
  EXPECT_TRUE(MnuAbout()->Enabled());
  app->Event_EnableMenuItems();
  EXPECT_TRUE(MnuAbout()->Enabled()) << "an enabled item stays enabled";

  // As the user opens the File menu: the framework raises the event.
  MnuAbout()->SetAutoEnable(false);  // so that only the event can enable it
  MnuAbout()->SetEnabled(false);
  QMenu& file = app->MenuBar()->Child("FileMenu")->Qt().Menu();
  file.popup(QPoint(0, 0));
  file.hide();
  EXPECT_TRUE(MnuAbout()->Enabled());
}

TEST_F(AppTest, WithoutTheAboutItemEnableMenuItemsRaisesNilObjectException) {
  EXPECT_THROW(MnuAbout(), NilObjectException) << "no application object yet";
  Ref<app::App> app = New<app::App>();
  RuntimeRegisterAppObject(app);
  EXPECT_THROW(app->Event_EnableMenuItems(), NilObjectException) << "no menu bar";
  app->SetMenuBar(New<MenuBar>());
  EXPECT_TRUE(MnuAbout().IsNil());
  EXPECT_THROW(app->Event_EnableMenuItems(), NilObjectException);
}

TEST_F(AppTest, TheAboutHandlerShowsTheAboutWindowAndAnswersTheChoice) {
  Register();
  EXPECT_TRUE(App()->MnuAbout_Action());
  const Ref<Window> about = GetImplicitWindow(about::qzWndAbout::kRegisteredName);
  ASSERT_FALSE(about.IsNil());
  EXPECT_TRUE(WindowWidgetOf(*about)->isVisible());
  EXPECT_EQ(app::App::LocMnuAbout(), "About Quillbarrow...");
  DestroyAllWindows();
}

}  // namespace
