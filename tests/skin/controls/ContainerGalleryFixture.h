#pragma once
// The fixture of the skin-controls2 gallery: forms in the skin's background colour, each control
// in its classic look on the left and skinned on the right, saved as
// build/skin-controls2-PAGE-SKIN.png for the default and the dark skin.

#include "ControlSkinFixture.h"

#include "platform/gdi/PngWriter.h"

#include <string>

class ContainerGalleryFixture : public ControlSkinTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ControlSkinTest::SetUp();
        const Bytes archive = controlskins::SkinFileBytes(GetParam());
        ASSERT_FALSE(archive.empty()) << "the build draws " << GetParam() << ".skn";
        LoadSkin(archive);
    }

    TForm* GalleryForm(int width, int height) {
        TForm* form = NewForm(width, height);
        form->SetColor(Skin().Colours[3]);
        form->SetCaption(std::string("控件皮肤 ") + GetParam());
        return form;
    }

    // Places the control in the classic column (left) or the skinned one (right, skinned).
    template <typename Control, typename Skin>
    Control* Pair(TForm* form, bool skinned, int left, int top, int width, int height) {
        auto* control = Add<Control>(form, left + (skinned ? ColumnOffset : 0), top, width, height);
        if (skinned)
            SkinOf<Skin>(control);
        return control;
    }

    void Save(TForm* form, const std::string& page) {
        Pump();
        Save(form, page, [](HDC) {});
    }
    // The form's picture with `overlay` drawn into it (a state that lasts only while the mouse
    // holds it, taken from the window meanwhile).
    template <typename Overlay>
    void Save(TForm* form, const std::string& page, Overlay overlay) {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        TBitmap picture;
        picture.SetPixelFormat(pf24bit);
        picture.SetSize(window.right - window.left, window.bottom - window.top);
        HDC source = GetWindowDC(form->Handle());
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), source, 0, 0, SRCCOPY);
        ReleaseDC(form->Handle(), source);
        overlay(picture.Canvas()->Handle());
        const std::string name = "skin-controls2-" + page + "-" + GetParam() + ".png";
        EXPECT_TRUE(
            platform::WriteBitmapPng(picture.Handle(), std::string(QUILLMERE_BIN_DIR) + "/../" + name));
    }

    static constexpr int ColumnOffset = 230;
};
