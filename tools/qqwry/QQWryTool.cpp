// qqwry: looks into and writes IP location databases ("QQWry.Dat").
// Output and errors are UTF-8; the exit status is 1 after any error.

#include "core/Exception.h"
#include "core/Format.h"
#include "core/StringList.h"
#include "ipdb/GeoIPImport.h"
#include "ipdb/GeoIPReader.h"
#include "ipdb/QQWrySource.h"
#include "ipdb/QQWryWriter.h"
#include "ipdb/untTQQWry.h"
#include "platform/base/CodePage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A narrow literal, so GBK like every text of the program: printed through GbkToUtf8.
const char* const Usage = R"(Usage: qqwry COMMAND ARGUMENTS...

Looks into and writes IP location databases in the QQWry.Dat format.

Commands:
  info FILE               size, record count, release date and version of the database
  lookup FILE IP...       for each address: the address, the record number, then the start
                          address, end address, country and area of its record (tab-separated)
  dump FILE               every record's text, one line each, in record order
  build SOURCE OUT        writes a database from a text file with one range per line:
                          start<TAB>end<TAB>country<TAB>area (dotted IPv4, UTF-8, ascending);
                          lines starting with '#' are comments; the last range is the release
                          record (country = version, area = YYYY年M月D日IP数据)
  import-geoip GEOIP.DAT SPECIAL.TXT OUT
                          writes a database of every IPv4 address from a GeoIP country
                          database (Debian: /usr/share/GeoIP/GeoIP.dat), countries named in
                          Chinese from iso-codes, continents as areas, with the special-purpose
                          ranges of SPECIAL.TXT (a build source, such as the sample) laid over
                          them; the last record names the data and its date

Output is UTF-8. The exit status is 1 after any error, 0 otherwise.
)";

void PrintLine(const std::string& gbk) {
    std::string line = platform::GbkToUtf8(gbk);
    line += '\n';
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

void PrintError(const std::string& gbk) {
    std::string line = "qqwry: " + platform::GbkToUtf8(gbk) + "\n";
    std::fputs(line.c_str(), stderr);
}

// Paths and addresses arrive as UTF-8; the database speaks GBK.
std::string ToGbk(const char* utf8) {
    return platform::Utf8ToGbk(utf8);
}

int Info(const char* file) {
    std::unique_ptr<TQQWry> wry = TQQWry::Create(ToGbk(file));
    PrintLine(Format("文件大小：%lld字节", static_cast<long long>(wry->GetDataFileSize())));
    PrintLine(Format("记录总数：%lld条", static_cast<long long>(wry->GetRecordCount())));
    TDateTime released = TQQWry::GetReleaseDate(wry);
    int year, month, day;
    DecodeDate(released, year, month, day);
    PrintLine(Format("更新日期：%d年%d月%d日", year, month, day));
    PrintLine("数据库版本：" + TQQWry::GetVersionText(wry));
    return 0;
}

// One construct-lookup-destroy cycle per address, as the connection list runs it per row.
int Lookup(const char* file, char** addresses, int count) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        try {
            std::unique_ptr<TQQWry> wry = TQQWry::Create(ToGbk(file));
            std::int64_t record = TQQWry::FindRecord(wry, ToGbk(addresses[i]));
            TStringList fields;
            TQQWry::GetRecordFields(wry, fields, record);
            wry.reset();
            PrintLine(Format("%s\t%lld\t%s\t%s\t%s\t%s", ToGbk(addresses[i]).c_str(),
                             static_cast<long long>(record), fields[0].c_str(), fields[1].c_str(),
                             fields[2].c_str(), fields[3].c_str()));
        } catch (const Exception& error) {
            PrintError(ToGbk(addresses[i]) + ": " + error.Message());
            status = 1;
        }
    }
    return status;
}

int Dump(const char* file) {
    std::unique_ptr<TQQWry> wry = TQQWry::Create(ToGbk(file));
    const std::int64_t count = wry->GetRecordCount();
    for (std::int64_t n = 1; n <= count; ++n) {
        TQQWryRecordBuffer buffer{};
        TQQWry::FormatRecord(wry, buffer, n);
        std::string text(buffer.data());
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
        PrintLine(text);
    }
    return 0;
}

