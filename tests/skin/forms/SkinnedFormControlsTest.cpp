// A skinned window's controls: a framework form's get their skins when the window's skin starts
// and lose them when it is unskinned; a message box's and the save dialog's child windows are
// skinned by their window class while the dialog waits for the user, and a size box made in a
// skinned window is skinned as it is created.

#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/controls/filedialog/CommonDialogs.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "platform/display/Headless.h"
#include "skin/forms/ControlMapping.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <functional>
#include <map>

using namespace skinengine;

namespace {

bool Skinned(HWND window) {
    return SendMessageA(window, SM_SKINNEDQUERY, 0, 0) == SkinnedAnswer;
}

// The window's class name in upper case.
std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return UpperClassName(name);
}

// Runs `look` on the dialog that waits for the user once its skin has started, then closes it
// with `closeCommand`.
class TDialogWatch {
public:
    TDialogWatch(std::function<void(HWND)> look, WPARAM closeCommand)
        : m_look(std::move(look)), m_closeCommand(closeCommand) {
        Current() = this;
        m_timer = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~TDialogWatch() {
        KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }
    TDialogWatch(const TDialogWatch&) = delete;
    TDialogWatch& operator=(const TDialogWatch&) = delete;

    bool Looked() const { return m_looked; }

private:
    static TDialogWatch*& Current() {
        static TDialogWatch* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TDialogWatch* watch = Current();
        HWND dialog = GetActiveWindow();
        if (!watch || watch->m_looked || !dialog || ClassOf(dialog) != "#32770")
            return;
        TWinSkinForm* skin = SkinManager() ? SkinManager()->FindSkinnedWindow(dialog) : nullptr;
        if (!skin || !skin->Started())
            return;
        watch->m_looked = true;
        watch->m_look(dialog);
        PostMessageA(dialog, WM_COMMAND, watch->m_closeCommand, 0);
    }

    std::function<void(HWND)> m_look;
    WPARAM m_closeCommand;
    UINT_PTR m_timer = 0;
    bool m_looked = false;
};

// Each child window's class (upper case), with whether it is skinned.
std::multimap<std::string, bool> ChildSkins(HWND dialog) {
    std::multimap<std::string, bool> skins;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        skins.emplace(ClassOf(child), Skinned(child));
    return skins;
}

class SkinnedFormControlsTest : public SkinEngineTest {};

TEST_F(SkinnedFormControlsTest, AFormsControlsAreSkinnedAtTheStartAndGivenBackWhenUnskinned) {
    TSkinData* data = NewSkinData();
    TForm* form = NewForm();
    auto* button = new TButton(form);
    button->SetParent(form);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 40, 100, 50);
    const TColor panelColour = panel->Color();
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(120, 40, 100, 80);
    form->Show();
    Pump();
    ASSERT_TRUE(Manager().FindSkinnedWindow(form->Handle())->Started());
    EXPECT_TRUE(Skinned(button->Handle()));
    EXPECT_TRUE(Skinned(memo->Handle()));
    EXPECT_NE(panel->Color(), panelColour) << "the panel takes the skin's background";

    data->SetActive(false);
    platform::headless::RunFor(250);
    Pump();
    ASSERT_EQ(Manager().SkinnedWindowCount(), 0);
    EXPECT_FALSE(Skinned(button->Handle()));
    EXPECT_FALSE(Skinned(memo->Handle()));
    EXPECT_EQ(panel->Color(), panelColour);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SkinnedFormControlsTest, AMessageBoxWearsTheSkinOnItsButtons) {
    NewSkinData();
    TForm* form = NewForm();
    form->Show();
    Pump();
    std::multimap<std::string, bool> skins;
    TDialogWatch watch([&](HWND dialog) { skins = ChildSkins(dialog); }, IDOK);
    EXPECT_EQ(MessageBoxA(form->Handle(), "text", "caption", MB_OKCANCEL | MB_ICONINFORMATION), IDOK);
    ASSERT_TRUE(watch.Looked());
    ASSERT_EQ(skins.count("BUTTON"), 2u);
    for (auto [button, end] = skins.equal_range("BUTTON"); button != end; ++button)
        EXPECT_TRUE(button->second);
}

