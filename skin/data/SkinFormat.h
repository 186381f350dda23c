#pragma once
// The layout of a skin archive. Stored, it is a signed 32-bit little-endian size followed by
// an LZHUF stream; decompressed ("the image"), it is:
//   header      16 bytes: version, length of the name list, two words not interpreted
//   reserved    a block whose size depends on the version, not interpreted
//   name list   entry names, one per line (CR, LF or CR LF), ending at its first NUL
//   size table  one 32-bit little-endian size per name
//   entry data  the entries' bytes, concatenated in name-list order

#include <array>
#include <cstdint>

struct TSkinArchiveHeader {
    std::int32_t Version = 0;
    std::int32_t NamesLength = 0;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
};

constexpr int SkinHeaderSize = 16;
constexpr int SkinMaxEntries = 1001;
// Larger declared sizes are refused before anything is allocated.
constexpr std::int32_t SkinMaxImageSize = 64 * 1024 * 1024;

constexpr std::array<std::int32_t, 6> SkinVersions = {20000, 30000, 40000, 50000, 60000, 70000};

// Size of the reserved block of a version, or -1 for a version this reader does not know.
constexpr int SkinReservedSize(std::int32_t version) {
    switch (version) {
    case 20000:
        return 0;
    case 30000:
        return 256;
    case 40000:
        return 80;
    case 50000:
        return 48;
    case 60000:
        return 117;
    case 70000:
        return 69;
    default:
        return -1;
    }
}
