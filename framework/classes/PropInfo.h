#pragma once
// The record of one published property: its name, its kind and the accessors that read and
// write it on an object of its class. Tables of these records are built with the helpers of
// PropertyTable.h; TypInfo.h reads and writes properties by name through them.

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TObject;
class TClass;

enum class TTypeKind { tkInteger, tkEnumeration, tkSet, tkString, tkClass, tkMethod };

// The identifiers of an enumeration, by ordinal value; a set type names its members' type.
struct TEnumInfo {
    std::vector<std::string> names;

    // The ordinal of an identifier (compared without regard to case), or -1.
    int IndexOf(std::string_view name) const;
    // The identifier of an ordinal, or empty when out of range.
    std::string NameOf(std::int64_t value) const;
};

// Boolean properties are enumerations of these two identifiers.
const TEnumInfo& BooleanIdents();

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    // Identifiers of an enumeration, or of a set's members.
    const TEnumInfo* Enum = nullptr;
    // The class of an object property's value.
    const TClass* ObjectClass = nullptr;

    // Integer, enumeration and set properties; a set is the bit mask of its members.
    std::function<std::int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, std::int64_t)> SetOrd;
    std::function<std::string(const TObject&)> GetStr;
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<TObject*(const TObject&)> GetObjectValue;
    std::function<void(TObject&, TObject*)> SetObjectValue;
    // Event properties hold their handler (a std::function of the event's type).
    std::function<std::any(const TObject&)> GetMethod;
    std::function<void(TObject&, const std::any&)> SetMethod;

    bool IsOrdinal() const {
        return Kind == TTypeKind::tkInteger || Kind == TTypeKind::tkEnumeration || Kind == TTypeKind::tkSet;
    }
    bool IsWritable() const { return SetOrd || SetStr || SetObjectValue || SetMethod; }
};
