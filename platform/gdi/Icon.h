#pragma once
// Icon objects: an AND mask and a colour image (with per-pixel alpha when its high bytes carry
// any) or, for monochrome icons, a mask twice as tall whose lower half is the XOR image. The
// bitmaps given at creation are copied.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelSurface.h"

#include <memory>

namespace platform {

class Icon : public GdiObject {
public:
    Icon(bool isIcon, POINT hotspot, std::unique_ptr<PixelSurface> mask, std::unique_ptr<PixelSurface> color);

    // Icons are not among the objects GetObjectType knows.
    DWORD ObjectType() const override { return 0; }

    int Width() const { return m_mask->Width(); }
    int Height() const { return m_color ? m_mask->Height() : m_mask->Height() / 2; }
    bool IsIcon() const { return m_isIcon; }
    POINT Hotspot() const { return m_hotspot; }
    const PixelSurface& Mask() const { return *m_mask; }
    // Null for a monochrome icon.
    const PixelSurface* Color() const { return m_color.get(); }
    bool HasAlpha() const { return m_hasAlpha; }

    std::unique_ptr<Icon> Copy() const;

private:
    bool m_isIcon;
    POINT m_hotspot;
    std::unique_ptr<PixelSurface> m_mask;
    std::unique_ptr<PixelSurface> m_color;
    bool m_hasAlpha = false;
};

std::unique_ptr<PixelSurface> CopySurface(const PixelSurface& source, bool keepHighByte);

} // namespace platform
