#pragma once
// What a list view shows, kept by the framework: its columns (TListColumns of TListColumn:
// caption, width, alignment) and its items (TListViewItems of TListItem: caption, sub-item texts,
// image, data, selection and focus). The window holds the items in the same order and asks
// for their texts when it draws them; selection and focus follow the window's notices.

#include "framework/classes/Persistent.h"
#include "framework/classes/Strings.h"
#include "framework/controls/StdTypes.h"

#include <memory>
#include <string>
#include <vector>

class TCustomListView;
class TListItem;
class TListViewItems;
class TListColumns;

// A list item's sub-item texts: the second column's text first. A change repaints the item.
class TListSubItems : public TStrings {
public:
    explicit TListSubItems(TListItem& item) : m_item(item) {}

    int Count() const override { return static_cast<int>(m_texts.size()); }
    std::string Strings(int index) const override;
    void SetStrings(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    // The text of sub-item `index`, empty past the end.
    const std::string& TextOrEmpty(int index) const;

private:
    void Changed();

    TListItem& m_item;
    std::vector<std::string> m_texts;
};

class TListItem : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TListItem(TListViewItems& owner);
    ~TListItem() override;

    TListViewItems* Owner() const { return &m_owner; }
    TCustomListView* ListView() const;
    int Index() const;
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    TListSubItems* SubItems() const { return m_subItems.get(); }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    void* Data() const { return m_data; }
    void SetData(void* data) { m_data = data; }
    bool Selected() const { return m_selected; }
    void SetSelected(bool selected);
    bool Focused() const { return m_focused; }
    void SetFocused(bool focused);

    // Scrolls the list until the item shows (a part of it is enough when partialOk).
    void MakeVisible(bool partialOk);
    // The item's row in the list's client coordinates (empty without a window).
    TRect DisplayRect() const;
    // Paints the item again.
    void Update();
    // Takes the item out of its list and frees it.
    void Delete();

    void Assign(const TPersistent* source) override;

private:
    friend class TListViewItems;
    friend class TCustomListView;
    // The window told of a new selection or focus; no notice goes back to it.
    void StateFromWindow(bool selected, bool focused);

    TListViewItems& m_owner;
    std::string m_caption;
    std::unique_ptr<TListSubItems> m_subItems;
    int m_imageIndex = -1;
    void* m_data = nullptr;
    bool m_selected = false;
    bool m_focused = false;
};

// The items of one list view, in order.
class TListViewItems : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TListViewItems(TCustomListView& owner) : m_owner(owner) {}
    ~TListViewItems() override;

    TCustomListView* Owner() const { return &m_owner; }
    int Count() const { return static_cast<int>(m_items.size()); }
    // The item at an index, or null.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    // A new item at index (clamped to the list).
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    // Many changes in a row: the window paints once at EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    void Assign(const TPersistent* source) override;

private:
    friend class TCustomListView;
    friend class TListItem;

    TCustomListView& m_owner;
    std::vector<std::unique_ptr<TListItem>> m_items;
    int m_updateCount = 0;
};

class TListColumn : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TListColumn(TListColumns& owner) : m_owner(owner) {}

    int Index() const;
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    // The width the window shows (the user may have dragged it).
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    void Assign(const TPersistent* source) override;

private:
    friend class TListColumns;
    friend class TCustomListView;

    TListColumns& m_owner;
    std::string m_caption;
    int m_width = 50;
    TAlignment m_alignment = taLeftJustify;
};

class TListColumns : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TListColumns(TCustomListView& owner) : m_owner(owner) {}

    TCustomListView* Owner() const { return &m_owner; }
    int Count() const { return static_cast<int>(m_items.size()); }
    TListColumn* Items(int index) const;
    TListColumn* Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TListColumn* column) const;

    void Assign(const TPersistent* source) override;

private:
    friend class TListColumn;

    TCustomListView& m_owner;
    std::vector<std::unique_ptr<TListColumn>> m_items;
};
