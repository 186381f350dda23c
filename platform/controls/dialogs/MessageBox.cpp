// Message boxes, built on the dialog manager: a dialog of the message font whose procedure lays
// out the icon, the wrapped text and the buttons in pixels, runs modally and answers with the
// id of the button pressed. Ctrl+C copies the box as text.

#include "platform/controls/dialogs/MessageBox.h"

#include "platform/base/CodePage.h"
#include "platform/base/MulDiv.h"
#include "platform/controls/ControlPaint.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogState.h"
#include "platform/controls/dialogs/DialogTemplateWriter.h"
#include "platform/controls/statics/Static.h"
#include "platform/display/Display.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr int Margin = 12;
constexpr int IconSize = 32;
constexpr int IconGap = 12;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;
constexpr int ButtonsGap = 16; // between the text and the row of buttons
constexpr int TextId = 0xFFFF;
constexpr int IconId = 0x0014;

struct BoxButton {
    int id;
    const char16_t* text;
};

struct BoxRequest {
    std::u16string text;
    std::u16string caption;
    UINT type = 0;
    std::vector<BoxButton> buttons;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
    const BoxButton ok{IDOK, u"确定"};
    const BoxButton cancel{IDCANCEL, u"取消"};
    std::vector<BoxButton> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {ok, cancel};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{IDABORT, u"中止(&A)"}, {IDRETRY, u"重试(&R)"}, {IDIGNORE, u"忽略(&I)"}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{IDYES, u"是(&Y)"}, {IDNO, u"否(&N)"}, cancel};
        break;
    case MB_YESNO:
        buttons = {{IDYES, u"是(&Y)"}, {IDNO, u"否(&N)"}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{IDRETRY, u"重试(&R)"}, cancel};
        break;
    case MB_CANCELTRYCONTINUE:
        buttons = {cancel, {IDTRYAGAIN, u"重试(&T)"}, {IDCONTINUE, u"继续(&C)"}};
        break;
    default:
        buttons = {ok};
        break;
    }
    if (type & MB_HELP)
        buttons.push_back({IDHELP, u"帮助"});
    return buttons;
}

LPCSTR IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

bool HasButton(const BoxRequest& request, int id) {
    return std::any_of(request.buttons.begin(), request.buttons.end(),
                       [&](const BoxButton& b) { return b.id == id; });
}

// Escape and the close box answer Cancel, or OK for a box whose only button is OK; a box
// without either cannot be closed that way.
int CancelAnswer(const BoxRequest& request) {
    if (HasButton(request, IDCANCEL))
        return IDCANCEL;
    if (request.buttons.size() == 1 && request.buttons.front().id == IDOK)
        return IDOK;
    return 0;
}

