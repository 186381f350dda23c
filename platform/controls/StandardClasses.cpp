#include "platform/controls/StandardClasses.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBoxState.h"
#include "platform/controls/Dialog.h"
#include "platform/controls/EditWindow.h"
#include "platform/controls/ListBoxState.h"
#include "platform/controls/ScrollBarControl.h"
#include "platform/controls/Static.h"

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
