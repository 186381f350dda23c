#include "skin/data/SkinRead.h"

#include "core/MessageSink.h"
#include "core/TextUtils.h"
#include "skin/data/LzhDecoder.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr const char* OlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

std::int32_t ReadInt32(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

// The directory of a decompressed archive, checked against the image it came from.
struct TDirectory {
    TStringList names;
    std::vector<std::int32_t> sizes;
    std::int64_t dataStart = 0;
};

// Reads the directory that follows the header. Every length and size is checked against the
// image before it is used.
std::optional<TDirectory> ReadDirectory(const std::uint8_t* image, std::int64_t size,
                                        const TSkinArchiveHeader& header) {
    std::int64_t namesStart = SkinHeaderSize + SkinReservedSize(header.Version);
    if (header.NamesLength < 0 || namesStart + header.NamesLength > size)
        return std::nullopt;

    std::string_view namesText(reinterpret_cast<const char*>(image + namesStart),
                               static_cast<std::size_t>(header.NamesLength));
    namesText = namesText.substr(0, namesText.find('\0'));
    TDirectory directory;
    directory.names.SetText(LowerCase(namesText));
    int count = directory.names.Count();
    if (count > SkinMaxEntries)
        return std::nullopt;

    std::int64_t sizesStart = namesStart + header.NamesLength;
    directory.dataStart = sizesStart + std::int64_t{4} * count;
    if (directory.dataStart > size)
        return std::nullopt;
    std::int64_t total = 0;
    for (int i = 0; i < count; ++i) {
        std::int32_t entrySize = ReadInt32(image + sizesStart + 4 * i);
        if (entrySize < 0)
            return std::nullopt;
        total += entrySize;
        directory.sizes.push_back(entrySize);
    }
    if (directory.dataStart + total > size)
        return std::nullopt;
    return directory;
}

} // namespace

TSkinReader::TSkinReader()
    : entryNames(std::make_unique<TStringList>()), entryData(std::make_unique<TMemoryStream>()) {}

TSkinReader::~TSkinReader() = default;

bool TSkinReader::Decompress(TStream& source, TStream& destination) {
    source.SetPosition(0);
    destination.SetPosition(0);
    std::uint8_t sizeWord[4];
    if (source.Read(sizeWord, 4) != 4)
        return false;
    std::int32_t size = ReadInt32(sizeWord);
    if (size < 0 || size > SkinMaxImageSize)
        return false;
    TLZH().Unpack(
        size,
        [&destination](const void* buffer, int count) {
            return static_cast<int>(destination.Write(buffer, count));
        },
        [&source](void* buffer, int count) { return static_cast<int>(source.Read(buffer, count)); });
    return true;
}

bool TSkinReader::LoadSkin(TStream& stream) {
    TMemoryStream image;
    if (!Decompress(stream, image))
        return false;
    const std::uint8_t* bytes = image.Memory();
    if (image.Size() < SkinHeaderSize)
        return false;
    skinHeader = {ReadInt32(bytes), ReadInt32(bytes + 4), ReadInt32(bytes + 8), ReadInt32(bytes + 12)};
    if (SkinReservedSize(skinHeader.Version) < 0) {
        ShowMessage(OlderSkinMessage);
        return false;
    }
    std::optional<TDirectory> directory = ReadDirectory(bytes, image.Size(), skinHeader);
    if (!directory)
        return false;

    *entryNames = std::move(directory->names);
    entryCount = entryNames->Count();
    entrySizes.fill(0);
    std::copy(directory->sizes.begin(), directory->sizes.end(), entrySizes.begin());
    entryData->Clear();
    entryData->WriteBuffer(bytes + directory->dataStart, image.Size() - directory->dataStart);
    return true;
}

void TSkinReader::CopyEntry(int index, TMemoryStream& destination) const {
    std::int64_t offset = 0;
    for (int i = 0; i < index; ++i)
        offset += entrySizes[i];
    destination.WriteBuffer(entryData->Memory() + offset, entrySizes[index]);
    destination.SetPosition(0);
}

void TSkinReader::GetEntry(std::string_view name, TMemoryStream& destination) const {
    destination.Clear();
    std::string wanted = LowerCase(name);
    for (int i = 0; i < entryCount; ++i) {
        if ((*entryNames)[i] == wanted) {
            CopyEntry(i, destination);
            return;
        }
    }
}

void TSkinReader::FindEntry(std::string_view text, TMemoryStream& destination, std::string& name) const {
    destination.Clear();
    for (int i = 0; i < entryCount; ++i) {
        if ((*entryNames)[i].find(text) != std::string::npos) {
            CopyEntry(i, destination);
            name = (*entryNames)[i];
            return;
        }
    }
}
