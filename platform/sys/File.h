#pragma once
// Files: attributes, opening with the platform's access rights, creation dispositions and
// share modes, reading, writing, the file pointer and the size. Paths are GBK; '\' and '/'
// both separate folders (platform::LinuxPath), and a relative path is taken from the current
// folder (OpenFile does not search the executable's folder or PATH for a bare name).
//
// A file whose owner write bit is clear is this platform's read-only file: its attributes
// include FILE_ATTRIBUTE_READONLY, and opening it for writing fails with
// ERROR_ACCESS_DENIED even for root.
//
// Share modes hold among every handle this layer opens, in this process and in any other
// process using this layer, through open-file-description locks (ShareMode.h). Programs that
// do not use this layer are not seen: they can open, change or delete a file whatever share
// mode our handles hold, and our opens do not see theirs.

#include "platform/base/WinTypes.h"

// Access rights.
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD GENERIC_EXECUTE = 0x20000000;
constexpr DWORD GENERIC_ALL = 0x10000000;
constexpr DWORD DELETE = 0x00010000;
constexpr DWORD FILE_READ_DATA = 0x0001;
constexpr DWORD FILE_WRITE_DATA = 0x0002;
constexpr DWORD FILE_APPEND_DATA = 0x0004;

// Share modes.
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

// Creation dispositions.
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

// Attributes.
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

// Move methods of SetFilePointer.
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;

// OpenFile styles.
constexpr UINT OF_READ = 0x0000;
constexpr UINT OF_WRITE = 0x0001;
constexpr UINT OF_READWRITE = 0x0002;
constexpr UINT OF_SHARE_COMPAT = 0x0000;
constexpr UINT OF_SHARE_EXCLUSIVE = 0x0010;
constexpr UINT OF_SHARE_DENY_WRITE = 0x0020;
constexpr UINT OF_SHARE_DENY_READ = 0x0030;
constexpr UINT OF_SHARE_DENY_NONE = 0x0040;
constexpr UINT OF_PARSE = 0x0100;
constexpr UINT OF_DELETE = 0x0200;
constexpr UINT OF_VERIFY = 0x0400;
constexpr UINT OF_CANCEL = 0x0800;
constexpr UINT OF_CREATE = 0x1000;
constexpr UINT OF_PROMPT = 0x2000;
constexpr UINT OF_EXIST = 0x4000;
constexpr UINT OF_REOPEN = 0x8000;

constexpr int OFS_MAXPATHNAME = 128;

// The open-file record of OpenFile: szPathName receives the full path (GBK) of the file,
// nErrCode the error code of a failed call.
struct OFSTRUCT {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD Reserved1;
    WORD Reserved2;
    CHAR szPathName[OFS_MAXPATHNAME];
};
using LPOFSTRUCT = OFSTRUCT*;

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};
using PLARGE_INTEGER = LARGE_INTEGER*;

// Positional reads and writes: when given, Offset/OffsetHigh say where the transfer starts
// and the file pointer is left after it. Every handle of this layer is synchronous.
struct OVERLAPPED {
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

DWORD GetFileAttributesA(LPCSTR fileName);

// dwFlagsAndAttributes: FILE_ATTRIBUTE_READONLY makes a newly created file read-only; other
// attributes and flags have no meaning here and are ignored. Opening a folder fails with
// ERROR_ACCESS_DENIED. templateFile must be null.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped);

DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
BOOL GetFileSizeEx(HANDLE file, PLARGE_INTEGER fileSize);

DWORD SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh, DWORD moveMethod);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distanceToMove, PLARGE_INTEGER newFilePointer,
                      DWORD moveMethod);
// Cuts or extends the file at its file pointer.
BOOL SetEndOfFile(HANDLE file);

// OF_READ / OF_WRITE / OF_READWRITE with an OF_SHARE_ mode (compatibility mode shares reading
// and writing), OF_CREATE, OF_EXIST, OF_DELETE, OF_PARSE and OF_REOPEN. There is no dialog on
// this platform: OF_PROMPT and OF_CANCEL are ignored; OF_VERIFY fails with ERROR_NOT_SUPPORTED.
// The handle is closed with CloseHandle (HFILE and HANDLE convert as on the platform).
HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT reOpenBuff, UINT style);
