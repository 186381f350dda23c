#pragma once
// Code page conversion. The ANSI code page of this platform is 936 (GBK): every narrow text
// of the program is GBK bytes. Linux speaks UTF-8, so texts are converted where they cross.

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_GBK = 936;
constexpr UINT CP_UTF8 = 65001;

constexpr DWORD MB_PRECOMPOSED = 0x01;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteCount, LPWSTR wide,
                        int wideCount);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR multiByte,
                        int multiByteCount, LPCSTR defaultChar, LPBOOL usedDefaultChar);
UINT GetACP();

namespace platform {

// Lead bytes of double-byte characters in code page 936; the trail byte follows.
constexpr bool IsGbkLeadByte(BYTE value) {
    return value >= 0x81 && value <= 0xFE;
}

// Characters the target cannot hold, and bytes that are not valid in the source, become `?`,
// as the platform does without its strict flags.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);

// True when every byte sequence of the text is valid in the code page.
bool IsValidGbk(std::string_view gbk);
// True when every character of the UTF-8 text exists in GBK.
bool CanEncodeAsGbk(std::string_view utf8);

} // namespace platform
