// Draws a small window the way the program draws its own (a caption with text and colour-keyed
// buttons, 3-D edges, controls, Chinese text in 12-pixel Song) and writes it as a PNG under
// the build folder, for a person to look at: build/gdi-sample-composition.png.

#include "GdiTestSupport.h"

#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

using gdi_test::Canvas;

constexpr COLORREF Magenta = RGB(255, 0, 255);

// Three 16 x 14 caption buttons in one strip, magenta around their faces.
void PaintButtonStrip(Canvas& strip) {
    strip.Fill(Magenta);
    const COLORREF faces[] = {RGB(90, 160, 90), RGB(220, 170, 40), RGB(200, 60, 40)};
    for (int i = 0; i < 3; ++i) {
        HBRUSH brush = CreateSolidBrush(faces[i]);
        HGDIOBJ oldBrush = SelectObject(strip.Dc(), brush);
        HGDIOBJ oldPen = SelectObject(strip.Dc(), GetStockObject(WHITE_PEN));
        RoundRect(strip.Dc(), 16 * i, 0, 16 * i + 16, 14, 6, 6);
        SelectObject(strip.Dc(), oldPen);
        SelectObject(strip.Dc(), oldBrush);
        DeleteObject(brush);
    }
    // A white cross on the close button.
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(strip.Dc(), pen);
    MoveToEx(strip.Dc(), 37, 3, nullptr);
    LineTo(strip.Dc(), 43, 10);
    MoveToEx(strip.Dc(), 43, 3, nullptr);
    LineTo(strip.Dc(), 37, 10);
    SelectObject(strip.Dc(), oldPen);
    DeleteObject(pen);
}

// Copies the strip leaving its magenta pixels out: a mask where magenta is 1, then MaskBlt.
void KeyedCopy(HDC target, int x, int y, Canvas& strip) {
    HDC maskDc = CreateCompatibleDC(target);
    HBITMAP mask = CreateBitmap(strip.Width(), strip.Height(), 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetBkColor(strip.Dc(), Magenta);
    BitBlt(maskDc, 0, 0, strip.Width(), strip.Height(), strip.Dc(), 0, 0, SRCCOPY);
    SelectObject(maskDc, oldMask);
    MaskBlt(target, x, y, strip.Width(), strip.Height(), strip.Dc(), 0, 0, mask, 0, 0,
            MAKEROP4(0x00AA0029, SRCCOPY));
    DeleteObject(mask);
    DeleteDC(maskDc);
}

void Text(HDC dc, const char* text, RECT rect, UINT format) {
    DrawTextA(dc, text, -1, &rect, format);
}

TEST(SampleComposition, WindowPictureIsWrittenAsPng) {
    Canvas window(320, 210, GetSysColor(COLOR_BTNFACE));
    HDC dc = window.Dc();
    HFONT song = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    HFONT bold = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    HGDIOBJ oldFont = SelectObject(dc, bold);

    // Frame and caption.
    RECT frame{0, 0, 320, 210};
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
    RECT caption{3, 3, 317, 22};
    HBRUSH captionBrush = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
    FillRect(dc, &caption, captionBrush);
    DeleteObject(captionBrush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    Text(dc, " Quillmere 网络连接查看器", RECT{6, 3, 260, 22},
         DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    Canvas strip(48, 14);
    PaintButtonStrip(strip);
    KeyedCopy(dc, 264, 5, strip);

    // Client: a sunken list with two rows, controls and a status bar.
    SelectObject(dc, song);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT list{10, 30, 310, 100};
    FillRect(dc, &list, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &list, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT header{list.left, list.top, list.right, list.top + 18};
    const char* const headers[] = {"协议", "远程地址", "位置"};
    for (int i = 0; i < 3; ++i) {
        RECT cell{header.left + 96 * i, header.top, header.left + 96 * (i + 1) + (i == 2 ? 8 : 0),
                  header.bottom};
        DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH);
        InflateRect(&cell, -4, 0);
        Text(dc, headers[i], cell, DT_SINGLELINE | DT_VCENTER);
    }
    const char* const rows[2][3] = {{"TCP", "203.0.113.7:443", "北京市 电信"},
                                    {"UDP", "198.51.100.2:53", "广东省深圳市 联通ADSL"}};
    for (int r = 0; r < 2; ++r) {
        for (int i = 0; i < 3; ++i) {
            RECT cell{list.left + 4 + 96 * i, header.bottom + 2 + 17 * r, list.left + 96 * (i + 1),
                      header.bottom + 19 + 17 * r};
            Text(dc, rows[r][i], cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
    RECT check{12, 110, 25, 123};
    DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    Text(dc, "只显示远程连接", RECT{30, 110, 150, 124}, DT_SINGLELINE | DT_VCENTER);
    RECT radio{160, 111, 172, 123};
    DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    Text(dc, "TCP 和 UDP", RECT{177, 110, 300, 124}, DT_SINGLELINE | DT_VCENTER);
    RECT etched{10, 132, 310, 134};
    DrawEdge(dc, &etched, EDGE_ETCHED, BF_TOP);
    const char* const buttons[] = {"刷新(&R)", "保存(&S)", "退出"};
    for (int i = 0; i < 3; ++i) {
        RECT face{10 + 80 * i, 142, 84 + 80 * i, 166};
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
        Text(dc, buttons[i], face, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (i == 0) {
            RECT focus = face;
            InflateRect(&focus, -4, -4);
            DrawFocusRect(dc, &focus);
        }
    }
    RECT status{3, 186, 317, 207};
    DrawEdge(dc, &status, BDR_SUNKENOUTER, BF_RECT);
    Text(dc, "共 2 个连接  数据库: QQWry.Dat", RECT{8, 186, 312, 207}, DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, oldFont);
    DeleteObject(song);
    DeleteObject(bold);

    // The keyed copy left no magenta, the caption kept its colour under the key, and text was drawn.
    EXPECT_EQ(window.Count(Magenta), 0);
    EXPECT_EQ(window.At(264, 5), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_GT(window.Count(GetSysColor(COLOR_CAPTIONTEXT)), 100);

    const std::string path = std::string(QUILLMERE_BIN_DIR) + "/../gdi-sample-composition.png";
    ASSERT_TRUE(platform::WriteBitmapPng(window.Bitmap(), path));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_GT(info.st_size, 1000);
}

} // namespace
