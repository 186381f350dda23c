#include "skin/controls/SkinButtons.h"

#include "core/TextUtils.h"
#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/VirtualKeys.h"
#include "skin/controls/GlyphDrawing.h"
#include "skin/controls/ParentBackground.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinProperties.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/WinSkinDataHelpers.h"

namespace {

// The tag that asks for a transparent button, whatever the skin's options say.
constexpr int TransparentTag = 5555;

// The timer the system's button may start; skinned buttons need none.
constexpr UINT_PTR ButtonTimerId = 1;

// The caption's measuring and drawing formats.
constexpr UINT MeasureFormat = DT_CENTER | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT DrawFormat = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;

// Classes of other libraries that take the press themselves: it is not handed to them again.
bool HandlesPressItself(const TControl* control) {
    const std::string name = LowerCase(control->ClassName());
    return name.starts_with("trz") || name.starts_with("tel");
}

} // namespace

TButtonFaceColours ButtonFaceColours(const TDataSkinButton& buttons) {
    auto pick = [](bool hasSecond, TColor second, std::int32_t first) {
        return hasSecond ? second : first == -1 ? clNone : static_cast<TColor>(first);
    };
    return {pick(buttons.HasNormalColour2 != 0, buttons.NormalColour2, buttons.NormalColour),
            pick(buttons.HasMouseOverColour2 != 0, buttons.MouseOverColour2, buttons.MouseOverColour),
            pick(buttons.HasPressedColour2 != 0, buttons.PressedColour2, buttons.PressedColour)};
}

const TClass& TSkinButton::ClassInfo() {
    static const TClass info("TSkinButton", &TSkinControl::ClassInfo());
    return info;
}

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner), m_face(std::make_unique<TBitmap>()) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    if (!m_control)
        return;
    m_kind = HandlesPressItself(m_control) ? 1 : 0;
    m_transparent = m_control->Tag() == TransparentTag || HasOption(xoTransparent);
}

bool TSkinButton::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    case WM_TIMER:
        KillTimer(m_window, ButtonTimerId);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != m_window)
            SetFocus(m_window);
        SetStateFlag(SkinStatePressed, true);
        PaintSkin(nullptr);
        if (m_kind == 0 && m_control)
            ForwardMouseDown(message);
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinButton::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETTEXT:
        PaintSkin(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            SetStateFlag(SkinStatePressed, message.Msg == WM_KEYDOWN);
            Repaint();
        }
        break;
    case WM_MOUSEMOVE:
        if (m_enabled && !Hot()) {
            SetStateFlag(SkinStateHot, true);
            Repaint();
        }
        TrackMouseLeave(m_window);
        break;
    case WM_LBUTTONUP:
        if (Pressed()) {
            SetStateFlag(SkinStatePressed, false);
            Repaint();
            Click(); // last: the click may free the control and this object with it
        }
        break;
    case WM_MOUSELEAVE:
        SetStateFlag(SkinStateHot | SkinStatePressed, false);
        Repaint();
        break;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinButton::Click() {
    if (m_control) {
        m_control->Click();
        return;
    }
    // The system button never saw the press, so the skin tells the parent of the click.
    char className[64] = {};
    GetClassNameA(m_window, className, sizeof className);
    const WPARAM id = LowerCase(className) == "tbutton" ? 0 : static_cast<WPARAM>(GetDlgCtrlID(m_window));
    PostMessageW(GetParent(m_window), WM_COMMAND, id, reinterpret_cast<LPARAM>(m_window));
}

// ---- drawing -------------------------------------------------------------------------------

bool TSkinButton::HasFaceImage() const {
    const TDataSkinButton* buttons = m_skinData ? m_skinData->Elements().Buttons.get() : nullptr;
    return buttons && !buttons->Image->Empty();
}

