#include "platform/process/PackageIndex.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

struct Index {
    std::string root = "/var/lib/dpkg";
    PackageDatabaseStamp stamp;
    bool built = false;
    int buildCount = 0;
    std::unordered_map<std::string, PackageFacts> packages; // by "name" and "name:arch"
    // Every file list as read, one after the other, each line ended by a line feed, and the
    // lines by the hash of their file name (the part after the last "/"), in list order. A
    // look-up resolves only the listed paths of the file's name, instead of resolving and
    // indexing each of the hundred thousand paths ahead for the few that are asked about.
    std::string lists;
    std::vector<std::pair<std::size_t, std::size_t>> lines; // (name hash, line start) by bucket
    std::vector<std::size_t> bucketStarts;                  // where each bucket begins in `lines`
    std::size_t bucketMask = 0;                             // bucket of a hash: hash & bucketMask
    std::vector<std::size_t> listStarts;                    // where each list begins in `lists`
    std::vector<std::string> listPackages;                  // and its package key ("name:arch")
    std::unordered_map<std::string, std::string> folders;   // folder -> resolved folder
};

Index& TheIndex() {
    static Index index;
    return index;
}

PackageDatabaseStamp ReadStamp(const std::string& root) {
    PackageDatabaseStamp stamp;
    struct stat status {};
    struct stat info {};
    if (::stat((root + "/status").c_str(), &status) == 0 && ::stat((root + "/info").c_str(), &info) == 0) {
        stamp.statusSeconds = status.st_mtim.tv_sec;
        stamp.statusNanoseconds = status.st_mtim.tv_nsec;
        stamp.infoSeconds = info.st_mtim.tv_sec;
        stamp.infoNanoseconds = info.st_mtim.tv_nsec;
        stamp.valid = true;
    }
    return stamp;
}

const std::string& ResolvedFolder(Index& index, const std::string& folder) {
    auto it = index.folders.find(folder);
    if (it != index.folders.end())
        return it->second;
    char buffer[PATH_MAX];
    std::string resolved = ::realpath(folder.c_str(), buffer) ? std::string(buffer) : folder;
    return index.folders.emplace(folder, std::move(resolved)).first->second;
}

// The path with its folder resolved: "/bin/ls" -> "/usr/bin/ls" on a /usr-merged system.
std::string WithResolvedFolder(Index& index, const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return path;
    const std::string& folder = ResolvedFolder(index, path.substr(0, slash));
    return folder == "/" ? path.substr(slash) : folder + path.substr(slash);
}

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

void ReadStatus(Index& index) {
    std::string text;
    if (!AppendFile(AT_FDCWD, (index.root + "/status").c_str(), text))
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

std::size_t NameHash(std::string_view name) {
    return std::hash<std::string_view>{}(name);
}

// The file name of a listed path: what follows its last "/".
std::string_view NameOf(std::string_view path) {
    return path.substr(path.rfind('/') + 1);
}

// The lines go into buckets by the hash of their file name, each bucket in list order: a
// counting pass, then a placing pass, cheaper than sorting the hundred thousand lines.
void IndexLines(Index& index) {
    const std::string_view lists = index.lists;
    std::vector<std::pair<std::size_t, std::size_t>> lines; // (name hash, line start)
    lines.reserve(lists.size() / 48);
    for (std::size_t start = 0; start < lists.size();) {
        const char* newline =
            static_cast<const char*>(std::memchr(lists.data() + start, '\n', lists.size() - start));
        std::size_t end = newline ? static_cast<std::size_t>(newline - lists.data()) : lists.size();
        std::string_view line = lists.substr(start, end - start);
        if (line.size() > 1 && line[0] == '/')
            lines.emplace_back(NameHash(NameOf(line)), start);
        start = end + 1;
    }
    std::size_t bucketCount = std::bit_ceil(std::max<std::size_t>(lines.size(), 1));
    index.bucketMask = bucketCount - 1;
    index.bucketStarts.assign(bucketCount + 1, 0);
    for (const auto& line : lines)
        ++index.bucketStarts[(line.first & index.bucketMask) + 1];
    for (std::size_t bucket = 0; bucket < bucketCount; ++bucket)
        index.bucketStarts[bucket + 1] += index.bucketStarts[bucket];
    index.lines.resize(lines.size());
    std::vector<std::size_t> next(index.bucketStarts.begin(), index.bucketStarts.end() - 1);
    for (const auto& line : lines)
        index.lines[next[line.first & index.bucketMask]++] = line;
}

// The lists are read into one text whose size is known ahead, so it is allocated once.
void ReadFileLists(Index& index) {
    std::string infoFolder = index.root + "/info";
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

void Rebuild(Index& index, const PackageDatabaseStamp& stamp) {
    index.packages.clear();
    index.lists.clear();
    index.lines.clear();
    index.bucketStarts.clear();
    index.listStarts.clear();
    index.listPackages.clear();
    index.folders.clear();
    if (stamp.valid) {
        ReadStatus(index);
        ReadFileLists(index);
    }
    index.stamp = stamp;
    index.built = true;
    ++index.buildCount;
}

// The package key of the first listed path, in the database's order, that names `path` once
// its folder is resolved; null when none does.
const std::string* OwnerOf(Index& index, const std::string& path) {
    const std::string_view name = NameOf(path);
    const std::string_view lists = index.lists;
    const std::size_t hash = NameHash(name);
    if (index.bucketStarts.empty())
        return nullptr;
    const std::size_t bucket = hash & index.bucketMask;
    for (std::size_t i = index.bucketStarts[bucket]; i < index.bucketStarts[bucket + 1]; ++i) {
        if (index.lines[i].first != hash)
            continue;
        const std::size_t start = index.lines[i].second;
        std::string listed(lists.substr(start, lists.find('\n', start) - start));
        if (NameOf(listed) == name && WithResolvedFolder(index, listed) == path) {
            auto list = std::upper_bound(index.listStarts.begin(), index.listStarts.end(), start);
            return &index.listPackages[static_cast<std::size_t>(list - index.listStarts.begin()) - 1];
        }
    }
    return nullptr;
}

const PackageFacts* FactsOf(Index& index, const std::string& path) {
    const std::string* owner = OwnerOf(index, path);
    if (!owner)
        return nullptr;
    auto facts = index.packages.find(*owner);
    if (facts == index.packages.end())
        facts = index.packages.find(owner->substr(0, owner->find(':')));
    return facts == index.packages.end() ? nullptr : &facts->second;
}

} // namespace

std::optional<PackageFacts> FindOwningPackage(const std::string& path) {
    Index& index = TheIndex();
    PackageDatabaseStamp stamp = ReadStamp(index.root);
    if (!index.built || !(stamp == index.stamp))
        Rebuild(index, stamp);
    if (const PackageFacts* facts = FactsOf(index, WithResolvedFolder(index, path)))
        return *facts;
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer)) {
        if (const PackageFacts* facts = FactsOf(index, buffer))
            return *facts;
    }
    return std::nullopt;
}

PackageDatabaseStamp ReadPackageDatabaseStamp() {
    return ReadStamp(TheIndex().root);
}

void SetPackageDatabaseRoot(std::string root) {
    Index& index = TheIndex();
    index.root = std::move(root);
    index.built = false;
}

int PackageIndexBuildCount() {
    return TheIndex().buildCount;
}

} // namespace platform
