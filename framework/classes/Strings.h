#pragma once
// TStrings: a list of GBK texts seen through a control (a memo's lines, a list's items). Each
// kind of control answers the few primitive operations from its window, or from what it
// keeps while it has none; the rest (Add, Text, IndexOf, Assign) is built on them here. It is
// a persistent object, so a control can publish its texts as an object property ("Items").

#include "core/StringList.h"
#include "framework/classes/Persistent.h"

#include <string>
#include <string_view>

class TStrings : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    virtual int Count() const = 0;
    // An index outside 0..Count-1 raises Exception ("List index out of bounds (%d)").
    virtual std::string Strings(int index) const = 0;
    virtual void SetStrings(int index, const std::string& text) = 0;
    // Index Count appends.
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Where the text went (a sorted list places it in order).
    virtual int Add(const std::string& text);

    // All items, each followed by CR LF.
    virtual std::string Text() const;
    // Replaces the items by the lines of the text (ended by CR, LF or CR LF).
    virtual void SetText(std::string_view text);

    std::string operator[](int index) const { return Strings(index); }
    // Position of the first item equal to the text, compared without regard to ASCII case, or -1.
    int IndexOf(std::string_view text) const;
    void Assign(const TStringList& list);
    void Assign(const TStrings& strings);
    // Another TStrings' texts; other sources as any persistent object takes them.
    void Assign(const TPersistent* source) override;
    TStringList ToStringList() const;

protected:
    [[noreturn]] static void IndexError(int index);
    void CheckIndex(int index) const;
};
