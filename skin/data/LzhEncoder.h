#pragma once
// Our LZHUF encoder: greedy LZSS matching over the same 4096-byte ring the decoder keeps
// (spaces included), then the same adaptive Huffman coding. Its output decodes with TLZH.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The LZHUF bit stream of the bytes (without the length word of a skin archive).
std::vector<std::uint8_t> LzhPack(std::span<const std::uint8_t> data);
