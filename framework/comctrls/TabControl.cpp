#include "framework/comctrls/TabControl.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "framework/controls/DrawItemCanvas.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

const TEnumInfo& TabStyleIdents() {
    static const TEnumInfo idents{{"tsTabs", "tsButtons", "tsFlatButtons"}};
    return idents;
}

const TEnumInfo& TabPositionIdents() {
    static const TEnumInfo idents{{"tpTop", "tpBottom", "tpLeft", "tpRight"}};
    return idents;
}

const TClass& TCustomTabControl::ClassInfo() {
    static const TClass info(
        "TCustomTabControl", &TWinControl::ClassInfo(),
        CommonControlProperties({
            ObjProperty("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages),
            EnumProperty("MultiLine", BooleanIdents(), &TCustomTabControl::MultiLine,
                         &TCustomTabControl::SetMultiLine),
            EnumProperty("OwnerDraw", BooleanIdents(), &TCustomTabControl::OwnerDraw,
                         &TCustomTabControl::SetOwnerDraw),
            EnumProperty("Style", TabStyleIdents(), &TCustomTabControl::Style, &TCustomTabControl::SetStyle),
            OrdProperty("TabIndex", &TCustomTabControl::TabIndex, &TCustomTabControl::SetTabIndex),
            EnumProperty("TabPosition", TabPositionIdents(), &TCustomTabControl::TabPosition,
                         &TCustomTabControl::SetTabPosition),
            MethodProperty("OnChange", &TCustomTabControl::OnChange),
            MethodProperty("OnChanging", &TCustomTabControl::OnChanging),
            MethodProperty("OnDrawTab", &TCustomTabControl::OnDrawTab),
        }));
    return info;
}

const TClass& TTabControl::ClassInfo() {
    static const TClass info("TTabControl", &TCustomTabControl::ClassInfo());
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner)
    : TWinControl(owner), m_canvas(std::make_unique<TCanvas>()) {
    m_controlStyle.Include(csAcceptsControls);
    m_controlStyle.Exclude(csSetCaption);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    m_imageLink.OnChange = [this](TObject*) { ImageListChange(); };
}

// The change link lets go of the image list by itself.
TCustomTabControl::~TCustomTabControl() = default;

// ---- the window -----------------------------------------------------------------------------

void TCustomTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, WC_TABCONTROLA);
    switch (m_style) {
    case tsButtons:
        params.Style |= TCS_BUTTONS;
        break;
    case tsFlatButtons:
        params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
        break;
    default:
        break;
    }
    switch (m_tabPosition) {
    case tpBottom:
        params.Style |= TCS_BOTTOM;
        break;
    case tpLeft:
        params.Style |= TCS_VERTICAL;
        break;
    case tpRight:
        params.Style |= TCS_VERTICAL | TCS_RIGHT;
        break;
    default:
        break;
    }
    if (m_multiLine)
        params.Style |= TCS_MULTILINE;
    if (m_ownerDraw)
        params.Style |= TCS_OWNERDRAWFIXED;
}

void TCustomTabControl::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    if (m_images)
        SendMessageA(m_handle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images->Handle()));
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = m_tabs[i].text.data();
        item.iImage = m_tabs[i].imageIndex;
        SendMessageA(m_handle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    if (m_tabIndex >= 0)
        SendMessageA(m_handle, TCM_SETCURSEL, static_cast<WPARAM>(m_tabIndex), 0);
    // The tabs take their room only now; the children go into what is left.
    Realign();
}

