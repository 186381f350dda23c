#include "platform/process/PackageLists.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string MaintainerName(const std::string& maintainer) {
    std::string name = maintainer.substr(0, maintainer.find('<'));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.pop_back();
    return name;
}

// Appends the whole file to `into`, read straight into place; false when it cannot be opened.
bool AppendFile(int folder, const char* name, std::string& into) {
    int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    std::size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    std::size_t start = into.size();
    std::size_t capacity = expected + 1; // one more byte, so the end of the file is seen in one pass
    for (;;) {
        into.resize(start + capacity);
        ssize_t got = ::read(fd, into.data() + start, capacity);
        if (got <= 0) {
            into.resize(start);
            break;
        }
        start += static_cast<std::size_t>(got);
        capacity = std::max<std::size_t>(capacity - static_cast<std::size_t>(got), 4096);
    }
    ::close(fd);
    return true;
}

void ReadStatus(const std::string& root, PackageLists& index) {
    std::string text;
    if (!AppendFile(AT_FDCWD, (root + "/status").c_str(), text))
        return;
    PackageFacts facts;
    std::string_view architecture;
    bool installed = false;
    auto finish = [&] {
        if (installed && !facts.package.empty()) {
            index.packages[facts.package + ":" + std::string(architecture)] = facts;
            index.packages.emplace(facts.package, facts);
        }
        facts = {};
        architecture = {};
        installed = false;
    };
    const std::string_view all = text;
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = std::min(all.find('\n', start), all.size());
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        auto valueOf = [&](std::string_view field) { return std::string(line.substr(field.size())); };
        if (line.empty()) {
            finish();
        } else if (line.starts_with("Package: ")) {
            facts.package = valueOf("Package: ");
        } else if (line.starts_with("Status: ")) {
            installed = line.ends_with(" installed");
        } else if (line.starts_with("Architecture: ")) {
            architecture = line.substr(std::string_view("Architecture: ").size());
        } else if (line.starts_with("Version: ")) {
            facts.version = valueOf("Version: ");
        } else if (line.starts_with("Maintainer: ")) {
            facts.maintainer = MaintainerName(valueOf("Maintainer: "));
        } else if (line.starts_with("Description: ")) {
            facts.description = valueOf("Description: ");
        }
    }
    finish();
}

// The lines go into buckets by the hash of their file name, each bucket in list order: a
// counting pass, then a placing pass from the end, cheaper than sorting the hundred thousand
// lines. Offsets and hashes take 32 bits: the tables stay small enough to build quickly.
void IndexLines(PackageLists& index) {
    const std::string_view lists = index.lists;
    if (lists.size() > std::numeric_limits<std::uint32_t>::max())
        return;
    std::vector<PackageLine> found;
    found.reserve(lists.size() / 48);
    for (std::size_t start = 0; start < lists.size();) {
        const char* newline =
            static_cast<const char*>(std::memchr(lists.data() + start, '\n', lists.size() - start));
        std::size_t end = newline ? static_cast<std::size_t>(newline - lists.data()) : lists.size();
        std::string_view line = lists.substr(start, end - start);
        if (line.size() > 1 && line[0] == '/')
            found.push_back({PackageNameHash(PackageFileName(line)), static_cast<std::uint32_t>(start)});
        start = end + 1;
    }
    const std::size_t bucketCount = std::bit_ceil(std::max<std::size_t>(found.size() / 2, 1));
    index.bucketMask = static_cast<std::uint32_t>(bucketCount - 1);
    // Counted into the slot after each bucket, summed into where each bucket ends.
    index.bucketStarts.assign(bucketCount + 1, 0);
    for (const PackageLine& line : found)
        ++index.bucketStarts[(line.hash & index.bucketMask) + 1];
    for (std::size_t bucket = 0; bucket < bucketCount; ++bucket)
        index.bucketStarts[bucket + 1] += index.bucketStarts[bucket];
    for (std::size_t bucket = 0; bucket < bucketCount; ++bucket)
        index.bucketStarts[bucket] = index.bucketStarts[bucket + 1];
    // Placing the lines from the last down moves each bucket's end back to its start.
    index.lines.resize(found.size());
    for (auto line = found.rbegin(); line != found.rend(); ++line)
        index.lines[--index.bucketStarts[line->hash & index.bucketMask]] = *line;
}

// The lists are read into one text whose size is known ahead, so it is allocated once.
void ReadFileLists(const std::string& root, PackageLists& index) {
    std::string infoFolder = root + "/info";
    DIR* folder = ::opendir(infoFolder.c_str());
    if (!folder)
        return;
    std::vector<std::string> names;
    std::size_t total = 0;
    while (dirent* item = ::readdir(folder)) {
        std::string_view name = item->d_name;
        struct stat info {};
        if (!name.ends_with(".list") || ::fstatat(::dirfd(folder), item->d_name, &info, 0) != 0)
            continue;
        names.emplace_back(name);
        total += static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 1;
    }
    index.lists.reserve(total);
    for (const std::string& name : names) {
        std::size_t start = index.lists.size();
        if (!AppendFile(::dirfd(folder), name.c_str(), index.lists))
            continue;
        index.listStarts.push_back(start);
        index.listPackages.emplace_back(name, 0, name.size() - 5);
        if (index.lists.size() > start && index.lists.back() != '\n')
            index.lists += '\n';
    }
    ::closedir(folder);
    IndexLines(index);
}

} // namespace

std::uint32_t PackageNameHash(std::string_view name) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

std::string_view PackageFileName(std::string_view path) {
    return path.substr(path.rfind('/') + 1);
}

std::unique_ptr<PackageLists> ReadPackageLists(const std::string& root, const PackageDatabaseStamp& stamp) {
    auto index = std::make_unique<PackageLists>();
    index->stamp = stamp;
    if (stamp.valid) {
        ReadStatus(root, *index);
        ReadFileLists(root, *index);
    }
    return index;
}

} // namespace platform
