#include "framework/comctrls/ToolBar.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/ImageList.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "framework/controls/Messages.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

namespace {

BYTE NativeStyle(const TToolButton& button) {
    switch (button.Style()) {
    case tbsCheck:
        return button.Grouped() ? BTNS_CHECKGROUP : BTNS_CHECK;
    case tbsDropDown:
        return BTNS_DROPDOWN;
    case tbsSeparator:
    case tbsDivider:
        return BTNS_SEP;
    default:
        // A menu's button drops its items down from anywhere on it.
        return button.MenuItem() && button.MenuItem()->Count() > 0 ? BTNS_WHOLEDROPDOWN | BTNS_DROPDOWN
                                                                   : BTNS_BUTTON;
    }
}

BYTE NativeState(const TToolButton& button) {
    BYTE state = 0;
    if (button.Enabled())
        state |= TBSTATE_ENABLED;
    if (!button.Visible())
        state |= TBSTATE_HIDDEN;
    if (button.Down())
        state |= TBSTATE_CHECKED;
    if (button.Indeterminate())
        state |= TBSTATE_INDETERMINATE;
    if (button.Marked())
        state |= TBSTATE_MARKED;
    if (button.Wrap())
        state |= TBSTATE_WRAP;
    return state;
}

TCustomDrawState DrawState(UINT itemState) {
    TCustomDrawState state;
    const std::pair<UINT, TCustomDrawStateItem> bits[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed}, {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused}, {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked}, {CDIS_INDETERMINATE, cdsIndeterminate},
    };
    for (const auto& [bit, member] : bits) {
        if (itemState & bit)
            state.Include(member);
    }
    return state;
}

// Lends a canvas the DC of one custom-draw stage for as long as it lives.
class CustomDrawCanvas {
public:
    CustomDrawCanvas(TCanvas& canvas, TControl& control, HDC dc) : m_canvas(canvas) {
        m_canvas.SetHandle(dc);
        m_canvas.SetFont(control.Font());
    }
    ~CustomDrawCanvas() { m_canvas.SetHandle(nullptr); }
    CustomDrawCanvas(const CustomDrawCanvas&) = delete;
    CustomDrawCanvas& operator=(const CustomDrawCanvas&) = delete;

private:
    TCanvas& m_canvas;
};

} // namespace

