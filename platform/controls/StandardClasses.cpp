#include "platform/controls/StandardClasses.h"

#include "platform/controls/buttons/Button.h"
#include "platform/controls/combobox/ComboBoxState.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/edit/EditWindow.h"
#include "platform/controls/listbox/ListBoxState.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "platform/controls/statics/Static.h"

namespace platform {

// Each control area adds its class registration here, one call each.
void RegisterStandardControlClasses() {
    RegisterButtonClass();
    RegisterStaticClass();
    RegisterListBoxClasses();
    RegisterComboBoxClass();
    RegisterDialogClass();
    RegisterScrollBarClass();
    RegisterEditClass();
}

} // namespace platform
