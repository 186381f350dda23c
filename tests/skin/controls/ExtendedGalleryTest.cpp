// Pictures for a person to look at, beside the classic look: extended combo boxes in each
// state, page controls that take the skin's tab faces as their tab pictures, and containers whose
// skins paint their windowless children (speed buttons) after themselves. Written to
// build/skin-controls2-{combos-extended,advpages,graphic-children}-{default,dark}.png.

#include "ContainerGalleryFixture.h"

#include "framework/buttons/SpeedButton.h"
#include "framework/comctrls/AdvPageControl.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/TabControl.h"
#include "framework/stdctrls/Buttons.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinBitButtons.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

class ExtendedGalleryTest : public ContainerGalleryFixture {
protected:
    void TearDown() override {
        if (m_images)
            ImageList_Destroy(m_images);
        ContainerGalleryFixture::TearDown();
    }
    // Three 16 x 16 swatches for the extended combo boxes' items.
    HIMAGELIST Images() {
        if (m_images)
            return m_images;
        m_images = ImageList_Create(16, 16, ILC_COLOR24, 3, 0);
        for (TColor colour : {TColor(0x3070E0), TColor(0x40A040), TColor(0xC06020)}) {
            TBitmap swatch;
            swatch.SetPixelFormat(pf24bit);
            swatch.SetSize(16, 16);
            FillColor(swatch.Canvas()->Handle(), RECT{0, 0, 16, 16}, 0x808080);
            FillColor(swatch.Canvas()->Handle(), RECT{1, 1, 15, 15}, colour);
            ImageList_Add(m_images, swatch.Handle(), nullptr);
        }
        return m_images;
    }
    HWND NewExtended(TForm* form, DWORD exStyle, DWORD kind, int left, int top, const char16_t* text) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_USEREX_CLASSES};
        InitCommonControlsEx(&init);
        HWND ex = CreateWindowExW(exStyle, WC_COMBOBOXEXW, u"", WS_CHILD | WS_VISIBLE | kind, left, top, 200,
                                  200, form->Handle(), nullptr, nullptr, nullptr);
        SendMessageW(ex, WM_SETFONT, reinterpret_cast<WPARAM>(form->Font()->Handle()), FALSE);
        SendMessageW(ex, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images()));
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = const_cast<LPWSTR>(text);
        item.iImage = 0;
        item.iSelectedImage = 1;
        SendMessageW(ex, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SendMessageW(ex, CB_SETCURSEL, 0, 0);
        return ex;
    }
    void SkinExtended(HWND ex) {
        auto* skin = new TSkinComBox(skinForm->BareWindowSkinOwner());
        skin->SetExtended(true);
        skin->InitSkinByHandle(ex, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    }
    TSpeedButton* SpeedButtonOn(TWinControl* parent, int left, int top, const char* caption, bool skinned) {
        auto* button = new TSpeedButton(parent);
        button->SetParent(parent);
        button->SetBounds(left, top, 70, 24);
        button->SetCaption(caption);
        if (skinned) {
            auto* skin = new TSkinSpeedButton(button);
            skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
        }
        return button;
    }
    // The window as it looks now, with where it lies on the form's picture.
    static std::pair<POINT, std::shared_ptr<TBitmap>> Shot(HWND form, HWND window) {
        RECT formPlace{};
        GetWindowRect(form, &formPlace);
        RECT place{};
        GetWindowRect(window, &place);
        auto shot = std::make_shared<TBitmap>();
        shot->SetPixelFormat(pf24bit);
        shot->SetSize(place.right - place.left, place.bottom - place.top);
        HDC source = GetWindowDC(window);
        BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
        return {POINT{place.left - formPlace.left, place.top - formPlace.top}, shot};
    }

private:
    HIMAGELIST m_images = nullptr;
};

