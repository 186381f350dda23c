#pragma once
// TProgressBar over the platform's "msctls_progress32" window: a position between Min and Max,
// moved by code (Position, StepIt, StepBy). The position is kept here with the window's own
// rules (clamped to the range; a step past an end starts again from the other end) and written
// into every window made for the bar.

#include "framework/controls/WinControl.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };

const TEnumInfo& ProgressBarOrientationIdents();

class TProgressBar : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TProgressBar(TComponent* owner);

    int Min() const { return m_min; }
    void SetMin(int min);
    int Max() const { return m_max; }
    void SetMax(int max);
    int Position() const { return m_position; }
    void SetPosition(int position);
    int Step() const { return m_step; }
    void SetStep(int step);
    // Moves the position on by Step; past the end of the range it starts again.
    void StepIt();
    void StepBy(int delta);
    bool Smooth() const { return m_smooth; }
    void SetSmooth(bool smooth);
    TProgressBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TProgressBarOrientation orientation);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    int Clamp(int position) const;
    void WriteRange();
    void WritePosition();

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_step = 10;
    bool m_smooth = false;
    TProgressBarOrientation m_orientation = pbHorizontal;
};
