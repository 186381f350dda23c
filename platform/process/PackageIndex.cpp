#include "platform/process/PackageIndex.h"

#include "platform/process/PackageLists.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <future>
#include <sys/stat.h>
#include <system_error>
#include <unordered_map>

namespace platform {

namespace {

// The lists in use, and the next ones while a worker thread reads them. Only the thread that
// looks up touches `lists` and `folders`; the worker gets its own copies of root and stamp.
struct Index {
    std::string root = "/var/lib/dpkg";
    std::unique_ptr<PackageLists> lists;
    int buildCount = 0;
    std::unordered_map<std::string, std::string> folders; // folder -> resolved folder
    // Last, so it is destroyed first: the end of the program waits for a read under way.
    std::future<std::unique_ptr<PackageLists>> pending;
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

void TakePending(Index& index) {
    if (!index.pending.valid())
        return;
    index.lists = index.pending.get();
    index.folders.clear();
}

// The lists for the database as it is now: those read ahead when still current, else read here.
const PackageLists& CurrentLists(Index& index) {
    TakePending(index);
    PackageDatabaseStamp stamp = ReadStamp(index.root);
    if (!index.lists || !(index.lists->stamp == stamp)) {
        index.lists = ReadPackageLists(index.root, stamp);
        index.folders.clear();
        ++index.buildCount;
    }
    return *index.lists;
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

// The package key of the first listed path, in the database's order, that names `path` once
// its folder is resolved; null when none does.
const std::string* OwnerOf(Index& index, const PackageLists& lists, const std::string& path) {
    if (lists.bucketStarts.empty())
        return nullptr;
    const std::string_view name = PackageFileName(path);
    const std::string_view text = lists.lists;
    const std::uint32_t hash = PackageNameHash(name);
    const std::uint32_t bucket = hash & lists.bucketMask;
    for (std::uint32_t i = lists.bucketStarts[bucket]; i < lists.bucketStarts[bucket + 1]; ++i) {
        if (lists.lines[i].hash != hash)
            continue;
        const std::size_t start = lists.lines[i].start;
        std::string listed(text.substr(start, text.find('\n', start) - start));
        if (PackageFileName(listed) == name && WithResolvedFolder(index, listed) == path) {
            auto list = std::upper_bound(lists.listStarts.begin(), lists.listStarts.end(), start);
            return &lists.listPackages[static_cast<std::size_t>(list - lists.listStarts.begin()) - 1];
        }
    }
    return nullptr;
}

const PackageFacts* FactsOf(Index& index, const PackageLists& lists, const std::string& path) {
    const std::string* owner = OwnerOf(index, lists, path);
    if (!owner)
        return nullptr;
    auto facts = lists.packages.find(*owner);
    if (facts == lists.packages.end())
        facts = lists.packages.find(owner->substr(0, owner->find(':')));
    return facts == lists.packages.end() ? nullptr : &facts->second;
}

} // namespace

std::optional<PackageFacts> FindOwningPackage(const std::string& path) {
    Index& index = TheIndex();
    const PackageLists& lists = CurrentLists(index);
    if (const PackageFacts* facts = FactsOf(index, lists, WithResolvedFolder(index, path)))
        return *facts;
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer)) {
        if (const PackageFacts* facts = FactsOf(index, lists, buffer))
            return *facts;
    }
    return std::nullopt;
}

void PreparePackageIndex() {
    Index& index = TheIndex();
    if (index.pending.valid())
        return;
    PackageDatabaseStamp stamp = ReadStamp(index.root);
    if (index.lists && index.lists->stamp == stamp)
        return;
    try {
        index.pending = std::async(std::launch::async, ReadPackageLists, index.root, stamp);
        ++index.buildCount;
    } catch (const std::system_error&) {
        // No thread to spare: the first look-up reads the lists itself.
    }
}

PackageDatabaseStamp ReadPackageDatabaseStamp() {
    return ReadStamp(TheIndex().root);
}

void SetPackageDatabaseRoot(std::string root) {
    Index& index = TheIndex();
    TakePending(index);
    index.root = std::move(root);
    index.lists.reset();
    index.folders.clear();
}

int PackageIndexBuildCount() {
    return TheIndex().buildCount;
}

} // namespace platform
