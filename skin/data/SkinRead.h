#pragma once
// TSkinReader: decompresses a skin archive and hands out its entries (the INI description and
// the bitmaps it names) by name.

#include "core/Stream.h"
#include "core/StringList.h"
#include "skin/data/SkinFormat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TSkinReader {
public:
    TSkinReader();
    ~TSkinReader();
    TSkinReader(const TSkinReader&) = delete;
    TSkinReader& operator=(const TSkinReader&) = delete;

    // Decompresses the whole stream and reads its directory and entry data. False, with the
    // previous directory kept, for an archive that is not a readable skin: an unknown version
    // (after telling the user the skin file is too old), a declared size that is negative or
    // too large, or a directory that does not fit the data.
    bool LoadSkin(TStream& stream);

    // Rewinds both streams, reads the declared size from the source and writes that many
    // decoded bytes to the destination. False, with nothing written, when the source has no
    // size word or the size is negative or above SkinMaxImageSize.
    [[nodiscard]] bool Decompress(TStream& source, TStream& destination);

    // Empties the destination, then fills it with the entry of exactly the lower-cased name
    // and rewinds it; a missing name leaves it empty.
    void GetEntry(std::string_view name, TMemoryStream& destination) const;

    // Empties the destination, then fills it with the first entry whose name contains the
    // text (as given), rewinds it and sets `name`; otherwise `name` is left alone.
    void FindEntry(std::string_view text, TMemoryStream& destination, std::string& name) const;

    // Lower-cased names in archive order.
    const TStringList& EntryNames() const { return *entryNames; }
    std::int32_t EntryCount() const { return entryCount; }
    // The sizes of entries 0..EntryCount()-1; the rest are 0.
    const std::array<std::int32_t, SkinMaxEntries>& EntrySizes() const { return entrySizes; }
    // Every entry's bytes, concatenated.
    const TMemoryStream& EntryData() const { return *entryData; }
    // The header of the last archive read, also of one refused for its version or directory.
    const TSkinArchiveHeader& SkinHeader() const { return skinHeader; }

private:
    void CopyEntry(int index, TMemoryStream& destination) const;

    std::unique_ptr<TStringList> entryNames;
    std::int32_t entryCount = 0;
    std::array<std::int32_t, SkinMaxEntries> entrySizes{};
    std::unique_ptr<TMemoryStream> entryData;
    TSkinArchiveHeader skinHeader;
};
