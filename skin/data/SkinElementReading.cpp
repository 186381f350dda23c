// ReadSkinElements and its steps: which section and key fills which element field, with which
// default.

#include "skin/data/SkinElementSet.h"

#include "core/StringList.h"
#include "core/TextUtils.h"
#include "framework/graphics/Canvas.h"
#include "platform/process/ModuleTable.h"
#include "skin/data/ColourText.h"
#include "skin/data/ImgUtilBitmaps.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

#include <algorithm>

namespace {

void EmptyBitmap(TBitmap& bitmap) {
    bitmap.SetSize(0, 0);
}

template <typename T>
std::unique_ptr<T> NewElement(std::string_view name) {
    return std::make_unique<T>(std::string(name));
}

// The table of colours: index, key, default, in the order the keys are read.
struct TColourKey {
    int index;
    const char* key;
    TColor fallback; // clNone: the value of ButtonFace just read
};

constexpr TColourKey ColourKeys[] = {
    {0, "WindowText", SystemColor(8)},      {3, "ButtonFace", SystemColor(15)},
    {18, "Scrollbar", SystemColor(0)},      {11, "HilightText", SystemColor(14)},
    {12, "Hilight", SystemColor(13)},       {13, "Menubar", clNone},
    {16, "Menu", SystemColor(4)},           {15, "MenuText", SystemColor(7)},
    {4, "ButtonText", SystemColor(18)},     {5, "ButtonHilight", SystemColor(20)},
    {6, "Buttonlight", SystemColor(20)},    {7, "ButtonShadow", SystemColor(16)},
    {8, "ButtonDkShadow", SystemColor(21)}, {14, "MenuBarText", SystemColor(7)},
    {1, "TitleTextActive", SystemColor(9)}, {2, "TitleTextNoActive", SystemColor(19)},
};

// A colour of three integer keys (name + "R", "G", "B"), or clNone unless all three are given.
TColor ChannelColour(const TQuickIni& ini, std::string_view section, const std::string& name) {
    const std::int32_t red = ini.ReadInteger(section, name + "R", -1);
    const std::int32_t green = ini.ReadInteger(section, name + "G", -1);
    const std::int32_t blue = ini.ReadInteger(section, name + "B", -1);
    if (red < 0 || green < 0 || blue < 0)
        return clNone;
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

} // namespace

TSkinElements::TSkinElements()
    : BorderLeft(NewElement<TDataSkinBorder>("Left")), BorderRight(NewElement<TDataSkinBorder>("Right")),
      BorderTop(NewElement<TDataSkinBorder>("Top")), BorderBottom(NewElement<TDataSkinBorder>("Bottom")),
      Title(NewElement<TDataSkinTitle>("Title")), Buttons(NewElement<TDataSkinButton>("Buttons")) {}

TSkinElements::~TSkinElements() = default;

std::string TSkinElements::ReadString(std::string_view section, std::string_view key) const {
    return ini->ReadString(section, key, "");
}

std::int32_t TSkinElements::ReadInteger(std::string_view section, std::string_view key,
                                        std::int32_t defaultValue) const {
    return ini->ReadInteger(section, key, defaultValue);
}

void TSkinElements::LoadElementImage(TBitmap& bitmap, std::string_view value) {
    const std::size_t separator = value.find_last_of("\\:");
    const std::string_view name = separator == std::string_view::npos ? value : value.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp" || reader == nullptr) {
        EmptyBitmap(bitmap);
        return;
    }
    TMemoryStream entry;
    reader->GetEntry(name, entry);
    if (entry.Size() == 0) {
        EmptyBitmap(bitmap);
        return;
    }
    try {
        bitmap.LoadFromStream(entry);
    } catch (const Exception&) {
        // A damaged bitmap is a missing one: the element goes without its image.
        EmptyBitmap(bitmap);
    }
}

void TSkinElements::ReadSecondColours(TDataSkinObject& element, std::string_view section) {
    element.NormalColour2 = ReadColourText(ReadString(section, "NormalColour2"), Colours[4]);
    element.MouseOverColour2 = ReadColourText(ReadString(section, "MouseOverColour2"), Colours[4]);
    element.PressedColour2 = ReadColourText(ReadString(section, "PressedColour2"), Colours[4]);
}

void TSkinElements::ReadCommonKeys(TDataSkinObject& element, std::string_view section, bool readFrame) {
    element.Style = ReadInteger(section, "Style", 0);
    element.LeftWidth = ReadInteger(section, "LeftWidth", 0);
    element.RightWidth = ReadInteger(section, "RightWidth", 0);
    element.TopHeight = ReadInteger(section, "TopHeight", 0);
    element.BottomHeight = ReadInteger(section, "BottomHeight", 0);
    if (readFrame)
        element.FrameCount = ReadInteger(section, "Frame", 0);
    element.Trans = ReadInteger(section, "Trans", 0);
    element.Tile = ReadInteger(section, "Tile", 0);
    element.NormalColour = ReadInteger(section, "NormalColour", -1);
    element.MouseOverColour = ReadInteger(section, "MouseOverColour", -1);
    element.PressedColour = ReadInteger(section, "PressedColour", -1);
    ReadSecondColours(element, section);
    if (element.Tile > 1)
        element.Tile = 0;
}

