#pragma once
// TTabSet: a strip of tabs that the framework paints itself, hanging from its top edge as below
// a notebook: slanted tabs side by side from StartMargin, the selected one in SelectedColor and
// joined to the edge, the others in UnselectedColor. When the tabs from FirstIndex on do not fit
// (AutoScroll), a horizontal up-down at the right end scrolls them; it is the tab set's first
// owned component. A click on a tab, or the arrow keys while it has the focus, select a tab:
// OnChange may refuse the new tab, and OnClick follows every change of TabIndex.

#include "framework/classes/NotifyStrings.h"
#include "framework/controls/GraphicControl.h"

#include <functional>
#include <memory>
#include <vector>

class TUpDown;

using TTabChangeEvent = std::function<void(TObject* sender, int newTab, bool& allowChange)>;

class TTabSet : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStrings* Tabs() const { return m_tabs.get(); }
    // Copies the texts (null empties).
    void SetTabs(TStrings* tabs);
    // The selected tab; -1: none.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int index);
    // The first tab shown.
    int FirstIndex() const { return m_firstIndex; }
    void SetFirstIndex(int index);
    int StartMargin() const { return m_startMargin; }
    void SetStartMargin(int margin);
    int EndMargin() const { return m_endMargin; }
    void SetEndMargin(int margin);
    int TabHeight() const { return m_tabHeight; }
    void SetTabHeight(int height);
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool autoScroll);
    TColor SelectedColor() const { return m_selectedColor; }
    void SetSelectedColor(TColor color);
    TColor UnselectedColor() const { return m_unselectedColor; }
    void SetUnselectedColor(TColor color);
    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor color);

    // How many tabs show, from FirstIndex on.
    int VisibleTabs();
    // The tab under a client point, or -1.
    int ItemAtPos(TPoint point);
    // The bounds of a shown tab (slants included); empty for a tab not shown.
    TRect ItemRect(int index);
    // The next (or previous) tab, round the end, brought into view.
    void SelectNext(bool forward);
    // The scroller, shown while the tabs need it.
    TUpDown* Scroller() const { return m_scroller; }

    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;

    TTabChangeEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void Loaded() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    // Places the shown tabs from FirstIndex and shows the scroller when they do not all fit.
    void Layout();
    int TextWidth(const std::string& text);
    // Selects a tab when OnChange allows it; true when the selection is that tab.
    bool ChangeTab(int index);
    // Moves FirstIndex so that the tab shows.
    void MakeVisible(int index);
    void Changed();

    std::unique_ptr<TNotifyStrings> m_tabs;
    TUpDown* m_scroller;
    // The shown tabs' bounds, FirstIndex's first.
    std::vector<TRect> m_shown;
    int m_tabIndex = -1;
    int m_firstIndex = 0;
    int m_startMargin = 5;
    int m_endMargin = 5;
    int m_tabHeight = 20;
    bool m_autoScroll = true;
    TColor m_selectedColor = clBtnFace;
    TColor m_unselectedColor = clWindow;
    TColor m_backgroundColor = clBtnFace;
};
