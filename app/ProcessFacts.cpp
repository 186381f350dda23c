#include "app/ProcessFacts.h"

#include "app/ProcessLookup.h"

const std::string& ProcessFacts::Name(DWORD processId) {
    static const std::string none;
    if (!m_names)
        m_names = GetProcessNames(m_snapshot);
    auto it = m_names->find(processId);
    return it == m_names->end() ? none : it->second;
}

const std::string& ProcessFacts::Path(DWORD processId) {
    auto it = m_paths.find(processId);
    if (it == m_paths.end())
        it = m_paths.emplace(processId, GetProcessPath(processId)).first;
    return it->second;
}

const std::string& ProcessFacts::Description(const std::string& fileName) {
    auto it = m_descriptions.find(fileName);
    if (it == m_descriptions.end())
        it = m_descriptions.emplace(fileName, GetFileDescription(fileName)).first;
    return it->second;
}