void TSkinButton::ReadState() {
    RefreshFocusAndEnabled();
    m_default = skin_properties::Is(m_control, "Default", "true");
    if (m_control) {
        m_caption = GetWideStrProp(m_control, "Caption");
    } else {
        const int length = GetWindowTextLengthW(m_window);
        m_caption.assign(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
        m_caption.resize(static_cast<std::size_t>(GetWindowTextW(m_window, m_caption.data(), length + 1)));
    }
}

TButtonFace TSkinButton::Face() const {
    if (!m_enabled)
        return bfDisabled;
    if (Pressed())
        return bfPressed;
    if (Hot())
        return bfHot;
    if (m_focused || m_default)
        return bfDefault;
    return bfNormal;
}

HDC TSkinButton::StartFace(const RECT& rect) {
    m_face->SetPixelFormat(pf24bit);
    m_face->SetSize(rect.right - rect.left, rect.bottom - rect.top);
    HDC face = m_face->Canvas()->Handle();
    const RECT whole{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    if (m_transparent)
        PaintParentBackground(m_window, face);
    else
        FillBackground(face, whole);
    return face;
}

void DrawButtonFace(HDC dc, const RECT& rect, const TDataSkinButton& buttons, int frame) {
    TSkinFrameStyle style;
    style.margins = {buttons.LeftWidth, buttons.TopHeight, buttons.RightWidth, buttons.BottomHeight};
    style.tileCentre = buttons.Tile == 1;
    style.transparent = buttons.Trans != 0;
    DrawSkinFrame(dc, rect, *buttons.Image, frame, buttons.FrameCount, false, style);
}

void TSkinButton::DrawFaceFrame(HDC face, const RECT& rect, int frame) {
    const RECT whole{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    DrawButtonFace(face, whole, *m_skinData->Elements().Buttons, frame);
}

void TSkinButton::PrepareCaptionFont(HDC face, int frame, bool normalColourOnNormalFaceOnly) {
    const TDataSkinButton& buttons = *m_skinData->Elements().Buttons;
    TColor colour = m_skinData->Elements().Colours[4];
    HFONT font = nullptr;
    if (auto* controlFont = GetObjectPropAs<TFont>(m_control, "Font")) {
        font = controlFont->Handle();
        colour = SkinnedSystemColour(m_skinData->Elements(), controlFont->Color());
    } else {
        font = reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0));
    }
    if (font)
        SelectObject(face, font);
    const TButtonFaceColours skinColours = ButtonFaceColours(buttons);
    if (skinColours.normal != clNone && (!normalColourOnNormalFaceOnly || frame == bfNormal))
        colour = skinColours.normal;
    if (frame == bfHot && skinColours.hot != clNone)
        colour = skinColours.hot;
    if (frame == bfPressed && skinColours.pressed != clNone)
        colour = skinColours.pressed;
    if (frame == bfDisabled)
        colour = SkinnedSystemColour(m_skinData->Elements(), clBtnShadow);
    SetTextColor(face, ColorToRGB(colour));
}

std::u16string TSkinButton::CaptionText() const {
    std::u16string text = m_caption;
    const std::size_t bar = text.find(u"||");
    if (bar != std::u16string::npos)
        text.replace(bar, 2, u"\r\n");
    return text;
}

RECT TSkinButton::DrawCentredCaption(HDC face, const RECT& rect) {
    const std::u16string text = CaptionText();
    RECT bounds{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    InflateRect(&bounds, -2, -2);
    const int oldMode = SetBkMode(face, TRANSPARENT);
    RECT block = bounds;
    DrawCaption(face, text, block, MeasureFormat);
    const int width = block.right - block.left, height = block.bottom - block.top;
    const int buttonWidth = rect.right - rect.left, buttonHeight = rect.bottom - rect.top;
    block.left = (buttonWidth - width) / 2;
    block.right = block.left + width;
    block.top = (buttonHeight - height) / 2 - 1;
    block.bottom = block.top + height;
    DrawCaption(face, text, block, DrawFormat);
    SetBkMode(face, oldMode);
    return block;
}

void TSkinButton::FinishFace(HDC dc, const RECT& rect) {
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           m_face->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasFaceImage())
        return;
    ReadState();
    const int frame = Face();
    HDC face = StartFace(rect);
    const int saved = SaveDC(face);
    DrawFaceFrame(face, rect, frame);
    PrepareCaptionFont(face, frame, false);
    RECT block = DrawCentredCaption(face, rect);
    if (m_focused && !HasOption(xoNoFocusRect)) {
        InflateRect(&block, 2, 2);
        DrawFocusRect(face, &block);
    }
    RestoreDC(face, saved);
    FinishFace(dc, rect);
}

// ---- the button with a drop-down arrow ----------------------------------------------------

const TClass& TSkinMenuButton::ClassInfo() {
    static const TClass info("TSkinMenuButton", &TSkinButton::ClassInfo());
    return info;
}

void TSkinMenuButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasFaceImage())
        return;
    ReadState();
    int frame = bfNormal;
    if (!m_enabled)
        frame = bfDisabled;
    else if (Pressed())
        frame = bfPressed;
    else if (Hot() || m_focused)
        frame = bfHot;
    HDC face = StartFace(rect);
    const int saved = SaveDC(face);
    DrawFaceFrame(face, rect, frame);
    PrepareCaptionFont(face, frame, true);
    TGlyphStrip glyph = GlyphStripOf(m_control);
    const RECT whole{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    const TGlyphPlacement placed =
        PlaceButtonContent(face, whole, glyph.cell, CaptionText(), TGlyphLayout::Left,
                           static_cast<int>(GetOrdProp(m_control, "Margin")),
                           static_cast<int>(GetOrdProp(m_control, "Spacing")), false);
    if (glyph.image)
        DrawGlyph(face, placed.glyph, glyph, frame == bfDisabled ? 2 : frame == bfPressed ? 3 : 1);
    RECT caption = placed.caption;
    const int oldMode = SetBkMode(face, TRANSPARENT);
    DrawCaption(face, CaptionText(), caption, DT_WORDBREAK | placed.format);
    SetBkMode(face, oldMode);
    // The arrow: apex 2 pixels below the reference point, base 3 pixels to each side, 1 above.
    const POINT at{placed.caption.right + 7, (whole.bottom - whole.top) / 2};
    DrawDropArrow(
        face, at,
        SkinnedSystemColour(m_skinData->Elements(), frame == bfDisabled ? clBtnShadow : clWindowText));
    RestoreDC(face, saved);
    FinishFace(dc, rect);
}
