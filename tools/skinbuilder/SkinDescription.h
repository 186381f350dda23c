#pragma once
// The INI description of a skin design: which image each element takes, its frames, margins
// and flags, the caption buttons and the colour table.

#include "SkinTheme.h"

#include <string>

namespace skinbuilder {

// The description text, lines ending with CR LF.
std::string DescribeSkin(const TSkinDesign& design);

} // namespace skinbuilder
