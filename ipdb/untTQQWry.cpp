#include "ipdb/untTQQWry.h"

#include "core/AnsiStrings.h"
#include "core/Exception.h"
#include "core/FileStream.h"
#include "core/Format.h"
#include "core/SysUtils.h"
#include "platform/base/KernelObject.h"
#include "platform/sys/File.h"
#include "platform/sys/FileMapping.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>

namespace {

constexpr std::int64_t IndexEntrySize = 7;
constexpr std::int64_t HeaderSize = 8;
constexpr std::size_t AddressColumnWidth = 16;
constexpr std::size_t LocationColumn = 2 * AddressColumnWidth;
// The record text and its CR LF end before the buffer's last byte.
constexpr std::size_t LocationCapacity = std::tuple_size_v<TQQWryRecordBuffer> - 1 - 2 - LocationColumn;

constexpr BYTE RedirectCountryAndArea = 1;
constexpr BYTE RedirectCountry = 2;

const char* const InvalidAddress = "无效的IP地址！";
const char* const RecordOutOfRange = "IP信息记录号过小或越界！";
const char* const UnknownArea = "未知地区";

std::uint32_t LittleEndian32(const BYTE* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint32_t LittleEndian24(const BYTE* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16;
}

// Writes the four bytes as dotted decimal (most significant first) at the position, then
// blanks up to the end of the column.
void WriteAddressColumn(TQQWryRecordBuffer& buffer, std::size_t column, const BYTE* littleEndian) {
    std::size_t position = column;
    for (int i = 3; i >= 0; --i) {
        unsigned value = littleEndian[i];
        if (value >= 100)
            buffer[position++] = static_cast<char>('0' + value / 100);
        if (value >= 10)
            buffer[position++] = static_cast<char>('0' + value / 10 % 10);
        buffer[position++] = static_cast<char>('0' + value % 10);
        if (i > 0)
            buffer[position++] = '.';
    }
    while (position < column + AddressColumnWidth)
        buffer[position++] = ' ';
}

std::size_t CopyBounded(char* destination, std::size_t capacity, std::string_view text) {
    std::size_t length = text.size() < capacity ? text.size() : capacity;
    std::memcpy(destination, text.data(), length);
    return length;
}

HANDLE HandleOfFile(HFILE file) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file));
}

// Runs an operation that destroys the object when it fails: the owner is emptied, then a new
// Exception with the caught message leaves.
template <typename Operation>
auto DestroyOnFailure(std::unique_ptr<TQQWry>& self, Operation operation) -> decltype(operation(*self)) {
    if (!self)
        throw Exception("IP数据库对象已不存在！");
    try {
        return operation(*self);
    } catch (const std::exception& error) {
        std::string message = error.what();
        self.reset();
        throw Exception(message);
    }
}

} // namespace

std::unique_ptr<TStringList> SplitText(std::string_view text, char delimiter) {
    auto list = std::make_unique<TStringList>();
    std::size_t found;
    while ((found = text.find(delimiter)) != std::string_view::npos) {
        list->Add(std::string(text.substr(0, found)));
        text.remove_prefix(found + 1);
    }
    list->Add(std::string(text));
    return list;
}

TDateTime ReleaseDateOfArea(std::string_view area) {
    std::size_t end = AnsiPos(area, "IP数据");
    std::string text = end == std::string_view::npos ? std::string() : std::string(area.substr(0, end));
    text = AnsiReplaceAll(text, "年", "-");
    text = AnsiReplaceAll(text, "月", "-");
    text = AnsiReplaceAll(text, "日", "-");
    return StrToDate(text);
}

std::unique_ptr<TQQWry> TQQWry::Create(const std::string& fileName) {
    return std::make_unique<TQQWry>(ConstructionKey(), fileName);
}

TQQWry::TQQWry(ConstructionKey, const std::string& fileName) : FileName(fileName) {
    try {
        Open();
    } catch (...) {
        Release();
        throw;
    }
}

TQQWry::~TQQWry() {
    Release();
}

std::int64_t TQQWry::MeasureFile(const std::string& path) {
    TFileStream stream(path, fmOpenRead | fmShareExclusive);
    return stream.Size();
}

