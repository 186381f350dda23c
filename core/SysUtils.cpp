#include "core/SysUtils.h"

#include "core/Exception.h"
#include "core/Format.h"
#include "core/TextUtils.h"
#include "platform/base/WinError.h"
#include "platform/sys/File.h"

#include <cstdint>
#include <optional>

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
    const std::optional<std::int32_t> parsed = ParseInt32(text, IntegerSyntax::Lenient);
    if (parsed)
        value = *parsed;
    return parsed.has_value();
}

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw Exception(
            Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
    return value;
}
