#pragma once
// Which messages of the platform's controls carry texts, so that a message sent in one
// character set to a procedure of the other is converted as WM_SETTEXT and WM_GETTEXT are.
// Controls add their own text messages here.

#include "platform/base/WinTypes.h"

namespace platform {

enum class ControlTextKind {
    None,
    In,     // lParam is a text the control reads
    Out,    // lParam is a buffer the control fills
    Length, // the answer is a text length
};

struct ControlTextMessage {
    ControlTextKind kind = ControlTextKind::None;
    // For Out and Length: the messages that read the text and its length by wParam.
    UINT textMessage = 0;
    UINT lengthMessage = 0;
};

ControlTextMessage ControlTextOf(HWND window, UINT message);

// Window properties that mark the windows the list box and combo box procedures made, so that a
// window of a superclass (another class name, the same procedure behind its own) is known too.
constexpr const char* ListBoxMark = "QuillmereListBox";
constexpr const char* ComboBoxMark = "QuillmereComboBox";

} // namespace platform
