// Tab and group order of a dialog's controls, and the calls that walk them.

#include "platform/controls/dialogs/DialogOrder.h"

#include "platform/controls/dialogs/Dialog.h"
#include "platform/user/WinUser.h"

#include <algorithm>

namespace platform {

namespace {

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

bool CanTakeFocus(HWND window) {
    DWORD style = StyleOf(window);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// Index range [first, last) of the group holding children[index].
std::pair<std::size_t, std::size_t> GroupRange(const std::vector<HWND>& children, std::size_t index) {
    std::size_t first = index;
    while (first > 0 && !(StyleOf(children[first]) & WS_GROUP))
        --first;
    std::size_t last = index + 1;
    while (last < children.size() && !(StyleOf(children[last]) & WS_GROUP))
        ++last;
    return {first, last};
}

std::size_t IndexOf(const std::vector<HWND>& children, HWND control) {
    return static_cast<std::size_t>(std::find(children.begin(), children.end(), control) - children.begin());
}

// The next (or previous) window of children[first, last) after `from`, wrapping around, that
// passes the test; `from` itself when none does.
template <typename Test>
HWND Cycle(const std::vector<HWND>& children, std::size_t first, std::size_t last, std::size_t from,
           bool previous, Test&& test) {
    std::size_t count = last - first;
    if (count == 0)
        return nullptr;
    for (std::size_t step = 1; step <= count; ++step) {
        std::size_t offset =
            previous ? (from - first + count * 2 - step) % count : (from - first + step) % count;
        HWND candidate = children[first + offset];
        if (test(candidate))
            return candidate;
    }
    return nullptr;
}

} // namespace

std::vector<HWND> DialogChildren(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::vector<HWND> DialogGroupOf(HWND control) {
    HWND parent = GetParent(control);
    if (!parent)
        return {control};
    std::vector<HWND> children = DialogChildren(parent);
    std::size_t index = IndexOf(children, control);
    if (index == children.size())
        return {control};
    auto [first, last] = GroupRange(children, index);
    return {children.begin() + static_cast<std::ptrdiff_t>(first),
            children.begin() + static_cast<std::ptrdiff_t>(last)};
}

} // namespace platform

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog) || (control && GetParent(control) != dialog)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<HWND> children = platform::DialogChildren(dialog);
    if (children.empty())
        return nullptr;
    std::size_t index = control ? platform::IndexOf(children, control) : 0;
    auto [first, last] = platform::GroupRange(children, index);
    HWND found = platform::Cycle(children, first, last, index, previous != FALSE, platform::CanTakeFocus);
    return found ? found : control;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog) || (control && GetParent(control) != dialog)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<HWND> children = platform::DialogChildren(dialog);
    if (children.empty())
        return nullptr;
    // Without a control the walk starts just outside the list, so the first (or last) counts.
    std::size_t index = control ? platform::IndexOf(children, control) : (previous ? 0 : children.size() - 1);
    auto isStop = [](HWND w) { return platform::CanTakeFocus(w) && (platform::StyleOf(w) & WS_TABSTOP); };
    HWND found = platform::Cycle(children, 0, children.size(), index, previous != FALSE, isStop);
    return found ? found : control;
}
