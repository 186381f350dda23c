// The save dialog component over the platform's dialog, driven as a user would: a timer's ticks
// during the dialog's own loop type a name and press the buttons.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Screen.h"
#include "platform/controls/DialogDriver.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/dialogs/Dialog.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int IdName = 1152;
constexpr int IdTypes = 1136;

std::deque<testing_support::DialogStep>& steps = testing_support::DialogSteps();

void Type(HWND dialog, const char* text) {
    SetDlgItemTextA(dialog, IdName, text);
}
void Save(HWND dialog) {
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

class Dialogs : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        root = fs::temp_directory_path() / ("quillmere-fwdialog-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
        std::ofstream(root / "old.txt") << "x";
        steps.clear();
        timer = SetTimer(nullptr, 0, 50, testing_support::RunNextDialogStep);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        steps.clear();
        fs::remove_all(root);
        FrameworkTest::TearDown();
    }

    // A dialog set up as the program's save command sets it up.
    TSaveDialog* ProgramDialog(TComponent* owner) {
        auto* dialog = new TSaveDialog(owner);
        dialog->SetDefaultExt("txt");
        dialog->SetFilter("文本文件|*.txt|所有文件|*.*");
        dialog->SetInitialDir(root.string());
        return dialog;
    }

    fs::path root;
    UINT_PTR timer = 0;
};

} // namespace

TEST_F(Dialogs, ExecuteGivesTheChosenNameWithTheDefaultExtension) {
    TForm* form = NewForm();
    form->Show();
    Pump();
    TSaveDialog* dialog = ProgramDialog(form);
    dialog->SetTitle("保存连接表");
    HWND owner = nullptr;
    std::string caption;
    std::vector<std::string> types;
    steps = {[&](HWND window) {
        owner = GetWindow(window, GW_OWNER);
        char text[32] = {};
        GetWindowTextA(window, text, sizeof text);
        caption = text;
        HWND combo = GetDlgItem(window, IdTypes);
        for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char item[64] = {};
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            types.push_back(item);
        }
        Type(window, "连接表");
        Save(window);
    }};
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), root.string() + "/连接表.txt");
    EXPECT_EQ(dialog->FilterIndex(), 1);
    EXPECT_EQ(owner, form->Handle()) << "the active form owns the dialog";
    EXPECT_EQ(caption, "保存连接表");
    EXPECT_EQ(types, (std::vector<std::string>{"文本文件", "所有文件"}));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(Dialogs, CancelGivesFalseAndKeepsTheName) {
    TForm* form = NewForm();
    form->Show();
    Pump();
    TSaveDialog* dialog = ProgramDialog(form);
    dialog->SetFileName("before.txt");
    steps = {[&](HWND window) { SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0); }};
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "before.txt");
}

TEST_F(Dialogs, AnExistingFileIsReplacedWithoutAQuestionUnlessAsked) {
    TForm* form = NewForm();
    form->Show();
    Pump();
    TSaveDialog* dialog = ProgramDialog(form);
    steps = {[&](HWND window) {
        Type(window, "old");
        Save(window);
    }};
    ASSERT_TRUE(dialog->Execute());
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(dialog->FileName(), root.string() + "/old.txt");

    dialog->SetOptions(dialog->Options() + TOpenOptions{ofOverwritePrompt});
    int questions = 0;
    steps = {[&](HWND window) {
                 Type(window, "old");
                 Save(window);
             },
             [&](HWND box) {
                 ++questions;
                 SendMessageA(box, WM_COMMAND, IDNO, 0);
             },
             [&](HWND window) {
                 SendMessageA(GetDlgItem(window, IdTypes), CB_SETCURSEL, 1, 0);
                 SendMessageA(window, WM_COMMAND, MAKEWPARAM(IdTypes, CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(GetDlgItem(window, IdTypes)));
                 Type(window, "new.log");
                 Save(window);
             }};
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(dialog->FileName(), root.string() + "/new.log");
    EXPECT_EQ(dialog->FilterIndex(), 2) << "the type the user chose";
}

TEST_F(Dialogs, SaveDialogPropertiesByName) {
    TSaveDialog dialog(nullptr);
    EXPECT_TRUE(dialog.InheritsFrom("TCommonDialog"));
    EXPECT_TRUE(SetStrProp(&dialog, "DefaultExt", ".txt"));
    EXPECT_EQ(dialog.DefaultExt(), "txt") << "the platform adds the dot";
    EXPECT_TRUE(SetStrProp(&dialog, "Filter", "文本文件|*.txt"));
    EXPECT_EQ(dialog.Filter(), "文本文件|*.txt");
    EXPECT_EQ(GetOrdProp(&dialog, "FilterIndex"), 1);
    EXPECT_EQ(GetSetProp(&dialog, "Options"), "[ofHideReadOnly,ofEnableSizing]");
    EXPECT_TRUE(SetSetProp(&dialog, "Options", "[ofOverwritePrompt,ofPathMustExist]"));
    EXPECT_TRUE(dialog.Options().Contains(ofOverwritePrompt));
    EXPECT_FALSE(dialog.Options().Contains(ofHideReadOnly));
    EXPECT_EQ(GetStrProp(&dialog, "Title"), "");
    EXPECT_EQ(GetOrdProp(&dialog, "Caption"), -1);
}
