#include "platform/sys/File.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/sys/FileObject.h"
#include "platform/sys/FilePath.h"
#include "platform/sys/ShareMode.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileObject::~FileObject() {
    close(m_descriptor);
}

} // namespace platform

namespace {

platform::FileObject* FindFile(HANDLE file) {
    return platform::FindKernelObjectOf<platform::FileObject>(file);
}

bool IsReadOnly(const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0;
}

// Opens the descriptor for the rights asked. A handle that only writes still opens the file
// for reading when it may, because the share-mode marks are read locks.
int OpenDescriptor(const std::string& path, bool read, bool write, int createFlags, mode_t mode,
                   bool& markable) {
    markable = true;
    int descriptor = open(path.c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC | createFlags, mode);
    if (descriptor < 0 && errno == EACCES && write && !read) {
        descriptor = open(path.c_str(), O_WRONLY | O_CLOEXEC | createFlags, mode);
        markable = false;
    }
    return descriptor;
}

// The file a ReadFile or WriteFile call names, when it was opened with the right and the
// buffer is there; null with the last error set otherwise.
platform::FileObject* FileForTransfer(HANDLE file, bool writing, const void* buffer, DWORD size) {
    platform::FileObject* object = FindFile(file);
    if (!object)
        return nullptr;
    if (!(writing ? object->CanWrite() : object->CanRead())) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (!buffer && size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return object;
}

// Moves `size` bytes with `step(done, offset)` (offset -1: at the file pointer), over short
// transfers and interruptions, until all are moved or the file ends. A transfer at the
// overlapped offset leaves the file pointer after its bytes. False with the last error set when
// a step fails; `total` counts the bytes moved until then.
template <typename Step>
bool TransferAll(int descriptor, const OVERLAPPED* overlapped, DWORD size, DWORD& total, Step step) {
    const off_t offset = overlapped
                             ? static_cast<off_t>((static_cast<std::uint64_t>(overlapped->OffsetHigh) << 32) |
                                                  overlapped->Offset)
                             : -1;
    total = 0;
    while (total < size) {
        const ssize_t count = step(total, offset >= 0 ? offset + total : -1);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            platform::SetLastErrorFromErrno();
            return false;
        }
        if (count == 0)
            break;
        total += static_cast<DWORD>(count);
    }
    if (offset >= 0)
        lseek(descriptor, offset + total, SEEK_SET);
    return true;
}

HANDLE FailWith(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

} // namespace

DWORD GetFileAttributesA(LPCSTR fileName) {
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat status {};
    if (stat(platform::LinuxPath(fileName).c_str(), &status) != 0) {
        platform::SetLastErrorFromErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(status.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (IsReadOnly(status))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    if (!fileName || templateFile || creationDisposition < CREATE_NEW ||
        creationDisposition > TRUNCATE_EXISTING)
        return FailWith(ERROR_INVALID_PARAMETER);
    const bool read = desiredAccess & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA);
    const bool write = desiredAccess & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA);
    const bool remove = desiredAccess & (DELETE | GENERIC_ALL);
    if (creationDisposition == TRUNCATE_EXISTING && !write)
        return FailWith(ERROR_INVALID_PARAMETER);
    const bool truncates = creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    const std::string path = platform::LinuxPath(fileName);

    // An existing file is opened as it is: its truncation waits until the share mode has been
    // granted, so that a denied open changes nothing. A new file is created exclusively.
    bool markable = true;
    bool created = false;
    int descriptor = -1;
    if (creationDisposition != CREATE_NEW) {
        descriptor = OpenDescriptor(path, read, write || truncates, 0, 0, markable);
        if (descriptor < 0 && errno != ENOENT)
            return FailWith(platform::ErrorFromErrno(errno));
        if (descriptor < 0 &&
            (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING))
            return FailWith(ERROR_FILE_NOT_FOUND);
    }
    if (descriptor < 0) {
        const mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
        descriptor = OpenDescriptor(path, read, write, O_CREAT | O_EXCL, mode, markable);
        if (descriptor < 0)
            return FailWith(errno == EEXIST ? ERROR_FILE_EXISTS : platform::ErrorFromErrno(errno));
        created = true;
    }

    struct stat status {};
    DWORD refusal = ERROR_SUCCESS;
    if (fstat(descriptor, &status) != 0)
        refusal = platform::ErrorFromErrno(errno);
    else if (S_ISDIR(status.st_mode) || (!created && (write || truncates) && IsReadOnly(status)))
        refusal = ERROR_ACCESS_DENIED;
    else if (markable && !platform::MarkShareMode(descriptor, read, write, remove, shareMode))
        refusal = GetLastError();
    else if (!created && truncates && ftruncate(descriptor, 0) != 0)
        refusal = platform::ErrorFromErrno(errno);
    if (refusal != ERROR_SUCCESS) {
        close(descriptor);
        if (created)
            unlink(path.c_str());
        return FailWith(refusal);
    }

    HANDLE handle =
        platform::InsertKernelObject(std::make_unique<platform::FileObject>(descriptor, read, write));
    const bool opensAlways = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
    SetLastError(!created && opensAlways ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
    if (bytesRead)
        *bytesRead = 0;
    platform::FileObject* object = FileForTransfer(file, false, buffer, bytesToRead);
    if (!object)
        return FALSE;
    const int descriptor = object->Descriptor();
    auto* bytes = static_cast<char*>(buffer);
    DWORD total = 0;
    if (!TransferAll(descriptor, overlapped, bytesToRead, total, [&](DWORD done, off_t at) {
            return at >= 0 ? pread(descriptor, bytes + done, bytesToRead - done, at)
                           : read(descriptor, bytes + done, bytesToRead - done);
        }))
        return FALSE;
    if (bytesRead)
        *bytesRead = total;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped) {
    if (bytesWritten)
        *bytesWritten = 0;
    platform::FileObject* object = FileForTransfer(file, true, buffer, bytesToWrite);
    if (!object)
        return FALSE;
    const int descriptor = object->Descriptor();
    const auto* bytes = static_cast<const char*>(buffer);
    DWORD total = 0;
    const bool written = TransferAll(descriptor, overlapped, bytesToWrite, total, [&](DWORD done, off_t at) {
        return at >= 0 ? pwrite(descriptor, bytes + done, bytesToWrite - done, at)
                       : write(descriptor, bytes + done, bytesToWrite - done);
    });
    // A failed write still tells how much of the buffer reached the file.
    if (bytesWritten)
        *bytesWritten = total;
    if (!written)
        return FALSE;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, PLARGE_INTEGER fileSize) {
    platform::FileObject* object = FindFile(file);
    if (!object)
        return FALSE;
    if (!fileSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    struct stat status {};
    if (fstat(object->Descriptor(), &status) != 0) {
        platform::SetLastErrorFromErrno();
        return FALSE;
    }
    fileSize->QuadPart = status.st_size;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return INVALID_FILE_SIZE;
    if (fileSizeHigh)
        *fileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(size.QuadPart) >> 32);
    // A low part of all ones is a valid size; the caller tells by the last error.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size.QuadPart);
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distanceToMove, PLARGE_INTEGER newFilePointer,
                      DWORD moveMethod) {
    platform::FileObject* object = FindFile(file);
    if (!object)
        return FALSE;
    if (moveMethod > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int whence = moveMethod == FILE_BEGIN ? SEEK_SET : moveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    off_t base = whence == SEEK_SET ? 0 : lseek(object->Descriptor(), 0, whence);
    if (base < 0) {
        platform::SetLastErrorFromErrno();
        return FALSE;
    }
    if ((distanceToMove.QuadPart < 0 && base + distanceToMove.QuadPart < 0) ||
        (distanceToMove.QuadPart > 0 && base > INT64_MAX - distanceToMove.QuadPart)) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return FALSE;
    }
    off_t position = lseek(object->Descriptor(), base + distanceToMove.QuadPart, SEEK_SET);
    if (position < 0) {
        platform::SetLastErrorFromErrno();
        return FALSE;
    }
    if (newFilePointer)
        newFilePointer->QuadPart = position;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh, DWORD moveMethod) {
    LARGE_INTEGER distance{};
    distance.QuadPart =
        distanceToMoveHigh ? static_cast<LONGLONG>(
                                 (static_cast<std::uint64_t>(static_cast<DWORD>(*distanceToMoveHigh)) << 32) |
                                 static_cast<DWORD>(distanceToMove))
                           : distanceToMove;
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(file, distance, &position, moveMethod))
        return INVALID_SET_FILE_POINTER;
    if (distanceToMoveHigh)
        *distanceToMoveHigh = static_cast<LONG>(static_cast<std::uint64_t>(position.QuadPart) >> 32);
    return static_cast<DWORD>(position.QuadPart);
}

BOOL SetEndOfFile(HANDLE file) {
    platform::FileObject* object = FindFile(file);
    if (!object)
        return FALSE;
    if (!object->CanWrite()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    off_t position = lseek(object->Descriptor(), 0, SEEK_CUR);
    if (position < 0 || ftruncate(object->Descriptor(), position) != 0) {
        platform::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

namespace {

void FillOpenFileRecord(OFSTRUCT& record, const std::string& linuxPath) {
    record.cBytes = sizeof(OFSTRUCT);
    record.fFixedDisk = 1;
    record.nErrCode = 0;
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(linuxPath, error).lexically_normal();
    std::string utf8 = error ? linuxPath : full.string();
    bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string gbk = ascii ? utf8 : platform::Utf8ToGbk(utf8);
    std::size_t length = std::min(gbk.size(), static_cast<std::size_t>(OFS_MAXPATHNAME - 1));
    std::memcpy(record.szPathName, gbk.data(), length);
    record.szPathName[length] = '\0';
}

HFILE FailOpenFile(OFSTRUCT& record, DWORD error) {
    record.nErrCode = static_cast<WORD>(error);
    SetLastError(error);
    return HFILE_ERROR;
}

DWORD ShareModeOfStyle(UINT style) {
    switch (style & 0x70) {
    case OF_SHARE_EXCLUSIVE:
        return 0;
    case OF_SHARE_DENY_WRITE:
        return FILE_SHARE_READ;
    case OF_SHARE_DENY_READ:
        return FILE_SHARE_WRITE;
    default: // compatibility mode and OF_SHARE_DENY_NONE
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
}

} // namespace

HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT reOpenBuff, UINT style) {
    if (!reOpenBuff || (!fileName && !(style & OF_REOPEN))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    OFSTRUCT& record = *reOpenBuff;
    // The record may be the source of the name: copy it before filling the record.
    const std::string name = (style & OF_REOPEN) ? std::string(record.szPathName) : std::string(fileName);
    const std::string path = platform::LinuxPath(name);
    FillOpenFileRecord(record, path);

    if (style & OF_VERIFY)
        return FailOpenFile(record, ERROR_NOT_SUPPORTED);
    if (style & OF_PARSE)
        return 0;
    if (style & OF_DELETE) {
        struct stat status {};
        if (stat(path.c_str(), &status) != 0)
            return FailOpenFile(record, platform::ErrorFromErrno(errno));
        if (S_ISDIR(status.st_mode) || IsReadOnly(status))
            return FailOpenFile(record, ERROR_ACCESS_DENIED);
        if (unlink(path.c_str()) != 0)
            return FailOpenFile(record, platform::ErrorFromErrno(errno));
        return 1;
    }

    DWORD access = (style & 0x3) == OF_WRITE       ? GENERIC_WRITE
                   : (style & 0x3) == OF_READWRITE ? GENERIC_READ | GENERIC_WRITE
                                                   : GENERIC_READ;
    DWORD disposition = (style & OF_CREATE) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE handle = CreateFileA(name.c_str(), access, ShareModeOfStyle(style), nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FailOpenFile(record, GetLastError());
    HFILE result = static_cast<HFILE>(reinterpret_cast<INT_PTR>(handle));
    if (style & OF_EXIST)
        CloseHandle(handle);
    SetLastError(ERROR_SUCCESS);
    return result;
}
