#include "framework/comctrls/StatusBar.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "framework/controls/DrawItemCanvas.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

const TEnumInfo& StatusPanelStyleIdents() {
    static const TEnumInfo idents{{"psText", "psOwnerDraw"}};
    return idents;
}

const TEnumInfo& StatusPanelBevelIdents() {
    static const TEnumInfo idents{{"pbNone", "pbLowered", "pbRaised"}};
    return idents;
}

// ---- TStatusPanel ---------------------------------------------------------------------------

const TClass& TStatusPanel::ClassInfo() {
    static const TClass info(
        "TStatusPanel", &TPersistent::ClassInfo(),
        {
            EnumProperty("Alignment", AlignmentIdents(), &TStatusPanel::Alignment,
                         &TStatusPanel::SetAlignment),
            EnumProperty("Bevel", StatusPanelBevelIdents(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel),
            EnumProperty("Style", StatusPanelStyleIdents(), &TStatusPanel::Style, &TStatusPanel::SetStyle),
            StrProperty("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
            OrdProperty("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth),
        });
    return info;
}

int TStatusPanel::Index() const {
    return m_collection.IndexOf(this);
}

void TStatusPanel::Changed(bool layout) {
    m_collection.Changed(this, layout);
}

void TStatusPanel::SetText(const std::string& text) {
    if (ChangeSetting(m_text, text))
        Changed(false);
}

void TStatusPanel::SetWidth(int width) {
    width = std::max(width, 0);
    if (ChangeSetting(m_width, width))
        Changed(true);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    if (ChangeSetting(m_bevel, bevel))
        Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
    if (ChangeSetting(m_style, style))
        Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    if (ChangeSetting(m_alignment, alignment))
        Changed(false);
}

void TStatusPanel::Assign(const TPersistent* source) {
    const auto* panel = dynamic_cast<const TStatusPanel*>(source);
    if (!panel) {
        TPersistent::Assign(source);
        return;
    }
    m_text = panel->m_text;
    m_width = panel->m_width;
    m_bevel = panel->m_bevel;
    m_style = panel->m_style;
    m_alignment = panel->m_alignment;
    Changed(true);
}

// ---- TStatusPanels --------------------------------------------------------------------------

const TClass& TStatusPanels::ClassInfo() {
    static const TClass info("TStatusPanels", &TPersistent::ClassInfo());
    return info;
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

int TStatusPanels::IndexOf(const TStatusPanel* panel) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_items[static_cast<std::size_t>(i)].get() == panel)
            return i;
    }
    return -1;
}

TStatusPanel* TStatusPanels::Add() {
    return Insert(Count());
}

TStatusPanel* TStatusPanels::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto panel = std::make_unique<TStatusPanel>(*this);
    TStatusPanel* added = panel.get();
    m_items.insert(m_items.begin() + index, std::move(panel));
    Changed(nullptr, true);
    return added;
}

void TStatusPanels::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    Changed(nullptr, true);
}

void TStatusPanels::Clear() {
    if (m_items.empty())
        return;
    m_items.clear();
    Changed(nullptr, true);
}

void TStatusPanels::EndUpdate() {
    if (m_updateCount > 0 && --m_updateCount == 0 && m_pending) {
        m_pending = false;
        m_statusBar.UpdatePanels();
    }
}

void TStatusPanels::Changed(const TStatusPanel* panel, bool layout) {
    if (m_updateCount > 0) {
        m_pending = true;
        return;
    }
    if (layout || !panel)
        m_statusBar.UpdatePanels();
    else
        m_statusBar.UpdatePanel(IndexOf(panel));
}

void TStatusPanels::Assign(const TPersistent* source) {
    const auto* panels = dynamic_cast<const TStatusPanels*>(source);
    if (!panels) {
        TPersistent::Assign(source);
        return;
    }
    if (panels == this)
        return;
    BeginUpdate();
    m_items.clear();
    for (int i = 0; i < panels->Count(); ++i)
        Add()->Assign(panels->Items(i));
    m_pending = true;
    EndUpdate();
}

// ---- TCustomStatusBar -----------------------------------------------------------------------

