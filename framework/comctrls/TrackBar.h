#pragma once
// TTrackBar over the platform's "msctls_trackbar32" window: a thumb on a channel between Min
// and Max, with tick marks (automatic every Frequency, or none), a selected range, and OnChange
// whenever the position changes, by the user or by code. Its settings are kept here and
// written into every window made for it.

#include "framework/controls/WinControl.h"

#include <vector>

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

const TEnumInfo& TrackBarOrientationIdents();
const TEnumInfo& TickStyleIdents();
const TEnumInfo& TickMarkIdents();

class TTrackBar : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TTrackBar(TComponent* owner);

    int Min() const { return m_min; }
    void SetMin(int min);
    int Max() const { return m_max; }
    void SetMax(int max);
    int Position() const { return m_position; }
    void SetPosition(int position);
    // A tick every Frequency positions (automatic ticks).
    int Frequency() const { return m_frequency; }
    void SetFrequency(int frequency);
    int LineSize() const { return m_lineSize; }
    void SetLineSize(int lineSize);
    int PageSize() const { return m_pageSize; }
    void SetPageSize(int pageSize);
    int SelStart() const { return m_selStart; }
    void SetSelStart(int selStart);
    int SelEnd() const { return m_selEnd; }
    void SetSelEnd(int selEnd);
    TTickStyle TickStyle() const { return m_tickStyle; }
    void SetTickStyle(TTickStyle style);
    TTickMark TickMarks() const { return m_tickMarks; }
    void SetTickMarks(TTickMark marks);
    TTrackBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TTrackBarOrientation orientation);
    // A tick of its own at a position (shown with any tick style but none).
    void SetTick(int value);

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    int Clamp(int position) const;
    void WriteRange();
    void WriteSelection();
    void PositionChanged(int position);
    void CNScroll(TMessage& message);

    int m_min = 0;
    int m_max = 10;
    int m_position = 0;
    int m_frequency = 1;
    int m_lineSize = 1;
    int m_pageSize = 2;
    int m_selStart = 0;
    int m_selEnd = 0;
    TTickStyle m_tickStyle = tsAuto;
    TTickMark m_tickMarks = tmBottomRight;
    TTrackBarOrientation m_orientation = trHorizontal;
    std::vector<int> m_ticks;
};
