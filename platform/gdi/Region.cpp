#include "platform/gdi/Region.h"

#include "platform/gdi/WinGdi.h"

#include <utility>

namespace platform {

namespace {

bool IsProperRect(const RECT& rect) {
    return rect.right > rect.left && rect.bottom > rect.top;
}

void InitFromRect(pixman_region32_t* region, const RECT& rect) {
    if (IsProperRect(rect))
        pixman_region32_init_rect(region, rect.left, rect.top, static_cast<unsigned>(rect.right - rect.left),
                                  static_cast<unsigned>(rect.bottom - rect.top));
    else
        pixman_region32_init(region);
}

} // namespace

Region::Region() {
    pixman_region32_init(&m_region);
}

Region::Region(const RECT& rect) {
    InitFromRect(&m_region, rect);
}

Region::Region(const Region& other) {
    pixman_region32_init(&m_region);
    pixman_region32_copy(&m_region, &other.m_region);
}

Region::Region(Region&& other) noexcept : Region() {
    std::swap(m_region, other.m_region);
}

Region& Region::operator=(const Region& other) {
    if (this != &other)
        pixman_region32_copy(&m_region, &other.m_region);
    return *this;
}

Region& Region::operator=(Region&& other) noexcept {
    std::swap(m_region, other.m_region);
    return *this;
}

Region::~Region() {
    pixman_region32_fini(&m_region);
}

Region Region::FromRects(const RECT* rects, std::size_t count) {
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (IsProperRect(rects[i]))
            boxes.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
    }
    Region result;
    // pixman builds a valid banded region from boxes in any order, overlapping or not.
    pixman_region32_fini(&result.m_region);
    pixman_region32_init_rects(&result.m_region, boxes.data(), static_cast<int>(boxes.size()));
    return result;
}

bool Region::IsEmpty() const {
    return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&m_region));
}

RECT Region::Bounds() const {
    if (IsEmpty())
        return RECT{0, 0, 0, 0};
    const pixman_box32_t* box = pixman_region32_extents(const_cast<pixman_region32_t*>(&m_region));
    return RECT{box->x1, box->y1, box->x2, box->y2};
}

int Region::Complexity() const {
    if (IsEmpty())
        return NULLREGION;
    return pixman_region32_n_rects(const_cast<pixman_region32_t*>(&m_region)) == 1 ? SIMPLEREGION
                                                                                   : COMPLEXREGION;
}

const pixman_box32_t* Region::Boxes(int& count) const {
    return pixman_region32_rectangles(const_cast<pixman_region32_t*>(&m_region), &count);
}

std::vector<RECT> Region::Rects() const {
    int count = 0;
    const pixman_box32_t* boxes = Boxes(count);
    std::vector<RECT> rects;
    rects.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rects.push_back(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return rects;
}

bool Region::Contains(int x, int y) const {
    return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&m_region), x, y, nullptr);
}

bool Region::Overlaps(const RECT& rect) const {
    if (!IsProperRect(rect))
        return false;
    pixman_box32_t box{rect.left, rect.top, rect.right, rect.bottom};
    return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&m_region), &box) !=
           PIXMAN_REGION_OUT;
}

bool Region::operator==(const Region& other) const {
    return pixman_region32_equal(const_cast<pixman_region32_t*>(&m_region),
                                 const_cast<pixman_region32_t*>(&other.m_region));
}

void Region::Offset(int dx, int dy) {
    pixman_region32_translate(&m_region, dx, dy);
}

void Region::Clear() {
    pixman_region32_clear(&m_region);
}

void Region::IntersectWith(const Region& other) {
    pixman_region32_intersect(&m_region, &m_region, const_cast<pixman_region32_t*>(&other.m_region));
}

void Region::IntersectWith(const RECT& rect) {
    if (!IsProperRect(rect)) {
        Clear();
        return;
    }
    pixman_region32_intersect_rect(&m_region, &m_region, rect.left, rect.top,
                                   static_cast<unsigned>(rect.right - rect.left),
                                   static_cast<unsigned>(rect.bottom - rect.top));
}

void Region::UnionWith(const Region& other) {
    pixman_region32_union(&m_region, &m_region, const_cast<pixman_region32_t*>(&other.m_region));
}

void Region::UnionWith(const RECT& rect) {
    if (!IsProperRect(rect))
        return;
    pixman_region32_union_rect(&m_region, &m_region, rect.left, rect.top,
                               static_cast<unsigned>(rect.right - rect.left),
                               static_cast<unsigned>(rect.bottom - rect.top));
}

void Region::Subtract(const Region& other) {
    pixman_region32_subtract(&m_region, &m_region, const_cast<pixman_region32_t*>(&other.m_region));
}

void Region::Subtract(const RECT& rect) {
    Subtract(Region(rect));
}

void Region::XorWith(const Region& other) {
    Region both = *this;
    both.IntersectWith(other);
    UnionWith(other);
    Subtract(both);
}

} // namespace platform
