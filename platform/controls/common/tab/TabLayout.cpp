#include "platform/controls/common/tab/TabLayout.h"

#include <algorithm>
#include <numeric>

namespace platform {

namespace {

// The pane's raised edge and the padding inside it.
constexpr int DisplayInset = 4;

bool IsVertical(TabSide side) {
    return side == TabSide::Left || side == TabSide::Right;
}

// A tab as laid out on top: offset along the line and its row.
struct LinePlace {
    int start = 0;
    int length = 0;
    int row = 0;
};

std::vector<LinePlace> FillRows(const TabLayoutInput& input, int lineLength, int& rows) {
    std::vector<LinePlace> places(input.lengths.size());
    int gap = input.buttons ? TabButtonGap : 0;
    int start = input.buttons ? 0 : TabMargin;
    int x = start;
    rows = input.lengths.empty() ? 0 : 1;
    for (std::size_t i = 0; i < places.size(); ++i) {
        int length = input.lengths[i];
        if (input.multiline && x > start && x + length > lineLength) {
            ++rows;
            x = start;
        }
        places[i] = {x, length, rows - 1};
        x += length + gap;
    }
    return places;
}

// Rows of several tabs share the spare length of their line among their tabs.
void StretchRows(std::vector<LinePlace>& places, int rows, int lineLength, int gap) {
    for (int row = 0; row < rows; ++row) {
        std::vector<LinePlace*> members;
        for (LinePlace& place : places) {
            if (place.row == row)
                members.push_back(&place);
        }
        if (members.empty())
            continue;
        int used = members.back()->start + members.back()->length;
        int spare = lineLength - used;
        if (spare <= 0)
            continue;
        int count = static_cast<int>(members.size());
        int x = members.front()->start;
        for (int i = 0; i < count; ++i) {
            members[static_cast<std::size_t>(i)]->start = x;
            members[static_cast<std::size_t>(i)]->length += spare / count + (i < spare % count ? 1 : 0);
            x += members[static_cast<std::size_t>(i)]->length + gap;
        }
    }
}

// Which row lies next to the display area: tabs keep the selected row there, turning the others
// round; buttons never move.
int DistanceFromPane(int row, int rows, int selectedRow, bool buttons) {
    if (buttons)
        return row;
    return (row - selectedRow + rows) % rows;
}

} // namespace

TabLayout LayOutTabs(const TabLayoutInput& input) {
    TabLayout layout;
    bool vertical = IsVertical(input.side);
    int lineLength = (vertical ? input.client.cy : input.client.cx) - TabMargin;
    int gap = input.buttons ? TabButtonGap : 0;
    std::vector<LinePlace> places = FillRows(input, lineLength, layout.rows);

    if (input.multiline && layout.rows > 1 && !input.raggedRight)
        StretchRows(places, layout.rows, lineLength, gap);

    if (!input.multiline && !places.empty()) {
        int end = places.back().start + places.back().length;
        layout.overflows = end > lineLength;
        if (layout.overflows) {
            int room = lineLength - input.scrollerLength;
            int first = static_cast<int>(places.size()) - 1;
            while (first > 0 &&
                   places.front().start + end - places[static_cast<std::size_t>(first - 1)].start <= room)
                --first;
            layout.lastFirstVisible = first;
            int shown = std::clamp(input.firstVisible, 0, first);
            int shift = places[static_cast<std::size_t>(shown)].start - places.front().start;
            for (LinePlace& place : places)
                place.start -= shift;
        }
    }

    int selectedRow = 0;
    if (input.selected >= 0 && input.selected < static_cast<int>(places.size()))
        selectedRow = places[static_cast<std::size_t>(input.selected)].row;
    int step = input.thickness + gap;
    int across = vertical ? input.client.cx : input.client.cy;
    for (const LinePlace& place : places) {
        int distance = DistanceFromPane(place.row, layout.rows, selectedRow, input.buttons);
        // Offset across the line from the control's edge on the tabs' side.
        int fromEdge = input.buttons ? distance * step : TabMargin + (layout.rows - 1 - distance) * step;
        int nearEdge = fromEdge;
        int farEdge = across - fromEdge - input.thickness;
        RECT r{};
        switch (input.side) {
        case TabSide::Top:
            r = {place.start, nearEdge, place.start + place.length, nearEdge + input.thickness};
            break;
        case TabSide::Bottom:
            r = {place.start, farEdge, place.start + place.length, farEdge + input.thickness};
            break;
        case TabSide::Left:
            r = {nearEdge, place.start, nearEdge + input.thickness, place.start + place.length};
            break;
        case TabSide::Right:
            r = {farEdge, place.start, farEdge + input.thickness, place.start + place.length};
            break;
        }
        layout.rects.push_back(r);
    }
    return layout;
}

RECT AdjustTabRect(RECT rect, bool larger, TabSide side, bool buttons, int rows, int thickness) {
    int sign = larger ? -1 : 1;
    int tabs = rows == 0 ? 0 : (buttons ? rows * (thickness + TabButtonGap) : TabMargin + rows * thickness);
    int inset = buttons ? 0 : DisplayInset;
    rect.left += sign * inset;
    rect.top += sign * inset;
    rect.right -= sign * inset;
    rect.bottom -= sign * inset;
    switch (side) {
    case TabSide::Top:
        rect.top += sign * tabs;
        break;
    case TabSide::Bottom:
        rect.bottom -= sign * tabs;
        break;
    case TabSide::Left:
        rect.left += sign * tabs;
        break;
    case TabSide::Right:
        rect.right -= sign * tabs;
        break;
    }
    return rect;
}

} // namespace platform
