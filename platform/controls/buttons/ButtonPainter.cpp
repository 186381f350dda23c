#include "platform/controls/buttons/ButtonPainter.h"

#include "platform/controls/ControlPaint.h"
#include "platform/controls/buttons/Button.h"

namespace platform {

namespace {

constexpr int RadioSize = CheckBoxSize - 1;
constexpr int TextGap = 4; // between the box and the text
constexpr int GroupTextIndent = 8;

DWORD Type(DWORD style) {
    return style & BS_TYPEMASK;
}

bool IsCheckType(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadioType(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

UINT HorizontalFormat(DWORD style, UINT fallback) {
    switch (style & BS_CENTER) {
    case BS_LEFT:
        return DT_LEFT;
    case BS_RIGHT:
        return DT_RIGHT;
    case BS_CENTER:
        return DT_CENTER;
    default:
        return fallback;
    }
}

// Where the content goes vertically: the layout bits, else centred.
int VerticalPlace(DWORD style, const RECT& area, int height) {
    switch (style & BS_VCENTER) {
    case BS_TOP:
        return area.top;
    case BS_BOTTOM:
        return area.bottom - height;
    default:
        return area.top + (area.bottom - area.top - height) / 2;
    }
}

bool HasImage(const ButtonLook& look) {
    return look.image && (look.style & (BS_BITMAP | BS_ICON));
}

SIZE ImageSize(const ButtonLook& look) {
    if (look.imageType == IMAGE_ICON) {
        ICONINFO info{};
        SIZE size{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
        if (GetIconInfo(static_cast<HICON>(look.image), &info)) {
            BITMAP bitmap{};
            if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap))
                size = {bitmap.bmWidth, bitmap.bmHeight};
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        return size;
    }
    BITMAP bitmap{};
    if (!GetObjectW(look.image, sizeof bitmap, &bitmap))
        return {0, 0};
    return {bitmap.bmWidth, bitmap.bmHeight};
}

void DrawImage(HDC dc, const ButtonLook& look, const RECT& area, UINT horizontal) {
    SIZE size = ImageSize(look);
    int x = horizontal == DT_LEFT    ? area.left
            : horizontal == DT_RIGHT ? area.right - size.cx
                                     : area.left + (area.right - area.left - size.cx) / 2;
    int y = VerticalPlace(look.style, area, size.cy);
    if (look.imageType == IMAGE_ICON) {
        DrawIconEx(dc, x, y, static_cast<HICON>(look.image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, look.image);
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

// The text (or image) inside area; returns the rectangle the text took, for the focus.
RECT DrawContent(HDC dc, const ButtonLook& look, const RECT& area, UINT defaultAlignment) {
    UINT horizontal = HorizontalFormat(look.style, defaultAlignment);
    if (HasImage(look)) {
        DrawImage(dc, look, area, horizontal);
        return area;
    }
    UINT format = horizontal | ((look.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
    RECT placed = MeasureControlText(dc, look.text, area, format);
    int height = placed.bottom - placed.top;
    placed.top = VerticalPlace(look.style, area, height);
    placed.bottom = placed.top + height;
    RECT drawIn = {area.left, placed.top, area.right, placed.bottom};
    DrawControlText(dc, look.text, drawIn, format, look.enabled);
    return placed;
}

void PaintPushButton(HDC dc, const RECT& client, const ButtonLook& look) {
    RECT face = client;
    bool isDefault = Type(look.style) == BS_DEFPUSHBUTTON;
    // A check box or radio button with BS_PUSHLIKE stays pushed in while checked.
    bool down = look.pushed || ((look.style & BS_PUSHLIKE) && look.check != BST_UNCHECKED);
    if (isDefault) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (look.pushed && isDefault) {
        // The pressed default button: a flat shadow line inside the outline.
        FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT inner = face;
        InflateRect(&inner, -1, -1);
        FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        RECT edge = face;
        UINT state = DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (look.enabled ? 0 : DFCS_INACTIVE);
        DrawFrameControl(dc, &edge, DFC_BUTTON, state);
    }
    RECT content = face;
    InflateRect(&content, -3, -3);
    if (down)
        OffsetRect(&content, 1, 1);
    DrawContent(dc, look, content, DT_CENTER);
    if (look.focused) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void PaintCheckOrRadio(HDC dc, const RECT& client, const ButtonLook& look) {
    bool radio = IsRadioType(Type(look.style));
    int side = radio ? RadioSize : CheckBoxSize;
    bool boxRight = (look.style & BS_LEFTTEXT) != 0;
    RECT box;
    box.left = boxRight ? client.right - side : client.left;
    box.right = box.left + side;
    box.top = VerticalPlace(look.style, client, side);
    box.bottom = box.top + side;
    UINT state = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (look.check == BST_CHECKED)
        state |= DFCS_CHECKED;
    else if (look.check == BST_INDETERMINATE)
        state |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (look.pushed)
        state |= DFCS_PUSHED;
    if (!look.enabled)
        state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text = client;
    if (boxRight)
        text.right = box.left - TextGap;
    else
        text.left = box.right + TextGap;
    RECT taken = DrawContent(dc, look, text, DT_LEFT);
    if (look.focused && !look.text.empty()) {
        InflateRect(&taken, 1, 1);
        IntersectRect(&taken, &taken, &client);
        DrawFocusRect(dc, &taken);
    }
}

void PaintGroupBox(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (look.text.empty())
        return;
    RECT area = {client.left + GroupTextIndent, client.top, client.right - GroupTextIndent,
                 client.top + metrics.tmHeight};
    UINT format = HorizontalFormat(look.style, DT_LEFT) | DT_SINGLELINE;
    RECT placed = MeasureControlText(dc, look.text, area, format);
    // The text sits on the background, cutting the line with a little room on each side.
    RECT behind = placed;
    InflateRect(&behind, 2, 0);
    FillRect(dc, &behind, background);
    DrawControlText(dc, look.text, placed, format, look.enabled);
}

} // namespace

void PaintButton(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background) {
    DWORD type = Type(look.style);
    if (type == BS_GROUPBOX) {
        PaintGroupBox(dc, client, look, background);
        return;
    }
    if ((IsCheckType(type) || IsRadioType(type)) && !(look.style & BS_PUSHLIKE)) {
        FillRect(dc, &client, background);
        PaintCheckOrRadio(dc, client, look);
        return;
    }
    PaintPushButton(dc, client, look);
}

} // namespace platform
