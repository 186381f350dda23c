#include "framework/controls/GraphicControl.h"

#include <algorithm>
#include <vector>

namespace {

// Canvases holding a window DC between paints.
std::vector<TControlCanvas*>& CanvasesWithDc() {
    static std::vector<TControlCanvas*> list;
    return list;
}

// Paints with the canvas on the DC for the length of one call.
template <typename Paint>
void PaintOn(TCanvas& canvas, HDC dc, Paint paint) {
    canvas.Lock();
    canvas.SetHandle(dc);
    try {
        paint();
    } catch (...) {
        canvas.SetHandle(nullptr);
        canvas.Unlock();
        throw;
    }
    canvas.SetHandle(nullptr);
    canvas.Unlock();
}

} // namespace

void FreeDeviceContexts() {
    auto& list = CanvasesWithDc();
    while (!list.empty())
        list.back()->FreeHandle();
}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::CreateHandle() {
    TWinControl* owner = dynamic_cast<TWinControl*>(&m_control);
    if (!owner)
        owner = m_control.Parent();
    if (!owner || !owner->HandleAllocated())
        return;
    m_window = owner->Handle();
    m_windowDc = GetDCEx(m_window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!m_windowDc)
        return;
    if (&m_control != owner) {
        // A graphic control draws at its place on the parent, inside its own bounds.
        SetViewportOrgEx(m_windowDc, m_control.Left(), m_control.Top(), nullptr);
        IntersectClipRect(m_windowDc, 0, 0, m_control.Width(), m_control.Height());
    }
    CanvasesWithDc().push_back(this);
    SetHandle(m_windowDc);
}

void TControlCanvas::FreeHandle() {
    if (!m_windowDc)
        return;
    SetHandle(nullptr);
    ReleaseDC(m_window, m_windowDc);
    m_windowDc = nullptr;
    m_window = nullptr;
    auto& list = CanvasesWithDc();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const TClass& TGraphicControl::ClassInfo() {
    static const TClass info("TGraphicControl", &TControl::ClassInfo());
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), m_canvas(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT && message.WParam) {
        m_canvas->FreeHandle();
        PaintOn(*m_canvas, reinterpret_cast<HDC>(message.WParam), [this] {
            m_canvas->Font()->Assign(Font());
            m_canvas->Brush()->SetColor(Color());
            Paint();
        });
        return;
    }
    TControl::Dispatch(message);
}

const TClass& TCustomControl::ClassInfo() {
    static const TClass info("TCustomControl", &TWinControl::ClassInfo());
    return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), m_canvas(std::make_unique<TControlCanvas>(*this)) {}

TCustomControl::~TCustomControl() {
    m_canvas.reset();
}

void TCustomControl::PaintWindow(HDC dc) {
    m_canvas->FreeHandle();
    PaintOn(*m_canvas, dc, [this] {
        m_canvas->Font()->Assign(Font());
        m_canvas->Brush()->Assign(Brush());
        Paint();
    });
}

void TCustomControl::Dispatch(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        PaintHandler(message);
        return;
    }
    TWinControl::Dispatch(message);
}
