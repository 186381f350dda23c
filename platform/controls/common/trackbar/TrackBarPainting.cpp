// The classic look of the track bar, asked of the parent item by item: tic marks, the sunken
// channel with its selection, and the raised thumb drawn last, pointed toward the tics when
// they are on one side only.

#include "platform/controls/common/trackbar/TrackBar.h"

namespace platform {

namespace {

constexpr int TicLength = 3;
constexpr int EndTicLength = 4;

void Line(HDC dc, POINT from, POINT to, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// Which way a thumb points: toward its tics, or nowhere when they are on both sides or none.
enum class Point { None, Down, Up, Right, Left };

// A thumb pointed along one side: a raised body and a tip made of two diagonals.
void PaintPointedThumb(HDC dc, RECT r, Point point) {
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    bool horizontalBody = point == Point::Down || point == Point::Up;
    int tip = (horizontalBody ? r.right - r.left : r.bottom - r.top) / 2;
    RECT body = r;
    switch (point) {
    case Point::Down:
        body.bottom -= tip;
        break;
    case Point::Up:
        body.top += tip;
        break;
    case Point::Right:
        body.right -= tip;
        break;
    case Point::Left:
        body.left += tip;
        break;
    case Point::None:
        break;
    }
    POINT shape[5];
    int cx = (r.left + r.right - 1) / 2;
    int cy = (r.top + r.bottom - 1) / 2;
    switch (point) {
    case Point::Down:
        shape[0] = {body.left, body.top};
        shape[1] = {body.right - 1, body.top};
        shape[2] = {body.right - 1, body.bottom - 1};
        shape[3] = {cx, r.bottom - 1};
        shape[4] = {body.left, body.bottom - 1};
        break;
    case Point::Up:
        shape[0] = {body.left, body.top};
        shape[1] = {cx, r.top};
        shape[2] = {body.right - 1, body.top};
        shape[3] = {body.right - 1, body.bottom - 1};
        shape[4] = {body.left, body.bottom - 1};
        break;
    case Point::Right:
        shape[0] = {body.left, body.top};
        shape[1] = {body.right - 1, body.top};
        shape[2] = {r.right - 1, cy};
        shape[3] = {body.right - 1, body.bottom - 1};
        shape[4] = {body.left, body.bottom - 1};
        break;
    case Point::Left:
    case Point::None:
        shape[0] = {r.left, cy};
        shape[1] = {body.left, body.top};
        shape[2] = {body.right - 1, body.top};
        shape[3] = {body.right - 1, body.bottom - 1};
        shape[4] = {body.left, body.bottom - 1};
        break;
    }
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, shape, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    // The outline runs clockwise: edges going up or right face the light; the others are dark,
    // with a shadow line just inside them.
    for (int i = 0; i < 5; ++i) {
        POINT a = shape[i];
        POINT b = shape[(i + 1) % 5];
        int dx = (b.x > a.x) - (b.x < a.x);
        int dy = (b.y > a.y) - (b.y < a.y);
        bool lit = dy < 0 || (dy == 0 && dx > 0);
        Line(dc, a, b, lit ? light : dark);
        if (!lit)
            Line(dc, POINT{a.x - dy, a.y + dx}, POINT{b.x - dy, b.y + dx}, shadow);
    }
}

} // namespace

void TrackBar::PaintTics(HDC dc) const {
    DWORD style = Style();
    RECT thumb = ThumbRect();
    std::vector<int> tics = Tics();
    const COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    bool before = (style & (TBS_TOP | TBS_BOTH)) != 0;
    bool after = !(style & TBS_TOP) || (style & TBS_BOTH);
    for (std::size_t i = 0; i < tics.size(); ++i) {
        int at = PixelOf(tics[i]);
        int length = (i == 0 || i + 1 == tics.size()) ? EndTicLength : TicLength;
        if (Vertical()) {
            if (after)
                Line(dc, POINT{thumb.right + 2, at}, POINT{thumb.right + 2 + length, at}, colour);
            if (before)
                Line(dc, POINT{thumb.left - 3, at}, POINT{thumb.left - 3 - length, at}, colour);
        } else {
            if (after)
                Line(dc, POINT{at, thumb.bottom + 2}, POINT{at, thumb.bottom + 2 + length}, colour);
            if (before)
                Line(dc, POINT{at, thumb.top - 3}, POINT{at, thumb.top - 3 - length}, colour);
        }
    }
}

void TrackBar::PaintChannel(HDC dc) const {
    RECT channel = ChannelRect();
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &channel, GetSysColorBrush(COLOR_WINDOW));
    if (!(Style() & TBS_ENABLESELRANGE) || m_selEnd <= m_selStart)
        return;
    RECT selection = channel;
    int from = PixelOf(Clamp(m_selStart));
    int to = PixelOf(Clamp(m_selEnd));
    if (Vertical()) {
        selection.top = from;
        selection.bottom = to;
    } else {
        selection.left = from;
        selection.right = to;
    }
    FillRect(dc, &selection, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void TrackBar::PaintThumb(HDC dc) const {
    DWORD style = Style();
    if (style & TBS_NOTHUMB)
        return;
    RECT thumb = ThumbRect();
    Point point = Point::None;
    if (!(style & (TBS_BOTH | TBS_NOTICKS))) {
        if (Vertical())
            point = (style & TBS_LEFT) ? Point::Left : Point::Right;
        else
            point = (style & TBS_TOP) ? Point::Up : Point::Down;
    }
    if (point == Point::None) {
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
        return;
    }
    PaintPointedThumb(dc, thumb, point);
}

void TrackBar::Paint(HDC dc) {
    RECT client;
    GetClientRect(m_window, &client);
    FillRect(dc, &client, AskParentForColours(m_window, dc, WM_CTLCOLORSTATIC));

    NMCUSTOMDRAW draw{};
    draw.hdc = dc;
    draw.rc = client;
    draw.uItemState =
        (GetFocus() == m_window ? CDIS_FOCUS : 0) | (IsWindowEnabled(m_window) ? 0 : CDIS_DISABLED);
    LRESULT answer = SendCustomDraw(m_window, draw, CDDS_PREPAINT);
    if (answer & CDRF_SKIPDEFAULT)
        return;
    struct Item {
        DWORD_PTR part; // TBCD_TICS, TBCD_CHANNEL or TBCD_THUMB
        RECT rect;
        void (TrackBar::*paint)(HDC) const;
    };
    // The thumb comes last: it covers the channel and may cover tics.
    const Item items[] = {{TBCD_TICS, client, &TrackBar::PaintTics},
                          {TBCD_CHANNEL, ChannelRect(), &TrackBar::PaintChannel},
                          {TBCD_THUMB, ThumbRect(), &TrackBar::PaintThumb}};
    for (const Item& item : items) {
        LRESULT itemAnswer = CDRF_DODEFAULT;
        if (answer & CDRF_NOTIFYITEMDRAW) {
            draw.dwItemSpec = item.part;
            draw.rc = item.rect;
            itemAnswer = SendCustomDraw(m_window, draw, CDDS_ITEMPREPAINT);
        }
        if (!(itemAnswer & CDRF_SKIPDEFAULT))
            (this->*item.paint)(dc);
        if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
            draw.rc = item.rect;
            SendCustomDraw(m_window, draw, CDDS_ITEMPOSTPAINT);
        }
    }
    if (GetFocus() == m_window)
        DrawFocusRect(dc, &client);
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        draw.dwItemSpec = 0;
        draw.rc = client;
        SendCustomDraw(m_window, draw, CDDS_POSTPAINT);
    }
}

} // namespace platform
