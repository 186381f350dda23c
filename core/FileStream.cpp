#include "core/FileStream.h"

#include "core/Format.h"
#include "core/SysUtils.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/sys/File.h"

#include <algorithm>
#include <limits>

namespace {

DWORD ShareModeOf(WORD mode) {
    switch (mode & 0xF0) {
    case fmShareDenyWrite:
        return FILE_SHARE_READ;
    case fmShareDenyRead:
        return FILE_SHARE_WRITE;
    case fmShareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: // fmShareCompat, fmShareExclusive
        return 0;
    }
}

DWORD AccessOf(WORD mode) {
    switch (mode & 0x3) {
    case fmOpenWrite:
        return GENERIC_WRITE;
    case fmOpenReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, WORD mode) : m_fileName(fileName) {
    const bool create = (mode & fmCreate) == fmCreate;
    m_handle = create ? CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, ShareModeOf(mode),
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                      : CreateFileA(fileName.c_str(), AccessOf(mode), ShareModeOf(mode), nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) {
        std::string reason = SysErrorMessage(GetLastError());
        if (create)
            throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName.c_str(), reason.c_str()));
        throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName.c_str(), reason.c_str()));
    }
}

TFileStream::~TFileStream() {
    CloseHandle(m_handle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::int64_t total = 0;
    while (total < count) {
        DWORD step =
            static_cast<DWORD>(std::min<std::int64_t>(count - total, std::numeric_limits<DWORD>::max()));
        DWORD done = 0;
        if (!ReadFile(m_handle, bytes + total, step, &done, nullptr) || done == 0)
            break;
        total += done;
    }
    return total;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::int64_t total = 0;
    while (total < count) {
        DWORD step =
            static_cast<DWORD>(std::min<std::int64_t>(count - total, std::numeric_limits<DWORD>::max()));
        DWORD done = 0;
        if (!WriteFile(m_handle, bytes + total, step, &done, nullptr) || done == 0)
            break;
        total += done;
    }
    return total;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN
                   : origin == TSeekOrigin::soCurrent ? FILE_CURRENT
                                                      : FILE_END;
    if (!SetFilePointerEx(m_handle, distance, &position, method))
        return -1;
    return position.QuadPart;
}

std::int64_t TFileStream::Size() const {
    LARGE_INTEGER size{};
    return GetFileSizeEx(m_handle, &size) ? size.QuadPart : -1;
}

void TFileStream::SetSize(std::int64_t size) {
    std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
    Seek(size, TSeekOrigin::soBeginning);
    if (!SetEndOfFile(m_handle))
        throw Exception(Format("Cannot set the size of file \"%s\". %s", m_fileName.c_str(),
                               SysErrorMessage(GetLastError()).c_str()));
    Seek(std::min(position, size), TSeekOrigin::soBeginning);
}
