#include "framework/stdctrls/ListControls.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/ControlProperties.h"

const TClass& TCustomListControl::ClassInfo() {
    static const TClass info("TCustomListControl", &TWinControl::ClassInfo(),
                             CommonControlProperties({
                                 MethodProperty("OnDblClick", &TControl::OnDblClick),
                                 MethodProperty("OnDrawItem", &TCustomListControl::OnDrawItem),
                                 MethodProperty("OnMeasureItem", &TCustomListControl::OnMeasureItem),
                             }));
    return info;
}

TCustomListControl::TCustomListControl(TComponent* owner, const TListMessages& messages)
    : TWinControl(owner), m_items(std::make_unique<TListItems>(*this, messages)),
      m_canvas(std::make_unique<TCanvas>()) {
    m_controlStyle.Exclude(csClickEvents);
    m_controlStyle.Exclude(csDoubleClicks);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListControl::~TCustomListControl() {
    // The window goes before the items it reads from.
    DestroyHandle();
}

void TCustomListControl::Dispatch(TMessage& message) {
    if (message.Msg == CN_DRAWITEM || message.Msg == CN_MEASUREITEM) {
        OwnerDrawMessage(message, *this, *m_canvas, *m_items, OnDrawItem, OnMeasureItem, m_itemHeight,
                         IsVariableHeight());
        return;
    }
    TWinControl::Dispatch(message);
}
