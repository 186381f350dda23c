#pragma once
// TFont: a typeface description (name, height, style, colour, character set) and the font
// handle made from it. Height is the em height in pixels, negative as the platform takes it;
// Size is the same in points at the font's pixels per inch (96).

#include "framework/classes/Sets.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/GraphicsObject.h"

#include <string>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

const TEnumInfo& FontStyleIdents();
const TEnumInfo& FontPitchIdents();

class TFont : public TGraphicsObject {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TFont();

    void Assign(const TPersistent* source) override;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Charset() const { return m_charset; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch pitch);
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int pixelsPerInch);

    // The font handle, made when first asked for; it stays the font's own.
    HFONT Handle();
    // Takes over a font handle and its description.
    void SetHandle(HFONT font);
    bool HandleAllocated() const { return static_cast<bool>(m_handle); }
    bool Equals(const TFont& other) const;

protected:
    void FreeHandle() override { m_handle.Reset(); }

private:
    std::string m_name;
    int m_height;
    int m_pixelsPerInch = 96;
    TFontStyles m_style;
    TColor m_color = clWindowText;
    int m_charset = DEFAULT_CHARSET;
    TFontPitch m_pitch = fpDefault;
    TGdiHandle<HFONT> m_handle;
};
