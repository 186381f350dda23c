#include "framework/graphics/Graphic.h"

#include "core/FileStream.h"

const TClass& TGraphic::ClassInfo() {
    static const TClass info("TGraphic", &TPersistent::ClassInfo());
    return info;
}

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TGraphic::Changed() {
    m_modified = true;
    if (OnChange)
        OnChange(this);
}
