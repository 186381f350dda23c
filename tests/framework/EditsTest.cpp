// Edits and memos over the platform's EDIT class: OnChange, the selection, the limits, the
// state kept across a remade window, the memo's lines in step with its window both ways, and
// their properties by name.

#include "FrameworkTestSupport.h"

#include "core/Exception.h"
#include "framework/classes/TypInfo.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Memo.h"
#include "platform/controls/edit/Edit.h"

using Edits = FrameworkTest;

namespace {

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> LinesOf(const TStrings& lines) {
    std::vector<std::string> list;
    for (int i = 0; i < lines.Count(); ++i)
        list.push_back(lines[i]);
    return list;
}

} // namespace

TEST_F(Edits, OnChangeFollowsTypingAndAssignmentsButNotCreation) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetText("1.0");
    std::vector<std::string> changes;
    edit->OnChange = [&](TObject*) { changes.push_back(edit->Text()); };
    edit->SetText("1.0.20100523");
    edit->SetParent(form);
    form->Show();
    Pump();
    EXPECT_EQ(changes, std::vector<std::string>{"1.0.20100523"}) << "the assignment without a window, once";

    edit->SetFocus();
    Pump();
    edit->SetSelStart(static_cast<int>(edit->Text().size()));
    platform::headless::TypeText(u"x");
    Pump();
    edit->SetText("连接");
    Pump();
    EXPECT_EQ(changes, (std::vector<std::string>{"1.0.20100523", "1.0.20100523x", "连接"}));
    EXPECT_EQ(WindowText(edit->Handle()), "连接");
}

TEST_F(Edits, TheSelectionWorksWithAndWithoutAWindow) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetText("本地IP地址");
    edit->SetSelStart(4);
    edit->SetSelLength(2);
    EXPECT_EQ(edit->SelText(), "IP");
    edit->SetSelText("远程");
    EXPECT_EQ(edit->Text(), "本地远程地址");
    EXPECT_EQ(edit->SelStart(), 8) << "the caret ends after the new text";
    edit->SetSelLength(100);
    EXPECT_EQ(edit->SelLength(), 4) << "clamped to the text";

    // Not selecting everything when the form gives it the focus.
    edit->SetAutoSelect(false);
    edit->SetParent(form);
    form->Show();
    Pump();
    EXPECT_EQ(edit->SelStart(), 8) << "the window starts with the kept selection";
    EXPECT_EQ(edit->SelText(), "地址");
    edit->SetSelStart(0);
    edit->SetSelLength(4);
    edit->SetSelText("");
    EXPECT_EQ(WindowText(edit->Handle()), "远程地址");
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 8);
}

