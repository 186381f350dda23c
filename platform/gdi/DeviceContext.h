#pragma once
// A device context: the drawing state (selected objects, colours, modes, origins, clipping)
// and where it draws. A memory DC draws into the bitmap selected into it; a surface DC draws
// into a 32-bit surface owned by someone else (a window's backing store) at an origin, limited
// to a visible region that owner supplies.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/WinGdi.h"

#include <memory>
#include <optional>
#include <vector>

namespace platform {

class Bitmap;
class Brush;
class Pen;
class Font;

struct DcState {
    Bitmap* bitmap = nullptr;
    Brush* brush = nullptr;
    Pen* pen = nullptr;
    Font* font = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = TA_LEFT | TA_TOP;
    COLORREF dcBrushColor = 0xFFFFFF;
    COLORREF dcPenColor = 0x000000;
    POINT viewportOrigin{0, 0};
    POINT windowOrigin{0, 0};
    POINT brushOrigin{0, 0};
    POINT position{0, 0};
    // The program's clipping region, in device coordinates (not moved by the viewport origin).
    std::optional<Region> clip;
};

class DeviceContext : public GdiObject {
public:
    // A memory DC with the stock 1 x 1 monochrome bitmap and the default objects selected.
    static std::unique_ptr<DeviceContext> CreateMemory();
    static std::unique_ptr<DeviceContext> CreateOnSurface(std::shared_ptr<PixelSurface> surface, POINT origin,
                                                          const Region& visible);
    ~DeviceContext() override;

    DWORD ObjectType() const override;
    bool IsMemory() const { return !m_surface; }

    const DcState& State() const { return m_state; }
    DcState& State() { return m_state; }

    // Selects a bitmap, brush, pen or font and answers the handle of the one it replaces (null
    // when the object cannot be selected here).
    HGDIOBJ Select(GdiObject* object);

    int Save();
    bool Restore(int savedIndex);

    void SetSurface(std::shared_ptr<PixelSurface> surface, POINT origin, const Region& visible);
    const std::shared_ptr<PixelSurface>& SharedSurface() const { return m_surface; }

    // ---- drawing target ----

    // The pixels drawn into (current with a DIB section's bits); null when there are none.
    PixelSurface* Target();
    // Writes the pixels back to a DIB section's bits after a drawing call changed them.
    void EndWrite();
    bool IsMonochrome() const;
    POINT Origin() const { return m_origin; }

    // The area drawing may touch, in target coordinates: the visible or bitmap area cut by the
    // program's clipping region.
    const Region& EffectiveClip();
    void InvalidateClip() { m_clipValid = false; }
    // The whole device area in device coordinates: where a clipping region starts from.
    RECT DeviceArea() const;

    // Logical coordinates to target coordinates and to device coordinates.
    POINT LogicalToTarget(int x, int y) const;
    RECT LogicalToTarget(const RECT& rect) const;
    POINT LogicalToDevice(int x, int y) const;
    POINT DeviceToLogical(int x, int y) const;

    // The colour a COLORREF draws as here (black or white on a monochrome target).
    Pixel Realize(COLORREF color) const;

private:
    DeviceContext() = default;
    void AddReferences(const DcState& state);
    void ReleaseReferences(const DcState& state);
    void SetBitmap(Bitmap* bitmap);

    DcState m_state;
    std::vector<DcState> m_saved;
    std::shared_ptr<PixelSurface> m_surface;
    POINT m_origin{0, 0};
    Region m_visible;
    Region m_clipCache;
    bool m_clipValid = false;
};

DeviceContext* FindDC(HDC dc);

} // namespace platform