void TQQWry::Open() {
    const char* name = FileName.c_str();
    if (!FileExists(FileName))
        throw Exception(Format("文件 %s 不存在！", name));
    try {
        FileSize = MeasureFile(FileName);
    } catch (const Exception&) {
        FileSize = -1;
    }
    if (FileSize < 0)
        throw Exception(Format("文件 %s 无法打开！", name));
    if (FileSize == 0)
        throw Exception(Format("文件 %s 大小为空！", name));

    OFSTRUCT openFileRecord{};
    FileHandle = OpenFile(name, &openFileRecord, OF_READWRITE);
    if (FileHandle == HFILE_ERROR)
        throw Exception(Format("文件 %s 不能打开！", name));
    // The database is only read, so the mapping and its view are read-only. The mapping has
    // no name: a named one would hand a second object alive at the same time the first one's
    // file. It covers the measured size; a file that shrank since cannot be mapped that far.
    MappingHandle = CreateFileMappingA(HandleOfFile(FileHandle), nullptr, PAGE_READONLY,
                                       static_cast<DWORD>(static_cast<std::uint64_t>(FileSize) >> 32),
                                       static_cast<DWORD>(FileSize), nullptr);
    if (!MappingHandle)
        throw Exception("不能创建内存映象文件！");
    ViewBase = static_cast<const BYTE*>(MapViewOfFile(MappingHandle, FILE_MAP_READ, 0, 0, 0));
    if (!ViewBase)
        throw Exception("不能获取文件映射地址！");

    if (FileSize < HeaderSize)
        throw Exception(Format("文件 %s 已损坏（文件头不完整）！", name));
    const std::uint32_t first = LittleEndian32(ViewBase);
    Cursor = ViewBase + 4;
    const std::uint32_t last = LittleEndian32(Cursor);
    // A file that is not a database would otherwise open and tell a record count made of its
    // first eight bytes: the index must run forward, in whole entries, and end inside the file.
    if (first > last || (last - first) % IndexEntrySize != 0 ||
        static_cast<std::int64_t>(last) > std::min<std::int64_t>(FileSize - IndexEntrySize, INT32_MAX))
        RaiseDamagedIndex();
    FirstIndexOffset = static_cast<std::int32_t>(first);
    LastIndexOffset = static_cast<std::int32_t>(last);
    RecordCount = (static_cast<std::int64_t>(LastIndexOffset) - FirstIndexOffset) / IndexEntrySize + 1;
}

void TQQWry::Release() {
    if (ViewBase) {
        UnmapViewOfFile(ViewBase);
        ViewBase = nullptr;
        Cursor = nullptr;
    }
    if (MappingHandle) {
        CloseHandle(MappingHandle);
        MappingHandle = nullptr;
    }
    if (FileHandle != HFILE_ERROR) {
        CloseHandle(HandleOfFile(FileHandle));
        FileHandle = HFILE_ERROR;
    }
}

std::int64_t TQQWry::IPToValue(std::string_view text) {
    std::unique_ptr<TStringList> parts = SplitText(text, '.');
    if (parts->Count() < 4)
        throw Exception(InvalidAddress);
    std::int64_t value = 0;
    std::int64_t weight = 1;
    for (int i = 3; i >= 0; --i) {
        int part = 0;
        if (!TryStrToInt(parts->Strings(i), part))
            throw Exception(InvalidAddress);
        value += part * weight;
        weight *= 256;
    }
    return value;
}

std::int64_t TQQWry::FindRecord(std::unique_ptr<TQQWry>& self, std::string_view text) {
    return DestroyOnFailure(self, [text](TQQWry& wry) {
        std::int64_t target = IPToValue(text);
        return wry.SearchIndex(target, wry.RecordCount, 1);
    });
}

std::int64_t TQQWry::SearchIndex(std::int64_t target, std::int64_t high, std::int64_t low) {
    // Halves [low, high] until the record whose range holds the target is found. An empty
    // range (no records, or a target below the first start IP) ends with 0, as does a target
    // equal to a start IP that the next record does not exceed (an index out of order).
    while (low <= high) {
        std::int64_t mid = low + (high - low) / 2;
        if (low == high)
            return StartIPOf(low) <= target ? low : 0;
        std::int64_t start = StartIPOf(mid);
        std::int64_t next = StartIPOf(mid + 1);
        if (start <= target && target < next)
            return mid;
        if (target > start)
            low = mid + 1;
        else if (target == start)
            return 0;
        else
            high = mid - 1;
    }
    return 0;
}

void TQQWry::FormatRecord(std::unique_ptr<TQQWry>& self, TQQWryRecordBuffer& buffer, std::int64_t n) {
    DestroyOnFailure(self, [&buffer, n](TQQWry& wry) { wry.FormatRecordText(buffer, n); });
}

void TQQWry::FormatRecordText(TQQWryRecordBuffer& buffer, std::int64_t n) {
    if (n < 1 || n > RecordCount)
        throw Exception(RecordOutOfRange);
    buffer.fill('\0');
    const std::int64_t entry = IndexEntryOffset(n);
    WriteAddressColumn(buffer, 0, ViewBase + entry);
    const std::int64_t record = ReadOffset(entry + 4);
    if (record > FileSize - 4)
        RaiseDamagedData();
    Cursor = ViewBase + record;
    WriteAddressColumn(buffer, AddressColumnWidth, Cursor);

    char* location = buffer.data() + LocationColumn;
    std::size_t length = ReadLocation(location, LocationCapacity, record);
    length = AnsiPrefixLength(std::string_view(location, length), LocationCapacity);
    if (length > 0 && location[length - 1] == ' ')
        --length;
    location[length] = '\r';
    location[length + 1] = '\n';
    std::memset(location + length + 2, 0, buffer.size() - LocationColumn - length - 2);
}

