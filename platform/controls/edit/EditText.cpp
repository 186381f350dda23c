#include "platform/controls/edit/EditText.h"

#include "platform/base/CodePage.h"

#include <algorithm>
#include <cstring>

namespace platform {

void EditText::Assign(std::string_view text) {
    m_buffer.assign(text.begin(), text.end());
    m_gapStart = m_gapEnd = m_buffer.size();
}

void EditText::MoveGap(std::size_t position) {
    char* data = m_buffer.data();
    if (position < m_gapStart) {
        std::size_t moving = m_gapStart - position;
        std::memmove(data + m_gapEnd - moving, data + position, moving);
        m_gapStart -= moving;
        m_gapEnd -= moving;
    } else if (position > m_gapStart) {
        std::size_t moving = position - m_gapStart;
        std::memmove(data + m_gapStart, data + m_gapEnd, moving);
        m_gapStart += moving;
        m_gapEnd += moving;
    }
}

// Grows the gap to at least the given size; the buffer grows by half again to keep inserting
// cheap.
void EditText::Reserve(std::size_t bytes) {
    if (GapSize() >= bytes)
        return;
    std::size_t length = m_buffer.size() - GapSize();
    std::size_t gap = std::max<std::size_t>(bytes, std::max<std::size_t>(64, length / 2));
    std::vector<char> grown(length + gap);
    std::copy(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_gapStart), grown.begin());
    std::copy(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_gapEnd), m_buffer.end(),
              grown.begin() + static_cast<std::ptrdiff_t>(m_gapStart + gap));
    m_gapEnd = m_gapStart + gap;
    m_buffer = std::move(grown);
}

void EditText::Replace(int position, int count, std::string_view inserted) {
    MoveGap(static_cast<std::size_t>(position));
    m_gapEnd += static_cast<std::size_t>(count);
    Reserve(inserted.size());
    std::memcpy(m_buffer.data() + m_gapStart, inserted.data(), inserted.size());
    m_gapStart += inserted.size();
}

void EditText::AppendTo(int begin, int end, std::string& out) const {
    auto from = static_cast<std::size_t>(begin);
    auto to = static_cast<std::size_t>(end);
    if (from < m_gapStart)
        out.append(m_buffer.data() + from, std::min(to, m_gapStart) - from);
    if (to > m_gapStart) {
        std::size_t first = std::max(from, m_gapStart);
        out.append(m_buffer.data() + first + GapSize(), to - first);
    }
}

std::string EditText::Copy(int begin, int end) const {
    std::string out;
    out.reserve(static_cast<std::size_t>(end - begin));
    AppendTo(begin, end, out);
    return out;
}

int EditText::CharLength(int position) const {
    if (position + 1 < Length() && IsGbkLeadByte(At(position)) && IsGbkTrailByte(At(position + 1)))
        return 2;
    return 1;
}

int EditText::CharStartAt(int position, int anchor) const {
    // A byte that cannot lead a character ends one, so the position after it is a character
    // start; only the run of lead-range bytes before position has to be walked.
    int start = position;
    while (start > anchor && IsGbkLeadByte(At(start - 1)))
        --start;
    while (start < position) {
        int next = start + CharLength(start);
        if (next > position)
            return start;
        start = next;
    }
    return start;
}

int EditText::CharStartBefore(int position, int anchor) const {
    return CharStartAt(position - 1, anchor);
}

} // namespace platform
