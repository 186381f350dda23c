#include "platform/sys/FileMapping.h"

#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/sys/FileObject.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What several handles of one named mapping share: its own descriptor of the file (so the
// file stays open, with its share-mode marks, while the mapping lives), size and protection.
struct Section {
    Section(int descriptor, std::uint64_t size, DWORD protect)
        : descriptor(descriptor), size(size), protect(protect) {}
    ~Section() { close(descriptor); }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    int descriptor;
    std::uint64_t size;
    DWORD protect;
};

class MappingObject : public platform::KernelObject {
public:
    explicit MappingObject(std::shared_ptr<Section> section) : m_section(std::move(section)) {}
    const Section& GetSection() const { return *m_section; }

private:
    std::shared_ptr<Section> m_section;
};

std::map<std::string, std::weak_ptr<Section>>& NamedSections() {
    static std::map<std::string, std::weak_ptr<Section>> sections;
    return sections;
}

// Base address to length of every view.
std::map<const void*, std::size_t>& Views() {
    static std::map<const void*, std::size_t> views;
    return views;
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return nullptr;
}

std::shared_ptr<Section> SectionOverFile(HANDLE file, DWORD protect, std::uint64_t maximumSize) {
    platform::FileObject* object = platform::FindKernelObjectOf<platform::FileObject>(file);
    if (!object)
        return nullptr;
    if (!object->CanRead() || (protect == PAGE_READWRITE && !object->CanWrite())) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    struct stat status {};
    if (fstat(object->Descriptor(), &status) != 0) {
        platform::SetLastErrorFromErrno();
        return nullptr;
    }
    auto fileSize = static_cast<std::uint64_t>(status.st_size);
    if (maximumSize == 0) {
        if (fileSize == 0) {
            SetLastError(ERROR_FILE_INVALID);
            return nullptr;
        }
        maximumSize = fileSize;
    } else if (maximumSize > fileSize) {
        if (protect != PAGE_READWRITE) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (ftruncate(object->Descriptor(), static_cast<off_t>(maximumSize)) != 0) {
            platform::SetLastErrorFromErrno();
            return nullptr;
        }
    }
    int descriptor = fcntl(object->Descriptor(), F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0) {
        platform::SetLastErrorFromErrno();
        return nullptr;
    }
    return std::make_shared<Section>(descriptor, maximumSize, protect);
}

std::shared_ptr<Section> SectionOverMemory(DWORD protect, std::uint64_t size) {
    if (size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int descriptor = memfd_create("file-mapping", MFD_CLOEXEC);
    if (descriptor < 0 || ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
        platform::SetLastErrorFromErrno();
        if (descriptor >= 0)
            close(descriptor);
        return nullptr;
    }
    return std::make_shared<Section>(descriptor, size, protect);
}

} // namespace

HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR name) {
    protect &= ~SEC_COMMIT;
    if (protect != PAGE_READONLY && protect != PAGE_READWRITE && protect != PAGE_WRITECOPY)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::uint64_t maximumSize = (static_cast<std::uint64_t>(maximumSizeHigh) << 32) | maximumSizeLow;

    if (name && *name) {
        auto found = NamedSections().find(name);
        if (found != NamedSections().end()) {
            if (std::shared_ptr<Section> existing = found->second.lock()) {
                HANDLE handle = platform::InsertKernelObject(std::make_unique<MappingObject>(existing));
                SetLastError(ERROR_ALREADY_EXISTS);
                return handle;
            }
            NamedSections().erase(found);
        }
    }

    std::shared_ptr<Section> section = file == INVALID_HANDLE_VALUE
                                           ? SectionOverMemory(protect, maximumSize)
                                           : SectionOverFile(file, protect, maximumSize);
    if (!section)
        return nullptr;
    if (name && *name)
        NamedSections()[name] = section;
    HANDLE handle = platform::InsertKernelObject(std::make_unique<MappingObject>(std::move(section)));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

LPVOID MapViewOfFile(HANDLE fileMappingObject, DWORD desiredAccess, DWORD fileOffsetHigh, DWORD fileOffsetLow,
                     SIZE_T numberOfBytesToMap) {
    auto* mapping = platform::FindKernelObjectOf<MappingObject>(fileMappingObject);
    if (!mapping)
        return nullptr;
    const Section& section = mapping->GetSection();

    // FILE_MAP_ALL_ACCESS includes the bit of FILE_MAP_COPY: a copy view is asked for by
    // that value alone. Writing to a PAGE_WRITECOPY mapping makes private copies too.
    const bool copy = desiredAccess == FILE_MAP_COPY;
    const bool write = desiredAccess & FILE_MAP_WRITE;
    if (!copy && !write && !(desiredAccess & FILE_MAP_READ))
        return Fail(ERROR_INVALID_PARAMETER);
    if (write && section.protect == PAGE_READONLY)
        return Fail(ERROR_ACCESS_DENIED);

    const std::uint64_t offset = (static_cast<std::uint64_t>(fileOffsetHigh) << 32) | fileOffsetLow;
    if (offset % AllocationGranularity != 0)
        return Fail(ERROR_MAPPED_ALIGNMENT);
    if (offset >= section.size || numberOfBytesToMap > section.size - offset)
        return Fail(ERROR_ACCESS_DENIED);
    const std::size_t length = numberOfBytesToMap ? numberOfBytesToMap : section.size - offset;

    const int protection = copy || write ? PROT_READ | PROT_WRITE : PROT_READ;
    const int flags = copy || section.protect == PAGE_WRITECOPY ? MAP_PRIVATE : MAP_SHARED;
    void* view = mmap(nullptr, length, protection, flags, section.descriptor, static_cast<off_t>(offset));
    if (view == MAP_FAILED) {
        platform::SetLastErrorFromErrno();
        return nullptr;
    }
    Views()[view] = length;
    SetLastError(ERROR_SUCCESS);
    return view;
}

BOOL UnmapViewOfFile(LPCVOID baseAddress) {
    auto found = Views().find(baseAddress);
    if (found == Views().end()) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return FALSE;
    }
    munmap(const_cast<void*>(found->first), found->second);
    Views().erase(found);
    return TRUE;
}

std::size_t platform::MappedViewCount() {
    return Views().size();
}
