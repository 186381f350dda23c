#pragma once
// Owner-drawn controls use the records of the window manager's owner drawing.

#include "platform/user/OwnerDraw.h"
