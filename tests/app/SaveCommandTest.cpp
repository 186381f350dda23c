// The save command through the real dialog: the list is written as the engine's writer formats
// it, in the grid's current order, over an existing file without a question; a file that cannot
// be created or written completely is reported as an error and never as saved.

#include "MainWindowFixture.h"

#include "app/ConnectionColumns.h"
#include "app/ListWriter.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "platform/base/CodePage.h"
#include "platform/user/WinUser.h"
#include "tests/app/TestFiles.h"

#include <filesystem>
#include <iterator>

namespace {

class SaveCommandTest : public MainWindowTest {
protected:
    // Clicks "保存"; the user types the name into the dialog and confirms it, then closes
    // whatever box follows with Enter.
    void SaveAs(const std::u16string& typed) {
        onModal = [this, typed](HWND window) {
            if (IsSaveDialog(window)) {
                ++dialogs;
                platform::headless::TypeText(typed);
            }
            platform::headless::TypeKey(VK_RETURN);
        };
        ClickControl(form->Button2);
    }

    int dialogs = 0;
};

TEST_F(SaveCommandTest, WritesTheGridInItsSortedOrderAndSaysWhere) {
    WriteDatabase();
    OpenWindow();
    ClickControl(form->Radio_TcpUDP);
    ClickControl(form->Button_Refresh);
    ClickCell(ColumnProcessId, 0);
    SaveAs(u"连接表");

    EXPECT_EQ(dialogs, 1);
    const std::string path = platform::Utf8ToGbk(work.Path()) + "/连接表.txt";
    StringGridModel grid(*form->StringGrid1);
    std::string saved = ReadBytes(platform::GbkToUtf8(path));
    EXPECT_EQ(saved, FormatGridText(grid));
    EXPECT_EQ(saved.substr(saved.find("\r\n") + 3, 6), "UDP   ") << "the sorted order: process 0 first";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "保存完毕");
    EXPECT_EQ(boxes[0].text, "连接表信息已保存到文件 " + path + " 中。");
    EXPECT_TRUE(errors.empty());
}

TEST_F(SaveCommandTest, AnExistingFileIsReplacedWithoutAQuestion) {
    WriteDatabase();
    OpenWindow();
    std::string path = work.Write("list.txt", std::string(100000, 'x'));
    SaveAs(u"list.txt");
    EXPECT_EQ(ReadBytes(path), FormatGridText(StringGridModel(*form->StringGrid1)));
    ASSERT_EQ(boxes.size(), 1u) << "no overwrite question, only the completion message";
    EXPECT_EQ(boxes[0].caption, "保存完毕");
}

TEST_F(SaveCommandTest, AFileThatCannotBeCreatedShowsTheErrorAndNothingElse) {
    WriteDatabase();
    OpenWindow();
    SaveAs(u"/proc/quillmere-list.txt");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Cannot create file \"/proc/quillmere-list.txt\". ", 0), 0u) << errors[0];
    EXPECT_TRUE(boxes.empty()) << "no completion message";
    EXPECT_FALSE(std::filesystem::exists("/proc/quillmere-list.txt"));
}

TEST_F(SaveCommandTest, AFullDiskIsReportedAsAnErrorNotAsSaved) {
    WriteDatabase();
    OpenWindow();
    work.Link("full.txt", "/dev/full");
    SaveAs(u"full.txt");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Cannot write file"), std::string::npos) << errors[0];
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveCommandTest, CancellingTheDialogWritesNothing) {
    WriteDatabase();
    OpenWindow();
    onModal = [](HWND) { platform::headless::TypeKey(VK_ESCAPE); };
    ClickControl(form->Button2);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Path()), {}), 1) << "only the database";
}

} // namespace
