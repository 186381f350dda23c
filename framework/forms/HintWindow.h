#pragma once
// THintWindow: the small pop-up that shows a hint: a window of its own class, always on top and
// never activated, drawing its text in the info colours with a thin border.

#include "framework/controls/GraphicControl.h"

#include <string>
#include <string_view>

// What a control is asked about its hint (CM_HINTSHOW, lParam points here) before it shows; it
// may change the text, the place and the width, and a non-zero answer keeps the hint back.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos{};
    int HintMaxWidth = 0;
    std::string HintStr;
    int HideTimeout = 0;
};

class THintWindow : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit THintWindow(TComponent* owner);

    // The window rectangle (at 0, 0) the text needs, its lines broken to fit maxWidth.
    virtual TRect CalcHintRect(int maxWidth, std::string_view hint);
    // Shows the text in a window of that rectangle (screen coordinates, moved onto the screen
    // when it would leave it), without taking the activation.
    virtual void ActivateHint(TRect rect, const std::string& hint);
    // Hides the hint and lets its window go.
    void ReleaseHandle();
    // The window exists and shows.
    bool Showing() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

// The part of a hint before "|", shown in the hint window.
std::string GetShortHint(std::string_view hint);
// The part after "|" (the whole hint when there is none), for a status line.
std::string GetLongHint(std::string_view hint);
