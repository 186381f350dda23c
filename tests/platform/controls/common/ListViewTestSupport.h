#pragma once
// What the list view tests share: a report list view with columns, items filled in, and the
// questions the tests ask of it.

#include "../CommonControlTestSupport.h"

#include <string>
#include <vector>

namespace testing_support {

class ListViewTest : public CommonControlTest {
protected:
    // A report list view of the given size at (0, 0) of the parent, id 7.
    static HWND CreateList(HWND parent, DWORD style = 0, int width = 300, int height = 200) {
        return CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, width,
                               height, parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    }

    static int AddColumn(HWND list, int index, const char16_t* text, int width, int format = LVCFMT_LEFT) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<LPWSTR>(text);
        column.cx = width;
        column.fmt = format;
        return static_cast<int>(SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&column)));
    }

    static int AddItem(HWND list, int index, const char16_t* text, LPARAM param = 0) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<LPWSTR>(text);
        item.lParam = param;
        return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }

    static BOOL SetText(HWND list, int item, int subItem, const char16_t* text) {
        LVITEMW record{};
        record.iSubItem = subItem;
        record.pszText = const_cast<LPWSTR>(text);
        return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                                              reinterpret_cast<LPARAM>(&record)));
    }

    static std::u16string Text(HWND list, int item, int subItem = 0) {
        WCHAR buffer[128] = {};
        LVITEMW record{};
        record.iSubItem = subItem;
        record.pszText = buffer;
        record.cchTextMax = 128;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
        return buffer;
    }

    // Columns "Name" (100), "Size" (80, right-aligned) and "Type" (120), and `count` items
    // "Item k" with sub-items "k KB" and "Type k", each item's lParam k.
    static HWND CreateFilled(HWND parent, int count, DWORD style = 0, int width = 300, int height = 200) {
        HWND list = CreateList(parent, style, width, height);
        AddColumn(list, 0, u"Name", 100);
        AddColumn(list, 1, u"Size", 80, LVCFMT_RIGHT);
        AddColumn(list, 2, u"Type", 120);
        for (int k = 0; k < count; ++k) {
            const std::u16string n = Number(k);
            AddItem(list, k, Named(u"Item ", k).c_str(), k);
            SetText(list, k, 1, (n + u" KB").c_str());
            SetText(list, k, 2, Named(u"Type ", k).c_str());
        }
        return list;
    }

    static std::u16string Number(int value) {
        const std::string digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    }

    // A text followed by a number ("Item 3").
    static std::u16string Named(const char16_t* text, int value) {
        std::u16string named = text;
        named += Number(value);
        return named;
    }

    static UINT State(HWND list, int item) {
        return static_cast<UINT>(
            SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED | LVIS_FOCUSED));
    }

    static std::vector<int> Selected(HWND list) {
        std::vector<int> selected;
        for (int item = -1; (item = static_cast<int>(SendMessageW(
                                 list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED))) >= 0;)
            selected.push_back(item);
        return selected;
    }

    static int Focused(HWND list) {
        return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }

    static RECT ItemRect(HWND list, int item, int part = LVIR_BOUNDS) {
        RECT rect{part, 0, 0, 0};
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    // The screen point of a sub-item's middle.
    static POINT CellPoint(HWND list, int item, int subItem) {
        RECT rect{LVIR_BOUNDS, subItem, 0, 0};
        SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
        if (subItem == 0)
            rect = ItemRect(list, item, LVIR_LABEL);
        return ScreenPoint(list, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    static int Top(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }
};

} // namespace testing_support
