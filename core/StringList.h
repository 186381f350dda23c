#pragma once
// TStringList: an ordered list of GBK strings, each with an integer tag ("object").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    int Add(std::string text) { return AddObject(std::move(text), 0); }
    int AddObject(std::string text, std::intptr_t object);
    void Insert(int index, std::string text);
    void Delete(int index);
    void Clear() { m_items.clear(); }

    int Count() const { return static_cast<int>(m_items.size()); }
    // Item access; an index outside 0..Count-1 raises Exception ("List index out of bounds (%d)").
    const std::string& Strings(int index) const;
    void SetStrings(int index, std::string text);
    const std::string& operator[](int index) const { return Strings(index); }
    std::intptr_t Objects(int index) const;
    void SetObjects(int index, std::intptr_t object);

    // Position of the first item equal to the text, compared without regard to ASCII case, or -1.
    int IndexOf(std::string_view text) const;

    // All items, each followed by CR LF.
    std::string Text() const;
    // Replaces the items by the lines of the text (ended by CR, LF or CR LF).
    void SetText(std::string_view text);

private:
    struct Item {
        std::string text;
        std::intptr_t object = 0;
    };

    void CheckIndex(int index) const;

    std::vector<Item> m_items;
};
