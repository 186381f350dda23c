#pragma once
// Builds in-memory dialog templates for the tests, in the plain or the extended layout.

#include "platform/controls/Dialog.h"

#include <string>
#include <vector>

namespace testing_support {

class DialogTemplateBuilder {
public:
    static constexpr WORD ButtonAtom = 0x0080;
    static constexpr WORD StaticAtom = 0x0082;

    DialogTemplateBuilder(DWORD style, RECT units, std::u16string title, bool extended = false)
        : m_style(style), m_units(units), m_title(std::move(title)), m_extended(extended) {}

    DialogTemplateBuilder& Font(WORD pointSize, std::u16string face) {
        m_style |= DS_SETFONT;
        m_pointSize = pointSize;
        m_face = std::move(face);
        return *this;
    }
    DialogTemplateBuilder& Item(WORD classAtom, std::u16string text, DWORD style, RECT units, WORD id) {
        m_items.push_back({classAtom, {}, std::move(text), style, units, id});
        return *this;
    }
    DialogTemplateBuilder& NamedItem(std::u16string className, std::u16string text, DWORD style, RECT units,
                                     WORD id) {
        m_items.push_back({0, std::move(className), std::move(text), style, units, id});
        return *this;
    }
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
    void Align();

    DWORD m_style;
    RECT m_units;
    std::u16string m_title;
    bool m_extended;
    WORD m_pointSize = 0;
    std::u16string m_face;
    std::vector<ItemSpec> m_items;
    std::vector<WORD> m_words;
};

} // namespace testing_support
