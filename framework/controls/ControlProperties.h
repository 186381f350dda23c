#pragma once
// The published appearance the common-control wrappers share, ahead of a class's own
// properties in its table.

#include "framework/classes/PropInfo.h"

#include <vector>

std::vector<TPropInfo> CommonControlProperties(std::vector<TPropInfo> own);
