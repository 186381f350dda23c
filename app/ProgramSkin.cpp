#include "app/ProgramSkin.h"

#include "core/Exception.h"
#include "core/FileStream.h"
#include "core/SysUtils.h"
#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinRead.h"
#include "skin/forms/WinSkinData.h"

#include <cstdint>
#include <span>

namespace {

// The stored form of an archive: its length as a 32-bit little-endian word, then its bytes.
TMemoryStream StoredForm(std::span<const std::uint8_t> archive) {
    const auto length = static_cast<std::uint32_t>(archive.size());
    const std::uint8_t lengthWord[4] = {
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
    TMemoryStream stored;
    stored.WriteBuffer(lengthWord, sizeof lengthWord);
    stored.WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    stored.SetPosition(0);
    return stored;
}

// Whether the file holds a skin archive the reader takes, checked before the worn skin is
// touched (a skin data given a broken archive keeps its elements but stops skinning).
bool IsReadableSkin(const std::string& path) {
    TMemoryStream bytes;
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    bytes.LoadFromStream(file);
    bytes.SetPosition(0);
    TSkinReader reader;
    return reader.LoadSkin(bytes);
}

} // namespace

TSkinData* CreateStoredSkinData(TComponent* form, const std::string& name) {
    auto* skinData = new TSkinData(form);
    skinData->SetName(name);
    skinData->SetActive(true);
    skinData->SetSkinControls(DefaultSkinControls);
    skinData->SetOptions(DefaultSkinOptions);
    skinData->SetSkin3rd(DefaultSkin3rd());
    skinData->SetSkinFormtype(sfMainform);
    skinData->SetMenuUpdate(true);
    skinData->SetMenuMerge(false);
    TMemoryStream stored = StoredForm(DefaultSkinArchive());
    skinData->ReadSkinStream(stored);
    return skinData;
}

std::string WearSkinFile(TSkinData& skinData, const std::string& path) {
    if (!FileExists(path))
        return "找不到皮肤文件 " + path + "，仍使用默认皮肤。";
    try {
        if (!IsReadableSkin(path))
            return "文件 " + path + " 不是可用的皮肤文件，仍使用默认皮肤。";
        skinData.SetSkinFile(path);
    } catch (const Exception& error) {
        // A file that fails while the skin data reads it leaves it without a skin: the default
        // comes back.
        if (skinData.NoSkin() != 0) {
            TMemoryStream stored = StoredForm(DefaultSkinArchive());
            skinData.ReadSkinStream(stored);
        }
        return "无法读取皮肤文件 " + path + "（" + error.Message() + "），仍使用默认皮肤。";
    }
    return {};
}
