// Fonts and single-line text: CreateFont, TextOut, ExtTextOut, text extents and metrics.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/TextRun.h"
#include "platform/gdi/TextSupport.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstring>

using namespace platform;

namespace {

LOGFONTW WideLogicalFont(const LOGFONTA& narrow) {
    LOGFONTW wide{};
    std::memcpy(&wide, &narrow, offsetof(LOGFONTA, lfFaceName));
    const std::u16string face =
        GbkToUtf16(std::string(narrow.lfFaceName, strnlen(narrow.lfFaceName, LF_FACESIZE)));
    for (std::size_t i = 0; i < face.size() && i < LF_FACESIZE - 1; ++i)
        wide.lfFaceName[i] = face[i];
    return wide;
}

LOGFONTW MakeLogicalFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                         DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily) {
    LOGFONTW logical{};
    logical.lfHeight = height;
    logical.lfWidth = width;
    logical.lfEscapement = escapement;
    logical.lfOrientation = orientation;
    logical.lfWeight = weight;
    logical.lfItalic = static_cast<BYTE>(italic);
    logical.lfUnderline = static_cast<BYTE>(underline);
    logical.lfStrikeOut = static_cast<BYTE>(strikeOut);
    logical.lfCharSet = static_cast<BYTE>(charSet);
    logical.lfOutPrecision = static_cast<BYTE>(outPrecision);
    logical.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    logical.lfQuality = static_cast<BYTE>(quality);
    logical.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    return logical;
}

BOOL ExtTextOutCore(HDC dc, int x, int y, UINT options, const RECT* rect, const CodePoints& text,
                    const std::vector<int>* advances) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    const FontInstance& font = FontOf(*context);
    DcState& state = context->State();
    Painter painter(*context);
    if (!painter.Ready())
        return FALSE;

    int width = 0;
    if (advances) {
        for (int advance : *advances)
            width += advance;
    } else {
        width = MeasureRun(font, text.text);
    }
    const bool updatePosition = state.textAlign & TA_UPDATECP;
    if (updatePosition) {
        x = state.position.x;
        y = state.position.y;
    }
    int left = x;
    switch (state.textAlign & TA_CENTER) {
    case TA_CENTER:
        left = x - width / 2;
        break;
    case TA_RIGHT:
        left = x - width;
        break;
    default:
        break;
    }
    const FontMetrics& metrics = font.Metrics();
    int baseline = y + metrics.ascent;
    switch (state.textAlign & TA_BASELINE) {
    case TA_BASELINE:
        baseline = y;
        break;
    case TA_BOTTOM:
        baseline = y - metrics.descent;
        break;
    default:
        break;
    }

    std::optional<RECT> clip;
    if (rect) {
        const RECT target = context->LogicalToTarget(*rect);
        if (options & ETO_OPAQUE)
            painter.FillRect(target, BrushSource(context->Realize(state.bkColor)), RopIndex(PATCOPY));
        if (options & ETO_CLIPPED)
            clip = target;
    }
    const POINT origin = context->LogicalToTarget(left, baseline);
    if (state.bkMode == OPAQUE && width > 0) {
        RECT cell{origin.x, origin.y - metrics.ascent, origin.x + width, origin.y + metrics.descent};
        if (clip)
            cell = RECT{std::max(cell.left, clip->left), std::max(cell.top, clip->top),
                        std::min(cell.right, clip->right), std::min(cell.bottom, clip->bottom)};
        painter.FillRect(cell, BrushSource(context->Realize(state.bkColor)), RopIndex(PATCOPY));
    }
    RunStyle style;
    style.color = context->Realize(state.textColor);
    style.underline = metrics.underline;
    style.strikeOut = metrics.strikeOut;
    DrawRun(painter, font, origin.x, origin.y, text.text, advances ? advances->data() : nullptr, style,
            clip ? &*clip : nullptr);

    if (updatePosition) {
        switch (state.textAlign & TA_CENTER) {
        case TA_CENTER:
            break;
        case TA_RIGHT:
            state.position.x = left;
            break;
        default:
            state.position.x = left + width;
            break;
        }
    }
    return TRUE;
}

