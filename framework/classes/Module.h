#pragma once
// The program's own module, whose resources (the built-in bitmaps "TRACK", "TRACKVERT",
// "TRELLISMENU") LoadFromResourceName reads.

#include "platform/base/WinTypes.h"

HINSTANCE HInstance();