TEST_P(ExtendedGalleryTest, ExtendedComboBoxes) {
    TForm* form = GalleryForm(470, 285);
    const DWORD exStyles[] = {WS_EX_CLIENTEDGE,
                              0,
                              WS_EX_CLIENTEDGE,
                              WS_EX_CLIENTEDGE,
                              WS_EX_CLIENTEDGE,
                              WS_EX_CLIENTEDGE,
                              WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR};
    const DWORD kinds[] = {CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, CBS_DROPDOWN,    CBS_DROPDOWNLIST,
                           CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST};
    const char16_t* texts[] = {u"带边框 bordered", u"无边框 borderless", u"可编辑 editable",     u"悬停 hot",
                               u"按下 pressed",    u"禁用 disabled",     u"左侧按钮 button left"};
    HWND hot = nullptr;
    HWND pressed = nullptr;
    for (bool skinned : {false, true}) {
        const int left = 15 + (skinned ? ColumnOffset : 0);
        for (int i = 0; i < 7; ++i) {
            HWND ex = NewExtended(form, exStyles[i], kinds[i], left, 10 + i * 34, texts[i]);
            ASSERT_NE(ex, nullptr);
            if (i == 5)
                EnableWindow(ex, FALSE);
            if (!skinned)
                continue;
            SkinExtended(ex);
            if (i == 3)
                hot = ex;
            if (i == 4)
                pressed = ex;
        }
    }
    Pump();
    // The hot button as the mouse over it shows it, and the pressed one while the mouse holds it.
    auto buttonCentre = [](HWND ex) {
        HWND inner = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETCOMBOCONTROL, 0, 0));
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(inner, &info);
        POINT centre{(info.rcButton.left + info.rcButton.right) / 2,
                     (info.rcButton.top + info.rcButton.bottom) / 2};
        ClientToScreen(inner, &centre);
        return centre;
    };
    const POINT over = buttonCentre(hot);
    platform::headless::MoveMouse(over.x, over.y);
    Pump();
    auto hotShot = Shot(form->Handle(), hot);
    const POINT press = buttonCentre(pressed);
    platform::headless::MoveMouse(press.x, press.y);
    platform::headless::PressButton(press.x, press.y);
    Pump();
    auto pressedShot = Shot(form->Handle(), pressed);
    platform::headless::ReleaseButton(press.x, press.y);
    SendMessageW(pressed, CB_SHOWDROPDOWN, FALSE, 0);
    platform::headless::MoveMouse(5, 5);
    Pump();
    Save(form, "combos-extended", [&](HDC page) {
        for (auto& shot : {hotShot, pressedShot})
            BitBlt(page, shot.first.x, shot.first.y, shot.second->Width(), shot.second->Height(),
                   shot.second->Canvas()->Handle(), 0, 0, SRCCOPY);
    });
}

TEST_P(ExtendedGalleryTest, PageControlsWithTabPictures) {
    TForm* form = GalleryForm(470, 300);
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto* pages = Add<TAdvPageControl>(form, left, 10, 215, 130);
        auto* crowded = Add<TAdvPageControl>(form, left, 150, 215, 130);
        for (TAdvPageControl* control : {pages, crowded}) {
            const int count = control == pages ? 3 : 7;
            for (int i = 0; i < count; ++i) {
                auto* sheet = new TTabSheet(form);
                sheet->SetPageControl(control);
                sheet->SetCaption("页面" + std::to_string(i + 1));
            }
            control->SetActivePageIndex(1);
            if (skinned) {
                auto* skin = new TSkinAdvPage(control, AdvPageKindTabPictures);
                skin->InitSkin(skinForm.get(), skinData.get(), true, skinForm->ControlCanvas());
            }
        }
    }
    Save(form, "advpages");
}

TEST_P(ExtendedGalleryTest, ContainersShowTheirGraphicChildren) {
    TForm* form = GalleryForm(470, 400);
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto* box = Add<TGroupBox>(form, left, 10, 215, 70);
        box->SetCaption("分组 group");
        SpeedButtonOn(box, 15, 30, "确定", skinned);
        SpeedButtonOn(box, 100, 30, "取消", skinned);

        auto* tabs = Add<TTabControl>(form, left, 90, 215, 100);
        tabs->AddTab("标签一");
        tabs->AddTab("标签二");
        SpeedButtonOn(tabs, 20, 50, "标签上", skinned);

        auto* pages = Add<TPageControl>(form, left, 200, 215, 100);
        auto* sheet = new TTabSheet(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption("页面");
        SpeedButtonOn(sheet, 15, 20, "页面上", skinned);

        auto* status = new TStatusBar(form);
        status->SetParent(form);
        status->SetAlign(alNone);
        status->SetBounds(left, 320, 215, 30);
        status->SetSimplePanel(true);
        status->SetSimpleText("状态 status");
        SpeedButtonOn(status, 130, 3, "栏上", skinned);

        if (!skinned)
            continue;
        SkinOf<TSkinGroupBox>(box);
        SkinOf<TSkinTab>(tabs)->SetKind(TabKindWithGraphicChildren);
        SkinOf<TSkinTab>(pages);
        SkinOf<TSkinTabSheet>(sheet);
        SkinOf<TSkinStatusBar>(status);
        for (TWinControl* container : std::initializer_list<TWinControl*>{box, tabs, sheet, status})
            container->Invalidate();
    }
    Save(form, "graphic-children");
}

INSTANTIATE_TEST_SUITE_P(Skins, ExtendedGalleryTest, ::testing::Values("default", "dark"));

} // namespace
