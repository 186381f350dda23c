// The updater's window on the headless display: once shown it runs the update by itself and
// shows the outcome, the old and new database, or why the old one was left alone.

#include "MainWindowFixture.h"

#include "app/updater/UpdateForm.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "ipdb/GeoIPReader.h"
#include "tests/app/TestFiles.h"

#include <filesystem>

namespace {

class UpdateFormTest : public MainWindowTest {
protected:
    // Shows the updater's window and lets its loop run until the update is over.
    TUpdateForm* RunUpdater(const UpdateSources& sources) {
        updater.reset(new TUpdateForm(nullptr));
        updater->Sources = sources;
        updater->AfterConstruction();
        updater->Show();
        for (int round = 0; round < 20 && !updater->Finished(); ++round)
            platform::headless::RunFor(100);
        Pump();
        return updater.get();
    }
    void TearDown() override {
        updater.reset();
        MainWindowTest::TearDown();
    }

    std::unique_ptr<TUpdateForm> updater;
};

TEST_F(UpdateFormTest, MissingGeoIPDataIsToldAndTheDatabaseStays) {
    WriteDatabase();
    std::string before = ReadBytes(work / "QQWry.Dat");
    UpdateSources sources = InstalledUpdateSources();
    sources.geoipPath = work / "GeoIP.dat";
    TUpdateForm* window = RunUpdater(sources);
    ASSERT_TRUE(window->Finished());
    EXPECT_EQ(window->StepPanel->Caption(), "升级失败，原数据库没有改动。");
    EXPECT_NE(window->ResultMemo->Lines()->Text().find("找不到 GeoIP 数据文件"), std::string::npos);
    EXPECT_TRUE(window->CloseButton->Enabled());
    EXPECT_EQ(ReadBytes(work / "QQWry.Dat"), before);
}

TEST_F(UpdateFormTest, ShowsTheOldAndNewDatabaseAfterReplacingIt) {
    if (!HaveGeoIP() || !std::filesystem::exists(DefaultGeoIPDatabase))
        GTEST_SKIP() << DefaultGeoIPDatabase << " or libgeoip is absent (geoip-database, libgeoip-dev)";
    WriteDatabase();
    TUpdateForm* window = RunUpdater(InstalledUpdateSources());
    ASSERT_TRUE(window->Finished());
    EXPECT_EQ(window->ProgressBar1->Position(), 100);
    EXPECT_EQ(window->StepPanel->Caption(), "升级完成。");
    EXPECT_EQ(window->ResultMemo->Lines()->Text().rfind("原数据库：5条，2010年5月23日\r\n新数据库：", 0), 0u);
    EXPECT_GT(SummarizeDatabase("QQWry.Dat").records, 100000);
    platform::headless::SaveWindowPng(window->Handle(),
                                      std::string(QUILLMERE_BIN_DIR) + "/updater-window.png");

    // Escape (the close button) ends the window.
    platform::headless::TypeKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
}

} // namespace
