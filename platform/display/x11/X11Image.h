#pragma once
// A surface's last presented picture, kept on our side so that exposed parts can be shown
// again: a shared-memory image when the server offers MIT-SHM, else a plain client image.

#include "platform/base/WinTypes.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::x11 {

class X11Image {
public:
    // Null when no image of that size can be made.
    static std::unique_ptr<X11Image> Create(::Display* display, Visual* visual, int depth, int width,
                                            int height, bool useSharedMemory);
    ~X11Image();
    X11Image(const X11Image&) = delete;
    X11Image& operator=(const X11Image&) = delete;

    int Width() const { return m_image->width; }
    int Height() const { return m_image->height; }
    bool Shared() const { return m_shared; }
    // A row of 32-bit pixels, 0x00RRGGBB.
    std::uint32_t* Row(int y) {
        return reinterpret_cast<std::uint32_t*>(m_image->data +
                                                static_cast<std::ptrdiff_t>(y) * m_image->bytes_per_line);
    }
    // Sends the rectangle (image coordinates) to the same place in the drawable.
    void Put(Drawable target, GC gc, const RECT& area);

private:
    X11Image() = default;
    ::Display* m_display = nullptr;
    XImage* m_image = nullptr;
    bool m_shared = false;
    XShmSegmentInfo m_segment{};
    std::vector<char> m_heap; // the pixels of a plain image
};

} // namespace platform::x11
