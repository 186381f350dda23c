#include "DialogTemplateBuilder.h"

namespace testing_support {

void DialogTemplateBuilder::Dword(DWORD value) {
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

void DialogTemplateBuilder::Text(const std::u16string& text) {
    m_words.insert(m_words.end(), text.begin(), text.end());
    m_words.push_back(0);
}

void DialogTemplateBuilder::Rect(const RECT& r) {
    for (LONG value : {r.left, r.top, r.right - r.left, r.bottom - r.top})
        m_words.push_back(static_cast<WORD>(value));
}

void DialogTemplateBuilder::Align() {
    if (m_words.size() % 2)
        m_words.push_back(0);
}

const DLGTEMPLATE* DialogTemplateBuilder::Build() {
    m_words.clear();
    if (m_extended) {
        m_words.insert(m_words.end(), {1, 0xFFFF});
        Dword(0); // help id
        Dword(0);
        Dword(m_style);
    } else {
        Dword(m_style);
        Dword(0);
    }
    m_words.push_back(static_cast<WORD>(m_items.size()));
    Rect(m_units);
    m_words.insert(m_words.end(), {0, 0}); // no menu, the dialog class
    Text(m_title);
    if (m_style & DS_SETFONT) {
        m_words.push_back(m_pointSize);
        if (m_extended)
            m_words.insert(m_words.end(), {400, 0}); // weight, italic and character set
        Text(m_face);
    }
    for (const ItemSpec& item : m_items) {
        Align();
        if (m_extended) {
            Dword(0);
            Dword(0);
            Dword(item.style);
            Rect(item.units);
            Dword(item.id);
        } else {
            Dword(item.style);
            Dword(0);
            Rect(item.units);
            m_words.push_back(item.id);
        }
        if (item.atom)
            m_words.insert(m_words.end(), {0xFFFF, item.atom});
        else
            Text(item.className);
        Text(item.text);
        m_words.push_back(0); // no creation data
    }
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

} // namespace testing_support
