// The dialog manager: dialogs built from templates (plain and extended) with their font, units
// and controls in template order; DefDlgProc's default button, focus and closing; the keyboard
// interface of IsDialogMessage; modal runs with the owner disabled and the message filter
// hook; the calls on a dialog's controls.

#include "../ControlTestSupport.h"

#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogTemplateWriter.h"
#include "platform/controls/statics/Static.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Received>& DialogLog() {
    static std::vector<Received> log;
    return log;
}

// Logs what the dialog procedure is given; ends the dialog on any button click.
INT_PTR CALLBACK LoggingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogLog().push_back({message, wParam, lParam});
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && lParam == 0x7777)
        EndDialog(dialog, LOWORD(wParam));
    return FALSE;
}

// Ends a modal run with the id of the button clicked.
INT_PTR CALLBACK EndingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    DialogLog().push_back({message, wParam, 0});
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        EndDialog(dialog, LOWORD(wParam) + 1000);
        return TRUE;
    }
    return FALSE;
}

constexpr WORD Button = platform::ButtonClassAtom;
constexpr WORD Label = platform::StaticClassAtom;

class DialogTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        DialogLog().clear();
    }

    // Name label, three radio buttons, a check box, OK (default) and Cancel.
    static platform::DialogTemplateWriter Form(DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU |
                                                             WS_VISIBLE) {
        platform::DialogTemplateWriter form(style, {10, 10, 210, 130}, u"对话框");
        form.Font(9, u"宋体")
            .Item(Label, u"&Pick:", SS_LEFT | WS_VISIBLE, {7, 7, 50, 17}, 10)
            .Item(Button, u"&Red", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | WS_VISIBLE, {7, 20, 80, 30},
                  11)
            .Item(Button, u"&Green", BS_AUTORADIOBUTTON | WS_VISIBLE, {7, 32, 80, 42}, 12)
            .Item(Button, u"&Blue", BS_AUTORADIOBUTTON | WS_VISIBLE, {7, 44, 80, 54}, 13)
            .Item(Button, u"&Loud", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP | WS_VISIBLE, {7, 60, 80, 70}, 14)
            .Item(Button, u"OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | WS_VISIBLE, {100, 100, 150, 114},
                  IDOK)
            .Item(Button, u"Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {155, 100, 205, 114}, IDCANCEL);
        return form;
    }

    // Takes queued messages through the dialog's keyboard interface, as a program's loop does.
    static void Pump(HWND dialog) {
        for (int round = 0; round < 4; ++round) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (!IsDialogMessageW(dialog, &message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            headless::RunUntilIdle();
        }
    }
    static void Type(HWND dialog, UINT key) {
        headless::TypeKey(key);
        Pump(dialog);
    }
    static std::vector<WORD> Commands() {
        std::vector<WORD> ids;
        for (const Received& r : DialogLog()) {
            if (r.message == WM_COMMAND && HIWORD(r.wParam) == BN_CLICKED)
                ids.push_back(LOWORD(r.wParam));
        }
        return ids;
    }
    static int FocusId() { return GetDlgCtrlID(GetFocus()); }
};

TEST_F(DialogTest, Template_MakesTheControlsInOrderWithTheDialogFontAndUnits) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0x1234);
    ASSERT_NE(dialog, nullptr);
    char name[16]{};
    GetClassNameA(dialog, name, sizeof name);
    EXPECT_STREQ(name, "#32770");
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), m_parent);
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    EXPECT_EQ(ids, (std::vector<int>{10, 11, 12, 13, 14, IDOK, IDCANCEL}));

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDOK), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    RECT units{100, 100, 150, 114};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    RECT placed{};
    GetWindowRect(GetDlgItem(dialog, IDOK), &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed, units) << "controls are placed in the dialog font's units";

    // WM_SETFONT, then WM_INITDIALOG with the first tab stop and the creation parameter.
    ASSERT_GE(DialogLog().size(), 2u);
    auto init = std::find_if(DialogLog().begin(), DialogLog().end(),
                             [](const Received& r) { return r.message == WM_INITDIALOG; });
    ASSERT_NE(init, DialogLog().end());
    EXPECT_EQ(init->lParam, 0x1234);
    EXPECT_EQ(reinterpret_cast<HWND>(init->wParam), GetDlgItem(dialog, 11));
    EXPECT_EQ(FocusId(), 11) << "TRUE from WM_INITDIALOG focuses that control";
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
}

