// Loads arbitrary bytes as a skin archive and reads every entry back. The first byte picks
// what the rest is: the stored archive itself (even), or a decompressed image that is packed
// by our encoder first (odd), which reaches the directory checks far more often.

#include "core/MessageSink.h"
#include "core/Stream.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace {

// Declared sizes between 64 KiB and the largest accepted one only make each run slow: they
// decode like smaller ones. Fold them below 64 KiB; larger and negative ones stay.
void FoldDeclaredSize(TMemoryStream& archive) {
    if (archive.Size() < 4)
        return;
    std::int32_t declared;
    std::memcpy(&declared, archive.Memory(), 4);
    if (declared > 0xFFFF && declared <= SkinMaxImageSize) {
        declared &= 0xFFFF;
        std::memcpy(archive.Memory(), &declared, 4);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool quiet = (SetMessageSink([](const std::string&) {}), true);
    (void)quiet;
    if (size == 0)
        return 0;

    std::span<const std::uint8_t> rest(data + 1, size - 1);
    TMemoryStream archive;
    if (data[0] & 1) {
        std::vector<std::uint8_t> stored = PackSkinImage(rest);
        archive.WriteBuffer(stored.data(), static_cast<std::int64_t>(stored.size()));
    } else {
        archive.WriteBuffer(rest.data(), static_cast<std::int64_t>(rest.size()));
        FoldDeclaredSize(archive);
    }

    TSkinReader reader;
    if (reader.LoadSkin(archive)) {
        TMemoryStream entry;
        for (int i = 0; i < reader.EntryCount(); ++i)
            reader.GetEntry(reader.EntryNames()[i], entry);
        std::string name;
        reader.FindEntry(".ini", entry, name);
    }
    return 0;
}
