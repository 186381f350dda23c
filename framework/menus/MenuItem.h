#pragma once
// TMenuItem: one item of a menu, with its child items. A caption of "-" makes a separator and
// "&" marks the mnemonic. Every item has a command number of its own by which the platform's
// WM_COMMAND finds it again; an item with children has a native popup menu that is kept in step
// with them (texts, states, structure) as soon as it exists. A parent item destroys its child
// items with itself.

#include "framework/controls/Component.h"
#include "framework/controls/OwnerDrawState.h"
#include "framework/graphics/GraphTypes.h"
#include "framework/menus/ShortCuts.h"
#include "platform/user/WinUser.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TCanvas;
class TMenu;

using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect, bool selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect, TOwnerDrawState state)>;

// The separator caption.
constexpr std::string_view cLineCaption = "-";

// The caption without its mnemonic marks ("&&" stays one "&").
std::string StripHotkey(std::string_view caption);

class TMenuItem : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return m_caption == cLineCaption; }
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return m_checked; }
    // Checking a radio item unchecks the other radio items of its group under the same parent.
    void SetChecked(bool checked);
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool radioItem);
    BYTE GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(BYTE groupIndex);
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // An invisible item is left out of the native menu.
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }

    // Child items.
    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem* Items(int index) const { return m_items.at(static_cast<std::size_t>(index)); }
    void Add(TMenuItem* item);
    // EMenuError when the item already has a parent or the index is out of range.
    void Insert(int index, TMenuItem* item);
    // Destroys the child at the index.
    void Delete(int index);
    // Takes a child out without destroying it.
    void Remove(TMenuItem* item);
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The child whose caption, without mnemonic marks, is the given text (case ignored).
    TMenuItem* Find(std::string_view caption) const;
    TMenuItem* Parent() const { return m_parent; }
    int MenuIndex() const { return m_parent ? m_parent->IndexOf(this) : -1; }
    // The menu the item belongs to, or null.
    TMenu* GetParentMenu() const;

    // The number WM_COMMAND carries for this item.
    WORD Command() const { return m_command; }
    // The native popup menu of the item's children, made when first asked for.
    HMENU Handle();
    bool HandleAllocated() const;

    // Runs OnClick when the item is enabled.
    virtual void Click();
    // Owner drawing: the handlers, or the framework's own look.
    void MeasureItem(TCanvas* canvas, int& width, int& height);
    void AdvancedDrawItem(TCanvas* canvas, const TRect& rect, TOwnerDrawState state, bool topLevel);

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

private:
    friend class TMenu;

    // Tells the native menus and the menu of a change: `structure` when the item came, went, or
    // changed its place or visibility, otherwise only the item's own look changed.
    void Changed(bool structure);
    // The item's entry in its parent's native menu, from its properties.
    void UpdateNativeItem();
    // Puts the visible children back into the native menu, in order.
    void RebuildHandle();
    // The item's position among its visible siblings.
    UINT NativePosition() const;
    bool NativeWorkAllowed() const;
    void UncheckGroupSiblings();

    std::string m_caption;
    TShortCut m_shortCut = scNone;
    bool m_checked = false;
    bool m_radioItem = false;
    BYTE m_groupIndex = 0;
    bool m_default = false;
    bool m_enabled = true;
    bool m_visible = true;
    int m_imageIndex = -1;
    std::string m_hint;

    TMenuItem* m_parent = nullptr;
    std::vector<TMenuItem*> m_items;
    // Set on the root item of a menu.
    TMenu* m_menu = nullptr;
    HMENU m_handle = nullptr;
    WORD m_command = 0;
};

// The item with that command number, in any menu, or null.
TMenuItem* FindMenuItemByCommand(WORD command);
// The item whose children a native menu shows (a menu's root item for its bar or popup), or
// null.
TMenuItem* FindMenuItemByHandle(HMENU menu);
// The mnemonic of a caption: the character after a single "&", or 0.
char MnemonicOf(std::string_view caption);

class EMenuError : public Exception {
public:
    using Exception::Exception;
};
