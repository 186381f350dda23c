#pragma once
// SkinFormServices: what a control skin sees of the skinned window (TWinSkinForm) it belongs
// to. The control skins reach their form only through this interface: the skin data, the
// canvas they draw with, the list of control skins, the frame's metrics and the window.
//
// The list of control skins and who frees them:
//   - every control skin lists itself when it attaches (AddSkinControl; listing an object a
//     second time changes nothing) and takes itself out when it is destroyed
//     (RemoveSkinControl), so the list never holds a freed object;
//   - a control skin of a framework control is a component of that control (made with the
//     control as its owner): the control frees it with itself;
//   - a control skin of a bare window (no framework control) is made with BareWindowSkinOwner()
//     as its owner: a component the form owns, so it belongs to the form alone;
//   - when the form unskins or goes, it frees every listed control skin; a freed component
//     leaves its owner's components first, so neither the control nor the form frees it again.

#include "platform/base/WinTypes.h"

class TCanvas;
class TComponent;
class TControl;
class TSkinControl;
class TSkinData;

class SkinFormServices {
public:
    virtual ~SkinFormServices() = default;

    virtual TSkinData* SkinData() const = 0;
    // The canvas every control skin of the form draws with. It has no DC of its own: a skin
    // sets the DC it paints into and lets it go again.
    virtual TCanvas* ControlCanvas() = 0;

    // Lists a control skin with the framework control (null for a bare window) and the window
    // it skins.
    virtual void AddSkinControl(TSkinControl* skin, TControl* control, HWND window) = 0;
    // Takes a control skin out of the list: searched from the end, the first match.
    virtual void RemoveSkinControl(const TSkinControl* skin) = 0;
    // The listed control skin of a framework control, or of a window; null when there is none.
    virtual TSkinControl* FindSkinControl(const TControl* control) const = 0;
    virtual TSkinControl* FindSkinControlByWindow(HWND window) const = 0;
    // The owner to make a control skin of a bare window with.
    virtual TComponent* BareWindowSkinOwner() = 0;

    // The frame's metrics in pixels: the borders' widths, the caption's height (the top border)
    // and the height of the menu bar below it.
    virtual int LeftBorderWidth() const = 0;
    virtual int CaptionHeight() const = 0;
    virtual int RightBorderWidth() const = 0;
    virtual int BottomBorderHeight() const = 0;
    virtual int MenuBarHeight() const = 0;

    // The skinned window.
    virtual HWND FormWindow() const = 0;
};
