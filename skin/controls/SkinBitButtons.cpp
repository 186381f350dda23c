#include "skin/controls/SkinBitButtons.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/ImageList.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/VirtualKeys.h"
#include "skin/controls/ParentBackground.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/SkinProperties.h"

namespace {

constexpr int TransparentTag = 5555;

// Glyph images of a strip: the button up, disabled, pressed, held down.
constexpr int GlyphUp = 1;
constexpr int GlyphDisabled = 2;
constexpr int GlyphPressed = 3;
constexpr int GlyphDown = 4;

int GlyphIndexOfFace(int frame) {
    return frame == bfPressed ? GlyphPressed : frame == bfDisabled ? GlyphDisabled : GlyphUp;
}

// The picture a picture property holds: a graphic, or the graphic of a TPicture.
TGraphic* PictureGraphic(const TObject* control, std::string_view property) {
    TObject* value = GetObjectProp(control, property);
    if (auto* graphic = dynamic_cast<TGraphic*>(value))
        return graphic->Empty() ? nullptr : graphic;
    if (auto* picture = dynamic_cast<TPicture*>(value)) {
        TGraphic* graphic = picture->Graphic();
        return graphic && !graphic->Empty() ? graphic : nullptr;
    }
    return nullptr;
}

TCustomImageList* GlyphImages(const TObject* control) {
    auto* images = GetObjectPropAs<TCustomImageList>(control, "Images");
    return images && GetOrdProp(control, "ImageIndex") >= 0 ? images : nullptr;
}

} // namespace

// ---- the glyph button ----------------------------------------------------------------------

const TClass& TSkinBitButton::ClassInfo() {
    static const TClass info("TSkinBitButton", &TSkinButton::ClassInfo());
    return info;
}

SIZE TSkinBitButton::GlyphSize() const {
    if (!m_pictureProperty.empty()) {
        const TGraphic* picture = PictureGraphic(m_control, m_pictureProperty);
        return picture ? SIZE{picture->Width(), picture->Height()} : SIZE{0, 0};
    }
    const TGlyphStrip strip = GlyphStripOf(m_control);
    if (strip.image)
        return strip.cell;
    if (const TCustomImageList* images = GlyphImages(m_control))
        return SIZE{images->Width(), images->Height()};
    return SIZE{0, 0};
}

void TSkinBitButton::DrawGlyphImage(HDC face, const RECT& at, int glyphIndex, bool enabled) {
    if (!m_pictureProperty.empty()) {
        if (TGraphic* picture = PictureGraphic(m_control, m_pictureProperty)) {
            TCanvas canvas;
            canvas.SetHandle(face);
            canvas.Draw(at.left, at.top, picture);
            canvas.SetHandle(nullptr);
        }
        return;
    }
    const TGlyphStrip strip = GlyphStripOf(m_control);
    if (strip.image) {
        DrawGlyph(face, at, strip, glyphIndex);
        return;
    }
    TCustomImageList* images = GlyphImages(m_control);
    if (!images)
        return;
    int index = static_cast<int>(GetOrdProp(m_control, "ImageIndex"));
    const int disabledIndex = static_cast<int>(GetOrdProp(m_control, "DisabledIndex"));
    if (!enabled && disabledIndex >= 0)
        index = disabledIndex;
    TCanvas canvas;
    canvas.SetHandle(face);
    // Without an image of its own for the disabled state, the list greys the normal one.
    images->Draw(&canvas, at.left, at.top, index, enabled || disabledIndex >= 0);
    canvas.SetHandle(nullptr);
}

RECT TSkinBitButton::DrawGlyphAndCaption(HDC face, const RECT& whole, int glyphIndex, bool enabled) {
    const std::u16string caption = CaptionText();
    const TGlyphPlacement placed = PlaceButtonContent(
        face, whole, GlyphSize(), caption,
        GlyphLayoutFromIdentifier(skin_properties::ReadIdentifier(m_control, "Layout")),
        static_cast<int>(GetOrdProp(m_control, "Margin")), static_cast<int>(GetOrdProp(m_control, "Spacing")),
        skin_properties::Is(m_control, "Alignment", "tacenter"));
    DrawGlyphImage(face, placed.glyph, glyphIndex, enabled);
    RECT block = placed.caption;
    const int oldMode = SetBkMode(face, TRANSPARENT);
    DrawCaption(face, caption, block, DT_WORDBREAK | placed.format);
    SetBkMode(face, oldMode);
    return placed.caption;
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasFaceImage())
        return;
    ReadState();
    int frame = Face();
    if (!m_pictureProperty.empty() && frame == bfDefault && !m_focused)
        frame = bfNormal;
    HDC face = StartFace(rect);
    const int saved = SaveDC(face);
    DrawFaceFrame(face, rect, frame);
    PrepareCaptionFont(face, frame, false);
    const RECT whole{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    RECT block = DrawGlyphAndCaption(face, whole, GlyphIndexOfFace(frame), m_enabled);
    if (m_focused && !HasOption(xoNoFocusRect) && !m_caption.empty()) {
        InflateRect(&block, 2, 2);
        DrawFocusRect(face, &block);
    }
    RestoreDC(face, saved);
    FinishFace(dc, rect);
}

