#pragma once
// The kernel object behind a file handle. Other areas of the layer (file mappings) reach the
// descriptor through it; code above the layer never sees it.

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

namespace platform {

class FileObject : public KernelObject {
public:
    // Takes ownership of the descriptor; its share-mode marks go with it when it is closed.
    FileObject(int descriptor, bool canRead, bool canWrite)
        : m_descriptor(descriptor), m_canRead(canRead), m_canWrite(canWrite) {}
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int Descriptor() const { return m_descriptor; }
    // The access rights the handle was opened with (not what the descriptor would allow).
    bool CanRead() const { return m_canRead; }
    bool CanWrite() const { return m_canWrite; }

private:
    int m_descriptor;
    bool m_canRead;
    bool m_canWrite;
};

} // namespace platform
