#pragma once
// The IP location database: TQQWry maps a "QQWry.Dat" file and answers which record (an IPv4
// range with a country and an area text, GBK) holds an address, and what the database is.
//
// File layout (integers unsigned little-endian, offsets absolute):
//   0  first index entry offset (4 bytes)     4  last index entry offset (4 bytes)
//   8  data records and their strings, up to the first index entry
//   index: 7 bytes per record, ascending start IP: start IP (4 bytes), record offset (3 bytes)
// A data record is its end IP (4 bytes) and a location: a country part and an area part,
// each inline (a NUL-terminated string) or reached through a redirect (mode byte 1 or 2 and
// a 3-byte offset); see ReadLocation.
//
// Ownership: a TQQWry lives in a std::unique_ptr from Create. FindRecord, FormatRecord,
// GetRecordFields, GetVersionText and GetReleaseDate take that owner: when one of them fails,
// the object (file, mapping and view) is destroyed and the owner emptied before the
// Exception reaches the caller, so the caller neither uses nor frees it again. Only
// GetReleaseDate's date conversion, which comes after a successful lookup, leaves the object
// alive. The object cannot exist outside such an owner (its constructor needs a key only
// Create has), so these operations cannot be reached in a way that destroys an object
// someone else still holds.

#include "core/DateTime.h"
#include "core/StringList.h"
#include "platform/base/WinTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// FormatRecord's working buffer. The record text, CR LF included, takes at most 254 bytes;
// the last byte always stays NUL.
using TQQWryRecordBuffer = std::array<char, 255>;

// The parts of the text between occurrences of the delimiter, in order; the part after the
// last occurrence is always added, even when empty.
std::unique_ptr<TStringList> SplitText(std::string_view text, char delimiter);

// The release date an area text such as "2005年3月9日IP数据" names: the text before "IP数据"
// with 年, 月 and 日 read as "-", converted by StrToDate (which raises "'%s' is not a valid
// date").
TDateTime ReleaseDateOfArea(std::string_view area);

class TQQWry {
    struct ConstructionKey {
        explicit ConstructionKey() = default;
    };

public:
    // Opens and maps the database file and reads its header. Raises Exception with
    // "文件 %s 不存在！", "文件 %s 无法打开！" (the file cannot be opened without sharing, e.g.
    // while another handle has it open), "文件 %s 大小为空！", "文件 %s 不能打开！" (it cannot be
    // opened for reading and writing, e.g. it is read-only), "不能创建内存映象文件！",
    // "不能获取文件映射地址！" or "文件 %s 已损坏（文件头不完整）！"; whatever was acquired is
    // released first.
    static std::unique_ptr<TQQWry> Create(const std::string& fileName);

    TQQWry(ConstructionKey, const std::string& fileName);
    virtual ~TQQWry();
    TQQWry(const TQQWry&) = delete;
    TQQWry& operator=(const TQQWry&) = delete;

    std::int64_t GetDataFileSize() const { return FileSize; }
    std::int64_t GetRecordCount() const { return RecordCount; }

    // a.b.c.d as a·16777216 + b·65536 + c·256 + d. Parts are not range-checked (1.2.3.300 is
    // 16909356) and parts after the fourth are ignored; fewer than four parts or a part that
    // is no integer raise "无效的IP地址！".
    static std::int64_t IPToValue(std::string_view text);

    // The number (from 1) of the last record whose start IP is at or below the address, or 0
    // when there is none.
    static std::int64_t FindRecord(std::unique_ptr<TQQWry>& self, std::string_view text);
    // Writes the record text of record n: start IP padded to 16 bytes, end IP padded to 16
    // bytes, the location (country, a blank, area; a trailing blank dropped), CR LF. A location
    // too long for the buffer is cut at a character boundary. "IP信息记录号过小或越界！" for a
    // number outside 1..RecordCount.
    static void FormatRecord(std::unique_ptr<TQQWry>& self, TQQWryRecordBuffer& buffer, std::int64_t n);
    // Replaces the list with the fields of record n: start IP, end IP, the first word of the
    // location, the other words joined by blanks (or "无" when there are none), then the fifth
    // and later words one by one.
    static void GetRecordFields(std::unique_ptr<TQQWry>& self, TStringList& list, std::int64_t n);
    // Field 2 of the last record, which names the release.
    static std::string GetVersionText(std::unique_ptr<TQQWry>& self);
    // The date in field 3 of the last record (ReleaseDateOfArea).
    static TDateTime GetReleaseDate(std::unique_ptr<TQQWry>& self);

private:
    std::int64_t MeasureFile(const std::string& path);
    void Open();
    void Release();

    std::int64_t SearchIndex(std::int64_t target, std::int64_t high, std::int64_t low);
    void FormatRecordText(TQQWryRecordBuffer& buffer, std::int64_t n);
    std::size_t ReadLocation(char* destination, std::size_t capacity, std::int64_t recordOffset);
    std::size_t ReadArea(char* destination, std::size_t capacity, std::int64_t areaOffset);

    // Bounds-checked reads of the view; each moves Cursor. Index reads raise
    // "文件 %s 已损坏（索引越界）！", data reads "文件 %s 已损坏（数据越界）！".
    std::int64_t IndexEntryOffset(std::int64_t n);
    std::uint32_t StartIPOf(std::int64_t n);
    std::uint8_t ReadByte(std::int64_t offset);
    std::uint32_t ReadOffset(std::int64_t offset);
    std::string_view ReadString(std::int64_t offset);
    [[noreturn]] void RaiseDamagedIndex() const;
    [[noreturn]] void RaiseDamagedData() const;

    std::string FileName;
    std::int64_t FileSize = 0;
    std::int64_t RecordCount = 0;
    std::int32_t FirstIndexOffset = 0;
    std::int32_t LastIndexOffset = 0;
    HFILE FileHandle = HFILE_ERROR;
    HANDLE MappingHandle = nullptr;
    const BYTE* ViewBase = nullptr;
    const BYTE* Cursor = nullptr;
};
