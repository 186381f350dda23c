#include "framework/comctrls/PageControl.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/ControlProperties.h"

#include <algorithm>

// ---- TTabSheet ------------------------------------------------------------------------------

const TClass& TTabSheet::ClassInfo() {
    static const TClass info(
        "TTabSheet", &TWinControl::ClassInfo(),
        CommonControlProperties({
            StrProperty("Caption", &TControl::Caption, &TControl::SetCaption),
            OrdProperty("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex),
            OrdProperty("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex),
            OrdProperty("TabIndex", &TTabSheet::TabIndex, nullptr),
            EnumProperty("TabVisible", BooleanIdents(), &TTabSheet::TabVisible, &TTabSheet::SetTabVisible),
        }));
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Include(csAcceptsControls);
    // A page fills its page control's display area and shows only while it is the active one.
    SetAlign(alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (m_pageControl)
        m_pageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent) {
    auto* pageControl = dynamic_cast<TPageControl*>(parent);
    if (m_pageControl && m_pageControl != pageControl)
        m_pageControl->RemovePage(this);
    TControl::SetParent(parent);
    if (pageControl && m_pageControl != pageControl && Parent() == pageControl) {
        m_pageControl = pageControl;
        pageControl->InsertPage(this);
    }
}

int TTabSheet::PageIndex() const {
    if (!m_pageControl)
        return -1;
    const auto& pages = m_pageControl->m_pages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (m_pageControl)
        m_pageControl->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
    if (!m_pageControl || !m_tabVisible)
        return -1;
    int index = 0;
    for (const TTabSheet* page : m_pageControl->m_pages) {
        if (page == this)
            return index;
        if (page->m_tabVisible)
            ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible == m_tabVisible)
        return;
    m_tabVisible = visible;
    if (m_pageControl)
        m_pageControl->TabVisibilityChanged(this);
}

void TTabSheet::SetImageIndex(int index) {
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    if (m_pageControl)
        m_pageControl->UpdateTab(this);
}

void TTabSheet::Dispatch(TMessage& message) {
    TWinControl::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED && m_pageControl)
        m_pageControl->UpdateTab(this);
}

// ---- TPageControl ---------------------------------------------------------------------------

const TClass& TPageControl::ClassInfo() {
    static const TClass info(
        "TPageControl", &TCustomTabControl::ClassInfo(),
        {
            ObjProperty("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage),
        });
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    // The sheets may outlive the control (their owner is usually the form).
    for (TTabSheet* page : m_pages)
        page->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(index)];
}

int TPageControl::ActivePageIndex() const {
    return m_activePage ? m_activePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    if (index >= -1 && index < PageCount())
        SetActivePage(Pages(index));
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->m_pageControl != this)
        return;
    if (page != m_activePage) {
        TTabSheet* previous = m_activePage;
        m_activePage = page;
        // The new page shows before the old one hides, so the pane behind never flashes. A
        // hidden window's focus goes to its parent, the page control.
        if (page) {
            page->BringToFront();
            page->SetVisible(true);
        }
        if (previous)
            previous->SetVisible(false);
    }
    SetTabIndex(page ? page->TabIndex() : -1);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    const auto found = std::find(m_pages.begin(), m_pages.end(), current);
    int start = static_cast<int>(found - m_pages.begin());
    if (found == m_pages.end())
        start = goForward ? -1 : count;
    for (int step = 1; step <= count; ++step) {
        const int index = ((start + (goForward ? step : -step)) % count + count) % count;
        TTabSheet* page = m_pages[static_cast<std::size_t>(index)];
        if (page != current && (!checkTabVisible || page->m_tabVisible))
            return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
    TTabSheet* page = FindNextPage(m_activePage, goForward, true);
    if (page && page != m_activePage && CanChange()) {
        SetActivePage(page);
        TCustomTabControl::Change();
    }
}

void TPageControl::Dispatch(TMessage& message) {
    if (message.Msg == CM_DIALOGKEY && message.WParam == VK_TAB && KeyboardShiftState().Contains(ssCtrl) &&
        HandleAllocated() && (m_handle == GetFocus() || IsChild(m_handle, GetFocus()))) {
        // Ctrl+Tab turns to the next page, Ctrl+Shift+Tab to the one before.
        SelectNextPage(!KeyboardShiftState().Contains(ssShift));
        message.Result = 1;
        return;
    }
    TCustomTabControl::Dispatch(message);
}

void TPageControl::Change() {
    if (auto* page = dynamic_cast<TTabSheet*>(TabData(TabIndex())))
        SetActivePage(page);
    TCustomTabControl::Change();
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
    TCustomTabControl::AlignControls(control, rect);
    const TRect pane = DisplayRect();
    for (TTabSheet* page : m_pages) {
        if (!page->Visible())
            page->SetBounds(pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top);
    }
}

void TPageControl::InsertPage(TTabSheet* page) {
    m_pages.push_back(page);
    UpdateTabs();
    // A page control shows a page as soon as it has one with a tab.
    if (!m_activePage && page->m_tabVisible)
        SetActivePage(page);
    else
        page->SetVisible(page == m_activePage);
}

void TPageControl::RemovePage(TTabSheet* page) {
    const bool wasActive = page == m_activePage;
    TTabSheet* next = wasActive ? FindNextPage(page, true, true) : nullptr;
    m_pages.erase(std::remove(m_pages.begin(), m_pages.end(), page), m_pages.end());
    page->m_pageControl = nullptr;
    if (wasActive)
        m_activePage = nullptr;
    if (ComponentState().Contains(csDestroying))
        return;
    UpdateTabs();
    if (wasActive)
        SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    if (found == m_pages.end())
        return;
    index = std::clamp(index, 0, PageCount() - 1);
    if (found - m_pages.begin() == index)
        return;
    m_pages.erase(found);
    m_pages.insert(m_pages.begin() + index, page);
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    ClearTabs();
    for (TTabSheet* page : m_pages) {
        if (page->m_tabVisible)
            InsertTab(TabCount(), page->Caption(), page->m_imageIndex, page);
    }
    SetTabIndex(m_activePage ? m_activePage->TabIndex() : -1);
}

void TPageControl::UpdateTab(TTabSheet* page) {
    const int index = IndexOfTabData(page);
    if (index < 0)
        return;
    SetTabText(index, page->Caption());
    SetTabImage(index, page->m_imageIndex);
}

void TPageControl::TabVisibilityChanged(TTabSheet* page) {
    UpdateTabs();
    if (page == m_activePage && !page->m_tabVisible) {
        // The page goes on showing only when no other page has a tab to show instead.
        if (TTabSheet* next = FindNextPage(page, true, true))
            SetActivePage(next);
    } else if (!m_activePage && page->m_tabVisible) {
        SetActivePage(page);
    }
}
