#pragma once
// The bitmaps compiled into the program: the system's (OBM_CHECK) and the program's own named
// resources (TRACK, TRACKVERT, TRELLISMENU). Their sources are text pictures under
// resources/bitmaps; the build embeds the texts and they are read here on first use.
//
// A picture text: `name NAME` (or `system ID` for a system bitmap), `bits N` (1 for a
// monochrome bitmap; 4, 8 or 24 for colour), one `colour C RRGGBB` line per character used,
// then `rows` and one line of characters per pixel row. `#` starts a comment before `rows`.

#include "platform/base/WinTypes.h"
#include "platform/gdi/PixelSurface.h"

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

struct BuiltinBitmapText {
    const char* fileName;
    const char* text;
};

// Filled in by the build from resources/bitmaps.
extern const BuiltinBitmapText BuiltinBitmapTexts[];
extern const std::size_t BuiltinBitmapTextCount;

struct BuiltinBitmap {
    std::string name; // empty for a system bitmap
    WORD systemId = 0;
    int bitsPerPixel = 0;
    std::unique_ptr<PixelSurface> pixels;
};

// The program's bitmap of that name (compared without case), or null.
const BuiltinBitmap* FindBuiltinBitmap(const std::string& name);
// The system bitmap with that OBM_ identifier, or null.
const BuiltinBitmap* FindSystemBitmap(WORD id);

} // namespace platform
