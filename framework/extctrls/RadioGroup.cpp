#include "framework/extctrls/RadioGroup.h"

#include "framework/classes/PropertyTable.h"
#include "platform/gdi/WinGdi.h"

#include <algorithm>

// One radio button of a group: its clicks and its arrow keys are the group's business.
class TGroupButton : public TRadioButton {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TGroupButton", &TRadioButton::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TGroupButton(TCustomRadioGroup& group) : TRadioButton(&group), m_group(group) {
        SetParent(&group);
    }

    void Click() override {
        TRadioButton::Click();
        m_group.ButtonClicked(this);
    }

protected:
    void KeyDown(WORD& key, TShiftState shift) override {
        TRadioButton::KeyDown(key, shift);
        if (key == VK_DOWN || key == VK_RIGHT || key == VK_UP || key == VK_LEFT) {
            m_group.MoveToButton(this, key == VK_DOWN || key == VK_RIGHT);
            key = 0;
        }
    }

private:
    TCustomRadioGroup& m_group;
};

namespace {

// The height of a line of text in the font.
int LineHeight(TFont* font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font->Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

} // namespace

const TClass& TCustomRadioGroup::ClassInfo() {
    static const TClass info(
        "TCustomRadioGroup", &TCustomGroupBox::ClassInfo(),
        {
            OrdProperty("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns),
            OrdProperty("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
            ObjProperty("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems),
        });
    return info;
}

const TClass& TRadioGroup::ClassInfo() {
    static const TClass info("TRadioGroup", &TCustomRadioGroup::ClassInfo());
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), m_items(std::make_unique<TNotifyStrings>()) {
    m_items->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    m_items->OnChange = nullptr;
}

void TCustomRadioGroup::SetItems(TStrings* items) {
    if (items)
        m_items->Assign(*items);
    else
        m_items->Clear();
}

void TCustomRadioGroup::SetItemIndex(int index) {
    if (ComponentState().Contains(csLoading)) {
        // The items may come later; Loaded checks the button.
        m_itemIndex = index;
        return;
    }
    if (index < -1 || index >= ButtonCount())
        index = -1;
    if (index == m_itemIndex)
        return;
    if (index == -1) {
        m_itemIndex = -1;
        CheckItemButton();
        return;
    }
    // The button's click tells the group (ButtonClicked), which raises OnClick.
    m_buttons[static_cast<std::size_t>(index)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int columns) {
    columns = std::clamp(columns, 1, 16);
    if (columns == m_columns)
        return;
    m_columns = columns;
    ArrangeButtons();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    for (int i = 0; i < ComponentCount(); ++i) {
        if (Components(i)->ComponentState().Contains(csLoading))
            Components(i)->Loaded();
    }
    if (m_itemIndex < -1 || m_itemIndex >= ButtonCount())
        m_itemIndex = -1;
    CheckItemButton();
    ArrangeButtons();
}

void TCustomRadioGroup::ItemsChanged() {
    const int count = m_items->Count();
    while (ButtonCount() < count)
        m_buttons.push_back(new TGroupButton(*this));
    while (ButtonCount() > count) {
        TRadioButton* last = m_buttons.back();
        m_buttons.pop_back();
        delete last;
    }
    for (int i = 0; i < count; ++i) {
        m_buttons[static_cast<std::size_t>(i)]->SetCaption(m_items->Strings(i));
        m_buttons[static_cast<std::size_t>(i)]->SetEnabled(Enabled());
    }
    if (!ComponentState().Contains(csLoading)) {
        if (m_itemIndex >= count)
            m_itemIndex = -1;
        CheckItemButton();
    }
    ArrangeButtons();
}

void TCustomRadioGroup::CheckItemButton() {
    m_updating = true;
    for (int i = 0; i < ButtonCount(); ++i)
        m_buttons[static_cast<std::size_t>(i)]->SetChecked(i == m_itemIndex);
    m_updating = false;
    UpdateTabStops();
}

void TCustomRadioGroup::UpdateTabStops() {
    const int reached = m_itemIndex >= 0 ? m_itemIndex : 0;
    for (int i = 0; i < ButtonCount(); ++i)
        m_buttons[static_cast<std::size_t>(i)]->SetTabStop(i == reached);
}

void TCustomRadioGroup::ArrangeButtons() {
    if (m_buttons.empty())
        return;
    const int count = ButtonCount();
    const int rows = (count + m_columns - 1) / m_columns;
    // Below the caption, which sits on the frame's top line, and above the frame's bottom.
    const int top = LineHeight(Font()) + 1;
    const int available = std::max(Height() - top - 4, 0);
    const int rowHeight = available / rows;
    const int first = top + (available - rowHeight * rows) / 2;
    const int columnWidth = std::max((Width() - 10) / m_columns, 0);
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        m_buttons[static_cast<std::size_t>(i)]->SetBounds(8 + column * columnWidth, first + row * rowHeight,
                                                          columnWidth, rowHeight);
    }
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button) {
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), button);
    const int index = static_cast<int>(it - m_buttons.begin());
    if (m_updating || it == m_buttons.end() || !button->Checked() || index == m_itemIndex)
        return;
    m_itemIndex = index;
    UpdateTabStops();
    Click();
}

void TCustomRadioGroup::MoveToButton(TRadioButton* from, bool forward) {
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), from);
    if (it == m_buttons.end())
        return;
    const int count = ButtonCount();
    const int index = static_cast<int>(it - m_buttons.begin());
    TRadioButton* next = m_buttons[static_cast<std::size_t>((index + (forward ? 1 : count - 1)) % count)];
    if (next->CanFocus())
        next->SetFocus();
    next->SetChecked(true);
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
    TCustomGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TCustomRadioGroup::Dispatch(TMessage& message) {
    TCustomGroupBox::Dispatch(message);
    switch (message.Msg) {
    case CM_FONTCHANGED:
        ArrangeButtons();
        break;
    case CM_ENABLEDCHANGED:
        for (TRadioButton* button : m_buttons)
            button->SetEnabled(Enabled());
        break;
    default:
        break;
    }
}