TEST_F(Edits, ARemadeWindowKeepsTextSelectionAndModifiedFlag) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    platform::headless::TypeText(u"abcdef");
    Pump();
    edit->SetSelStart(1);
    edit->SetSelLength(3);
    EXPECT_TRUE(edit->Modified());
    HWND before = edit->Handle();
    EXPECT_TRUE(GetWindowLongA(before, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    edit->SetBorderStyle(bsNone);
    HWND after = edit->Handle();
    EXPECT_NE(before, after);
    EXPECT_FALSE(GetWindowLongA(after, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(WindowText(after), "abcdef");
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_TRUE(edit->Modified());
    EXPECT_TRUE(edit->Focused()) << "the focus comes back to the new window";
}

TEST_F(Edits, ReadOnlyAndMaxLengthLimitTyping) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetMaxLength(3);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
    platform::headless::TypeText(u"12345");
    Pump();
    EXPECT_EQ(edit->Text(), "123");
    edit->SetReadOnly(true);
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
    edit->SetSelStart(0);
    platform::headless::TypeText(u"z");
    Pump();
    EXPECT_EQ(edit->Text(), "123");
    edit->SetText("assigned");
    EXPECT_EQ(edit->Text(), "assigned") << "the program may still write a read-only edit";
}

TEST_F(Edits, TabbingIntoAnEditSelectsItsTextOnlyWithAutoSelect) {
    TForm* form = NewForm();
    auto* first = new TButton(form);
    first->SetParent(form);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetTop(40);
    edit->SetText("QQWry.Dat");
    form->Show();
    first->SetFocus();
    Pump();
    platform::headless::TypeKey(VK_TAB);
    Pump();
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 9);

    // A click puts the caret where it falls instead.
    first->SetFocus();
    Pump();
    const TPoint inside = OnScreen(edit, 4, edit->ClientHeight() / 2);
    platform::headless::Click(inside.x, inside.y);
    Pump();
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0);

    edit->SetAutoSelect(false);
    edit->SetSelStart(2);
    first->SetFocus();
    Pump();
    platform::headless::TypeKey(VK_TAB);
    Pump();
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(Edits, EditPropertiesByName) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    EXPECT_TRUE(edit->InheritsFrom("TCustomEdit"));
    EXPECT_TRUE(SetStrProp(edit, "Text", "Edit_Ver"));
    EXPECT_EQ(edit->Text(), "Edit_Ver");
    EXPECT_EQ(GetEnumProp(edit, "BorderStyle"), "bsSingle");
    EXPECT_TRUE(SetPropValue(edit, "BorderStyle", "bsnone"));
    EXPECT_EQ(edit->BorderStyle(), bsNone);
    EXPECT_TRUE(SetPropValue(edit, "ReadOnly", "True"));
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_TRUE(SetOrdProp(edit, "MaxLength", 12));
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_EQ(GetOrdProp(edit, "Color"), clWindow);
    EXPECT_EQ(GetEnumProp(edit, "ParentColor"), "False");
    EXPECT_EQ(GetEnumProp(edit, "ParentFont"), "True");
    EXPECT_EQ(GetEnumProp(edit, "Visible"), "True");
    EXPECT_EQ(GetEnumProp(edit, "Enabled"), "True");
    EXPECT_EQ(GetObjectPropAs<TFont>(edit, "Font"), edit->Font());
    EXPECT_EQ(GetOrdProp(edit, "Checked"), -1) << "an edit has no Checked";
    EXPECT_EQ(GetEnumProp(edit, "ParentBackground"), "False");
    EXPECT_EQ(GetOrdProp(edit, "Text"), -1) << "a string is not ordinal";
    EXPECT_EQ(GetStrProp(nullptr, "Text"), "");
    EXPECT_TRUE(PropIsKind(edit, "OnChange", TTypeKind::tkMethod));
}

// ---- memos ------------------------------------------------------------------------------------

TEST_F(Edits, MemoLinesKeptBeforeTheWindowReachIt) {
    TForm* form = NewForm();
    auto* memo = new TMemo(form);
    memo->SetText("Memo1");
    TStrings& lines = *memo->Lines();
    lines.Clear();
    lines.Add("文件大小：1024字节");
    lines.Add("记录总数：3条");
    lines.Insert(0, "first");
    lines.Delete(0);
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_EQ(memo->HandleAllocated(), false);

    memo->SetParent(form);
    form->Show();
    Pump();
    ASSERT_TRUE(memo->HandleAllocated());
    EXPECT_EQ(WindowText(memo->Handle()), "文件大小：1024字节\r\n记录总数：3条\r\n");
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"文件大小：1024字节", "记录总数：3条"}));
}

