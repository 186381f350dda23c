#include "platform/gdi/TextLayout.h"

#include "platform/gdi/TextRun.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int DefaultTabCharacters = 8;
constexpr char32_t Ellipsis[] = U"...";

// Characters of the wide (Chinese, Japanese, Korean and full-width) ranges, between which a
// line may break.
bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Punctuation that must not begin a line, and that must not end one.
bool NoBreakBefore(char32_t c) {
    static constexpr std::u32string_view closing = U"，。、；：？！）》」』】〕〉’”…·,.;:?!)]}%";
    return closing.find(c) != std::u32string_view::npos;
}

bool NoBreakAfter(char32_t c) {
    static constexpr std::u32string_view opening = U"（《「『【〔〈‘“([{";
    return opening.find(c) != std::u32string_view::npos;
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == 0x3000;
}

struct Marked {
    std::u32string text;
    std::vector<bool> underlined;
};

// Removes prefix characters: "&x" marks x, "&&" is one '&'.
Marked ApplyPrefixes(const std::u32string& text, UINT format) {
    Marked result;
    const bool prefixes = !(format & DT_NOPREFIX);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (prefixes && text[i] == U'&') {
            if (i + 1 >= text.size())
                break;
            ++i;
            result.text.push_back(text[i]);
            result.underlined.push_back(text[i] != U'&' && !(format & DT_HIDEPREFIX));
            continue;
        }
        result.text.push_back(text[i]);
        result.underlined.push_back(false);
    }
    return result;
}

class LineBuilder {
public:
    LineBuilder(const FontInstance& font, UINT rawFormat) : m_font(font), m_format(DrawTextFlags(rawFormat)) {
        int tabCharacters = DefaultTabCharacters;
        if (rawFormat & DT_TABSTOP)
            tabCharacters = std::max(1, static_cast<int>((rawFormat >> 8) & 0xFF));
        m_tabWidth = std::max(1, tabCharacters * font.Metrics().averageWidth);
    }

    // The advance of `c` when the line is already `x` pixels wide.
    int Advance(char32_t c, int x) const {
        if (c == U'\t' && (m_format & DT_EXPANDTABS))
            return (x / m_tabWidth + 1) * m_tabWidth - x;
        return m_font.Advance(c);
    }

    LaidOutLine Make(const Marked& source, std::size_t begin, std::size_t end) const {
        LaidOutLine line;
        int x = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const char32_t c = source.text[i];
            const int advance = Advance(c, x);
            line.text.push_back(c == U'\t' && (m_format & DT_EXPANDTABS) ? U' ' : c);
            line.advances.push_back(advance);
            if (source.underlined[i])
                line.underlined.push_back(static_cast<int>(i - begin));
            x += advance;
        }
        line.width = x;
        return line;
    }

private:
    const FontInstance& m_font;
    UINT m_format;
    int m_tabWidth;
};

// Splits one paragraph [begin, end) into lines no wider than `width` where it can.
void WrapParagraph(const Marked& source, std::size_t begin, std::size_t end, int width, UINT format,
                   const LineBuilder& builder, std::vector<LaidOutLine>& lines) {
    const bool breakWords = format & DT_EDITCONTROL;
    const bool breakWide = !(format & DT_NOFULLWIDTHCHARBREAK);
    std::size_t lineStart = begin;
    while (true) {
        int x = 0;
        std::size_t i = lineStart;
        std::size_t lastBreak = lineStart; // a line may end before this index
        while (i < end) {
            const char32_t c = source.text[i];
            const int advance = builder.Advance(c, x);
            if (x + advance > width && !IsSpace(c) && i > lineStart) {
                if (lastBreak > lineStart || breakWords)
                    break;
            }
            x += advance;
            ++i;
            // A break may follow spaces, and fall on either side of a wide character.
            const char32_t next = i < end ? source.text[i] : U'\0';
            const bool afterSpace = IsSpace(c) && !IsSpace(next);
            const bool aroundWide = breakWide && (IsWide(c) || IsWide(next)) && !IsSpace(next);
            if ((afterSpace || aroundWide) && !NoBreakBefore(next) && !NoBreakAfter(c))
                lastBreak = i;
        }
        if (i >= end) {
            lines.push_back(builder.Make(source, lineStart, end));
            return;
        }
        std::size_t breakAt = lastBreak > lineStart ? lastBreak : i;
        // Spaces at the break belong to neither line.
        std::size_t lineEnd = breakAt;
        while (lineEnd > lineStart && IsSpace(source.text[lineEnd - 1]))
            --lineEnd;
        lines.push_back(builder.Make(source, lineStart, lineEnd));
        while (breakAt < end && IsSpace(source.text[breakAt]))
            ++breakAt;
        if (breakAt >= end)
            return;
        lineStart = breakAt;
    }
}

