#pragma once
// Small runtime routines over the platform: file existence, error texts, integer parsing.

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

// True when a file (not a folder) exists at the GBK path.
bool FileExists(const std::string& fileName);

// The platform's message text for an error code, without a trailing line break.
std::string SysErrorMessage(DWORD errorCode);

// The integer of a text in the lenient syntax (TextUtils.h): optional leading blanks, an
// optional sign, then decimal digits or hexadecimal digits after "$" or "0x"; the value must
// fit into 32 bits. StrToInt raises Exception ("'%s' is not a valid integer value") where
// TryStrToInt returns false.
bool TryStrToInt(std::string_view text, int& value);
int StrToInt(std::string_view text);
