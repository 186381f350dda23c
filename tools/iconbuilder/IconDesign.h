#pragma once
// Quillmere's application icon: a globe on a blue tile, crossed by an amber connection between
// two endpoints. Small sizes leave out the globe's finer lines.

#include "IconCanvas.h"

namespace iconbuilder {

IconCanvas DrawQuillmereIcon(int size);

} // namespace iconbuilder
