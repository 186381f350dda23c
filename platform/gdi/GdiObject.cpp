#include "platform/gdi/GdiObject.h"

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/gdi/WinGdi.h"

namespace platform {

namespace {

// Drawing handles start far above kernel handles so that one is never taken for the other.
HandleTable<GdiObject>& Table() {
    static HandleTable<GdiObject> table(0x40000000);
    return table;
}

void Destroy(GdiObject* object) {
    std::unique_ptr<GdiObject> owned = Table().Remove(reinterpret_cast<std::uintptr_t>(object->Handle()));
    owned.reset();
}

} // namespace

HGDIOBJ InsertGdiObject(std::unique_ptr<GdiObject> object) {
    GdiObject* raw = object.get();
    raw->m_handle = reinterpret_cast<HGDIOBJ>(Table().Insert(std::move(object)));
    return raw->m_handle;
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
    GdiObject* object = Table().Find(reinterpret_cast<std::uintptr_t>(handle));
    if (!object || object->IsDeletePending()) {
        SetLastErrorInvalidHandle();
        return nullptr;
    }
    return object;
}

void SetLastErrorInvalidHandle() {
    SetLastError(ERROR_INVALID_HANDLE);
}

void AddGdiReference(GdiObject* object) {
    if (object)
        ++object->m_references;
}

void ReleaseGdiReference(GdiObject* object) {
    if (!object)
        return;
    --object->m_references;
    if (object->m_references == 0 && object->m_deletePending)
        Destroy(object);
}

bool DeleteGdiObject(GdiObject* object) {
    if (object->IsStock())
        return true;
    if (object->m_references > 0) {
        if (object->ObjectType() == OBJ_BITMAP)
            return false;
        object->m_deletePending = true;
        return true;
    }
    Destroy(object);
    return true;
}

std::size_t LiveGdiObjectCount() {
    return Table().Count();
}

} // namespace platform
