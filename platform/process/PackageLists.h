#pragma once
// dpkg's database as read for look-ups: the installed packages' facts and every file list,
// indexed by the file names it lists. Built by one call that touches nothing else, so it may
// run on a worker thread.

#include "platform/process/PackageIndex.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {

// A listed path: the hash of its file name and where its line starts in the lists' text.
struct PackageLine {
    std::uint32_t hash;
    std::uint32_t start;
};

struct PackageLists {
    PackageDatabaseStamp stamp;
    std::unordered_map<std::string, PackageFacts> packages; // by "name" and "name:arch"
    // Every file list as read, one after the other, each line ended by a line feed, and the
    // lines by the hash of their file name (the part after the last "/"), in list order. A
    // look-up resolves only the listed paths of the file's name, instead of resolving and
    // indexing each of the hundred thousand paths ahead for the few that are asked about.
    std::string lists;
    std::vector<PackageLine> lines;          // by bucket, each bucket in list order
    std::vector<std::uint32_t> bucketStarts; // where each bucket begins in `lines`, and the end
    std::uint32_t bucketMask = 0;            // bucket of a hash: hash & bucketMask
    std::vector<std::size_t> listStarts;     // where each list begins in `lists`
    std::vector<std::string> listPackages;   // and its package key ("name:arch")
};

// Reads the database under `root` (nothing when the stamp is not valid).
std::unique_ptr<PackageLists> ReadPackageLists(const std::string& root, const PackageDatabaseStamp& stamp);

std::uint32_t PackageNameHash(std::string_view name);
// The file name of a listed path: what follows its last "/".
std::string_view PackageFileName(std::string_view path);

} // namespace platform
