// The cost of drawing the program's window: a 636 x 525 repaint made of what the skinned main
// window draws (frame pieces stretched nine ways, colour-keyed caption buttons, fills, a grid
// of text cells, buttons and a status bar), composed off screen and copied to the window's
// backing store in one blit.

#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/WinUserDraw.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int WindowWidth = 636;
constexpr int WindowHeight = 525;
constexpr COLORREF Magenta = RGB(255, 0, 255);

// A memory DC over a new 32-bit bitmap, filled with a colour.
struct MemoryBitmap {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;

    MemoryBitmap(int width, int height, COLORREF fill) {
        HDC screen = CreateCompatibleDC(nullptr);
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        DeleteDC(screen);
        old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemoryBitmap() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

// What one repaint needs, made once: the skin pieces, fonts and the window's backing store.
class Scene {
public:
    Scene()
        : m_border(30, 30, RGB(58, 110, 165)), m_button(64, 16, Magenta),
          m_buffer(WindowWidth, WindowHeight, 0),
          m_surface(std::make_shared<platform::PixelSurface>(WindowWidth, WindowHeight)) {
        // A border image with lighter corners, and a strip of four caption-button frames with
        // magenta around each round face.
        HBRUSH light = CreateSolidBrush(RGB(166, 202, 240));
        RECT corner{0, 0, 6, 6};
        FillRect(m_border.dc, &corner, light);
        DeleteObject(light);
        HBRUSH face = CreateSolidBrush(RGB(200, 60, 40));
        HGDIOBJ oldBrush = SelectObject(m_button.dc, face);
        for (int frame = 0; frame < 4; ++frame)
            Ellipse(m_button.dc, frame * 16 + 1, 1, frame * 16 + 15, 15);
        SelectObject(m_button.dc, oldBrush);
        DeleteObject(face);
        m_mask = CreateBitmap(64, 16, 1, 1, nullptr);
        HDC maskDc = CreateCompatibleDC(nullptr);
        HGDIOBJ oldMask = SelectObject(maskDc, m_mask);
        SetBkColor(m_button.dc, Magenta);
        BitBlt(maskDc, 0, 0, 64, 16, m_button.dc, 0, 0, SRCCOPY);
        SelectObject(maskDc, oldMask);
        DeleteDC(maskDc);
        m_font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
        m_window = platform::CreateSurfaceDC(m_surface, POINT{0, 0},
                                             platform::Region(RECT{0, 0, WindowWidth, WindowHeight}));
    }
    ~Scene() {
        DeleteDC(m_window);
        DeleteObject(m_font);
        DeleteObject(m_mask);
    }

    void Repaint() {
        HDC dc = m_buffer.dc;
        SetStretchBltMode(dc, COLORONCOLOR);
        // Frame: left, right and bottom borders and the caption, each in nine parts.
        NineParts(dc, RECT{0, 0, 4, WindowHeight}, 2);
        NineParts(dc, RECT{WindowWidth - 4, 0, WindowWidth, WindowHeight}, 2);
        NineParts(dc, RECT{4, WindowHeight - 4, WindowWidth - 4, WindowHeight}, 2);
        NineParts(dc, RECT{4, 0, WindowWidth - 4, 26}, 6);
        for (int button = 0; button < 3; ++button)
            MaskBlt(dc, WindowWidth - 24 - 18 * button, 5, 16, 16, m_button.dc, 16 * button, 0, m_mask,
                    16 * button, 0, MAKEROP4(0x00AA0029, SRCCOPY));
        HGDIOBJ oldFont = SelectObject(dc, m_font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT caption{30, 0, WindowWidth - 80, 26};
        DrawTextA(dc, " 网络连接查看器  ", -1, &caption,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc, RGB(0, 0, 0));

        // Client: background, the grid with its header, buttons, the status bar.
        RECT client{4, 26, WindowWidth - 4, WindowHeight - 4};
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        RECT grid{10, 60, WindowWidth - 10, 440};
        FillRect(dc, &grid, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &grid, EDGE_SUNKEN, BF_RECT);
        static const char* const Columns[] = {"协议",   "本地地址", "远程地址", "位置", "状态",
                                              "进程ID", "进程名",   "路径",     "描述"};
        static const char* const Cells[] = {
            "TCP",  "192.168.1.10:5122", "203.0.113.7:443",          "北京市 电信",    "ESTABLISHED",
            "1234", "firefox",           "/usr/lib/firefox/firefox", "Mozilla Firefox"};
        const int columnWidth = (grid.right - grid.left - 4) / 9;
        for (int row = 0; row < 22; ++row) {
            const int top = grid.top + 2 + row * 17;
            for (int column = 0; column < 9; ++column) {
                RECT cell{grid.left + 2 + column * columnWidth, top,
                          grid.left + 2 + (column + 1) * columnWidth, top + 17};
                if (row == 0)
                    DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH);
                RECT text = cell;
                InflateRect(&text, -2, 0);
                DrawTextA(dc, row == 0 ? Columns[column] : Cells[column], -1, &text,
                          DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
                RECT line{cell.left, cell.bottom - 1, cell.right, cell.bottom};
                FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
            }
        }
        for (int button = 0; button < 3; ++button) {
            RECT face{10 + 90 * button, 450, 90 + 90 * button, 474};
            DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
            DrawTextA(dc,
                      button == 0   ? "刷新"
                      : button == 1 ? "保存"
                                    : "退出",
                      -1, &face, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        }
        RECT status{4, WindowHeight - 24, WindowWidth - 4, WindowHeight - 4};
        DrawEdge(dc, &status, BDR_SUNKENOUTER, BF_RECT);
        RECT statusText = status;
        InflateRect(&statusText, -4, 0);
        DrawTextA(dc, "共 21 个连接", -1, &statusText, DT_SINGLELINE | DT_VCENTER);
        SelectObject(dc, oldFont);

        BitBlt(m_window, 0, 0, WindowWidth, WindowHeight, dc, 0, 0, SRCCOPY);
    }

    HDC Window() const { return m_window; }
    HDC Buffer() const { return m_buffer.dc; }
    HDC Border() const { return m_border.dc; }
    HDC Button() const { return m_button.dc; }
    HBITMAP Mask() const { return m_mask; }
    HFONT Font() const { return m_font; }

private:
    // The border image drawn into `target` in nine parts: corners of `margin` pixels unscaled,
    // edges and centre stretched.
    void NineParts(HDC dc, const RECT& target, int margin) {
        const int source = 30;
        const int width = target.right - target.left;
        const int height = target.bottom - target.top;
        const int mx = width > 2 * margin ? margin : 0;
        const int my = height > 2 * margin ? margin : 0;
        const int sx[3] = {0, mx, source - mx};
        const int sw[3] = {mx, source - 2 * mx, mx};
        const int sy[3] = {0, my, source - my};
        const int sh[3] = {my, source - 2 * my, my};
        const int dx[3] = {target.left, target.left + mx, target.right - mx};
        const int dw[3] = {mx, width - 2 * mx, mx};
        const int dy[3] = {target.top, target.top + my, target.bottom - my};
        const int dh[3] = {my, height - 2 * my, my};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                if (dw[column] > 0 && dh[row] > 0)
                    StretchBlt(dc, dx[column], dy[row], dw[column], dh[row], m_border.dc, sx[column], sy[row],
                               sw[column], sh[row], SRCCOPY);
    }

    MemoryBitmap m_border;
    MemoryBitmap m_button;
    MemoryBitmap m_buffer;
    HBITMAP m_mask = nullptr;
    HFONT m_font = nullptr;
    std::shared_ptr<platform::PixelSurface> m_surface;
    HDC m_window = nullptr;
};

void BM_FullWindowRepaint(benchmark::State& state) {
    Scene scene;
    scene.Repaint(); // the glyphs are rendered once and kept
    for (auto _ : state)
        scene.Repaint();
}
BENCHMARK(BM_FullWindowRepaint)->Unit(benchmark::kMillisecond);

void BM_FillWindow(benchmark::State& state) {
    Scene scene;
    RECT all{0, 0, WindowWidth, WindowHeight};
    for (auto _ : state)
        FillRect(scene.Buffer(), &all, GetSysColorBrush(COLOR_BTNFACE));
}
BENCHMARK(BM_FillWindow)->Unit(benchmark::kMicrosecond);

void BM_CopyWindowToBackingStore(benchmark::State& state) {
    Scene scene;
    for (auto _ : state)
        BitBlt(scene.Window(), 0, 0, WindowWidth, WindowHeight, scene.Buffer(), 0, 0, SRCCOPY);
}
BENCHMARK(BM_CopyWindowToBackingStore)->Unit(benchmark::kMicrosecond);

void BM_ColourKeyedCaptionButton(benchmark::State& state) {
    Scene scene;
    for (auto _ : state)
        MaskBlt(scene.Buffer(), 100, 5, 16, 16, scene.Button(), 0, 0, scene.Mask(), 0, 0,
                MAKEROP4(0x00AA0029, SRCCOPY));
}
BENCHMARK(BM_ColourKeyedCaptionButton)->Unit(benchmark::kMicrosecond);

void BM_StretchBorderEdge(benchmark::State& state) {
    Scene scene;
    SetStretchBltMode(scene.Buffer(), COLORONCOLOR);
    for (auto _ : state)
        StretchBlt(scene.Buffer(), 4, 0, WindowWidth - 8, 26, scene.Border(), 6, 0, 18, 30, SRCCOPY);
}
BENCHMARK(BM_StretchBorderEdge)->Unit(benchmark::kMicrosecond);

void BM_GridRowOfText(benchmark::State& state) {
    Scene scene;
    HGDIOBJ old = SelectObject(scene.Buffer(), scene.Font());
    SetBkMode(scene.Buffer(), TRANSPARENT);
    for (auto _ : state) {
        for (int column = 0; column < 9; ++column) {
            RECT cell{column * 68, 100, column * 68 + 66, 117};
            DrawTextA(scene.Buffer(), "192.168.1.10:5122 北京", -1, &cell,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    SelectObject(scene.Buffer(), old);
}
BENCHMARK(BM_GridRowOfText)->Unit(benchmark::kMicrosecond);

} // namespace
