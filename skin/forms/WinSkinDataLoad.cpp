// TSkinData: the stored archive, loading a skin from it or from a file.

#include "skin/forms/WinSkinData.h"

#include "core/FileStream.h"
#include "core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"
#include "skin/forms/SkinMenuImages.h"

#include <array>

namespace {

std::int32_t ReadLength(TStream& stream) {
    std::array<std::uint8_t, 4> bytes{};
    stream.ReadBuffer(bytes.data(), 4);
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24));
}

void WriteLength(TStream& stream, std::int64_t length) {
    const auto value = static_cast<std::uint32_t>(length);
    const std::array<std::uint8_t, 4> bytes{
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    stream.WriteBuffer(bytes.data(), 4);
}

} // namespace

void TSkinData::ReadSkinStream(TStream& stream) {
    const std::int32_t length = ReadLength(stream);
    if (length <= 0)
        return;
    // A length beyond the stream is a damaged form: refused before any memory is set aside.
    if (length > stream.Size() - stream.Position())
        throw Exception("Stream read error");
    m_skinArchive.SetSize(length);
    m_skinArchive.SetPosition(0);
    stream.ReadBuffer(m_skinArchive.Memory(), length);
    m_skinArchive.SetPosition(0);
    LoadSkinData();
}

void TSkinData::WriteSkinStream(TStream& stream) const {
    const std::int64_t size = m_skinArchive.Size();
    WriteLength(stream, size);
    if (size > 0)
        stream.WriteBuffer(m_skinArchive.Memory(), size);
}

bool TSkinData::LoadSkinData() {
    m_noSkin = 1;
    TSkinReader reader;
    if (!reader.LoadSkin(m_skinArchive))
        return false;
    TMemoryStream entry;
    std::string entryName;
    reader.FindEntry(".ini", entry, entryName);
    entry.SetPosition(0);
    TQuickIni ini;
    ini.LoadFromStream(&entry);
    // The menus' pictures were composed from the elements about to be replaced.
    m_menuImages.reset();
    m_elements->ReadSkinElements(reader, ini);
    KeepFrameImagesAs32Bits();
    m_noSkin = 0;
    return true;
}

void TSkinData::KeepFrameImagesAs32Bits() {
    // The frame's images are drawn on every frame paint: as 32-bit sections they are read in
    // place, where other depths are converted on every call.
    TSkinElements& skin = *m_elements;
    for (TDataSkinObject* element : {static_cast<TDataSkinObject*>(skin.BorderLeft.get()),
                                     static_cast<TDataSkinObject*>(skin.BorderRight.get()),
                                     static_cast<TDataSkinObject*>(skin.BorderTop.get()),
                                     static_cast<TDataSkinObject*>(skin.BorderBottom.get()),
                                     static_cast<TDataSkinObject*>(skin.Title.get())}) {
        if (!element->Image->Empty())
            element->Image->SetPixelFormat(pf32bit);
    }
    for (const auto& button : skin.SysButtons) {
        if (!button->Image->Empty())
            button->Image->SetPixelFormat(pf32bit);
    }
}

void TSkinData::SetSkinFile(const std::string& path) {
    if (Reading()) {
        m_skinFile = path;
        return;
    }
    m_noSkin = 1;
    m_skinFile = path;
    if (!FileExists(path))
        return;
    {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        m_skinArchive.LoadFromStream(file);
    }
    LoadSkinData();
    ApplySkin();
}
