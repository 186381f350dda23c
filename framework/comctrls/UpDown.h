#pragma once
// TUpDown over the platform's "msctls_updown32" window: two arrow buttons that move a position
// between Min and Max by Increment, optionally shown in an associated control (its buddy, which
// the buttons sit beside). OnChanging may refuse a step; OnClick tells which button moved it.

#include "framework/controls/WinControl.h"

#include <functional>

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

const TEnumInfo& UDAlignButtonIdents();
const TEnumInfo& UDOrientationIdents();

using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TUpDown : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    // The control that shows the position (a single-line edit, usually), or null.
    TWinControl* Associate() const { return m_associate; }
    void SetAssociate(TWinControl* associate);
    int Min() const { return m_min; }
    void SetMin(int min);
    int Max() const { return m_max; }
    void SetMax(int max);
    // The position; with an associate, the number its text holds when it holds one.
    int Position();
    void SetPosition(int position);
    int Increment() const { return m_increment; }
    void SetIncrement(int increment);
    bool Wrap() const { return m_wrap; }
    void SetWrap(bool wrap);
    bool ArrowKeys() const { return m_arrowKeys; }
    void SetArrowKeys(bool arrowKeys);
    bool Thousands() const { return m_thousands; }
    void SetThousands(bool thousands);
    TUDAlignButton AlignButton() const { return m_alignButton; }
    void SetAlignButton(TUDAlignButton align);
    TUDOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TUDOrientation orientation);

    void Dispatch(TMessage& message) override;

    // Hides TControl::OnClick: an up-down's click names its button.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

protected:
    virtual bool CanChange();
    virtual void Click(TUDBtnType button);
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void WriteRange();
    void WriteIncrement();
    void CNNotify(TMessage& message);
    void CNScroll(TMessage& message);

    TWinControl* m_associate = nullptr;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    int m_lastDelta = 0;
    bool m_wrap = false;
    bool m_arrowKeys = true;
    bool m_thousands = true;
    TUDAlignButton m_alignButton = udRight;
    TUDOrientation m_orientation = udVertical;
};
