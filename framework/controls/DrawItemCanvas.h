#pragma once
// Lends a control's canvas the DC of one owner-drawn item (WM_DRAWITEM) for as long as it
// lives, with the control's font and brush, and gives the DC back as it found it.

#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"

class DrawItemCanvas {
public:
    DrawItemCanvas(TCanvas& canvas, TWinControl& control, HDC dc)
        : m_canvas(canvas), m_dc(dc), m_saved(SaveDC(dc)) {
        m_canvas.SetHandle(dc);
        m_canvas.SetFont(control.Font());
        m_canvas.SetBrush(control.Brush());
    }
    ~DrawItemCanvas() {
        m_canvas.SetHandle(nullptr);
        RestoreDC(m_dc, m_saved);
    }
    DrawItemCanvas(const DrawItemCanvas&) = delete;
    DrawItemCanvas& operator=(const DrawItemCanvas&) = delete;

private:
    TCanvas& m_canvas;
    HDC m_dc;
    int m_saved;
};
