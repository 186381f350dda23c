#pragma once
// Kernel objects (files, mappings, mutexes, processes, snapshots...) share one handle space
// and one closing call, CloseHandle, as on the platform. Each area derives its objects from
// KernelObject and finds them again by type.

#include "platform/base/WinTypes.h"

#include <memory>

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE InsertKernelObject(std::unique_ptr<KernelObject> object);
KernelObject* FindKernelObject(HANDLE handle);

// The object behind the handle if it is of the asked type; otherwise sets
// ERROR_INVALID_HANDLE and returns null.
template <typename Object>
Object* FindKernelObjectOf(HANDLE handle);

// Number of open kernel handles, so tests can prove nothing leaks.
std::size_t OpenKernelHandleCount();

} // namespace platform

BOOL CloseHandle(HANDLE handle);

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

template <typename Object>
Object* platform::FindKernelObjectOf(HANDLE handle) {
    auto* object = dynamic_cast<Object*>(FindKernelObject(handle));
    if (!object)
        SetLastError(ERROR_INVALID_HANDLE);
    return object;
}
