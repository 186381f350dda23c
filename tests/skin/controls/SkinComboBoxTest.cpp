// The skinned combo box: its frame and button from the skin's composed combo image, the button
// hot only under the mouse and pressed while held, the drop-down noticed, disabled, the button
// at the left of a right-to-left combo box, the framed style with its own arrow, the lists'
// scroll bars skinned, a simple combo box left its own look, the inner edit watched, and an
// extended combo box framed with its inner combo box's button from the skin's button face.

#include "ControlSkinFixture.h"

#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/ListItems.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinRect.h"
#include "skin/controls/ComboxScrollBar.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinScrollbars.h"

namespace {

class SkinComboBoxTest : public ControlSkinTest {
protected:
    TComboBox* NewCombo(TForm* form, TComboBoxStyle style) {
        auto* combo = Add<TComboBox>(form, 20, 20, 160, 24);
        combo->SetStyle(style);
        for (const char* text :
             {"北京", "上海", "广州", "深圳", "杭州", "西安", "成都", "重庆", "武汉", "南京"})
            combo->Items()->Add(text);
        return combo;
    }
    // The element's frame drawn over the whole combo box as the skin draws it (keyed, on magenta).
    std::unique_ptr<TBitmap> Expected(const TDataSkinObject& element, int frame, int width,
                                      int height) const {
        return Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, clFuchsia);
            TSkinFrameStyle style;
            style.margins = {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
            style.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *element.Image, frame, element.FrameCount, false,
                          style);
        });
    }
    // Pixels the frame covers (not magenta) that the window shows, and all it covers.
    static std::pair<int, int> Matching(HWND window, TBitmap& expected) {
        int matching = 0;
        int covered = 0;
        for (int y = 0; y < expected.Height(); ++y) {
            for (int x = 0; x < expected.Width(); ++x) {
                const COLORREF pixel = PictureAt(expected, x, y);
                if (pixel == RGB(255, 0, 255))
                    continue;
                ++covered;
                matching += Pixel(window, x, y) == pixel ? 1 : 0;
            }
        }
        return {matching, covered};
    }
    bool ShowsFrame(HWND window, const TDataSkinObject& element, int frame) const {
        RECT r{};
        GetWindowRect(window, &r);
        auto expected = Expected(element, frame, r.right - r.left, r.bottom - r.top);
        auto [matching, covered] = Matching(window, *expected);
        return covered > 0 && matching == covered;
    }
    static void MouseAt(HWND window, POINT client) {
        ClientToScreen(window, &client);
        platform::headless::MoveMouse(client.x, client.y);
    }
};

TEST_F(SkinComboBoxTest, TheFrameComesFromTheComposedComboImage) {
    TForm* form = NewForm();
    TComboBox* combo = NewCombo(form, csDropDownList);
    auto* skin = SkinOf<TSkinComBox>(combo);
    combo->Invalidate();
    Pump();
    ASSERT_EQ(Skin().ComboButton->Style, 2) << "the default skin composes its combo image";
    EXPECT_TRUE(ShowsFrame(combo->Handle(), *Skin().ComboButton, 1));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    EXPECT_TRUE(EqualRect(&skin->ButtonRect(), &info.rcButton));
    auto* listSkin = dynamic_cast<TComboxScrollBar*>(skinForm->FindSkinControlByWindow(info.hwndList));
    EXPECT_NE(listSkin, nullptr) << "the drop-down list's bar is skinned";
}

TEST_F(SkinComboBoxTest, TheButtonIsHotOnlyUnderTheMouseAndPressedWhileHeld) {
    TForm* form = NewForm();
    TComboBox* combo = NewCombo(form, csDropDownList);
    auto* skin = SkinOf<TSkinComBox>(combo);
    HWND window = combo->Handle();
    const RECT button = skin->ButtonRect();
    MouseAt(window, POINT{20, 12});
    Pump();
    EXPECT_EQ(skin->ButtonState(), 1) << "over the field the button stays normal";
    MouseAt(window, POINT{(button.left + button.right) / 2, 12});
    Pump();
    EXPECT_EQ(skin->ButtonState(), 4);
    EXPECT_TRUE(ShowsFrame(window, *Skin().ComboButton, 4)) << "hot";

    POINT press{(button.left + button.right) / 2, 12};
    ClientToScreen(window, &press);
    platform::headless::PressButton(press.x, press.y);
    Pump();
    EXPECT_TRUE(skin->Dropped());
    EXPECT_EQ(skin->ButtonState(), 2);
    EXPECT_TRUE(ShowsFrame(window, *Skin().ComboButton, 2)) << "pressed";
    platform::headless::ReleaseButton(press.x, press.y);
    Pump();
    SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_FALSE(skin->Dropped());
    EXPECT_FALSE(skin->StateFlags() & SkinStatePressed);

    combo->SetEnabled(false);
    Pump();
    EXPECT_EQ(skin->ButtonState(), 3);
    EXPECT_TRUE(ShowsFrame(window, *Skin().ComboButton, 3)) << "disabled";
}

