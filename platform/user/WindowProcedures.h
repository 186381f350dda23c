#pragma once
// Calling window procedures. A procedure expects its messages in one character set; a message
// sent in the other one is converted on the way (texts, creation records, characters), as the
// platform does. Procedure values handed out through the 32-bit calls, or in the character
// set the procedure does not use, are small cookies that CallWindowProc understands.

#include "platform/user/Window.h"

#include <optional>

namespace platform {

// The value to give a caller asking in one character set: the function itself when the sets
// agree, else a cookie.
LONG_PTR ProcedureValue(Procedure procedure, bool askUnicode);
// A cookie that fits in 32 bits; 0 for no procedure.
LONG ProcedureCookie(Procedure procedure);
bool IsProcedureCookie(LONG_PTR value);
// The procedure a caller's value stands for: a cookie, or a function taken to use the
// caller's character set. Nothing for 0.
std::optional<Procedure> ProcedureFromValue(LONG_PTR value, bool callerUnicode);

LRESULT CallProcedure(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      bool argsUnicode);
// Sends a message to the window's current procedure.
LRESULT SendToWindow(Window& window, UINT message, WPARAM wParam, LPARAM lParam, bool argsUnicode = true);

// The character-set conversion itself (MessageConversion.cpp).
LRESULT CallWithConversion(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           bool argsUnicode);

} // namespace platform
