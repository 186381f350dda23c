#pragma once
// The layout of formatted text (DrawText): mnemonic prefixes, tab expansion, line breaks at
// line-break characters and, when asked, between words and around Chinese characters, and
// ellipses for lines too long for their rectangle.

#include "platform/base/WinTypes.h"
#include "platform/gdi/FontInstance.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct LaidOutLine {
    std::u32string text;         // tabs already replaced by spaces
    std::vector<int> advances;   // one per character, tabs expanded
    std::vector<int> underlined; // indices of characters marked by a prefix '&'
    int width = 0;
};

struct TextLayout {
    std::vector<LaidOutLine> lines;
    int lineHeight = 0;
    int maxWidth = 0;

    int Height() const { return static_cast<int>(lines.size()) * lineHeight; }
};

// The flags of a DrawText format: DT_TABSTOP puts the tab width in bits 8 to 15, where other
// flags would otherwise be.
UINT DrawTextFlags(UINT format);

// Lays out `text` for DrawText's `format` in a rectangle `width` pixels wide. Ellipses are
// applied only when `truncate` is set (drawing, not measuring).
TextLayout LayOutText(const FontInstance& font, std::u16string_view text, UINT format, int width,
                      bool truncate);

} // namespace platform
