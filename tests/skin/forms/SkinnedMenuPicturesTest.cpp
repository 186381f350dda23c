// Pictures of the skinned menus for a person to look at, in the default and the dark skin: a
// popup menu with a selected item, a check mark, a separator, a disabled item, shortcuts and a
// cascade. Written next to the test programs as skinned-menu-*.png.

#include "tests/skin/forms/SkinEngineFixture.h"
#include "tests/skin/forms/SkinMenuTestSupport.h"

#include "framework/menus/Menus.h"
#include "framework/menus/ShortCuts.h"
#include "skin/forms/SkinMenuOwnerDraw.h"

#include <string>

using namespace skinmenus;
namespace headless = platform::headless;

namespace {

class SkinnedMenuPicturesTest : public SkinEngineTest, public ::testing::WithParamInterface<const char*> {
protected:
    static TMenuItem* AddItem(TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(parent.Owner());
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }
};

TEST_P(SkinnedMenuPicturesTest, PopupMenu) {
    const std::string design = GetParam();
    skinengine::Design skin;
    skin.archive = skinengine::SkinFileBytes(design);
    ASSERT_FALSE(skin.archive.empty()) << skinengine::SkinFilePath(design);
    TSkinData* data = NewSkinData(skin);
    TForm* form = NewForm();
    auto* popup = new TPopupMenu(form);
    AddItem(*popup->Items(), "刷新(&R)")->SetShortCut(TextToShortCut("F5"));
    AddItem(*popup->Items(), "保存(&S)...")->SetShortCut(TextToShortCut("Ctrl+S"));
    AddItem(*popup->Items(), "-");
    AddItem(*popup->Items(), "显示 UDP(&U)")->SetChecked(true);
    AddItem(*popup->Items(), "显示端口名(&P)")->SetEnabled(false);
    TMenuItem* more = AddItem(*popup->Items(), "更多(&M)");
    AddItem(*more, "关于(&A)");
    SwitchPopupMenus(*data, *form, true);
    form->Show();
    Pump();
    bool written = false;
    Script({[] { headless::TypeKey(VK_DOWN); },
            [&] {
                HWND window = OpenMenuWindow();
                written = headless::SaveWindowPng(window, std::string(QUILLMERE_BIN_DIR) +
                                                              "/skinned-menu-popup-" + design + ".png");
                headless::TypeKey(VK_ESCAPE);
            }});
    popup->Popup(150, 150);
    EXPECT_TRUE(written);
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinnedMenuPicturesTest, ::testing::Values("default", "dark"));

} // namespace
