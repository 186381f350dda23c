// controls-demo: a dialog of the standard controls on the real display, to try them by hand:
// radio buttons in a group box, check boxes, labels, a scroll bar control and push buttons,
// with the dialog keyboard (Tab, arrows, Enter, Escape, mnemonics) and a message box. Ends
// when the dialog closes.

#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogTemplateWriter.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "platform/controls/statics/Static.h"
#include "platform/user/WinUser.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* Usage = R"(Usage:
  controls-demo          opens a dialog of buttons, check boxes, radio buttons, labels and a
                         scroll bar on the display named by DISPLAY
  controls-demo --help   shows this text
)";

constexpr WORD IdAll = 101;
constexpr WORD IdRemote = 104;
constexpr WORD IdAuto = 110;
constexpr WORD IdThree = 111;
constexpr WORD IdBar = 120;
constexpr WORD IdValue = 121;
constexpr WORD IdRefresh = 130;
constexpr WORD IdAsk = 131;
constexpr WORD IdStatus = 140;

using platform::ButtonClassAtom;
using platform::ScrollBarClassAtom;
using platform::StaticClassAtom;

void ShowValue(HWND dialog) {
    SetDlgItemInt(dialog, IdValue, static_cast<UINT>(GetScrollPos(GetDlgItem(dialog, IdBar), SB_CTL)), TRUE);
}

void Scroll(HWND dialog, HWND bar, WORD code, int trackPosition) {
    int position = GetScrollPos(bar, SB_CTL);
    switch (code) {
    case SB_LINEUP:
        --position;
        break;
    case SB_LINEDOWN:
        ++position;
        break;
    case SB_PAGEUP:
        position -= 10;
        break;
    case SB_PAGEDOWN:
        position += 10;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = trackPosition;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = 100;
        break;
    default:
        return;
    }
    SetScrollPos(bar, SB_CTL, position, TRUE);
    ShowValue(dialog);
}

void Command(HWND dialog, WORD id) {
    switch (id) {
    case IdRefresh:
        SetDlgItemTextA(dialog, IdStatus, "已刷新");
        break;
    case IdAsk: {
        int answer = MessageBoxA(dialog, "这是一个消息框。\n要继续吗？", "controls-demo",
                                 MB_YESNOCANCEL | MB_ICONQUESTION);
        SetDlgItemTextA(dialog, IdStatus,
                        answer == IDYES  ? "回答：是"
                        : answer == IDNO ? "回答：否"
                                         : "回答：取消");
        break;
    }
    case IDCANCEL:
        DestroyWindow(dialog);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK DemoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        CheckRadioButton(dialog, IdAll, IdRemote, IdRemote);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 109, 10, 30, 0};
        SetScrollInfo(GetDlgItem(dialog, IdBar), SB_CTL, &info, TRUE);
        ShowValue(dialog);
        return TRUE;
    }
    case WM_HSCROLL:
        Scroll(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            Command(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

platform::DialogTemplateWriter DemoTemplate() {
    DWORD visible = WS_VISIBLE;
    platform::DialogTemplateWriter writer(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | visible,
                                          {20, 20, 280, 180}, u"控件演示");
    writer.Font(9, u"宋体")
        .Item(ButtonClassAtom, u"视图", BS_GROUPBOX | visible, {7, 5, 117, 75}, 100)
        .Item(ButtonClassAtom, u"TCP 和 UDP(&A)", BS_AUTORADIOBUTTON | WS_GROUP | visible, {14, 18, 110, 28},
              IdAll)
        .Item(ButtonClassAtom, u"仅 TCP(&T)", BS_AUTORADIOBUTTON | visible, {14, 31, 110, 41}, 102)
        .Item(ButtonClassAtom, u"仅 UDP(&U)", BS_AUTORADIOBUTTON | visible, {14, 44, 110, 54}, 103)
        .Item(ButtonClassAtom, u"远程 TCP 连接(&R)", BS_AUTORADIOBUTTON | visible, {14, 57, 110, 67},
              IdRemote)
        .Item(ButtonClassAtom, u"自动刷新(&S)", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP | visible,
              {125, 10, 235, 20}, IdAuto)
        .Item(ButtonClassAtom, u"三态复选框(&3)", BS_AUTO3STATE | WS_TABSTOP | visible, {125, 24, 235, 34},
              IdThree)
        .Item(ButtonClassAtom, u"禁用的复选框", BS_AUTOCHECKBOX | WS_DISABLED | visible, {125, 38, 235, 48},
              112)
        .Item(StaticClassAtom, u"数值(&V):", SS_LEFT | visible, {125, 55, 160, 63}, 119)
        .Item(ScrollBarClassAtom, u"", SBS_HORZ | WS_TABSTOP | visible, {125, 65, 225, 75}, IdBar)
        .Item(StaticClassAtom, u"", SS_CENTER | SS_SUNKEN | visible, {228, 65, 253, 75}, IdValue)
        .Item(StaticClassAtom, u"", SS_ETCHEDHORZ | visible, {7, 84, 253, 86}, 150)
        .Item(StaticClassAtom, u"状态:", SS_LEFT | visible, {7, 92, 40, 100}, 141)
        .Item(StaticClassAtom, u"就绪", SS_LEFT | SS_NOPREFIX | visible, {42, 92, 253, 100}, IdStatus)
        .Item(ButtonClassAtom, u"刷新(&F)", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | visible,
              {7, 135, 67, 149}, IdRefresh)
        .Item(ButtonClassAtom, u"消息框(&M)...", BS_PUSHBUTTON | WS_TABSTOP | visible, {72, 135, 132, 149},
              IdAsk)
        .Item(ButtonClassAtom, u"关闭", BS_PUSHBUTTON | WS_TABSTOP | visible, {193, 135, 253, 149}, IDCANCEL);
    return writer;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        bool help = std::strcmp(argv[1], "--help") == 0;
        std::fputs(Usage, help ? stdout : stderr);
        return help ? 0 : 1;
    }
    platform::DialogTemplateWriter writer = DemoTemplate();
    HWND dialog = CreateDialogIndirectParamA(nullptr, writer.Build(), nullptr, DemoProc, 0);
    if (!dialog) {
        std::fputs("controls-demo: the dialog could not be made\n", stderr);
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return 0;
}
