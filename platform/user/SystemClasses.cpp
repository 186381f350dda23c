#include "platform/user/SystemClasses.h"

#include "platform/controls/StandardClasses.h"
#include "platform/user/mdi/MdiClient.h"
#include "platform/user/menus/MenuWindow.h"

namespace platform {

void EnsureSystemClasses() {
    static bool registered = false;
    if (registered)
        return;
    // Set first: registering a class looks classes up again.
    registered = true;
    RegisterStandardControlClasses();
    RegisterMenuWindowClass();
    RegisterMdiClientClass();
}

} // namespace platform
