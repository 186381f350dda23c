#include "platform/process/VersionInfo.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/FileSearch.h"
#include "platform/process/PackageIndex.h"
#include "platform/process/PeResource.h"
#include "platform/process/VersionTree.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <list>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::VersionNode;

VersionNode TextNode(std::string key, std::string text) {
    VersionNode node;
    node.key = std::move(key);
    node.isText = true;
    node.text = std::move(text);
    return node;
}

VersionNode BranchNode(std::string key) {
    VersionNode node;
    node.key = std::move(key);
    node.isText = true; // branches of the string table carry an empty value
    return node;
}

// "2.38.1-5+deb12u1" -> 2, 38, 1, 5: the first four runs of digits, high words first.
void PackageVersionNumbers(const std::string& version, DWORD& high, DWORD& low) {
    DWORD parts[4] = {};
    int count = 0;
    const char* cursor = version.c_str();
    if (const char* colon = std::strchr(cursor, ':'))
        cursor = colon + 1; // the epoch is not part of the version
    while (*cursor && count < 4) {
        if (*cursor >= '0' && *cursor <= '9') {
            char* end = nullptr;
            parts[count++] = static_cast<DWORD>(std::strtoul(cursor, &end, 10) & 0xFFFF);
            cursor = end;
        } else {
            ++cursor;
        }
    }
    high = (parts[0] << 16) | parts[1];
    low = (parts[2] << 16) | parts[3];
}

VersionNode PackageVersionTree(const platform::PackageFacts& facts, const std::string& path) {
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    PackageVersionNumbers(facts.version, fixed.dwFileVersionMS, fixed.dwFileVersionLS);
    fixed.dwProductVersionMS = fixed.dwFileVersionMS;
    fixed.dwProductVersionLS = fixed.dwFileVersionLS;
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_UNKNOWN;
    fixed.dwFileType = VFT_APP;

    VersionNode root;
    root.key = "VS_VERSION_INFO";
    const auto* fixedBytes = reinterpret_cast<const std::uint8_t*>(&fixed);
    root.bytes.assign(fixedBytes, fixedBytes + sizeof fixed);

    VersionNode table = BranchNode("040904B0");
    auto add = [&](const char* key, const std::string& utf8) {
        table.children.push_back(TextNode(key, platform::Utf8ToGbk(utf8)));
    };
    add("CompanyName", facts.maintainer);
    add("FileDescription", facts.description);
    add("FileVersion", facts.version);
    add("InternalName", facts.package);
    add("OriginalFilename", path.substr(path.rfind('/') + 1));
    add("ProductName", facts.package);
    add("ProductVersion", facts.version);
    VersionNode strings = BranchNode("StringFileInfo");
    strings.children.push_back(std::move(table));

    VersionNode translation;
    translation.key = "Translation";
    translation.bytes = {0x09, 0x04, 0xB0, 0x04};
    VersionNode variables = BranchNode("VarFileInfo");
    variables.children.push_back(std::move(translation));

    root.children.push_back(std::move(strings));
    root.children.push_back(std::move(variables));
    return root;
}

// The GBK block of a file, or an error code. Blocks of recently asked files are kept with the
// file's identity and time stamps (and the package database's), so the size query and the
// read that follows it, and the rows of one listing that name the same program, do not read
// the file again.
struct CachedBlock {
    std::string path;
    dev_t device;
    ino_t inode;
    off_t size;
    struct timespec modified;
    platform::PackageDatabaseStamp packages;
    DWORD error;
    std::vector<std::uint8_t> block;

    bool Describes(const std::string& otherPath, const struct stat& info,
                   const platform::PackageDatabaseStamp& otherPackages) const {
        return path == otherPath && device == info.st_dev && inode == info.st_ino && size == info.st_size &&
               modified.tv_sec == info.st_mtim.tv_sec && modified.tv_nsec == info.st_mtim.tv_nsec &&
               packages == otherPackages;
    }
};

constexpr std::size_t CacheSize = 64;
constexpr std::size_t MaxBlockSize = 0xFFFF; // the root's length is a 16-bit field

std::list<CachedBlock>& Cache() {
    static std::list<CachedBlock> cache;
    return cache;
}

DWORD BuildBlock(int fd, const std::string& path, std::vector<std::uint8_t>& block) {
    std::vector<std::uint8_t> resource;
    switch (platform::ReadPeVersionResource(fd, resource)) {
    case platform::PeVersionResult::Found:
        if (auto tree = platform::ParseVersionResource(resource)) {
            block = platform::SerializeAnsiBlock(*tree);
            return block.size() <= MaxBlockSize ? ERROR_SUCCESS : ERROR_RESOURCE_DATA_NOT_FOUND;
        }
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    case platform::PeVersionResult::NoResource:
        return ERROR_RESOURCE_TYPE_NOT_FOUND;
    case platform::PeVersionResult::NotPe:
        break;
    }
    auto facts = platform::FindOwningPackage(path);
    if (!facts)
        return ERROR_RESOURCE_TYPE_NOT_FOUND;
    block = platform::SerializeAnsiBlock(PackageVersionTree(*facts, path));
    return block.size() <= MaxBlockSize ? ERROR_SUCCESS : ERROR_RESOURCE_DATA_NOT_FOUND;
}

// Finds the file and its block; null with the last error set when there is none.
const std::vector<std::uint8_t>* VersionBlock(LPCSTR fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string path = platform::SearchFile(platform::GbkToUtf8(fileName));
    int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    platform::PackageDatabaseStamp packages = platform::ReadPackageDatabaseStamp();
    auto& cache = Cache();
    auto it = std::find_if(cache.begin(), cache.end(),
                           [&](const CachedBlock& entry) { return entry.Describes(path, info, packages); });
    if (it != cache.end()) {
        cache.splice(cache.begin(), cache, it);
    } else {
        CachedBlock entry{path,         info.st_dev, info.st_ino,   info.st_size,
                          info.st_mtim, packages,    ERROR_SUCCESS, {}};
        entry.error = BuildBlock(fd, path, entry.block);
        cache.push_front(std::move(entry));
        if (cache.size() > CacheSize)
            cache.pop_back();
    }
    ::close(fd);
    if (cache.front().error != ERROR_SUCCESS) {
        SetLastError(cache.front().error);
        return nullptr;
    }
    return &cache.front().block;
}

} // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
    if (handle)
        *handle = 0;
    const std::vector<std::uint8_t>* block = VersionBlock(fileName);
    return block ? static_cast<DWORD>(block->size()) : 0;
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD, DWORD length, LPVOID data) {
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<std::uint8_t>* block = VersionBlock(fileName);
    if (!block)
        return FALSE;
    std::size_t count = std::min<std::size_t>(length, block->size());
    std::memcpy(data, block->data(), count);
    if (count < block->size() && count >= 2) {
        // The root's length must not promise more than the buffer holds.
        auto* bytes = static_cast<std::uint8_t*>(data);
        bytes[0] = static_cast<std::uint8_t>(count & 0xFF);
        bytes[1] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
    }
    return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* value, UINT* length) {
    if (!block || !subBlock || !value || !length) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    std::size_t blockSize = bytes[0] | (bytes[1] << 8);
    const void* found = nullptr;
    if (!platform::QueryAnsiBlock(bytes, blockSize, subBlock, &found, length)) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    *value = const_cast<void*>(found);
    return TRUE;
}
