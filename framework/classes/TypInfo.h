#pragma once
// Reading and writing published properties by name, for code that works with classes it does
// not know (the skin engine). Every routine accepts a null object and a missing property:
// reads then give the default (-1, empty text, null), writes do nothing and return false.
// A property of another kind than the routine reads counts as missing.

#include "framework/classes/Classes.h"

#include <any>
#include <cstdint>
#include <string>
#include <string_view>

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name);
bool IsPublishedProp(const TObject* object, std::string_view name);
// The kind of a property; false when the object has none of that name.
bool PropIsKind(const TObject* object, std::string_view name, TTypeKind kind);

// Integer, enumeration and set properties (a set as the bit mask of its members); -1 for a
// missing or non-ordinal property.
std::int64_t GetOrdProp(const TObject* object, std::string_view name);
bool SetOrdProp(TObject* object, std::string_view name, std::int64_t value);

// An enumeration property as its identifier ("bsNone", "True"); empty when missing.
std::string GetEnumProp(const TObject* object, std::string_view name);
// Sets an enumeration by identifier, compared without regard to case; an unknown identifier
// writes nothing.
bool SetEnumProp(TObject* object, std::string_view name, std::string_view identifier);

// A set property as text: "[fsBold,fsItalic]"; empty when missing.
std::string GetSetProp(const TObject* object, std::string_view name);
bool SetSetProp(TObject* object, std::string_view name, std::string_view text);

// String properties (GBK); the wide form converts to UTF-16.
std::string GetStrProp(const TObject* object, std::string_view name);
std::u16string GetWideStrProp(const TObject* object, std::string_view name);
bool SetStrProp(TObject* object, std::string_view name, const std::string& value);

// An object property whose value is of `type` or a descendant; null when missing, unset or
// of another class.
TObject* GetObjectProp(const TObject* object, std::string_view name, const TClass* type = nullptr);
template <typename T>
T* GetObjectPropAs(const TObject* object, std::string_view name) {
    return dynamic_cast<T*>(GetObjectProp(object, name, &T::ClassInfo()));
}
bool SetObjectProp(TObject* object, std::string_view name, TObject* value);

// Event properties: the handler as a std::any holding the event's std::function.
std::any GetMethodProp(const TObject* object, std::string_view name);
bool SetMethodProp(TObject* object, std::string_view name, const std::any& handler);

// Any ordinal or string property from text: integers take the text's integer value (an
// invalid number writes nothing), enumerations their identifier, sets "[a,b]", strings the
// text itself.
bool SetPropValue(TObject* object, std::string_view name, std::string_view text);
// Any ordinal or string property as text, the form SetPropValue reads.
std::string GetPropValue(const TObject* object, std::string_view name);
