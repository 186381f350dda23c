#pragma once
// A table of objects reached through opaque handle values. Values are never reused, so a
// stale handle finds nothing instead of someone else's object. One GUI thread: no locks.

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace platform {

template <typename Object>
class HandleTable {
public:
    // The first value handed out and the step between values; handles look like the platform's
    // (small, multiples of four) and are never 0 or -1.
    explicit HandleTable(std::uintptr_t firstValue = 0x1000) : m_next(firstValue) {}

    std::uintptr_t Insert(std::unique_ptr<Object> object) {
        std::uintptr_t value = m_next;
        m_next += 4;
        m_objects.emplace(value, std::move(object));
        return value;
    }

    Object* Find(std::uintptr_t value) const {
        auto it = m_objects.find(value);
        return it == m_objects.end() ? nullptr : it->second.get();
    }

    std::unique_ptr<Object> Remove(std::uintptr_t value) {
        auto it = m_objects.find(value);
        if (it == m_objects.end())
            return nullptr;
        std::unique_ptr<Object> object = std::move(it->second);
        m_objects.erase(it);
        return object;
    }

    std::size_t Count() const { return m_objects.size(); }

    template <typename Visitor>
    void ForEach(Visitor&& visit) const {
        for (const auto& [value, object] : m_objects)
            visit(value, *object);
    }

private:
    std::uintptr_t m_next;
    std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> m_objects;
};

} // namespace platform