void Truncate(LaidOutLine& line, int width, UINT format, const FontInstance& font) {
    if (line.width <= width)
        return;
    const int ellipsisWidth = MeasureRun(font, Ellipsis);
    std::u32string keptTail;
    std::vector<int> tailAdvances;
    if (format & DT_PATH_ELLIPSIS) {
        // Keep the last part of a path whole, shortening what comes before it.
        const std::size_t slash = line.text.find_last_of(U"\\/");
        if (slash != std::u32string::npos && slash > 0) {
            keptTail = line.text.substr(slash);
            tailAdvances.assign(line.advances.begin() + static_cast<std::ptrdiff_t>(slash),
                                line.advances.end());
            line.text.erase(slash);
            line.advances.erase(line.advances.begin() + static_cast<std::ptrdiff_t>(slash),
                                line.advances.end());
        }
    }
    int tailWidth = 0;
    for (int advance : tailAdvances)
        tailWidth += advance;
    int kept = 0;
    int keptWidth = 0;
    while (kept < static_cast<int>(line.text.size()) &&
           keptWidth + line.advances[static_cast<std::size_t>(kept)] + ellipsisWidth + tailWidth <= width) {
        keptWidth += line.advances[static_cast<std::size_t>(kept)];
        ++kept;
    }
    if ((format & DT_WORD_ELLIPSIS) && kept < static_cast<int>(line.text.size())) {
        // Only whole words are kept before the ellipsis.
        int wordEnd = kept;
        while (wordEnd > 0 && !IsSpace(line.text[static_cast<std::size_t>(wordEnd)]) &&
               !IsWide(line.text[static_cast<std::size_t>(wordEnd - 1)]))
            --wordEnd;
        if (wordEnd > 0) {
            for (int i = wordEnd; i < kept; ++i)
                keptWidth -= line.advances[static_cast<std::size_t>(i)];
            kept = wordEnd;
        }
    }
    line.text.erase(static_cast<std::size_t>(kept));
    line.advances.erase(line.advances.begin() + kept, line.advances.end());
    for (char32_t c : std::u32string_view(Ellipsis)) {
        line.text.push_back(c);
        line.advances.push_back(font.Advance(c));
    }
    line.text += keptTail;
    line.advances.insert(line.advances.end(), tailAdvances.begin(), tailAdvances.end());
    line.underlined.erase(std::remove_if(line.underlined.begin(), line.underlined.end(),
                                         [kept](int index) { return index >= kept; }),
                          line.underlined.end());
    line.width = 0;
    for (int advance : line.advances)
        line.width += advance;
}

} // namespace

UINT DrawTextFlags(UINT format) {
    return (format & DT_TABSTOP) ? (format & ~0xFF00u) : format;
}

TextLayout LayOutText(const FontInstance& font, std::u16string_view text, UINT rawFormat, int width,
                      bool truncate) {
    const UINT format = DrawTextFlags(rawFormat);
    TextLayout layout;
    layout.lineHeight = font.Metrics().Height();
    const Marked source = ApplyPrefixes(ToCodePoints(text).text, format);
    const LineBuilder builder(font, rawFormat);
    const bool single = format & DT_SINGLELINE;
    const bool wrap = (format & DT_WORDBREAK) && !single;

    std::size_t begin = 0;
    const std::size_t size = source.text.size();
    if (single) {
        // Line-break characters do not break a single line, and are not shown.
        Marked flat;
        for (std::size_t i = 0; i < size; ++i) {
            if (source.text[i] != U'\r' && source.text[i] != U'\n') {
                flat.text.push_back(source.text[i]);
                flat.underlined.push_back(source.underlined[i]);
            }
        }
        if (!flat.text.empty())
            layout.lines.push_back(builder.Make(flat, 0, flat.text.size()));
    } else {
        while (begin < size) {
            std::size_t end = begin;
            while (end < size && source.text[end] != U'\r' && source.text[end] != U'\n')
                ++end;
            if (wrap && end > begin)
                WrapParagraph(source, begin, end, width, format, builder, layout.lines);
            else
                layout.lines.push_back(builder.Make(source, begin, end));
            if (end < size && source.text[end] == U'\r' && end + 1 < size && source.text[end + 1] == U'\n')
                ++end;
            begin = end + 1;
        }
    }
    if (truncate && (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
        for (LaidOutLine& line : layout.lines)
            Truncate(line, width, format, font);
    }
    for (const LaidOutLine& line : layout.lines)
        layout.maxWidth = std::max(layout.maxWidth, line.width);
    return layout;
}

} // namespace platform
