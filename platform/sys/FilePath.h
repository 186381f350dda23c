#pragma once
// File names cross from the platform's world to Linux here: a path given to a file call is
// GBK text in which both '\' and '/' separate folders; Linux wants UTF-8 with '/'.

#include <string>
#include <string_view>

namespace platform {

// The Linux form of a GBK path: converted to UTF-8, every '\' turned into '/'. The
// conversion happens before the separators are replaced, since a GBK trail byte may be '\'.
std::string LinuxPath(std::string_view gbkPath);

} // namespace platform
