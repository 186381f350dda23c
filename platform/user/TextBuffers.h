#pragma once
// Moving texts between the window manager (which keeps UTF-16) and callers' buffers in code
// page 936 or UTF-16, with the platform's truncation rules.

#include "platform/base/CodePage.h"
#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

namespace platform {

std::u16string_view WideView(LPCWSTR text);
std::u16string WideFromAnsi(LPCSTR text);
std::u16string WideFromAnsi(std::string_view text);

// Copies at most size - 1 units and a terminating zero; a double-byte character is never cut
// in half. Returns the number of units copied (without the zero); 0 when size is 0.
int CopyToBuffer(std::string_view text, LPSTR buffer, int size);
int CopyToBuffer(std::u16string_view text, LPWSTR buffer, int size);

// A name that may be an integer resource value ("MAKEINTATOM"): the text, or "#<number>".
std::u16string NameOrAtomText(LPCSTR name);
std::u16string NameOrAtomText(LPCWSTR name);

} // namespace platform
