// The window's second page and the start-up: the database's facts in the memo, the errors of a
// missing or date-less database shown by the standard error display while the window still
// opens, and the updater started from beside the program only when it is there.

#include "MainWindowFixture.h"

#include "app/UpdateCommands.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

using Texts = std::vector<std::string>;

Texts MemoLines(TForm1* window) {
    Texts lines;
    for (int i = 0; i < window->Memo1->Lines()->Count(); ++i)
        lines.push_back((*window->Memo1->Lines())[i]);
    return lines;
}

Texts Bounds(TControl* control) {
    return {std::to_string(control->Left()), std::to_string(control->Top()), std::to_string(control->Width()),
            std::to_string(control->Height())};
}

std::string FileSize(const std::string& path) {
    return std::to_string(std::filesystem::file_size(path));
}

TEST_F(MainWindowTest, HasTwoPagesAStatusBarAndTheDatabaseFacts) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ASSERT_EQ(window->PageControl1->PageCount(), 2);
    EXPECT_EQ(window->PageControl1->ActivePage(), window->TabSheet1);
    EXPECT_EQ(window->TabSheet1->Caption(), "进程连接列表");
    EXPECT_EQ(window->TabSheet2->Caption(), "IP数据库维护");
    EXPECT_EQ(window->PageControl1->Align(), alClient);
    EXPECT_EQ(window->Panel1->Parent(), window->TabSheet1);
    EXPECT_EQ(window->StringGrid1->Parent(), window->TabSheet1);

    EXPECT_EQ(window->StatusBar1->Align(), alBottom);
    EXPECT_EQ(window->StatusBar1->Height(), 19);
    ASSERT_EQ(window->StatusBar1->Panels()->Count(), 3);
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(window->StatusBar1->Panels()->Items(panel)->Width(), 150);
    EXPECT_EQ(window->PageControl1->Top() + window->PageControl1->Height(), window->StatusBar1->Top());

    EXPECT_EQ(window->Memo1->Parent(), window->TabSheet2);
    EXPECT_EQ(window->Memo1->Align(), alTop);
    EXPECT_EQ(window->Memo1->Height(), 89);
    EXPECT_EQ(window->Memo1->ScrollBars(), ssVertical);
    EXPECT_EQ(window->Button_IPVer->Caption(), "数据库版本");
    EXPECT_EQ(Bounds(window->Button_IPVer), (Texts{"8", "96", "85", "25"}));
    EXPECT_EQ(window->Button3->Caption(), "升级IP数据库");
    EXPECT_EQ(Bounds(window->Button3), (Texts{"96", "96", "85", "25"}));

    EXPECT_EQ(MemoLines(window), (Texts{"文件大小：" + FileSize(work / "QQWry.Dat") + "字节", "记录总数：5条",
                                        "更新日期：2010年5月23日", "数据库版本：示例数据"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, BeforeItsCreationHandlerTheWindowHoldsItsDesignTexts) {
    TForm1 window(nullptr);
    EXPECT_EQ(window.Caption(), "Quillmere");
    EXPECT_EQ(window.StatusText(0), "");
    EXPECT_EQ(window.StatusText(2), "发现 TCP/UDP 连接端口： 0 个");
    EXPECT_EQ(MemoLines(&window), Texts{"Memo1"});
    EXPECT_EQ(window.StringGrid1->RowCount(), 2);
    EXPECT_EQ(window.StringGrid1->Cells(0, 0), "");
}

TEST_F(MainWindowTest, TheFactsAreShownOnceHoweverOftenTheyAreAskedFor) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    window->PageControl1->SetActivePage(window->TabSheet2);
    Pump();
    ClickControl(window->Button_IPVer);
    ClickControl(window->Button_IPVer);
    EXPECT_EQ(MemoLines(window).size(), 4u);
    platform::headless::SaveWindowPng(window->Handle(),
                                      std::string(QUILLMERE_BIN_DIR) + "/quillmere-database-page.png");
}

TEST_F(MainWindowTest, AMissingDatabaseIsShownByTheErrorBoxAndTheWindowStillOpens) {
    // The standard error display itself, not the test's record of errors.
    Application()->OnException = nullptr;
    TForm1* window = OpenWindow();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_EQ(boxes[0].text, "文件 QQWry.Dat 不存在！.");
    EXPECT_TRUE(MemoLines(window).empty()) << "the design text is gone and nothing is shown";
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Caption(), "QuillmereVER1.0.20100523");
}

TEST_F(MainWindowTest, ADatabaseWithoutADateKeepsTheLinesBeforeTheError) {
    WriteDatabase(false);
    TForm1* window = OpenWindow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'' is not a valid date");
    EXPECT_EQ(MemoLines(window),
              (Texts{"文件大小：" + FileSize(work / "QQWry.Dat") + "字节", "记录总数：5条"}));
}

TEST_F(MainWindowTest, AFileThatIsNotADatabaseShowsNoRecordCount) {
    work.Write("QQWry.Dat",
               "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n");
    TForm1* window = OpenWindow();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "文件 QQWry.Dat 已损坏（索引越界）！");
    EXPECT_TRUE(MemoLines(window).empty());
}

TEST_F(MainWindowTest, TheUpdaterStartsOnlyWhenItLiesBesideTheProgram) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    TestFolder programFolder;
    window->UpdaterFile = programFolder / UpdaterFileName;
    window->PageControl1->SetActivePage(window->TabSheet2);
    Pump();
    ClickControl(window->Button3);
    EXPECT_TRUE(boxes.empty() && errors.empty()) << "a missing updater is passed over in silence";

    std::string marker = programFolder / "started";
    std::string updater =
        programFolder.Write(UpdaterFileName, "#!/bin/sh\npwd > '" + marker + ".part' && mv '" + marker +
                                                 ".part' '" + marker + "'\n");
    ::chmod(updater.c_str(), 0755);
    ClickControl(window->Button3);
    std::string started;
    for (int attempt = 0; attempt < 500 && started.empty(); ++attempt) {
        std::ifstream(marker) >> started;
        if (started.empty())
            ::usleep(10000);
    }
    EXPECT_EQ(started, work.Path()) << "started in the program's working folder, where the database is";
    EXPECT_EQ(MemoLines(window).size(), 4u);
}

} // namespace
