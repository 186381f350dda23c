#pragma once
// The classic look of the "BUTTON" control: raised push buttons (a black outline for the
// default one, pushed in while pressed), check boxes and radio buttons beside their text,
// etched group boxes, greyed text when disabled and a dotted focus rectangle.

#include "platform/base/WinTypes.h"

#include <string>

namespace platform {

// What a button shows at one moment.
struct ButtonLook {
    DWORD style = 0;
    UINT check = 0; // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    bool pushed = false;
    bool focused = false;
    bool enabled = true;
    HANDLE image = nullptr; // with BS_BITMAP or BS_ICON
    UINT imageType = 0;     // IMAGE_BITMAP or IMAGE_ICON
    std::u16string text;
};

// Paints the whole client rectangle of every kind but owner-drawn buttons. The DC carries the
// control's font and text colour; background is the brush the parent answered.
void PaintButton(HDC dc, const RECT& client, const ButtonLook& look, HBRUSH background);

// The side of the box of a check box (radio buttons use one pixel less).
constexpr int CheckBoxSize = 13;

} // namespace platform
