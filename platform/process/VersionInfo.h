#pragma once
// File version information: GetFileVersionInfoSizeA, GetFileVersionInfoA, VerQueryValueA.
// PE executables give their own version resource. Linux executables have none; for them the
// block is made from the package manager's record of the file: the package's short
// description as "FileDescription", its maintainer's name as "CompanyName", the package as
// "ProductName" and "InternalName", its version as "FileVersion" and "ProductVersion", under
// the translation 0409 / 04B0. A bare file name is looked for along the platform's search
// order (see FileSearch.h). Texts are GBK.

#include "platform/base/WinTypes.h"

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003F;
constexpr DWORD VOS_UNKNOWN = 0x00000000;
constexpr DWORD VFT_APP = 0x00000001;

// The size of the block GetFileVersionInfoA delivers; 0 with ERROR_FILE_NOT_FOUND or
// ERROR_RESOURCE_TYPE_NOT_FOUND when there is none. `handle` (optional) is set to 0.
DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);
// Copies the block; a smaller buffer receives the block cut to its size.
BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD length, LPVOID data);
// "\" gives the VS_FIXEDFILEINFO, "\VarFileInfo\Translation" the language / code page pairs,
// "\StringFileInfo\<language><code page>\<name>" a NUL-terminated text; `length` counts bytes
// (texts with their NUL). Keys match without regard to case.
BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* value, UINT* length);
