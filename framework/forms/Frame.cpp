#include "framework/forms/Frame.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/ControlProperties.h"

const TClass& TCustomFrame::ClassInfo() {
    static const TClass info("TCustomFrame", &TWinControl::ClassInfo(), CommonControlProperties({}));
    return info;
}

const TClass& TFrame::ClassInfo() {
    static const TClass info("TFrame", &TCustomFrame::ClassInfo());
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Include(csAcceptsControls);
    m_controlStyle.Exclude(csSetCaption);
    SetParentBackground(true);
    SetBounds(0, 0, 320, 240);
}

void TCustomFrame::Loaded() {
    TWinControl::Loaded();
    for (int i = 0; i < ComponentCount(); ++i) {
        if (Components(i)->ComponentState().Contains(csLoading))
            Components(i)->Loaded();
    }
}