std::string ReadWholeFile(const char* path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        throw Exception(Format("cannot read %s: %s", ToGbk(path).c_str(), std::strerror(errno)));
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// Writes beside the target and renames, so that a failure leaves no half-written file and an
// existing database stays as it was.
void WriteFileAtomically(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::string temporary = std::string(path) + ".XXXXXX";
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0)
        throw Exception(Format("cannot write %s: %s", ToGbk(path).c_str(), std::strerror(errno)));
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += static_cast<std::size_t>(count);
    }
    int error = written == bytes.size() ? 0 : errno;
    if (fchmod(descriptor, 0644) != 0 && error == 0)
        error = errno;
    if (close(descriptor) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temporary.c_str(), path) != 0)
        error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        throw Exception(Format("cannot write %s: %s", ToGbk(path).c_str(), std::strerror(error)));
    }
}

std::vector<QQWryRange> RangesOfSource(const char* sourcePath) {
    std::vector<QQWrySourceRange> source = ParseQQWrySource(ReadWholeFile(sourcePath));
    if (source.empty())
        throw Exception(Format("%s holds no range", ToGbk(sourcePath).c_str()));
    try {
        ReleaseDateOfArea(source.back().Range.Area);
    } catch (const Exception&) {
        throw Exception(
            Format("line %d: the last range is the release record; its area must name the date as "
                   "YYYY年M月D日IP数据",
                   source.back().Line));
    }
    std::vector<QQWryRange> ranges;
    ranges.reserve(source.size());
    for (QQWrySourceRange& entry : source)
        ranges.push_back(std::move(entry.Range));
    return ranges;
}

int Build(const char* sourcePath, const char* outPath) {
    std::vector<QQWryRange> ranges;
    try {
        ranges = RangesOfSource(sourcePath);
    } catch (const Exception& error) {
        throw Exception(ToGbk(sourcePath) + ": " + error.Message());
    }
    std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);
    WriteFileAtomically(outPath, bytes);
    PrintLine(Format("%s: %zu records, %zu bytes", ToGbk(outPath).c_str(), ranges.size(), bytes.size()));
    return 0;
}

// Every address from the GeoIP country data, named through iso-codes, with the sample's
// special-purpose ranges on top and a release record naming the data and its date.
int ImportGeoIP(const char* geoipPath, const char* specialPath, const char* outPath) {
    GeoIPCountryDatabase geoip = ReadGeoIPCountryDatabase(geoipPath);
    std::vector<QQWrySourceRange> special;
    try {
        special = ParseQQWrySource(ReadWholeFile(specialPath));
    } catch (const Exception& error) {
        throw Exception(ToGbk(specialPath) + ": " + error.Message());
    }
    std::vector<QQWryRange> ranges;
    try {
        ranges = ImportGeoIPRanges(geoip, special);
    } catch (const Exception& error) {
        throw Exception(ToGbk(geoipPath) + ": " + error.Message());
    }
    std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);
    WriteFileAtomically(outPath, bytes);
    PrintLine(Format("%s: %zu records from %zu GeoIP ranges, %zu bytes", ToGbk(outPath).c_str(),
                     ranges.size(), geoip.Ranges.size(), bytes.size()));
    return 0;
}

int UsageError(const char* problem) {
    std::fprintf(stderr, "qqwry: %s\n\n%s", problem, platform::GbkToUtf8(Usage).c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return UsageError("no command given");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(platform::GbkToUtf8(Usage).c_str(), stdout);
        return 0;
    }
    try {
        if (command == "info" && argc == 3)
            return Info(argv[2]);
        if (command == "lookup" && argc >= 4)
            return Lookup(argv[2], argv + 3, argc - 3);
        if (command == "dump" && argc == 3)
            return Dump(argv[2]);
        if (command == "build" && argc == 4)
            return Build(argv[2], argv[3]);
        if (command == "import-geoip" && argc == 5)
            return ImportGeoIP(argv[2], argv[3], argv[4]);
    } catch (const Exception& error) {
        PrintError(error.Message());
        return 1;
    }
    return UsageError(("unknown command or wrong number of arguments: " + command).c_str());
}