TRect TCustomTabControl::DisplayRect() {
    RECT rect = ClientRect();
    if (HandleAllocated())
        SendMessageA(m_handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TCustomTabControl::AlignControls(TControl* control, TRect& rect) {
    rect = DisplayRect();
    TWinControl::AlignControls(control, rect);
}

// ---- tabs -----------------------------------------------------------------------------------

const TCustomTabControl::Tab* TCustomTabControl::TabAt(int index) const {
    if (index < 0 || index >= TabCount())
        return nullptr;
    return &m_tabs[static_cast<std::size_t>(index)];
}

std::string TCustomTabControl::TabText(int index) const {
    const Tab* tab = TabAt(index);
    return tab ? tab->text : std::string();
}

TObject* TCustomTabControl::TabData(int index) const {
    const Tab* tab = TabAt(index);
    return tab ? tab->data : nullptr;
}

int TCustomTabControl::IndexOfTabData(const TObject* data) const {
    for (int i = 0; i < TabCount(); ++i) {
        if (m_tabs[static_cast<std::size_t>(i)].data == data)
            return i;
    }
    return -1;
}

void TCustomTabControl::InsertTab(int index, const std::string& text, int imageIndex, TObject* data) {
    index = std::clamp(index, 0, TabCount());
    m_tabs.insert(m_tabs.begin() + index, Tab{text, imageIndex, data});
    // The window selects the first tab it is given; tabs before the selected one move it on.
    if (m_tabIndex < 0)
        m_tabIndex = 0;
    else if (index <= m_tabIndex)
        ++m_tabIndex;
    if (HandleAllocated()) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = m_tabs[static_cast<std::size_t>(index)].text.data();
        item.iImage = imageIndex;
        SendMessageA(m_handle, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    TabsChanged();
}

void TCustomTabControl::DeleteTab(int index) {
    if (!TabAt(index))
        return;
    m_tabs.erase(m_tabs.begin() + index);
    // Deleting the selected tab leaves none selected, as the window does.
    if (m_tabIndex == index)
        m_tabIndex = -1;
    else if (m_tabIndex > index)
        --m_tabIndex;
    if (HandleAllocated())
        SendMessageA(m_handle, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    TabsChanged();
}

void TCustomTabControl::ClearTabs() {
    if (m_tabs.empty())
        return;
    m_tabs.clear();
    m_tabIndex = -1;
    if (HandleAllocated())
        SendMessageA(m_handle, TCM_DELETEALLITEMS, 0, 0);
    TabsChanged();
}

void TCustomTabControl::SetTabText(int index, const std::string& text) {
    if (!TabAt(index) || m_tabs[static_cast<std::size_t>(index)].text == text)
        return;
    Tab& tab = m_tabs[static_cast<std::size_t>(index)];
    tab.text = text;
    if (HandleAllocated()) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = tab.text.data();
        SendMessageA(m_handle, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    TabsChanged();
}

void TCustomTabControl::SetTabImage(int index, int imageIndex) {
    if (!TabAt(index) || m_tabs[static_cast<std::size_t>(index)].imageIndex == imageIndex)
        return;
    m_tabs[static_cast<std::size_t>(index)].imageIndex = imageIndex;
    if (HandleAllocated()) {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        item.iImage = imageIndex;
        SendMessageA(m_handle, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
}

// A new tab text or count may change the rows of tabs, and so the display area.
void TCustomTabControl::TabsChanged() {
    if (HandleAllocated())
        Realign();
}

void TCustomTabControl::SetTabIndex(int index) {
    if (index < -1 || index >= TabCount())
        return;
    m_tabIndex = index;
    if (HandleAllocated() && index >= 0)
        SendMessageA(m_handle, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
    if (!HandleAllocated())
        return -1;
    TCHITTESTINFO info{};
    info.pt = POINT{x, y};
    return static_cast<int>(SendMessageA(m_handle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

// ---- appearance -----------------------------------------------------------------------------

void TCustomTabControl::SetStyle(TTabStyle style) {
    if (ChangeSetting(m_style, style))
        RecreateWnd();
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
    if (ChangeSetting(m_tabPosition, position))
        RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool multiLine) {
    if (ChangeSetting(m_multiLine, multiLine))
        RecreateWnd();
}

void TCustomTabControl::SetOwnerDraw(bool ownerDraw) {
    if (ChangeSetting(m_ownerDraw, ownerDraw))
        RecreateWnd();
}

void TCustomTabControl::SetImages(TCustomImageList* images) {
    if (ChangeImageList(m_images, images, m_imageLink, *this))
        ImageListChange();
}

void TCustomTabControl::ImageListChange() {
    if (!HandleAllocated())
        return;
    // A list that changed its size has a new platform list behind it.
    SendMessageA(m_handle, TCM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(m_images ? m_images->Handle() : nullptr));
    Realign();
    Invalidate();
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        // The list is being destroyed: only forget it.
        m_images = nullptr;
        if (HandleAllocated())
            SendMessageA(m_handle, TCM_SETIMAGELIST, 0, 0);
    }
}

// ---- notifications --------------------------------------------------------------------------

bool TCustomTabControl::CanChange() {
    bool allowChange = true;
    if (OnChanging)
        OnChanging(this, allowChange);
    return allowChange;
}

void TCustomTabControl::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomTabControl::CNNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    switch (header ? header->code : 0) {
    case TCN_SELCHANGING:
        // A non-zero answer keeps the current tab.
        message.Result = CanChange() ? FALSE : TRUE;
        break;
    case TCN_SELCHANGE:
        m_tabIndex = static_cast<int>(SendMessageA(m_handle, TCM_GETCURSEL, 0, 0));
        Change();
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

void TCustomTabControl::DrawTab(int index, const TRect& rect, bool active) {
    if (OnDrawTab) {
        OnDrawTab(this, index, rect, active);
        return;
    }
    m_canvas->FillRect(rect);
    m_canvas->TextRect(rect, rect.left + 3, rect.top + 2, TabText(index));
}

void TCustomTabControl::CNDrawItem(TMessage& message) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    if (!item) {
        TWinControl::Dispatch(message);
        return;
    }
    DrawItemCanvas canvas(*m_canvas, *this, item->hDC);
    DrawTab(static_cast<int>(item->itemID), item->rcItem, (item->itemState & ODS_SELECTED) != 0);
    message.Result = TRUE;
}

void TCustomTabControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        CNNotify(message);
        break;
    case CN_DRAWITEM:
        CNDrawItem(message);
        break;
    case CM_FONTCHANGED:
        // The tabs' height follows the font, and the display area with it.
        TWinControl::Dispatch(message);
        TabsChanged();
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

int TTabControl::AddTab(const std::string& text, int imageIndex) {
    InsertTab(TabCount(), text, imageIndex, nullptr);
    return TabCount() - 1;
}
