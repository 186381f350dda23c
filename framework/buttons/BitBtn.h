#pragma once
// TBitBtn: a push button that shows a glyph beside its caption. The button draws itself (an
// owner-drawn platform button): the classic face, the glyph for its state (up, disabled,
// pressed) and the caption, placed by Layout, Margin and Spacing. A Kind other than bkCustom
// makes it one of the standard buttons: our caption, glyph and modal result for that kind,
// OK and Yes as the default button, Cancel and No as the cancel button; bkClose closes its
// form after OnClick. Changing the glyph afterwards makes it a custom button again.

#include "framework/buttons/ButtonGlyph.h"
#include "framework/stdctrls/Buttons.h"

#include <memory>

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

const TEnumInfo& BitBtnKindIdents();

class TBitBtn : public TButton {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitmap* Glyph() const { return m_glyph.Glyph(); }
    void SetGlyph(TBitmap* glyph) { m_glyph.SetGlyph(glyph); }
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { m_glyph.SetNumGlyphs(count); }
    TBitBtnKind Kind() const { return m_kind; }
    void SetKind(TBitBtnKind kind);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    // -1: the glyph and caption centred.
    int Margin() const { return m_margin; }
    void SetMargin(int margin);
    // -1: the space shared out evenly.
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);

    // The form's ModalResult and OnClick as any button; then a close button closes its form.
    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    DWORD ButtonStyle() const override;
    void SetButtonStyle(bool isDefault) override;

private:
    void GlyphChanged();
    void CNDrawItem(TMessage& message);
    void CMDialogChar(TMessage& message);

    TButtonGlyph m_glyph;
    std::unique_ptr<TCanvas> m_canvas;
    TBitBtnKind m_kind = bkCustom;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
    bool m_showsDefault = false;
    // A standard kind is setting its own glyph, which keeps the kind.
    bool m_settingKind = false;
};
