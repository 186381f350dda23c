#pragma once
// The special-purpose ranges laid over the GeoIP data (private networks, loopback,
// documentation, multicast, a few public resolvers): resources/qqwry/sample.txt, built into
// the program as UTF-8 text.

#include <string_view>

std::string_view SpecialRangesText();
