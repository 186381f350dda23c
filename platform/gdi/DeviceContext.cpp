#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/StockObjects.h"

namespace platform {

std::unique_ptr<DeviceContext> DeviceContext::CreateMemory() {
    std::unique_ptr<DeviceContext> dc(new DeviceContext);
    dc->m_state.brush = static_cast<Brush*>(StockObject(WHITE_BRUSH));
    dc->m_state.pen = static_cast<Pen*>(StockObject(BLACK_PEN));
    dc->m_state.font = static_cast<Font*>(StockObject(SYSTEM_FONT));
    dc->m_state.bitmap = DefaultBitmap();
    dc->AddReferences(dc->m_state);
    return dc;
}

std::unique_ptr<DeviceContext> DeviceContext::CreateOnSurface(std::shared_ptr<PixelSurface> surface,
                                                              POINT origin, const Region& visible) {
    std::unique_ptr<DeviceContext> dc(new DeviceContext);
    dc->m_state.brush = static_cast<Brush*>(StockObject(WHITE_BRUSH));
    dc->m_state.pen = static_cast<Pen*>(StockObject(BLACK_PEN));
    dc->m_state.font = static_cast<Font*>(StockObject(SYSTEM_FONT));
    dc->AddReferences(dc->m_state);
    dc->SetSurface(std::move(surface), origin, visible);
    return dc;
}

DeviceContext::~DeviceContext() {
    if (m_state.bitmap && m_state.bitmap->SelectedInto() == this)
        m_state.bitmap->SetSelectedInto(nullptr);
    ReleaseReferences(m_state);
    for (const DcState& saved : m_saved)
        ReleaseReferences(saved);
}

DWORD DeviceContext::ObjectType() const {
    return IsMemory() ? OBJ_MEMDC : OBJ_DC;
}

void DeviceContext::AddReferences(const DcState& state) {
    AddGdiReference(state.bitmap);
    AddGdiReference(state.brush);
    AddGdiReference(state.pen);
    AddGdiReference(state.font);
}

void DeviceContext::ReleaseReferences(const DcState& state) {
    ReleaseGdiReference(state.bitmap);
    ReleaseGdiReference(state.brush);
    ReleaseGdiReference(state.pen);
    ReleaseGdiReference(state.font);
}

void DeviceContext::SetBitmap(Bitmap* bitmap) {
    if (m_state.bitmap && m_state.bitmap->SelectedInto() == this)
        m_state.bitmap->SetSelectedInto(nullptr);
    m_state.bitmap = bitmap;
    if (bitmap && !bitmap->IsStock())
        bitmap->SetSelectedInto(this);
    m_clipValid = false;
}

HGDIOBJ DeviceContext::Select(GdiObject* object) {
    GdiObject* previous = nullptr;
    switch (object->ObjectType()) {
    case OBJ_BITMAP: {
        auto* bitmap = static_cast<Bitmap*>(object);
        // A bitmap is selected into one memory DC at a time; stock bitmaps anywhere.
        if (!IsMemory() || (bitmap->SelectedInto() && bitmap->SelectedInto() != this))
            return nullptr;
        previous = m_state.bitmap;
        AddGdiReference(bitmap);
        SetBitmap(bitmap);
        break;
    }
    case OBJ_BRUSH:
        previous = m_state.brush;
        AddGdiReference(object);
        m_state.brush = static_cast<Brush*>(object);
        break;
    case OBJ_PEN:
    case OBJ_EXTPEN:
        previous = m_state.pen;
        AddGdiReference(object);
        m_state.pen = static_cast<Pen*>(object);
        break;
    case OBJ_FONT:
        previous = m_state.font;
        AddGdiReference(object);
        m_state.font = static_cast<Font*>(object);
        break;
    default:
        return nullptr;
    }
    // The previous object may be deleted by this release; its handle is taken first.
    HGDIOBJ handle = previous ? previous->Handle() : nullptr;
    ReleaseGdiReference(previous);
    return handle;
}

int DeviceContext::Save() {
    m_saved.push_back(m_state);
    AddReferences(m_state);
    return static_cast<int>(m_saved.size());
}

bool DeviceContext::Restore(int savedIndex) {
    const int count = static_cast<int>(m_saved.size());
    const int target = savedIndex < 0 ? count + savedIndex : savedIndex - 1;
    if (savedIndex == 0 || target < 0 || target >= count)
        return false;
    while (static_cast<int>(m_saved.size()) > target + 1) {
        ReleaseReferences(m_saved.back());
        m_saved.pop_back();
    }
    DcState restored = std::move(m_saved.back());
    m_saved.pop_back();
    Bitmap* oldBitmap = m_state.bitmap;
    DcState old = std::move(m_state);
    m_state = std::move(restored);
    if (oldBitmap != m_state.bitmap) {
        if (oldBitmap && oldBitmap->SelectedInto() == this)
            oldBitmap->SetSelectedInto(nullptr);
        if (m_state.bitmap && !m_state.bitmap->IsStock())
            m_state.bitmap->SetSelectedInto(this);
    }
    ReleaseReferences(old);
    m_clipValid = false;
    return true;
}

void DeviceContext::SetSurface(std::shared_ptr<PixelSurface> surface, POINT origin, const Region& visible) {
    m_surface = std::move(surface);
    m_origin = origin;
    m_visible = visible;
    m_clipValid = false;
}

PixelSurface* DeviceContext::Target() {
    if (m_surface)
        return m_surface.get();
    return m_state.bitmap ? &m_state.bitmap->Pixels() : nullptr;
}

void DeviceContext::EndWrite() {
    if (!m_surface && m_state.bitmap)
        m_state.bitmap->EndWrite();
}

bool DeviceContext::IsMonochrome() const {
    return !m_surface && m_state.bitmap && m_state.bitmap->IsMonochrome();
}

const Region& DeviceContext::EffectiveClip() {
    if (m_clipValid)
        return m_clipCache;
    if (m_surface) {
        m_clipCache = m_visible;
        m_clipCache.IntersectWith(RECT{0, 0, m_surface->Width(), m_surface->Height()});
    } else if (m_state.bitmap) {
        m_clipCache = Region(RECT{0, 0, m_state.bitmap->Width(), m_state.bitmap->Height()});
    } else {
        m_clipCache.Clear();
    }
    if (m_state.clip) {
        Region clip = *m_state.clip;
        clip.Offset(m_origin.x, m_origin.y);
        m_clipCache.IntersectWith(clip);
    }
    m_clipValid = true;
    return m_clipCache;
}

RECT DeviceContext::DeviceArea() const {
    if (m_surface)
        return RECT{-m_origin.x, -m_origin.y, m_surface->Width() - m_origin.x,
                    m_surface->Height() - m_origin.y};
    if (m_state.bitmap)
        return RECT{0, 0, m_state.bitmap->Width(), m_state.bitmap->Height()};
    return RECT{0, 0, 0, 0};
}

POINT DeviceContext::LogicalToDevice(int x, int y) const {
    return POINT{x - m_state.windowOrigin.x + m_state.viewportOrigin.x,
                 y - m_state.windowOrigin.y + m_state.viewportOrigin.y};
}

POINT DeviceContext::DeviceToLogical(int x, int y) const {
    return POINT{x - m_state.viewportOrigin.x + m_state.windowOrigin.x,
                 y - m_state.viewportOrigin.y + m_state.windowOrigin.y};
}

POINT DeviceContext::LogicalToTarget(int x, int y) const {
    POINT device = LogicalToDevice(x, y);
    return POINT{device.x + m_origin.x, device.y + m_origin.y};
}

RECT DeviceContext::LogicalToTarget(const RECT& rect) const {
    POINT topLeft = LogicalToTarget(rect.left, rect.top);
    POINT bottomRight = LogicalToTarget(rect.right, rect.bottom);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

Pixel DeviceContext::Realize(COLORREF color) const {
    const Pixel pixel = PixelFromColorRef(color & 0x00FFFFFF);
    return IsMonochrome() ? NearestMonochrome(pixel) : pixel;
}

DeviceContext* FindDC(HDC dc) {
    return FindGdiObjectOf<DeviceContext>(dc);
}

} // namespace platform
