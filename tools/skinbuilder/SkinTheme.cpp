#include "SkinTheme.h"

namespace skinbuilder {

TSkinDesign LightDesign() {
    TSkinPalette p{};
    p.face = 0xEEF1F5;
    p.window = 0xFFFFFF;
    p.text = 0x1F2933;
    p.textDisabled = 0x9AA5B1;
    p.line = 0xA7B2C0;
    p.lineSoft = 0xD3DAE3;
    p.accent = 0x2F6FB5;
    p.accentSoft = 0xDCE9F8;
    p.accentDeep = 0x1F4F86;
    p.highlightText = 0xFFFFFF;
    p.buttonTop = 0xFDFDFE;
    p.buttonBottom = 0xE8ECF1;
    p.frameEdge = 0x1E3A5C;
    p.captionTop = 0x3D73AE;
    p.captionBottom = 0x2D5D93;
    p.clientEdge = 0x24507F;
    p.captionText = 0xFFFFFF;
    p.inactiveEdge = 0x6F7C8C;
    p.inactiveTop = 0xA3B0C0;
    p.inactiveBottom = 0x919FB1;
    p.inactiveClientEdge = 0x7F8C9D;
    p.inactiveText = 0xEEF1F5;
    p.closeHot = 0xE0453A;
    p.closePressed = 0xB5322A;
    p.track = 0xF0F2F5;
    p.thumb = 0xC3CBD6;
    p.thumbHot = 0xA7B2C0;
    p.thumbPressed = 0x8491A3;
    p.arrow = 0x5F6B7A;
    p.menuBar = 0xE6EBF1;
    p.menu = 0xFFFFFF;
    p.menuText = 0x1F2933;
    return {"Quillmere", p, true};
}

TSkinDesign DarkDesign() {
    TSkinPalette p{};
    p.face = 0x2B3038;
    p.window = 0x1F2329;
    p.text = 0xE3E7ED;
    p.textDisabled = 0x6C7480;
    p.line = 0x4D5562;
    p.lineSoft = 0x3A414C;
    p.accent = 0x4C8DDB;
    p.accentSoft = 0x2F4968;
    p.accentDeep = 0x79AEEB;
    p.highlightText = 0xFFFFFF;
    p.buttonTop = 0x3A414C;
    p.buttonBottom = 0x333942;
    p.frameEdge = 0x0E1013;
    p.captionTop = 0x262B32;
    p.captionBottom = 0x1D2126;
    p.clientEdge = 0x14171B;
    p.captionText = 0xE3E7ED;
    p.inactiveEdge = 0x202329;
    p.inactiveTop = 0x30353D;
    p.inactiveBottom = 0x2A2F36;
    p.inactiveClientEdge = 0x23272D;
    p.inactiveText = 0x8C95A1;
    p.closeHot = 0xD9443A;
    p.closePressed = 0xA8342C;
    p.track = 0x25292F;
    p.thumb = 0x4A525E;
    p.thumbHot = 0x5B6573;
    p.thumbPressed = 0x717C8C;
    p.arrow = 0xA9B2BE;
    p.menuBar = 0x23272D;
    p.menu = 0x2B3038;
    p.menuText = 0xE3E7ED;
    return {"Quillmere Dark", p, true};
}

TSkinDesign RectangularDesign() {
    TSkinDesign design = LightDesign();
    design.name = "Quillmere Square";
    design.roundedFrame = false;
    return design;
}

} // namespace skinbuilder
