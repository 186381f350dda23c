#include "platform/user/AtomTable.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WinUser.h"

namespace platform {

namespace {

char16_t FoldCase(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

} // namespace

std::u16string IntegerAtomText(ULONG_PTR value) {
    std::u16string text(1, u'#');
    for (char digit : std::to_string(value))
        text.push_back(static_cast<char16_t>(digit));
    return text;
}

bool EqualNamesIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

std::optional<ATOM> AtomTable::IntegerAtomOf(std::u16string_view name) {
    if (name.size() < 2 || name[0] != u'#')
        return std::nullopt;
    unsigned long value = 0;
    for (char16_t c : name.substr(1)) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value >= FirstStringAtom)
            return std::nullopt;
    }
    if (value == 0)
        return std::nullopt;
    return static_cast<ATOM>(value);
}

ATOM AtomTable::Add(std::u16string_view name) {
    if (auto integer = IntegerAtomOf(name))
        return *integer;
    if (name.empty() || name.size() > MaxNameLength) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (ATOM existing = Find(name)) {
        ++m_entries[existing].references;
        return existing;
    }
    ATOM candidate = FirstStringAtom;
    for (const auto& [atom, entry] : m_entries) {
        if (atom != candidate)
            break;
        ++candidate;
    }
    if (candidate == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    m_entries[candidate] = Entry{std::u16string(name), 1};
    return candidate;
}

ATOM AtomTable::Find(std::u16string_view name) const {
    if (auto integer = IntegerAtomOf(name))
        return *integer;
    for (const auto& [atom, entry] : m_entries) {
        if (EqualNamesIgnoringCase(entry.name, name))
            return atom;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

bool AtomTable::Delete(ATOM atom) {
    if (atom != 0 && atom < FirstStringAtom)
        return true;
    auto it = m_entries.find(atom);
    if (it == m_entries.end())
        return false;
    if (--it->second.references <= 0)
        m_entries.erase(it);
    return true;
}

std::optional<std::u16string> AtomTable::Name(ATOM atom) const {
    if (atom != 0 && atom < FirstStringAtom)
        return IntegerAtomText(atom);
    auto it = m_entries.find(atom);
    if (it == m_entries.end())
        return std::nullopt;
    return it->second.name;
}

AtomName AtomName::From(LPCSTR name) {
    AtomName result;
    if (IS_INTRESOURCE(name))
        result.atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    else
        result.text = WideFromAnsi(name);
    return result;
}

AtomName AtomName::From(LPCWSTR name) {
    AtomName result;
    if (IS_INTRESOURCE(name))
        result.atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    else
        result.text = WideView(name);
    return result;
}

AtomTable& GlobalAtoms() {
    static AtomTable table;
    return table;
}

AtomTable& UserAtoms() {
    static AtomTable table;
    return table;
}

namespace {

ATOM AddTo(AtomTable& table, const std::u16string& name) {
    return table.Add(name);
}

UINT NameInto(AtomTable& table, ATOM atom, LPSTR buffer, int size) {
    auto name = table.Name(atom);
    if (!name) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!buffer || size <= 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return static_cast<UINT>(CopyToBuffer(Utf16ToGbk(*name), buffer, size));
}

} // namespace

} // namespace platform

using platform::GlobalAtoms;
using platform::NameOrAtomText;

ATOM GlobalAddAtomA(LPCSTR name) {
    return platform::AddTo(GlobalAtoms(), NameOrAtomText(name));
}

ATOM GlobalAddAtomW(LPCWSTR name) {
    return platform::AddTo(GlobalAtoms(), NameOrAtomText(name));
}

ATOM GlobalFindAtomA(LPCSTR name) {
    return GlobalAtoms().Find(NameOrAtomText(name));
}

ATOM GlobalFindAtomW(LPCWSTR name) {
    return GlobalAtoms().Find(NameOrAtomText(name));
}

ATOM GlobalDeleteAtom(ATOM atom) {
    // 0 on success; the atom itself when it could not be deleted.
    if (GlobalAtoms().Delete(atom))
        return 0;
    SetLastError(ERROR_INVALID_HANDLE);
    return atom;
}

UINT GlobalGetAtomNameA(ATOM atom, LPSTR buffer, int size) {
    return platform::NameInto(GlobalAtoms(), atom, buffer, size);
}

UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size) {
    auto name = GlobalAtoms().Name(atom);
    if (!name) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<UINT>(platform::CopyToBuffer(*name, buffer, size));
}

// One process, one GUI thread: the local atom table is the global one.
ATOM AddAtomA(LPCSTR name) {
    return GlobalAddAtomA(name);
}

ATOM FindAtomA(LPCSTR name) {
    return GlobalFindAtomA(name);
}

ATOM DeleteAtom(ATOM atom) {
    return GlobalDeleteAtom(atom);
}

UINT GetAtomNameA(ATOM atom, LPSTR buffer, int size) {
    return GlobalGetAtomNameA(atom, buffer, size);
}

UINT RegisterWindowMessageA(LPCSTR name) {
    if (!name || IS_INTRESOURCE(name) || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return platform::UserAtoms().Add(platform::WideFromAnsi(name));
}

UINT RegisterWindowMessageW(LPCWSTR name) {
    if (!name || IS_INTRESOURCE(name) || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return platform::UserAtoms().Add(name);
}
