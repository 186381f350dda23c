#include "GdiTestSupport.h"

#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using gdi_test::Canvas;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

HFONT Song(int height, int weight = FW_NORMAL, bool underline = false) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, underline, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
}

// A canvas with a font selected, for one test.
class TextCanvas : public Canvas {
public:
    TextCanvas(int width, int height, HFONT font) : Canvas(width, height), m_font(font) {
        m_old = SelectObject(Dc(), font);
    }
    ~TextCanvas() {
        SelectObject(Dc(), m_old);
        DeleteObject(m_font);
    }
    SIZE Extent(const char* text) const {
        SIZE size{};
        GetTextExtentPoint32A(Dc(), text, static_cast<int>(std::char_traits<char>::length(text)), &size);
        return size;
    }
    TEXTMETRICA Metrics() const {
        TEXTMETRICA metrics{};
        GetTextMetricsA(Dc(), &metrics);
        return metrics;
    }
    // Leftmost and rightmost columns, top and bottom rows holding the colour.
    RECT Ink(COLORREF color) const {
        RECT box{Width(), Height(), -1, -1};
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) == color) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }

private:
    HFONT m_font;
    HGDIOBJ m_old;
};

TEST(Fonts, SongAtTwelvePixelsIsFullWidthForChineseAndHalfForDigits) {
    TextCanvas canvas(10, 10, Song(-12));
    EXPECT_EQ(canvas.Extent("宋").cx, 12);
    EXPECT_EQ(canvas.Extent("宋体宋体").cx, 48);
    EXPECT_EQ(canvas.Extent("1").cx, 6);
    const TEXTMETRICA metrics = canvas.Metrics();
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12);
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_EQ(canvas.Extent("x").cy, metrics.tmHeight);
    EXPECT_EQ(metrics.tmCharSet, GB2312_CHARSET);
    char face[LF_FACESIZE];
    EXPECT_EQ(GetTextFaceA(canvas.Dc(), LF_FACESIZE, face), 5);
    EXPECT_EQ(std::string(face), "宋体");
    // SimSun is the same face under its Latin name.
    TextCanvas latinName(10, 10, CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "SimSun"));
    EXPECT_EQ(latinName.Extent("宋体ab").cx, canvas.Extent("宋体ab").cx);
}

TEST(Fonts, NegativeHeightsAreEmSizesAndPositiveOnesCellHeights) {
    for (int size : {11, 14, 20, 32}) {
        TextCanvas em(4, 4, Song(-size));
        const TEXTMETRICA byEm = em.Metrics();
        EXPECT_EQ(byEm.tmHeight - byEm.tmInternalLeading, size) << size;
        TextCanvas cell(4, 4, Song(size));
        EXPECT_NEAR(cell.Metrics().tmHeight, size, 1) << size;
    }
    // A face nobody knows still draws, through the system's fallback faces.
    TextCanvas unknown(40, 20, CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "No Such Face"));
    EXPECT_GT(unknown.Extent("abc").cx, 0);
    EXPECT_GT(unknown.Extent("中文").cx, 0);
}

TEST(Fonts, BoldIsWiderAndUnderlineDrawsBelowTheBaseline) {
    TextCanvas regular(60, 20, Song(-12));
    TextCanvas bold(60, 20, Song(-12, FW_BOLD));
    EXPECT_GT(bold.Extent("ab").cx, regular.Extent("ab").cx);
    EXPECT_EQ(bold.Metrics().tmWeight, FW_BOLD);
    TextOutA(regular.Dc(), 0, 0, "ab", 2);
    TextOutA(bold.Dc(), 0, 0, "ab", 2);
    EXPECT_GT(bold.Count(Black), regular.Count(Black));

    TextCanvas underlined(60, 20, Song(-12, FW_NORMAL, true));
    SetBkMode(underlined.Dc(), TRANSPARENT);
    TextOutA(underlined.Dc(), 0, 0, "ab", 2);
    const TEXTMETRICA metrics = underlined.Metrics();
    int underline = 0;
    for (int x = 0; x < underlined.Extent("ab").cx; ++x)
        underline += underlined.At(x, metrics.tmAscent + 1) == Black;
    EXPECT_EQ(underline, underlined.Extent("ab").cx);
}

