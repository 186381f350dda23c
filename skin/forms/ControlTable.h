#pragma once
// The control mapping's built-in table: framework classes (a class or its descendants) and
// exact class names of other libraries, each with the kind of control the skin data must skin
// and the control skin it gets. The rows are tried from the top; a row whose class matches but
// whose kind is switched off lets the later rows try.

#include <string>

class TComponent;
class TControl;
class TControlMapping;

// Skins the control by the first row that takes it; false when none does. `className` is the
// control's class name in upper case.
bool ApplyBuiltInRow(TControlMapping& mapping, TControl& control, const std::string& className,
                     TComponent* container);

// Whether the control's window bars are the skin's to draw: a windowed control whose window
// has WS_HSCROLL or WS_VSCROLL, or a memo.
bool HasScrolledWindow(TControl& control);
