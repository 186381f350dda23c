#include "core/SysUtils.h"

#include "core/Exception.h"
#include "core/Format.h"
#include "platform/base/WinError.h"
#include "platform/sys/File.h"

#include <cstdint>

bool FileExists(const std::string& fileName) {
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SysErrorMessage(DWORD errorCode) {
    switch (errorCode) {
    case ERROR_SUCCESS:
        return "The operation completed successfully";
    case ERROR_FILE_NOT_FOUND:
        return "The system cannot find the file specified";
    case ERROR_PATH_NOT_FOUND:
        return "The system cannot find the path specified";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "The system cannot open the file";
    case ERROR_ACCESS_DENIED:
        return "Access is denied";
    case ERROR_INVALID_HANDLE:
        return "The handle is invalid";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "Not enough storage is available to process this command";
    case ERROR_SHARING_VIOLATION:
        return "The process cannot access the file because it is being used by another process";
    case ERROR_FILE_EXISTS:
        return "The file exists";
    case ERROR_INVALID_PARAMETER:
        return "The parameter is incorrect";
    case ERROR_DISK_FULL:
        return "There is not enough space on the disk";
    case ERROR_INVALID_NAME:
        return "The filename, directory name, or volume label syntax is incorrect";
    default:
        return Format("System Error.  Code: %u", errorCode);
    }
}

bool TryStrToInt(std::string_view text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        magnitude = magnitude * base + digit;
        // Hexadecimal texts may spell the full 32-bit pattern (such as $FFFFFFFF for -1).
        if (magnitude > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL))
            return false;
    }
    if (base == 16 && !negative) {
        value = static_cast<int>(static_cast<std::uint32_t>(magnitude));
        return true;
    }
    if (!negative && magnitude > INT32_MAX)
        return false;
    if (negative && magnitude > 0x80000000LL)
        return false;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw Exception(
            Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
    return value;
}
