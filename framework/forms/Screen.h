#pragma once
// TScreen: the forms of the program, the active one, the screen's size and the cursor.

#include "framework/controls/Component.h"
#include "framework/controls/Control.h"

#include <vector>

class TCustomForm;

class TScreen : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TScreen(TComponent* owner) : TComponent(owner) {}

    int FormCount() const { return static_cast<int>(m_forms.size()); }
    TCustomForm* Forms(int index) const { return m_forms.at(static_cast<std::size_t>(index)); }
    TCustomForm* ActiveForm() const { return m_activeForm; }
    int Width() const;
    int Height() const;
    TCursor Cursor() const { return m_cursor; }
    // A cursor other than crDefault is shown everywhere until set back.
    void SetCursor(TCursor cursor);

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form) { m_activeForm = form; }

private:
    std::vector<TCustomForm*> m_forms;
    TCustomForm* m_activeForm = nullptr;
    TCursor m_cursor = crDefault;
};

// The one screen object of the program.
TScreen* Screen();
