// GetStockObject, SelectObject, DeleteObject, GetObject and their kin.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/StockObjects.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstring>

using namespace platform;

namespace {

// Copies `size` bytes at most of `value`; answers the bytes copied, or the full size when the
// buffer is null.
template <typename Value>
int CopyOut(const Value& value, int size, LPVOID buffer) {
    if (!buffer)
        return static_cast<int>(sizeof(Value));
    if (size <= 0)
        return 0;
    const int copied = std::min(size, static_cast<int>(sizeof(Value)));
    std::memcpy(buffer, &value, static_cast<std::size_t>(copied));
    return copied;
}

int GetBitmapObject(const Bitmap& bitmap, int size, LPVOID buffer) {
    if (bitmap.IsDibSection() && (size >= static_cast<int>(sizeof(DIBSECTION)) || !buffer)) {
        if (!buffer)
            return static_cast<int>(sizeof(DIBSECTION));
        DIBSECTION section{};
        bitmap.FillBitmapInfo(section.dsBm);
        const DibLayout& layout = *bitmap.Layout();
        section.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        section.dsBmih.biWidth = layout.width;
        section.dsBmih.biHeight = layout.topDown ? -layout.height : layout.height;
        section.dsBmih.biPlanes = 1;
        section.dsBmih.biBitCount = static_cast<WORD>(layout.bitsPerPixel);
        section.dsBmih.biCompression = layout.compression;
        section.dsBmih.biSizeImage = static_cast<DWORD>(layout.ImageSize());
        section.dsBmih.biClrUsed = static_cast<DWORD>(layout.palette.size());
        for (int i = 0; i < 3; ++i)
            section.dsBitfields[i] = layout.compression == BI_BITFIELDS ? layout.masks[i] : 0;
        return CopyOut(section, size, buffer);
    }
    BITMAP info{};
    bitmap.FillBitmapInfo(info);
    return CopyOut(info, size, buffer);
}

int GetPenObject(const Pen& pen, int size, LPVOID buffer) {
    if (pen.IsExtended()) {
        EXTLOGPEN extended{};
        extended.elpPenStyle = static_cast<DWORD>(pen.FullStyle());
        extended.elpWidth = static_cast<DWORD>(pen.Width());
        extended.elpBrushStyle = BS_SOLID;
        extended.elpColor = pen.Color();
        // The variable-length style array is empty: its one declared entry is not reported.
        const int fixedSize = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry));
        if (!buffer)
            return fixedSize;
        const int copied = std::min(size, fixedSize);
        std::memcpy(buffer, &extended, static_cast<std::size_t>(std::max(copied, 0)));
        return std::max(copied, 0);
    }
    LOGPEN logical{static_cast<UINT>(pen.FullStyle()), POINT{pen.Width(), 0}, pen.Color()};
    return CopyOut(logical, size, buffer);
}

} // namespace

HGDIOBJ GetStockObject(int index) {
    GdiObject* object = StockObject(index);
    return object ? object->Handle() : nullptr;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* context = FindDC(dc);
    GdiObject* selected = FindGdiObject(object);
    if (!context || !selected) {
        SetLastError(ERROR_INVALID_HANDLE);
        return selected && selected->ObjectType() == OBJ_REGION ? HGDI_ERROR : nullptr;
    }
    if (selected->ObjectType() == OBJ_REGION) {
        const int result = SelectClipRgn(dc, static_cast<HRGN>(object));
        return result == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(result));
    }
    return context->Select(selected);
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* found = FindGdiObject(object);
    // Device contexts go with DeleteDC, icons with DestroyIcon.
    if (!found || found->ObjectType() == OBJ_DC || found->ObjectType() == OBJ_MEMDC ||
        found->ObjectType() == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return DeleteGdiObject(found) ? TRUE : FALSE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    GdiObject* found = FindGdiObject(object);
    if (!found)
        return 0;
    switch (found->ObjectType()) {
    case OBJ_BITMAP:
        return GetBitmapObject(*static_cast<Bitmap*>(found), size, buffer);
    case OBJ_BRUSH:
        return CopyOut(static_cast<Brush*>(found)->Describe(), size, buffer);
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return GetPenObject(*static_cast<Pen*>(found), size, buffer);
    case OBJ_FONT:
        return CopyOut(static_cast<Font*>(found)->LogicalA(), size, buffer);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
    GdiObject* found = FindGdiObject(object);
    if (found && found->ObjectType() == OBJ_FONT)
        return CopyOut(static_cast<Font*>(found)->Logical(), size, buffer);
    return GetObjectA(object, size, buffer);
}

DWORD GetObjectType(HGDIOBJ object) {
    GdiObject* found = FindGdiObject(object);
    return found ? found->ObjectType() : 0;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return nullptr;
    const DcState& state = context->State();
    switch (type) {
    case OBJ_BITMAP:
        return state.bitmap ? state.bitmap->Handle() : nullptr;
    case OBJ_BRUSH:
        return state.brush ? state.brush->Handle() : nullptr;
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return state.pen ? state.pen->Handle() : nullptr;
    case OBJ_FONT:
        return state.font ? state.font->Handle() : nullptr;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}
