// The status bar over the platform's status window: panels in step with the window's parts and
// texts, the simple text, its place at the bottom of the form, recreated windows and
// owner-drawn panels.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/StatusBar.h"
#include "platform/controls/common/CommCtrl.h"

namespace {

std::vector<int> WindowParts(TStatusBar* bar) {
    std::vector<int> edges(8, 0);
    const auto count =
        SendMessageA(bar->Handle(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    edges.resize(static_cast<std::size_t>(count));
    return edges;
}

std::string WindowText(TStatusBar* bar, WPARAM part) {
    char text[128] = {};
    SendMessageA(bar->Handle(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

WORD DrawingType(TStatusBar* bar, WPARAM part) {
    return HIWORD(SendMessageA(bar->Handle(), SB_GETTEXTLENGTHA, part, 0));
}

class StatusBars : public FrameworkTest {
protected:
    // The main window's bar: three panels of 150 pixels.
    TStatusBar* MakeBar() {
        form = NewForm(636, 525);
        auto* bar = new TStatusBar(form);
        bar->SetParent(form);
        for (int i = 0; i < 3; ++i)
            bar->Panels()->Add()->SetWidth(150);
        bar->Panels()->Items(2)->SetText("发现 TCP/UDP 连接端口： 0 个");
        form->Show();
        Pump();
        return bar;
    }

    TForm* form = nullptr;
};

} // namespace

TEST_F(StatusBars, PanelsAreTheWindowsPartsAlongTheBottomOfTheForm) {
    TStatusBar* bar = MakeBar();
    EXPECT_EQ(WindowParts(bar), (std::vector<int>{150, 300, -1}));
    EXPECT_EQ(WindowText(bar, 2), "发现 TCP/UDP 连接端口： 0 个");
    EXPECT_EQ(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0), FALSE);
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->Top(), form->ClientHeight() - 19);
    EXPECT_EQ(bar->Width(), form->ClientWidth());

    // The bar stays at the bottom when the form is sized.
    form->SetBounds(100, 100, 500, 300);
    Pump();
    EXPECT_EQ(bar->Top(), form->ClientHeight() - 19);
    EXPECT_EQ(bar->Width(), form->ClientWidth());
    RECT rect{};
    GetWindowRect(bar->Handle(), &rect);
    EXPECT_EQ(rect.bottom - rect.top, 19);
}

TEST_F(StatusBars, PanelChangesReachTheWindow) {
    TStatusBar* bar = MakeBar();
    bar->Panels()->Items(0)->SetText("svchost.exe");
    EXPECT_EQ(WindowText(bar, 0), "svchost.exe");
    bar->Panels()->Items(0)->SetText("");
    EXPECT_EQ(WindowText(bar, 0), "");

    bar->Panels()->Items(1)->SetWidth(80);
    EXPECT_EQ(WindowParts(bar), (std::vector<int>{150, 230, -1}));
    bar->Panels()->Delete(0);
    EXPECT_EQ(WindowParts(bar), (std::vector<int>{80, -1}));
    EXPECT_EQ(WindowText(bar, 1), "发现 TCP/UDP 连接端口： 0 个");

    bar->Panels()->Items(0)->SetBevel(pbNone);
    EXPECT_TRUE(DrawingType(bar, 0) & SBT_NOBORDERS);
    bar->Panels()->Items(0)->SetBevel(pbRaised);
    EXPECT_TRUE(DrawingType(bar, 0) & SBT_POPOUT);
    EXPECT_FALSE(DrawingType(bar, 0) & SBT_NOBORDERS);

    // Several changes, one update.
    bar->Panels()->BeginUpdate();
    bar->Panels()->Add()->SetWidth(10);
    bar->Panels()->Items(0)->SetWidth(20);
    EXPECT_EQ(WindowParts(bar).size(), 2u);
    bar->Panels()->EndUpdate();
    EXPECT_EQ(WindowParts(bar), (std::vector<int>{20, 170, -1}));
}

TEST_F(StatusBars, TheSimpleTextShowsInSimpleModeOrWithoutPanels) {
    TStatusBar* bar = MakeBar();
    bar->SetSimpleText("就绪");
    EXPECT_EQ(WindowText(bar, SB_SIMPLEID), "就绪");
    bar->SetSimplePanel(true);
    EXPECT_EQ(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0), TRUE);
    bar->SetSimplePanel(false);
    EXPECT_EQ(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0), FALSE);
    bar->Panels()->Clear();
    EXPECT_EQ(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0), TRUE);
    EXPECT_EQ(WindowParts(bar), (std::vector<int>{-1}));
    EXPECT_EQ(WindowText(bar, 0), "");

