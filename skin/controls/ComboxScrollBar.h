#pragma once
// TComboxScrollBar: the skinned vertical bar of a combo box's drop-down list. The list is a
// window of the system that holds the mouse while it is open, so no overlay can lie over its
// bar: the skin paints straight over the bar in the list's window DC, leaves arrows and track
// presses to the system, and drags the thumb in a loop of its own.

#include "skin/controls/WinSubClass.h"

class TComboxScrollBar : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TComboxScrollBar(TComponent* owner);

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    // Paints the vertical bar only, always in its normal frames.
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    // Follows the pointer from a press on the thumb until the button goes up, telling the list
    // each new position; waits for messages between moves.
    void DragThumb(POINT press);

    int m_arrowSize = 0;
};
