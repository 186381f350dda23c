#pragma once
// The state of an owner-drawn item (a menu item, a list item...) as the framework hands it to
// drawing handlers, read from the platform's ODS_ flags.

#include "framework/classes/Sets.h"
#include "platform/user/OwnerDraw.h"

enum TOwnerDrawStateBit {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateBit>;

// The members follow the ODS_ bits in order, ODS_COMBOBOXEDIT (0x1000) being the last.
inline TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
    return TOwnerDrawState(static_cast<std::int64_t>(itemState & 0x1FFF));
}