const TClass& TCustomStatusBar::ClassInfo() {
    static const TClass info(
        "TCustomStatusBar", &TWinControl::ClassInfo(),
        CommonControlProperties({
            ObjProperty("Panels", &TCustomStatusBar::Panels, &TCustomStatusBar::SetPanels),
            EnumProperty("SimplePanel", BooleanIdents(), &TCustomStatusBar::SimplePanel,
                         &TCustomStatusBar::SetSimplePanel),
            StrProperty("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText),
            EnumProperty("SizeGrip", BooleanIdents(), &TCustomStatusBar::SizeGrip,
                         &TCustomStatusBar::SetSizeGrip),
            MethodProperty("OnDrawPanel", &TCustomStatusBar::OnDrawPanel),
        }));
    return info;
}

const TClass& TStatusBar::ClassInfo() {
    static const TClass info("TStatusBar", &TCustomStatusBar::ClassInfo());
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), m_panels(std::make_unique<TStatusPanels>(*this)),
      m_canvas(std::make_unique<TCanvas>()) {
    m_controlStyle.Exclude(csSetCaption);
    SetColor(clBtnFace);
    SetBounds(0, 0, 0, 19);
    SetAlign(alBottom);
}

TCustomStatusBar::~TCustomStatusBar() = default;

void TCustomStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, STATUSCLASSNAMEA);
    // The framework places the bar (Align); the window must not move itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (m_sizeGrip)
        params.Style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    UpdatePanels();
}

void TCustomStatusBar::UpdatePanels() {
    if (!HandleAllocated())
        return;
    const int count = m_panels->Count();
    // Each part ends where its panel's width takes it; the last one reaches the bar's end.
    std::vector<int> edges;
    int edge = 0;
    for (int i = 0; i < count; ++i) {
        edge += m_panels->Items(i)->Width();
        edges.push_back(i == count - 1 ? -1 : edge);
    }
    if (edges.empty()) {
        // The window always has a part; without panels it is one empty part over the bar.
        edges.push_back(-1);
        SendMessageA(m_handle, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    }
    SendMessageA(m_handle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i)
        UpdatePanel(i);
    UpdateSimpleText();
    UpdateSimpleMode();
}

void TCustomStatusBar::UpdateSimpleMode() {
    if (!HandleAllocated())
        return;
    // A bar without panels shows its simple text. The window tells its parent of every switch,
    // so it is told only of real ones.
    const bool simple = m_simplePanel || m_panels->Count() == 0;
    if ((SendMessageA(m_handle, SB_ISSIMPLE, 0, 0) != 0) != simple)
        SendMessageA(m_handle, SB_SIMPLE, simple, 0);
}

void TCustomStatusBar::UpdatePanel(int index) {
    const TStatusPanel* panel = m_panels->Items(index);
    if (!panel || !HandleAllocated())
        return;
    WPARAM type = 0;
    if (panel->Bevel() == pbNone)
        type |= SBT_NOBORDERS;
    else if (panel->Bevel() == pbRaised)
        type |= SBT_POPOUT;
    if (UseRightToLeftReading())
        type |= SBT_RTLREADING;
    if (panel->Style() == psOwnerDraw) {
        SendMessageA(m_handle, SB_SETTEXTA, static_cast<WPARAM>(index) | type | SBT_OWNERDRAW,
                     reinterpret_cast<LPARAM>(panel));
        return;
    }
    // The window centres what follows one tab and right-aligns what follows two.
    const char* prefix = panel->Alignment() == taCenter         ? "\t"
                         : panel->Alignment() == taRightJustify ? "\t\t"
                                                                : "";
    const std::string text = prefix + panel->Text();
    SendMessageA(m_handle, SB_SETTEXTA, static_cast<WPARAM>(index) | type,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomStatusBar::UpdateSimpleText() {
    if (!HandleAllocated())
        return;
    const WPARAM type = UseRightToLeftReading() ? SBT_RTLREADING : 0;
    SendMessageA(m_handle, SB_SETTEXTA, SB_SIMPLEID | type, reinterpret_cast<LPARAM>(m_simpleText.c_str()));
}

void TCustomStatusBar::SetSimplePanel(bool simple) {
    if (simple == m_simplePanel)
        return;
    m_simplePanel = simple;
    UpdateSimpleMode();
}

void TCustomStatusBar::SetSimpleText(const std::string& text) {
    if (ChangeSetting(m_simpleText, text))
        UpdateSimpleText();
}

void TCustomStatusBar::SetSizeGrip(bool sizeGrip) {
    if (ChangeSetting(m_sizeGrip, sizeGrip))
        RecreateWnd();
}

void TCustomStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
    if (OnDrawPanel)
        OnDrawPanel(this, panel, rect);
    else
        m_canvas->FillRect(rect);
}

void TCustomStatusBar::CNDrawItem(TMessage& message) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    TStatusPanel* panel = item ? m_panels->Items(static_cast<int>(item->itemID)) : nullptr;
    if (!panel) {
        TWinControl::Dispatch(message);
        return;
    }
    DrawItemCanvas canvas(*m_canvas, *this, item->hDC);
    DrawPanel(panel, item->rcItem);
    message.Result = TRUE;
}

void TCustomStatusBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_DRAWITEM:
        CNDrawItem(message);
        break;
    case CM_BIDIMODECHANGED:
        TWinControl::Dispatch(message);
        UpdatePanels();
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
