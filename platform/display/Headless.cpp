#include "platform/display/Headless.h"

#include "platform/display/Display.h"
#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/Input.h"
#include "platform/user/Painting.h"
#include "platform/user/Timers.h"
#include "platform/user/WinUser.h"

#include <algorithm>
#include <memory>

namespace platform::headless {

namespace {

HeadlessDisplay* Current() {
    return dynamic_cast<HeadlessDisplay*>(platform::CurrentDisplay());
}

void Inject(InputEvent event) {
    ConnectInput();
    Screen().Inject(std::move(event));
}

InputEvent MouseEvent(InputKind kind, int x, int y, MouseButton button) {
    InputEvent event;
    event.kind = kind;
    event.position = {x, y};
    event.button = button;
    return event;
}

InputEvent KeyEvent(InputKind kind, UINT virtualKey) {
    InputEvent event;
    event.kind = kind;
    event.virtualKey = virtualKey;
    event.position = CursorPosition();
    return event;
}

} // namespace

void Use() {
    if (!Current())
        platform::SetDisplay(std::make_unique<HeadlessDisplay>());
}

HeadlessDisplay& Screen() {
    Use();
    return *Current();
}

void MoveMouse(int x, int y) {
    Inject(MouseEvent(InputKind::MouseMove, x, y, MouseButton::Left));
}

void PressButton(int x, int y, MouseButton button) {
    MoveMouse(x, y);
    Inject(MouseEvent(InputKind::ButtonDown, x, y, button));
}

void ReleaseButton(int x, int y, MouseButton button) {
    MoveMouse(x, y);
    Inject(MouseEvent(InputKind::ButtonUp, x, y, button));
}

void Click(int x, int y, MouseButton button) {
    PressButton(x, y, button);
    ReleaseButton(x, y, button);
}

void RollWheel(int x, int y, int delta) {
    InputEvent event = MouseEvent(InputKind::Wheel, x, y, MouseButton::Left);
    event.wheelDelta = delta;
    Inject(event);
}

void PressKey(UINT virtualKey) {
    Inject(KeyEvent(InputKind::KeyDown, virtualKey));
}

void ReleaseKey(UINT virtualKey) {
    Inject(KeyEvent(InputKind::KeyUp, virtualKey));
}

void TypeKey(UINT virtualKey) {
    PressKey(virtualKey);
    ReleaseKey(virtualKey);
}

void TypeText(std::u16string_view text) {
    InputEvent event;
    event.kind = InputKind::Text;
    event.text = std::u16string(text);
    Inject(event);
}

DWORD Now() {
    return Screen().Now();
}

void AdvanceClock(DWORD milliseconds) {
    Screen().AdvanceClock(milliseconds);
}

int RunUntilIdle() {
    Use();
    // A program that posts a message for every message it gets would never be idle.
    constexpr int Limit = 1000000;
    int dispatched = 0;
    MSG message;
    while (dispatched < Limit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Put back for the program's own loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        ++dispatched;
    }
    return dispatched;
}

int RunFor(DWORD milliseconds) {
    HeadlessDisplay& screen = Screen();
    DWORD end = screen.Now() + milliseconds;
    int dispatched = RunUntilIdle();
    for (;;) {
        DWORD remaining = end - screen.Now();
        DWORD step = std::min(MillisecondsToNextTimer(), MillisecondsToHover());
        if (step > remaining || remaining == 0) {
            screen.AdvanceClock(remaining);
            return dispatched + RunUntilIdle();
        }
        screen.AdvanceClock(std::max<DWORD>(step, 1));
        dispatched += RunUntilIdle();
    }
}

COLORREF ReadPixel(HWND handle, int x, int y) {
    constexpr COLORREF Invalid = 0xFFFFFFFF;
    Window* window = FindLiveWindow(handle);
    Window* top = window ? TopLevelOf(*window) : nullptr;
    if (!top || !top->backingStore)
        return Invalid;
    if (x < 0 || y < 0 || x >= window->windowRect.right - window->windowRect.left ||
        y >= window->windowRect.bottom - window->windowRect.top)
        return Invalid;
    POINT corner = OffsetInTopLevel(*window, false);
    int storeX = corner.x + x;
    int storeY = corner.y + y;
    if (!top->backingStore->Contains(storeX, storeY))
        return Invalid;
    return ColorRefFromPixel(top->backingStore->At(storeX, storeY));
}

COLORREF ReadScreenPixel(int x, int y) {
    for (Window* top : DesktopWindow().children) {
        if (!top->IsVisibleStyle())
            continue;
        RECT rect = top->windowRect;
        if (x < rect.left || y < rect.top || x >= rect.right || y >= rect.bottom)
            continue;
        if (top->shape && !top->shape->Contains(x - rect.left, y - rect.top))
            continue;
        return ReadPixel(top->handle, x - rect.left, y - rect.top);
    }
    return GetSysColor(COLOR_DESKTOP);
}

bool SaveWindowPng(HWND handle, const std::string& path) {
    Window* window = FindLiveWindow(handle);
    Window* top = window ? TopLevelOf(*window) : nullptr;
    if (!top || !top->backingStore)
        return false;
    POINT corner = OffsetInTopLevel(*window, false);
    RECT area = {corner.x, corner.y, corner.x + (window->windowRect.right - window->windowRect.left),
                 corner.y + (window->windowRect.bottom - window->windowRect.top)};
    return WritePng(*top->backingStore, &area, path);
}

void SetIdleHandler(std::function<bool()> handler) {
    Screen().SetIdleHandler(std::move(handler));
}

} // namespace platform::headless
