#pragma once
// Every drawing object (bitmap, brush, pen, font, region, device context, icon) lives in one
// handle table. An object selected into a device context (or kept in a saved state of one) is
// referenced; deleting it then only marks it, and it goes when the last reference does.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <memory>

namespace platform {

class GdiObject {
public:
    virtual ~GdiObject() = default;

    // OBJ_PEN, OBJ_BRUSH...; 0 for objects GetObjectType does not know (icons).
    virtual DWORD ObjectType() const = 0;

    HGDIOBJ Handle() const { return m_handle; }
    bool IsStock() const { return m_stock; }
    void MarkStock() { m_stock = true; }
    bool IsDeletePending() const { return m_deletePending; }
    int ReferenceCount() const { return m_references; }

private:
    friend HGDIOBJ InsertGdiObject(std::unique_ptr<GdiObject> object);
    friend void AddGdiReference(GdiObject* object);
    friend void ReleaseGdiReference(GdiObject* object);
    friend bool DeleteGdiObject(GdiObject* object);

    HGDIOBJ m_handle = nullptr;
    bool m_stock = false;
    bool m_deletePending = false;
    int m_references = 0;
};

HGDIOBJ InsertGdiObject(std::unique_ptr<GdiObject> object);

// The live object behind a handle, or null (with ERROR_INVALID_HANDLE) for a stale, foreign or
// deleted handle.
GdiObject* FindGdiObject(HGDIOBJ handle);

void SetLastErrorInvalidHandle();

template <typename Object>
Object* FindGdiObjectOf(HGDIOBJ handle) {
    auto* object = dynamic_cast<Object*>(FindGdiObject(handle));
    if (!object && handle)
        SetLastErrorInvalidHandle();
    return object;
}

// A selection into a device context (or a saved state of one) keeps the object alive.
void AddGdiReference(GdiObject* object);
void ReleaseGdiReference(GdiObject* object);

// Deletes the object now, or when its last reference goes; stock objects are never deleted.
// False when the object is referenced and may not be deleted while it is (bitmaps).
bool DeleteGdiObject(GdiObject* object);

// Number of live objects, stock objects included, so tests can prove nothing leaks.
std::size_t LiveGdiObjectCount();

template <typename Handle>
Handle HandleOf(const GdiObject* object) {
    return object ? static_cast<Handle>(object->Handle()) : nullptr;
}

} // namespace platform
