#pragma once
// Skins for the frame tests: the default skin with its description or bitmaps changed, packed
// again as an archive.

#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"
#include "tests/skin/forms/SkinEngineFixture.h"

#include <functional>
#include <map>
#include <string>

namespace skinengine {

struct SkinSources {
    std::string ini;
    std::map<std::string, Bytes> bitmaps; // by entry name
};

inline SkinSources DefaultSkinSources() {
    TSkinReader reader;
    TMemoryStream archive;
    const Bytes bytes = DefaultSkinBytes();
    archive.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    archive.SetPosition(0);
    SkinSources sources;
    if (!reader.LoadSkin(archive))
        return sources;
    for (int i = 0; i < reader.EntryNames().Count(); ++i) {
        const std::string name = reader.EntryNames()[i];
        TMemoryStream entry;
        reader.GetEntry(name, entry);
        Bytes data(entry.Memory(), entry.Memory() + entry.Size());
        if (name.ends_with(".ini"))
            sources.ini.assign(data.begin(), data.end());
        else
            sources.bitmaps[name] = std::move(data);
    }
    return sources;
}

// Replaces the value of a key of the description (the first line "key=...").
inline void SetIniValue(SkinSources& sources, const std::string& key, const std::string& value) {
    const std::size_t at = sources.ini.find("\n" + key + "=");
    if (at == std::string::npos)
        return;
    const std::size_t start = at + 1 + key.size() + 1;
    const std::size_t end = sources.ini.find_first_of("\r\n", start);
    sources.ini.replace(start, end - start, value);
}

inline Bytes BitmapBytes(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return Bytes(stream.Memory(), stream.Memory() + stream.Size());
}

inline Bytes PackSkin(const SkinSources& sources) {
    std::vector<TSkinEntry> entries;
    entries.push_back({"skin.ini", Bytes(sources.ini.begin(), sources.ini.end())});
    for (const auto& [name, data] : sources.bitmaps)
        entries.push_back({name, data});
    return PackSkinImage(BuildSkinImage(20000, entries));
}

} // namespace skinengine
