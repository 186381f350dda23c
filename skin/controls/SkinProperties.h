#pragma once
// What the control skins add to reading properties by name (framework/classes/TypInfo.h, whose
// routines take a null object and a missing property): identifiers compared lower-cased, so a
// skin asks for "true", "bsnone" or "sbhorizontal" whatever case the class spells them in.

#include "framework/classes/Classes.h"

#include <string>
#include <string_view>

namespace skin_properties {

// An enumeration property as its lower-cased identifier; empty when absent.
std::string ReadIdentifier(const TObject* object, std::string_view name);
// Whether an enumeration (a Boolean above all) reads as the identifier, compared lower-cased.
bool Is(const TObject* object, std::string_view name, std::string_view identifier);
// Whether the object has an integer, enumeration or set property of that name.
bool HasOrdinal(const TObject* object, std::string_view name);

} // namespace skin_properties
