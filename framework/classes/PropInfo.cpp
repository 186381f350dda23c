#include "framework/classes/PropInfo.h"

#include "core/TextUtils.h"

int TEnumInfo::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (AnsiSameText(names[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

std::string TEnumInfo::NameOf(std::int64_t value) const {
    if (value < 0 || value >= static_cast<std::int64_t>(names.size()))
        return {};
    return names[static_cast<std::size_t>(value)];
}

const TEnumInfo& BooleanIdents() {
    static const TEnumInfo idents{{"False", "True"}};
    return idents;
}
