// The edit control's text storage and line layout: GBK character boundaries, and lines kept
// after each change exactly as a fresh layout of the whole text would lay them.

#include "platform/controls/edit/EditLayout.h"
#include "platform/controls/edit/EditText.h"
#include "platform/display/Headless.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using platform::CharWidths;
using platform::EditLayout;
using platform::EditText;

namespace {

std::vector<int> LineStarts(const EditLayout& layout) {
    std::vector<int> starts;
    for (int line = 0; line < layout.LineCount(); ++line)
        starts.push_back(layout.LineStart(line));
    return starts;
}

} // namespace

TEST(EditTextTest, GapBuffer_ReplacesAnywhereAndCopiesAcrossTheGap) {
    EditText text;
    text.Assign("hello world");
    text.Replace(5, 0, ",");
    text.Replace(0, 1, "J");
    text.Replace(12, 0, "!");
    EXPECT_EQ(text.Copy(0, text.Length()), "Jello, world!");
    text.Replace(6, 6, "");
    EXPECT_EQ(text.Copy(0, text.Length()), "Jello,!");
    EXPECT_EQ(text.Copy(3, 6), "lo,");
    std::string big(10000, 'x');
    text.Replace(2, 0, big);
    EXPECT_EQ(text.Length(), 7 + 10000);
    EXPECT_EQ(text.Copy(0, 3), "Jex");
    EXPECT_EQ(text.At(10002), 'l');
}

TEST(EditTextTest, Characters_DoubleBytePairsAreNeverSplit) {
    EditText text;
    // "中" is D6 D0, "文" CE C4: trail bytes that look like lead bytes. "丂" is 81 40: a trail
    // byte that looks like "@".
    text.Assign("a中文丂b");
    ASSERT_EQ(text.Length(), 8);
    EXPECT_EQ(text.CharLength(1), 2);
    EXPECT_EQ(text.CharLength(5), 2);
    EXPECT_EQ(text.CharStartAt(2, 0), 1);
    EXPECT_EQ(text.CharStartAt(4, 0), 3);
    EXPECT_EQ(text.CharStartAt(6, 0), 5) << "the @-like trail byte belongs to its lead";
    EXPECT_EQ(text.CharStartBefore(7, 0), 5);
    EXPECT_EQ(text.CharStartBefore(5, 0), 3);
    EXPECT_EQ(text.CharStartBefore(3, 0), 1);
    // A lead byte without a trail (at the end, or before a line break) stands alone.
    text.Assign("x\xD6\r\n\xD6");
    EXPECT_EQ(text.CharLength(1), 1);
    EXPECT_EQ(text.CharLength(4), 1);
    EXPECT_EQ(text.CharStartBefore(5, 0), 4);
}

class EditLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Use(); }
};

TEST_F(EditLayoutTest, Lines_BreakAtCrLfAndWrapBeforeWordsAndChineseCharacters) {
    EditText text;
    CharWidths widths;
    EditLayout layout(text, widths);
    text.Assign("one two\r\nthree");
    layout.Configure(true, 0);
    layout.Rebuild();
    ASSERT_EQ(LineStarts(layout), (std::vector<int>{0, 9}));
    EXPECT_EQ(layout.LineEnd(0), 7);
    EXPECT_EQ(layout.LineEnd(1), 14);

    // Room for "one two" but not "one two three": the last word moves down, the blank stays.
    EditText probe;
    probe.Assign("one two ");
    CharWidths probeWidths;
    EditLayout measure(probe, probeWidths);
    measure.Configure(false, 0);
    measure.Rebuild();
    const int width = measure.LineWidth(0);
    text.Assign("one two three");
    layout.Configure(true, width);
    layout.Rebuild();
    EXPECT_EQ(LineStarts(layout), (std::vector<int>{0, 8}));

    // Chinese characters break anywhere.
    text.Assign("中文中文中文中文");
    probe.Assign("中文中");
    measure.Rebuild();
    layout.Configure(true, measure.LineWidth(0));
    layout.Rebuild();
    EXPECT_EQ(LineStarts(layout), (std::vector<int>{0, 6, 12}));

    // A single line never breaks.
    layout.Configure(false, 10);
    text.Assign("a\r\nb");
    layout.Rebuild();
    EXPECT_EQ(layout.LineCount(), 1);
}

TEST_F(EditLayoutTest, Changes_LeaveTheSameLinesAsAFreshLayout) {
    const char* pieces[] = {"a", "bc ", " ", "\r\n", "中", "文字", "word ", "\r", "\n", "xyzzy", "\t"};
    for (int wrap : {0, 40, 90}) {
        std::mt19937 random(1234u + static_cast<unsigned>(wrap));
        EditText text;
        CharWidths widths;
        EditLayout layout(text, widths);
        layout.Configure(true, wrap);
        layout.Rebuild();
        EditText reference;
        CharWidths referenceWidths;
        EditLayout fresh(reference, referenceWidths);
        fresh.Configure(true, wrap);
        for (int step = 0; step < 600; ++step) {
            const int length = text.Length();
            const int position = static_cast<int>(random() % static_cast<unsigned>(length + 1));
            const int removed =
                length > position && random() % 3 == 0
                    ? static_cast<int>(random() % static_cast<unsigned>(std::min(length - position, 12) + 1))
                    : 0;
            std::string inserted;
            if (random() % 4 != 0)
                inserted = pieces[random() % (sizeof pieces / sizeof pieces[0])];
            text.Replace(position, removed, inserted);
            layout.Changed(position, removed, static_cast<int>(inserted.size()));
            reference.Assign(text.Copy(0, text.Length()));
            fresh.Rebuild();
            ASSERT_EQ(LineStarts(layout), LineStarts(fresh))
                << "wrap " << wrap << ", step " << step << ": at " << position << " -" << removed << " +\""
                << inserted << "\"";
        }
    }
}
