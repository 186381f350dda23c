#include "framework/classes/Module.h"

#include "platform/process/ModuleTable.h"

HINSTANCE HInstance() {
    return reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
}
