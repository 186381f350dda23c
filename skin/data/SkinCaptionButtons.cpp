// The caption buttons of a skin: every section named "Button..." that is not one of the
// push-button sections, followed by the three buttons of a maximised MDI child.

#include "skin/data/SkinElementSet.h"

#include "framework/graphics/Canvas.h"
#include "skin/data/WinSkinIni.h"

#include <algorithm>

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return upper;
}

bool IsPushButtonSection(const std::string& upper) {
    return upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON";
}

// A caption button strip without a frame count: 3 frames when it is at most 3.8 times as wide
// as high, else 6; always 6 for a button without a standard action.
int GuessedFrameCount(const TDataSkinSysButton& button) {
    if (button.Action < 0 || button.Image->Empty())
        return 6;
    return button.Image->Width() <= 3.8 * button.Image->Height() ? 3 : 6;
}

constexpr int MdiButtonFrames = 4;
constexpr int MdiStripFrames = 12;

} // namespace

void TSkinElements::ReadSysButtons() {
    SysButtons.clear();
    std::vector<std::string> kept;
    for (const std::string& section : sectionNames) {
        const std::string upper = Upper(section);
        if (IsPushButtonSection(upper) || !upper.starts_with("BUTTON"))
            continue;
        if (ReadInteger(section, "Action", 0) == -1 && ReadInteger(section, "Visibility", -1) != 0)
            continue;
        kept.push_back(upper);
    }

    bool remembered = false;
    std::int32_t rememberedX = 0, rememberedY = 0;
    for (const std::string& section : kept) {
        auto button = std::make_unique<TDataSkinSysButton>(section);
        button->Action = ReadInteger(section, "Action", 0);
        button->Align = ReadInteger(section, "Align", 0);
        button->Xcoord = ReadInteger(section, "Xcoord", 0);
        button->Ycoord = ReadInteger(section, "Ycoord", 0);
        button->Visibility = ReadInteger(section, "Visibility", 0);
        button->Visibility1 = ReadInteger(section, "Visibility1", button->Action == -1 ? -1 : 0);
        button->CombineOp = ReadInteger(section, "CombineOp", -1);
        button->FrameCount = ReadInteger(section, "frame", 0);
        LoadElementImage(*button->Image, ReadString(section, "ButtonImage"));
        // The help button sits where the maximise button of a normal window would.
        if (button->Action == 1 && button->Visibility == 2) {
            remembered = true;
            rememberedX = button->Xcoord;
            rememberedY = button->Ycoord;
        } else if (button->Action == 4 && remembered) {
            button->Xcoord = rememberedX;
            button->Ycoord = rememberedY;
        }
        if (button->FrameCount == 0) {
            button->FrameCount = GuessedFrameCount(*button);
            // The window icon is drawn from the window itself.
            if (button->Action == 3 || button->Action == 11)
                button->Image->SetSize(0, 0);
        }
        SysButtons.push_back(std::move(button));
    }

    TBitmap strip;
    LoadElementImage(strip, ReadString("MDICONTROLS", "Image"));
    const int frameWidth = strip.Width() / MdiStripFrames;
    for (int i = 0; i < 3; ++i) {
        auto button = std::make_unique<TDataSkinSysButton>("");
        button->Action = 7 + i;
        button->Align = button->Visibility = button->Visibility1 = 100;
        button->FrameCount = MdiButtonFrames;
        if (!strip.Empty() && frameWidth > 0) {
            const int width = MdiButtonFrames * frameWidth;
            button->Image->SetPixelFormat(pf24bit);
            button->Image->SetSize(width, strip.Height());
            button->Image->Canvas()->CopyRect(Rect(0, 0, width, strip.Height()), strip.Canvas(),
                                              Rect(width * i, 0, width * (i + 1), strip.Height()));
            button->Xcoord = (frameWidth + 4) * (3 - i);
        }
        SysButtons.push_back(std::move(button));
    }
}
