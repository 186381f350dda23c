#pragma once
// The fixture of the skin engine's tests: a fresh headless display, skin data components made
// as a form's loading makes them, forms owned by the test, and no manager left behind.

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "platform/display/Headless.h"
#include "skin/data/DefaultSkin.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace skinengine {

using Bytes = std::vector<std::uint8_t>;

// The stored form of an archive: its length as a 32-bit little-endian word, then its bytes.
inline TMemoryStream StoredStream(const Bytes& archive) {
    TMemoryStream stream;
    const auto length = static_cast<std::uint32_t>(archive.size());
    const std::uint8_t word[4] = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                  static_cast<std::uint8_t>(length >> 16),
                                  static_cast<std::uint8_t>(length >> 24)};
    stream.WriteBuffer(word, 4);
    if (!archive.empty())
        stream.WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    stream.SetPosition(0);
    return stream;
}

inline Bytes DefaultSkinBytes() {
    const auto archive = DefaultSkinArchive();
    return Bytes(archive.begin(), archive.end());
}

// A skin the build draws into build/skins/ ("default", "dark", "rectangular").
inline std::string SkinFilePath(const std::string& design) {
    return std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn";
}

inline Bytes SkinFileBytes(const std::string& design) {
    std::ifstream file(SkinFilePath(design), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What a skin data is set to while its form is read.
struct Design {
    TSkinFormType formType = sfMainform;
    bool active = true;
    Bytes archive = DefaultSkinBytes();
};

} // namespace skinengine

class SkinEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Use();
        Application()->OnException = [this](TObject*, const Exception& error) {
            errors.push_back(error.Message());
        };
    }
    void TearDown() override {
        skinData.clear();
        forms.clear();
        Application()->ProcessMessages();
        Application()->OnException = nullptr;
        EXPECT_EQ(SkinManager(), nullptr) << "the manager goes with its last skin data";
    }

    // A skin data read as a form reads it (owner null, or a form), then Loaded.
    TSkinData* NewSkinData(const skinengine::Design& design = {}, TComponent* owner = nullptr) {
        auto* data = new TSkinData(owner);
        if (!owner)
            skinData.emplace_back(data);
        data->BeginLoading();
        data->SetActive(design.active);
        data->SetSkinFormtype(design.formType);
        TMemoryStream stored = skinengine::StoredStream(design.archive);
        data->ReadSkinStream(stored);
        data->Loaded();
        return data;
    }

    // A visible form owned by the test at (100, 100).
    TForm* NewForm(int width = 300, int height = 200) {
        auto* form = new TForm(nullptr);
        forms.emplace_back(form);
        form->SetBounds(100, 100, width, height);
        form->AfterConstruction();
        return form;
    }

    void Pump() {
        Application()->ProcessMessages();
        platform::headless::RunUntilIdle();
        Application()->ProcessMessages();
    }

    TSkinManage& Manager() { return *SkinManager(); }

    // The skin data go first: the manager goes with the last one and unskins the forms.
    std::vector<std::unique_ptr<TSkinData>> skinData;
    std::vector<std::unique_ptr<TCustomForm>> forms;
    std::vector<std::string> errors;
};
