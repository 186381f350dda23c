#pragma once
// Registers the "EDIT" system class (see Edit.h for its styles, messages and notifications).

namespace platform {

void RegisterEditClass();

} // namespace platform
