#include "platform/controls/edit/EditLines.h"

#include <algorithm>

namespace platform {

int EditLines::LineFromPosition(int position) const {
    int low = 0;
    int high = Count() - 1;
    while (low < high) {
        int middle = low + (high - low + 1) / 2;
        if (Start(middle) <= position)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void EditLines::Reset(std::vector<int> starts) {
    m_starts = std::move(starts);
    if (m_starts.empty())
        m_starts.push_back(0);
    m_shiftAfter = Count() - 1;
    m_shift = 0;
}

void EditLines::MoveShiftPoint(int line) {
    if (m_shift == 0) {
        m_shiftAfter = line;
        return;
    }
    for (int i = m_shiftAfter + 1; i <= line; ++i)
        m_starts[static_cast<std::size_t>(i)] += m_shift;
    for (int i = line + 1; i <= m_shiftAfter; ++i)
        m_starts[static_cast<std::size_t>(i)] -= m_shift;
    m_shiftAfter = line;
}

void EditLines::Splice(int first, int count, const std::vector<int>& starts, int delta) {
    MoveShiftPoint(first - 1);
    auto begin = m_starts.begin() + first;
    std::size_t common = std::min(static_cast<std::size_t>(count), starts.size());
    // Lines from first on are stored without the pending shift.
    for (std::size_t i = 0; i < common; ++i)
        begin[static_cast<std::ptrdiff_t>(i)] = starts[i] - m_shift;
    if (starts.size() > common) {
        std::vector<int> extra;
        extra.reserve(starts.size() - common);
        for (std::size_t i = common; i < starts.size(); ++i)
            extra.push_back(starts[i] - m_shift);
        m_starts.insert(begin + static_cast<std::ptrdiff_t>(common), extra.begin(), extra.end());
    } else if (static_cast<std::size_t>(count) > common) {
        m_starts.erase(begin + static_cast<std::ptrdiff_t>(common), begin + count);
    }
    MoveShiftPoint(first + static_cast<int>(starts.size()) - 1);
    m_shift += delta;
}

} // namespace platform
