// The default skin's contact sheet: a window composed from its elements the way the skinned
// window draws them, and every element's frame strip, written as PNG files for a person to
// look at (build/skin-elements-<design>.png).

#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinDrawing.h"

#include "SkinElementFixture.h"

#include "framework/graphics/Font.h"
#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

class TSheet {
public:
    TSheet(TSkinElements& elements, int width, int height) : e(elements) {
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(width, height);
        dc = bitmap.Canvas()->Handle();
        Fill(RECT{0, 0, width, height}, 0x807870);
        bitmap.Canvas()->Font()->SetName("宋体");
        bitmap.Canvas()->Font()->SetHeight(-12);
        bitmap.Canvas()->Brush()->SetStyle(bsClear);
    }

    void Fill(const RECT& rect, TColor colour) {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }

    void Text(int x, int y, const char* text, TColor colour) {
        bitmap.Canvas()->Font()->SetColor(colour);
        bitmap.Canvas()->TextOut(x, y, text);
    }

    // Frame `frame` of the element nine-sliced into the rectangle, with its own flags.
    void Element(const TDataSkinObject* element, const RECT& rect, int frame, bool stacked = false) {
        if (element == nullptr || element->Image->Empty())
            return;
        TSkinFrameStyle style{
            {element->LeftWidth, element->TopHeight, element->RightWidth, element->BottomHeight},
            element->Tile == 1,
            element->Trans != 0};
        DrawSkinFrame(dc, rect, *element->Image, frame, element->FrameCount, stacked, style);
    }

    // A frame drawn unscaled and keyed at (x, y).
    void Glyph(const TDataSkinObject* element, TBitmap& image, int frames, int x, int y, int frame) {
        if (element == nullptr || image.Empty())
            return;
        const RECT source = SkinFrameRect(image.Width(), image.Height(), frame, frames, false);
        DrawKeyed(dc, RECT{x, y, x + source.right - source.left, y + source.bottom - source.top}, image,
                  clFuchsia, source.left, source.top);
    }

    TSkinElements& e;
    TBitmap bitmap;
    HDC dc = nullptr;
};

