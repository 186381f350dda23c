#include "framework/buttons/ButtonGlyph.h"

#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"

#include <vector>

TButtonGlyph::TButtonGlyph() : m_glyph(std::make_unique<TBitmap>()) {
    m_glyph->OnChange = [this](TObject*) { GlyphChanged(); };
}

TButtonGlyph::~TButtonGlyph() {
    m_glyph->OnChange = nullptr;
}

void TButtonGlyph::SetGlyph(TBitmap* glyph) {
    m_glyph->Assign(glyph);
}

void TButtonGlyph::SetNumGlyphs(int count) {
    if (count < 1 || count > 4 || count == m_numGlyphs)
        return;
    m_numGlyphs = count;
    m_disabled.reset();
    if (OnChange)
        OnChange(nullptr);
}

void TButtonGlyph::GlyphChanged() {
    m_disabled.reset();
    const int width = m_glyph->Width();
    const int height = m_glyph->Height();
    if (height > 0 && width % height == 0) {
        const int images = width / height;
        m_numGlyphs = images <= 4 ? images : 1;
    }
    if (OnChange)
        OnChange(nullptr);
}

TSize TButtonGlyph::ImageSize() const {
    if (m_glyph->Empty())
        return TSize{0, 0};
    return TSize{m_glyph->Width() / m_numGlyphs, m_glyph->Height()};
}

void TButtonGlyph::DrawImage(TCanvas& canvas, int x, int y, TButtonState state) {
    const TSize size = ImageSize();
    if (size.cx == 0)
        return;
    int index = static_cast<int>(state);
    if (index >= m_numGlyphs) {
        if (state == bsDisabled) {
            canvas.Draw(x, y, DisabledImage());
            return;
        }
        index = 0;
    }
    TransparentBlt(canvas.Handle(), x, y, size.cx, size.cy, m_glyph->Canvas()->Handle(), index * size.cx, 0,
                   size.cx, size.cy, ColorToRGB(m_glyph->TransparentColor()));
}

TBitmap* TButtonGlyph::DisabledImage() {
    if (m_disabled)
        return m_disabled.get();
    const TSize size = ImageSize();
    const COLORREF key = ColorToRGB(m_glyph->TransparentColor());
    // The copy's own transparent colour must be neither of the two it is drawn in.
    TColor copyKey = clFuchsia;
    for (TColor used : {clBtnHighlight, clBtnShadow}) {
        if (ColorToRGB(copyKey) == ColorToRGB(used))
            copyKey = clOlive;
    }
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf24bit);
    image->SetSize(size.cx, size.cy);
    TCanvas* out = image->Canvas();
    out->Brush()->SetColor(copyKey);
    out->FillRect(Rect(0, 0, size.cx, size.cy));
    TCanvas* in = m_glyph->Canvas();
    std::vector<TPoint> ink;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (ColorToRGB(in->Pixels(x, y)) != key)
                ink.push_back(Point(x, y));
        }
    }
    // A highlight one pixel down and right of every drawn pixel, then the shadow over them: the
    // picture looks pressed into the face.
    for (const TPoint& point : ink) {
        if (point.x + 1 < size.cx && point.y + 1 < size.cy)
            out->SetPixels(point.x + 1, point.y + 1, clBtnHighlight);
    }
    for (const TPoint& point : ink)
        out->SetPixels(point.x, point.y, clBtnShadow);
    image->SetTransparentColor(copyKey);
    image->SetTransparent(true);
    m_disabled = std::move(image);
    return m_disabled.get();
}

TRect TButtonGlyph::Draw(TCanvas& canvas, const TRect& client, TPoint offset, const std::string& caption,
                         TButtonLayout layout, int margin, int spacing, TButtonState state, UINT textFormat) {
    TSize text{0, 0};
    if (!caption.empty()) {
        TRect measured = Rect(0, 0, RectWidth(client), 0);
        canvas.TextRect(measured, caption, DT_CALCRECT | DT_CENTER | textFormat);
        text = TSize{RectWidth(measured), RectHeight(measured)};
    }
    TRect area = client;
    OffsetRect(&area, offset.x, offset.y);
    const TButtonPlacement placed = PlaceButtonContent(area, ImageSize(), text, layout, margin, spacing);
    DrawImage(canvas, placed.glyph.x, placed.glyph.y, state);
    if (!caption.empty()) {
        canvas.Brush()->SetStyle(bsClear);
        TRect rect = placed.text;
        if (state == bsDisabled) {
            TRect raised = rect;
            OffsetRect(&raised, 1, 1);
            canvas.Font()->SetColor(clBtnHighlight);
            canvas.TextRect(raised, caption, DT_CENTER | textFormat);
            canvas.Font()->SetColor(clBtnShadow);
        }
        canvas.TextRect(rect, caption, DT_CENTER | textFormat);
    }
    return placed.text;
}
