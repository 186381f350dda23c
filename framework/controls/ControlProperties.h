#pragma once
// The published appearance the control wrappers share, ahead of a class's own properties in
// its table.

#include "framework/classes/PropInfo.h"

#include <vector>

// Color, Font, ParentColor, ParentFont, BiDiMode, OnClick and OnMouseDown, then `own`.
std::vector<TPropInfo> AppearanceProperties(std::vector<TPropInfo> own);
// The appearance with ParentBackground, then `own`: the standard and common controls' list.
std::vector<TPropInfo> CommonControlProperties(std::vector<TPropInfo> own);
