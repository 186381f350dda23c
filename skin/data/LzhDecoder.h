#pragma once
// TLZH: the LZHUF decoder of skin archives (LZSS over a 4096-byte ring with adaptive Huffman
// coding of literals and match lengths).

#include "core/Exception.h"

#include <cstdint>
#include <functional>

// Raised when the decoder cannot set up its tables or cannot hand on its output.
class ElzhException : public Exception {
public:
    using Exception::Exception;
};

// Each callback moves up to `count` bytes and returns how many it moved. A read that moves
// nothing means the input has ended: the decoder then goes on with zero bits.
using TLzhReadFunc = std::function<int(void* buffer, int count)>;
using TLzhWriteFunc = std::function<int(const void* buffer, int count)>;

class TLZH {
public:
    // Decodes until at least `count` bytes are written. The count is checked before each
    // symbol, so a match that was started is written whole (up to 59 bytes beyond the count).
    // The tables live only for the call.
    void Unpack(std::int32_t count, const TLzhWriteFunc& write, const TLzhReadFunc& read);
};
