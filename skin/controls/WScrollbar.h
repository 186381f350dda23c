#pragma once
// TWScrollbar: a borderless window laid exactly over a system scroll bar, a sibling of the
// scrolled window directly above it, that paints the skinned bar. A press on it is handed back
// to the scrolled window as the frame click on its bar, so the system's own loop scrolls,
// repeats and follows the thumb; the scroll notifications of that loop, which the owning skin
// passes on as the hot part, show the part held down.

#include "framework/controls/GraphicControl.h"
#include "skin/controls/ScrollBarPicture.h"

#include <memory>
#include <optional>

class TSkinControl;

// Which bar an overlay covers.
enum TScrollBarMode { sbmWindowHorizontal = 0, sbmWindowVertical = 1, sbmControl = 2 };

// The bar as the overlay sees it: where it lies, its arrows, its thumb and its state.
struct TOverlayGeometry {
    RECT bar{}; // screen coordinates (modes 0, 1); the parent's client coordinates (mode 2)
    int arrow = 0;
    int thumbStart = 0; // along the bar, from its start
    int thumbEnd = 0;
    bool invisible = false;
    bool enabled = true;
};

// The thumb of a stand-alone scroll bar control: `length` the track length, `arrow` the arrow
// size, from the range, page and position. A thumb that would be 7 pixels or less is 8.
void ControlThumb(int length, int arrow, int minimum, int maximum, int page, int position, int& start,
                  int& end);

class TWScrollbar : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TWScrollbar(TComponent* owner);
    ~TWScrollbar() override;

    // Covers a bar of a framework control (mode 2 takes its orientation from "Kind").
    void AttachToControl(TSkinControl* skin, TWinControl* control, TScrollBarMode mode);
    // Covers a bar of a bare window.
    void AttachToWindow(TSkinControl* skin, HWND window, TScrollBarMode mode);
    // Shows the overlay over the bar, moves it there, or hides it when the bar is not shown.
    void Place();
    void HideOverlay();

    // The part under the mouse or being operated (scroll codes of the system's loop included).
    int HotPart() const { return m_hotPart; }
    void SetHotPart(int part);
    bool Shown() const { return m_shown; }
    bool Pressed() const { return m_pressed; }
    bool Vertical() const { return m_vertical; }
    TScrollBarMode Mode() const { return m_mode; }
    // The covered bar in the scrolled window's client coordinates.
    const RECT& BarClientRect() const { return m_barClientRect; }
    HWND ScrolledWindow() const { return m_scrolledWindow; }
    void RefreshScrolledWindow(HWND window) { m_scrolledWindow = window; }

    // Reads where the bar is and its thumb now; false when the system cannot tell.
    bool ReadGeometry(TOverlayGeometry& geometry) const;
    // The picture the overlay shows now (thumb following the pointer during a drag).
    bool CurrentPicture(TScrollBarPicture& picture);
    // After the scrolled window painted: repaints a shown overlay when that painting may have
    // reached it (the window does not keep off its siblings) or when the picture it should show
    // is no longer the one it painted last.
    void RefreshAfterScrolledPaint();

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    void Attach(TSkinControl* skin, TWinControl* control, HWND window, TScrollBarMode mode);
    int Along(POINT point) const { return m_vertical ? point.y : point.x; }
    void HandleMouseMove(POINT client);
    void HandlePress(POINT client);
    void HandleRelease(POINT client);
    void HandleMouseLeave();
    // Keeps the thumb and track length of a geometry read.
    void Measure(const TOverlayGeometry& geometry);
    TScrollPart PartAt(POINT client) const;
    // The thumb of a control bar from the control's own Position, Min, Max and PageSize.
    bool ControlPressGeometry(TOverlayGeometry& geometry) const;

    int m_trackLength = 0;
    int m_thumbStart = 0;
    int m_thumbEnd = 0;
    POINT m_barOrigin{};
    POINT m_pressCursor{};
    int m_thumbStartAtPress = 0;
    bool m_vertical = true;
    int m_hotPart = spNone;
    int m_arrowSize = 0;
    HWND m_scrolledWindow = nullptr;
    TWinControl* m_scrolledControl = nullptr;
    TSkinControl* m_skin = nullptr;
    TScrollBarMode m_mode = sbmWindowVertical;
    RECT m_barClientRect{};
    bool m_shown = false;
    bool m_pressed = false;
    // What the last paint showed, and with which skin; none before the first paint.
    std::optional<TScrollBarPicture> m_painted;
    const TSkinElements* m_paintedSkin = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
