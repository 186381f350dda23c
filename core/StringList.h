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

    // Delimited text: items separated by the delimiter or by blanks (bytes 1 to 32). A run of
    // blanks, with at most one delimiter in it, is one separator; leading blanks are skipped;
    // a delimiter right at the end gives a last, empty item. An item that begins with the
    // quote character runs to the closing quote, a doubled quote standing for one, and loses
    // its quotes.
    char Delimiter() const { return m_delimiter; }
    void SetDelimiter(char delimiter) { m_delimiter = delimiter; }
    char QuoteChar() const { return m_quoteChar; }
    void SetQuoteChar(char quoteChar) { m_quoteChar = quoteChar; }
    void SetDelimitedText(std::string_view text);
    // Delimited text with the comma and the double quote, whatever Delimiter and QuoteChar are.
    void SetCommaText(std::string_view text);

private:
    struct Item {
        std::string text;
        std::intptr_t object = 0;
    };

    void CheckIndex(int index) const;
    void ParseDelimited(std::string_view text, char delimiter, char quoteChar);

    std::vector<Item> m_items;
    char m_delimiter = ',';
    char m_quoteChar = '"';
};
