#pragma once
// TListItems: the items of a list box or a combo box. While the control has a window the items
// live there and every call goes to it; before that (and while the window is remade) the
// control keeps them here, each with its object, and hands them to the next window.

#include "framework/classes/Strings.h"
#include "framework/controls/WinControl.h"

#include <cstdint>

// The messages of one kind of list window (LB_ or CB_).
struct TListMessages {
    UINT GetCount;
    UINT GetText;
    UINT GetTextLen;
    UINT AddString;
    UINT InsertString;
    UINT DeleteString;
    UINT ResetContent;
    UINT GetItemData;
    UINT SetItemData;
    UINT GetCurSel;
    UINT SetCurSel;
};

extern const TListMessages ListBoxMessages;
extern const TListMessages ComboBoxMessages;

class TListItems : public TStrings {
public:
    TListItems(TWinControl& control, const TListMessages& messages)
        : m_control(control), m_messages(messages) {}

    int Count() const override;
    std::string Strings(int index) const override;
    void SetStrings(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    // A sorted list places the text in order.
    int Add(const std::string& text) override;
    int AddObject(const std::string& text, std::intptr_t object);

    // A value the program keeps with an item.
    std::intptr_t Objects(int index) const;
    void SetObjects(int index, std::intptr_t object);

    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);

    // The control's window is going: its items come here. It is made: they go there.
    void TakeFromWindow();
    void GiveToWindow();

private:
    HWND Window() const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Where a text goes among the kept items of a sorted list.
    int SortedPlace(const std::string& text) const;

    TWinControl& m_control;
    const TListMessages& m_messages;
    TStringList m_kept;
    bool m_sorted = false;
};