// A dialog's labels stand on the skin's background: on the dark skin's they show in its text
// colour, where the system's black would hardly show; on the default skin's they keep black.
TEST_F(SkinnedFormControlsTest, ADialogsLabelTakesTheSkinsTextColourWhereTheSystemsWouldNotShow) {
    for (const std::string design : {"default", "dark"}) {
        TSkinData* data = NewSkinData(Design{sfMainform, true, SkinFileBytes(design)});
        const TSkinElements& skin = data->Elements();
        const COLORREF expected = design == "dark" ? ColorToRGB(skin.Colours[0]) : RGB(0, 0, 0);
        TForm* form = NewForm();
        form->Show();
        Pump();
        int shown = -1;
        TDialogWatch watch(
            [&](HWND dialog) {
                HWND label = nullptr;
                for (HWND child = GetWindow(dialog, GW_CHILD); child && !label;
                     child = GetWindow(child, GW_HWNDNEXT))
                    if (ClassOf(child) == "STATIC" && GetWindowTextLengthA(child) > 0)
                        label = child;
                ASSERT_NE(label, nullptr);
                RECT area{};
                GetClientRect(label, &area);
                shown = 0;
                for (int y = area.top; y < area.bottom; ++y)
                    for (int x = area.left; x < area.right; ++x)
                        shown += platform::headless::ReadPixel(label, x, y) == expected ? 1 : 0;
            },
            IDOK);
        EXPECT_EQ(MessageBoxA(form->Handle(), "some text", "caption", MB_OK), IDOK);
        ASSERT_TRUE(watch.Looked());
        EXPECT_GT(shown, 10) << design << ": pixels of the label's text in the expected colour";
        skinData.clear();
        forms.clear();
        Pump();
    }
}

TEST_F(SkinnedFormControlsTest, TheSaveDialogWearsTheSkinOnItsButtonsFieldsAndLists) {
    NewSkinData();
    TForm* form = NewForm();
    form->Show();
    Pump();
    std::multimap<std::string, bool> skins;
    TDialogWatch watch([&](HWND dialog) { skins = ChildSkins(dialog); }, IDCANCEL);
    char file[260] = "list.txt";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = form->Handle();
    dialog.lpstrFilter = "Text\0*.txt\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    EXPECT_FALSE(GetSaveFileNameA(&dialog));
    ASSERT_TRUE(watch.Looked());
    for (const char* kind : {"BUTTON", "EDIT", "COMBOBOX", "LISTBOX"}) {
        ASSERT_GT(skins.count(kind), 0u) << kind;
        for (auto [child, end] = skins.equal_range(kind); child != end; ++child)
            EXPECT_TRUE(child->second) << kind;
    }
    EXPECT_EQ(skins.count("STATIC"), 3u);
    for (auto [label, end] = skins.equal_range("STATIC"); label != end; ++label)
        EXPECT_FALSE(label->second) << "labels keep their own look";
}

TEST_F(SkinnedFormControlsTest, ASizeBoxMadeInASkinnedDialogIsSkinnedAsItIsCreated) {
    NewSkinData();
    TForm* form = NewForm();
    form->Show();
    Pump();
    bool grip = false, nestedGrip = false, bar = true;
    TDialogWatch watch(
        [&](HWND dialog) {
            auto scrollBar = [](HWND parent, DWORD style) {
                return CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 17, 17,
                                       parent, nullptr, nullptr, nullptr);
            };
            grip = Skinned(scrollBar(dialog, SBS_SIZEGRIP));
            HWND panel = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 20, 0, 60, 60, dialog,
                                         nullptr, nullptr, nullptr);
            nestedGrip = Skinned(scrollBar(panel, SBS_SIZEGRIP));
            bar = Skinned(scrollBar(dialog, SBS_VERT));
        },
        IDOK);
    EXPECT_EQ(MessageBoxA(form->Handle(), "text", "caption", MB_OK), IDOK);
    ASSERT_TRUE(watch.Looked());
    EXPECT_TRUE(grip) << "a size box of the dialog is skinned as soon as it is made";
    EXPECT_TRUE(nestedGrip) << "and one of a window inside the dialog";
    EXPECT_FALSE(bar) << "a scroll bar is not mapped as it is made";
    EXPECT_TRUE(errors.empty());
}

} // namespace
