#pragma once
// Colour texts of skin descriptions: up to three decimal numbers (red, green, blue) separated by
// anything that is not a digit, such as "0,128,255" or "0 128 255".

#include "skin/data/ImgUtil.h"

#include <string_view>

// The colour the text names; the default for an empty text. Numbers are cut to 8 bits, missing
// ones count as 0, a fourth and later number is ignored, and a number that ends the text is
// taken (as blue) only when red and green were given before it.
TColor ReadColourText(std::string_view text, TColor defaultColour);
