#pragma once
// TPicture: holds one graphic of any kind (a bitmap or an icon), made on demand by asking for
// the kind, and passes its changes on.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"

#include <memory>

class TPicture : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TPicture() = default;
    ~TPicture() override;

    // Copies another picture's graphic, or takes a copy of a graphic; null empties.
    void Assign(const TPersistent* source) override;

    TGraphic* Graphic() const { return m_graphic.get(); }
    // Holds a copy of the graphic (null: none).
    void SetGraphic(TGraphic* graphic);
    // The graphic as a bitmap or an icon; another kind is replaced by an empty one first.
    TBitmap* Bitmap();
    TIcon* Icon();

    int Width() const { return m_graphic ? m_graphic->Width() : 0; }
    int Height() const { return m_graphic ? m_graphic->Height() : 0; }

    // By the file name's extension: ".bmp" or ".ico"; EInvalidGraphic ("Unknown picture file
    // extension (.xyz)") for others.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    TNotifyEvent OnChange;

private:
    void Hold(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> m_graphic;
};