    // The window reports each switch of mode to its parent (reflected back to the bar); a
    // change of panels that keeps the mode reports nothing.
    bar->Panels()->Add()->SetWidth(100);
    MessageSpy spy(bar);
    bar->Panels()->Items(0)->SetWidth(120);
    bar->Panels()->Add();
    EXPECT_EQ(spy.Count(CN_NOTIFY), 0);
    bar->SetSimplePanel(true);
    EXPECT_EQ(spy.Count(CN_NOTIFY), 1);
}

TEST_F(StatusBars, ARecreatedWindowKeepsPanelsAndTexts) {
    TStatusBar* bar = MakeBar();
    bar->Panels()->Items(0)->SetText("explorer.exe");
    bar->SetSimpleText("simple");
    HWND before = bar->Handle();
    EXPECT_TRUE(GetWindowLongA(before, GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_TRUE(SetPropValue(bar, "SizeGrip", "False"));
    Pump();
    HWND after = bar->Handle();
    EXPECT_NE(after, before);
    EXPECT_FALSE(GetWindowLongA(after, GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(WindowParts(bar), (std::vector<int>{150, 300, -1}));
    EXPECT_EQ(WindowText(bar, 0), "explorer.exe");
    EXPECT_EQ(WindowText(bar, SB_SIMPLEID), "simple");
    EXPECT_EQ(bar->Top(), form->ClientHeight() - 19);
}

TEST_F(StatusBars, OwnerDrawnPanelsAreDrawnByOnDrawPanel) {
    TStatusBar* bar = MakeBar();
    TStatusPanel* panel = bar->Panels()->Items(1);
    std::vector<TStatusPanel*> drawn;
    bar->OnDrawPanel = [&](TCustomStatusBar* sender, TStatusPanel* which, const TRect& rect) {
        drawn.push_back(which);
        sender->Canvas()->Brush()->SetColor(clBlue);
        sender->Canvas()->FillRect(rect);
    };
    panel->SetStyle(psOwnerDraw);
    bar->Repaint();
    Pump();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), panel);
    RECT rect{};
    SendMessageA(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(platform::headless::ReadPixel(bar->Handle(), (rect.left + rect.right) / 2,
                                            (rect.top + rect.bottom) / 2),
              RGB(0, 0, 255));
}

TEST(StatusBarProperties, ThePropertiesTheSkinReadsAreThereByName) {
    TStatusBar bar(nullptr);
    EXPECT_TRUE(SetPropValue(&bar, "SimpleText", "文本"));
    EXPECT_EQ(GetStrProp(&bar, "SimpleText"), "文本");
    EXPECT_EQ(GetEnumProp(&bar, "SimplePanel"), "False");
    EXPECT_EQ(GetEnumProp(&bar, "SizeGrip"), "True");
    EXPECT_EQ(GetEnumProp(&bar, "Align"), "alBottom");
    EXPECT_EQ(GetOrdProp(&bar, "Color"), clBtnFace);
    EXPECT_NE(GetObjectPropAs<TFont>(&bar, "Font"), nullptr);
    EXPECT_EQ(GetEnumProp(&bar, "ParentFont"), "True");
    EXPECT_EQ(GetObjectPropAs<TStatusPanels>(&bar, "Panels"), bar.Panels());
    EXPECT_EQ(GetStrProp(&bar, "Caption"), "");
    EXPECT_EQ(GetOrdProp(&bar, "Caption"), -1);

    TStatusPanel* panel = bar.Panels()->Add();
    EXPECT_EQ(GetEnumProp(panel, "Bevel"), "pbLowered");
    EXPECT_TRUE(SetPropValue(panel, "Alignment", "taCenter"));
    EXPECT_EQ(panel->Alignment(), taCenter);
    EXPECT_TRUE(SetPropValue(panel, "Style", "psOwnerDraw"));
    EXPECT_TRUE(SetPropValue(panel, "Width", "150"));
    EXPECT_EQ(panel->Width(), 150);
    EXPECT_TRUE(SetPropValue(panel, "Text", "x"));
    EXPECT_EQ(panel->Text(), "x");
    EXPECT_EQ(FindClass("TStatusBar"), &TStatusBar::ClassInfo());
}
