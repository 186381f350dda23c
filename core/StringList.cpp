#include "core/StringList.h"

#include "core/Exception.h"

#include <cstdio>

namespace {
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}
} // namespace

int TStringList::AddObject(std::string text, std::intptr_t object) {
    m_items.push_back({std::move(text), object});
    return Count() - 1;
}

void TStringList::Insert(int index, std::string text) {
    if (index != Count())
        CheckIndex(index);
    m_items.insert(m_items.begin() + index, Item{std::move(text), 0});
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    m_items.erase(m_items.begin() + index);
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].text;
}

void TStringList::SetStrings(int index, std::string text) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].text = std::move(text);
}

std::intptr_t TStringList::Objects(int index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObjects(int index, std::intptr_t object) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].object = object;
}

int TStringList::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (EqualIgnoringAsciiCase(m_items[static_cast<std::size_t>(i)].text, text))
            return i;
    return -1;
}

std::string TStringList::Text() const {
    std::string text;
    for (const Item& item : m_items) {
        text += item.text;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text) {
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            break;
        }
        Add(std::string(text.substr(start, end - start)));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

namespace {

bool IsBlank(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

void SkipBlanks(std::string_view text, std::size_t& position) {
    while (position < text.size() && IsBlank(text[position]))
        ++position;
}

// The quoted item at `position` (which holds the opening quote), without its quotes; an item
// whose closing quote is missing runs to the end of the text.
std::string ReadQuotedItem(std::string_view text, std::size_t& position, char quote) {
    std::string item;
    ++position;
    while (position < text.size()) {
        char c = text[position++];
        if (c != quote) {
            item += c;
        } else if (position < text.size() && text[position] == quote) {
            item += quote;
            ++position;
        } else {
            break;
        }
    }
    return item;
}

} // namespace

void TStringList::SetDelimitedText(std::string_view text) {
    ParseDelimited(text, m_delimiter, m_quoteChar);
}

void TStringList::SetCommaText(std::string_view text) {
    ParseDelimited(text, ',', '"');
}

void TStringList::ParseDelimited(std::string_view text, char delimiter, char quoteChar) {
    Clear();
    std::size_t position = 0;
    SkipBlanks(text, position);
    while (position < text.size()) {
        if (text[position] == quoteChar) {
            Add(ReadQuotedItem(text, position, quoteChar));
        } else {
            std::size_t start = position;
            while (position < text.size() && !IsBlank(text[position]) && text[position] != delimiter)
                ++position;
            Add(std::string(text.substr(start, position - start)));
        }
        SkipBlanks(text, position);
        if (position < text.size() && text[position] == delimiter) {
            ++position;
            SkipBlanks(text, position);
            if (position == text.size())
                Add(std::string());
        }
    }
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        char message[64];
        std::snprintf(message, sizeof message, "List index out of bounds (%d)", index);
        throw Exception(message);
    }
}
