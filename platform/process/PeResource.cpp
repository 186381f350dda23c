#include "platform/process/PeResource.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::uint32_t ResourceTypeVersion = 16;
constexpr std::uint32_t SubdirectoryFlag = 0x80000000;
constexpr std::uint32_t MaxResourceSize = 1 << 20; // version resources are a few KB

class FileReader {
public:
    explicit FileReader(int fd) : m_fd(fd) {
        struct stat info {};
        m_size = ::fstat(fd, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    }

    std::uint64_t Size() const { return m_size; }

    bool Read(std::uint64_t offset, void* buffer, std::size_t count) const {
        if (offset > m_size || count > m_size - offset)
            return false;
        auto* out = static_cast<std::uint8_t*>(buffer);
        while (count > 0) {
            ssize_t got = ::pread(m_fd, out, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            out += got;
            offset += static_cast<std::uint64_t>(got);
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

    bool Word(std::uint64_t offset, std::uint16_t& value) const {
        std::uint8_t bytes[2];
        if (!Read(offset, bytes, 2))
            return false;
        value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
        return true;
    }

    bool Dword(std::uint64_t offset, std::uint32_t& value) const {
        std::uint8_t bytes[4];
        if (!Read(offset, bytes, 4))
            return false;
        value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
        return true;
    }

private:
    int m_fd;
    std::uint64_t m_size = 0;
};

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// The file offset of an address of the loaded image, when the address lies in a section's
// data that the file holds.
std::optional<std::uint64_t> FileOffset(const std::vector<Section>& sections, std::uint32_t rva,
                                        std::uint32_t length) {
    for (const Section& section : sections) {
        std::uint32_t extent = section.rawSize;
        if (rva >= section.virtualAddress && rva - section.virtualAddress < extent &&
            length <= extent - (rva - section.virtualAddress))
            return static_cast<std::uint64_t>(section.rawOffset) + (rva - section.virtualAddress);
    }
    return std::nullopt;
}

// Entry `wantedId` of a resource directory (or its first entry when `wantedId` is 0) and the
// offset of what it points to, relative to the resource section's start.
std::optional<std::uint32_t> DirectoryEntry(const FileReader& file, std::uint64_t resourceBase,
                                            std::uint32_t directory, std::uint32_t wantedId,
                                            bool wantSubdirectory) {
    std::uint16_t namedCount = 0;
    std::uint16_t idCount = 0;
    if (!file.Word(resourceBase + directory + 12, namedCount) ||
        !file.Word(resourceBase + directory + 14, idCount))
        return std::nullopt;
    std::uint32_t entries = static_cast<std::uint32_t>(namedCount) + idCount;
    for (std::uint32_t i = 0; i < entries; ++i) {
        std::uint64_t entry = resourceBase + directory + 16 + 8ull * i;
        std::uint32_t name = 0;
        std::uint32_t target = 0;
        if (!file.Dword(entry, name) || !file.Dword(entry + 4, target))
            return std::nullopt;
        bool isId = (name & SubdirectoryFlag) == 0;
        if (wantedId != 0 && (!isId || name != wantedId))
            continue;
        if (((target & SubdirectoryFlag) != 0) != wantSubdirectory)
            return std::nullopt;
        return target & ~SubdirectoryFlag;
    }
    return std::nullopt;
}

} // namespace

PeVersionResult ReadPeVersionResource(int fd, std::vector<std::uint8_t>& resource) {
    FileReader file(fd);
    std::uint16_t dosMagic = 0;
    std::uint32_t peOffset = 0;
    std::uint32_t peSignature = 0;
    if (!file.Word(0, dosMagic) || dosMagic != 0x5A4D || !file.Dword(0x3C, peOffset) ||
        !file.Dword(peOffset, peSignature) || peSignature != 0x00004550)
        return PeVersionResult::NotPe;

    std::uint64_t coff = static_cast<std::uint64_t>(peOffset) + 4;
    std::uint16_t sectionCount = 0;
    std::uint16_t optionalSize = 0;
    std::uint16_t optionalMagic = 0;
    if (!file.Word(coff + 2, sectionCount) || !file.Word(coff + 16, optionalSize) ||
        !file.Word(coff + 20, optionalMagic))
        return PeVersionResult::NoResource;
    std::uint64_t optional = coff + 20;
    // The data directories follow the PE32 or PE32+ optional header; entry 2 is resources.
    std::uint64_t directories = optional + (optionalMagic == 0x20B ? 112 : 96);
    std::uint32_t directoryCount = 0;
    if ((optionalMagic != 0x10B && optionalMagic != 0x20B) || !file.Dword(directories - 4, directoryCount) ||
        directoryCount < 3 || directories + 3 * 8 > optional + optionalSize)
        return PeVersionResult::NoResource;
    std::uint32_t resourceRva = 0;
    std::uint32_t resourceSize = 0;
    if (!file.Dword(directories + 16, resourceRva) || !file.Dword(directories + 20, resourceSize) ||
        resourceRva == 0)
        return PeVersionResult::NoResource;

    std::vector<Section> sections;
    std::uint64_t sectionTable = optional + optionalSize;
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        std::uint64_t header = sectionTable + 40ull * i;
        Section section{};
        if (!file.Dword(header + 8, section.virtualSize) ||
            !file.Dword(header + 12, section.virtualAddress) || !file.Dword(header + 16, section.rawSize) ||
            !file.Dword(header + 20, section.rawOffset))
            return PeVersionResult::NoResource;
        sections.push_back(section);
    }
    auto resourceBase = FileOffset(sections, resourceRva, 16);
    if (!resourceBase)
        return PeVersionResult::NoResource;

    // Type RT_VERSION, then its first name, then its first language: a data entry.
    auto names = DirectoryEntry(file, *resourceBase, 0, ResourceTypeVersion, true);
    auto languages = names ? DirectoryEntry(file, *resourceBase, *names, 0, true) : std::nullopt;
    auto dataEntry = languages ? DirectoryEntry(file, *resourceBase, *languages, 0, false) : std::nullopt;
    std::uint32_t dataRva = 0;
    std::uint32_t dataSize = 0;
    if (!dataEntry || !file.Dword(*resourceBase + *dataEntry, dataRva) ||
        !file.Dword(*resourceBase + *dataEntry + 4, dataSize) || dataSize == 0 || dataSize > MaxResourceSize)
        return PeVersionResult::NoResource;
    auto dataOffset = FileOffset(sections, dataRva, dataSize);
    if (!dataOffset)
        return PeVersionResult::NoResource;
    resource.resize(dataSize);
    if (!file.Read(*dataOffset, resource.data(), dataSize))
        return PeVersionResult::NoResource;
    return PeVersionResult::Found;
}

} // namespace platform
