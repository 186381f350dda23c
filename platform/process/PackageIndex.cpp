#include "platform/process/PackageIndex.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
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
    std::vector<std::pair<std::size_t, std::size_t>> lines; // (name hash, line start), sorted
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

void ReadStatus(Index& index) {
    std::ifstream status(index.root + "/status");
    std::string line;
    PackageFacts facts;
    std::string architecture;
    bool installed = false;
    auto finish = [&] {
        if (installed && !facts.package.empty()) {
            index.packages[facts.package + ":" + architecture] = facts;
            index.packages.emplace(facts.package, facts);
        }
        facts = {};
        architecture.clear();
        installed = false;
    };
    auto valueOf = [&](std::string_view field) { return line.substr(field.size()); };
    while (std::getline(status, line)) {
        if (line.empty()) {
            finish();
        } else if (line.starts_with("Package: ")) {
            facts.package = valueOf("Package: ");
        } else if (line.starts_with("Status: ")) {
            installed = line.ends_with(" installed");
        } else if (line.starts_with("Architecture: ")) {
            architecture = valueOf("Architecture: ");
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

void IndexLines(Index& index) {
    const std::string_view lists = index.lists;
    for (std::size_t start = 0; start < lists.size();) {
        std::size_t end = lists.find('\n', start);
        std::string_view line = lists.substr(start, end - start);
        if (line.size() > 1 && line[0] == '/')
            index.lines.emplace_back(NameHash(NameOf(line)), start);
        start = end + 1;
    }
    std::sort(index.lines.begin(), index.lines.end());
}

void ReadFileLists(Index& index) {
    std::string infoFolder = index.root + "/info";
    DIR* folder = ::opendir(infoFolder.c_str());
    if (!folder)
        return;
    while (dirent* item = ::readdir(folder)) {
        std::string name = item->d_name;
        if (!name.ends_with(".list"))
            continue;
        std::ifstream list(infoFolder + "/" + name, std::ios::binary);
        std::ostringstream content;
        content << list.rdbuf();
        index.listStarts.push_back(index.lists.size());
        index.listPackages.push_back(name.substr(0, name.size() - 5));
        index.lists += content.str();
        if (!index.lists.empty() && index.lists.back() != '\n')
            index.lists += '\n';
    }
    ::closedir(folder);
    IndexLines(index);
}

void Rebuild(Index& index, const PackageDatabaseStamp& stamp) {
    index.packages.clear();
    index.lists.clear();
    index.lines.clear();
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
    auto first =
        std::lower_bound(index.lines.begin(), index.lines.end(), std::make_pair(hash, std::size_t{0}));
    for (auto line = first; line != index.lines.end() && line->first == hash; ++line) {
        const std::size_t start = line->second;
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
