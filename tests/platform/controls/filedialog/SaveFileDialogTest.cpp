// GetSaveFileNameA on a temporary folder tree: the dialog is driven by a timer's ticks during
// its modal loop, as a user would act on it: typing names and paths, choosing from the list,
// switching the file type, answering the overwrite question, cancelling.

#include "../DialogDriver.h"
#include "../ListControlTestSupport.h"

#include "platform/controls/buttons/Button.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/filedialog/CommonDialogs.h"

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

constexpr int IdFiles = 1120;
constexpr int IdName = 1152;
constexpr int IdTypes = 1136;

std::deque<testing_support::DialogStep>& steps = testing_support::DialogSteps();

class SaveFileDialogTest : public ListControlTest {
protected:
    void SetUp() override {
        ListControlTest::SetUp();
        root = fs::temp_directory_path() / ("quillmere-savedialog-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "sub");
        for (const char* name : {"old.txt", "notes.log", "\xF0\x9F\x98\x80.txt"})
            std::ofstream(root / name) << "x";
        folder = root.string();
        steps.clear();
        timer = SetTimer(nullptr, 0, 50, testing_support::RunNextDialogStep);
    }

    void TearDown() override {
        KillTimer(nullptr, timer);
        steps.clear();
        fs::remove_all(root);
        ListControlTest::TearDown();
    }

    OPENFILENAMEA Request(DWORD size = MAX_PATH) {
        buffer.assign(size, '\0');
        OPENFILENAMEA request{};
        request.lStructSize = sizeof request;
        request.hwndOwner = parent;
        request.lpstrFilter = "文本文件\0*.txt\0所有文件\0*.*\0";
        request.nFilterIndex = 1;
        request.lpstrFile = buffer.data();
        request.nMaxFile = size;
        request.lpstrInitialDir = folder.c_str();
        request.lpstrDefExt = "txt";
        return request;
    }

    static void Type(HWND dialog, const char* text) { SetDlgItemTextA(dialog, IdName, text); }
    static void Save(HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }

    static std::vector<std::string> Listed(HWND dialog) {
        HWND list = GetDlgItem(dialog, IdFiles);
        std::vector<std::string> names;
        for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i)
            names.push_back(ItemText(list, i));
        return names;
    }

    fs::path root;
    std::string folder;
    std::string buffer;
    UINT_PTR timer = 0;
};

TEST_F(SaveFileDialogTest, NavigatesIntoAFolderAndSavesANameWithTheDefaultExtension) {
    std::vector<std::string> firstList;
    std::vector<std::string> subList;
    std::string caption;
    steps = {[&](HWND dialog) {
                 firstList = Listed(dialog);
                 char text[32] = {};
                 GetWindowTextA(dialog, text, sizeof text);
                 caption = text;
                 Type(dialog, "sub");
                 Save(dialog);
             },
             [&](HWND dialog) {
                 subList = Listed(dialog);
                 Type(dialog, "连接表");
                 Save(dialog);
             }};
    OPENFILENAMEA request = Request();
    ASSERT_TRUE(GetSaveFileNameA(&request));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(caption, "另存为");
    EXPECT_EQ(firstList, (std::vector<std::string>{"..", "sub", "?.txt", "old.txt"}))
        << "only the files of the first type; a name GBK cannot hold shows as '?'";
    EXPECT_EQ(subList, std::vector<std::string>{".."});
    std::string expected = folder + "/sub/连接表.txt";
    EXPECT_EQ(std::string(request.lpstrFile), expected);
    EXPECT_EQ(request.nFileOffset, folder.size() + 5);
    EXPECT_EQ(request.nFileExtension, expected.size() - 3);
    EXPECT_EQ(request.nFilterIndex, 1u);
    EXPECT_FALSE(IsWindowEnabled(parent) == FALSE) << "the owner is enabled again";
}

