#pragma once
// TQuickIni: the small read-only INI parser for a skin's description. It keeps the kept lines
// of the text and finds values by scanning them; nothing is indexed and nothing written back.

#include "core/Stream.h"
#include "core/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TQuickIni {
public:
    TQuickIni();
    ~TQuickIni();
    TQuickIni(const TQuickIni&) = delete;
    TQuickIni& operator=(const TQuickIni&) = delete;

    // Replaces the contents with the text from the stream's position to its end; a null
    // stream changes nothing. Lines end at CR, LF or CR LF; the text ends at its first NUL.
    // A line is kept when, trimmed, it is not empty and does not begin with ";".
    void LoadFromStream(TStream* stream);

    // Index in Lines() of the header "[name]" (compared without regard to case), or -1.
    int SectionIndex(std::string_view name) const;

    // The value of the first line of the section whose key matches (keys without regard to
    // the case of A-Z); the default when there is none or its value is empty.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // The value as a decimal or hexadecimal ("0x" or "$") number, or the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    // Replaces the list's items with the section names in file order, without brackets.
    // Raises Exception ("The parameter Strings is unassigned!") for a null list.
    void ReadSections(TStringList* strings) const;

    // Every kept line, trimmed, in file order.
    const TStringList& Lines() const { return *lines; }
    // Every kept line that is a "[...]" header, with its index in Lines() as the object.
    const TStringList& Sections() const { return *sections; }

private:
    std::unique_ptr<TStringList> lines;
    std::unique_ptr<TStringList> sections;
};