std::size_t TQQWry::ReadLocation(char* destination, std::size_t capacity, std::int64_t recordOffset) {
    const std::int64_t location = recordOffset + 4;
    std::string_view country;
    std::int64_t area;
    switch (ReadByte(location)) {
    case RedirectCountryAndArea: {
        const std::int64_t moved = ReadOffset(location + 1);
        if (ReadByte(moved) == RedirectCountry) {
            country = ReadString(ReadOffset(moved + 1));
            area = moved + 4;
        } else {
            country = ReadString(moved);
            area = moved + static_cast<std::int64_t>(country.size()) + 1;
        }
        break;
    }
    case RedirectCountry:
        country = ReadString(ReadOffset(location + 1));
        area = recordOffset + 8;
        break;
    default:
        country = ReadString(location);
        area = location + static_cast<std::int64_t>(country.size()) + 1;
        break;
    }
    std::size_t length = CopyBounded(destination, capacity, country);
    length += CopyBounded(destination + length, capacity - length, " ");
    return length + ReadArea(destination + length, capacity - length, area);
}

std::size_t TQQWry::ReadArea(char* destination, std::size_t capacity, std::int64_t areaOffset) {
    const BYTE mode = ReadByte(areaOffset);
    if (mode == RedirectCountryAndArea || mode == RedirectCountry) {
        const std::int64_t target = ReadOffset(areaOffset + 1);
        return CopyBounded(destination, capacity,
                           target == 0 ? std::string_view(UnknownArea) : ReadString(target));
    }
    return CopyBounded(destination, capacity, ReadString(areaOffset));
}

void TQQWry::GetRecordFields(std::unique_ptr<TQQWry>& self, TStringList& list, std::int64_t n) {
    DestroyOnFailure(self, [&list, n](TQQWry& wry) {
        TQQWryRecordBuffer buffer{};
        wry.FormatRecordText(buffer, n);
        std::string_view text(buffer.data());
        if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
            text.remove_suffix(2);
        list.SetCommaText(text);
        while (list.Count() < 4)
            list.Add("无");
        for (int k = 4; k < list.Count(); ++k)
            list.SetStrings(3, list[3] + " " + list[k]);
    });
}

std::string TQQWry::GetVersionText(std::unique_ptr<TQQWry>& self) {
    TStringList fields;
    GetRecordFields(self, fields, self ? self->RecordCount : 0);
    return fields[2];
}

TDateTime TQQWry::GetReleaseDate(std::unique_ptr<TQQWry>& self) {
    TStringList fields;
    GetRecordFields(self, fields, self ? self->RecordCount : 0);
    return ReleaseDateOfArea(fields[3]);
}

std::int64_t TQQWry::IndexEntryOffset(std::int64_t n) {
    const std::int64_t entry = FirstIndexOffset + (n - 1) * IndexEntrySize;
    if (entry < 0 || entry > FileSize - IndexEntrySize)
        RaiseDamagedIndex();
    Cursor = ViewBase + entry;
    return entry;
}

std::uint32_t TQQWry::StartIPOf(std::int64_t n) {
    return LittleEndian32(ViewBase + IndexEntryOffset(n));
}

std::uint8_t TQQWry::ReadByte(std::int64_t offset) {
    if (offset < 0 || offset >= FileSize)
        RaiseDamagedData();
    Cursor = ViewBase + offset;
    return *Cursor;
}

std::uint32_t TQQWry::ReadOffset(std::int64_t offset) {
    if (offset < 0 || offset > FileSize - 3)
        RaiseDamagedData();
    Cursor = ViewBase + offset;
    return LittleEndian24(Cursor);
}

std::string_view TQQWry::ReadString(std::int64_t offset) {
    if (offset < 0 || offset >= FileSize)
        RaiseDamagedData();
    Cursor = ViewBase + offset;
    const void* end = std::memchr(Cursor, 0, static_cast<std::size_t>(FileSize - offset));
    if (!end)
        RaiseDamagedData();
    return std::string_view(reinterpret_cast<const char*>(Cursor),
                            static_cast<std::size_t>(static_cast<const BYTE*>(end) - Cursor));
}

void TQQWry::RaiseDamagedIndex() const {
    throw Exception(Format("文件 %s 已损坏（索引越界）！", FileName.c_str()));
}

void TQQWry::RaiseDamagedData() const {
    throw Exception(Format("文件 %s 已损坏（数据越界）！", FileName.c_str()));
}
