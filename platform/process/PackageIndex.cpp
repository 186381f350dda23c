#include "platform/process/PackageIndex.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <unordered_map>

namespace platform {

namespace {

struct Index {
    std::string root = "/var/lib/dpkg";
    PackageDatabaseStamp stamp;
    bool built = false;
    int buildCount = 0;
    std::unordered_map<std::string, PackageFacts> packages; // by "name" and "name:arch"
    std::unordered_map<std::string, std::string> owners;    // resolved path -> package key
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

void ReadFileLists(Index& index) {
    std::string infoFolder = index.root + "/info";
    DIR* folder = ::opendir(infoFolder.c_str());
    if (!folder)
        return;
    while (dirent* item = ::readdir(folder)) {
        std::string name = item->d_name;
        if (!name.ends_with(".list"))
            continue;
        std::string package = name.substr(0, name.size() - 5);
        std::ifstream list(infoFolder + "/" + name);
        std::string path;
        while (std::getline(list, path)) {
            if (path.size() > 1 && path[0] == '/')
                index.owners.emplace(WithResolvedFolder(index, path), package);
        }
    }
    ::closedir(folder);
}

void Rebuild(Index& index, const PackageDatabaseStamp& stamp) {
    index.packages.clear();
    index.owners.clear();
    index.folders.clear();
    if (stamp.valid) {
        ReadStatus(index);
        ReadFileLists(index);
    }
    index.stamp = stamp;
    index.built = true;
    ++index.buildCount;
}

const PackageFacts* FactsOf(Index& index, const std::string& path) {
    auto owner = index.owners.find(path);
    if (owner == index.owners.end())
        return nullptr;
    auto facts = index.packages.find(owner->second);
    if (facts == index.packages.end())
        facts = index.packages.find(owner->second.substr(0, owner->second.find(':')));
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