TEST_F(Edits, MemoLinesStayInStepWithTheWindowBothWays) {
    TForm* form = NewForm(400, 300);
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 380, 200);
    form->Show();
    Pump();
    TStrings& lines = *memo->Lines();
    EXPECT_EQ(lines.Count(), 0) << "an empty memo has no lines";

    lines.Add("one");
    lines.Add("three");
    lines.Insert(1, "two");
    EXPECT_EQ(WindowText(memo->Handle()), "one\r\ntwo\r\nthree\r\n");
    lines.SetStrings(2, "3");
    lines.Delete(0);
    EXPECT_EQ(WindowText(memo->Handle()), "two\r\n3\r\n");

    // What the user types shows in the lines.
    memo->SetFocus();
    Pump();
    memo->SetSelStart(static_cast<int>(memo->Text().size()));
    platform::headless::TypeText(u"four");
    platform::headless::TypeKey(VK_RETURN);
    platform::headless::TypeText(u"五");
    Pump();
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"two", "3", "four", "五"}));

    // A last line without a line break of its own gets one before the next line.
    lines.Add("six");
    EXPECT_EQ(WindowText(memo->Handle()), "two\r\n3\r\nfour\r\n五\r\nsix");
    EXPECT_EQ(lines.Count(), 5);
    lines.Delete(4);
    EXPECT_EQ(lines.Count(), 4);

    lines.SetText("a\nb");
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"a", "b"}));
    EXPECT_THROW(lines[2], Exception);
    EXPECT_THROW(lines.Insert(5, "x"), Exception);
    EXPECT_EQ(lines.IndexOf("B"), 1);
}

TEST_F(Edits, MemoChangesAreReportedAndSurviveARemadeWindow) {
    TForm* form = NewForm();
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    form->Show();
    Pump();
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->SetText("Memo1");
    EXPECT_EQ(changes, 1) << "a multi-line window does not report its WM_SETTEXT; the memo does";
    memo->Lines()->Add("line");
    EXPECT_GE(changes, 2);

    const std::string text = memo->Text();
    memo->SetScrollBars(ssVertical);
    memo->SetWordWrap(false);
    const LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "without word wrap long lines scroll";
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_EQ(memo->Text(), text);
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(Edits, MemoEnterAndTabFollowWantReturnsAndWantTabs) {
    TForm* form = NewForm();
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetTop(120);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    memo->SetFocus();
    Pump();
    platform::headless::TypeText(u"a");
    platform::headless::TypeKey(VK_RETURN);
    Pump();
    EXPECT_EQ(memo->Text(), "a\r\n");
    EXPECT_EQ(clicks, 0);

    memo->SetWantReturns(false);
    platform::headless::TypeKey(VK_RETURN);
    Pump();
    EXPECT_EQ(memo->Text(), "a\r\n");
    EXPECT_EQ(clicks, 1) << "Enter is the default button's";

    memo->SetWantTabs(true);
    platform::headless::TypeKey(VK_TAB);
    Pump();
    EXPECT_EQ(memo->Text(), "a\r\n\t");
    EXPECT_TRUE(memo->Focused());
    memo->SetWantTabs(false);
    platform::headless::TypeKey(VK_TAB);
    Pump();
    EXPECT_TRUE(ok->Focused()) << "Tab moves on";
}

TEST_F(Edits, MemoPropertiesByName) {
    TForm* form = NewForm();
    auto* memo = new TMemo(form);
    EXPECT_TRUE(memo->InheritsFrom("TCustomMemo"));
    EXPECT_TRUE(memo->InheritsFrom("TCustomEdit"));
    EXPECT_EQ(GetEnumProp(memo, "ScrollBars"), "ssNone");
    EXPECT_TRUE(SetEnumProp(memo, "ScrollBars", "ssvertical"));
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_FALSE(SetEnumProp(memo, "ScrollBars", "ssDiagonal"));
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(GetEnumProp(memo, "WordWrap"), "True");
    EXPECT_EQ(GetEnumProp(memo, "BorderStyle"), "bsSingle");
    EXPECT_TRUE(SetStrProp(memo, "Text", "Memo1"));
    EXPECT_EQ(memo->Lines()->Strings(0), "Memo1");
    EXPECT_EQ(GetEnumProp(memo, "Alignment"), "taLeftJustify");
    EXPECT_EQ(GetOrdProp(memo, "Color"), clWindow);
}