template <typename T>
T* TSkinElements::StartElement(std::unique_ptr<T>& field, std::string_view section) {
    field.reset();
    const std::string image = ReadString(section, "Image");
    if (image.empty())
        return nullptr;
    field = NewElement<T>(section);
    LoadElementImage(*field->Image, image);
    return field.get();
}

void TSkinElements::ReadElement(std::unique_ptr<TDataSkinObject>& field, std::string_view section) {
    if (TDataSkinObject* element = StartElement(field, section))
        ReadCommonKeys(*element, section, true);
}

void TSkinElements::ReadBorderElement(std::unique_ptr<TDataSkinBorder>& field, std::string_view section,
                                      std::string_view key) {
    TDataSkinBorder* element = StartElement(field, section);
    if (element == nullptr)
        return;
    const std::string extra = ReadString(section, key);
    if (!extra.empty())
        LoadElementImage(*element->ExtraImage, extra);
    ReadCommonKeys(*element, section, false);
}

void TSkinElements::ReadBorders() {
    TDataSkinBorder* borders[] = {BorderLeft.get(), BorderRight.get(), BorderTop.get(), BorderBottom.get()};
    const char* names[] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i) {
        TDataSkinBorder& border = *borders[i];
        const std::string name = names[i];
        const std::int32_t first = ReadInteger("Personality", name + "TopHeight", 0);
        const std::int32_t last = ReadInteger("Personality", name + "BotHeight", 0);
        // Side borders keep their ends at the top and bottom; caption and bottom at left and right.
        const bool side = i < 2;
        border.TopHeight = side ? first : 0;
        border.BottomHeight = side ? last : 0;
        border.LeftWidth = side ? 0 : first;
        border.RightWidth = side ? 0 : last;
        border.FrameCount = ReadInteger("Personality", name + "Frame", 1);
        border.Tile = std::min(ReadInteger("Personality", name + "Stretch", 1), 1);
        border.Trans = ReadInteger("Personality", name + "Trans", 1);
        LoadElementImage(*border.Image, ReadString("Personality", name));
    }
}

void TSkinElements::ReadColours() {
    for (const TColourKey& entry : ColourKeys) {
        const std::string text = ReadString("Colours", entry.key);
        const TColor fallback = entry.fallback == clNone ? Colours[3] : entry.fallback;
        ColourGiven[entry.index] = !text.empty();
        Colours[entry.index] = ReadColourText(text, fallback);
    }
    SectionColours.clear();
    for (const std::string& section : sectionNames) {
        const std::string lower = LowerCase(section);
        if (lower.starts_with("colour") && lower != "colours")
            SectionColours.push_back(ReadColourText(ReadString(section, "color"), SystemColor(8)));
    }
    for (int k = 0; k < SkinCustomColourCount; ++k)
        CustomColours[k] = ReadColourText(ReadString("Customcolors", "Color" + std::to_string(k)), clWhite);
}

void TSkinElements::ReadButtons() {
    TDataSkinButton& b = *Buttons;
    b.LeftWidth = ReadInteger("Buttons", "LeftWidth", 0);
    b.RightWidth = ReadInteger("Buttons", "RightWidth", 0);
    b.TopHeight = ReadInteger("Buttons", "TopHeight", 0);
    b.BottomHeight = ReadInteger("Buttons", "BottomHeight", 0);
    b.Trans = ReadInteger("Buttons", "Trans", 0);
    b.Tile = ReadInteger("Buttons", "Tile", 0);
    if (b.Tile > 1)
        b.Tile = 0;
    LoadElementImage(*b.Image, ReadString("Buttons", "Bitmap"));
    LoadElementImage(*b.CheckButton, ReadString("Buttons", "CheckButton"));
    LoadElementImage(*b.RadioButton, ReadString("Buttons", "RadioButton"));
    b.NormalColour = ReadInteger("Buttons", "NormalColour", -1);
    b.MouseOverColour = ReadInteger("Buttons", "MouseOverColour", -1);
    b.PressedColour = ReadInteger("Buttons", "PressedColour", -1);
    b.RadioButtonFrame = ReadInteger("Buttons", "RadioButtonFrame", 0);
    b.CheckButtonFrame = ReadInteger("Buttons", "CheckButtonFrame", 0);
    b.HasNormalColour2 = !ReadString("Buttons", "NormalColour2").empty();
    b.HasMouseOverColour2 = !ReadString("Buttons", "MouseOverColour2").empty();
    b.HasPressedColour2 = !ReadString("Buttons", "PressedColour2").empty();
    ReadSecondColours(b, "Buttons");
}

