#pragma once
// The text `skinpack elements` prints: every element field, caption button and colour of a
// built skin, one line each, in UTF-8.

#include "skin/data/SkinElementSet.h"

#include <ostream>

void PrintSkinElements(const TSkinElements& elements, std::ostream& out);
