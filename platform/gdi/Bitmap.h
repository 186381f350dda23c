#pragma once
// A bitmap object: a monochrome or colour device bitmap, or a DIB section whose bits the
// program reads and writes directly. Drawing always works on 32-bit pixels; a DIB section of
// another depth keeps a 32-bit working copy that is refreshed from its bits before drawing and
// written back after, so the program and the drawing calls see the same picture. Only what
// changed is converted: rows of bits the program changed since the last exchange (found by
// comparing with a copy of the bits as they were then), and rows the drawing wrote.

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelSurface.h"

#include <memory>
#include <vector>

namespace platform {

class DeviceContext;

class Bitmap : public GdiObject {
public:
    // A device bitmap: monochrome (1 bit) or colour (32 bits), all black.
    Bitmap(int width, int height, bool monochrome);
    // A DIB section of the layout, its bits zeroed.
    explicit Bitmap(DibLayout layout);

    DWORD ObjectType() const override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Device bitmaps are monochrome when made with one bit per pixel; DIB sections never are
    // (their colour table says what their pixels are).
    bool IsMonochrome() const { return m_monochrome; }
    bool IsDibSection() const { return m_dib != nullptr; }
    int BitsPerPixel() const;
    const DibLayout* Layout() const { return m_dib ? &m_dib->layout : nullptr; }
    void* DibBits() { return m_dib ? m_dib->bits.data() : nullptr; }

    // The pixels, current with the DIB bits; call EndWrite after changing them.
    PixelSurface& Pixels();
    const PixelSurface& Pixels() const;
    void EndWrite();

    DeviceContext* SelectedInto() const { return m_selectedInto; }
    void SetSelectedInto(DeviceContext* dc) { m_selectedInto = dc; }

    void FillBitmapInfo(BITMAP& info) const;

private:
    struct DibSection {
        DibLayout layout;
        std::vector<std::uint8_t> bits;
        // The bits as the working copy last matched them.
        std::vector<std::uint8_t> matched;
    };

    void RefreshFromDib() const;

    int m_width;
    int m_height;
    bool m_monochrome;
    std::unique_ptr<DibSection> m_dib;
    std::unique_ptr<PixelSurface> m_pixels;
    DeviceContext* m_selectedInto = nullptr;
};

} // namespace platform
