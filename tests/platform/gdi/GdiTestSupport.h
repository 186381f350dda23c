#pragma once
// Small helpers for the drawing tests: a memory DC over a 32-bit top-down DIB section whose
// pixels a test reads directly, and a colour-on-colour check that prints what differs.

#include "platform/gdi/WinGdi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace gdi_test {

// A memory DC drawing into a top-down 32-bit DIB section of the given size.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<std::uint32_t*>(bits);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The colour of pixel (x, y) as a COLORREF, read from the bits.
    COLORREF At(int x, int y) const {
        const std::uint32_t pixel = m_bits[y * m_width + x];
        return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
    }
    void Set(int x, int y, COLORREF color) {
        m_bits[y * m_width + x] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }
    void Fill(COLORREF color) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                Set(x, y, color);
    }
    // How many pixels of the canvas have the colour.
    int Count(COLORREF color) const {
        int count = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                count += At(x, y) == color;
        return count;
    }

private:
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    std::uint32_t* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Fills a rectangle with a solid colour through PatBlt.
inline void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, left, top, right - left, bottom - top, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(brush);
}

inline std::string Hex(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

} // namespace gdi_test
