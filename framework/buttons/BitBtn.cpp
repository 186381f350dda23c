#include "framework/buttons/BitBtn.h"

#include "framework/buttons/ButtonFace.h"
#include "framework/classes/Module.h"
#include "framework/classes/PropertyTable.h"
#include "framework/controls/Accel.h"
#include "framework/controls/DrawItemCanvas.h"
#include "framework/forms/Form.h"
#include "platform/controls/buttons/Button.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"

#include <iterator>

namespace {

// What a standard kind of button is: our caption, the glyph among the program's bitmaps, the
// modal result, and whether Enter or Escape clicks it.
struct KindDescription {
    const char* caption;
    const char* glyph;
    TModalResult modalResult;
    bool isDefault;
    bool isCancel;
};

const KindDescription Kinds[] = {
    {"", "", mrNone, false, false},
    {"确定", "BBOK", mrOk, true, false},
    {"取消", "BBCANCEL", mrCancel, false, true},
    {"帮助(&H)", "BBHELP", mrNone, false, false},
    {"是(&Y)", "BBYES", mrYes, true, false},
    {"否(&N)", "BBNO", mrNo, false, true},
    {"关闭(&C)", "BBCLOSE", mrNone, false, false},
    {"中止(&A)", "BBABORT", mrAbort, false, false},
    {"重试(&R)", "BBRETRY", mrRetry, false, false},
    {"忽略(&I)", "BBIGNORE", mrIgnore, false, false},
    {"全部(&A)", "BBALL", mrAll, false, false},
};
static_assert(std::size(Kinds) == bkAll + 1);

} // namespace

const TEnumInfo& BitBtnKindIdents() {
    static const TEnumInfo idents{{"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                   "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
    return idents;
}

const TClass& TBitBtn::ClassInfo() {
    static const TClass info(
        "TBitBtn", &TButton::ClassInfo(),
        {
            ObjProperty("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
            EnumProperty("Kind", BitBtnKindIdents(), &TBitBtn::Kind, &TBitBtn::SetKind),
            EnumProperty("Layout", ButtonLayoutIdents(), &TBitBtn::Layout, &TBitBtn::SetLayout),
            OrdProperty("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
            OrdProperty("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
            OrdProperty("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
        });
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), m_canvas(std::make_unique<TCanvas>()) {
    m_glyph.OnChange = [this](TObject*) { GlyphChanged(); };
}

TBitBtn::~TBitBtn() {
    m_glyph.OnChange = nullptr;
}

DWORD TBitBtn::ButtonStyle() const {
    return BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool isDefault) {
    // The window stays owner-drawn; the outline of the default button is drawn here.
    if (isDefault == m_showsDefault)
        return;
    m_showsDefault = isDefault;
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind == m_kind)
        return;
    m_kind = kind;
    if (kind != bkCustom) {
        const KindDescription& description = Kinds[kind];
        SetDefault(description.isDefault);
        SetCancel(description.isCancel);
        SetModalResult(description.modalResult);
        SetCaption(description.caption);
        TBitmap glyph;
        glyph.LoadFromResourceName(HInstance(), description.glyph);
        m_settingKind = true;
        m_glyph.SetGlyph(&glyph);
        m_settingKind = false;
    }
    Invalidate();
}

void TBitBtn::GlyphChanged() {
    if (!m_settingKind)
        m_kind = bkCustom;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
    if (layout == m_layout)
        return;
    m_layout = layout;
    Invalidate();
}

void TBitBtn::SetMargin(int margin) {
    if (margin == m_margin || margin < -1)
        return;
    m_margin = margin;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
    if (spacing == m_spacing || spacing < -1)
        return;
    m_spacing = spacing;
    Invalidate();
}

void TBitBtn::Click() {
    TButton::Click();
    if (m_kind == bkClose) {
        if (TCustomForm* form = GetParentForm(this))
            form->Close();
    }
}

void TBitBtn::CNDrawItem(TMessage& message) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    DrawItemCanvas lent(*m_canvas, *this, item->hDC);
    const bool down = (item->itemState & ODS_SELECTED) != 0;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    const TRect face = DrawPushFace(*m_canvas, item->rcItem, down, m_showsDefault);
    const TButtonState state = !enabled ? bsDisabled : down ? bsDown : bsUp;
    m_glyph.Draw(*m_canvas, face, down ? Point(1, 1) : Point(0, 0), Caption(), m_layout, m_margin, m_spacing,
                 state, UseRightToLeftReading() ? DT_RTLREADING : 0);
    if (item->itemState & ODS_FOCUS) {
        TRect focus = face;
        InflateRect(&focus, -1, -1);
        m_canvas->DrawFocusRect(focus);
    }
    message.Result = TRUE;
}

void TBitBtn::CMDialogChar(TMessage& message) {
    if (IsAccel(message.WParam, Caption()) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    TButton::Dispatch(message);
}

void TBitBtn::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_DRAWITEM:
        CNDrawItem(message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        break;
    default:
        TButton::Dispatch(message);
        break;
    }
}
