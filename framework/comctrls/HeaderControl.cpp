#include "framework/comctrls/HeaderControl.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/ImageList.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/ControlProperties.h"
#include "framework/controls/DrawItemCanvas.h"
#include "framework/controls/Messages.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

namespace {

int SectionFormat(const THeaderSection& section, bool hasImages) {
    int format = section.Style() == hsOwnerDraw ? HDF_OWNERDRAW : HDF_STRING;
    switch (section.Alignment()) {
    case taRightJustify:
        format |= HDF_RIGHT;
        break;
    case taCenter:
        format |= HDF_CENTER;
        break;
    default:
        format |= HDF_LEFT;
        break;
    }
    if (hasImages && section.ImageIndex() >= 0)
        format |= HDF_IMAGE;
    return format;
}

// The header notices in either character set share their layout up to the item's pointer.
const NMHEADERA& HeaderNotice(LPARAM lParam) {
    return *reinterpret_cast<const NMHEADERA*>(lParam);
}

// The width a notice carries (HDI_WIDTH), or -1.
int NoticeWidth(const NMHEADERA& notice) {
    return notice.pitem && (notice.pitem->mask & HDI_WIDTH) ? notice.pitem->cxy : -1;
}

bool Is(UINT code, UINT codeA) {
    return code == codeA || code == codeA - 20;
}

} // namespace

const TEnumInfo& HeaderSectionStyleIdents() {
    static const TEnumInfo idents{{"hsText", "hsOwnerDraw"}};
    return idents;
}

// ---- sections -------------------------------------------------------------------------------

