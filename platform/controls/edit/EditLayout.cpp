#include "platform/controls/edit/EditLayout.h"

#include "platform/gdi/WinGdi.h"

namespace platform {

CharWidths::CharWidths() : m_dc(CreateCompatibleDC(nullptr)) {
    SetFont(nullptr);
}

CharWidths::~CharWidths() {
    DeleteDC(m_dc);
}

void CharWidths::SetFont(HFONT font) {
    m_font = font;
    HGDIOBJ chosen = font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
    SelectObject(m_dc, chosen);
    TEXTMETRICA metrics{};
    GetTextMetricsA(m_dc, &metrics);
    m_lineHeight = std::max<int>(1, metrics.tmHeight);
    m_averageWidth = metrics.tmAveCharWidth;
    m_single.fill(-1);
    m_double.clear();
}

int CharWidths::Measure(const char* bytes, int count) const {
    SIZE size{};
    GetTextExtentPoint32A(m_dc, bytes, count, &size);
    return size.cx;
}

void CharWidths::SetMask(char mask) {
    m_mask = mask;
    m_single.fill(-1);
}

int CharWidths::Of(const EditText& text, int position, int x) const {
    BYTE first = text.At(position);
    if (m_mask) {
        int& cached = m_single[0];
        if (cached < 0)
            cached = Measure(&m_mask, 1);
        return cached;
    }
    if (text.CharLength(position) == 2) {
        BYTE second = text.At(position + 1);
        unsigned code = (static_cast<unsigned>(first) << 8) | second;
        auto it = m_double.find(code);
        if (it != m_double.end())
            return it->second;
        const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
        int width = Measure(bytes, 2);
        m_double.emplace(code, width);
        return width;
    }
    if (first == '\t')
        return TabStopWidth() - x % TabStopWidth();
    int& cached = m_single[first];
    if (cached < 0) {
        const char byte = static_cast<char>(first);
        cached = Measure(&byte, 1);
    }
    return cached;
}

void EditLayout::Configure(bool multiLine, int wrapWidth) {
    m_multiLine = multiLine;
    m_wrapWidth = multiLine ? std::max(0, wrapWidth) : 0;
}

bool EditLayout::IsLineBreakAt(int position) const {
    return m_multiLine && position >= 0 && position + 1 < m_text.Length() && m_text.At(position) == '\r' &&
           m_text.At(position + 1) == '\n';
}

LineBreak EditLayout::NextBreak(int start) const {
    const int length = m_text.Length();
    int x = 0;
    int breakAt = -1;
    int breakX = 0;
    for (int p = start; p < length;) {
        if (IsLineBreakAt(p))
            return {p + 2, p, x, false};
        const int size = m_text.CharLength(p);
        const BYTE c = m_text.At(p);
        const bool blank = size == 1 && (c == ' ' || c == '\t');
        const int width = m_widths.Of(m_text, p, x);
        if (m_wrapWidth > 0 && !blank && x + width > m_wrapWidth && p > start) {
            if (size == 1 && breakAt > start)
                return {breakAt, breakAt, breakX, false};
            return {p, p, x, false};
        }
        if (size == 2 && p > start) {
            breakAt = p;
            breakX = x;
        }
        x += width;
        p += size;
        if (blank || size == 2) {
            breakAt = p;
            breakX = x;
        }
    }
    return {length, length, x, true};
}

void EditLayout::Rebuild() {
    std::vector<int> starts{0};
    m_widest = 0;
    for (int p = 0;;) {
        LineBreak b = NextBreak(p);
        m_widest = std::max(m_widest, b.width);
        if (b.last)
            break;
        starts.push_back(b.next);
        p = b.next;
    }
    m_lines.Reset(std::move(starts));
}

void EditLayout::Changed(int position, int removed, int inserted) {
    const int oldCount = m_lines.Count();
    const int delta = inserted - removed;
    int startLine = m_lines.LineFromPosition(position);
    // A change may let the start of its line move up to the line before, when that one wrapped.
    if (m_wrapWidth > 0 && startLine > 0 && !IsLineBreakAt(LineStart(startLine) - 2))
        --startLine;
    // The first old line that starts after the change; from there on the old layout holds again
    // as soon as a new line starts where one of them starts now.
    int unchanged = m_lines.LineFromPosition(position + removed) + 1;
    std::vector<int> starts;
    bool converged = false;
    for (int p = LineStart(startLine);;) {
        LineBreak b = NextBreak(p);
        m_widest = std::max(m_widest, b.width);
        if (b.last)
            break;
        while (unchanged < oldCount && LineStart(unchanged) + delta < b.next)
            ++unchanged;
        if (unchanged < oldCount && LineStart(unchanged) + delta == b.next) {
            converged = true;
            break;
        }
        starts.push_back(b.next);
        p = b.next;
    }
    if (!converged)
        unchanged = oldCount;
    m_lines.Splice(startLine + 1, unchanged - (startLine + 1), starts, delta);
}

int EditLayout::LineEnd(int line) const {
    if (line + 1 >= LineCount())
        return m_text.Length();
    int next = LineStart(line + 1);
    return IsLineBreakAt(next - 2) ? next - 2 : next;
}

int EditLayout::XOfPosition(int line, int position) const {
    int x = 0;
    for (int p = LineStart(line); p < position; p += m_text.CharLength(p))
        x += m_widths.Of(m_text, p, x);
    return x;
}

int EditLayout::PositionAtX(int line, int x) const {
    const int end = LineEnd(line);
    int left = 0;
    int p = LineStart(line);
    while (p < end) {
        int width = m_widths.Of(m_text, p, left);
        if (x < left + (width + 1) / 2)
            return p;
        left += width;
        p += m_text.CharLength(p);
    }
    return end;
}

} // namespace platform