// A window of the program as the skin will dress it.
void DrawWindow(TSheet& s, int left, int top, bool active) {
    TSkinElements& e = s.e;
    constexpr int width = 440, height = 330;
    const int frame = active ? 1 : 2;
    const int leftWidth = e.BorderLeft->Image->Width() / std::max(e.BorderLeft->FrameCount, 1);
    const int rightWidth = e.BorderRight->Image->Width() / std::max(e.BorderRight->FrameCount, 1);
    const int caption = e.BorderTop->Image->Height() / std::max(e.BorderTop->FrameCount, 1);
    const int bottom = e.BorderBottom->Image->Height() / std::max(e.BorderBottom->FrameCount, 1);
    auto border = [&](const TDataSkinBorder& b, const RECT& r, bool stacked) {
        TSkinFrameStyle style{
            {b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight}, b.Tile != 1, b.Trans != 0};
        DrawSkinFrame(s.dc, r, *b.Image, frame, b.FrameCount, stacked, style);
    };
    const int right = left + width, lower = top + height;
    s.Fill(RECT{left, top, right, lower}, e.Colours[3]);
    border(*e.BorderLeft, RECT{left, top, left + leftWidth, lower}, false);
    border(*e.BorderRight, RECT{right - rightWidth, top, right, lower}, false);
    border(*e.BorderBottom, RECT{left + leftWidth, lower - bottom, right - rightWidth, lower}, true);
    border(*e.BorderTop, RECT{left + leftWidth, top, right - rightWidth, top + caption}, true);
    s.Text(left + leftWidth + e.Title->LeftWidth, top + 9, "Quillmere 网络连接查看",
           active ? e.Title->ActiveText : e.Title->InActiveText);
    for (const auto& button : e.SysButtons) {
        if (button->Image->Empty() || button->Visibility == 100 || button->Visibility == 1 ||
            button->Visibility == 10)
            continue;
        const int x = button->Align == 1 ? right - button->Xcoord - left + left : left + button->Xcoord;
        s.Glyph(button.get(), *button->Image, button->FrameCount,
                button->Align == 1 ? left + width - button->Xcoord : x, top + button->Ycoord,
                active ? (button->Action == 0 ? 3 : 1) : 4);
    }
    // Menu bar.
    const int menuTop = top + caption;
    s.Element(e.MenuBar.get(), RECT{left + leftWidth, menuTop, right - rightWidth, menuTop + 20}, frame,
              true);
    s.Text(left + leftWidth + 8, menuTop + 4, "文件  查看  帮助", e.Colours[14]);
    const int clientLeft = left + leftWidth, clientTop = menuTop + 20;
    // Tabs and pane.
    s.Element(e.TabPane.get(), RECT{clientLeft + 8, clientTop + 30, right - rightWidth - 8, clientTop + 200},
              1);
    s.Element(e.Tabs.get(), RECT{clientLeft + 8, clientTop + 8, clientLeft + 88, clientTop + 31}, 2);
    s.Element(e.Tabs.get(), RECT{clientLeft + 88, clientTop + 10, clientLeft + 178, clientTop + 31}, 1);
    s.Text(clientLeft + 24, clientTop + 14, "网络连接", e.Colours[4]);
    s.Text(clientLeft + 103, clientTop + 15, "IP数据库", e.Colours[4]);
    // Header and rows.
    const int gridLeft = clientLeft + 16, gridTop = clientTop + 40, gridRight = right - rightWidth - 16;
    s.Fill(RECT{gridLeft, gridTop, gridRight, gridTop + 110}, e.Colours[5]);
    const char* columns[] = {"协议", "本地地址", "远程地址", "位置"};
    for (int i = 0; i < 4; ++i) {
        s.Element(e.Headerbar.get(), RECT{gridLeft + i * 90, gridTop, gridLeft + (i + 1) * 90, gridTop + 22},
                  i == 1 ? 2 : 1);
        s.Text(gridLeft + i * 90 + 6, gridTop + 5, columns[i], e.Colours[0]);
    }
    s.Text(gridLeft + 6, gridTop + 30, "TCP   127.0.0.1:631    0.0.0.0:0       本机地址", e.Colours[0]);
    s.Element(e.MenuItem.get(), RECT{gridLeft, gridTop + 46, gridRight - 16, gridTop + 64}, 4);
    s.Text(gridLeft + 6, gridTop + 49, "TCP   10.0.0.5:51000   1.0.0.9:443     北京市 电信", e.Colours[0]);
    // Vertical scroll bar: arrows, track, thumb, grip.
    const int barLeft = gridRight - 16;
    s.Element(e.VertScroll.get(), RECT{barLeft, gridTop + 38, gridRight, gridTop + 94}, 1);
    s.Glyph(e.Scrollbar.get(), *e.Scrollbar->Image, 23, barLeft, gridTop + 22, 9);
    s.Glyph(e.Scrollbar.get(), *e.Scrollbar->Image, 23, barLeft, gridTop + 94, 16);
    s.Element(e.VertScrollThumb.get(), RECT{barLeft, gridTop + 44, gridRight, gridTop + 78}, 3);
    s.Glyph(e.Scrollbar.get(), *e.Scrollbar->Image, 23, barLeft, gridTop + 53, 22);
    // Buttons, radio and check boxes, combo box, progress.
    const int rowTop = gridTop + 122;
    s.Element(e.Buttons.get(), RECT{gridLeft, rowTop, gridLeft + 75, rowTop + 25}, 1);
    s.Text(gridLeft + 26, rowTop + 7, "刷新", e.Colours[4]);
    s.Element(e.Buttons.get(), RECT{gridLeft + 83, rowTop, gridLeft + 158, rowTop + 25}, 4);
    s.Text(gridLeft + 109, rowTop + 7, "保存", e.Buttons->MouseOverColour);
    s.Element(e.Buttons.get(), RECT{gridLeft + 166, rowTop, gridLeft + 241, rowTop + 25}, 3);
    s.Text(gridLeft + 192, rowTop + 7, "停止", 0x9AA5B1);
    TDataSkinButton& b = *e.Buttons;
    s.Glyph(&b, *b.RadioButton, b.RadioButtonFrame, gridLeft, rowTop + 36, 5);
    s.Text(gridLeft + 17, rowTop + 36, "TCP和UDP", e.Colours[0]);
    s.Glyph(&b, *b.RadioButton, b.RadioButtonFrame, gridLeft + 90, rowTop + 36, 1);
    s.Text(gridLeft + 107, rowTop + 36, "远程连接", e.Colours[0]);
    s.Glyph(&b, *b.CheckButton, b.CheckButtonFrame, gridLeft + 180, rowTop + 36, 5);
    s.Text(gridLeft + 197, rowTop + 36, "自动刷新", e.Colours[0]);
    s.Element(e.ComboButton.get(), RECT{gridLeft + 260, rowTop + 2, gridLeft + 380, rowTop + 23}, 1);
    s.Text(gridLeft + 266, rowTop + 6, "全部协议", e.Colours[0]);
    if (e.Progress) {
        s.Element(e.Progress.get(), RECT{gridLeft + 260, rowTop + 34, gridLeft + 380, rowTop + 48}, 1);
        s.Element(e.Progress.get(), RECT{gridLeft + 260, rowTop + 34, gridLeft + 332, rowTop + 48}, 2);
    }
    // Status bar.
    s.Fill(RECT{clientLeft, lower - bottom - 22, right - rightWidth, lower - bottom}, e.Colours[3]);
    s.Element(e.StatusBarEdges.get(), RECT{clientLeft, lower - bottom - 22, clientLeft + 200, lower - bottom},
              1);
    s.Element(e.StatusBarEdges.get(),
              RECT{clientLeft + 200, lower - bottom - 22, right - rightWidth, lower - bottom}, 3);
    s.Text(clientLeft + 6, lower - bottom - 17, "共 128 个连接", e.Colours[0]);
}

