#include "ElementsReport.h"

#include "framework/graphics/Canvas.h"
#include "platform/base/CodePage.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

std::string SizeText(const TBitmap& bitmap) {
    if (bitmap.Empty())
        return "none";
    return std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height());
}

// "#RRGGBB", or "sys:n" for the system colour n.
std::string ColourText(TColor colour) {
    const auto value = static_cast<std::uint32_t>(colour);
    if ((value & 0xFF000000u) == 0xFF000000u)
        return "sys:" + std::to_string(value & 0xFF);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF);
    return text;
}

std::string OptionalColour(TColor colour) {
    return colour == clNone ? "none" : ColourText(colour);
}

const char* ClassName(const TDataSkinObject& element) {
    if (dynamic_cast<const TDataSkinBorder*>(&element))
        return "TDataSkinBorder";
    if (dynamic_cast<const TDataSkinButton*>(&element))
        return "TDataSkinButton";
    if (dynamic_cast<const TDataSkinTitle*>(&element))
        return "TDataSkinTitle";
    if (dynamic_cast<const TDataSkinBoxLabel*>(&element))
        return "TDataSkinBoxLabel";
    if (dynamic_cast<const TDataSkinSysButton*>(&element))
        return "TDataSkinSysButton";
    return "TDataSkinObject";
}

void PrintExtraFields(const TDataSkinObject& element, std::ostream& out) {
    if (auto border = dynamic_cast<const TDataSkinBorder*>(&element)) {
        out << " extra=" << SizeText(*border->ExtraImage);
    } else if (auto button = dynamic_cast<const TDataSkinButton*>(&element)) {
        out << " check=" << SizeText(*button->CheckButton) << " checkframes=" << button->CheckButtonFrame
            << " radio=" << SizeText(*button->RadioButton) << " radioframes=" << button->RadioButtonFrame
            << " has2=" << int(button->HasNormalColour2) << ',' << int(button->HasMouseOverColour2) << ','
            << int(button->HasPressedColour2);
    } else if (auto title = dynamic_cast<const TDataSkinTitle*>(&element)) {
        out << " align=" << title->TextAlignment << " textback=" << title->Textbackground
            << " fontheight=" << title->FontHeight << " txtback=" << title->TXTBackleft << ','
            << title->TXTBackRight << " active=" << OptionalColour(title->ActiveText)
            << " inactive=" << OptionalColour(title->InActiveText);
    } else if (auto label = dynamic_cast<const TDataSkinBoxLabel*>(&element)) {
        out << " bg=" << label->BackgroundAlignment << ',' << label->BackgroundLeftShift << ','
            << label->BackgroundRightShift;
    }
}

void PrintElement(const char* field, const TDataSkinObject* element, std::ostream& out) {
    out << "element " << field << ' ';
    if (element == nullptr) {
        out << "none\n";
        return;
    }
    out << ClassName(*element) << ' ' << SizeText(*element->Image) << " frames=" << element->FrameCount
        << " margins=" << element->LeftWidth << ',' << element->TopHeight << ',' << element->RightWidth << ','
        << element->BottomHeight << " trans=" << element->Trans << " tile=" << element->Tile
        << " style=" << element->Style << " colours=" << element->NormalColour << ','
        << element->MouseOverColour << ',' << element->PressedColour;
    PrintExtraFields(*element, out);
    out << '\n';
}

void PrintSysButtons(const TSkinElements& e, std::ostream& out) {
    for (std::size_t i = 0; i < e.SysButtons.size(); ++i) {
        const TDataSkinSysButton& b = *e.SysButtons[i];
        out << "sysbutton " << i << ' ' << (b.Name.empty() ? "-" : platform::GbkToUtf8(b.Name))
            << " action=" << b.Action << " align=" << b.Align << " x=" << b.Xcoord << " y=" << b.Ycoord
            << " vis=" << b.Visibility << " vis1=" << b.Visibility1 << " frames=" << b.FrameCount
            << " image=" << SizeText(*b.Image) << '\n';
    }
}

void PrintColours(const TSkinElements& e, std::ostream& out) {
    for (int index : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 18})
        out << "colour " << index << ' ' << ColourText(e.Colours[index])
            << " given=" << int(e.ColourGiven[index]) << '\n';
    for (std::size_t i = 0; i < e.SectionColours.size(); ++i)
        out << "sectioncolour " << i << ' ' << ColourText(e.SectionColours[i]) << '\n';
    for (int k = 0; k < SkinCustomColourCount; ++k)
        out << "customcolour " << k << ' ' << ColourText(e.CustomColours[k]) << '\n';
    out << "framecolour " << ColourText(e.FrameColour) << '\n';
    TBitmap& toolbar = *e.Toolbar->Image;
    out << "toolbartop " << (toolbar.Empty() ? "none" : ColourText(toolbar.Canvas()->Pixels(0, 0))) << '\n';
    out << "skinname " << platform::GbkToUtf8(e.SkinName) << '\n';
}

} // namespace

void PrintSkinElements(const TSkinElements& e, std::ostream& out) {
    const std::pair<const char*, const TDataSkinObject*> fields[] = {
        {"BorderLeft", e.BorderLeft.get()},
        {"BorderRight", e.BorderRight.get()},
        {"BorderTop", e.BorderTop.get()},
        {"BorderBottom", e.BorderBottom.get()},
        {"Title", e.Title.get()},
        {"Buttons", e.Buttons.get()},
        {"Progress", e.Progress.get()},
        {"ProgressChunk", e.ProgressChunk.get()},
        {"MenuBar", e.MenuBar.get()},
        {"GroupBoxEdge", e.GroupBoxEdge.get()},
        {"GroupBox", e.GroupBox.get()},
        {"Tabs", e.Tabs.get()},
        {"StatusBarEdges", e.StatusBarEdges.get()},
        {"TabPane", e.TabPane.get()},
        {"ToolBars", e.ToolBars.get()},
        {"ComboButton", e.ComboButton.get()},
        {"SunkEdge", e.SunkEdge.get()},
        {"ExtraImages", e.ExtraImages.get()},
        {"Headerbar", e.Headerbar.get()},
        {"MenuItem", e.MenuItem.get()},
        {"MenuBackground", e.MenuBackground.get()},
        {"Scrollbar", e.Scrollbar.get()},
        {"HorzScroll", e.HorzScroll.get()},
        {"VertScroll", e.VertScroll.get()},
        {"HorzScrollThumb", e.HorzScrollThumb.get()},
        {"VertScrollThumb", e.VertScrollThumb.get()},
        {"TrackbarThumbHorz", e.TrackbarThumbHorz.get()},
        {"TrackbarThumbVert", e.TrackbarThumbVert.get()},
        {"TrackbarThumbLeft", e.TrackbarThumbLeft.get()},
        {"TrackbarThumbRight", e.TrackbarThumbRight.get()},
        {"TrackbarThumbUp", e.TrackbarThumbUp.get()},
        {"TrackbarThumbDown", e.TrackbarThumbDown.get()},
        {"UpDownHorz", e.UpDownHorz.get()},
        {"UpDownVert", e.UpDownVert.get()},
        {"Track", e.Track.get()},
        {"TrackVert", e.TrackVert.get()},
        {"ComboArrow", e.ComboArrow.get()},
        {"Toolbar", e.Toolbar.get()},
    };
    for (const auto& [field, element] : fields)
        PrintElement(field, element, out);
    PrintSysButtons(e, out);
    PrintColours(e, out);
}
