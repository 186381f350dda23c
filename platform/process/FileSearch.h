#pragma once
// Where a bare file name is looked for (UTF-8 names): the folder of the program's own
// executable, the current folder, each folder of PATH, then /usr/sbin and /sbin.

#include <string>

namespace platform {

// The first regular file of that name along the search order, or empty. A name that holds
// a "/" is not searched: it is returned as it stands.
std::string SearchFile(const std::string& name);
// The first executable regular file of that name in the folders of PATH, or empty.
std::string SearchExecutableOnPath(const std::string& name);

} // namespace platform
