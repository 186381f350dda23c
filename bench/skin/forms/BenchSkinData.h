#pragma once
// The default skin loaded into an active skin data, as a program's start-up loads it.

#include "skin/data/DefaultSkin.h"
#include "skin/forms/WinSkinData.h"

#include <cstdint>
#include <memory>

inline std::unique_ptr<TSkinData> LoadedSkinData() {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->BeginLoading();
    data->SetActive(true);
    const auto archive = DefaultSkinArchive();
    data->SkinArchive().WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    data->LoadSkinData();
    data->Loaded();
    return data;
}
