#include "platform/base/KernelObject.h"

#include "platform/base/HandleTable.h"

namespace platform {

namespace {
HandleTable<KernelObject>& Table() {
    static HandleTable<KernelObject> table(0x100);
    return table;
}
} // namespace

HANDLE InsertKernelObject(std::unique_ptr<KernelObject> object) {
    return reinterpret_cast<HANDLE>(Table().Insert(std::move(object)));
}

KernelObject* FindKernelObject(HANDLE handle) {
    return Table().Find(reinterpret_cast<std::uintptr_t>(handle));
}

std::size_t OpenKernelHandleCount() {
    return Table().Count();
}

} // namespace platform

BOOL CloseHandle(HANDLE handle) {
    // Destroying the object releases what it holds; the table entry is gone first so that a
    // destructor that closes further handles never sees a half-removed entry.
    std::unique_ptr<platform::KernelObject> object =
        platform::Table().Remove(reinterpret_cast<std::uintptr_t>(handle));
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object.reset();
    return TRUE;
}
