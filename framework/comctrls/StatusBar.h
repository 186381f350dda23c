#pragma once
// TCustomStatusBar / TStatusBar over the platform's "msctls_statusbar32" window: a row of
// panels (TStatusPanel, each with a width, text, bevel, style and alignment) or one simple
// text over the whole bar, and an optional size grip. The bar sits at the bottom of its parent
// by default. The panels live here and are written into the window's parts whenever they
// change and whenever a window is made.

#include "framework/controls/StdTypes.h"
#include "framework/controls/WinControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TCustomStatusBar;
class TStatusPanel;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

const TEnumInfo& StatusPanelStyleIdents();
const TEnumInfo& StatusPanelBevelIdents();

using TDrawPanelEvent =
    std::function<void(TCustomStatusBar* statusBar, TStatusPanel* panel, const TRect& rect)>;

class TStatusPanels;

// One panel of a status bar.
class TStatusPanel : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TStatusPanel(TStatusPanels& collection) : m_collection(collection) {}

    int Index() const;
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TStatusPanelBevel Bevel() const { return m_bevel; }
    void SetBevel(TStatusPanelBevel bevel);
    TStatusPanelStyle Style() const { return m_style; }
    void SetStyle(TStatusPanelStyle style);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    void Assign(const TPersistent* source) override;

private:
    void Changed(bool layout);

    TStatusPanels& m_collection;
    std::string m_text;
    int m_width = 50;
    TStatusPanelBevel m_bevel = pbLowered;
    TStatusPanelStyle m_style = psText;
    TAlignment m_alignment = taLeftJustify;
};

// The panels of one status bar, in order.
class TStatusPanels : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TStatusPanels(TCustomStatusBar& statusBar) : m_statusBar(statusBar) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    // The panel at an index, or null.
    TStatusPanel* Items(int index) const;
    TStatusPanel* Add();
    TStatusPanel* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TStatusPanel* panel) const;
    // Groups several changes into one update of the window.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();

    void Assign(const TPersistent* source) override;

private:
    friend class TStatusPanel;
    // A panel changed: its text only, or the layout of the parts.
    void Changed(const TStatusPanel* panel, bool layout);

    TCustomStatusBar& m_statusBar;
    std::vector<std::unique_ptr<TStatusPanel>> m_items;
    int m_updateCount = 0;
    bool m_pending = false;
};

class TCustomStatusBar : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels* Panels() const { return m_panels.get(); }
    void SetPanels(TStatusPanels* panels) { m_panels->Assign(panels); }
    bool SimplePanel() const { return m_simplePanel; }
    void SetSimplePanel(bool simple);
    const std::string& SimpleText() const { return m_simpleText; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return m_sizeGrip; }
    void SetSizeGrip(bool sizeGrip);
    // The canvas an OnDrawPanel handler draws on.
    TCanvas* Canvas() const { return m_canvas.get(); }

    void Dispatch(TMessage& message) override;

    TDrawPanelEvent OnDrawPanel;

protected:
    friend class TStatusPanels;

    // Draws an owner-drawn panel (OnDrawPanel, or the brush's colour).
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);

    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

    // Writes the parts' right edges and every panel's text into the window.
    void UpdatePanels();
    // Writes one panel's text and drawing type into the window.
    void UpdatePanel(int index);

private:
    void CNDrawItem(TMessage& message);
    void UpdateSimpleText();
    void UpdateSimpleMode();

    std::unique_ptr<TStatusPanels> m_panels;
    bool m_simplePanel = false;
    std::string m_simpleText;
    bool m_sizeGrip = true;
    std::unique_ptr<TCanvas> m_canvas;
};

class TStatusBar : public TCustomStatusBar {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomStatusBar::TCustomStatusBar;
};
