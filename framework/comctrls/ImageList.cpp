#include "framework/comctrls/ImageList.h"

#include "framework/classes/PropertyTable.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <algorithm>

TChangeLink::~TChangeLink() {
    if (m_sender)
        m_sender->UnRegisterChanges(this);
}

const TClass& TCustomImageList::ClassInfo() {
    static const TClass info(
        "TCustomImageList", &TComponent::ClassInfo(),
        {
            OrdProperty("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth),
            OrdProperty("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight),
            EnumProperty("Masked", BooleanIdents(), &TCustomImageList::Masked, &TCustomImageList::SetMasked),
            OrdProperty("Count", &TCustomImageList::Count, nullptr),
            MethodProperty("OnChange", &TCustomImageList::OnChange),
        });
    return info;
}

const TClass& TImageList::ClassInfo() {
    static const TClass info("TImageList", &TCustomImageList::ClassInfo());
    return info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : m_links)
        link->m_sender = nullptr;
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (m_handle)
        ImageList_Destroy(m_handle);
    m_handle = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
    if (!m_handle)
        m_handle = ImageList_Create(m_width, m_height, ILC_COLOR24 | (m_masked ? ILC_MASK : 0), 4, 4);
    return m_handle;
}

int TCustomImageList::Count() const {
    return m_handle ? ImageList_GetImageCount(m_handle) : 0;
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    // The platform list has one size for good: a new size starts an empty list.
    FreeHandle();
    Change();
}

void TCustomImageList::SetWidth(int width) {
    SetSize(width, m_height);
}

void TCustomImageList::SetHeight(int height) {
    SetSize(m_width, height);
}

void TCustomImageList::SetMasked(bool masked) {
    if (masked == m_masked)
        return;
    m_masked = masked;
    FreeHandle();
    Change();
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty())
        return -1;
    const int index = ImageList_Add(Handle(), image->Handle(), mask ? mask->Handle() : nullptr);
    if (index >= 0)
        Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty())
        return -1;
    const int index = ImageList_AddMasked(Handle(), image->Handle(), ColorToRGB(maskColor));
    if (index >= 0)
        Change();
    return index;
}

void TCustomImageList::Delete(int index) {
    if (m_handle && index >= 0 && index < Count() && ImageList_Remove(m_handle, index))
        Change();
}

void TCustomImageList::Clear() {
    if (m_handle && Count() > 0 && ImageList_RemoveAll(m_handle))
        Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (!canvas || !m_handle || index < 0 || index >= Count())
        return;
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = m_handle;
    params.i = index;
    params.hdcDst = canvas->Handle();
    params.x = x;
    params.y = y;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
    ImageList_DrawIndirect(&params);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link || link->m_sender == this)
        return;
    if (link->m_sender)
        link->m_sender->UnRegisterChanges(link);
    link->m_sender = this;
    m_links.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    if (!link)
        return;
    m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end());
    if (link->m_sender == this)
        link->m_sender = nullptr;
}

void TCustomImageList::Change() {
    // A link's handler may unregister links; walk a copy.
    const std::vector<TChangeLink*> links = m_links;
    for (TChangeLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end() && link->OnChange)
            link->OnChange(this);
    }
    if (OnChange)
        OnChange(this);
}

bool ChangeImageList(TCustomImageList*& slot, TCustomImageList* images, TChangeLink& link, TComponent& user) {
    if (images == slot)
        return false;
    if (slot) {
        slot->UnRegisterChanges(&link);
        slot->RemoveFreeNotification(&user);
    }
    slot = images;
    if (slot) {
        slot->RegisterChanges(&link);
        slot->FreeNotification(&user);
    }
    return true;
}
