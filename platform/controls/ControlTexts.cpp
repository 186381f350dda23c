#include "platform/controls/ControlTexts.h"

#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/user/WinUser.h"

#include <strings.h>

namespace platform {

namespace {

bool IsClass(HWND window, const char* name) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return strcasecmp(className, name) == 0;
}

// Owner-drawn lists without LBS_HASSTRINGS take item data where others take texts.
bool ListHasStrings(HWND window) {
    auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

ControlTextMessage ListBoxText(UINT message) {
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING:
        return {ControlTextKind::In};
    case LB_GETTEXT:
        return {ControlTextKind::Out, LB_GETTEXT, LB_GETTEXTLEN};
    case LB_GETTEXTLEN:
        return {ControlTextKind::Length, LB_GETTEXT, LB_GETTEXTLEN};
    default:
        return {};
    }
}

bool ComboHasStrings(HWND window) {
    auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
}

ControlTextMessage ComboBoxText(UINT message) {
    switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
        return {ControlTextKind::In};
    case CB_GETLBTEXT:
        return {ControlTextKind::Out, CB_GETLBTEXT, CB_GETLBTEXTLEN};
    case CB_GETLBTEXTLEN:
        return {ControlTextKind::Length, CB_GETLBTEXT, CB_GETLBTEXTLEN};
    default:
        return {};
    }
}

} // namespace

ControlTextMessage ControlTextOf(HWND window, UINT message) {
    if (message >= LB_ADDSTRING && message <= LB_GETLISTBOXINFO &&
        (IsClass(window, "ListBox") || IsClass(window, "ComboLBox") || GetPropA(window, ListBoxMark)) &&
        ListHasStrings(window))
        return ListBoxText(message);
    if (message >= CB_GETEDITSEL && message <= CB_GETCOMBOBOXINFO &&
        (IsClass(window, "ComboBox") || GetPropA(window, ComboBoxMark)) && ComboHasStrings(window))
        return ComboBoxText(message);
    return {};
}

} // namespace platform
