// Reading dialog templates, in the plain layout (DLGTEMPLATE) and the extended one (version 1
// with the 0xFFFF signature, which adds help ids, a font weight and italics).

#include "platform/controls/dialogs/DialogTemplate.h"

#include <cstring>

namespace platform {

namespace {

// Walks a template by its own units: WORDs and DWORDs, read without alignment assumptions.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* start) : m_start(start), m_at(start) {}

    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return *m_at++; }

    NameOrOrdinal NameOrNumber() {
        NameOrOrdinal value;
        WORD first = Word();
        if (first == 0xFFFF) {
            value.isOrdinal = true;
            value.ordinal = Word();
            return value;
        }
        if (first == 0)
            return value;
        value.name.push_back(static_cast<char16_t>(first));
        value.name += String();
        return value;
    }
    std::u16string String() {
        std::u16string text;
        for (WORD c = Word(); c != 0; c = Word())
            text.push_back(static_cast<char16_t>(c));
        return text;
    }
    RECT Rect() {
        short x = Short();
        short y = Short();
        short cx = Short();
        short cy = Short();
        return {x, y, x + cx, y + cy};
    }
    void AlignToDword() {
        std::size_t offset = static_cast<std::size_t>(m_at - m_start);
        m_at += (4 - offset % 4) % 4;
    }
    const BYTE* Position() const { return m_at; }
    void Skip(std::size_t bytes) { m_at += bytes; }

private:
    template <typename T>
    T Read() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }

    const BYTE* m_start;
    const BYTE* m_at;
};

void ReadItemTail(TemplateReader& reader, DialogItem& item) {
    item.className = reader.NameOrNumber();
    item.text = reader.NameOrNumber();
    const BYTE* data = reader.Position();
    WORD extra = reader.Word();
    if (extra > 0) {
        item.creationData = data;
        reader.Skip(extra);
    }
}

} // namespace

std::optional<DialogDescription> ReadDialogTemplate(const DLGTEMPLATE* dialogTemplate) {
    if (!dialogTemplate)
        return std::nullopt;
    TemplateReader reader(reinterpret_cast<const BYTE*>(dialogTemplate));
    DialogDescription d;
    WORD version = reader.Word();
    WORD signature = reader.Word();
    bool extended = version == 1 && signature == 0xFFFF;
    WORD count = 0;
    if (extended) {
        reader.Dword(); // help id
        d.exStyle = reader.Dword();
        d.style = reader.Dword();
    } else {
        d.style = MAKELONG(version, signature);
        d.exStyle = reader.Dword();
    }
    count = reader.Word();
    d.units = reader.Rect();
    d.menu = reader.NameOrNumber();
    d.className = reader.NameOrNumber();
    d.title = reader.String();
    if (d.style & DS_SETFONT) {
        d.hasFont = true;
        d.pointSize = reader.Word();
        if (extended) {
            d.weight = reader.Word();
            d.italic = reader.Byte() != 0;
            reader.Byte(); // character set
        }
        d.face = reader.String();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.AlignToDword();
        DialogItem item;
        if (extended) {
            reader.Dword(); // help id
            item.exStyle = reader.Dword();
            item.style = reader.Dword();
            item.units = reader.Rect();
            item.id = static_cast<WORD>(reader.Dword());
        } else {
            item.style = reader.Dword();
            item.exStyle = reader.Dword();
            item.units = reader.Rect();
            item.id = reader.Word();
        }
        ReadItemTail(reader, item);
        d.items.push_back(std::move(item));
    }
    return d;
}

LPCWSTR PredefinedControlClass(WORD atom) {
    switch (atom) {
    case 0x0080:
        return u"Button";
    case 0x0081:
        return u"Edit";
    case 0x0082:
        return u"Static";
    case 0x0083:
        return u"ListBox";
    case 0x0084:
        return u"ScrollBar";
    case 0x0085:
        return u"ComboBox";
    default:
        return nullptr;
    }
}

} // namespace platform