TEST(TextOut, ColoursBackgroundModeAndAlignment) {
    TextCanvas canvas(80, 20, Song(-12));
    SetTextColor(canvas.Dc(), RGB(200, 0, 0));
    SetBkColor(canvas.Dc(), RGB(0, 0, 200));
    ASSERT_TRUE(TextOutA(canvas.Dc(), 2, 1, "宋体", 4));
    const RECT ink = canvas.Ink(RGB(200, 0, 0));
    EXPECT_GE(ink.left, 2);
    EXPECT_LE(ink.right, 2 + 24);
    // The opaque background covers the cell: 24 x tmHeight less the glyph pixels.
    const int cell = 24 * canvas.Metrics().tmHeight;
    EXPECT_EQ(canvas.Count(RGB(0, 0, 200)) + canvas.Count(RGB(200, 0, 0)), cell);

    canvas.Fill(White);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextAlign(canvas.Dc(), TA_RIGHT | TA_UPDATECP);
    MoveToEx(canvas.Dc(), 70, 0, nullptr);
    TextOutA(canvas.Dc(), 0, 0, "ab", 2);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 200)), 0);
    EXPECT_LE(canvas.Ink(RGB(200, 0, 0)).right, 69);
    POINT position;
    GetCurrentPositionEx(canvas.Dc(), &position);
    EXPECT_EQ(position.x, 70 - canvas.Extent("ab").cx);
}

TEST(TextOut, NarrowTextIsCodePage936) {
    TextCanvas narrow(40, 16, Song(-12));
    TextCanvas wide(40, 16, Song(-12));
    TextOutA(narrow.Dc(), 0, 0, "宋a", 3);
    TextOutW(wide.Dc(), 0, 0, u"宋a", 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(narrow.At(x, y), wide.At(x, y)) << x << "," << y;
    EXPECT_GT(narrow.Count(Black), 20);
    // Byte extents of a double-byte character are shared by both bytes.
    int fit = 0;
    int extents[3] = {};
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPointA(narrow.Dc(), "宋a", 3, 13, &fit, extents, &size));
    EXPECT_EQ(extents[0], 12);
    EXPECT_EQ(extents[1], 12);
    EXPECT_EQ(fit, 2);
}

TEST(ExtTextOut, OpaqueRectangleAndClipping) {
    TextCanvas canvas(40, 20, Song(-12));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetBkColor(canvas.Dc(), RGB(0, 200, 0));
    const RECT rect{0, 0, 10, 20};
    ASSERT_TRUE(ExtTextOutA(canvas.Dc(), 0, 2, ETO_OPAQUE | ETO_CLIPPED, &rect, "宋体", 4, nullptr));
    EXPECT_LE(canvas.Ink(Black).right, 9);
    EXPECT_EQ(canvas.Count(RGB(0, 200, 0)) + canvas.Count(Black), 200);
    // Spacing given per byte: each character advances by the sum of its bytes' values.
    canvas.Fill(White);
    const INT dx[] = {15, 5, 20};
    ExtTextOutA(canvas.Dc(), 0, 0, 0, nullptr, "宋a", 3, dx);
    EXPECT_GE(canvas.Ink(Black).left, 0);
    EXPECT_GE(canvas.Ink(Black).right, 20);
}

class DrawTextTest : public ::testing::Test {
protected:
    TextCanvas m_canvas{200, 120, Song(-12)};
    int LineHeight() const { return m_canvas.Metrics().tmHeight; }
};

TEST_F(DrawTextTest, CalcRectMeasuresOneLine) {
    RECT rect{10, 10, 11, 11};
    const int height =
        DrawTextA(m_canvas.Dc(), "刷新 ab", -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(height, LineHeight());
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right - rect.left, m_canvas.Extent("刷新 ab").cx);
    EXPECT_EQ(rect.bottom - rect.top, LineHeight());
    EXPECT_EQ(m_canvas.Count(Black), 0); // measuring draws nothing
    RECT empty{0, 0, 50, 50};
    EXPECT_EQ(DrawTextA(m_canvas.Dc(), "", 0, &empty, DT_CALCRECT), 0);
    EXPECT_EQ(empty.right, 0);
}

