#pragma once
// TCustomTabControl: a row of tabs over the platform's "SysTabControl32" window, with a
// display area below (or beside) the tabs in which child controls are aligned. The tab list is
// kept here and written into the window whenever one is made, so tabs, the selected tab and
// the image list survive a recreated window. A change of tab asks OnChanging first (which may
// veto it) and then raises OnChange. TTabControl publishes it.

#include "framework/comctrls/ImageList.h"
#include "framework/controls/WinControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TCustomTabControl;

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

const TEnumInfo& TabStyleIdents();
const TEnumInfo& TabPositionIdents();

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;
using TDrawTabEvent =
    std::function<void(TCustomTabControl* control, int tabIndex, const TRect& rect, bool active)>;

class TCustomTabControl : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    int TabCount() const { return static_cast<int>(m_tabs.size()); }
    // The text of a tab; empty out of range.
    std::string TabText(int index) const;
    // The selected tab, -1 for none.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int index);
    // The tab under a client point, or -1.
    int IndexOfTabAt(int x, int y);

    TTabStyle Style() const { return m_style; }
    void SetStyle(TTabStyle style);
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition position);
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool multiLine);
    bool OwnerDraw() const { return m_ownerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* images);

    // The area the pages (or other children) fill: the client area without the tabs.
    TRect DisplayRect();
    // The canvas an OnDrawTab handler draws on.
    TCanvas* Canvas() const { return m_canvas.get(); }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

protected:
    // The tab list; each tab may carry an object (a page control's sheet).
    void InsertTab(int index, const std::string& text, int imageIndex, TObject* data);
    void DeleteTab(int index);
    void ClearTabs();
    void SetTabText(int index, const std::string& text);
    void SetTabImage(int index, int imageIndex);
    TObject* TabData(int index) const;
    int IndexOfTabData(const TObject* data) const;

    // Asked before the user changes the tab: false keeps the current one.
    virtual bool CanChange();
    // After the user changed the tab.
    virtual void Change();
    // Draws an owner-drawn tab (OnDrawTab, or the tab's text on the brush).
    virtual void DrawTab(int index, const TRect& rect, bool active);

    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct Tab {
        std::string text;
        int imageIndex = -1;
        TObject* data = nullptr;
    };

    void CNNotify(TMessage& message);
    void CNDrawItem(TMessage& message);
    void ImageListChange();
    void TabsChanged();
    const Tab* TabAt(int index) const;

    std::vector<Tab> m_tabs;
    int m_tabIndex = -1;
    TTabStyle m_style = tsTabs;
    TTabPosition m_tabPosition = tpTop;
    bool m_multiLine = false;
    bool m_ownerDraw = false;
    TCustomImageList* m_images = nullptr;
    TChangeLink m_imageLink;
    std::unique_ptr<TCanvas> m_canvas;
};

// A tab control whose tabs the program adds by text.
class TTabControl : public TCustomTabControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomTabControl::TCustomTabControl;

    int AddTab(const std::string& text, int imageIndex = -1);
    using TCustomTabControl::ClearTabs;
    using TCustomTabControl::DeleteTab;
    using TCustomTabControl::SetTabImage;
    using TCustomTabControl::SetTabText;
};