const TClass& TToolBar::ClassInfo() {
    static const TClass info(
        "TToolBar", &TWinControl::ClassInfo(),
        CommonControlProperties({
            OrdProperty("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight),
            OrdProperty("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth),
            ObjProperty("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages),
            EnumProperty("Flat", BooleanIdents(), &TToolBar::Flat, &TToolBar::SetFlat),
            ObjProperty("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages),
            ObjProperty("Images", &TToolBar::Images, &TToolBar::SetImages),
            EnumProperty("List", BooleanIdents(), &TToolBar::List, &TToolBar::SetList),
            ObjProperty("Menu", &TToolBar::Menu, &TToolBar::SetMenu),
            EnumProperty("ShowCaptions", BooleanIdents(), &TToolBar::ShowCaptions,
                         &TToolBar::SetShowCaptions),
            EnumProperty("Wrapable", BooleanIdents(), &TToolBar::Wrapable, &TToolBar::SetWrapable),
            MethodProperty("OnCustomDraw", &TToolBar::OnCustomDraw),
            MethodProperty("OnCustomDrawButton", &TToolBar::OnCustomDrawButton),
        }));
    return info;
}

TToolBar::TToolBar(TComponent* owner)
    : TWinControl(owner), m_imageLink(std::make_unique<TChangeLink>()),
      m_hotImageLink(std::make_unique<TChangeLink>()), m_disabledImageLink(std::make_unique<TChangeLink>()),
      m_canvas(std::make_unique<TCanvas>()) {
    m_controlStyle.Exclude(csSetCaption);
    for (TChangeLink* link : {m_imageLink.get(), m_hotImageLink.get(), m_disabledImageLink.get()})
        link->OnChange = [this](TObject*) { WriteImageLists(); };
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    // A button leaving takes itself off the list: the list is emptied first.
    const std::vector<TToolButton*> owned = std::move(m_menuButtons);
    m_menuButtons.clear();
    for (TToolButton* button : owned)
        delete button;
    for (TCustomImageList* list : {m_images, m_hotImages, m_disabledImages}) {
        if (list) {
            list->UnRegisterChanges(m_imageLink.get());
            list->UnRegisterChanges(m_hotImageLink.get());
            list->UnRegisterChanges(m_disabledImageLink.get());
        }
    }
}

TToolButton* TToolBar::Buttons(int index) const {
    return index >= 0 && index < ButtonCount() ? m_buttons[static_cast<std::size_t>(index)] : nullptr;
}

void TToolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, TOOLBARCLASSNAMEA);
    // The framework places and sizes the bar itself (Align).
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
    if (m_flat)
        params.Style |= TBSTYLE_FLAT;
    if (m_list)
        params.Style |= TBSTYLE_LIST;
    if (m_wrapable)
        params.Style |= TBSTYLE_WRAPABLE;
}

void TToolBar::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    SendMessageA(m_handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(m_handle, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    WriteImageLists();
    WriteButtons();
}

// ---- buttons --------------------------------------------------------------------------------

TToolButton* TToolBar::ButtonOfCommand(int command) const {
    for (TToolButton* button : m_buttons) {
        if (button->m_command == command)
            return button;
    }
    return nullptr;
}

void TToolBar::ButtonAdded(TToolButton* button) {
    button->m_command = m_nextCommand++;
    m_buttons.push_back(button);
    WriteButtons();
}

void TToolBar::ButtonRemoved(TToolButton* button) {
    m_buttons.erase(std::remove(m_buttons.begin(), m_buttons.end(), button), m_buttons.end());
    m_menuButtons.erase(std::remove(m_menuButtons.begin(), m_menuButtons.end(), button), m_menuButtons.end());
    WriteButtons();
}

void TToolBar::WriteButtons() {
    if (!HandleAllocated())
        return;
    while (SendMessageA(m_handle, TB_DELETEBUTTON, 0, 0)) {
    }
    std::vector<TBBUTTON> records;
    std::vector<std::string> captions;
    captions.reserve(m_buttons.size());
    for (TToolButton* button : m_buttons) {
        TBBUTTON record{};
        const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
        record.iBitmap = separator ? button->Width() : button->ImageIndex();
        record.idCommand = button->m_command;
        record.fsState = NativeState(*button);
        record.fsStyle = NativeStyle(*button);
        captions.push_back(button->Caption());
        record.iString =
            m_showCaptions && !separator ? reinterpret_cast<INT_PTR>(captions.back().c_str()) : -1;
        records.push_back(record);
    }
    if (!records.empty())
        SendMessageA(m_handle, TB_ADDBUTTONSA, records.size(), reinterpret_cast<LPARAM>(records.data()));
    WriteSizes();
    PlaceButtons();
}

void TToolBar::UpdateButton(TToolButton* button) {
    if (!HandleAllocated())
        return;
    const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
    const std::string caption = m_showCaptions && !separator ? button->Caption() : std::string();
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE | TBIF_STYLE | TBIF_IMAGE | TBIF_TEXT;
    info.fsState = NativeState(*button);
    info.fsStyle = NativeStyle(*button);
    info.iImage = separator ? button->Width() : button->ImageIndex();
    info.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(m_handle, TB_SETBUTTONINFOA, static_cast<WPARAM>(button->m_command),
                 reinterpret_cast<LPARAM>(&info));
    PlaceButtons();
}

void TToolBar::PlaceButtons() {
    if (!HandleAllocated())
        return;
    for (int index = 0; index < ButtonCount(); ++index) {
        RECT rect{};
        if (!SendMessageA(m_handle, TB_GETITEMRECT, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&rect)))
            rect = RECT{};
        m_buttons[static_cast<std::size_t>(index)]->Place(rect);
    }
    // Aligned to an edge, the bar is as tall as its rows of buttons.
    if (Align() == alTop || Align() == alBottom) {
        const int rows = static_cast<int>(SendMessageA(m_handle, TB_GETROWS, 0, 0));
        const int buttonHeight = HIWORD(SendMessageA(m_handle, TB_GETBUTTONSIZE, 0, 0));
        const RECT client = ClientRect();
        const int frame = Height() - (client.bottom - client.top);
        SetHeight(std::max(rows, 1) * buttonHeight + 4 + frame);
    }
}

void TToolBar::WriteSizes() {
    if (!HandleAllocated())
        return;
    SendMessageA(m_handle, TB_SETBUTTONSIZE, 0, MAKELPARAM(m_buttonWidth, m_buttonHeight));
}

void TToolBar::WriteImageLists() {
    if (!HandleAllocated())
        return;
    const auto handle = [](TCustomImageList* list) {
        return reinterpret_cast<LPARAM>(list ? list->Handle() : nullptr);
    };
    SendMessageA(m_handle, TB_SETIMAGELIST, 0, handle(m_images));
    SendMessageA(m_handle, TB_SETHOTIMAGELIST, 0, handle(m_hotImages));
    SendMessageA(m_handle, TB_SETDISABLEDIMAGELIST, 0, handle(m_disabledImages));
    WriteSizes();
    PlaceButtons();
    Invalidate();
}

// ---- settings -------------------------------------------------------------------------------

void TToolBar::SetFlat(bool flat) {
    if (ChangeSetting(m_flat, flat))
        RecreateWnd();
}

void TToolBar::SetList(bool list) {
    if (ChangeSetting(m_list, list))
        RecreateWnd();
}

void TToolBar::SetShowCaptions(bool show) {
    if (ChangeSetting(m_showCaptions, show))
        WriteButtons();
}

void TToolBar::SetWrapable(bool wrapable) {
    if (ChangeSetting(m_wrapable, wrapable))
        RecreateWnd();
}

void TToolBar::SetButtonWidth(int width) {
    if (ChangeSetting(m_buttonWidth, std::max(0, width))) {
        WriteSizes();
        PlaceButtons();
    }
}

void TToolBar::SetButtonHeight(int height) {
    if (ChangeSetting(m_buttonHeight, std::max(0, height))) {
        WriteSizes();
        PlaceButtons();
    }
}

void TToolBar::SetImages(TCustomImageList* images) {
    if (ChangeImageList(m_images, images, *m_imageLink, *this))
        WriteImageLists();
}

void TToolBar::SetHotImages(TCustomImageList* images) {
    if (ChangeImageList(m_hotImages, images, *m_hotImageLink, *this))
        WriteImageLists();
}

void TToolBar::SetDisabledImages(TCustomImageList* images) {
    if (ChangeImageList(m_disabledImages, images, *m_disabledImageLink, *this))
        WriteImageLists();
}

void TToolBar::SetMenu(TMainMenu* menu) {
    if (menu == m_menu)
        return;
    if (m_menu)
        m_menu->RemoveFreeNotification(this);
    m_menu = menu;
    if (menu)
        menu->FreeNotification(this);
    RebuildMenuButtons();
}

void TToolBar::RebuildMenuButtons() {
    const std::vector<TToolButton*> old = std::move(m_menuButtons);
    m_menuButtons.clear();
    for (TToolButton* button : old)
        delete button;
    if (!m_menu)
        return;
    TMenuItem* root = m_menu->Items();
    for (int index = 0; index < root->Count(); ++index) {
        auto* button = new TToolButton(nullptr);
        m_menuButtons.push_back(button);
        button->SetMenuItem(root->Items(index));
        button->SetParent(this);
    }
    if (!m_showCaptions)
        SetShowCaptions(true);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_images)
        m_images = nullptr;
    if (component == m_hotImages)
        m_hotImages = nullptr;
    if (component == m_disabledImages)
        m_disabledImages = nullptr;
    if (component == m_menu) {
        m_menu = nullptr;
        RebuildMenuButtons();
    }
    if (component == m_images || component == m_hotImages || component == m_disabledImages)
        WriteImageLists();
}

// ---- messages -------------------------------------------------------------------------------

void TToolBar::ReadCheckStates() {
    for (TToolButton* button : m_buttons) {
        if (button->Style() == tbsCheck)
            button->m_down =
                SendMessageA(m_handle, TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->m_command), 0) > 0;
    }
}

