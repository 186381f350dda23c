// TSkinCaption: the skinned copy of the window's system menu, opened from the icon, a right
// click on the caption or Alt+Space.

#include "skin/forms/WinSkinCaption.h"

#include "framework/comctrls/ImageList.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/Menus.h"
#include "framework/menus/ShortCuts.h"
#include "platform/sys/SystemInfo.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuHandlers.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSysButton.h"

#include <string>

namespace {

// The images of the menu glyphs.
constexpr int RestoreGlyph = 0;
constexpr int MaximiseGlyph = 1;
constexpr int MinimiseGlyph = 2;
constexpr int CloseGlyph = 3;
constexpr int TextBufferSize = 80;

// The item's text up to a tab is its caption, the rest its shortcut ("Alt+F4"), which the
// painters place apart at the item's right end; "-" for an item without text.
void SetCaptionAndShortCut(TMenuItem& item, const std::string& text) {
    if (text.empty()) {
        item.SetCaption("-");
        return;
    }
    const std::size_t tab = text.find('\t');
    const TShortCut shortCut = tab == std::string::npos ? scNone : TextToShortCut(text.substr(tab + 1));
    if (shortCut == scNone) {
        item.SetCaption(text);
        return;
    }
    item.SetCaption(text.substr(0, tab));
    item.SetShortCut(shortCut);
}

} // namespace

void TSkinCaption::FreeSystemMenu() {
    m_systemMenuCopy.reset();
}

void TSkinCaption::BuildSystemMenuCopy() {
    TSkinData* skinData = m_form.SkinData();
    m_systemMenuCopy = std::make_unique<TPopupMenu>(nullptr);
    TPopupMenu& copy = *m_systemMenuCopy;
    copy.SetTag(SystemMenuCopyTag);
    if (skinData)
        copy.SetImages(&skinData->MenuGlyphs());
    copy.SetOwnerDraw(true);

    HMENU menu = m_form.SystemMenu();
    const std::uint32_t boxes = m_form.CaptionButtonSet();
    const TSkinWindowState state = m_form.WindowState();
    HWND window = m_form.Window();
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[TextBufferSize] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = TextBufferSize;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        auto* item = new TMenuItem(&copy);
        SetCaptionAndShortCut(*item, text);
        item->SetTag(static_cast<int>(info.wID));
        bool enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != (MFS_GRAYED | MFS_DISABLED);
        int image = -1;
        switch (info.wID) {
        case SC_SIZE:
        case SC_MOVE:
            enabled = state != TSkinWindowState::Maximised;
            break;
        case SC_MINIMIZE:
            image = MinimiseGlyph;
            enabled = state != TSkinWindowState::Minimised && (boxes & cbMinimise) != 0;
            break;
        case SC_MAXIMIZE:
            image = MaximiseGlyph;
            enabled = state != TSkinWindowState::Maximised && (boxes & cbMaximise) != 0;
            break;
        case SC_CLOSE:
            image = CloseGlyph;
            break;
        case SC_RESTORE:
            image = RestoreGlyph;
            enabled = state != TSkinWindowState::Normal;
            break;
        default:
            break;
        }
        item->SetImageIndex(image);
        item->SetEnabled(enabled);
        item->SetChecked((info.fState & MFS_CHECKED) != 0);
        const WPARAM command = info.wID;
        item->OnClick = [window, command](TObject*) { PostMessageA(window, WM_SYSCOMMAND, command, 0); };
        if (skinData) {
            item->OnAdvancedDrawItem = TSkinItemPainter(*skinData);
            item->OnMeasureItem = TSkinPopupMeasurer(*skinData);
        }
        copy.Items()->Add(item);
    }
}

void TSkinCaption::OpenSystemMenu(POINT screen) {
    TSkinManage& manager = m_form.Manager();
    // A manager serving another module leaves the system menu to that module.
    if (manager.ModuleInstance())
        return;
    const DWORD now = GetTickCount();
    if (!m_systemMenuClicked || now - m_lastSystemMenuClick > m_doubleClickTime) {
        manager.SetMenuMode(mmSystemMenu);
        m_systemMenuClicked = true;
        m_lastSystemMenuClick = now;
        BuildSystemMenuCopy();
        m_form.SetMenuTracking(true);
        const auto command = static_cast<WORD>(TrackPopupMenu(
            m_systemMenuCopy->Items()->Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x,
            screen.y, 0, m_form.Window(), nullptr));
        m_form.SetMenuTracking(false);
        if (command && m_systemMenuCopy) {
            if (TMenuItem* item = m_systemMenuCopy->FindItemByCommand(command))
                item->Click();
        }
        return;
    }
    // A second click within the double-click time closes the window.
    m_systemMenuClicked = false;
    if (m_hot) {
        m_form.EnableHoverTimer(false);
        PostMessageA(m_form.Window(), WM_CLOSE, 0, 0);
    }
}