TEST_F(SkinComboBoxTest, ARightToLeftComboBoxHasItsButtonAtTheLeft) {
    TForm* form = NewForm();
    HWND combo =
        CreateWindowExA(WS_EX_LEFTSCROLLBAR, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 20, 20,
                        160, 200, form->Handle(), nullptr, nullptr, nullptr);
    auto* skin = new TSkinComBox(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(combo, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    InvalidateRect(combo, nullptr, TRUE);
    Pump();
    EXPECT_LT(skin->ButtonRect().left, 10);
    EXPECT_TRUE(ShowsFrame(combo, *Skin().SunkEdge, 1)) << "the mirrored frame, button at the left";
}

TEST_F(SkinComboBoxTest, TheFramedStyleDrawsItsButtonAndArrowAtTheEdge) {
    TForm* form = NewForm();
    skinData->Elements().ComboButton->Style = 0;
    TComboBox* combo = NewCombo(form, csDropDownList);
    auto* skin = SkinOf<TSkinComBox>(combo);
    combo->Invalidate();
    Pump();
    const RECT button = skin->ButtonRect();
    EXPECT_EQ(button.right - button.left, GetSystemMetrics(SM_CXHSCROLL) + 2);
    const TDataSkinObject& arrow = *Skin().ComboArrow;
    ASSERT_FALSE(arrow.Image->Empty());
    const RECT frame = SkinFrameRect(arrow.Image->Width(), arrow.Image->Height(), 1, arrow.FrameCount, false);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = button.left + (button.right - button.left - 2 - width) / 2;
    const int y = (24 - height) / 2;
    int shown = 0;
    int drawn = 0;
    for (int dy = 0; dy < height; ++dy) {
        for (int dx = 0; dx < width; ++dx) {
            const COLORREF source = PictureAt(*arrow.Image, frame.left + dx, frame.top + dy);
            if (source == RGB(255, 0, 255))
                continue;
            ++drawn;
            shown += Pixel(combo, x + dx, y + dy) == source ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(shown, drawn) << "the arrow centred in the button";
}

TEST_F(SkinComboBoxTest, ASimpleComboBoxKeepsItsLookAndItsListsBarsAreSkinned) {
    TForm* form = NewForm();
    auto* combo = Add<TComboBox>(form, 20, 20, 160, 120);
    combo->SetStyle(csSimple);
    for (int i = 0; i < 20; ++i)
        combo->Items()->Add("item " + std::to_string(i));
    auto* skin = SkinOf<TSkinComBox>(combo);
    EXPECT_EQ(skin->InnerWindow(), nullptr);
    auto* listSkin = dynamic_cast<TSkinScrollbarH*>(skinForm->FindSkinControlByWindow(skin->ListWindow()));
    EXPECT_NE(listSkin, nullptr);
    EXPECT_FALSE(ShowsFrame(combo->Handle(), *Skin().ComboButton, 1)) << "no button, no frame";
}

TEST_F(SkinComboBoxTest, AnEditableComboBoxKeepsItsFrameWhenTheFieldRepaints) {
    TForm* form = NewForm();
    TComboBox* combo = NewCombo(form, csDropDown);
    auto* skin = SkinOf<TSkinComBox>(combo);
    ASSERT_NE(skin->InnerWindow(), nullptr);
    EXPECT_EQ(skin->InnerWindow(), GetWindow(combo->Handle(), GW_CHILD));
    combo->SetText("typed");
    InvalidateRect(skin->InnerWindow(), nullptr, TRUE);
    UpdateWindow(skin->InnerWindow());
    EXPECT_TRUE(ShowsFrame(combo->Handle(), *Skin().ComboButton, 1));
    skin->Unskin();
    EXPECT_EQ(skinForm->FindSkinControlByWindow(skin->ListWindow()), nullptr) << "the list's skin goes too";
}

// An extended combo box ("ComboBoxEx32") skinned as the mapping skins one, in the default and the
// dark skin.
class SkinExtendedComboBoxTest : public SkinComboBoxTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        SkinComboBoxTest::SetUp();
        if (std::string(GetParam()) != "default") {
            const Bytes archive = controlskins::SkinFileBytes(GetParam());
            ASSERT_FALSE(archive.empty());
            LoadSkin(archive);
        }
        INITCOMMONCONTROLSEX init{sizeof init, ICC_USEREX_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        form = NewForm();
    }
    HWND NewExtended(DWORD exStyle, DWORD kind) {
        HWND ex = CreateWindowExW(exStyle, WC_COMBOBOXEXW, u"", WS_CHILD | WS_VISIBLE | kind, 20, 20, 160,
                                  200, form->Handle(), nullptr, nullptr, nullptr);
        for (const char16_t* text : {u"北京", u"上海", u"广州"}) {
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = const_cast<LPWSTR>(text);
            SendMessageW(ex, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(ex, CB_SETCURSEL, 0, 0);
        skin = new TSkinComBox(skinForm->BareWindowSkinOwner());
        skin->SetExtended(true);
        skin->InitSkinByHandle(ex, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
        inner = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETCOMBOCONTROL, 0, 0));
        InvalidateRect(inner, nullptr, TRUE);
        Pump();
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetComboBoxInfo(inner, &info));
        button = info.rcButton;
        return ex;
    }
    // Pixels of the inner combo box's button that differ from the skin's button face in the
    // state's frame, stretched over the skin's background.
    int DifferingFromFace(int frame) const {
        const int width = button.right - button.left;
        const int height = button.bottom - button.top;
        const TDataSkinObject& face = *Skin().ComboArrow;
        auto expected = Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, SkinBackgroundColour(Skin()));
            TSkinFrameStyle stretched;
            stretched.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *face.Image, frame, face.FrameCount, false,
                          stretched);
        });
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                count += Pixel(inner, button.left + x, button.top + y) == PictureAt(*expected, x, y) ? 0 : 1;
        return count;
    }
    POINT OverButton() const { return {(button.left + button.right) / 2, (button.top + button.bottom) / 2}; }

    TForm* form = nullptr;
    TSkinComBox* skin = nullptr;
    HWND inner = nullptr;
    RECT button{};
};

