#include "framework/graphics/Picture.h"

#include "core/Format.h"
#include "core/TextUtils.h"

namespace {

std::unique_ptr<TGraphic> NewGraphicLike(const TGraphic& graphic) {
    if (dynamic_cast<const TIcon*>(&graphic))
        return std::make_unique<TIcon>();
    return std::make_unique<TBitmap>();
}

} // namespace

const TClass& TPicture::ClassInfo() {
    static const TClass info("TPicture", &TPersistent::ClassInfo());
    return info;
}

TPicture::~TPicture() = default;

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
    m_graphic = std::move(graphic);
    if (m_graphic)
        m_graphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

void TPicture::Assign(const TPersistent* source) {
    if (source == this)
        return;
    if (!source) {
        Hold(nullptr);
        return;
    }
    if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        SetGraphic(picture->m_graphic.get());
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(const_cast<TGraphic*>(graphic));
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::SetGraphic(TGraphic* graphic) {
    if (!graphic) {
        Hold(nullptr);
        return;
    }
    if (graphic == m_graphic.get())
        return;
    std::unique_ptr<TGraphic> copy = NewGraphicLike(*graphic);
    copy->Assign(graphic);
    Hold(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(m_graphic.get()))
        Hold(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(m_graphic.get());
}

TIcon* TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(m_graphic.get()))
        Hold(std::make_unique<TIcon>());
    return static_cast<TIcon*>(m_graphic.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : LowerCase(fileName.substr(dot));
    std::unique_ptr<TGraphic> graphic;
    if (extension == ".bmp")
        graphic = std::make_unique<TBitmap>();
    else if (extension == ".ico")
        graphic = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic(Format("Unknown picture file extension (%s)", extension.c_str()));
    graphic->LoadFromFile(fileName);
    Hold(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (m_graphic)
        m_graphic->SaveToFile(fileName);
}
