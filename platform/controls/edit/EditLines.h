#pragma once
// Where each line of an edit control starts. A change shifts every later line by the same
// amount; that shift is kept pending for the lines after the last change and applied only as
// the change point moves, so typing into a long text touches the few lines it re-wraps.

#include <vector>

namespace platform {

class EditLines {
public:
    EditLines() : m_starts{0} {}

    int Count() const { return static_cast<int>(m_starts.size()); }
    int Start(int line) const {
        int stored = m_starts[static_cast<std::size_t>(line)];
        return line > m_shiftAfter ? stored + m_shift : stored;
    }
    // The last line starting at or before position.
    int LineFromPosition(int position) const;

    void Reset(std::vector<int> starts);
    // Lines [first, first + count) become the given starts (first > 0); every later line moves by
    // delta.
    void Splice(int first, int count, const std::vector<int>& starts, int delta);

private:
    // Applies the pending shift so that it stays pending only for lines after the given one.
    void MoveShiftPoint(int line);

    std::vector<int> m_starts;
    int m_shiftAfter = 0; // lines after this one still need m_shift added
    int m_shift = 0;
};

} // namespace platform
