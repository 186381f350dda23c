#pragma once
// The skin the program wears: the archive the skin builder (tools/skinbuilder) draws and the
// build packs. It is defined by the library quillmere_default_skin, which the program links.

#include <cstdint>
#include <span>

std::span<const std::uint8_t> DefaultSkinArchive();
