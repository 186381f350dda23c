#include "platform/controls/StandardClasses.h"

namespace platform {

// Each control area adds its class registration here, one call each.
void RegisterStandardControlClasses() {}

} // namespace platform