// A template holding only the box's frame, caption and the message font.
DialogTemplateWriter BoxTemplate(const BoxRequest& request) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    if (CancelAnswer(request))
        style |= WS_SYSMENU;
    // No place or size: the procedure lays the box out.
    DialogTemplateWriter writer(style, {0, 0, 0, 0}, request.caption);
    writer.ExStyle((request.type & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0)
        .Font(static_cast<WORD>(MulDiv(std::abs(metrics.lfMessageFont.lfHeight), 72, 96)),
              GbkToUtf16(metrics.lfMessageFont.lfFaceName));
    return writer;
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

SIZE MeasureText(HWND box, const std::u16string& text, int maxWidth) {
    HDC dc = GetDC(box);
    HGDIOBJ previous =
        SelectObject(dc, ControlFont(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0))));
    RECT rect{0, 0, maxWidth, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Centres the box's window on the owner (or the work area) and keeps it on the work area.
void PlaceBox(HWND box, HWND owner, SIZE client) {
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(box, GWL_EXSTYLE)));
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT area = WorkArea();
    RECT around = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    int x = around.left + (around.right - around.left - width) / 2;
    int y = around.top + (around.bottom - around.top - height) / 2;
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    SetWindowPos(box, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOut(HWND box, const BoxRequest& request) {
    LPCSTR icon = IconOf(request.type);
    int contentLeft = Margin + (icon ? IconSize + IconGap : 0);
    RECT area = WorkArea();
    int maxText = std::max(100, (area.right - area.left) * 5 / 8 - contentLeft - Margin);
    SIZE text = MeasureText(box, request.text, maxText);
    int contentHeight = std::max(icon ? IconSize : 0, static_cast<int>(text.cy));
    int count = static_cast<int>(request.buttons.size());
    int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
    SIZE client{std::max(contentLeft + text.cx + Margin, rowWidth + 2 * Margin), 0};
    int buttonsTop = Margin + contentHeight + ButtonsGap;
    client.cy = buttonsTop + ButtonHeight + Margin;

    if (icon) {
        int top = Margin + (contentHeight - IconSize) / 2;
        HWND iconControl = AddDialogControl(box, u"Static", u"", WS_VISIBLE | SS_ICON,
                                            {Margin, top, Margin + IconSize, top + IconSize}, IconId);
        SendMessageW(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
    }
    int textTop = Margin + (contentHeight - text.cy) / 2;
    AddDialogControl(box, u"Static", request.text.c_str(),
                     WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                     {contentLeft, textTop, contentLeft + text.cx, textTop + text.cy}, TextId);

    std::size_t defaultIndex = (request.type & MB_DEFMASK) >> 8;
    if (defaultIndex >= request.buttons.size())
        defaultIndex = 0;
    int left = (client.cx - rowWidth) / 2;
    HWND focus = nullptr;
    for (std::size_t i = 0; i < request.buttons.size(); ++i) {
        const BoxButton& b = request.buttons[i];
        DWORD style = WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                      (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button =
            AddDialogControl(box, u"Button", b.text, style,
                             {left, buttonsTop, left + ButtonWidth, buttonsTop + ButtonHeight}, b.id);
        if (i == defaultIndex)
            focus = button;
        left += ButtonWidth + ButtonGap;
    }
    SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(request.buttons[defaultIndex].id), 0);
    DialogStateOf(box).savedFocus = focus;
    HWND owner = GetWindow(box, GW_OWNER);
    PlaceBox(box, owner, client);
}

// The box as the clipboard gets it: caption, text and buttons between dashed lines.
std::u16string BoxAsText(const BoxRequest& request) {
    const std::u16string line = u"---------------------------\r\n";
    std::u16string buttons;
    for (const BoxButton& b : request.buttons) {
        std::u16string label = b.text;
        std::size_t cut = label.find(u"(&");
        if (cut != std::u16string::npos)
            label.erase(cut);
        buttons += label + u"   ";
    }
    return line + request.caption + u"\r\n" + line + request.text + u"\r\n" + line + buttons + u"\r\n" + line;
}

bool CopyOnCtrlC(HWND box, const MSG& message) {
    bool copy = message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
                (message.wParam == 'C' || message.wParam == VK_INSERT);
    if (!copy)
        return false;
    if (auto* request = reinterpret_cast<const BoxRequest*>(GetWindowLongPtrW(box, DWLP_USER)))
        Display().SetClipboardText(BoxAsText(*request));
    return true;
}

INT_PTR CALLBACK MessageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        LayOut(box, *reinterpret_cast<const BoxRequest*>(lParam));
        return FALSE; // the default button has been given the focus
    case WM_COMMAND: {
        auto* request = reinterpret_cast<const BoxRequest*>(GetWindowLongPtrW(box, DWLP_USER));
        int id = LOWORD(wParam);
        if (!request || HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (id == IDCANCEL && !HasButton(*request, IDCANCEL))
            id = CancelAnswer(*request);
        if (id && HasButton(*request, id))
            EndDialog(box, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int ShowMessageBox(HWND owner, std::u16string text, std::u16string caption, UINT type) {
    if (owner && !IsWindow(owner))
        return 0;
    BoxRequest request{std::move(text), std::move(caption), type, ButtonsOf(type)};
    DialogTemplateWriter writer = BoxTemplate(request);
    HWND box = CreateDialogIndirectParamW(nullptr, writer.Build(), owner, MessageBoxProc,
                                          reinterpret_cast<LPARAM>(&request));
    if (!box)
        return 0;
    MessageBeep(type & MB_ICONMASK);
    INT_PTR result = RunModalDialog(box, GetWindow(box, GW_OWNER), MSGF_MESSAGEBOX, CopyOnCtrlC);
    return result > 0 ? static_cast<int>(result) : 0;
}

} // namespace

} // namespace platform

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return platform::ShowMessageBox(owner, platform::GbkToUtf16(text ? text : ""),
                                    caption ? platform::GbkToUtf16(caption) : u"错误", type);
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return platform::ShowMessageBox(owner, text ? std::u16string(text) : u"",
                                    caption ? std::u16string(caption) : u"错误", type);
}
