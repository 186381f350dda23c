#pragma once
// TNotifyStrings: texts a control keeps itself (a radio group's items, a tab set's tabs), held
// in memory; OnChange runs after every change, so the control can follow it.

#include "framework/classes/Events.h"
#include "framework/classes/Strings.h"

class TNotifyStrings : public TStrings {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    int Count() const override { return m_list.Count(); }
    std::string Strings(int index) const override;
    void SetStrings(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TStringList m_list;
};
