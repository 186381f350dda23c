#pragma once
// TScrollBar: a stand-alone scroll bar over the platform's "SCROLLBAR" class. The parent's
// WM_HSCROLL / WM_VSCROLL comes back to it reflected; it turns the request into a new
// Position (by SmallChange, LargeChange, the thumb, the ends), lets OnScroll see and change
// it, and reports a changed Position through OnChange.

#include "framework/controls/WinControl.h"

#include <functional>

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

const TEnumInfo& ScrollBarKindIdents();
const TEnumInfo& ScrollCodeIdents();

using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& position)>;

class TScrollBar : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return m_kind; }
    // Turning the bar also turns its size.
    void SetKind(TScrollBarKind kind);
    int Min() const { return m_min; }
    void SetMin(int min) { SetParams(m_position, min, m_max); }
    int Max() const { return m_max; }
    void SetMax(int max) { SetParams(m_position, m_min, max); }
    int Position() const { return m_position; }
    void SetPosition(int position) { SetParams(position, m_min, m_max); }
    // The range raises Exception when Max is below Min; the position is kept inside it.
    void SetParams(int position, int min, int max);
    // The thumb's share of the range; 0 draws a square thumb.
    int PageSize() const { return m_pageSize; }
    void SetPageSize(int pageSize);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int change) { m_smallChange = change; }
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int change) { m_largeChange = change; }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    virtual void Change();
    virtual void Scroll(TScrollCode code, int& position);
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    // The highest position the thumb reaches: a page short of Max.
    int Highest() const;
    void ApplyToWindow();
    void CNScroll(TMessage& message);

    TScrollBarKind m_kind = sbHorizontal;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_pageSize = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
};
