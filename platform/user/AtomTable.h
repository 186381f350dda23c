#pragma once
// A table of atoms: small numbers standing for case-insensitive names. Names up to 255
// characters get values from 0xC000 up; "#123" and integer values below 0xC000 stand for
// themselves. Each Add counts a reference that Delete gives back.

#include "platform/base/WinTypes.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class AtomTable {
public:
    // The atom of the name, added or with one more reference; 0 when the name is not a valid
    // atom name or the table is full.
    ATOM Add(std::u16string_view name);
    ATOM Find(std::u16string_view name) const;
    // Drops one reference; true when the atom existed (integer atoms always "exist").
    bool Delete(ATOM atom);
    std::optional<std::u16string> Name(ATOM atom) const;

    static constexpr ATOM FirstStringAtom = 0xC000;
    static constexpr std::size_t MaxNameLength = 255;

    // The integer an "#123" name stands for, when it is one.
    static std::optional<ATOM> IntegerAtomOf(std::u16string_view name);

private:
    struct Entry {
        std::u16string name;
        int references = 0;
    };
    std::map<ATOM, Entry> m_entries;
};

// A name as a caller gives it (a class or property name): text, or an atom in a pointer's low
// word.
struct AtomName {
    std::u16string text;
    ATOM atom = 0;
    static AtomName From(LPCSTR name);
    static AtomName From(LPCWSTR name);
};

// "#123": the name an integer atom has.
std::u16string IntegerAtomText(ULONG_PTR value);

// Names compare without regard to the case of Latin letters.
bool EqualNamesIgnoringCase(std::u16string_view a, std::u16string_view b);

// The global atom table (GlobalAddAtom, window properties) and the window manager's own
// table (class names, registered messages).
AtomTable& GlobalAtoms();
AtomTable& UserAtoms();

} // namespace platform