TEST_P(SkinExtendedComboBoxTest, IsFramedAndItsInnerButtonShowsTheFaceOfEachState) {
    HWND ex = NewExtended(WS_EX_CLIENTEDGE, CBS_DROPDOWNLIST);
    EXPECT_EQ(skin->InnerWindow(), inner);
    EXPECT_EQ(Pixel(ex, 0, 0), ColorToRGB(SkinBorderColour(Skin())));
    EXPECT_EQ(Pixel(ex, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(inner, 0, 0), RGB(255, 255, 255)) << "the inner combo box's edge continues the frame";
    EXPECT_EQ(Pixel(inner, 1, 1), RGB(255, 255, 255));
    ASSERT_FALSE(IsRectEmpty(&button));
    EXPECT_EQ(DifferingFromFace(1), 0) << "the normal face over the whole inner button";
    EXPECT_NE(DifferingFromFace(4), 0) << "the hot face differs from it";

    MouseAt(inner, POINT{5, OverButton().y});
    Pump();
    EXPECT_EQ(skin->ButtonState(), 1) << "not over the field";
    MouseAt(inner, OverButton());
    Pump();
    EXPECT_EQ(skin->ButtonState(), 4);
    EXPECT_EQ(DifferingFromFace(4), 0) << "hot under the mouse";

    POINT press = OverButton();
    ClientToScreen(inner, &press);
    platform::headless::PressButton(press.x, press.y);
    Pump();
    EXPECT_TRUE(skin->Dropped());
    EXPECT_EQ(skin->ButtonState(), 2);
    EXPECT_EQ(DifferingFromFace(2), 0) << "pressed while held";
    platform::headless::ReleaseButton(press.x, press.y);
    SendMessageW(ex, CB_SHOWDROPDOWN, FALSE, 0);
    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_FALSE(skin->Dropped()) << "closing up is heard from the inner combo box";
    EXPECT_FALSE(skin->StateFlags() & SkinStatePressed);
    EXPECT_FALSE(skin->StateFlags() & SkinStateHot) << "the mouse left the inner combo box";

    EnableWindow(ex, FALSE);
    Pump();
    EXPECT_EQ(skin->ButtonState(), 3);
    EXPECT_EQ(DifferingFromFace(3), 0) << "disabled";
}

TEST_P(SkinExtendedComboBoxTest, ARightToLeftOneHasItsButtonFaceAtTheLeft) {
    NewExtended(WS_EX_LEFTSCROLLBAR, CBS_DROPDOWNLIST);
    EXPECT_EQ(Pixel(inner, 0, 0), ColorToRGB(SkinBorderColour(Skin())))
        << "without a border of its own, the inner combo box is framed";
    EXPECT_EQ(Pixel(inner, 1, 1), RGB(255, 255, 255));
    EXPECT_LT(button.left, 4);
    EXPECT_LT(skin->ButtonRect().left, 4);
    EXPECT_EQ(DifferingFromFace(1), 0);
}

TEST_P(SkinExtendedComboBoxTest, AnEditableOneCountsItsEditAsTheBoxAndKeepsItsFaceWhenTyping) {
    HWND ex = NewExtended(0, CBS_DROPDOWN);
    HWND edit = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(skin->InnerWindow(), inner) << "the inner combo box, not its edit";
    SetFocus(edit);
    Pump();
    EXPECT_EQ(skin->ButtonState(), 4) << "focused in the edit";
    SendMessageW(edit, WM_CHAR, 'x', 0);
    UpdateWindow(edit);
    Pump();
    EXPECT_EQ(DifferingFromFace(4), 0);
    skin->Unskin();
    InvalidateRect(inner, nullptr, TRUE);
    Pump();
    EXPECT_NE(DifferingFromFace(4), 0) << "unskinned, the inner combo box draws its own button";
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinExtendedComboBoxTest, ::testing::Values("default", "dark"));

} // namespace
