#pragma once
// TCustomListControl: what list boxes and combo boxes share: their items (kept in step with
// the window), the canvas their owner-drawn items are drawn on, and the drawing and measuring
// events of those items. Clicks come from the window's notifications, not from the mouse.

#include "framework/stdctrls/ListItems.h"
#include "framework/stdctrls/OwnerDrawItems.h"

#include <memory>

class TCustomListControl : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TCustomListControl(TComponent* owner, const TListMessages& messages);
    ~TCustomListControl() override;

    TListItems* Items() const { return m_items.get(); }
    void SetItems(const TStrings& items) { m_items->Assign(items); }
    // What OnDrawItem draws on, bound to the item's device context during the call.
    TCanvas* Canvas() const { return m_canvas.get(); }

    void Dispatch(TMessage& message) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    // Items of their own heights, asked of OnMeasureItem.
    virtual bool IsVariableHeight() const { return false; }

    std::unique_ptr<TListItems> m_items;
    // The height of owner-drawn items.
    int m_itemHeight = 16;

private:
    std::unique_ptr<TCanvas> m_canvas;
};
