#pragma once
// Writes in-memory dialog templates, in the plain layout or the extended one, for dialogs
// made in code: message boxes, tools, tests.

#include "platform/controls/dialogs/Dialog.h"

#include <string>
#include <vector>

namespace platform {

// The atoms a template names the predefined control classes by.
constexpr WORD ButtonClassAtom = 0x0080;
constexpr WORD EditClassAtom = 0x0081;
constexpr WORD StaticClassAtom = 0x0082;
constexpr WORD ListBoxClassAtom = 0x0083;
constexpr WORD ScrollBarClassAtom = 0x0084;
constexpr WORD ComboBoxClassAtom = 0x0085;

class DialogTemplateWriter {
public:
    // Place and size in dialog units.
    DialogTemplateWriter(DWORD style, RECT units, std::u16string title, bool extended = false)
        : m_style(style), m_units(units), m_title(std::move(title)), m_extended(extended) {}

    DialogTemplateWriter& ExStyle(DWORD exStyle);
    // Sets DS_SETFONT with the font's point size and face.
    DialogTemplateWriter& Font(WORD pointSize, std::u16string face);
    DialogTemplateWriter& Item(WORD classAtom, std::u16string text, DWORD style, RECT units, WORD id);
    DialogTemplateWriter& NamedItem(std::u16string className, std::u16string text, DWORD style, RECT units,
                                    WORD id);

    // The template; it stays valid until the writer changes or goes.
    const DLGTEMPLATE* Build();

private:
    struct ItemSpec {
        WORD atom;
        std::u16string className;
        std::u16string text;
        DWORD style;
        RECT units;
        WORD id;
    };
    void Dword(DWORD value);
    void Text(const std::u16string& text);
    void Rect(const RECT& r);
    void AlignToDword();

    DWORD m_style;
    DWORD m_exStyle = 0;
    RECT m_units;
    std::u16string m_title;
    bool m_extended;
    WORD m_pointSize = 0;
    std::u16string m_face;
    std::vector<ItemSpec> m_items;
    std::vector<WORD> m_words;
};

} // namespace platform
