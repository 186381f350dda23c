#include "skin/data/SkinElements.h"

TDataSkinObject::TDataSkinObject(std::string name)
    : Image(std::make_unique<TBitmap>()), Name(std::move(name)) {}
TDataSkinObject::~TDataSkinObject() = default;

TDataSkinBorder::TDataSkinBorder(std::string name)
    : TDataSkinObject(std::move(name)), ExtraImage(std::make_unique<TBitmap>()) {}
TDataSkinBorder::~TDataSkinBorder() = default;

TDataSkinButton::TDataSkinButton(std::string name)
    : TDataSkinObject(std::move(name)), CheckButton(std::make_unique<TBitmap>()),
      RadioButton(std::make_unique<TBitmap>()) {}
TDataSkinButton::~TDataSkinButton() = default;

TDataSkinTitle::TDataSkinTitle(std::string name) : TDataSkinObject(std::move(name)) {}
TDataSkinTitle::~TDataSkinTitle() = default;

TDataSkinSysButton::TDataSkinSysButton(std::string name) : TDataSkinObject(std::move(name)) {}
TDataSkinSysButton::~TDataSkinSysButton() = default;

TDataSkinBoxLabel::TDataSkinBoxLabel(std::string name) : TDataSkinObject(std::move(name)) {}
TDataSkinBoxLabel::~TDataSkinBoxLabel() = default;
