#include "skin/forms/SkinMenuMarks.h"

#include "framework/comctrls/ImageList.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

namespace {

// Paints the brush where the source is black and keeps the destination where it is white.
constexpr DWORD PaintWhereSourceIsBlack = 0x00B8074A;

// A black-on-white picture of the given size, drawn by `draw` into a memory DC.
class TMaskPicture {
public:
    TMaskPicture(HDC like, int width, int height)
        : m_dc(CreateCompatibleDC(like)), m_bitmap(CreateCompatibleBitmap(like, width, height)),
          m_old(SelectObject(m_dc, m_bitmap)), m_width(width), m_height(height) {
        const RECT whole{0, 0, width, height};
        FillRect(m_dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~TMaskPicture() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    TMaskPicture(const TMaskPicture&) = delete;
    TMaskPicture& operator=(const TMaskPicture&) = delete;

    HDC Dc() const { return m_dc; }

    // The black pixels in the colour at (x, y) of the DC.
    void PaintInto(HDC dc, int x, int y, COLORREF colour) const {
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, x, y, m_width, m_height, m_dc, 0, 0, PaintWhereSourceIsBlack);
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    int m_width;
    int m_height;
};

RECT Centred(const RECT& box, int width, int height) {
    const int left = box.left + (box.right - box.left - width) / 2;
    const int top = box.top + (box.bottom - box.top - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace

void DrawMenuCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    HBITMAP check = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK));
    BITMAP info{};
    if (!check || !GetObjectA(check, sizeof info, &info)) {
        if (check)
            DeleteObject(check);
        return;
    }
    const RECT at = Centred(box, info.bmWidth, info.bmHeight);
    TMaskPicture mask(dc, info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, check);
    BitBlt(mask.Dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(check);
    mask.PaintInto(dc, at.left, at.top, colour);
}

void DrawMenuBullet(HDC dc, const RECT& box, COLORREF colour) {
    const int size = GetSystemMetrics(SM_CXMENUCHECK);
    const RECT at = Centred(box, size, size);
    TMaskPicture mask(dc, size, size);
    RECT local{0, 0, size, size};
    DrawFrameControl(mask.Dc(), &local, DFC_MENU, DFCS_MENUBULLET);
    mask.PaintInto(dc, at.left, at.top, colour);
}

void DrawImageInColour(HDC dc, TCustomImageList& images, int index, int x, int y, COLORREF colour) {
    TMaskPicture mask(dc, images.Width(), images.Height());
    ImageList_Draw(images.Handle(), index, mask.Dc(), 0, 0, ILD_MASK);
    mask.PaintInto(dc, x, y, colour);
}
