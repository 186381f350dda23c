#include "framework/graphics/Font.h"

#include "framework/classes/PropertyTable.h"
#include "platform/base/MulDiv.h"

#include <cstring>

namespace {

// The program's default: 12-pixel Song type, the face every control uses.
constexpr const char* DefaultFontName = "宋体";
constexpr int DefaultFontHeight = -12;

} // namespace

const TEnumInfo& FontStyleIdents() {
    static const TEnumInfo idents{{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return idents;
}

const TEnumInfo& FontPitchIdents() {
    static const TEnumInfo idents{{"fpDefault", "fpVariable", "fpFixed"}};
    return idents;
}

const TClass& TFont::ClassInfo() {
    static const TClass info("TFont", &TGraphicsObject::ClassInfo(),
                             {
                                 OrdProperty("Charset", &TFont::Charset, &TFont::SetCharset),
                                 OrdProperty("Color", &TFont::Color, &TFont::SetColor),
                                 OrdProperty("Height", &TFont::Height, &TFont::SetHeight),
                                 StrProperty("Name", &TFont::Name, &TFont::SetName),
                                 EnumProperty("Pitch", FontPitchIdents(), &TFont::Pitch, &TFont::SetPitch),
                                 OrdProperty("Size", &TFont::Size, &TFont::SetSize),
                                 SetProperty("Style", FontStyleIdents(), &TFont::Style, &TFont::SetStyle),
                             });
    return info;
}

TFont::TFont() : m_name(DefaultFontName), m_height(DefaultFontHeight) {}

void TFont::Assign(const TPersistent* source) {
    if (const auto* font = dynamic_cast<const TFont*>(source)) {
        if (font == this || (Equals(*font) && font->m_pixelsPerInch == m_pixelsPerInch))
            return;
        m_name = font->m_name;
        m_height = MulDiv(font->m_height, m_pixelsPerInch, font->m_pixelsPerInch);
        m_style = font->m_style;
        m_color = font->m_color;
        m_charset = font->m_charset;
        m_pitch = font->m_pitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == m_name)
        return;
    m_name = name.substr(0, LF_FACESIZE - 1);
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == m_height)
        return;
    m_height = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(m_height, 72, m_pixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, m_pixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    // The colour is not part of the handle, but owners repaint on it.
    if (OnChange)
        OnChange(this);
}

void TFont::SetCharset(int charset) {
    if (charset == m_charset)
        return;
    m_charset = charset & 0xFF;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == m_pitch)
        return;
    m_pitch = pitch;
    Changed();
}

void TFont::SetPixelsPerInch(int pixelsPerInch) {
    if (pixelsPerInch > 0)
        m_pixelsPerInch = pixelsPerInch;
}

HFONT TFont::Handle() {
    if (!m_handle) {
        LOGFONTA font{};
        font.lfHeight = m_height;
        font.lfWeight = m_style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = m_style.Contains(fsItalic);
        font.lfUnderline = m_style.Contains(fsUnderline);
        font.lfStrikeOut = m_style.Contains(fsStrikeOut);
        font.lfCharSet = static_cast<BYTE>(m_charset);
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = DEFAULT_QUALITY;
        font.lfPitchAndFamily = m_pitch == fpFixed      ? FIXED_PITCH
                                : m_pitch == fpVariable ? VARIABLE_PITCH
                                                        : DEFAULT_PITCH;
        std::strncpy(font.lfFaceName, m_name.c_str(), LF_FACESIZE - 1);
        m_handle.Reset(CreateFontIndirectA(&font));
    }
    return m_handle.Get();
}

void TFont::SetHandle(HFONT handle) {
    if (handle && handle == m_handle.Get())
        return;
    LOGFONTA font{};
    if (!handle || GetObjectA(handle, sizeof(font), &font) == 0) {
        m_handle.Reset();
        if (OnChange)
            OnChange(this);
        return;
    }
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_name = font.lfFaceName;
    m_height = font.lfHeight;
    TFontStyles style;
    if (font.lfWeight >= FW_BOLD)
        style.Include(fsBold);
    if (font.lfItalic)
        style.Include(fsItalic);
    if (font.lfUnderline)
        style.Include(fsUnderline);
    if (font.lfStrikeOut)
        style.Include(fsStrikeOut);
    m_style = style;
    m_charset = font.lfCharSet;
    const int pitch = font.lfPitchAndFamily & 3;
    m_pitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    m_handle.Reset(handle);
    if (OnChange)
        OnChange(this);
}

bool TFont::Equals(const TFont& other) const {
    return m_name == other.m_name && m_height == other.m_height && m_style == other.m_style &&
           m_color == other.m_color && m_charset == other.m_charset && m_pitch == other.m_pitch;
}