TEST_F(DialogTest, ExtendedTemplate_IsReadLikeThePlainOne) {
    platform::DialogTemplateWriter form(WS_POPUP | WS_VISIBLE, {0, 0, 100, 50}, u"Ex", true);
    form.Font(9, u"宋体")
        .Item(Button, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {5, 5, 55, 19}, IDOK);
    form.NamedItem(u"Static", u"Label", SS_LEFT | WS_VISIBLE, {5, 25, 90, 35}, 20);
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    char text[16]{};
    GetDlgItemTextA(dialog, 20, text, sizeof text);
    EXPECT_STREQ(text, "Label");
    EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
}

TEST_F(DialogTest, ItemCalls_TextsAndNumbersThroughTheCodePage) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamA(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowUnicode(dialog)) << "the A form makes an ANSI dialog";
    EXPECT_TRUE(SetDlgItemTextA(dialog, 10, "名称"));
    char text[16]{};
    EXPECT_EQ(GetDlgItemTextA(dialog, 10, text, sizeof text), 4u);
    EXPECT_STREQ(text, "名称");
    EXPECT_EQ(GetDlgItemTextA(dialog, 999, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");

    BOOL translated = FALSE;
    SetDlgItemInt(dialog, 10, static_cast<UINT>(-42), TRUE);
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, 10, &translated, TRUE)), -42);
    EXPECT_TRUE(translated);
    SetDlgItemTextA(dialog, 10, "12x");
    GetDlgItemInt(dialog, 10, &translated, FALSE);
    EXPECT_FALSE(translated);
    SetDlgItemTextA(dialog, 10, "4294967296");
    GetDlgItemInt(dialog, 10, &translated, FALSE);
    EXPECT_FALSE(translated) << "a number out of range is not translated";
    EXPECT_EQ(SendDlgItemMessageA(dialog, 14, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(DialogTest, DefaultButton_FollowsTheFocusedPushButtonAndDmSetDefId) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    HWND ok = GetDlgItem(dialog, IDOK);
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    auto isDefault = [](HWND button) {
        return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    SetFocus(cancel);
    EXPECT_TRUE(isDefault(cancel)) << "the focused push button shows as the default";
    EXPECT_FALSE(isDefault(ok));
    SetFocus(GetDlgItem(dialog, 14));
    EXPECT_TRUE(isDefault(ok)) << "away from push buttons the dialog's default returns";
    EXPECT_FALSE(isDefault(cancel));

    EXPECT_TRUE(SendMessageW(dialog, DM_SETDEFID, IDCANCEL, 0));
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
    EXPECT_TRUE(isDefault(cancel));
    EXPECT_FALSE(isDefault(ok));
}

TEST_F(DialogTest, Keyboard_TabCyclesTheTabStopsSkippingDisabledOnes) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    EnableWindow(GetDlgItem(dialog, 14), FALSE);
    std::vector<int> visited{FocusId()};
    for (int i = 0; i < 3; ++i) {
        Type(dialog, VK_TAB);
        visited.push_back(FocusId());
    }
    EXPECT_EQ(visited, (std::vector<int>{11, IDOK, IDCANCEL, 11}));
    headless::PressKey(VK_SHIFT);
    Type(dialog, VK_TAB);
    headless::ReleaseKey(VK_SHIFT);
    Pump(dialog);
    EXPECT_EQ(FocusId(), IDCANCEL);
}

TEST_F(DialogTest, Keyboard_ArrowsMoveWithinTheGroupAndChooseRadioButtons) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    CheckRadioButton(dialog, 11, 13, 11);
    Type(dialog, VK_DOWN);
    EXPECT_EQ(FocusId(), 12);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), BST_UNCHECKED);
    Type(dialog, VK_DOWN);
    Type(dialog, VK_DOWN);
    EXPECT_EQ(FocusId(), 11) << "the group wraps around";
    Type(dialog, VK_UP);
    EXPECT_EQ(FocusId(), 13);
    EXPECT_EQ(Commands(), (std::vector<WORD>{12, 13, 11, 13}));
    // Tab into the group lands on its checked button, the group's one tab stop.
    Type(dialog, VK_TAB);
    Type(dialog, VK_TAB);
    Type(dialog, VK_TAB);
    Type(dialog, VK_TAB);
    EXPECT_EQ(FocusId(), 13);
}

TEST_F(DialogTest, Keyboard_EnterEscapeAndMnemonics) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    SetFocus(GetDlgItem(dialog, 14));
    Type(dialog, VK_RETURN);
    Type(dialog, VK_ESCAPE);
    EXPECT_EQ(Commands(), (std::vector<WORD>{IDOK, IDCANCEL})) << "Enter: the default; Escape: Cancel";
    DialogLog().clear();
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    Type(dialog, VK_RETURN);
    EXPECT_EQ(Commands(), std::vector<WORD>{IDCANCEL}) << "Enter on a push button presses that one";

    DialogLog().clear();
    Type(dialog, 'L');
    EXPECT_EQ(FocusId(), 14);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 14), BST_CHECKED) << "a mnemonic alone checks the box";
    headless::PressKey(VK_MENU);
    Type(dialog, 'G');
    headless::ReleaseKey(VK_MENU);
    Pump(dialog);
    EXPECT_EQ(FocusId(), 12);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_CHECKED) << "with Alt as well";
    SetFocus(GetDlgItem(dialog, IDOK));
    Type(dialog, 'P');
    EXPECT_EQ(FocusId(), 12) << "a label's mnemonic moves to the control after it: the group's tab stop";
}

