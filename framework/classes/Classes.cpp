#include "framework/classes/Classes.h"

#include "core/TextUtils.h"
#include "framework/FrameworkClasses.h"

#include <map>

namespace {

// Names compared as ASCII without case; class names are identifiers.
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const { return LowerCase(a) < LowerCase(b); }
};

std::map<std::string, const TClass*, NameLess>& Registry() {
    static std::map<std::string, const TClass*, NameLess> registry;
    return registry;
}

} // namespace

TClass::TClass(std::string name, const TClass* parent, std::vector<TPropInfo> properties)
    : m_name(std::move(name)), m_parent(parent), m_properties(std::move(properties)) {
    RegisterClass(*this);
}

TClass::~TClass() {
    auto& registry = Registry();
    auto it = registry.find(m_name);
    if (it != registry.end() && it->second == this)
        registry.erase(it);
}

bool TClass::InheritsFrom(const TClass& other) const {
    for (const TClass* type = this; type; type = type->m_parent) {
        if (type == &other)
            return true;
    }
    return false;
}

bool TClass::InheritsFrom(std::string_view name) const {
    for (const TClass* type = this; type; type = type->m_parent) {
        if (AnsiSameText(type->m_name, name))
            return true;
    }
    return false;
}

const TPropInfo* TClass::FindProperty(std::string_view name) const {
    for (const TClass* type = this; type; type = type->m_parent) {
        for (const TPropInfo& info : type->m_properties) {
            if (AnsiSameText(info.Name, name))
                return &info;
        }
    }
    return nullptr;
}

std::vector<const TPropInfo*> TClass::Properties() const {
    std::vector<const TClass*> chain;
    for (const TClass* type = this; type; type = type->m_parent)
        chain.push_back(type);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (const TPropInfo& info : (*it)->m_properties)
            result.push_back(&info);
    }
    return result;
}

const TClass& TObject::ClassInfo() {
    static const TClass info("TObject", nullptr);
    return info;
}

void RegisterClass(const TClass& type) {
    Registry()[type.ClassName()] = &type;
}

const TClass* FindClass(std::string_view name) {
    RegisterFrameworkClasses();
    auto& registry = Registry();
    auto it = registry.find(std::string(name));
    return it == registry.end() ? nullptr : it->second;
}
