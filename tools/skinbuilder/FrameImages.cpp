// The window frame of a skin: a thin coloured border whose caption band is a soft vertical
// ramp, rounded at the top corners, with flat caption buttons that light up under the mouse.

#include "SkinImages.h"

#include <string_view>

namespace skinbuilder {

namespace {

constexpr std::string_view CloseGlyph[] = {
    "#+......+#", "+#+....+#+", ".+#+..+#+.", "..+#++#+..", "...+##+...",
    "...+##+...", "..+#++#+..", ".+#+..+#+.", "+#+....+#+", "#+......+#",
};
constexpr std::string_view MaximiseGlyph[] = {
    "##########", "##########", "#........#", "#........#", "#........#",
    "#........#", "#........#", "#........#", "#........#", "##########",
};
constexpr std::string_view RestoreGlyph[] = {
    "..########", "..########", "..#......#", "########.#", "########.#",
    "#......#.#", "#......###", "#......#..", "#......#..", "########..",
};
constexpr std::string_view MinimiseGlyph[] = {
    "..........", "..........", "..........", "..........", "..........",
    "..........", "..........", "..........", "##########", "##########",
};
constexpr std::string_view HelpGlyph[] = {
    "..####..", ".##..##.", ".....##.", "....##..", "...##...",
    "...##...", "........", "...##...", "...##...", "........",
};
// The program's own mark: a globe with a meridian and two parallels.
constexpr std::string_view IconRing[] = {
    ".....######.....", "...##......##...", "..#..........#..", ".#............#.",
    ".#............#.", "#..............#", "#..............#", "#..............#",
    "#..............#", "#..............#", "#..............#", ".#............#.",
    ".#............#.", "..#..........#..", "...##......##...", ".....######.....",
};
constexpr std::string_view IconLines[] = {
    "................", "......####......", ".....#....#.....", "....#......#....",
    "....#......#....", "################", "...#........#...", "...#........#...",
    "...#........#...", "...#........#...", "################", "....#......#....",
    "....#......#....", ".....#....#.....", "......####......", "................",
};

struct TFrameColours {
    Pixel edge;
    Pixel top;
    Pixel bottom;
    Pixel clientEdge;
};

TFrameColours FrameColours(const TSkinPalette& p, bool active) {
    if (active)
        return {p.frameEdge, p.captionTop, p.captionBottom, p.clientEdge};
    return {p.inactiveEdge, p.inactiveTop, p.inactiveBottom, p.inactiveClientEdge};
}

// The caption band's colour on row y: the outer edge, a light line under it, then the ramp.
Pixel CaptionRow(const TFrameColours& c, int y) {
    if (y == 0)
        return c.edge;
    if (y == 1)
        return Blend(0xFFFFFF, c.top, 22);
    if (y == CaptionHeight - 1)
        return c.clientEdge;
    const int span = CaptionHeight - 3;
    return Blend(c.bottom, c.top, (y - 2) * 100 / span);
}

// The left border, frame by frame: the caption's rows at the top, the border body below, the
// client edge on the inner column and a rounded top-left corner.
TSkinCanvas LeftBorder(const TSkinDesign& design, bool mirrored) {
    constexpr int height = CaptionHeight + 10 + BorderWidth;
    return Strip(2, BorderWidth, height, false, [&](TSkinCanvas& frame, int i) {
        const TFrameColours c = FrameColours(design.palette, i == 0);
        for (int y = 0; y < height; ++y)
            frame.HorizontalLine(0, y, BorderWidth, y < CaptionHeight ? CaptionRow(c, y) : c.bottom);
        frame.VerticalLine(0, 0, height, c.edge);
        frame.HorizontalLine(0, height - 1, BorderWidth, c.edge);
        frame.VerticalLine(BorderWidth - 1, CaptionHeight - 1, height - CaptionHeight - BorderWidth + 1,
                           c.clientEdge);
        if (design.roundedFrame)
            frame.RoundCorners(0, 0, CornerRadius * 2, height, CornerRadius, c.edge, true, false);
        if (mirrored) {
            TSkinCanvas copy(BorderWidth, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < BorderWidth; ++x)
                    copy.Set(BorderWidth - 1 - x, y, frame.At(x, y));
            frame.Paste(copy, 0, 0);
        }
    });
}

TSkinCanvas TopBorder(const TSkinDesign& design) {
    return Strip(2, 40, CaptionHeight, true, [&](TSkinCanvas& frame, int i) {
        const TFrameColours c = FrameColours(design.palette, i == 0);
        for (int y = 0; y < CaptionHeight; ++y)
            frame.HorizontalLine(0, y, frame.Width(), CaptionRow(c, y));
    });
}

TSkinCanvas BottomBorder(const TSkinDesign& design) {
    return Strip(2, 20, BorderWidth, true, [&](TSkinCanvas& frame, int i) {
        const TFrameColours c = FrameColours(design.palette, i == 0);
        frame.Fill(0, 0, frame.Width(), BorderWidth, c.bottom);
        frame.HorizontalLine(0, 0, frame.Width(), c.clientEdge);
        frame.HorizontalLine(0, BorderWidth - 1, frame.Width(), c.edge);
    });
}

// Four frames: normal (the glyph alone over the caption), pressed, hot, inactive or disabled.
TSkinCanvas CaptionButton(const TSkinPalette& p, TPicture glyph, bool close) {
    return Strip(4, CaptionButtonWidth, CaptionButtonHeight, false, [&](TSkinCanvas& frame, int i) {
        Pixel glyphColour = p.captionText;
        if (i == 1) {
            const Pixel fill = close ? p.closePressed : Blend(0x000000, p.captionBottom, 22);
            frame.Panel(0, 0, CaptionButtonWidth, CaptionButtonHeight, 3, fill, fill);
        } else if (i == 2) {
            const Pixel fill = close ? p.closeHot : Blend(0xFFFFFF, p.captionTop, 16);
            frame.Panel(0, 0, CaptionButtonWidth, CaptionButtonHeight, 3, fill, fill);
            if (close)
                glyphColour = 0xFFFFFF;
        } else if (i == 3) {
            glyphColour = p.inactiveText;
        }
        frame.Glyph((CaptionButtonWidth - GlyphWidth(glyph)) / 2,
                    (CaptionButtonHeight - GlyphHeight(glyph)) / 2, glyph, glyphColour);
    });
}

TSkinCanvas WindowIcon(const TSkinPalette& p) {
    TSkinCanvas icon(16, 16);
    icon.Panel(1, 1, 14, 14, 7, Blend(0xFFFFFF, p.accent, 25), p.accent);
    icon.Glyph(0, 0, IconLines, Blend(p.accentDeep, 0xFFFFFF, 70));
    icon.Glyph(0, 0, IconRing, p.accentDeep);
    return icon;
}

// The MDI child's minimise, restore and close buttons in the menu bar: 4 frames each.
TSkinCanvas MdiButtons(const TSkinPalette& p) {
    constexpr int width = 16;
    constexpr int height = 14;
    static constexpr std::string_view Minimise[] = {"........", "........", "........", "........",
                                                    "........", "........", "########"};
    static constexpr std::string_view Restore[] = {"..######", "..#....#", "######.#", "#....#.#",
                                                   "#....###", "#....#..", "######.."};
    static constexpr std::string_view Close[] = {"#+....+#", "+#+..+#+", ".+#++#+.", "..+##+..",
                                                 ".+#++#+.", "+#+..+#+", "#+....+#"};
    const TPicture glyphs[3] = {Minimise, Restore, Close};
    return Strip(12, width, height, false, [&](TSkinCanvas& frame, int i) {
        const int state = i % 4;
        Pixel glyph = p.menuText;
        if (state == 1)
            frame.Panel(0, 0, width, height, 2, Blend(p.accent, p.accentSoft, 30), p.accent);
        else if (state == 2)
            frame.Panel(0, 0, width, height, 2, p.accentSoft, Blend(p.accent, p.accentSoft, 45));
        else if (state == 3)
            glyph = p.textDisabled;
        frame.Glyph(4, 3, glyphs[i / 4], glyph);
    });
}

TSkinCanvas MenuBar(const TSkinPalette& p) {
    return Strip(2, 20, 20, true, [&](TSkinCanvas& frame, int i) {
        frame.Fill(0, 0, 20, 20, i == 0 ? p.menuBar : Blend(p.menuBar, p.face, 50));
        frame.HorizontalLine(0, 19, 20, p.lineSoft);
    });
}

} // namespace

void DrawFrameImages(const TSkinDesign& design, std::vector<TSkinImage>& images) {
    const TSkinPalette& p = design.palette;
    images.push_back({"left.bmp", LeftBorder(design, false)});
    images.push_back({"right.bmp", LeftBorder(design, true)});
    images.push_back({"top.bmp", TopBorder(design)});
    images.push_back({"bottom.bmp", BottomBorder(design)});
    images.push_back({"close.bmp", CaptionButton(p, CloseGlyph, true)});
    images.push_back({"maximize.bmp", CaptionButton(p, MaximiseGlyph, false)});
    images.push_back({"restore.bmp", CaptionButton(p, RestoreGlyph, false)});
    images.push_back({"minimize.bmp", CaptionButton(p, MinimiseGlyph, false)});
    images.push_back({"help.bmp", CaptionButton(p, HelpGlyph, false)});
    images.push_back({"icon.bmp", WindowIcon(p)});
    images.push_back({"mdibuttons.bmp", MdiButtons(p)});
    images.push_back({"menubar.bmp", MenuBar(p)});
}

} // namespace skinbuilder
