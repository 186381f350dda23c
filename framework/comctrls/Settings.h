#pragma once
// What the setters of the common-control wrappers share.

#include "framework/controls/Control.h"

// Stores a new value; true when it differs from the one it replaces.
template <typename T>
bool ChangeSetting(T& slot, const T& value) {
    if (slot == value)
        return false;
    slot = value;
    return true;
}

// A bar turned between horizontal and vertical keeps its proportions: width and height swap
// (not while loading, whose stored bounds are already the turned ones).
inline void TurnSides(TControl& control) {
    if (!control.ComponentState().Contains(csLoading))
        control.SetBounds(control.Left(), control.Top(), control.Height(), control.Width());
}
