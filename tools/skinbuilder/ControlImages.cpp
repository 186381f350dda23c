// The control images of a skin: soft rounded faces with 1-pixel outlines, the accent colour
// for focus, selection and progress, flat scroll bars with slim thumbs.

#include "SkinImages.h"

#include <string_view>

namespace skinbuilder {

namespace {

constexpr std::string_view CheckMark[] = {
    "......#", ".....##", "#...##.", "##.##..", ".###...", "..#....",
};
constexpr std::string_view MixedMark[] = {"#######", "#######"};
constexpr std::string_view ChevronDown[] = {"##...##", ".##.##.", "..###..", "...#..."};
constexpr std::string_view ChevronUp[] = {"...#...", "..###..", ".##.##.", "##...##"};
constexpr std::string_view ChevronLeft[] = {"...#", "..##", ".##.", "##..", ".##.", "..##", "...#"};
constexpr std::string_view ChevronRight[] = {"#...", "##..", ".##.", "..##", ".##.", "##..", "#..."};

TState StateOf(int frame) {
    static constexpr TState Order[] = {TState::Normal, TState::Pressed, TState::Disabled, TState::Hot,
                                       TState::Focused};
    return Order[frame % 5];
}

void Centre(TSkinCanvas& frame, TPicture glyph, Pixel colour, int dx = 0, int dy = 0) {
    frame.Glyph((frame.Width() - GlyphWidth(glyph)) / 2 + dx, (frame.Height() - GlyphHeight(glyph)) / 2 + dy,
                glyph, colour);
}

// Push-button faces: normal, pressed, disabled, hot, focused or default.
TSkinCanvas ButtonFaces(const TSkinPalette& p) {
    return Strip(5, 24, 24, false, [&](TSkinCanvas& frame, int i) {
        const TState state = StateOf(i);
        Pixel top = p.buttonTop, bottom = p.buttonBottom, edge = p.line;
        if (state == TState::Pressed) {
            top = bottom = Blend(p.accentSoft, p.buttonBottom, 80);
            edge = p.accent;
        } else if (state == TState::Disabled) {
            top = bottom = Blend(p.face, p.buttonTop, 60);
            edge = p.lineSoft;
        } else if (state == TState::Hot) {
            top = Blend(p.accentSoft, p.buttonTop, 35);
            bottom = p.accentSoft;
            edge = Blend(p.accent, p.line, 60);
        } else if (state == TState::Focused) {
            edge = p.accent;
        }
        frame.VerticalRamp(0, 0, 24, 24, top, bottom);
        frame.Frame(0, 0, 24, 24, edge);
        if (state == TState::Focused)
            frame.Frame(1, 1, 22, 22, Blend(p.accent, top, 35));
        frame.RoundCorners(0, 0, 24, 24, 3, edge);
    });
}

// Box states: unchecked, checked, mixed (check boxes only); each normal, hot, pressed, disabled.
TSkinCanvas Boxes(const TSkinPalette& p, int frames, bool radio) {
    return Strip(frames, BoxSize, BoxSize, false, [&](TSkinCanvas& frame, int i) {
        const int mark = i / 4;
        const int state = i % 4;
        Pixel fill = p.window, edge = p.line, tick = p.highlightText;
        if (state == 1)
            edge = p.accent, fill = Blend(p.accentSoft, p.window, 50);
        else if (state == 2)
            edge = p.accentDeep, fill = p.accentSoft;
        else if (state == 3)
            edge = p.lineSoft, fill = p.face, tick = p.textDisabled;
        if (mark > 0 && state != 3) {
            fill = state == 2 ? p.accentDeep : p.accent;
            edge = fill;
        }
        if (radio) {
            frame.Panel(0, 0, BoxSize, BoxSize, 6, fill, edge);
            if (mark > 0)
                frame.Panel(4, 4, 5, 5, 2, tick, tick);
        } else {
            frame.Panel(0, 0, BoxSize, BoxSize, 2, fill, edge);
            if (mark == 1)
                Centre(frame, CheckMark, tick);
            else if (mark == 2)
                Centre(frame, MixedMark, tick);
        }
    });
}

Pixel ArrowBackground(const TSkinPalette& p, int state) {
    return state == 1 ? p.thumbHot : state == 3 ? Blend(p.thumb, p.track, 45) : p.track;
}

// The 23-frame strip: four arrows (normal, pressed, disabled, hot), the grips of the horizontal
// and vertical thumb (normal, pressed, hot), and the corner between two bars.
TSkinCanvas ScrollStrip(const TSkinPalette& p) {
    const TPicture arrows[4] = {ChevronLeft, ChevronRight, ChevronUp, ChevronDown};
    return Strip(23, ScrollSize, ScrollSize, false, [&](TSkinCanvas& frame, int i) {
        if (i < 16) {
            const int state = i % 4;
            frame.Fill(0, 0, ScrollSize, ScrollSize, p.track);
            if (state == 1 || state == 3)
                frame.Panel(1, 1, ScrollSize - 2, ScrollSize - 2, 3, ArrowBackground(p, state),
                            ArrowBackground(p, state));
            const Pixel glyph = state == 2 ? p.lineSoft : state == 1 ? p.accentDeep : p.arrow;
            Centre(frame, arrows[i / 4], glyph);
            return;
        }
        if (i < 22) {
            const int state = (i - 16) % 3;
            const Pixel under = state == 0 ? p.thumb : state == 1 ? p.thumbPressed : p.thumbHot;
            const Pixel line = Blend(p.arrow, under, 45);
            for (int k = 0; k < 3; ++k) {
                if (i < 19)
                    frame.VerticalLine(5 + 2 * k, 5, 6, line);
                else
                    frame.HorizontalLine(5, 5 + 2 * k, 6, line);
            }
            return;
        }
        frame.Fill(0, 0, ScrollSize, ScrollSize, p.track);
    });
}

TSkinCanvas ScrollTrack(const TSkinPalette& p) {
    return Strip(4, ScrollSize, ScrollSize, false, [&](TSkinCanvas& frame, int i) {
        frame.Fill(0, 0, ScrollSize, ScrollSize, i == 2 ? Blend(p.track, p.face, 50) : p.track);
    });
}

// Slim rounded thumbs: normal, pressed, hot.
TSkinCanvas ScrollThumb(const TSkinPalette& p, bool vertical) {
    const int width = vertical ? ScrollSize : 20;
    const int height = vertical ? 20 : ScrollSize;
    return Strip(3, width, height, false, [&](TSkinCanvas& frame, int i) {
        const Pixel fill = i == 0 ? p.thumb : i == 1 ? p.thumbPressed : p.thumbHot;
        if (vertical)
            frame.Panel(3, 1, 10, height - 2, 4, fill, fill);
        else
            frame.Panel(1, 3, width - 2, 10, 4, fill, fill);
    });
}

// Tabs: normal, selected, disabled, hot, selected; the selected tab opens into the pane.
TSkinCanvas Tabs(const TSkinPalette& p) {
    constexpr int width = 30, height = 24;
    return Strip(5, width, height, false, [&](TSkinCanvas& frame, int i) {
        const TState state = StateOf(i);
        const bool selected = state == TState::Pressed || state == TState::Focused;
        Pixel fill = Blend(p.face, p.lineSoft, 55), edge = p.lineSoft;
        if (selected)
            fill = p.face, edge = p.line;
        else if (state == TState::Hot)
            fill = Blend(p.accentSoft, p.face, 60);
        else if (state == TState::Disabled)
            fill = p.face;
        frame.Fill(0, 0, width, height, fill);
        frame.Frame(0, 0, width, height, edge);
        if (selected) {
            frame.HorizontalLine(1, 1, width - 2, p.accent);
            frame.HorizontalLine(1, 2, width - 2, p.accent);
            frame.HorizontalLine(1, height - 1, width - 2, fill);
        } else {
            frame.HorizontalLine(0, height - 1, width, p.line);
        }
        frame.RoundCorners(0, 0, width, height, 3, edge, true, false);
    });
}

TSkinCanvas Pane(const TSkinPalette& p) {
    TSkinCanvas pane(16, 16);
    pane.Fill(0, 0, 16, 16, p.face);
    pane.Frame(0, 0, 16, 16, p.line);
    return pane;
}

// Status bar panels: lowered, raised, none; a hairline on top of the bar.
TSkinCanvas StatusEdges(const TSkinPalette& p) {
    return Strip(3, 12, 12, false, [&](TSkinCanvas& frame, int i) {
        frame.Fill(0, 0, 12, 12, p.face);
        frame.HorizontalLine(0, 0, 12, p.lineSoft);
        if (i < 2)
            frame.VerticalLine(11, 3, 6, i == 0 ? p.line : p.lineSoft);
        if (i == 1)
            frame.HorizontalLine(0, 1, 11, Blend(0xFFFFFF, p.face, 50));
    });
}

// Column headers: normal, hot, pressed, and the first two again.
TSkinCanvas Headers(const TSkinPalette& p) {
    return Strip(5, 20, 22, false, [&](TSkinCanvas& frame, int i) {
        Pixel top = p.window, bottom = Blend(p.face, p.window, 70);
        if (i % 3 == 1)
            top = Blend(p.accentSoft, p.window, 40), bottom = p.accentSoft;
        else if (i % 3 == 2)
            top = bottom = Blend(p.accentSoft, p.line, 85);
        frame.VerticalRamp(0, 0, 20, 22, top, bottom);
        frame.HorizontalLine(0, 21, 20, p.line);
        frame.VerticalLine(19, 4, 14, p.lineSoft);
    });
}

// Menu items: normal, separator, disabled, selected, selected. A separator is drawn from the
// bottom of its frame, and an 8-pixel separator shows the frame's last 8 rows: the line lies in
// their middle.
TSkinCanvas MenuItems(const TSkinPalette& p) {
    return Strip(5, 20, 20, false, [&](TSkinCanvas& frame, int i) {
        frame.Fill(0, 0, 20, 20, p.menu);
        if (i == 1)
            frame.HorizontalLine(3, 16, 14, p.lineSoft);
        if (i >= 3)
            frame.Panel(0, 0, 20, 20, 3, p.accentSoft, Blend(p.accent, p.accentSoft, 40));
    });
}

TSkinCanvas MenuBackground(const TSkinPalette& p) {
    TSkinCanvas background(16, 16);
    background.Fill(0, 0, 16, 16, p.menu);
    background.Frame(0, 0, 16, 16, p.line);
    return background;
}

TSkinCanvas Progress(const TSkinPalette& p) {
    return Strip(2, 16, 14, false, [&](TSkinCanvas& frame, int i) {
        if (i == 0) {
            frame.Panel(0, 0, 16, 14, 3, Blend(p.face, p.window, 40), p.lineSoft);
            return;
        }
        frame.VerticalRamp(0, 0, 16, 14, Blend(0xFFFFFF, p.accent, 25), p.accent);
        frame.Frame(0, 0, 16, 14, p.accentDeep);
        frame.RoundCorners(0, 0, 16, 14, 3, p.accentDeep);
    });
}

TSkinCanvas ProgressChunk(const TSkinPalette& p) {
    TSkinCanvas chunk(8, 10);
    chunk.VerticalRamp(0, 0, 7, 10, Blend(0xFFFFFF, p.accent, 25), p.accent);
    return chunk;
}

TSkinCanvas GroupEdge(const TSkinPalette& p) {
    return Strip(2, 16, 16, false, [&](TSkinCanvas& frame, int i) {
        frame.Frame(0, 0, 16, 16, i == 0 ? p.lineSoft : Blend(p.lineSoft, p.face, 50));
        frame.RoundCorners(0, 0, 16, 16, 4, i == 0 ? p.lineSoft : Blend(p.lineSoft, p.face, 50));
    });
}

TSkinCanvas GroupLabel(const TSkinPalette& p) {
    TSkinCanvas label(24, 18);
    label.Panel(0, 0, 24, 18, 4, p.face, p.lineSoft);
    return label;
}

// Tool-bar buttons: flat until hot or pressed.
TSkinCanvas ToolButtons(const TSkinPalette& p) {
    return Strip(5, 22, 22, false, [&](TSkinCanvas& frame, int i) {
        const TState state = StateOf(i);
        if (state == TState::Pressed)
            frame.Panel(0, 0, 22, 22, 3, Blend(p.accentSoft, p.line, 80), p.accent);
        else if (state == TState::Hot)
            frame.Panel(0, 0, 22, 22, 3, p.accentSoft, Blend(p.accent, p.accentSoft, 40));
        else if (state == TState::Focused)
            frame.Panel(0, 0, 22, 22, 3, Blend(p.accentSoft, p.window, 60), p.accent);
    });
}

Pixel EditEdge(const TSkinPalette& p, int frame) {
    return frame == 2 ? p.lineSoft : frame == 0 ? p.line : p.accent;
}

// Edit frames for combo boxes: normal, pressed, disabled, hot or focused.
TSkinCanvas SunkenEdges(const TSkinPalette& p) {
    return Strip(4, 20, 21, false, [&](TSkinCanvas& frame, int i) {
        frame.Panel(0, 0, 20, 21, 2, i == 2 ? p.face : p.window, EditEdge(p, i));
    });
}

// The combo box's button: the right end of the edit frame with a quiet separator before it.
TSkinCanvas ComboButtons(const TSkinPalette& p) {
    constexpr int width = ScrollSize + 2, height = 21;
    return Strip(4, width, height, false, [&](TSkinCanvas& frame, int i) {
        const Pixel fill = i == 1   ? p.accentSoft
                           : i == 2 ? p.face
                           : i == 3 ? Blend(p.accentSoft, p.window, 55)
                                    : p.window;
        frame.Fill(0, 0, width, height, fill);
        frame.HorizontalLine(0, 0, width, EditEdge(p, i));
        frame.HorizontalLine(0, height - 1, width, EditEdge(p, i));
        frame.VerticalLine(width - 1, 0, height, EditEdge(p, i));
        frame.VerticalLine(0, 4, height - 8, p.lineSoft);
        frame.RoundCorners(-width, 0, 2 * width, height, 2, EditEdge(p, i));
    });
}

// The combo box's arrows (normal, pressed, disabled, hot) and, last, the status bar's size grip.
TSkinCanvas ComboGlyphs(const TSkinPalette& p) {
    return Strip(5, 12, 12, false, [&](TSkinCanvas& frame, int i) {
        if (i == 4) {
            // Three ridges across the corner, each a soft line with a light one beside it.
            for (int ridge = 1; ridge <= 9; ridge += 4) {
                for (int x = ridge; x < 12; ++x) {
                    frame.Set(x, 11 + ridge - x, p.line);
                    if (x + 1 < 12)
                        frame.Set(x + 1, 11 + ridge - x, p.window);
                }
            }
            return;
        }
        const TState state = StateOf(i);
        const Pixel colour = state == TState::Disabled  ? p.textDisabled
                             : state == TState::Pressed ? p.accentDeep
                             : state == TState::Normal  ? p.arrow
                                                        : p.accent;
        frame.Glyph(3, 4, ChevronDown, colour);
    });
}

Pixel ThumbFill(const TSkinPalette& p, TState state) {
    switch (state) {
    case TState::Pressed:
        return p.accentSoft;
    case TState::Disabled:
        return p.face;
    case TState::Hot:
        return Blend(p.accentSoft, p.buttonTop, 60);
    default:
        return p.buttonTop;
    }
}

Pixel ThumbEdge(const TSkinPalette& p, TState state) {
    return state == TState::Disabled ? p.lineSoft : state == TState::Normal ? p.line : p.accent;
}

// Slider thumbs, 11 x 19 upright: plain, or with its lower end cut to a point.
TSkinCanvas SliderThumb(const TSkinPalette& p, bool pointed) {
    constexpr int width = 11, height = 19, point = 5;
    return Strip(5, width, height, false, [&](TSkinCanvas& frame, int i) {
        const TState state = StateOf(i);
        const Pixel edge = ThumbEdge(p, state);
        frame.Panel(0, 0, width, height, 2, ThumbFill(p, state), edge);
        if (!pointed)
            return;
        for (int k = 0; k < point; ++k) {
            const int y = height - point + k;
            for (int x = 0; x <= k; ++x) {
                frame.Set(x, y, Magenta);
                frame.Set(width - 1 - x, y, Magenta);
            }
            frame.Set(k + 1, y, edge);
            frame.Set(width - 2 - k, y, edge);
        }
    });
}

// The same picture with rows and columns exchanged, or turned upside down.
TSkinCanvas Transposed(const TSkinCanvas& source) {
    TSkinCanvas result(source.Height(), source.Width());
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            result.Set(y, x, source.At(x, y));
    return result;
}

TSkinCanvas Flipped(const TSkinCanvas& source, bool vertically) {
    TSkinCanvas result(source.Width(), source.Height());
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            result.Set(vertically ? x : source.Width() - 1 - x, vertically ? source.Height() - 1 - y : y,
                       source.At(x, y));
    return result;
}

// Lying thumb strips are turned frame by frame, so the frames stay side by side.
TSkinCanvas TurnedFrames(const TSkinCanvas& strip, int frames, bool mirror) {
    const int width = strip.Width() / frames;
    return Strip(frames, strip.Height(), width, false, [&](TSkinCanvas& frame, int i) {
        TSkinCanvas one(width, strip.Height());
        for (int y = 0; y < strip.Height(); ++y)
            for (int x = 0; x < width; ++x)
                one.Set(x, y, strip.At(i * width + x, y));
        TSkinCanvas turned = Transposed(one);
        if (mirror)
            frame.Paste(Flipped(turned, false), 0, 0);
        else
            frame.Paste(turned, 0, 0);
    });
}

// Up-down buttons: 4 frames for the first button (up or left), 4 for the second.
TSkinCanvas SpinFaces(const TSkinPalette& p, bool lying) {
    const int width = lying ? 10 : 16;
    const int height = lying ? 16 : 10;
    return Strip(8, width, height, false, [&](TSkinCanvas& frame, int i) {
        const TState state = StateOf(i % 4);
        frame.Panel(0, 0, width, height, 2, ThumbFill(p, state), ThumbEdge(p, state));
    });
}

TSkinCanvas SpinGlyphs(const TSkinPalette& p, bool lying) {
    const int width = lying ? 6 : 9;
    const int height = lying ? 9 : 6;
    return Strip(8, width, height, false, [&](TSkinCanvas& frame, int i) {
        const TState state = StateOf(i % 4);
        const Pixel colour = state == TState::Disabled ? p.textDisabled
                             : state == TState::Normal ? p.arrow
                                                       : p.accentDeep;
        const bool first = i < 4;
        const TPicture glyph = lying ? (first ? TPicture(ChevronLeft) : TPicture(ChevronRight))
                                     : (first ? TPicture(ChevronUp) : TPicture(ChevronDown));
        Centre(frame, glyph, colour);
    });
}

TSkinCanvas SliderTrack(const TSkinPalette& p, bool upright) {
    const int width = upright ? 5 : 12;
    const int height = upright ? 12 : 5;
    TSkinCanvas track(width, height);
    track.Panel(0, 0, width, height, 2, Blend(p.lineSoft, p.face, 60), p.line);
    return track;
}

} // namespace

void DrawControlImages(const TSkinDesign& design, std::vector<TSkinImage>& images) {
    const TSkinPalette& p = design.palette;
    images.push_back({"button.bmp", ButtonFaces(p)});
    images.push_back({"checkbox.bmp", Boxes(p, CheckFrames, false)});
    images.push_back({"radio.bmp", Boxes(p, RadioFrames, true)});
    images.push_back({"scrollbar.bmp", ScrollStrip(p)});
    images.push_back({"horzscroll.bmp", ScrollTrack(p)});
    images.push_back({"vertscroll.bmp", ScrollTrack(p)});
    images.push_back({"horzthumb.bmp", ScrollThumb(p, false)});
    images.push_back({"vertthumb.bmp", ScrollThumb(p, true)});
    images.push_back({"tabs.bmp", Tabs(p)});
    images.push_back({"tabpane.bmp", Pane(p)});
    images.push_back({"statusbar.bmp", StatusEdges(p)});
    images.push_back({"header.bmp", Headers(p)});
    images.push_back({"menuitem.bmp", MenuItems(p)});
    images.push_back({"menubg.bmp", MenuBackground(p)});
    images.push_back({"progress.bmp", Progress(p)});
    images.push_back({"progresschunk.bmp", ProgressChunk(p)});
    images.push_back({"groupedge.bmp", GroupEdge(p)});
    images.push_back({"grouplabel.bmp", GroupLabel(p)});
    images.push_back({"toolbuttons.bmp", ToolButtons(p)});
    images.push_back({"sunkedge.bmp", SunkenEdges(p)});
    images.push_back({"combobutton.bmp", ComboButtons(p)});
    images.push_back({"comboglyph.bmp", ComboGlyphs(p)});
    const TSkinCanvas upright = SliderThumb(p, false);
    const TSkinCanvas down = SliderThumb(p, true);
    images.push_back({"thumbhorz.bmp", SliderThumb(p, false)});
    images.push_back({"thumbvert.bmp", TurnedFrames(upright, 5, false)});
    images.push_back({"thumbleft.bmp", TurnedFrames(down, 5, true)});
    images.push_back({"thumbright.bmp", TurnedFrames(down, 5, false)});
    images.push_back({"thumbup.bmp", Flipped(down, true)});
    images.push_back({"thumbdown.bmp", SliderThumb(p, true)});
    images.push_back({"updownhorz.bmp", SpinFaces(p, true)});
    images.push_back({"updownhorzglyph.bmp", SpinGlyphs(p, true)});
    images.push_back({"updownvert.bmp", SpinFaces(p, false)});
    images.push_back({"updownvertglyph.bmp", SpinGlyphs(p, false)});
    images.push_back({"track.bmp", SliderTrack(p, false)});
    images.push_back({"trackvert.bmp", SliderTrack(p, true)});
}

} // namespace skinbuilder
