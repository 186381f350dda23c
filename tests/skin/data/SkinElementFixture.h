#pragma once
// Builds skin elements from a small archive written in the test: a description and bitmaps
// drawn as solid frames.

#include "skin/data/SkinElementSet.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

#include "SkinTestSupport.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/PixelSurface.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace skintest {

// A 24-bit BMP of `colours.size()` frames of width x height side by side, frame i filled with
// colours[i] (0xRRGGBB).
inline Bytes FramesBmp(int width, int height, std::initializer_list<platform::Pixel> colours) {
    platform::PixelSurface pixels(width * static_cast<int>(colours.size()), height);
    int frame = 0;
    for (platform::Pixel colour : colours) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.Set(frame * width + x, y, colour);
        ++frame;
    }
    return platform::EncodeBmp(pixels, 24);
}

inline Bytes SolidBmp(int width, int height, platform::Pixel colour = 0x336699) {
    return FramesBmp(width, height, {colour});
}

// The elements built from a stored archive, with the reader and description they came from.
class TLoadedSkin {
public:
    explicit TLoadedSkin(std::span<const std::uint8_t> stored) {
        TMemoryStream archive = StreamOf(stored);
        EXPECT_TRUE(reader.LoadSkin(archive));
        TMemoryStream description;
        std::string name;
        reader.FindEntry(".ini", description, name);
        parsed.LoadFromStream(&description);
        elements.ReadSkinElements(reader, parsed);
    }
    TSkinReader reader;
    TQuickIni parsed;
    TSkinElements elements;
};

// An archive of the description and the images, written in the test; its elements.
class TBuiltSkin : public TLoadedSkin {
public:
    TBuiltSkin(const std::string& ini, std::vector<TSkinEntry> images)
        : TLoadedSkin(PackSkinImage(BuildSkinImage(20000, WithDescription(ini, std::move(images))))) {}

private:
    static std::vector<TSkinEntry> WithDescription(const std::string& ini, std::vector<TSkinEntry> images) {
        images.insert(images.begin(), Entry("skin.ini", ini));
        return images;
    }
};

// The colour of a pixel as 0xRRGGBB.
inline platform::Pixel PixelAt(TBitmap& bitmap, int x, int y) {
    return platform::PixelFromColorRef(static_cast<std::uint32_t>(bitmap.Canvas()->Pixels(x, y)));
}

} // namespace skintest
