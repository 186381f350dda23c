#pragma once
// The lines of an edit control's text and the widths of its characters. A multi-line edit
// breaks lines at CR LF and, when it wraps, before a word or a Chinese character that would
// pass the right edge (blanks may hang past it). After a change only the lines from the one
// before the change down to the first line that starts where it started before are laid out
// again.

#include "platform/base/WinTypes.h"
#include "platform/controls/edit/EditLines.h"
#include "platform/controls/edit/EditText.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace platform {

// Character widths of one font, measured once each.
class CharWidths {
public:
    CharWidths();
    ~CharWidths();
    CharWidths(const CharWidths&) = delete;
    CharWidths& operator=(const CharWidths&) = delete;

    void SetFont(HFONT font);
    HFONT Font() const { return m_font; }
    int LineHeight() const { return m_lineHeight; }
    int AverageWidth() const { return m_averageWidth; }
    // The width of the character at position, which starts at x (tabs reach the next stop).
    int Of(const EditText& text, int position, int x) const;
    // Every character shows as the mask (a password edit), or as itself when it is 0.
    void SetMask(char mask);
    char Mask() const { return m_mask; }
    // Tab stops stand every eight average characters.
    int TabStopWidth() const { return std::max(1, m_averageWidth * 8); }

private:
    int Measure(const char* bytes, int count) const;

    HDC m_dc = nullptr;
    HFONT m_font = nullptr;
    char m_mask = 0;
    int m_lineHeight = 0;
    int m_averageWidth = 0;
    mutable std::array<int, 256> m_single{};
    mutable std::unordered_map<unsigned, int> m_double;
};

struct LineBreak {
    int next = 0;  // where the following line starts
    int end = 0;   // where this line's visible text ends (before its CR LF)
    int width = 0; // of the visible text
    bool last = false;
};

class EditLayout {
public:
    EditLayout(const EditText& text, const CharWidths& widths) : m_text(text), m_widths(widths) {}

    // multiLine: CR LF breaks lines; wrapWidth > 0: lines wrap at that width.
    void Configure(bool multiLine, int wrapWidth);
    // Lays the whole text out again.
    void Rebuild();
    // The text changed at position: removed bytes went, inserted bytes came.
    void Changed(int position, int removed, int inserted);

    int LineCount() const { return m_lines.Count(); }
    int LineStart(int line) const { return m_lines.Start(line); }
    // Where the line's visible text ends (before a CR LF).
    int LineEnd(int line) const;
    int LineFromPosition(int position) const { return m_lines.LineFromPosition(position); }
    // The widest line laid out since the last rebuild (never less than the widest line now).
    int WidestLine() const { return m_widest; }

    // Pixel offset of position within its line (from the line's start).
    int XOfPosition(int line, int position) const;
    // The character boundary of the line nearest to x.
    int PositionAtX(int line, int x) const;
    int LineWidth(int line) const { return XOfPosition(line, LineEnd(line)); }
    bool IsMultiLine() const { return m_multiLine; }
    int WrapWidth() const { return m_wrapWidth; }

    LineBreak NextBreak(int start) const;

private:
    bool IsLineBreakAt(int position) const;

    const EditText& m_text;
    const CharWidths& m_widths;
    EditLines m_lines;
    bool m_multiLine = false;
    int m_wrapWidth = 0;
    int m_widest = 0;
};

} // namespace platform
