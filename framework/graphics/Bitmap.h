#pragma once
// TBitmap: a picture of pixels with a canvas to draw on it. It is held either as a
// device-independent section of a pixel format (rows reachable through ScanLine) or as a
// device bitmap (monochrome or colour). Its handle can be given away (ReleaseHandle) or put to
// sleep (Dormant): the picture is kept and the next use makes a new handle from it.

#include "framework/graphics/BitmapImage.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"

#include <memory>
#include <optional>
#include <string>

class TBitmapCanvas;
class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

const TEnumInfo& PixelFormatIdents();
const TEnumInfo& TransparentModeIdents();

// Raised when the platform cannot make a picture of the asked size.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// Raised when a named resource does not exist.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

class TBitmap : public TGraphic {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Copies another bitmap's picture and settings, or draws another graphic; null empties.
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return m_width == 0 || m_height == 0; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void SetWidth(int width) override { SetSize(width, m_height); }
    void SetHeight(int height) override { SetSize(m_width, height); }
    // Keeps the picture's top-left part; new pixels are white.
    void SetSize(int width, int height);

    TCanvas* Canvas();

    // The handle, made (again) when needed; null for an empty bitmap. It stays the bitmap's.
    HBITMAP Handle();
    // Takes over a bitmap handle; its size and format become the bitmap's.
    void SetHandle(HBITMAP bitmap);
    // Gives the handle to the caller, who must delete it; the bitmap keeps its picture.
    HBITMAP ReleaseHandle();
    // Frees the handle but keeps the picture.
    void Dormant();
    bool HandleAllocated() const { return m_handle != nullptr; }

    TBitmapHandleType HandleType() const { return m_kind.device ? bmDDB : bmDIB; }
    void SetHandleType(TBitmapHandleType type);
    // pfDevice for a device bitmap; pfCustom for a section with unusual masks.
    TPixelFormat PixelFormat() const;
    void SetPixelFormat(TPixelFormat format);
    bool Monochrome() const;
    // A monochrome device bitmap, or back to a colour one.
    void SetMonochrome(bool monochrome);

    // The memory of a row (0 is the top row) of the section; a device bitmap becomes a section
    // first. EInvalidGraphic ("Scan line index out of range") for a row outside the picture.
    void* ScanLine(int row);

    // tmAuto: the bottom-left pixel's colour; tmFixed: the colour set.
    TColor TransparentColor();
    // clDefault switches back to tmAuto.
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);

    // A BMP file at the stream's position; an exhausted stream gives an empty bitmap.
    void LoadFromStream(TStream& stream) override;
    // A BMP file of the picture's own depth (32 bits for a colour device bitmap).
    void SaveToStream(TStream& stream) override;
    // A bitmap of the program's resources (a null instance: the system's, as OBM_CHECK);
    // EResNotFound ("Resource TRACK not found") when there is none.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    friend class TBitmapCanvas;
    // Makes sure a handle exists for a non-empty picture.
    void HandleNeeded();
    // Replaces the picture's handle (taking ownership) after the canvas let go of the old one.
    void Adopt(HBITMAP bitmap, void* bits, int width, int height, const bitmap_image::Kind& kind,
               bool topDown);
    void Convert(const bitmap_image::Kind& kind);
    void FreeCanvasContext();
    void DeleteHandle();

    int m_width = 0;
    int m_height = 0;
    bitmap_image::Kind m_kind;
    HBITMAP m_handle = nullptr;
    void* m_bits = nullptr;
    bool m_topDown = false;
    DWORD m_greenMask = 0;
    // The picture while there is no handle.
    std::optional<bitmap_image::PackedDib> m_dormant;
    std::unique_ptr<TBitmapCanvas> m_canvas;
    TColor m_transparentColor = clDefault;
    TTransparentMode m_transparentMode = tmAuto;
};
