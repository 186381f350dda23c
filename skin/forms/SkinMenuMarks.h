#pragma once
// The marks of menu items, drawn in one colour: the system's check mark, the radio bullet, and a
// picture of a one-colour image list (the skin's menu glyphs) through its mask.

#include "platform/gdi/WinGdi.h"

class TCustomImageList;

// The check mark (OBM_CHECK) centred in the box.
void DrawMenuCheckMark(HDC dc, const RECT& box, COLORREF colour);
// The radio item's bullet centred in the box.
void DrawMenuBullet(HDC dc, const RECT& box, COLORREF colour);
// The image's opaque pixels in the colour, at (x, y).
void DrawImageInColour(HDC dc, TCustomImageList& images, int index, int x, int y, COLORREF colour);