// Every element's strip, twice as large, with its name.
int DrawStrips(TSheet& s, int top) {
    TSkinElements& e = s.e;
    const std::pair<const char*, TBitmap*> strips[] = {
        {"BorderLeft", e.BorderLeft->Image.get()},
        {"BorderRight", e.BorderRight->Image.get()},
        {"BorderTop", e.BorderTop->Image.get()},
        {"BorderBottom", e.BorderBottom->Image.get()},
        {"Buttons", e.Buttons->Image.get()},
        {"CheckButton", e.Buttons->CheckButton.get()},
        {"RadioButton", e.Buttons->RadioButton.get()},
        {"Scrollbar", e.Scrollbar ? e.Scrollbar->Image.get() : nullptr},
        {"Tabs", e.Tabs ? e.Tabs->Image.get() : nullptr},
        {"Headerbar", e.Headerbar ? e.Headerbar->Image.get() : nullptr},
        {"MenuItem", e.MenuItem ? e.MenuItem->Image.get() : nullptr},
        {"ComboButton", e.ComboButton ? e.ComboButton->Image.get() : nullptr},
        {"SunkEdge", e.SunkEdge ? e.SunkEdge->Image.get() : nullptr},
        {"ComboArrow", e.ComboArrow->Image.get()},
        {"Toolbar", e.Toolbar->Image.get()},
        {"ToolBars", e.ToolBars ? e.ToolBars->Image.get() : nullptr},
        {"Progress", e.Progress ? e.Progress->Image.get() : nullptr},
        {"HorzScrollThumb", e.HorzScrollThumb ? e.HorzScrollThumb->Image.get() : nullptr},
        {"VertScrollThumb", e.VertScrollThumb ? e.VertScrollThumb->Image.get() : nullptr},
        {"TrackbarThumbHorz", e.TrackbarThumbHorz ? e.TrackbarThumbHorz->Image.get() : nullptr},
        {"TrackbarThumbDown", e.TrackbarThumbDown ? e.TrackbarThumbDown->Image.get() : nullptr},
        {"UpDownVert", e.UpDownVert ? e.UpDownVert->Image.get() : nullptr},
        {"GroupBoxEdge", e.GroupBoxEdge ? e.GroupBoxEdge->Image.get() : nullptr},
        {"StatusBarEdges", e.StatusBarEdges ? e.StatusBarEdges->Image.get() : nullptr},
        {"Track", e.Track->Image.get()},
    };
    int x = 10, y = top, rowHeight = 0;
    const int sheetWidth = s.bitmap.Width();
    for (const auto& [name, image] : strips) {
        if (image == nullptr || image->Empty())
            continue;
        const int w = image->Width() * 2, h = image->Height() * 2;
        if (x + std::max(w, 120) > sheetWidth - 10)
            x = 10, y += rowHeight + 24, rowHeight = 0;
        s.Text(x, y, name, 0xFFFFFF);
        SetStretchBltMode(s.dc, COLORONCOLOR);
        StretchBlt(s.dc, x, y + 14, w, h, image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(),
                   SRCCOPY);
        x += std::max(w, 120) + 12;
        rowHeight = std::max(rowHeight, h + 14);
    }
    return y + rowHeight + 10;
}

void WriteContactSheet(const std::string& design, const skintest::Bytes& archive) {
    skintest::TLoadedSkin skin(archive);
    TSkinElements& elements = skin.elements;
    TSheet sheet(elements, 940, 1030);
    DrawWindow(sheet, 20, 20, true);
    DrawWindow(sheet, 480, 20, false);
    DrawStrips(sheet, 370);
    const std::string path = std::string(QUILLMERE_BIN_DIR) + "/../skin-elements-" + design + ".png";
    EXPECT_TRUE(platform::WriteBitmapPng(sheet.bitmap.Handle(), path));
}

