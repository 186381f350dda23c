#pragma once
// TIcon: an icon handle (colour image and mask) as a graphic, stored as an ICO file.

#include "framework/graphics/Graphic.h"

class TIcon : public TGraphic {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    void Assign(const TPersistent* source) override;

    bool Empty() const override { return m_handle == nullptr; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    // An icon's size is its picture's: these raise EInvalidGraphic ("Cannot change the size of
    // an icon").
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    HICON Handle() const { return m_handle; }
    // Takes over an icon handle.
    void SetHandle(HICON icon);
    // Gives the handle to the caller, who must destroy it; the icon becomes empty.
    HICON ReleaseHandle();

    // The first image of an ICO file (uncompressed); EInvalidGraphic for anything else.
    void LoadFromStream(TStream& stream) override;
    // One 32-bit image with its mask; nothing for an empty icon.
    void SaveToStream(TStream& stream) override;

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    HICON m_handle = nullptr;
    int m_width = 0;
    int m_height = 0;
};
