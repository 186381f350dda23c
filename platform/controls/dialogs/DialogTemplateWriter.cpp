#include "platform/controls/dialogs/DialogTemplateWriter.h"

namespace platform {

DialogTemplateWriter& DialogTemplateWriter::ExStyle(DWORD exStyle) {
    m_exStyle = exStyle;
    return *this;
}

DialogTemplateWriter& DialogTemplateWriter::Font(WORD pointSize, std::u16string face) {
    m_style |= DS_SETFONT;
    m_pointSize = pointSize;
    m_face = std::move(face);
    return *this;
}

DialogTemplateWriter& DialogTemplateWriter::Item(WORD classAtom, std::u16string text, DWORD style, RECT units,
                                                 WORD id) {
    m_items.push_back({classAtom, {}, std::move(text), style, units, id});
    return *this;
}

DialogTemplateWriter& DialogTemplateWriter::NamedItem(std::u16string className, std::u16string text,
                                                      DWORD style, RECT units, WORD id) {
    m_items.push_back({0, std::move(className), std::move(text), style, units, id});
    return *this;
}

void DialogTemplateWriter::Dword(DWORD value) {
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

void DialogTemplateWriter::Text(const std::u16string& text) {
    m_words.insert(m_words.end(), text.begin(), text.end());
    m_words.push_back(0);
}

void DialogTemplateWriter::Rect(const RECT& r) {
    for (LONG value : {r.left, r.top, r.right - r.left, r.bottom - r.top})
        m_words.push_back(static_cast<WORD>(value));
}

void DialogTemplateWriter::AlignToDword() {
    if (m_words.size() % 2)
        m_words.push_back(0);
}

const DLGTEMPLATE* DialogTemplateWriter::Build() {
    m_words.clear();
    if (m_extended) {
        m_words.push_back(1); // version
        m_words.push_back(0xFFFF);
        Dword(0); // help id
        Dword(m_exStyle);
        Dword(m_style);
    } else {
        Dword(m_style);
        Dword(m_exStyle);
    }
    m_words.push_back(static_cast<WORD>(m_items.size()));
    Rect(m_units);
    m_words.push_back(0); // no menu
    m_words.push_back(0); // the dialog class
    Text(m_title);
    if (m_style & DS_SETFONT) {
        m_words.push_back(m_pointSize);
        if (m_extended) {
            m_words.push_back(FW_NORMAL);
            m_words.push_back(0); // not italic, default character set
        }
        Text(m_face);
    }
    for (const ItemSpec& item : m_items) {
        AlignToDword();
        if (m_extended) {
            Dword(0); // help id
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
        if (item.atom) {
            m_words.push_back(0xFFFF);
            m_words.push_back(item.atom);
        } else {
            Text(item.className);
        }
        Text(item.text);
        m_words.push_back(0); // no creation data
    }
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

} // namespace platform
