#include "skin/forms/WinSysButton.h"

#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElements.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <algorithm>

void TNCObject::MouseDown() {
    if (TNCObject* hot = m_caption.HotObject(); hot && hot != this)
        hot->MouseLeave();
    if (!Visible)
        return;
    m_caption.SetHotObject(this);
    State = ncPressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible)
        return;
    State = ncHot;
    Paint();
}

void TNCObject::MouseMove() {
    TNCObject* hot = m_caption.HotObject();
    if (hot == this)
        return;
    if (hot)
        hot->MouseLeave();
    if (!Visible)
        return;
    m_caption.SetHotObject(this);
    State = ncHot;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible)
        return;
    if (m_caption.HotObject() == this)
        m_caption.SetHotObject(nullptr);
    State = ncNormal;
    Paint();
    m_caption.CloseHint();
}

bool TWinSysButton::IsIconButton() const {
    return m_record.Action == caSystemMenu || m_record.Action == caIcon;
}

int TWinSysButton::FrameToDraw() const {
    const int frames = std::max(m_record.FrameCount, 1);
    if (!Enabled)
        return frames > 3 ? 4 : 1;
    if (State == ncHot && m_record.Visibility == 100)
        return 4;
    return State;
}

void TWinSysButton::Paint() {
    if (!Visible || m_record.Image->Empty())
        return;
    HWND window = m_caption.Form().Window();
    HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    if (IsIconButton()) {
        m_caption.DrawIcon(dc, *this);
    } else {
        const RECT source = SkinFrameRect(m_record.Image->Width(), m_record.Image->Height(), FrameToDraw(),
                                          std::max(m_record.FrameCount, 1), false);
        DrawKeyed(dc, Bounds, *m_record.Image, clFuchsia, source.left, source.top);
    }
    ReleaseDC(window, dc);
}
