#include "platform/display/x11/X11Image.h"

#include "platform/display/x11/X11Connection.h"

#include <sys/ipc.h>
#include <sys/shm.h>

namespace platform::x11 {

namespace {

XImage* CreateSharedImage(::Display* display, Visual* visual, int depth, int width, int height,
                          XShmSegmentInfo& segment) {
    XImage* image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image)
        return nullptr;
    segment.shmid =
        shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height),
               IPC_CREAT | 0600);
    if (segment.shmid < 0) {
        XDestroyImage(image);
        return nullptr;
    }
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    // The segment goes away once both sides have let go of it, even if this process dies.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(image);
        return nullptr;
    }
    image->data = segment.shmaddr;
    segment.readOnly = False;
    ErrorTrap trap(display);
    Status attached = XShmAttach(display, &segment);
    // A server on another machine cannot reach this memory: it refuses the attach.
    if (!attached || trap.Failed()) {
        shmdt(segment.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return nullptr;
    }
    return image;
}

} // namespace

std::unique_ptr<X11Image> X11Image::Create(::Display* display, Visual* visual, int depth, int width,
                                           int height, bool useSharedMemory) {
    if (width <= 0 || height <= 0)
        return nullptr;
    std::unique_ptr<X11Image> result(new X11Image);
    result->m_display = display;
    if (useSharedMemory) {
        result->m_image = CreateSharedImage(display, visual, depth, width, height, result->m_segment);
        result->m_shared = result->m_image != nullptr;
    }
    if (!result->m_image) {
        result->m_heap.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
        result->m_image =
            XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, result->m_heap.data(),
                         static_cast<unsigned>(width), static_cast<unsigned>(height), 32, width * 4);
        if (!result->m_image)
            return nullptr;
        // Our pixels are little-endian 0x00RRGGBB words; Xlib swaps them for a server that
        // wants the other order.
        result->m_image->byte_order = LSBFirst;
    }
    return result;
}

X11Image::~X11Image() {
    if (!m_image)
        return;
    if (m_shared) {
        XShmDetach(m_display, &m_segment);
        XSync(m_display, False);
        shmdt(m_segment.shmaddr);
    }
    // The pixels belong to the segment or to m_heap, not to Xlib.
    m_image->data = nullptr;
    XDestroyImage(m_image);
}

void X11Image::Put(Drawable target, GC gc, const RECT& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    if (m_shared) {
        XShmPutImage(m_display, target, gc, m_image, area.left, area.top, area.left, area.top,
                     static_cast<unsigned>(width), static_cast<unsigned>(height), False);
        // The next picture is written into the same memory: let the server read this one first.
        XSync(m_display, False);
    } else {
        XPutImage(m_display, target, gc, m_image, area.left, area.top, area.left, area.top,
                  static_cast<unsigned>(width), static_cast<unsigned>(height));
        XFlush(m_display);
    }
}

} // namespace platform::x11