TEST_F(DrawTextTest, WordBreakWrapsBetweenChineseCharactersAndLatinWords) {
    const char* text = "本程序显示所有网络连接 and the owning processes，以及位置";
    RECT rect{0, 0, 100, 0};
    const int height = DrawTextA(m_canvas.Dc(), text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(height % LineHeight(), 0);
    const int lines = height / LineHeight();
    EXPECT_GE(lines, 3);
    EXPECT_LE(rect.right, 100);
    // Drawn, no line runs past the rectangle, and every line is used.
    RECT area{0, 0, 100, 120};
    EXPECT_EQ(DrawTextA(m_canvas.Dc(), text, -1, &area, DT_WORDBREAK | DT_NOCLIP), height);
    EXPECT_LE(m_canvas.Ink(Black).right, 99);
    EXPECT_GE(m_canvas.Ink(Black).bottom, (lines - 1) * LineHeight());

    // A Latin word longer than the width is not split; it widens the measured rectangle.
    RECT narrow{0, 0, 30, 0};
    DrawTextA(m_canvas.Dc(), "abcdefghij 中文", -1, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.right, m_canvas.Extent("abcdefghij").cx);
    EXPECT_EQ(narrow.bottom, 2 * LineHeight());
}

TEST_F(DrawTextTest, ClosingPunctuationNeverStartsALine) {
    // Exactly two characters fit; the comma after them stays with the second.
    RECT rect{0, 0, 24, 0};
    DrawTextA(m_canvas.Dc(), "连接，地址", -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    RECT line{0, 0, 24, 0};
    DrawTextA(m_canvas.Dc(), "连接，", -1, &line, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(line.bottom, 2 * LineHeight()); // "连" then "接，"
    EXPECT_EQ(rect.bottom, 3 * LineHeight());
}

TEST_F(DrawTextTest, LineBreaksAlignmentAndVerticalCentring) {
    RECT rect{0, 0, 200, 0};
    EXPECT_EQ(DrawTextA(m_canvas.Dc(), "a\r\nbb\ncc", -1, &rect, DT_CALCRECT), 3 * LineHeight());
    // In single-line mode line breaks do not break.
    EXPECT_EQ(DrawTextA(m_canvas.Dc(), "a\r\nbb", -1, &rect, DT_CALCRECT | DT_SINGLELINE), LineHeight());

    RECT box{0, 0, 200, 40};
    const int offset = DrawTextA(m_canvas.Dc(), "ab", -1, &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    EXPECT_EQ(offset, (40 - LineHeight()) / 2 + LineHeight());
    const RECT ink = m_canvas.Ink(Black);
    EXPECT_GE(ink.left, 200 - m_canvas.Extent("ab").cx);
    EXPECT_GE(ink.top, (40 - LineHeight()) / 2);
    EXPECT_LT(ink.bottom, (40 + LineHeight()) / 2);
    // Vertical placement is for single lines only.
    RECT multi{0, 0, 200, 40};
    EXPECT_EQ(DrawTextA(m_canvas.Dc(), "a\nb", -1, &multi, DT_VCENTER | DT_CALCRECT), 2 * LineHeight());
}

TEST_F(DrawTextTest, PrefixesTabsAndEllipses) {
    RECT rect{0, 0, 200, 0};
    DrawTextA(m_canvas.Dc(), "&Save", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(rect.right, m_canvas.Extent("Save").cx);
    DrawTextA(m_canvas.Dc(), "&Save", -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(rect.right, m_canvas.Extent("&Save").cx);
    DrawTextA(m_canvas.Dc(), "a&&b", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(rect.right, m_canvas.Extent("a&b").cx);

    // The prefixed character is underlined when drawn; DT_HIDEPREFIX draws no underline.
    RECT area{0, 0, 200, 20};
    DrawTextA(m_canvas.Dc(), "&W", -1, &area, DT_SINGLELINE);
    const int withUnderline = m_canvas.Count(Black);
    m_canvas.Fill(White);
    DrawTextA(m_canvas.Dc(), "&W", -1, &area, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(withUnderline - m_canvas.Count(Black), m_canvas.Extent("W").cx);

    // Tabs expand to multiples of eight average character widths.
    const int tab = 8 * m_canvas.Metrics().tmAveCharWidth;
    DrawTextA(m_canvas.Dc(), "a\tb", -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(rect.right, tab + m_canvas.Extent("b").cx);

    // An ellipsis keeps a long line inside its rectangle.
    m_canvas.Fill(White);
    RECT shortBox{0, 0, 60, 20};
    DrawTextA(m_canvas.Dc(), "连接列表已保存到文件", -1, &shortBox,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(m_canvas.Ink(Black).right, 59);
    // Without it, and without DT_NOCLIP, the text is cut at the rectangle.
    m_canvas.Fill(White);
    DrawTextA(m_canvas.Dc(), "连接列表已保存到文件", -1, &shortBox, DT_SINGLELINE);
    EXPECT_LE(m_canvas.Ink(Black).right, 59);
    m_canvas.Fill(White);
    DrawTextA(m_canvas.Dc(), "连接列表已保存到文件", -1, &shortBox, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(m_canvas.Ink(Black).right, 100);
}

TEST_F(DrawTextTest, WideAndNarrowCallsAgree) {
    RECT narrow{0, 0, 80, 0};
    RECT wide{0, 0, 80, 0};
    const int narrowHeight =
        DrawTextA(m_canvas.Dc(), "连接 TCP 端点", -1, &narrow, DT_CALCRECT | DT_WORDBREAK);
    const int wideHeight = DrawTextW(m_canvas.Dc(), u"连接 TCP 端点", -1, &wide, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrowHeight, wideHeight);
    EXPECT_EQ(narrow.right, wide.right);
    EXPECT_EQ(DrawTextW(m_canvas.Dc(), nullptr, -1, &wide, 0), 0);
}

} // namespace
