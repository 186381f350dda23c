#pragma once
// Control skins under a real mouse: the control-skin fixture on a private X session, with
// shown forms placed side by side so that a skinned and a plain control meet the same hand.

#include "ControlSkinFixture.h"

#include "../../platform/display/X11Session.h"

#include <functional>
#include <memory>
#include <string>

class ControlSkinXvfbTest : public testing_support::OnX11Session<ControlSkinTest> {
protected:
    // A shown form at (left, 40), once the X server shows its window.
    TForm* FormAt(int left) {
        auto* form = new TForm(nullptr);
        forms.emplace_back(form);
        form->SetBounds(left, 40, 260, 260);
        form->AfterConstruction();
        form->Show();
        EXPECT_TRUE(RunUntil([&] { return m_client->IsShown(m_display->NativeWindow(form->Handle())); }));
        Settle();
        return form;
    }
};
