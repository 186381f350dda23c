#pragma once
// Check boxes of other control libraries, as the control skins meet them: one takes a glyph
// strip through "CustomGlyphs" (and loads it when "UseCustomGlyphs" turns true), the other
// through its options object's "Glyph".

#include "framework/classes/PropertyTable.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"

#include <memory>

namespace controlskins {

// A check box of another library: its own glyphs, or a strip it is given.
class TForeignCheck : public TCustomControl {
public:
    static const TClass& ClassInfo() {
        static const TClass info(
            "TForeignCheck", &TCustomControl::ClassInfo(),
            {ObjProperty("CustomGlyphs", &TForeignCheck::CustomGlyphs, &TForeignCheck::SetCustomGlyphs),
             EnumProperty("UseCustomGlyphs", BooleanIdents(), &TForeignCheck::UseCustomGlyphs,
                          &TForeignCheck::SetUseCustomGlyphs),
             OrdProperty("TransparentColor", &TForeignCheck::TransparentColor,
                         &TForeignCheck::SetTransparentColor)});
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TCustomControl::TCustomControl;

    TBitmap* CustomGlyphs() const { return m_glyphs.get(); }
    void SetCustomGlyphs(TBitmap* glyphs) { m_glyphs->Assign(glyphs); }
    bool UseCustomGlyphs() const { return m_use; }
    void SetUseCustomGlyphs(bool use) {
        if (use && !m_use)
            ++loads;
        m_use = use;
    }
    int TransparentColor() const { return m_transparent; }
    void SetTransparentColor(int colour) { m_transparent = colour; }

    int loads = 0;

private:
    std::unique_ptr<TBitmap> m_glyphs = std::make_unique<TBitmap>();
    bool m_use = false;
    int m_transparent = 0;
};

// The options object of a check box that takes its glyph through "Properties".
class TForeignOptions : public TPersistent {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TForeignOptions", &TPersistent::ClassInfo(),
                                 {ObjProperty("Glyph", &TForeignOptions::Glyph, &TForeignOptions::SetGlyph)});
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    TBitmap* Glyph() const { return glyph; }
    void SetGlyph(TBitmap* value) { glyph = value; }
    TBitmap* glyph = nullptr;
};

class TForeignOptionsCheck : public TCustomControl {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TForeignOptionsCheck", &TCustomControl::ClassInfo(),
                                 {ObjProperty("Properties", &TForeignOptionsCheck::Properties, nullptr)});
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TCustomControl::TCustomControl;
    TForeignOptions* Properties() const { return m_options.get(); }

private:
    std::unique_ptr<TForeignOptions> m_options = std::make_unique<TForeignOptions>();
};

} // namespace controlskins
