#pragma once
// Controls that paint themselves: TGraphicControl (no window: it draws on its parent's) and
// TCustomControl (a window of its own), each with a canvas and a Paint method. TControlCanvas
// is the canvas of a control: during Paint it draws on the paint DC, at other times it takes a
// DC of the control's window until the message loop next goes idle.

#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl& control) : m_control(control) {}
    ~TControlCanvas() override;

    // Lets go of a DC taken from the window.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl& m_control;
    HWND m_window = nullptr;
    HDC m_windowDc = nullptr;
};

class TGraphicControl : public TControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return m_canvas.get(); }

    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> m_canvas;
};

class TCustomControl : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return m_canvas.get(); }

    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> m_canvas;
};
