#pragma once
// The person at the keyboard in the X11 tests: a second connection to the test server that
// reads the screen, moves the pointer, presses buttons and types through the XTEST extension,
// and plays another program (closing a window, owning or asking for the clipboard).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A part of the screen as it was at one moment: a search over many pixels sees one picture,
// not one that changes while it is read pixel by pixel.
class ScreenArea {
public:
    ScreenArea(int left, int top, int width, int height, std::vector<std::uint32_t> pixels)
        : m_left(left), m_top(top), m_width(width), m_height(height), m_pixels(std::move(pixels)) {}
    // 0x00RRGGBB at a point of the screen; 0xFFFFFFFF outside the area.
    std::uint32_t Pixel(int x, int y) const;

private:
    int m_left, m_top, m_width, m_height;
    std::vector<std::uint32_t> m_pixels;
};

class XTestClient {
public:
    static std::unique_ptr<XTestClient> Connect(const std::string& displayName);
    ~XTestClient();
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    // 0x00RRGGBB of a screen pixel, as the screen shows it now.
    std::uint32_t ScreenPixel(int x, int y);
    // A part of the screen read at once; empty when it cannot be read.
    ScreenArea ReadScreen(int left, int top, int width, int height);
    bool SaveScreenPng(const std::string& path);
    // A part of the screen, cut to the screen.
    bool SaveScreenPng(const std::string& path, int left, int top, int width, int height);
    // Gives the desktop (the root window) one colour, so that what shows through is known.
    void PaintDesktop(std::uint32_t colour);
    bool IsShown(unsigned long xid);
    // The window's position on the screen and its size.
    bool Geometry(unsigned long xid, int& x, int& y, int& width, int& height);
    void Focus(unsigned long xid);
    // The window's _NET_WM_NAME (UTF-8), as a task bar shows it.
    std::string WindowName(unsigned long xid);

    // Whether another client holds the pointer (an active grab).
    bool PointerHeldByAnother();

    void MovePointer(int x, int y);
    void Button(int button, bool down);
    // Presses or releases the key that makes the X key symbol.
    void Key(unsigned long keysym, bool down);
    // Types characters by lending a spare key each character's symbol, as on-screen keyboards
    // do. The receiver looks the symbol up when it reads the key, so each character must be
    // taken (`taken` answers whether it was) before the key gets the next symbol.
    template <typename Taken>
    bool TypeText(const std::u32string& text, Taken taken) {
        bool all = true;
        for (char32_t c : text) {
            PressLentKey(c);
            all = all && taken();
        }
        PressLentKey(0);
        return all;
    }
    void SendDeleteWindow(unsigned long xid);

    // The CLIPBOARD selection's text as another program receives it (UTF-8), asked now and
    // waited for while `serve` lets the owner answer; empty on no answer.
    template <typename Serve>
    std::string RequestClipboard(Serve serve) {
        BeginClipboardRequest();
        for (int round = 0; round < 200; ++round) {
            serve();
            std::string text;
            if (PollClipboardAnswer(text))
                return text;
        }
        return {};
    }

    // Makes this connection own the clipboard with the text, answering requests from a thread
    // of its own until the object goes.
    void OwnClipboard(const std::string& utf8);

private:
    struct State;
    explicit XTestClient(std::unique_ptr<State> state);
    void BeginClipboardRequest();
    // Gives the spare key the character's symbol and presses it; 0 takes the symbol back.
    void PressLentKey(char32_t c);
    bool PollClipboardAnswer(std::string& text);
    std::unique_ptr<State> m_state;
};

} // namespace testing_support
