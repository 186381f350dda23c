#pragma once
// The parts of a skinned frame that the mouse acts on: TNCObject, the base, with its bounds
// and states, and TWinSysButton, a caption button drawn from its skin record.

#include "platform/base/WinTypes.h"

#include <cstdint>

class TDataSkinSysButton;
class TSkinCaption;

// The states of a frame part under the mouse.
enum TNCState : std::int32_t { ncNormal = 1, ncPressed = 2, ncHot = 3 };

class TNCObject {
public:
    explicit TNCObject(TSkinCaption& caption) : m_caption(caption) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // The state changes of the mouse; each repaints the object. An invisible object ignores
    // the mouse.
    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    virtual void Paint() {}

    RECT Bounds{}; // window coordinates, set by the layout
    bool Visible = false;
    std::int32_t State = ncNormal;
    bool Enabled = true;

protected:
    TSkinCaption& m_caption;
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TSkinCaption& caption, TDataSkinSysButton& record) : TNCObject(caption), m_record(record) {}

    void Paint() override;
    TDataSkinSysButton& Record() const { return m_record; }
    // The window icon's button (actions 3 and 11) draws the icon, not its strip.
    bool IsIconButton() const;
    // The strip's frame for the button's state: the state itself; the disabled frame (4, when
    // the strip has one) for a disabled button; 4 instead of the hot frame for a button of the
    // menu bar (first condition 100).
    int FrameToDraw() const;

private:
    TDataSkinSysButton& m_record;
};
