#include "skin/data/SkinWrite.h"

#include "skin/data/LzhEncoder.h"
#include "skin/data/SkinFormat.h"

namespace {

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int64_t value) {
    auto word = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(word >> shift));
}

} // namespace

std::vector<std::uint8_t> BuildSkinImage(std::int32_t version, const std::vector<TSkinEntry>& entries) {
    int reserved = SkinReservedSize(version);
    if (reserved < 0)
        throw Exception("unknown skin archive version " + std::to_string(version));
    if (entries.size() > SkinMaxEntries)
        throw Exception("a skin archive holds at most " + std::to_string(SkinMaxEntries) + " entries");

    std::string names;
    std::int64_t dataSize = 0;
    for (const TSkinEntry& entry : entries) {
        if (entry.Name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw Exception("an entry name cannot hold a line break or a NUL");
        names += entry.Name;
        names += "\r\n";
        dataSize += static_cast<std::int64_t>(entry.Data.size());
    }
    std::int64_t imageSize = SkinHeaderSize + reserved + static_cast<std::int64_t>(names.size()) +
                             4 * static_cast<std::int64_t>(entries.size()) + dataSize;
    if (imageSize > SkinMaxImageSize)
        throw Exception("a skin archive holds at most " + std::to_string(SkinMaxImageSize) + " bytes");

    std::vector<std::uint8_t> image;
    image.reserve(static_cast<std::size_t>(imageSize));
    AppendInt32(image, version);
    AppendInt32(image, static_cast<std::int64_t>(names.size()));
    AppendInt32(image, 0);
    AppendInt32(image, 0);
    image.insert(image.end(), static_cast<std::size_t>(reserved), 0);
    image.insert(image.end(), names.begin(), names.end());
    for (const TSkinEntry& entry : entries)
        AppendInt32(image, static_cast<std::int64_t>(entry.Data.size()));
    for (const TSkinEntry& entry : entries)
        image.insert(image.end(), entry.Data.begin(), entry.Data.end());
    return image;
}

std::vector<std::uint8_t> PackSkinImage(std::span<const std::uint8_t> image) {
    std::vector<std::uint8_t> archive;
    AppendInt32(archive, static_cast<std::int64_t>(image.size()));
    std::vector<std::uint8_t> stream = LzhPack(image);
    archive.insert(archive.end(), stream.begin(), stream.end());
    return archive;
}