TEST_F(SaveFileDialogTest, ChoosesFromTheListAndSwitchesTheType) {
    std::vector<std::string> allFiles;
    std::string chosenText;
    steps = {[&](HWND dialog) {
                 HWND types = GetDlgItem(dialog, IdTypes);
                 SendMessageA(types, CB_SETCURSEL, 1, 0);
                 SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IdTypes, CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(types));
                 allFiles = Listed(dialog);
                 // The name GBK cannot hold is not taken into the edit.
                 HWND list = GetDlgItem(dialog, IdFiles);
                 ClickAt(ItemCentre(list, 2));
                 char text[64] = {};
                 GetDlgItemTextA(dialog, IdName, text, sizeof text);
                 chosenText = text;
                 ClickAt(ItemCentre(list, 3));
             },
             [&](HWND dialog) { Save(dialog); }};
    OPENFILENAMEA request = Request();
    ASSERT_TRUE(GetSaveFileNameA(&request));
    EXPECT_EQ(allFiles, (std::vector<std::string>{"..", "sub", "?.txt", "notes.log", "old.txt"}));
    EXPECT_EQ(chosenText, "");
    EXPECT_EQ(std::string(request.lpstrFile), folder + "/notes.log") << "a name with an extension keeps it";
    EXPECT_EQ(request.nFilterIndex, 2u);
}

TEST_F(SaveFileDialogTest, AsksBeforeReplacingOnlyWhenTold) {
    int boxes = 0;
    steps = {[&](HWND dialog) {
                 Type(dialog, "old");
                 Save(dialog);
             },
             [&](HWND box) {
                 ++boxes;
                 SendMessageA(box, WM_COMMAND, IDNO, 0);
             },
             [&](HWND dialog) {
                 Type(dialog, "old.txt");
                 Save(dialog);
             },
             [&](HWND box) {
                 ++boxes;
                 SendMessageA(box, WM_COMMAND, IDYES, 0);
             }};
    OPENFILENAMEA request = Request();
    request.Flags = OFN_OVERWRITEPROMPT;
    ASSERT_TRUE(GetSaveFileNameA(&request));
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(std::string(request.lpstrFile), folder + "/old.txt");

    steps = {[&](HWND dialog) {
        Type(dialog, "old");
        Save(dialog);
    }};
    request = Request();
    ASSERT_TRUE(GetSaveFileNameA(&request)) << "without OFN_OVERWRITEPROMPT nobody is asked";
    EXPECT_TRUE(steps.empty());
}

TEST_F(SaveFileDialogTest, RefusesATooSmallBufferAndReportsCancel) {
    steps = {[&](HWND dialog) {
        Type(dialog, "a-rather-long-name");
        Save(dialog);
    }};
    OPENFILENAMEA request = Request(12);
    EXPECT_FALSE(GetSaveFileNameA(&request));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, buffer.data(), sizeof needed);
    EXPECT_EQ(needed, folder.size() + std::string("/a-rather-long-name.txt").size() + 1);

    steps = {[&](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }};
    request = Request();
    EXPECT_FALSE(GetSaveFileNameA(&request));
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "a cancel is no error";

    request.lStructSize = 12;
    EXPECT_FALSE(GetSaveFileNameA(&request));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

TEST_F(SaveFileDialogTest, WritesItsPicture) {
    steps = {[&](HWND dialog) {
                 HWND list = GetDlgItem(dialog, IdFiles);
                 SendMessageA(list, LB_SETCURSEL, 1, 0);
                 platform::headless::RunUntilIdle();
                 EXPECT_TRUE(platform::headless::SaveWindowPng(dialog, std::string(QUILLMERE_BIN_DIR) +
                                                                           "/controls-save-dialog.png"));
             },
             [&](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }};
    OPENFILENAMEA request = Request();
    std::strcpy(request.lpstrFile, "连接表.txt");
    EXPECT_FALSE(GetSaveFileNameA(&request));
}

} // namespace