TEST_F(DialogTest, Keyboard_ControlsThatWantKeysKeepThem) {
    // A control that wants arrows and Enter, as a multi-line edit does.
    SetHandler([](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_GETDLGCODE)
            return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return std::nullopt;
    });
    platform::DialogTemplateWriter form(WS_POPUP | WS_VISIBLE, {0, 0, 100, 60}, u"Keys");
    form.NamedItem(u"QuillmereTestWindow", u"", WS_VISIBLE | WS_TABSTOP, {5, 5, 90, 30}, 30)
        .Item(Button, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {5, 35, 55, 49}, IDOK);
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    HWND wants = GetDlgItem(dialog, 30);
    SetFocus(wants);
    ClearLog();
    Type(dialog, VK_DOWN);
    Type(dialog, VK_RETURN);
    EXPECT_EQ(GetFocus(), wants);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Logged(wants, WM_KEYDOWN).size(), 2u);
}

TEST_F(DialogTest, Close_AsksForCancelAndNextDlgCtlMovesTheFocus) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    Pump(dialog);
    EXPECT_EQ(Commands(), std::vector<WORD>{IDCANCEL});
    EXPECT_TRUE(IsWindow(dialog)) << "closing is the dialog procedure's choice";

    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDCANCEL)), TRUE);
    EXPECT_EQ(FocusId(), IDCANCEL);
    SendMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(FocusId(), 11);
    SendMessageW(dialog, WM_NEXTDLGCTL, 1, FALSE);
    EXPECT_EQ(FocusId(), IDCANCEL);
}

TEST_F(DialogTest, Focus_IsKeptAcrossDeactivation) {
    platform::DialogTemplateWriter form = Form();
    HWND dialog = CreateDialogIndirectParamW(nullptr, form.Build(), m_parent, LoggingDialogProc, 0);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    SetActiveWindow(m_parent);
    EXPECT_EQ(GetFocus(), m_parent);
    SetActiveWindow(dialog);
    EXPECT_EQ(FocusId(), IDCANCEL);
}

HHOOK g_filter = nullptr;
std::vector<int> g_filterCodes;
LRESULT CALLBACK RecordFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0)
        g_filterCodes.push_back(code);
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

TEST_F(DialogTest, Modal_DisablesTheOwnerCallsTheFilterAndEndsWithTheResult) {
    g_filterCodes.clear();
    g_filter = SetWindowsHookExW(WH_MSGFILTER, RecordFilter, nullptr, GetCurrentThreadId());
    bool ownerEnabledInside = true;
    int clicks = 0;
    headless::SetIdleHandler([&] {
        HWND dialog = GetActiveWindow();
        ownerEnabledInside = IsWindowEnabled(m_parent) != FALSE;
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (!cancel || clicks++ > 0)
            return false;
        RECT rect{};
        GetWindowRect(cancel, &rect);
        headless::Click(rect.left + 5, rect.top + 5);
        return true;
    });
    platform::DialogTemplateWriter form = Form(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    INT_PTR result = DialogBoxIndirectParamW(nullptr, form.Build(), m_parent, EndingDialogProc, 0);
    EXPECT_EQ(result, IDCANCEL + 1000);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(m_parent));
    ASSERT_FALSE(g_filterCodes.empty());
    EXPECT_EQ(g_filterCodes.front(), MSGF_DIALOGBOX);
    EXPECT_EQ(GetActiveWindow(), m_parent) << "the owner is active again";
    EXPECT_TRUE(UnhookWindowsHookEx(g_filter));
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, nullptr, m_parent, EndingDialogProc, 0), -1);
}

TEST_F(DialogTest, Modal_EndDialogDuringInitDialogNeverShowsTheDialog) {
    static bool shown = false;
    shown = false;
    DLGPROC endAtOnce = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            EndDialog(dialog, 7);
        if (message == WM_SHOWWINDOW)
            shown = true;
        return FALSE;
    };
    platform::DialogTemplateWriter form = Form(WS_POPUP | WS_CAPTION);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, form.Build(), m_parent, endAtOnce, 0), 7);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(EndDialog(m_parent, 1)) << "not a dialog";
}

} // namespace
