#pragma once
// Class identity at run time: every framework class has one TClass record (its name, its
// parent and its published properties), reached from an object through ClassType(). Classes
// register by name when their record is first made, so a name finds a class that the program
// has touched; RegisterClass makes one known ahead of that.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/classes/PropInfo.h"

class TClass {
public:
    TClass(std::string name, const TClass* parent, std::vector<TPropInfo> properties = {});
    ~TClass();
    TClass(const TClass&) = delete;
    TClass& operator=(const TClass&) = delete;

    const std::string& ClassName() const { return m_name; }
    const TClass* ClassParent() const { return m_parent; }
    bool InheritsFrom(const TClass& other) const;
    // Compares names without regard to case, as the class registry does.
    bool InheritsFrom(std::string_view name) const;

    // The published property of that name (case-insensitive), this class's own table first,
    // then its ancestors'; null when there is none.
    const TPropInfo* FindProperty(std::string_view name) const;
    // Every published property, the root class's first.
    std::vector<const TPropInfo*> Properties() const;

private:
    std::string m_name;
    const TClass* m_parent;
    std::vector<TPropInfo> m_properties;
};

// The root of every framework class.
class TObject {
public:
    virtual ~TObject() = default;

    static const TClass& ClassInfo();
    virtual const TClass& ClassType() const { return ClassInfo(); }

    const std::string& ClassName() const { return ClassType().ClassName(); }
    bool InheritsFrom(const TClass& other) const { return ClassType().InheritsFrom(other); }
    bool InheritsFrom(std::string_view name) const { return ClassType().InheritsFrom(name); }
};

// The registry of classes by name (case-insensitive). A class enters it when its record is
// built; the framework's own classes are all known from the first look-up.
void RegisterClass(const TClass& type);
const TClass* FindClass(std::string_view name);

// The object as a T when it is one; null otherwise (and for null).
template <typename T>
T* ObjectAs(TObject* object) {
    return dynamic_cast<T*>(object);
}