// Per-code-point advances from per-unit (or per-byte) spacing values.
std::vector<int> AdvancesFrom(const CodePoints& text, const std::vector<int>& unitStarts, const INT* dx,
                              std::size_t unitCount) {
    std::vector<int> advances(text.text.size(), 0);
    for (std::size_t i = 0; i < text.text.size(); ++i) {
        const std::size_t first =
            static_cast<std::size_t>(unitStarts[static_cast<std::size_t>(text.unitIndex[i])]);
        const std::size_t end =
            i + 1 < text.text.size()
                ? static_cast<std::size_t>(unitStarts[static_cast<std::size_t>(text.unitIndex[i + 1])])
                : unitCount;
        for (std::size_t j = first; j < end; ++j)
            advances[i] += dx[j];
    }
    return advances;
}

} // namespace

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HFONT>(InsertGdiObject(std::make_unique<Font>(*font)));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (!font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const LOGFONTW wide = WideLogicalFont(*font);
    return CreateFontIndirectW(&wide);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    const std::u16string face = faceName ? GbkToUtf16(faceName) : std::u16string();
    return CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outPrecision, clipPrecision, quality, pitchAndFamily,
                       faceName ? face.c_str() : nullptr);
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
    LOGFONTW logical =
        MakeLogicalFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                        outPrecision, clipPrecision, quality, pitchAndFamily);
    for (int i = 0; faceName && faceName[i] && i < LF_FACESIZE - 1; ++i)
        logical.lfFaceName[i] = faceName[i];
    return CreateFontIndirectW(&logical);
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx) {
    if (!text && count > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::u16string_view units(text ? text : u"", count);
    const CodePoints points = ToCodePoints(units);
    if (!dx)
        return ExtTextOutCore(dc, x, y, options, rect, points, nullptr);
    std::vector<int> starts(units.size() + 1);
    for (std::size_t i = 0; i <= units.size(); ++i)
        starts[i] = static_cast<int>(i);
    const std::vector<int> advances = AdvancesFrom(points, starts, dx, units.size());
    return ExtTextOutCore(dc, x, y, options, rect, points, &advances);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx) {
    if (!text && count > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const GbkText wide = WidenGbk(std::string_view(text ? text : "", count));
    const CodePoints points = ToCodePoints(wide.text);
    if (!dx)
        return ExtTextOutCore(dc, x, y, options, rect, points, nullptr);
    const std::vector<int> advances = AdvancesFrom(points, wide.byteIndex, dx, count);
    return ExtTextOutCore(dc, x, y, options, rect, points, &advances);
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    if (count < 0)
        return FALSE;
    return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
    if (count < 0)
        return FALSE;
    return ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
    DeviceContext* context = FindDC(dc);
    if (!context || count < 0 || (!text && count > 0) || !size)
        return FALSE;
    const FontInstance& font = FontOf(*context);
    const std::u16string_view units(text ? text : u"", static_cast<std::size_t>(count));
    const CodePoints points = ToCodePoints(units);
    int extent = 0;
    int fitting = 0;
    for (std::size_t i = 0; i < points.text.size(); ++i) {
        extent += font.Advance(points.text[i]);
        const std::size_t end =
            i + 1 < points.text.size() ? static_cast<std::size_t>(points.unitIndex[i + 1]) : units.size();
        for (std::size_t unit = static_cast<std::size_t>(points.unitIndex[i]); unit < end; ++unit) {
            if (dx)
                dx[unit] = extent;
            if (extent <= maxExtent)
                fitting = static_cast<int>(unit) + 1;
        }
    }
    if (fit)
        *fit = fitting;
    *size = SIZE{extent, font.Metrics().Height()};
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
    return GetTextExtentExPointW(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentExPointA(HDC dc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
    if (count < 0 || (!text && count > 0))
        return FALSE;
    const GbkText wide = WidenGbk(std::string_view(text ? text : "", static_cast<std::size_t>(count)));
    std::vector<int> unitExtents(wide.text.size());
    int unitsFitting = 0;
    if (!GetTextExtentExPointW(dc, wide.text.data(), static_cast<int>(wide.text.size()), maxExtent,
                               &unitsFitting, unitExtents.data(), size))
        return FALSE;
    // Back from UTF-16 units to bytes: both bytes of a double-byte character share its extent.
    int bytesFitting = 0;
    for (std::size_t unit = 0; unit < wide.text.size(); ++unit) {
        const int firstByte = wide.byteIndex[unit];
        const int endByte = wide.byteIndex[unit + 1];
        for (int b = firstByte; b < endByte; ++b) {
            if (dx)
                dx[b] = unitExtents[unit];
            if (static_cast<int>(unit) < unitsFitting)
                bytesFitting = b + 1;
        }
    }
    if (fit)
        *fit = bytesFitting;
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
    return GetTextExtentExPointA(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    DeviceContext* context = FindDC(dc);
    if (!context || !metrics)
        return FALSE;
    const FontMetrics& font = FontOf(*context).Metrics();
    *metrics = TEXTMETRICW{};
    metrics->tmHeight = font.Height();
    metrics->tmAscent = font.ascent;
    metrics->tmDescent = font.descent;
    metrics->tmInternalLeading = font.internalLeading;
    metrics->tmExternalLeading = 0;
    metrics->tmAveCharWidth = font.averageWidth;
    metrics->tmMaxCharWidth = font.maxWidth;
    metrics->tmWeight = font.weight;
    metrics->tmOverhang = 0;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFFFF;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = font.italic ? 0xFF : 0;
    metrics->tmUnderlined = font.underline ? 0xFF : 0;
    metrics->tmStruckOut = font.strikeOut ? 0xFF : 0;
    metrics->tmPitchAndFamily = font.pitchAndFamily;
    metrics->tmCharSet = font.charSet;
    return TRUE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
    TEXTMETRICW wide;
    if (!metrics || !GetTextMetricsW(dc, &wide))
        return FALSE;
    std::memcpy(metrics, &wide, offsetof(TEXTMETRICA, tmFirstChar));
    // The narrow form names characters by byte: the single-byte range of code page 936.
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFF;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = wide.tmItalic;
    metrics->tmUnderlined = wide.tmUnderlined;
    metrics->tmStruckOut = wide.tmStruckOut;
    metrics->tmPitchAndFamily = wide.tmPitchAndFamily;
    metrics->tmCharSet = wide.tmCharSet;
    return TRUE;
}

int GetTextFaceW(HDC dc, int count, LPWSTR faceName) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return 0;
    const std::u16string& name = FontOf(*context).FaceName();
    if (!faceName)
        return static_cast<int>(name.size()) + 1;
    if (count <= 0)
        return 0;
    const int copied = std::min(count - 1, static_cast<int>(name.size()));
    std::copy(name.begin(), name.begin() + copied, faceName);
    faceName[copied] = 0;
    return copied + 1;
}

int GetTextFaceA(HDC dc, int count, LPSTR faceName) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return 0;
    const std::string name = Utf16ToGbk(FontOf(*context).FaceName());
    if (!faceName)
        return static_cast<int>(name.size()) + 1;
    if (count <= 0)
        return 0;
    const int copied = std::min(count - 1, static_cast<int>(name.size()));
    std::copy(name.begin(), name.begin() + copied, faceName);
    faceName[copied] = 0;
    return copied + 1;
}

BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, LPINT widths) {
    DeviceContext* context = FindDC(dc);
    if (!context || !widths || last < first)
        return FALSE;
    const FontInstance& font = FontOf(*context);
    for (UINT c = first; c <= last; ++c)
        widths[c - first] = font.Advance(c);
    return TRUE;
}

BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, LPINT widths) {
    DeviceContext* context = FindDC(dc);
    if (!context || !widths || last < first)
        return FALSE;
    const FontInstance& font = FontOf(*context);
    for (UINT c = first; c <= last; ++c) {
        // Values above 0xFF name a double-byte character (lead byte high).
        std::string bytes;
        if (c > 0xFF)
            bytes = {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
        else
            bytes = std::string(1, static_cast<char>(c));
        const std::u16string wide = GbkToUtf16(bytes);
        widths[c - first] = wide.empty() ? 0 : font.Advance(wide[0]);
    }
    return TRUE;
}
