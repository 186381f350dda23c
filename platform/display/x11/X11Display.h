#pragma once
// The X11 display: one X window per top-level window, without window-manager decorations (the
// frame is drawn by the window manager of this layer), shapes through the XShape extension,
// presentation through MIT-SHM when the server offers it, keyboard text through XIM, the
// CLIPBOARD selection and the desktop window manager's interactive move and size.

#include "platform/display/DisplayBackend.h"

#include <memory>
#include <string>

namespace platform {

namespace x11 {
class Connection;
}

class X11Display final : public DisplayBackend {
public:
    // Connects to the named display (null: $DISPLAY). On failure, null with a sentence for a
    // person in error.
    static std::unique_ptr<X11Display> Open(const char* displayName, std::string& error);
    ~X11Display() override;

    std::string_view Name() const override { return "x11"; }
    SIZE ScreenSize() const override;
    RECT WorkArea() const override;
    DWORD Now() const override;

    void PollEvents() override;
    bool WaitForEvents(DWORD timeout) override;

    void SurfaceCreated(HWND window, const RECT& screenRect, bool popup) override;
    void SurfaceDestroyed(HWND window) override;
    void SurfaceMoved(HWND window, const RECT& screenRect) override;
    void SurfaceShown(HWND window, bool visible) override;
    void SurfacesRestacked(const std::vector<HWND>& topToBottom) override;
    void SurfaceActivated(HWND window) override;
    void SurfaceMinimized(HWND window, bool minimized) override;
    void SurfaceTitled(HWND window, std::u16string_view title) override;
    void SurfaceShaped(HWND window, const std::optional<std::vector<RECT>>& shape) override;
    void Present(HWND window, const PixelBuffer& pixels, const RECT& damage) override;
    void WarpPointer(POINT screenPosition) override;
    void CursorChanged(WORD standardCursorId) override;
    void CursorShown(bool shown) override;
    void Beep() override;
    void GrabPointer(bool grabbed) override;
    bool BeginMoveSize(HWND window, int hitCode, POINT screenPosition) override;
    void SetClipboardText(std::u16string text) override;
    std::optional<std::u16string> ClipboardText() override;
    void ClearClipboardText() override;

    // Facts for tests and diagnostics.
    bool UsesSharedMemory() const;
    bool HasShapeExtension() const;
    bool HasInputMethod() const;
    // The X window showing a top-level window, or 0.
    unsigned long NativeWindow(HWND window) const;

    void DeliverInput(const InputEvent& event) { Deliver(event); }

private:
    explicit X11Display(std::unique_ptr<x11::Connection> connection);
    std::unique_ptr<x11::Connection> m_connection;
};

} // namespace platform
