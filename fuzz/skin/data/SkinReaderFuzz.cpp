// Loads arbitrary bytes as a skin archive and reads every entry back.

#include "core/MessageSink.h"
#include "core/Stream.h"
#include "skin/data/SkinRead.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool quiet = (SetMessageSink([](const std::string&) {}), true);
    (void)quiet;

    TMemoryStream archive;
    archive.WriteBuffer(data, static_cast<std::int64_t>(size));
    // Declared sizes between 1 MiB and the largest accepted one only make each run slow:
    // they decode like smaller ones. Fold them below 1 MiB; larger and negative ones stay.
    if (size >= 4) {
        std::int32_t declared;
        std::memcpy(&declared, archive.Memory(), 4);
        if (declared > (1 << 20) && declared <= SkinMaxImageSize) {
            declared &= (1 << 20) - 1;
            std::memcpy(archive.Memory(), &declared, 4);
        }
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
