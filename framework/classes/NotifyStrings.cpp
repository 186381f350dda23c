#include "framework/classes/NotifyStrings.h"

const TClass& TNotifyStrings::ClassInfo() {
    static const TClass info("TNotifyStrings", &TStrings::ClassInfo());
    return info;
}

std::string TNotifyStrings::Strings(int index) const {
    CheckIndex(index);
    return m_list[index];
}

void TNotifyStrings::SetStrings(int index, const std::string& text) {
    CheckIndex(index);
    if (m_list[index] == text)
        return;
    m_list.SetStrings(index, text);
    Changed();
}

void TNotifyStrings::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count())
        IndexError(index);
    m_list.Insert(index, text);
    Changed();
}

void TNotifyStrings::Delete(int index) {
    CheckIndex(index);
    m_list.Delete(index);
    Changed();
}

void TNotifyStrings::Clear() {
    if (Count() == 0)
        return;
    m_list.Clear();
    Changed();
}

void TNotifyStrings::Changed() {
    if (OnChange)
        OnChange(this);
}
