#include "SkinDescription.h"

#include "SkinImages.h"

#include <cstdio>
#include <string_view>

namespace skinbuilder {

namespace {

class TIniText {
public:
    void Section(std::string_view name) {
        if (!text.empty())
            text += "\r\n";
        text += '[';
        text += name;
        text += "]\r\n";
    }
    void Key(std::string_view key, std::string_view value) {
        text += key;
        text += '=';
        text += value;
        text += "\r\n";
    }
    void Key(std::string_view key, int value) { Key(key, std::to_string(value)); }
    // "r,g,b", the form colour texts take.
    void Colour(std::string_view key, Pixel pixel) {
        Key(key, std::to_string((pixel >> 16) & 0xFF) + "," + std::to_string((pixel >> 8) & 0xFF) + "," +
                     std::to_string(pixel & 0xFF));
    }
    // A colour given as one number (red in the low byte), written in hexadecimal.
    void ColourNumber(std::string_view key, Pixel pixel) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%06X", platform::ColorRefFromPixel(pixel));
        Key(key, buffer);
    }
    void Margins(int left, int top, int right, int bottom) {
        Key("LeftWidth", left);
        Key("TopHeight", top);
        Key("RightWidth", right);
        Key("BottomHeight", bottom);
    }
    // The usual element section: image, frame count, margins, transparency and tiling.
    void Element(std::string_view section, std::string_view image, int frames, int margin, int trans,
                 int tile = 0) {
        Section(section);
        Key("Image", image);
        if (frames > 0)
            Key("Frame", frames);
        Margins(margin, margin, margin, margin);
        Key("Trans", trans);
        Key("Tile", tile);
    }
    std::string text;
};

void Borders(TIniText& ini, const TSkinDesign& design) {
    const int shaped = design.roundedFrame ? 1 : 0;
    ini.Section("Personality");
    struct TBorder {
        const char* name;
        const char* image;
        int first;
        int last;
        int trans;
    };
    const TBorder borders[] = {
        {"Left", "left.bmp", CaptionHeight, BorderWidth, shaped},
        {"Right", "right.bmp", CaptionHeight, BorderWidth, shaped},
        {"Top", "top.bmp", 0, 0, 0},
        {"Bottom", "bottom.bmp", 0, 0, 0},
    };
    for (const TBorder& border : borders) {
        const std::string name = border.name;
        ini.Key(name, std::string("skin\\") + border.image);
        ini.Key(name + "TopHeight", border.first);
        ini.Key(name + "BotHeight", border.last);
        ini.Key(name + "Frame", 2);
        ini.Key(name + "Stretch", 1);
        ini.Key(name + "Trans", border.trans);
    }
    // The caption text starts right of the window icon and stops before the caption buttons.
    ini.Key("TextShift", IconLeft + 16 + 6 - BorderWidth);
    ini.Key("TextShiftVert", 0);
    ini.Key("TextRightClip", 3 * CaptionButtonWidth + 12);
    ini.Key("TextAlignment", 0);
    ini.Key("Textbackground", 0);
    const Pixel active = design.palette.captionText;
    const Pixel inactive = design.palette.inactiveText;
    const char* channels[] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        ini.Key(std::string("ActiveText") + channels[i], static_cast<int>((active >> (16 - 8 * i)) & 0xFF));
        ini.Key(std::string("InActiveText") + channels[i],
                static_cast<int>((inactive >> (16 - 8 * i)) & 0xFF));
    }
    ini.Key("menuBar", "menubar.bmp");
    ini.Key("TileMenu", 1);
    ini.Key("TileLeftMenu", 1);
    ini.Key("TileRightMenu", 1);
}

