#pragma once
// A set of pixels as y-x banded rectangles, over pixman's 32-bit regions: the value type behind
// region handles and every clipping computation.

#include "platform/base/WinTypes.h"

#include <pixman.h>

#include <cstddef>
#include <vector>

namespace platform {

class Region {
public:
    Region();
    explicit Region(const RECT& rect);
    Region(const Region& other);
    Region(Region&& other) noexcept;
    Region& operator=(const Region& other);
    Region& operator=(Region&& other) noexcept;
    ~Region();

    // The union of the rectangles; empty and inverted ones add nothing.
    static Region FromRects(const RECT* rects, std::size_t count);

    bool IsEmpty() const;
    RECT Bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    std::vector<RECT> Rects() const;
    const pixman_box32_t* Boxes(int& count) const;

    bool Contains(int x, int y) const;
    bool Overlaps(const RECT& rect) const;
    bool operator==(const Region& other) const;

    void Offset(int dx, int dy);
    void Clear();
    void IntersectWith(const Region& other);
    void IntersectWith(const RECT& rect);
    void UnionWith(const Region& other);
    void UnionWith(const RECT& rect);
    void Subtract(const Region& other);
    void Subtract(const RECT& rect);
    void XorWith(const Region& other);

private:
    pixman_region32_t m_region;
};

} // namespace platform
