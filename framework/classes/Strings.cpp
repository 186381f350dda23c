#include "framework/classes/Strings.h"

#include "core/Exception.h"
#include "core/Format.h"

const TClass& TStrings::ClassInfo() {
    static const TClass info("TStrings", &TPersistent::ClassInfo());
    return info;
}

int TStrings::Add(const std::string& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    TStringList list;
    list.SetText(text);
    Assign(list);
}

int TStrings::IndexOf(std::string_view text) const {
    const TStringList list = ToStringList();
    return list.IndexOf(text);
}

void TStrings::Assign(const TStringList& list) {
    Clear();
    for (int i = 0; i < list.Count(); ++i)
        Add(list[i]);
}

void TStrings::Assign(const TStrings& strings) {
    if (&strings == this)
        return;
    Assign(strings.ToStringList());
}

void TStrings::Assign(const TPersistent* source) {
    if (const auto* strings = dynamic_cast<const TStrings*>(source)) {
        Assign(*strings);
        return;
    }
    TPersistent::Assign(source);
}

TStringList TStrings::ToStringList() const {
    TStringList list;
    for (int i = 0; i < Count(); ++i)
        list.Add(Strings(i));
    return list;
}

void TStrings::IndexError(int index) {
    throw Exception(Format("List index out of bounds (%d)", index));
}

void TStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
}