const TClass& THeaderSection::ClassInfo() {
    static const TClass info(
        "THeaderSection", &TPersistent::ClassInfo(),
        {
            EnumProperty("Alignment", AlignmentIdents(), &THeaderSection::Alignment,
                         &THeaderSection::SetAlignment),
            EnumProperty("AllowClick", BooleanIdents(), &THeaderSection::AllowClick,
                         &THeaderSection::SetAllowClick),
            OrdProperty("ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex),
            OrdProperty("MaxWidth", &THeaderSection::MaxWidth, &THeaderSection::SetMaxWidth),
            OrdProperty("MinWidth", &THeaderSection::MinWidth, &THeaderSection::SetMinWidth),
            EnumProperty("Style", HeaderSectionStyleIdents(), &THeaderSection::Style,
                         &THeaderSection::SetStyle),
            StrProperty("Text", &THeaderSection::Text, &THeaderSection::SetText),
            OrdProperty("Width", &THeaderSection::Width, &THeaderSection::SetWidth),
        });
    return info;
}

int THeaderSection::Index() const {
    return m_collection.IndexOf(this);
}

int THeaderSection::Left() const {
    int left = 0;
    for (int index = 0; index < Index(); ++index)
        left += m_collection.Items(index)->Width();
    return left;
}

void THeaderSection::Changed() {
    m_collection.m_header.WriteSection(Index());
}

void THeaderSection::SetText(const std::string& text) {
    if (ChangeSetting(m_text, text))
        Changed();
}

void THeaderSection::SetWidth(int width) {
    if (ChangeSetting(m_width, std::clamp(width, m_minWidth, std::max(m_minWidth, m_maxWidth))))
        Changed();
}

void THeaderSection::SetMinWidth(int width) {
    m_minWidth = std::max(0, width);
    SetWidth(m_width);
}

void THeaderSection::SetMaxWidth(int width) {
    m_maxWidth = std::max(0, width);
    SetWidth(m_width);
}

void THeaderSection::SetAlignment(TAlignment alignment) {
    if (ChangeSetting(m_alignment, alignment))
        Changed();
}

void THeaderSection::SetStyle(THeaderSectionStyle style) {
    if (ChangeSetting(m_style, style))
        Changed();
}

void THeaderSection::SetImageIndex(int index) {
    if (ChangeSetting(m_imageIndex, index))
        Changed();
}

void THeaderSection::Assign(const TPersistent* source) {
    if (const auto* section = dynamic_cast<const THeaderSection*>(source)) {
        m_text = section->m_text;
        m_width = section->m_width;
        m_minWidth = section->m_minWidth;
        m_maxWidth = section->m_maxWidth;
        m_alignment = section->m_alignment;
        m_allowClick = section->m_allowClick;
        m_style = section->m_style;
        m_imageIndex = section->m_imageIndex;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

const TClass& THeaderSections::ClassInfo() {
    static const TClass info("THeaderSections", &TPersistent::ClassInfo(), {});
    return info;
}

THeaderSection* THeaderSections::Items(int index) const {
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

THeaderSection* THeaderSections::Add() {
    return Insert(Count());
}

THeaderSection* THeaderSections::Insert(int index) {
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, std::make_unique<THeaderSection>(*this));
    m_header.WriteSections();
    return m_items[static_cast<std::size_t>(index)].get();
}

void THeaderSections::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    m_header.WriteSections();
}

void THeaderSections::Clear() {
    m_items.clear();
    m_header.WriteSections();
}

int THeaderSections::IndexOf(const THeaderSection* section) const {
    for (int index = 0; index < Count(); ++index) {
        if (m_items[static_cast<std::size_t>(index)].get() == section)
            return index;
    }
    return -1;
}

void THeaderSections::Assign(const TPersistent* source) {
    if (const auto* sections = dynamic_cast<const THeaderSections*>(source)) {
        m_items.clear();
        for (const auto& section : sections->m_items) {
            m_items.push_back(std::make_unique<THeaderSection>(*this));
            m_items.back()->Assign(section.get());
        }
        m_header.WriteSections();
        return;
    }
    TPersistent::Assign(source);
}

// ---- the control ----------------------------------------------------------------------------

const TClass& THeaderControl::ClassInfo() {
    static const TClass info(
        "THeaderControl", &TWinControl::ClassInfo(),
        CommonControlProperties({
            EnumProperty("FullDrag", BooleanIdents(), &THeaderControl::FullDrag,
                         &THeaderControl::SetFullDrag),
            EnumProperty("HotTrack", BooleanIdents(), &THeaderControl::HotTrack,
                         &THeaderControl::SetHotTrack),
            ObjProperty("Images", &THeaderControl::Images, &THeaderControl::SetImages),
            ObjProperty("Sections", &THeaderControl::Sections, &THeaderControl::SetSections),
            MethodProperty("OnDrawSection", &THeaderControl::OnDrawSection),
            MethodProperty("OnSectionClick", &THeaderControl::OnSectionClick),
            MethodProperty("OnSectionResize", &THeaderControl::OnSectionResize),
            MethodProperty("OnSectionTrack", &THeaderControl::OnSectionTrack),
        }));
    return info;
}

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), m_sections(std::make_unique<THeaderSections>(*this)),
      m_imageLink(std::make_unique<TChangeLink>()), m_canvas(std::make_unique<TCanvas>()) {
    m_controlStyle.Exclude(csSetCaption);
    m_imageLink->OnChange = [this](TObject*) { ImageListChange(); };
    SetBounds(0, 0, 250, 17);
    SetAlign(alTop);
}

THeaderControl::~THeaderControl() {
    if (m_images)
        m_images->UnRegisterChanges(m_imageLink.get());
}

void THeaderControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    CreateSubClass(params, WC_HEADERA);
    params.Style |= HDS_BUTTONS;
    if (m_hotTrack)
        params.Style |= HDS_HOTTRACK;
    if (m_fullDrag)
        params.Style |= HDS_FULLDRAG;
}

void THeaderControl::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    ImageListChange();
    WriteSections();
}

