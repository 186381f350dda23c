#include "framework/comctrls/AdvPageControl.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/ImageList.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

namespace {

// Room between a tab's image and its caption.
constexpr int ImageSpacing = 3;

void CopyPicture(TBitmap& target, const TBitmap* source) {
    if (source && !source->Empty())
        target.Assign(source);
    else
        target.Assign(nullptr);
}

} // namespace

const TClass& TAdvPageControl::ClassInfo() {
    static const TClass info(
        "TAdvPageControl", &TPageControl::ClassInfo(),
        {
            ObjProperty("TabBackGround", &TAdvPageControl::TabBackGround, &TAdvPageControl::SetTabBackGround),
            ObjProperty("TabBackGroundActive", &TAdvPageControl::TabBackGroundActive,
                        &TAdvPageControl::SetTabBackGroundActive),
        });
    return info;
}

TAdvPageControl::TAdvPageControl(TComponent* owner)
    : TPageControl(owner), m_background(std::make_unique<TBitmap>()),
      m_activeBackground(std::make_unique<TBitmap>()) {
    // The tabs are always drawn here: the pictures can come and go without a new window.
    SetOwnerDraw(true);
    m_background->OnChange = [this](TObject*) { Invalidate(); };
    m_activeBackground->OnChange = [this](TObject*) { Invalidate(); };
}

TAdvPageControl::~TAdvPageControl() {
    m_background->OnChange = nullptr;
    m_activeBackground->OnChange = nullptr;
}

void TAdvPageControl::SetTabBackGround(TBitmap* picture) {
    CopyPicture(*m_background, picture);
}

void TAdvPageControl::SetTabBackGroundActive(TBitmap* picture) {
    CopyPicture(*m_activeBackground, picture);
}

void TAdvPageControl::DrawTab(int index, const TRect& rect, bool active) {
    if (OnDrawTab) {
        TPageControl::DrawTab(index, rect, active);
        return;
    }
    TCanvas* canvas = Canvas();
    TBitmap* picture = active ? m_activeBackground.get() : m_background.get();
    if (!picture->Empty())
        canvas->StretchDraw(rect, picture);
    else
        canvas->FillRect(rect);

    const std::string text = TabText(index);
    TCustomImageList* images = Images();
    const TTabSheet* page = nullptr;
    for (int i = 0; i < PageCount() && !page; ++i)
        if (Pages(i)->TabIndex() == index)
            page = Pages(i);
    const int imageIndex = page ? page->ImageIndex() : -1;
    const bool withImage = images && imageIndex >= 0 && imageIndex < images->Count();
    const TSize textSize = canvas->TextExtent(text);
    const int imageWidth = withImage ? images->Width() + ImageSpacing : 0;
    int x = rect.left + (RectWidth(rect) - imageWidth - textSize.cx) / 2;
    if (withImage) {
        images->Draw(canvas, x, rect.top + (RectHeight(rect) - images->Height()) / 2, imageIndex, Enabled());
        x += imageWidth;
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(x, rect.top + (RectHeight(rect) - textSize.cy) / 2, text);
}
