#pragma once
// TPageControl: a tab control whose tabs are its pages. Each TTabSheet is a child container of
// the page control that fills the display area; only the active page shows. The tabs follow
// the pages: one per page whose tab is visible, in page order, with the page's caption and
// image, kept in step as pages are added, removed, moved, renamed and hidden.

#include "framework/comctrls/TabControl.h"

#include <vector>

class TPageControl;

class TTabSheet : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return m_pageControl; }
    // Same as SetParent: a sheet belongs to the page control it is placed in.
    void SetPageControl(TPageControl* pageControl);
    void SetParent(TWinControl* parent) override;

    // The place among the page control's pages (-1 without one).
    int PageIndex() const;
    void SetPageIndex(int index);
    // The place of the page's tab, -1 while its tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool visible);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);

    void Dispatch(TMessage& message) override;

private:
    friend class TPageControl;

    TPageControl* m_pageControl = nullptr;
    bool m_tabVisible = true;
    int m_imageIndex = -1;
};

class TPageControl : public TCustomTabControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return m_activePage; }
    // Shows the page (a page of this control, or none) and selects its tab. OnChanging and
    // OnChange are for the user's changes and are not raised.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The page after (or before) `current`, going round; with checkTabVisible only pages whose
    // tab shows. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);
    void Dispatch(TMessage& message) override;

protected:
    void Change() override;
    // The shown page fills the pane, and the hidden pages take the pane's bounds too, so what
    // they hold is laid out (and a window made for it has its size) before they first show.
    void AlignControls(TControl* control, TRect& rect) override;

private:
    friend class TTabSheet;

    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // Rebuilds the tabs from the pages and selects the active page's tab.
    void UpdateTabs();
    void UpdateTab(TTabSheet* page);
    void TabVisibilityChanged(TTabSheet* page);

    std::vector<TTabSheet*> m_pages;
    TTabSheet* m_activePage = nullptr;
};
