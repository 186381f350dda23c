#include "framework/graphics/Canvas.h"

#include "framework/graphics/Graphic.h"
#include "platform/gdi/WinUserDraw.h"

const TClass& TCanvas::ClassInfo() {
    static const TClass info("TCanvas", &TPersistent::ClassInfo());
    return info;
}

TCanvas::TCanvas()
    : m_font(std::make_unique<TFont>()), m_pen(std::make_unique<TPen>()),
      m_brush(std::make_unique<TBrush>()) {}

TCanvas::~TCanvas() {
    DeselectHandles();
}

HDC TCanvas::Handle() {
    return Required(csHandle);
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == m_handle)
        return;
    DeselectHandles();
    m_handle = dc;
}

void TCanvas::DeselectHandles() {
    if (!m_handle)
        return;
    if (m_oldFont)
        SelectObject(m_handle, m_oldFont);
    if (m_oldPen)
        SelectObject(m_handle, m_oldPen);
    if (m_oldBrush)
        SelectObject(m_handle, m_oldBrush);
    m_oldFont = m_oldPen = m_oldBrush = nullptr;
    m_selectedFont = m_selectedPen = m_selectedBrush = nullptr;
    m_handle = nullptr;
}

void TCanvas::SetFont(TFont* font) {
    m_font->Assign(font);
}

void TCanvas::SetPen(TPen* pen) {
    m_pen->Assign(pen);
}

void TCanvas::SetBrush(TBrush* brush) {
    m_brush->Assign(brush);
}

HDC TCanvas::Required(unsigned state) {
    if (!m_handle)
        CreateHandle();
    if (!m_handle)
        throw EInvalidOperation("Canvas does not allow drawing");
    if (state & csFont)
        SelectFont();
    if (state & csPen)
        SelectPen();
    if (state & csBrush)
        SelectBrush();
    return m_handle;
}

void TCanvas::SelectFont() {
    HGDIOBJ font = m_font->Handle();
    if (font != m_selectedFont) {
        HGDIOBJ old = SelectObject(m_handle, font);
        if (!m_oldFont)
            m_oldFont = old;
        m_selectedFont = font;
    }
    SetTextColor(m_handle, ColorToRGB(m_font->Color()));
}

void TCanvas::SelectPen() {
    HGDIOBJ pen = m_pen->Handle();
    if (pen != m_selectedPen) {
        HGDIOBJ old = SelectObject(m_handle, pen);
        if (!m_oldPen)
            m_oldPen = old;
        m_selectedPen = pen;
    }
    SetROP2(m_handle, PenModeToRop2(m_pen->Mode()));
}

void TCanvas::SelectBrush() {
    HGDIOBJ brush = m_brush->Handle();
    if (brush != m_selectedBrush) {
        HGDIOBJ old = SelectObject(m_handle, brush);
        if (!m_oldBrush)
            m_oldBrush = old;
        m_selectedBrush = brush;
    }
    SetBkColor(m_handle, ColorToRGB(m_brush->Color()));
    SetBkMode(m_handle, m_brush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::Refresh() {
    m_selectedFont = m_selectedPen = m_selectedBrush = nullptr;
    if (m_handle)
        Required(csFont | csPen | csBrush);
}

void TCanvas::Changing() {
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

bool TCanvas::TryLock() {
    Lock();
    return true;
}

TPoint TCanvas::PenPos() {
    POINT position{};
    GetCurrentPositionEx(Required(csHandle), &position);
    return position;
}

TColor TCanvas::Pixels(int x, int y) {
    const COLORREF color = GetPixel(Required(csHandle), x, y);
    return color == CLR_INVALID ? clNone : static_cast<TColor>(color);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    SetPixel(Required(csHandle), x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipRect() {
    RECT rect{};
    GetClipBox(Required(csHandle), &rect);
    return rect;
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Required(csHandle), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    ::LineTo(Required(csPen | csBrush), x, y);
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    ::FillRect(Required(csBrush), &rect, m_brush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    Changing();
    ::FrameRect(Required(csBrush), &rect, m_brush->Handle());
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    Changing();
    ::Rectangle(Required(csPen | csBrush), left, top, right, bottom);
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    Changing();
    ::RoundRect(Required(csPen | csBrush), left, top, right, bottom, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    Changing();
    ::Ellipse(Required(csPen | csBrush), left, top, right, bottom);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty())
        return;
    Changing();
    ::Polygon(Required(csPen | csBrush), points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty())
        return;
    Changing();
    ::Polyline(Required(csPen | csBrush), points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    Changing();
    ::DrawFocusRect(Required(csBrush), &rect);
    Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    Changing();
    HDC dc = Required(csFont | csBrush);
    ::ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    MoveToEx(dc, x + size.cx, y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    Changing();
    HDC dc = Required(csFont | csBrush);
    UINT options = ETO_CLIPPED;
    if (m_brush->Style() != bsClear)
        options |= ETO_OPAQUE;
    ::ExtTextOutA(dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(TRect& rect, std::string_view text, UINT format) {
    Changing();
    HDC dc = Required(csFont | csBrush);
    if (m_brush->Style() != bsClear && !(format & DT_CALCRECT))
        ::FillRect(dc, &rect, m_brush->Handle());
    const int mode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
    SetBkMode(dc, mode);
    Changed();
}

TSize TCanvas::TextExtent(std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32A(Required(csFont), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    Required(csHandle);
    graphic->Draw(*this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
    if (!canvas)
        return;
    Changing();
    HDC sourceDc = canvas->Required(csHandle);
    HDC dc = Required(csBrush);
    ::StretchBlt(dc, dest.left, dest.top, RectWidth(dest), RectHeight(dest), sourceDc, source.left,
                 source.top, RectWidth(source), RectHeight(source), m_copyMode);
    Changed();
}
