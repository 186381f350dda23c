#pragma once
// TCustomMemo / TMemo: a multi-line edit. Lines is a view of the memo's text, one item per
// line of the window (a wrapped line counts as the lines it shows); reading it asks the
// window, changing it changes the window. Before the window exists the view works on the text
// the memo keeps, which the window receives when it is made.

#include "framework/classes/Strings.h"
#include "framework/stdctrls/Edits.h"

#include <memory>

class TCustomMemo;

// The lines of a memo.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : m_memo(memo) {}

    int Count() const override;
    std::string Strings(int index) const override;
    void SetStrings(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(std::string_view text) override;

private:
    HWND Window() const;
    // The window's line: its start offset and length in bytes.
    int LineStart(int index) const;
    int LineLength(int start) const;
    // Replaces bytes [start, end) of the window's text.
    void Replace(int start, int end, const std::string& text);
    // Edits the kept text as a list of lines when there is no window.
    template <typename Edit>
    void EditKept(Edit edit);

    TCustomMemo& m_memo;
};

class TCustomMemo : public TCustomEdit {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomMemo(TComponent* owner);

    TStrings* Lines() const { return m_lines.get(); }
    void SetLines(const TStrings& lines) { m_lines->Assign(lines); }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    // Long lines break at the right edge (no horizontal scrolling).
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    // Enter types a line break; without it, Enter is the form's (its default button).
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool wantReturns) { m_wantReturns = wantReturns; }
    // Tab types a tab; without it, Tab moves the focus on.
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool wantTabs) { m_wantTabs = wantTabs; }

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;

private:
    friend class TMemoStrings;
    // The text kept while there is no window, for the line view.
    std::string& KeptText() { return m_text; }

    std::unique_ptr<TMemoStrings> m_lines;
    TAlignment m_alignment = taLeftJustify;
    TScrollStyle m_scrollBars = ssNone;
    bool m_wordWrap = true;
    bool m_wantReturns = true;
    bool m_wantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomMemo::TCustomMemo;
};
