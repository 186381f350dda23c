#include "skin/controls/SkinAdvPage.h"

#include "core/TextUtils.h"
#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinEdits.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"

namespace {

constexpr const char* RestingPicture = "TabBackGround";
constexpr const char* SelectedPicture = "TabBackGroundActive";

} // namespace

const TClass& TSkinAdvPage::ClassInfo() {
    static const TClass info("TSkinAdvPage", &TSkinControl::ClassInfo());
    return info;
}

void TSkinAdvPage::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    if (m_initialized)
        return;
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    if (!m_initialized)
        return;
    AssignTabPictures();
    SkinScroller();
}

void TSkinAdvPage::SkinChanged() {
    AssignTabPictures();
    TSkinControl::SkinChanged();
}

void TSkinAdvPage::Unskin() {
    if (m_pageKind == AdvPageKindTabPictures && m_control && m_lifecycle != slWindowDestroyed &&
        !m_control->ComponentState().Contains(csDestroying)) {
        SetObjectProp(m_control, RestingPicture, nullptr);
        SetObjectProp(m_control, SelectedPicture, nullptr);
        if (m_savedFontColour)
            m_control->Font()->SetColor(*m_savedFontColour);
    }
    m_savedFontColour.reset();
    TSkinControl::Unskin();
}

void TSkinAdvPage::DrawSkin(HDC, const RECT&) {
    // The control draws itself from its pictures; only a scroller that came since needs a skin.
    SkinScroller();
}

void TSkinAdvPage::AssignTabPictures() {
    if (m_pageKind != AdvPageKindTabPictures || !m_control || !m_skinData)
        return;
    const TSkinElements& skin = m_skinData->Elements();
    const TDataSkinBorder* tabs = skin.Tabs.get();
    if (!tabs || tabs->Image->Empty())
        return;
    TSkinFrameStyle style;
    style.margins = {tabs->LeftWidth, tabs->TopHeight, tabs->RightWidth, tabs->BottomHeight};
    style.tileCentre = tabs->Tile == 1;
    style.transparent = tabs->Trans != 0;
    const RECT area{0, 0, PictureWidth, PictureHeight};
    for (const auto& [frame, property] : {std::pair{1, RestingPicture}, std::pair{2, SelectedPicture}}) {
        TBitmap picture;
        picture.SetPixelFormat(pf24bit);
        picture.SetSize(PictureWidth, PictureHeight);
        HDC dc = picture.Canvas()->Handle();
        FillBackground(dc, area);
        DrawSkinFrame(dc, area, *tabs->Image, frame, tabs->FrameCount, false, style);
        SetObjectProp(m_control, property, &picture);
    }
    // The captions are written over the pictures in the control's font: in the skin's tab text
    // colour, so that they stay readable on a dark tab face.
    if (!m_savedFontColour)
        m_savedFontColour = m_control->Font()->Color();
    const TColor text = tabs->NormalColour != -1 ? static_cast<TColor>(tabs->NormalColour)
                                                 : SkinnedSystemColour(skin, clBtnText);
    m_control->Font()->SetColor(text);
}

void TSkinAdvPage::SkinScroller() {
    if (m_scrollerWindow || !m_window)
        return;
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (LowerCase(name) != "msctls_updown32")
            continue;
        // A component of this skin: it goes with it.
        auto* scroller = new TSkinUpDown(this);
        scroller->SetHorizontal(true);
        scroller->InitSkinByHandle(child, m_skinData, m_form, m_canvas);
        m_scrollerWindow = child;
        return;
    }
}
