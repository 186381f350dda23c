#include "framework/controls/ControlProperties.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/WinControl.h"

std::vector<TPropInfo> AppearanceProperties(std::vector<TPropInfo> own) {
    std::vector<TPropInfo> list{
        OrdProperty("Color", &TControl::Color, &TControl::SetColor),
        ObjProperty("Font", &TControl::Font, &TControl::SetFont),
        EnumProperty("ParentColor", BooleanIdents(), &TControl::ParentColor, &TControl::SetParentColor),
        EnumProperty("ParentFont", BooleanIdents(), &TControl::ParentFont, &TControl::SetParentFont),
        EnumProperty("BiDiMode", BiDiModeIdents(), &TControl::BiDiMode, &TControl::SetBiDiMode),
        MethodProperty("OnClick", &TControl::OnClick),
        MethodProperty("OnMouseDown", &TControl::OnMouseDown),
    };
    for (TPropInfo& info : own)
        list.push_back(std::move(info));
    return list;
}

std::vector<TPropInfo> CommonControlProperties(std::vector<TPropInfo> own) {
    own.insert(own.begin(), EnumProperty("ParentBackground", BooleanIdents(), &TWinControl::ParentBackground,
                                         &TWinControl::SetParentBackground));
    return AppearanceProperties(std::move(own));
}
