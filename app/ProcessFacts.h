#pragma once
// The owner columns of one listing: a process's name, path and description are looked up
// once and reused for its other rows. Nothing outlives the listing, since process ids are
// reused by the system and files change between listings.

#include "platform/base/WinTypes.h"

#include <optional>
#include <string>
#include <unordered_map>

class ProcessFacts {
public:
    // The snapshot of the listing; it is walked once, at the first name asked for.
    explicit ProcessFacts(HANDLE snapshot) : m_snapshot(snapshot) {}

    // As GetProcessName, GetProcessPath and GetFileDescription give them.
    const std::string& Name(DWORD processId);
    const std::string& Path(DWORD processId);
    const std::string& Description(const std::string& fileName);

private:
    HANDLE m_snapshot;
    std::optional<std::unordered_map<DWORD, std::string>> m_names;
    std::unordered_map<DWORD, std::string> m_paths;
    std::unordered_map<std::string, std::string> m_descriptions;
};
