#pragma once
// The in-memory dialog template read into plain values: the dialog's styles, place, class,
// title and font, and each control's.

#include "platform/controls/dialogs/Dialog.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// A class or text given either by name or by number (an atom or a resource id).
struct NameOrOrdinal {
    std::u16string name;
    WORD ordinal = 0;
    bool isOrdinal = false;
};

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT units{}; // dialog units
    WORD id = 0;
    NameOrOrdinal className;
    NameOrOrdinal text;
    const BYTE* creationData = nullptr; // the size word and the data, or null when empty
};

struct DialogDescription {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT units{};
    NameOrOrdinal menu;
    NameOrOrdinal className;
    std::u16string title;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0; // 0: the face's normal weight
    bool italic = false;
    std::u16string face;
    std::vector<DialogItem> items;
};

// Reads a template; nothing when it is null or its header is not one this manager knows.
std::optional<DialogDescription> ReadDialogTemplate(const DLGTEMPLATE* dialogTemplate);

// The class name of a predefined control atom (0x0080 "Button"...), or null.
LPCWSTR PredefinedControlClass(WORD atom);

} // namespace platform
