#pragma once
// TCanvas: drawing with a font, a pen and a brush on a device context. The context comes from
// SetHandle or, in descendants (a bitmap's or a control's canvas), from CreateHandle when
// first needed. The canvas selects its objects into the context before each drawing call and
// puts the context's own objects back when it lets the context go.

#include "framework/classes/Events.h"
#include "framework/classes/Persistent.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GraphTypes.h"
#include "framework/graphics/Pen.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGraphic;

// Raised when a canvas has no context to draw on.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// The raster operation of CopyRect and of drawing bitmaps.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The context, made by CreateHandle when there is none; EInvalidOperation ("Canvas does
    // not allow drawing") when none can be had.
    HDC Handle();
    // Draws on another context from now on (null: none); the canvas does not own it.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return m_handle != nullptr; }

    TFont* Font() const { return m_font.get(); }
    TPen* Pen() const { return m_pen.get(); }
    TBrush* Brush() const { return m_brush.get(); }
    // These copy the given object's properties (Assign).
    void SetFont(TFont* font);
    void SetPen(TPen* pen);
    void SetBrush(TBrush* brush);

    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }
    TPoint PenPos();
    void SetPenPos(TPoint position) { MoveTo(position.x, position.y); }

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    // The part of the context drawing can reach, in logical coordinates.
    TRect ClipRect();

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void DrawFocusRect(const TRect& rect);

    // Text at (x, y) in the font, on the brush's colour unless the brush is clear; the pen
    // position moves to the text's end.
    void TextOut(int x, int y, std::string_view text);
    // Text at (x, y) clipped to the rectangle, which is filled first unless the brush is clear.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    // Text laid out in the rectangle by DrawText with the DT_ format flags.
    void TextRect(TRect& rect, std::string_view text, UINT format);
    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    // A graphic at its own size, or stretched into the rectangle.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies (stretching when the sizes differ) with CopyMode.
    void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);

    // The canvas is used by one thread only; these count nesting so that code written for a
    // shared canvas keeps its pairing.
    void Lock() { ++m_lockCount; }
    void Unlock() { --m_lockCount; }
    bool TryLock();
    int LockCount() const { return m_lockCount; }

    // Selects the canvas's current objects again, for code that changed the context directly.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Descendants make their context here (SetHandle); the base has none to make.
    virtual void CreateHandle() {}
    // Puts the context's own objects back and forgets the context.
    void DeselectHandles();
    void Changing();
    void Changed();

private:
    enum StateBit : unsigned { csHandle = 1, csFont = 2, csPen = 4, csBrush = 8 };
    // Makes sure of the context and selects what the next call draws with.
    HDC Required(unsigned state);
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    HDC m_handle = nullptr;
    std::unique_ptr<TFont> m_font;
    std::unique_ptr<TPen> m_pen;
    std::unique_ptr<TBrush> m_brush;
    HGDIOBJ m_selectedFont = nullptr;
    HGDIOBJ m_selectedPen = nullptr;
    HGDIOBJ m_selectedBrush = nullptr;
    HGDIOBJ m_oldFont = nullptr;
    HGDIOBJ m_oldPen = nullptr;
    HGDIOBJ m_oldBrush = nullptr;
    TCopyMode m_copyMode = cmSrcCopy;
    int m_lockCount = 0;
};
