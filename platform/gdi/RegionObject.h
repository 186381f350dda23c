#pragma once
// A region handle's object.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/WinGdi.h"

namespace platform {

class RegionObject : public GdiObject {
public:
    explicit RegionObject(Region region = {}) : m_region(std::move(region)) {}
    DWORD ObjectType() const override { return OBJ_REGION; }

    Region& Value() { return m_region; }
    const Region& Value() const { return m_region; }

private:
    Region m_region;
};

inline RegionObject* FindRegion(HRGN region) {
    return FindGdiObjectOf<RegionObject>(region);
}

} // namespace platform
