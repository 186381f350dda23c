#include "skin/controls/SkinProperties.h"

#include "core/TextUtils.h"
#include "framework/classes/TypInfo.h"

namespace skin_properties {

std::string ReadIdentifier(const TObject* object, std::string_view name) {
    return LowerCase(GetEnumProp(object, name));
}

bool Is(const TObject* object, std::string_view name, std::string_view identifier) {
    return ReadIdentifier(object, name) == LowerCase(identifier);
}

bool HasOrdinal(const TObject* object, std::string_view name) {
    const TPropInfo* info = GetPropInfo(object, name);
    return info && info->IsOrdinal();
}

} // namespace skin_properties
