#pragma once
// Small readers for /proc entries, relative to an open directory, so that a process folder
// opened once keeps naming the same process even if its id is reused later.

#include <optional>
#include <string>

namespace platform {

// The whole content of a small file, or nothing (errno tells why).
std::optional<std::string> ReadFileAt(int directory, const char* name);
// The target of a symbolic link, or nothing (errno tells why).
std::optional<std::string> ReadLinkAt(int directory, const char* name);
// A link target of /proc/[pid]/exe or maps without the " (deleted)" mark of a replaced file.
std::string WithoutDeletedMark(std::string path);
// The part after the last "/".
std::string BaseName(const std::string& path);

} // namespace platform
