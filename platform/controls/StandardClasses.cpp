#include "platform/controls/StandardClasses.h"

#include "platform/controls/Button.h"
#include "platform/controls/EditWindow.h"
#include "platform/controls/Static.h"

namespace platform {

// Each control area adds its class registration here, one call each.
void RegisterStandardControlClasses() {
    RegisterButtonClass();
    RegisterStaticClass();
    RegisterEditClass();
}

} // namespace platform
