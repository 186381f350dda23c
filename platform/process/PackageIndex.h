#pragma once
// Which installed Debian package a file belongs to, from dpkg's database (status and
// info/*.list). The index is built at the first look-up and rebuilt only when the database
// changes. Paths are compared with their folders resolved (so /bin/ls and /usr/bin/ls on a
// /usr-merged system are one file), then with the file's own links resolved too.

#include <optional>
#include <string>

namespace platform {

struct PackageFacts {
    std::string package;
    std::string version;
    std::string maintainer;  // the name, without the mail address
    std::string description; // the short description (first line)
};

// The time stamps of the database's status file and file-list folder: equal stamps, same answers.
struct PackageDatabaseStamp {
    long statusSeconds = 0;
    long statusNanoseconds = 0;
    long infoSeconds = 0;
    long infoNanoseconds = 0;
    bool valid = false;

    bool operator==(const PackageDatabaseStamp&) const = default;
};
PackageDatabaseStamp ReadPackageDatabaseStamp();

// UTF-8 texts; nothing when no installed package lists the file.
std::optional<PackageFacts> FindOwningPackage(const std::string& path);

// Starts reading the database on a worker thread when the index is missing or stale, so that
// the first look-up finds it ready; a look-up waits for a read under way.
void PreparePackageIndex();

// The database folder, /var/lib/dpkg unless a test points it elsewhere.
void SetPackageDatabaseRoot(std::string root);
// How often the index has been built, so tests can prove it is kept.
int PackageIndexBuildCount();

} // namespace platform
