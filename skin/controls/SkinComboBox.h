#pragma once
// TSkinComBox: a combo box framed from the skin's combo image (or its frame and button images),
// its drop-down button showing hot under the mouse and pressed while held, at the left for a
// right-to-left combo box. The field keeps the combo box's own drawing. The drop-down list's
// scroll bar and a simple combo box's list bars are skinned too, and the inner edit is watched
// so the frame comes back whenever the edit paints. An extended combo box ("ComboBoxEx32") gets
// a plain frame and its inner combo box's button is drawn from the skin's combo button face.

#include "skin/controls/WinSubClass.h"

#include "platform/controls/combobox/ComboBox.h"

#include <memory>

class TWindowSubclass;

// Whether the window is an extended combo box ("ComboBoxEx32"), which wants the extended skin.
bool IsExtendedComboBoxWindow(HWND window);

class TSkinComBox : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The state frame the button shows now: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
    int ButtonState() const;
    // The button's rectangle as last drawn (window coordinates).
    const RECT& ButtonRect() const { return m_buttonRect; }
    bool Dropped() const { return m_dropped; }
    // Set by the creator before attaching, for an extended combo box.
    bool Extended() const { return m_extended; }
    void SetExtended(bool extended) { m_extended = extended; }
    HWND ListWindow() const { return m_info.hwndList; }
    HWND InnerWindow() const { return m_innerWindow; }

private:
    bool ReadInfo();
    void SkinParts(bool withLists);
    LRESULT InnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Hot while the point (the combo box's client coordinates) is over the button; the mouse
    // is watched for leaving `tracked`.
    void TrackHot(POINT point, HWND tracked);
    void TrackDropDown(WORD notification);
    bool LeftScrollBar() const;
    void DrawFlat(HDC dc, const RECT& rect, int state);
    void DrawComposed(HDC dc, const RECT& rect, int state);
    void DrawFramed(HDC dc, const RECT& rect, int state);
    void DrawExtended(HDC dc, const RECT& rect, int state);

    DWORD m_style = 0;
    COMBOBOXINFO m_info{};
    HWND m_innerWindow = nullptr;
    std::unique_ptr<TWindowSubclass> m_inner;
    RECT m_buttonRect{};
    bool m_dropped = false;
    bool m_extended = false;
};
