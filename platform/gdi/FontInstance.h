#pragma once
// A realised font: the faces that render a logical font at its size (the first one chosen for
// the face name, the others falling back for characters it lacks), its metrics, and the
// glyph images, made once per character and kept.

#include "platform/base/WinTypes.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

// One face at one size: a fixed strike of a bitmap font, or an outline at a pixel size.
struct SizedFace {
    FT_Face face = nullptr;
    int strikeIndex = -1; // the fixed size used, or -1 for an outline face
    int pixelSize = 0;    // em height in pixels
};

// A glyph as coverage values (0 to 255), its top-left corner relative to the pen position on
// the baseline, and the advance.
struct GlyphImage {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0; // rows above the baseline of the first row
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int averageWidth = 0;
    int maxWidth = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    BYTE charSet = 0;
    BYTE pitchAndFamily = 0;
    int underlinePosition = 1; // rows below the baseline
    int lineThickness = 1;
    int strikeOutPosition = 0; // rows above the baseline

    int Height() const { return ascent + descent; }
};

class FontInstance {
public:
    FontInstance(std::vector<SizedFace> faces, FontMetrics metrics, std::u16string faceName, bool monochrome,
                 bool emboldened, bool slanted);

    const FontMetrics& Metrics() const { return m_metrics; }
    const std::u16string& FaceName() const { return m_faceName; }
    bool IsMonochrome() const { return m_monochrome; }

    const GlyphImage& Glyph(char32_t codePoint) const;
    int Advance(char32_t codePoint) const { return Glyph(codePoint).advance; }

private:
    GlyphImage Render(char32_t codePoint) const;

    std::vector<SizedFace> m_faces;
    FontMetrics m_metrics;
    std::u16string m_faceName;
    bool m_monochrome;
    bool m_emboldened;
    bool m_slanted;
    mutable std::unordered_map<char32_t, GlyphImage> m_glyphs;
};

} // namespace platform
