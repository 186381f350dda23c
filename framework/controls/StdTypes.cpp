#include "framework/controls/StdTypes.h"

const TEnumInfo& AlignmentIdents() {
    static const TEnumInfo idents{{"taLeftJustify", "taRightJustify", "taCenter"}};
    return idents;
}

const TEnumInfo& LeftRightIdents() {
    static const TEnumInfo idents{{"taLeftJustify", "taRightJustify"}};
    return idents;
}

const TEnumInfo& BorderStyleIdents() {
    static const TEnumInfo idents{{"bsNone", "bsSingle"}};
    return idents;
}

const TEnumInfo& ScrollStyleIdents() {
    static const TEnumInfo idents{{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
    return idents;
}