void TToolBar::CNCommand(TMessage& message) {
    TToolButton* button = ButtonOfCommand(LOWORD(message.WParam));
    if (!button) {
        TWinControl::Dispatch(message);
        return;
    }
    ReadCheckStates();
    button->Click();
}

void TToolBar::DropDown(TToolButton* button) {
    RECT rect{};
    SendMessageA(m_handle, TB_GETRECT, static_cast<WPARAM>(button->m_command),
                 reinterpret_cast<LPARAM>(&rect));
    const TPoint below = ClientToScreen(Point(rect.left, rect.bottom));
    if (button->DropdownMenu()) {
        button->DropdownMenu()->SetPopupComponent(button);
        button->DropdownMenu()->Popup(below.x, below.y);
        return;
    }
    TMenuItem* item = button->MenuItem();
    TCustomForm* form = GetParentForm(this);
    if (item && item->Count() > 0 && form)
        TrackPopupMenu(item->Handle(), TPM_LEFTALIGN | TPM_TOPALIGN, below.x, below.y, 0, form->Handle(),
                       nullptr);
}

LRESULT TToolBar::CustomDraw(const NMCUSTOMDRAW& draw) {
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT: {
        bool defaultDraw = true;
        if (OnCustomDraw) {
            CustomDrawCanvas canvas(*m_canvas, *this, draw.hdc);
            OnCustomDraw(this, draw.rc, defaultDraw);
        }
        if (!defaultDraw)
            return CDRF_SKIPDEFAULT;
        return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    case CDDS_ITEMPREPAINT: {
        TToolButton* button = ButtonOfCommand(static_cast<int>(draw.dwItemSpec));
        if (!button || !OnCustomDrawButton)
            return CDRF_DODEFAULT;
        bool defaultDraw = true;
        CustomDrawCanvas canvas(*m_canvas, *this, draw.hdc);
        OnCustomDrawButton(this, button, DrawState(draw.uItemState), defaultDraw);
        return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void TToolBar::CNNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    switch (header ? header->code : 0) {
    case NM_CUSTOMDRAW:
        message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
        break;
    case TBN_DROPDOWN:
        if (TToolButton* button = ButtonOfCommand(reinterpret_cast<const NMTOOLBARA*>(message.LParam)->iItem))
            DropDown(button);
        message.Result = TBDDRET_DEFAULT;
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

void TToolBar::WndProc(TMessage& message) {
    // The window itself takes the mouse over its buttons: the button controls only show hints.
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        TControl::WndProc(message);
        break;
    default:
        TWinControl::WndProc(message);
        break;
    }
}

void TToolBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_KEYDOWN:
        // With the focus and a hot button, Enter is the bar's, not the form's default button's.
        if (message.WParam == VK_RETURN && SendMessageA(m_handle, TB_GETHOTITEM, 0, 0) >= 0) {
            message.Result = 0;
            break;
        }
        TWinControl::Dispatch(message);
        break;
    case CN_NOTIFY:
        CNNotify(message);
        break;
    case CN_COMMAND:
        CNCommand(message);
        break;
    case WM_SIZE:
        TWinControl::Dispatch(message);
        PlaceButtons();
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
