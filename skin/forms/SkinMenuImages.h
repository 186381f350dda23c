#pragma once
// TSkinMenuImages: what the skinned menus draw from, composed once and kept between openings.
// The skin's images are 24-bit sections whose rows are converted on every copy from them, and
// composing a frame in nine parts through the colour key costs more than drawing a whole menu,
// so a menu keeps:
// - device copies of the menu background and menu item images;
// - the background composed to the sizes of the last few menu windows;
// - item frames (normal, selected, separator) composed per item size, each with the
//   rectangles that are not magenta when the skin leaves magenta pixels out.
// The skin data holds one and drops it when it loads another skin; each entry also remembers
// the record values it was made from, so a record changed in place is composed again.

#include "platform/user/WinUser.h"

#include <memory>
#include <vector>

class TBitmap;
class TDataSkinObject;
class TSkinData;

enum class TMenuItemPart { Normal, Selected, Separator };

class TSkinMenuImages {
public:
    explicit TSkinMenuImages(TSkinData& skinData);
    ~TSkinMenuImages();
    TSkinMenuImages(const TSkinMenuImages&) = delete;
    TSkinMenuImages& operator=(const TSkinMenuImages&) = delete;

    // The menu background drawn to a window of the size (shared: an open menu keeps its own
    // while others are opened); null when the skin has no menu background image.
    std::shared_ptr<TBitmap> Background(int width, int height);

    // Draws the skin's item frame for the part over the rectangle of the DC (a separator at the
    // rectangle's bottom); false when the skin has no item image.
    bool DrawItemPart(HDC dc, const RECT& rect, TMenuItemPart part);
    // Whether the part covers every pixel of an item of the size: what lies under it need not
    // be drawn first. False without an item image.
    bool ItemPartIsOpaque(int width, int height, TMenuItemPart part);

private:
    // The record values a composed picture depends on.
    struct TSource {
        const TBitmap* image = nullptr;
        int imageWidth = 0;
        int imageHeight = 0;
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        int tile = 0;
        int trans = 0;
        bool operator==(const TSource&) const = default;
    };
    struct TComposedBackground;
    struct TComposedPart;

    static TSource SourceOf(const TDataSkinObject& record);
    // The device copy of a record's image, refreshed when the record's image changed.
    TBitmap& DeviceImage(std::unique_ptr<TBitmap>& copy, TSource& copiedFrom, const TDataSkinObject& record);
    // The item record when it has an image to draw with.
    const TDataSkinObject* ItemRecord() const;
    const TComposedPart& ComposedPart(const TDataSkinObject& record, int width, int height,
                                      TMenuItemPart part);

    TSkinData& m_skinData;
    std::unique_ptr<TBitmap> m_backgroundImage;
    TSource m_backgroundImageSource;
    std::unique_ptr<TBitmap> m_itemImage;
    TSource m_itemImageSource;
    std::vector<TComposedBackground> m_backgrounds;
    std::vector<std::unique_ptr<TComposedPart>> m_parts;
};