void THeaderControl::WriteSections() {
    if (!HandleAllocated())
        return;
    while (SendMessageA(m_handle, HDM_DELETEITEM, 0, 0)) {
    }
    for (int index = 0; index < m_sections->Count(); ++index) {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        SendMessageA(m_handle, HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        WriteSection(index);
    }
}

void THeaderControl::WriteSection(int index) {
    const THeaderSection* section = m_sections->Items(index);
    if (!HandleAllocated() || !section)
        return;
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE | HDI_LPARAM;
    item.pszText = const_cast<char*>(section->m_text.c_str());
    item.cxy = section->m_width;
    item.fmt = SectionFormat(*section, m_images != nullptr);
    item.iImage = section->m_imageIndex;
    item.lParam = index;
    SendMessageA(m_handle, HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::SetHotTrack(bool hotTrack) {
    if (ChangeSetting(m_hotTrack, hotTrack))
        RecreateWnd();
}

void THeaderControl::SetFullDrag(bool fullDrag) {
    if (ChangeSetting(m_fullDrag, fullDrag))
        RecreateWnd();
}

void THeaderControl::SetImages(TCustomImageList* images) {
    if (ChangeImageList(m_images, images, *m_imageLink, *this))
        ImageListChange();
}

void THeaderControl::ImageListChange() {
    if (!HandleAllocated())
        return;
    SendMessageA(m_handle, HDM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(m_images ? m_images->Handle() : nullptr));
    WriteSections();
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        ImageListChange();
    }
}

void THeaderControl::SectionClick(THeaderSection* section) {
    if (OnSectionClick)
        OnSectionClick(this, section);
}

void THeaderControl::SectionResize(THeaderSection* section) {
    if (OnSectionResize)
        OnSectionResize(this, section);
}

void THeaderControl::SectionTrack(THeaderSection* section, int width, TSectionTrackState state) {
    if (OnSectionTrack)
        OnSectionTrack(this, section, width, state);
}

void THeaderControl::DrawSection(THeaderSection* section, const TRect& rect, bool pressed) {
    if (OnDrawSection) {
        OnDrawSection(this, section, rect, pressed);
        return;
    }
    m_canvas->FillRect(rect);
}

void THeaderControl::CNNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    const UINT code = header ? header->code : 0;
    if (!header || header->hwndFrom != m_handle) {
        TWinControl::Dispatch(message);
        return;
    }
    const NMHEADERA& notice = HeaderNotice(message.LParam);
    THeaderSection* section = m_sections->Items(notice.iItem);
    if (!section) {
        TWinControl::Dispatch(message);
        return;
    }
    const int width = NoticeWidth(notice);
    if (Is(code, HDN_ITEMCLICKA)) {
        if (section->AllowClick())
            SectionClick(section);
    } else if (Is(code, HDN_ITEMCHANGINGA)) {
        // A width outside the section's limits is refused.
        message.Result =
            width >= 0 && (width < section->MinWidth() || width > section->MaxWidth()) ? TRUE : FALSE;
    } else if (Is(code, HDN_ITEMCHANGEDA)) {
        if (width >= 0 && width != section->Width()) {
            section->WidthFromWindow(width);
            SectionResize(section);
        }
    } else if (Is(code, HDN_BEGINTRACKA)) {
        SectionTrack(section, width, tsTrackBegin);
    } else if (Is(code, HDN_TRACKA)) {
        SectionTrack(section, width, tsTrackMoving);
    } else if (Is(code, HDN_ENDTRACKA)) {
        SectionTrack(section, width, tsTrackEnd);
    } else {
        TWinControl::Dispatch(message);
    }
}

void THeaderControl::CNDrawItem(TMessage& message) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    THeaderSection* section = item ? m_sections->Items(static_cast<int>(item->itemID)) : nullptr;
    if (!section) {
        TWinControl::Dispatch(message);
        return;
    }
    DrawItemCanvas canvas(*m_canvas, *this, item->hDC);
    DrawSection(section, item->rcItem, (item->itemState & ODS_SELECTED) != 0);
    message.Result = TRUE;
}

void THeaderControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        CNNotify(message);
        break;
    case CN_DRAWITEM:
        CNDrawItem(message);
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