void TSkinElements::ReadTitle() {
    TDataSkinTitle& t = *Title;
    LoadElementImage(*t.Image, ReadString("Personality", "TextBack"));
    t.LeftWidth = ReadInteger("Personality", "TextShift", 0);
    t.TopHeight = ReadInteger("Personality", "TextShiftVert", 0);
    t.RightWidth = ReadInteger("Personality", "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = ReadInteger("Personality", "TextAlignment", 0);
    t.Textbackground = ReadInteger("Personality", "Textbackground", 0);
    t.TXTBackleft = ReadInteger("Personality", "TXTBackleft", 0);
    t.TXTBackRight = ReadInteger("Personality", "TXTBackRight", 0);
    t.FontHeight = ReadInteger("Fonts", "FontHeight", 14);
    t.ActiveText = ChannelColour(*ini, "Personality", "ActiveText");
    t.InActiveText = ChannelColour(*ini, "Personality", "InActiveText");
}

void TSkinElements::ReadBarElements() {
    Progress.reset();
    if (!ReadString("Progress", "Bitmap").empty()) {
        Progress = NewElement<TDataSkinBorder>("Progress");
        LoadElementImage(*Progress->Image, ReadString("Progress", "Bitmap"));
        Progress->Style = ReadInteger("Progress", "Style", 0);
        Progress->LeftWidth = ReadInteger("Progress", "LeftWidth", 0);
        Progress->RightWidth = ReadInteger("Progress", "RightWidth", 0);
        Progress->TopHeight = ReadInteger("Progress", "TopHeight", 0);
        Progress->BottomHeight = ReadInteger("Progress", "BottomHeight", 0);
        Progress->Trans = ReadInteger("Progress", "Trans", 0);
        Progress->Tile = std::min(ReadInteger("Progress", "Tile", 0), 1);
    }
    ReadElement(ProgressChunk, "Progress.Chunk");
    MenuBar.reset();
    const std::string menuBar = ReadString("Personality", "menuBar");
    if (!menuBar.empty()) {
        MenuBar = NewElement<TDataSkinObject>("MenuBar");
        LoadElementImage(*MenuBar->Image, menuBar);
        MenuBar->Tile = std::min(ReadInteger("Personality", "TileMenu", 1), 1);
        MenuBar->LeftWidth = ReadInteger("Personality", "TileLeftMenu", 1);
        MenuBar->RightWidth = ReadInteger("Personality", "TileRightMenu", 1);
    }
    ReadElement(GroupBoxEdge, "GroupBoxEdge");
    if (TDataSkinBoxLabel* groupBox = StartElement(GroupBox, "GroupBox")) {
        ReadCommonKeys(*groupBox, "GroupBox", false);
        groupBox->BackgroundAlignment = ReadInteger("GroupBox", "BackgroundAlignment", 0);
        groupBox->BackgroundLeftShift = ReadInteger("GroupBox", "BackgroundLeftShift", 0);
        groupBox->BackgroundRightShift = ReadInteger("GroupBox", "BackgroundRightShift", 0);
    }
    ReadBorderElement(Tabs, "Tabs", "Border");
    ReadElement(StatusBarEdges, "StatusBarEdges");
    ReadElement(TabPane, "Tab.Pane");
    if (TabPane) {
        for (std::int32_t* margin :
             {&TabPane->LeftWidth, &TabPane->TopHeight, &TabPane->RightWidth, &TabPane->BottomHeight})
            *margin = std::min(*margin, 4);
    }
    ReadElement(ToolBars, "ToolBars");
    ReadBorderElement(ComboButton, "ComboButton", "****");
    ReadElement(SunkEdge, "SunkEdge");
    if (ComboButton && !ComboButton->Image->Empty()) {
        // The image for combo boxes whose button is at the left.
        ComboButton->ExtraImage->Assign(ComboButton->Image.get());
        ComboButton->ExtraImage->SetPixelFormat(pf24bit);
        MirrorFrames(*ComboButton->ExtraImage, 4);
    }
}

void TSkinElements::ReadControlElements() {
    ReadElement(ExtraImages, "ExtraImages");
    ReadElement(Headerbar, "Headerbar");
    ReadElement(MenuItem, "MenuItem");
    ReadElement(MenuBackground, "MenuBackground");
    ReadElement(Scrollbar, "Scrollbar");
    ReadElement(HorzScroll, "HorzScroll");
    ReadElement(VertScroll, "VertScroll");
    ReadElement(HorzScrollThumb, "HorzScrollThumb");
    ReadElement(VertScrollThumb, "VertScrollThumb");
    ReadElement(TrackbarThumbHorz, "Trackbar.ThumbHorz");
    ReadElement(TrackbarThumbVert, "Trackbar.ThumbVert");
    ReadElement(TrackbarThumbLeft, "Trackbar.ThumbLeft");
    ReadElement(TrackbarThumbRight, "Trackbar.ThumbRight");
    ReadElement(TrackbarThumbUp, "Trackbar.ThumbUp");
    ReadElement(TrackbarThumbDown, "Trackbar.ThumbDown");
    ReadBorderElement(UpDownHorz, "UpDown.Horz", "GlyphImage");
    ReadBorderElement(UpDownVert, "UpDown.Vert", "GlyphImage");
    ReadElement(Track, "Track");
    ReadElement(TrackVert, "TRACKVERT");
    // The program's own tracks stand in for a skin without them.
    const std::pair<std::unique_ptr<TDataSkinObject>*, const char*> builtIn[] = {{&Track, "TRACK"},
                                                                                 {&TrackVert, "TRACKVERT"}};
    for (const auto& [field, resource] : builtIn) {
        if (*field)
            continue;
        *field = NewElement<TDataSkinObject>(resource);
        (*field)->Image->LoadFromResourceName(GetModuleHandleA(nullptr), resource);
        (*field)->LeftWidth = (*field)->TopHeight = (*field)->RightWidth = (*field)->BottomHeight = 3;
        (*field)->Tile = 0;
        (*field)->FrameCount = 1;
    }
}

void TSkinElements::SetFixedFrameCounts() {
    Title->FrameCount = 2;
    Buttons->FrameCount = 5;
    if (Progress)
        Progress->FrameCount = Progress->Style != 0 ? 1 : 2;
    const std::pair<TDataSkinObject*, int> fixed[] = {
        {MenuBar.get(), 2},
        {GroupBoxEdge.get(), 2},
        {GroupBox.get(), 1},
        {Tabs.get(), 5},
        {StatusBarEdges.get(), 3},
        {TabPane.get(), 1},
        {ToolBars.get(), 5},
        {ComboButton.get(), 4},
        {SunkEdge.get(), 4},
        {ExtraImages.get(), 5},
        {MenuItem.get(), 5},
        {MenuBackground.get(), 1},
        {Scrollbar.get(), 23},
        {HorzScroll.get(), 4},
        {VertScroll.get(), 4},
        {TrackbarThumbHorz.get(), 5},
        {TrackbarThumbVert.get(), 5},
        {TrackbarThumbLeft.get(), 5},
        {TrackbarThumbRight.get(), 5},
        {TrackbarThumbUp.get(), 5},
        {TrackbarThumbDown.get(), 5},
        {UpDownHorz.get(), 8},
        {UpDownVert.get(), 8},
    };
    for (const auto& [element, frames] : fixed)
        if (element)
            element->FrameCount = frames;
    if (Headerbar && Headerbar->FrameCount == 0)
        Headerbar->FrameCount = 5;
    if (HorzScrollThumb)
        HorzScrollThumb->FrameCount = ReadInteger("HorzScrollThumb", "FrameCount", 3);
    if (VertScrollThumb)
        VertScrollThumb->FrameCount = ReadInteger("VertScrollThumb", "FrameCount", 3);
    // Box strips without a frame count: 13-pixel frames when lower than 16, else 16-pixel
    // ones, and never fewer than 4.
    auto boxFrames = [](const TBitmap& strip) {
        const int size = strip.Height() < 16 ? 13 : 16;
        return std::max(strip.Width() / size, 4);
    };
    if (Buttons->RadioButtonFrame == 0)
        Buttons->RadioButtonFrame = boxFrames(*Buttons->RadioButton);
    if (Buttons->CheckButtonFrame == 0)
        Buttons->CheckButtonFrame = boxFrames(*Buttons->CheckButton);
}

void TSkinElements::ReadSkinElements(const TSkinReader& skinReader, const TQuickIni& description) {
    reader = &skinReader;
    ini = &description;
    TStringList sections;
    ini->ReadSections(&sections);
    sectionNames.clear();
    for (int i = 0; i < sections.Count(); ++i)
        sectionNames.push_back(sections[i]);
    SkinName = ReadString("TitlebarSkin", "SkinName");

    ReadBorders();
    ReadColours();
    ReadSysButtons();
    ReadButtons();
    ReadTitle();
    ReadBarElements();
    ReadControlElements();
    SetFixedFrameCounts();
    ComposeComboImage();
    MakeComboArrow();
    const TColor frameColour = SampledFrameColour();
    MakeToolbar(frameColour);
    FrameColour = frameColour;
    FaceBrush.Reset(CreateSolidBrush(ColorToRGB(Colours[3])));

    reader = nullptr;
    ini = nullptr;
}
