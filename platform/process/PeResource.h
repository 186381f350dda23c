#pragma once
// Reads the version resource out of a PE executable (the platform's .exe and .dll files):
// headers, section table, resource directory -> RT_VERSION -> first name -> first language
// -> data entry. Every offset read from the file is checked against the file before use.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class PeVersionResult {
    NotPe,      // the file is no PE image (no "MZ" and "PE\0\0" signatures)
    NoResource, // a PE image without a readable version resource
    Found,
};

// Reads from an open file descriptor; `resource` receives the raw resource bytes.
PeVersionResult ReadPeVersionResource(int fd, std::vector<std::uint8_t>& resource);

} // namespace platform