// ---- the speed button ----------------------------------------------------------------------

const TClass& TSkinSpeedButton::ClassInfo() {
    static const TClass info("TSkinSpeedButton", &TSkinBitButton::ClassInfo());
    return info;
}

void TSkinSpeedButton::InitSkin(SkinFormServices* form, TSkinData* skinData, bool, TCanvas* canvas) {
    auto* button = dynamic_cast<TGraphicControl*>(Owner());
    if (m_initialized || !button)
        return;
    m_skinData = skinData;
    m_canvas = canvas;
    m_form = form;
    m_control = button;
    m_repaintTarget = button;
    InstallWindowProc(button);
    // Listed without a window: the parent's window is another control's.
    if (m_form)
        m_form->AddSkinControl(this, button, nullptr);
    m_transparent = button->Tag() == TransparentTag || HasOption(xoTransparent);
    m_initialized = true;
    m_lifecycle = slSkinned;
    button->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        // The parent paints its window-less controls with the DC moved to each one's place.
        if (message.WParam) {
            const RECT rect{0, 0, m_control->Width(), m_control->Height()};
            DrawSkin(reinterpret_cast<HDC>(message.WParam), rect);
        }
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const std::weak_ptr<bool> alive = AliveToken();
        CallDefault(message);
        if (alive.expired())
            return false;
        SetStateFlag(SkinStatePressed, true);
        PaintSkin(nullptr);
        return false;
    }
    case WM_LBUTTONUP:
        return true;
    default:
        return TSkinButton::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
        // The button repaints itself when enabled or disabled; it never takes the focus.
        break;
    case WM_NCDESTROY:
    case CM_RELEASE:
        RestoreWindowProc();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            SetStateFlag(SkinStatePressed, message.Msg == WM_KEYDOWN);
            PaintSkin(nullptr);
        }
        break;
    case WM_LBUTTONUP:
        SetStateFlag(SkinStatePressed, false);
        PaintSkin(nullptr);
        break;
    case WM_MOUSEMOVE:
        // The button hears of the mouse coming and going from its parent.
        break;
    case CM_MOUSEENTER:
        SetStateFlag(SkinStateHot, true);
        PaintSkin(nullptr);
        break;
    case CM_MOUSELEAVE:
        SetStateFlag(SkinStateHot | SkinStatePressed, false);
        if (m_control->Visible())
            PaintSkin(nullptr);
        break;
    default:
        TSkinButton::AfterMessage(message);
        break;
    }
}

void TSkinSpeedButton::PaintSkin(HDC) {
    auto* button = dynamic_cast<TGraphicControl*>(m_control);
    if (!button || !button->Parent() || !button->Parent()->HandleAllocated())
        return;
    HDC dc = button->Canvas()->Handle();
    if (!dc)
        return;
    try {
        DrawSkin(dc, RECT{0, 0, button->Width(), button->Height()});
    } catch (...) {
        // As for any control skin: the paint is skipped, the button stays usable.
    }
}

void TSkinSpeedButton::ComposeFace(const RECT& rect, int frame, int glyphIndex) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    m_face->SetPixelFormat(pf24bit);
    m_face->SetSize(width, height);
    HDC face = m_face->Canvas()->Handle();
    const RECT whole{0, 0, width, height};
    TWinControl* parent = m_control->Parent();
    if (m_transparent && parent && parent->HandleAllocated())
        PaintWindowArea(parent->Handle(), m_control->BoundsRect(), face);
    else
        FillBackground(face, whole);
    const int saved = SaveDC(face);
    const bool flat = skin_properties::Is(m_control, "Flat", "true");
    if (frame == bfPressed || frame == bfHot || !flat)
        DrawFaceFrame(face, rect, frame);
    if (GlyphSize().cx > 0) {
        PrepareCaptionFont(face, frame, true);
        DrawGlyphAndCaption(face, whole, glyphIndex, frame != bfDisabled);
    } else {
        PrepareCaptionFont(face, frame, false);
        DrawCentredCaption(face, rect);
    }
    RestoreDC(face, saved);
}

void TSkinSpeedButton::DrawSkin(HDC dc, const RECT& rect) {
    if (m_drawing || !HasFaceImage() || IsRectEmpty(&rect) || !m_control->Visible())
        return;
    m_drawing = true;
    const bool down = skin_properties::Is(m_control, "Down", "true");
    m_enabled = m_control->Enabled();
    m_focused = false;
    m_caption = GetWideStrProp(m_control, "Caption");
    int frame = bfNormal;
    if (down)
        frame = bfPressed;
    else if (!m_enabled)
        frame = bfDisabled;
    else if (Pressed())
        frame = bfPressed;
    else if (Hot())
        frame = bfHot;
    m_lastFace = frame;
    try {
        ComposeFace(rect, frame, down ? GlyphDown : GlyphIndexOfFace(frame));
    } catch (...) {
        m_drawing = false;
        throw;
    }
    m_drawing = false;
    FinishFace(dc, rect);
}