// Caption buttons, right to left from the right border; the help button takes the maximise
// button's place, which it can only have when there is no maximise box.
void CaptionButtons(TIniText& ini) {
    struct TButton {
        const char* section;
        const char* image;
        int action;
        int place; // 1 = rightmost
        int visibility;
        int visibility1;
    };
    const TButton buttons[] = {
        {"ButtonClose", "close.bmp", 0, 1, 0, 0},     {"ButtonMax", "maximize.bmp", 1, 2, 2, 6},
        {"ButtonRestore", "restore.bmp", 1, 2, 1, 6}, {"ButtonMin", "minimize.bmp", 2, 3, 6, 0},
        {"ButtonHelp", "help.bmp", 4, 2, 10, 0},
    };
    for (const TButton& button : buttons) {
        ini.Section(button.section);
        ini.Key("ButtonImage", button.image);
        ini.Key("Action", button.action);
        ini.Key("Align", 1);
        ini.Key("Xcoord", BorderWidth + 1 + button.place * CaptionButtonWidth);
        ini.Key("Ycoord", CaptionButtonTop);
        ini.Key("Visibility", button.visibility);
        ini.Key("Visibility1", button.visibility1);
        ini.Key("frame", 4);
    }
    ini.Section("ButtonIcon");
    ini.Key("ButtonImage", "icon.bmp");
    ini.Key("Action", 3);
    ini.Key("Align", 0);
    ini.Key("Xcoord", IconLeft);
    ini.Key("Ycoord", IconTop);
    ini.Key("Visibility", 0);
    ini.Key("frame", 1);
    ini.Section("MDIControls");
    ini.Key("Image", "mdibuttons.bmp");
}

void Buttons(TIniText& ini, const TSkinPalette& p) {
    ini.Section("Buttons");
    ini.Key("Bitmap", "button.bmp");
    ini.Margins(4, 4, 4, 4);
    ini.Key("Trans", 1);
    ini.Key("Tile", 0);
    ini.Key("CheckButton", "checkbox.bmp");
    ini.Key("CheckButtonFrame", CheckFrames);
    ini.Key("RadioButton", "radio.bmp");
    ini.Key("RadioButtonFrame", RadioFrames);
    ini.ColourNumber("NormalColour", p.text);
    ini.ColourNumber("MouseOverColour", p.accentDeep);
    ini.ColourNumber("PressedColour", p.accentDeep);
}

void Controls(TIniText& ini, const TSkinPalette& p) {
    ini.Section("Progress");
    ini.Key("Bitmap", "progress.bmp");
    ini.Key("Style", 0);
    ini.Margins(4, 4, 4, 4);
    ini.Key("Trans", 1);
    ini.Key("Tile", 0);
    ini.Element("Progress.Chunk", "progresschunk.bmp", 1, 0, 1, 1);
    ini.Element("GroupBoxEdge", "groupedge.bmp", 0, 5, 1);
    ini.Element("GroupBox", "grouplabel.bmp", 0, 5, 1);
    ini.Key("BackgroundAlignment", 0);
    ini.Key("BackgroundLeftShift", 4);
    ini.Key("BackgroundRightShift", 4);
    ini.Element("Tabs", "tabs.bmp", 0, 4, 1);
    ini.ColourNumber("NormalColour", p.text);
    ini.ColourNumber("PressedColour", p.text);
    ini.Element("StatusBarEdges", "statusbar.bmp", 0, 3, 0);
    ini.Element("Tab.Pane", "tabpane.bmp", 0, 2, 0);
    ini.Element("ToolBars", "toolbuttons.bmp", 0, 4, 1);
    ini.Element("ComboButton", "combobutton.bmp", 0, 3, 1);
    ini.Element("SunkEdge", "sunkedge.bmp", 0, 3, 1);
    ini.Element("ExtraImages", "comboglyph.bmp", 0, 0, 1);
    ini.Element("Headerbar", "header.bmp", 5, 3, 0);
    ini.ColourNumber("NormalColour", p.text);
    ini.Element("MenuItem", "menuitem.bmp", 0, 4, 1);
    // The selected item's frame is light: its text keeps the text colour.
    ini.ColourNumber("MouseOverColour", p.text);
    ini.Element("MenuBackground", "menubg.bmp", 0, 3, 0);
    ini.Element("Scrollbar", "scrollbar.bmp", 0, 0, 1);
    ini.Element("HorzScroll", "horzscroll.bmp", 0, 2, 0);
    ini.Element("VertScroll", "vertscroll.bmp", 0, 2, 0);
    ini.Section("HorzScrollThumb");
    ini.Key("Image", "horzthumb.bmp");
    ini.Key("FrameCount", 3);
    ini.Margins(6, 0, 6, 0);
    ini.Key("Trans", 1);
    ini.Section("VertScrollThumb");
    ini.Key("Image", "vertthumb.bmp");
    ini.Key("FrameCount", 3);
    ini.Margins(0, 6, 0, 6);
    ini.Key("Trans", 1);
    const char* thumbs[][2] = {
        {"Trackbar.ThumbHorz", "thumbhorz.bmp"}, {"Trackbar.ThumbVert", "thumbvert.bmp"},
        {"Trackbar.ThumbLeft", "thumbleft.bmp"}, {"Trackbar.ThumbRight", "thumbright.bmp"},
        {"Trackbar.ThumbUp", "thumbup.bmp"},     {"Trackbar.ThumbDown", "thumbdown.bmp"}};
    for (const auto& thumb : thumbs)
        ini.Element(thumb[0], thumb[1], 0, 0, 1);
    ini.Element("UpDown.Horz", "updownhorz.bmp", 0, 3, 1);
    ini.Key("GlyphImage", "updownhorzglyph.bmp");
    ini.Element("UpDown.Vert", "updownvert.bmp", 0, 3, 1);
    ini.Key("GlyphImage", "updownvertglyph.bmp");
    ini.Section("Track");
    ini.Key("Image", "track.bmp");
    ini.Key("Frame", 1);
    ini.Margins(3, 0, 3, 0);
    ini.Key("Trans", 1);
    ini.Section("TRACKVERT");
    ini.Key("Image", "trackvert.bmp");
    ini.Key("Frame", 1);
    ini.Margins(0, 3, 0, 3);
    ini.Key("Trans", 1);
}

