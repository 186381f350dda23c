#pragma once
// TToolBar over the platform's "ToolbarWindow32" window, with TToolButton children: buttons
// with images from an image list (and hot and disabled lists) and optional captions, check
// buttons alone or in groups, drop-down buttons with a popup menu, separators, the flat look,
// a main menu shown as a row of buttons, and the custom-draw events through which a painter
// may draw the bar's background and each button. The buttons are graphic controls placed
// where the window draws them, so hints and properties work as for any control.

#include "framework/classes/Sets.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WinControl.h"
#include "platform/controls/common/CommCtrl.h"

#include <functional>
#include <memory>
#include <vector>

class TChangeLink;
class TCustomImageList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
// The state of an item being drawn, as custom-draw events see it.
enum TCustomDrawStateItem {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;

const TEnumInfo& ToolButtonStyleIdents();
const TEnumInfo& CustomDrawStateIdents();

class TToolButton : public TGraphicControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    // Its place among the tool bar's buttons (-1 outside a tool bar).
    int Index() const;
    TToolBar* ToolBar() const;
    TToolButtonStyle Style() const { return m_style; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    // A check button's state (and a group member's: one of the group is down).
    bool Down() const { return m_down; }
    void SetDown(bool down);
    // Check buttons next to each other with Grouped set form a group.
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool grouped);
    bool Indeterminate() const { return m_indeterminate; }
    void SetIndeterminate(bool indeterminate);
    bool Marked() const { return m_marked; }
    void SetMarked(bool marked);
    // A new row of buttons starts after this one.
    bool Wrap() const { return m_wrap; }
    void SetWrap(bool wrap);
    TPopupMenu* DropdownMenu() const { return m_dropdownMenu; }
    void SetDropdownMenu(TPopupMenu* menu);
    // The menu item the button stands for (a tool bar's Menu makes such buttons).
    TMenuItem* MenuItem() const { return m_menuItem; }
    void SetMenuItem(TMenuItem* item);

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;
    void Click() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolBar;
    void Changed();
    // The tool bar puts the button where its window drew it.
    void Place(const TRect& rect);

    TToolButtonStyle m_style = tbsButton;
    int m_imageIndex = -1;
    bool m_down = false;
    bool m_grouped = false;
    bool m_indeterminate = false;
    bool m_marked = false;
    bool m_wrap = false;
    TPopupMenu* m_dropdownMenu = nullptr;
    TMenuItem* m_menuItem = nullptr;
    int m_command = 0; // the window's id of the button
    bool m_placing = false;
};

using TTBCustomDrawEvent = std::function<void(TToolBar* sender, const TRect& rect, bool& defaultDraw)>;
using TTBCustomDrawBtnEvent =
    std::function<void(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)>;

class TToolBar : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    TToolButton* Buttons(int index) const;
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    // Captions beside the images instead of below them.
    bool List() const { return m_list; }
    void SetList(bool list);
    bool ShowCaptions() const { return m_showCaptions; }
    void SetShowCaptions(bool show);
    bool Wrapable() const { return m_wrapable; }
    void SetWrapable(bool wrapable);
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return m_buttonHeight; }
    void SetButtonHeight(int height);
    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* images);
    TCustomImageList* HotImages() const { return m_hotImages; }
    void SetHotImages(TCustomImageList* images);
    TCustomImageList* DisabledImages() const { return m_disabledImages; }
    void SetDisabledImages(TCustomImageList* images);
    // A main menu shown as a button for each of its top items, which drops its items down.
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);
    // The canvas the custom-draw events draw on.
    TCanvas* Canvas() const { return m_canvas.get(); }

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;

protected:
    friend class TToolButton;

    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void Notification(TComponent* component, TOperation operation) override;

    void ButtonAdded(TToolButton* button);
    void ButtonRemoved(TToolButton* button);
    // Writes one button's state, style, image and caption into the window.
    void UpdateButton(TToolButton* button);
    // Writes every button (added, removed or moved ones) and places them.
    void WriteButtons();
    void PlaceButtons();

private:
    void CNNotify(TMessage& message);
    void CNCommand(TMessage& message);
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
    void DropDown(TToolButton* button);
    void ReadCheckStates();
    TToolButton* ButtonOfCommand(int command) const;
    void WriteImageLists();
    void WriteSizes();
    void RebuildMenuButtons();

    std::vector<TToolButton*> m_buttons;
    bool m_flat = false;
    bool m_list = false;
    bool m_showCaptions = false;
    bool m_wrapable = true;
    int m_buttonWidth = 23;
    int m_buttonHeight = 22;
    TCustomImageList* m_images = nullptr;
    TCustomImageList* m_hotImages = nullptr;
    TCustomImageList* m_disabledImages = nullptr;
    std::unique_ptr<TChangeLink> m_imageLink;
    std::unique_ptr<TChangeLink> m_hotImageLink;
    std::unique_ptr<TChangeLink> m_disabledImageLink;
    TMainMenu* m_menu = nullptr;
    std::vector<TToolButton*> m_menuButtons; // the buttons made for the menu, owned here
    std::unique_ptr<TCanvas> m_canvas;
    int m_nextCommand = 1;
};