skintest::Bytes ReadSkinFile(const std::string& design) {
    std::ifstream file(std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn", std::ios::binary);
    return skintest::Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TEST(ContactSheet, TheDefaultSkinHasEveryElementOfTheTheme) {
    const skintest::Bytes archive(DefaultSkinArchive().begin(), DefaultSkinArchive().end());
    WriteContactSheet("default", archive);
    WriteContactSheet("dark", ReadSkinFile("dark"));
}

} // namespace

namespace {

// Every element the skin engine draws is in the default skin, and each image divides into its
// frames.
TEST(DefaultSkin, HasEveryElementWithWholeFrames) {
    skintest::TLoadedSkin skin(DefaultSkinArchive());
    TSkinElements& e = skin.elements;
    const std::pair<const TDataSkinObject*, bool> elements[] = {
        {e.BorderLeft.get(), false},
        {e.BorderRight.get(), false},
        {e.BorderTop.get(), true},
        {e.BorderBottom.get(), true},
        {e.Buttons.get(), false},
        {e.Progress.get(), false},
        {e.ProgressChunk.get(), false},
        {e.MenuBar.get(), true},
        {e.GroupBoxEdge.get(), false},
        {e.GroupBox.get(), false},
        {e.Tabs.get(), false},
        {e.StatusBarEdges.get(), false},
        {e.TabPane.get(), false},
        {e.ToolBars.get(), false},
        {e.ComboButton.get(), false},
        {e.SunkEdge.get(), false},
        {e.ExtraImages.get(), false},
        {e.Headerbar.get(), false},
        {e.MenuItem.get(), false},
        {e.MenuBackground.get(), false},
        {e.Scrollbar.get(), false},
        {e.HorzScroll.get(), false},
        {e.VertScroll.get(), false},
        {e.HorzScrollThumb.get(), false},
        {e.VertScrollThumb.get(), false},
        {e.TrackbarThumbHorz.get(), false},
        {e.TrackbarThumbVert.get(), false},
        {e.TrackbarThumbLeft.get(), false},
        {e.TrackbarThumbRight.get(), false},
        {e.TrackbarThumbUp.get(), false},
        {e.TrackbarThumbDown.get(), false},
        {e.UpDownHorz.get(), false},
        {e.UpDownVert.get(), false},
        {e.Track.get(), false},
        {e.TrackVert.get(), false},
        {e.ComboArrow.get(), false},
    };
    for (const auto& [element, stacked] : elements) {
        ASSERT_NE(element, nullptr);
        SCOPED_TRACE(element->Name);
        ASSERT_FALSE(element->Image->Empty());
        ASSERT_GT(element->FrameCount, 0);
        const int length = stacked ? element->Image->Height() : element->Image->Width();
        EXPECT_EQ(length % element->FrameCount, 0);
    }
    EXPECT_EQ(e.Buttons->CheckButton->Width(), 13 * e.Buttons->CheckButtonFrame);
    EXPECT_EQ(e.Buttons->RadioButton->Width(), 13 * e.Buttons->RadioButtonFrame);
    EXPECT_EQ(e.UpDownVert->ExtraImage->Width() % 8, 0);
    EXPECT_TRUE(e.BorderLeft->Trans != 0 && e.BorderRight->Trans != 0) << "shaped top corners";
    ASSERT_EQ(e.SysButtons.size(), 6u + 3u);
    for (const auto& button : e.SysButtons)
        EXPECT_FALSE(button->Image->Empty()) << button->Name;
    EXPECT_EQ(e.SkinName, "Quillmere");
    for (int index : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 18})
        EXPECT_TRUE(e.ColourGiven[index]) << index;
}

} // namespace

namespace {

// The rectangular test skin shapes no border: no border is marked transparent and no border
// pixel is the key colour.
TEST(RectangularSkin, HasPlainRectangularBorders) {
    skintest::TLoadedSkin skin(ReadSkinFile("rectangular"));
    TSkinElements& e = skin.elements;
    for (TDataSkinBorder* border :
         {e.BorderLeft.get(), e.BorderRight.get(), e.BorderTop.get(), e.BorderBottom.get()}) {
        SCOPED_TRACE(border->Name);
        EXPECT_EQ(border->Trans, 0);
        TBitmap& image = *border->Image;
        ASSERT_FALSE(image.Empty());
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                ASSERT_NE(skintest::PixelAt(image, x, y), 0xFF00FFu) << x << "," << y;
    }
    EXPECT_EQ(e.SkinName, "Quillmere Square");
}

} // namespace
