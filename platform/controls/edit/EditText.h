#pragma once
// The text of an edit control: code page 936 bytes in a gap buffer. The gap sits where the last
// change was, so typing anywhere, even at the start of a long text, moves only the bytes between
// one change and the next.

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Trail bytes of double-byte characters in code page 936.
constexpr bool IsGbkTrailByte(BYTE value) {
    return value >= 0x40 && value <= 0xFE && value != 0x7F;
}

class EditText {
public:
    int Length() const { return static_cast<int>(m_buffer.size() - GapSize()); }
    BYTE At(int position) const {
        auto index = static_cast<std::size_t>(position);
        return static_cast<BYTE>(index < m_gapStart ? m_buffer[index] : m_buffer[index + GapSize()]);
    }

    void Assign(std::string_view text);
    // Replaces count bytes at position (both within the text) with the inserted ones.
    void Replace(int position, int count, std::string_view inserted);
    // The bytes of [begin, end), appended to out.
    void AppendTo(int begin, int end, std::string& out) const;
    std::string Copy(int begin, int end) const;

    // Characters. A lead byte followed by a trail byte is one character of two bytes; anything
    // else (a lead byte alone, a broken pair) is a character of one byte. Positions given must be
    // character starts; anchor is a known character start at or before them (a line start).
    int CharLength(int position) const;
    // The character start at or before position.
    int CharStartAt(int position, int anchor) const;
    // The start of the character that ends at position (position > anchor).
    int CharStartBefore(int position, int anchor) const;
    bool IsDoubleByte(int position) const { return CharLength(position) == 2; }

private:
    std::size_t GapSize() const { return m_gapEnd - m_gapStart; }
    void MoveGap(std::size_t position);
    void Reserve(std::size_t bytes);

    std::vector<char> m_buffer;
    std::size_t m_gapStart = 0;
    std::size_t m_gapEnd = 0;
};

} // namespace platform
