#pragma once
// Builders of published-property records from a class's getter and setter methods, so that
// each class lists its properties in one table:
//
//     {OrdProperty("Tag", &TComponent::Tag, &TComponent::SetTag),
//      EnumProperty("Align", AlignIdents(), &TControl::Align, &TControl::SetAlign), ...}
//
// A setter of nullptr makes the property read-only.

#include "framework/classes/PropInfo.h"

#include <string>
#include <type_traits>
#include <utility>

namespace property_table {

template <typename C>
const C& As(const TObject& object) {
    return static_cast<const C&>(object);
}
template <typename C>
C& As(TObject& object) {
    return static_cast<C&>(object);
}
// The class of a getter or setter method.
template <typename M>
struct MethodClass;
template <typename R, typename C>
struct MethodClass<R (C::*)() const> {
    using type = C;
};
template <typename R, typename C>
struct MethodClass<R (C::*)()> {
    using type = C;
};
template <typename C, typename A>
struct MethodClass<void (C::*)(A)> {
    using type = C;
};

// Calls a getter, const or not (some getters resolve a value on demand).
template <typename Get>
decltype(auto) Read(Get get, const TObject& object) {
    using C = typename MethodClass<Get>::type;
    return (const_cast<C&>(As<C>(object)).*get)();
}
template <typename Set, typename V>
void Write(Set set, TObject& object, V&& value) {
    using C = typename MethodClass<Set>::type;
    (As<C>(object).*set)(std::forward<V>(value));
}
template <typename Get>
using ValueOf = std::remove_cvref_t<decltype(Read(std::declval<Get>(), std::declval<const TObject&>()))>;

template <typename Get, typename Set>
TPropInfo Ordinal(std::string name, TTypeKind kind, const TEnumInfo* idents, Get get, Set set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = kind;
    info.Enum = idents;
    info.GetOrd = [get](const TObject& object) { return static_cast<std::int64_t>(Read(get, object)); };
    if constexpr (!std::is_null_pointer_v<Set>) {
        info.SetOrd = [set](TObject& object, std::int64_t value) {
            Write(set, object, static_cast<ValueOf<Get>>(value));
        };
    }
    return info;
}

} // namespace property_table

// An integer property (colours, sizes, tags...).
template <typename Get, typename Set>
TPropInfo OrdProperty(std::string name, Get get, Set set) {
    return property_table::Ordinal(std::move(name), TTypeKind::tkInteger, nullptr, get, set);
}

// An enumeration property (Boolean ones with BooleanIdents()).
template <typename Get, typename Set>
TPropInfo EnumProperty(std::string name, const TEnumInfo& idents, Get get, Set set) {
    return property_table::Ordinal(std::move(name), TTypeKind::tkEnumeration, &idents, get, set);
}

// A set property: the value is the bit mask of members named by `idents`.
template <typename Get, typename Set>
TPropInfo SetProperty(std::string name, const TEnumInfo& idents, Get get, Set set) {
    return property_table::Ordinal(std::move(name), TTypeKind::tkSet, &idents, get, set);
}

template <typename Get, typename Set>
TPropInfo StrProperty(std::string name, Get get, Set set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkString;
    info.GetStr = [get](const TObject& object) { return std::string(property_table::Read(get, object)); };
    if constexpr (!std::is_null_pointer_v<Set>) {
        info.SetStr = [set](TObject& object, const std::string& value) {
            property_table::Write(set, object, value);
        };
    }
    return info;
}

// An object property; its value's class is O. Setting it is usually an Assign of the value.
template <typename Get, typename Set>
TPropInfo ObjProperty(std::string name, Get get, Set set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkClass;
    using O = std::remove_pointer_t<property_table::ValueOf<Get>>;
    info.ObjectClass = &O::ClassInfo();
    info.GetObjectValue = [get](const TObject& object) -> TObject* {
        return property_table::Read(get, object);
    };
    if constexpr (!std::is_null_pointer_v<Set>) {
        info.SetObjectValue = [set](TObject& object, TObject* value) {
            property_table::Write(set, object, dynamic_cast<O*>(value));
        };
    }
    return info;
}

// An event property over a public handler member of type E (a std::function).
template <typename C, typename E>
TPropInfo MethodProperty(std::string name, E C::*member) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkMethod;
    info.GetMethod = [member](const TObject& object) {
        return std::any(property_table::As<C>(object).*member);
    };
    info.SetMethod = [member](TObject& object, const std::any& value) {
        if (const E* handler = std::any_cast<E>(&value))
            property_table::As<C>(object).*member = *handler;
        else if (!value.has_value())
            property_table::As<C>(object).*member = E{};
    };
    return info;
}
