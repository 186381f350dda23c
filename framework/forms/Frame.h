#pragma once
// TCustomFrame / TFrame: a container of components made as a class of its own (like a form,
// its constructor builds its controls, owned by the frame) and placed on forms, as many times
// as wanted: each frame names its own components. When the form finishes loading, the frame
// finishes loading what it owns.

#include "framework/controls/WinControl.h"

class TCustomFrame : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomFrame(TComponent* owner);

protected:
    void Loaded() override;
};

class TFrame : public TCustomFrame {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomFrame::TCustomFrame;
};
