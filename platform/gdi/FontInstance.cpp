#include "platform/gdi/FontInstance.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// The slant of synthesised italics: one pixel right per five rows up.
constexpr double SlantPerRow = 0.2;

bool SelectSize(const SizedFace& sized) {
    if (sized.strikeIndex >= 0)
        return FT_Select_Size(sized.face, sized.strikeIndex) == 0;
    return FT_Set_Pixel_Sizes(sized.face, 0, static_cast<FT_UInt>(sized.pixelSize)) == 0;
}

GlyphImage FromSlot(FT_GlyphSlot slot, bool monochrome) {
    GlyphImage glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t* out = glyph.coverage.data() + static_cast<std::size_t>(y) * glyph.width;
        for (int x = 0; x < glyph.width; ++x) {
            std::uint8_t value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                value = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                value = row[x];
            if (monochrome)
                value = value >= 128 ? 255 : 0;
            out[x] = value;
        }
    }
    return glyph;
}

// Synthesised bold: every stroke one pixel wider, the advance one pixel longer.
void Embolden(GlyphImage& glyph) {
    GlyphImage bold = glyph;
    bold.width = glyph.width + 1;
    bold.coverage.assign(static_cast<std::size_t>(bold.width) * static_cast<std::size_t>(bold.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < bold.width; ++x) {
            const std::uint8_t here =
                x < glyph.width ? glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)] : 0;
            const std::uint8_t left =
                x > 0 ? glyph.coverage[static_cast<std::size_t>(y * glyph.width + x - 1)] : 0;
            bold.coverage[static_cast<std::size_t>(y * bold.width + x)] = std::max(here, left);
        }
    }
    bold.advance = glyph.advance + 1;
    glyph = std::move(bold);
}

// Synthesised italics: rows above the baseline move right, rows below it left.
void Slant(GlyphImage& glyph) {
    if (glyph.height == 0)
        return;
    const auto shiftOf = [&](int row) {
        return static_cast<int>(std::floor((glyph.top - row - 0.5) * SlantPerRow + 0.5));
    };
    const int minShift = std::min(shiftOf(0), shiftOf(glyph.height - 1));
    const int maxShift = std::max(shiftOf(0), shiftOf(glyph.height - 1));
    GlyphImage slanted = glyph;
    slanted.width = glyph.width + maxShift - minShift;
    slanted.left = glyph.left + minShift;
    slanted.coverage.assign(
        static_cast<std::size_t>(slanted.width) * static_cast<std::size_t>(slanted.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
        const int offset = shiftOf(y) - minShift;
        for (int x = 0; x < glyph.width; ++x)
            slanted.coverage[static_cast<std::size_t>(y * slanted.width + x + offset)] =
                glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)];
    }
    glyph = std::move(slanted);
}

} // namespace

FontInstance::FontInstance(std::vector<SizedFace> faces, FontMetrics metrics, std::u16string faceName,
                           bool monochrome, bool emboldened, bool slanted)
    : m_faces(std::move(faces)), m_metrics(metrics), m_faceName(std::move(faceName)),
      m_monochrome(monochrome), m_emboldened(emboldened), m_slanted(slanted) {
    const int x = Advance(U'x');
    m_metrics.averageWidth = x > 0 ? x : std::max(1, m_metrics.Height() / 2);
    m_metrics.maxWidth = std::max({Advance(U'W'), Advance(U'\u4E00'), x});
}

const GlyphImage& FontInstance::Glyph(char32_t codePoint) const {
    auto found = m_glyphs.find(codePoint);
    if (found != m_glyphs.end())
        return found->second;
    return m_glyphs.emplace(codePoint, Render(codePoint)).first->second;
}

GlyphImage FontInstance::Render(char32_t codePoint) const {
    if (m_faces.empty())
        return GlyphImage{};
    // The first face that has the character draws it; without one, the first face's
    // missing-character glyph does.
    const SizedFace* chosen = &m_faces.front();
    FT_UInt index = 0;
    for (const SizedFace& sized : m_faces) {
        const FT_UInt found = FT_Get_Char_Index(sized.face, codePoint);
        if (found) {
            chosen = &sized;
            index = found;
            break;
        }
    }
    if (!SelectSize(*chosen))
        return GlyphImage{};
    const FT_Int32 target = m_monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(chosen->face, index, FT_LOAD_DEFAULT | target) != 0)
        return GlyphImage{};
    FT_GlyphSlot slot = chosen->face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, m_monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
        return GlyphImage{};
    GlyphImage glyph = FromSlot(slot, m_monochrome);
    if (m_emboldened)
        Embolden(glyph);
    if (m_slanted)
        Slant(glyph);
    return glyph;
}

} // namespace platform
