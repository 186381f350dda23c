// Opens arbitrary bytes as a database and asks everything the program asks of one: every
// answer must be a record or an Exception, never a crash, a hang or a read outside the file.

#include "core/Exception.h"
#include "core/StringList.h"
#include "ipdb/untTQQWry.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string& DatabasePath() {
    static const std::string path = "/tmp/quillmere-fuzz-" + std::to_string(getpid()) + ".dat";
    return path;
}

void WriteInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(DatabasePath().c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

std::string AddressFrom(const std::uint8_t* data, std::size_t size) {
    std::uint8_t parts[4] = {};
    for (std::size_t i = 0; i < 4 && i < size; ++i)
        parts[i] = data[size - 1 - i];
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) + "." +
           std::to_string(parts[3]);
}

void Lookup(const std::string& address) {
    try {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(DatabasePath());
        std::int64_t n = TQQWry::FindRecord(wry, address);
        TStringList fields;
        TQQWry::GetRecordFields(wry, fields, n);
    } catch (const Exception&) {
    }
}

void AskInformation() {
    try {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(DatabasePath());
        std::int64_t count = wry->GetRecordCount();
        for (std::int64_t n = 1; n <= count && n <= 64; ++n) {
            TQQWryRecordBuffer buffer{};
            TQQWry::FormatRecord(wry, buffer, n);
        }
        TQQWry::GetVersionText(wry);
        TQQWry::GetReleaseDate(wry);
    } catch (const Exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteInput(data, size);
    for (const char* address : {"0.0.0.0", "1.2.3.4", "127.0.0.1", "255.255.255.255"})
        Lookup(address);
    Lookup(AddressFrom(data, size));
    AskInformation();
    return 0;
}
