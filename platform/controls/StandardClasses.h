#pragma once
// The standard control classes of the platform ("BUTTON", "STATIC", "EDIT", "LISTBOX",
// "COMBOBOX", "SCROLLBAR", dialogs), registered as system classes on the first class
// look-up. The common controls register theirs through InitCommonControlsEx instead.

namespace platform {

void RegisterStandardControlClasses();

} // namespace platform