void Colours(TIniText& ini, const TSkinDesign& design) {
    const TSkinPalette& p = design.palette;
    ini.Section("Colours");
    ini.Colour("WindowText", p.text);
    ini.Colour("TitleTextActive", p.captionText);
    ini.Colour("TitleTextNoActive", p.inactiveText);
    ini.Colour("ButtonFace", p.face);
    ini.Colour("ButtonText", p.text);
    ini.Colour("ButtonHilight", p.window);
    ini.Colour("Buttonlight", p.buttonTop);
    ini.Colour("ButtonShadow", p.line);
    ini.Colour("ButtonDkShadow", p.arrow);
    ini.Colour("HilightText", p.highlightText);
    ini.Colour("Hilight", p.accent);
    ini.Colour("Menubar", p.menuBar);
    ini.Colour("MenuBarText", p.menuText);
    ini.Colour("MenuText", p.menuText);
    ini.Colour("Menu", p.menu);
    ini.Colour("Scrollbar", p.track);
    // Colours the controls may ask for by name: borders, selection and the grid's lines.
    ini.Section("Colour.Border");
    ini.Colour("color", p.line);
    ini.Section("Colour.Selection");
    ini.Colour("color", p.accentSoft);
    ini.Section("Customcolors");
    const Pixel custom[] = {p.accent,   p.accentSoft, p.accentDeep, p.face,     p.window,
                            p.lineSoft, p.line,       p.text,       p.closeHot, p.captionTop};
    for (int k = 0; k < 10; ++k)
        ini.Colour("Color" + std::to_string(k), custom[k]);
}

} // namespace

std::string DescribeSkin(const TSkinDesign& design) {
    TIniText ini;
    ini.text = "; ";
    ini.text += design.name;
    ini.text += ": drawn and described by the skin builder.\r\n";
    ini.Section("TitlebarSkin");
    ini.Key("SkinName", design.name);
    Borders(ini, design);
    ini.Section("Fonts");
    ini.Key("FontHeight", 12);
    CaptionButtons(ini);
    Buttons(ini, design.palette);
    Controls(ini, design.palette);
    Colours(ini, design);
    return ini.text;
}

} // namespace skinbuilder
