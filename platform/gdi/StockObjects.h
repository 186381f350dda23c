#pragma once
// The stock objects: brushes, pens and fonts of GetStockObject, the 1 x 1 monochrome bitmap
// every memory DC starts with, and the system colour brushes. Made on first use, never
// deleted.

#include "platform/gdi/WinGdi.h"

namespace platform {

class GdiObject;
class Bitmap;
class Brush;
class Pen;
class Font;

// Null for an index without a stock object.
GdiObject* StockObject(int index);
Bitmap* DefaultBitmap();
Brush* SysColorBrush(int index);

} // namespace platform
