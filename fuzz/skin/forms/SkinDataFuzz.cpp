// Loads a whole skin from arbitrary bytes through the skin data component: the archive, its
// description, the elements and their bitmaps, and the images derived from them. The first
// byte picks what the rest is: the stored archive itself (even), or a decompressed image that
// is packed by our encoder first (odd), which reaches the description and the bitmaps far more
// often than random compressed bytes do.

#include "core/MessageSink.h"
#include "platform/display/Headless.h"
#include "skin/data/SkinFormat.h"
#include "skin/data/SkinWrite.h"
#include "skin/forms/WinSkinData.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace {

// Declared sizes above 1 MiB only make each run slow: they decode like smaller ones.
void FoldDeclaredSize(TMemoryStream& archive) {
    if (archive.Size() < 4)
        return;
    std::int32_t declared;
    std::memcpy(&declared, archive.Memory(), 4);
    if (declared > 0xFFFFF && declared <= SkinMaxImageSize) {
        declared &= 0xFFFFF;
        std::memcpy(archive.Memory(), &declared, 4);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QUILLMERE_DISPLAY", "headless", 1);
    platform::headless::Use();
    SetMessageSink([](const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    TSkinData skinData(nullptr);
    TMemoryStream& archive = skinData.SkinArchive();
    if ((data[0] & 1) == 0) {
        archive.WriteBuffer(rest.data(), static_cast<std::int64_t>(rest.size()));
    } else {
        if (rest.size() > SkinMaxImageSize)
            return 0;
        const std::vector<std::uint8_t> packed = PackSkinImage(rest);
        archive.WriteBuffer(packed.data(), static_cast<std::int64_t>(packed.size()));
    }
    FoldDeclaredSize(archive);
    archive.SetPosition(0);
    try {
        if (skinData.LoadSkinData() && skinData.NoSkin() != 0)
            std::abort(); // a loaded skin must say so
    } catch (const Exception&) {
        // An error the component raises is a reported failure, not a fault.
    }
    return 0;
}
