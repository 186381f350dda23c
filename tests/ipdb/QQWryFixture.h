#pragma once
// Fixtures of the database tests: a private temporary folder, databases written from readable
// ranges through the writer, and raw bytes for layouts the writer never produces.

#include "ipdb/QQWrySource.h"
#include "ipdb/QQWryWriter.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(stream),
                                     std::istreambuf_iterator<char>());
}

inline std::uint32_t Address(const char* dotted) {
    std::uint32_t address = 0;
    if (!ParseDottedAddress(dotted, address))
        throw std::invalid_argument(dotted);
    return address;
}

inline QQWryRange Range(const char* start, const char* end, std::string country, std::string area) {
    return QQWryRange{Address(start), Address(end), std::move(country), std::move(area)};
}

// Writes the ranges as a database file and returns its path.
inline std::string WriteDatabase(const TemporaryFolder& folder, const std::vector<QQWryRange>& ranges,
                                 const std::string& name = "QQWry.Dat") {
    std::string path = folder.File(name);
    WriteBytes(path, QQWryWriter::Build(ranges));
    return path;
}

// Little-endian bytes placed at chosen offsets, for hand-made layouts.
class RawDatabase {
public:
    RawDatabase& Put32(std::size_t offset, std::uint32_t value) { return PutLittleEndian(offset, value, 4); }
    RawDatabase& Put24(std::size_t offset, std::uint32_t value) { return PutLittleEndian(offset, value, 3); }
    RawDatabase& PutByte(std::size_t offset, std::uint8_t value) { return PutLittleEndian(offset, value, 1); }
    RawDatabase& PutString(std::size_t offset, const std::string& text) {
        Reserve(offset + text.size() + 1);
        std::copy(text.begin(), text.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        m_bytes[offset + text.size()] = 0;
        return *this;
    }
    // One index entry of record n (from 1) for an index at `firstIndex`.
    RawDatabase& PutIndexEntry(std::size_t firstIndex, int n, std::uint32_t startIP, std::uint32_t record) {
        std::size_t entry = firstIndex + static_cast<std::size_t>(n - 1) * 7;
        return Put32(entry, startIP).Put24(entry + 4, record);
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    RawDatabase& PutLittleEndian(std::size_t offset, std::uint32_t value, int width) {
        Reserve(offset + static_cast<std::size_t>(width));
        for (int i = 0; i < width; ++i)
            m_bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return *this;
    }
    void Reserve(std::size_t size) {
        if (m_bytes.size() < size)
            m_bytes.resize(size);
    }

    std::vector<std::uint8_t> m_bytes;
};
