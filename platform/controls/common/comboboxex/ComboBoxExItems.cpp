#include "platform/controls/common/comboboxex/ComboBoxExItems.h"

#include "platform/base/CodePage.h"
#include "platform/controls/common/CommonControl.h"

namespace platform {

namespace {

template <typename Record>
void ApplyNumbers(ComboBoxExItem& item, const Record& record) {
    if (record.mask & CBEIF_IMAGE) {
        item.image = record.iImage;
        item.imageCallback = record.iImage == I_IMAGECALLBACK;
    }
    if (record.mask & CBEIF_SELECTEDIMAGE) {
        item.selectedImage = record.iSelectedImage;
        item.selectedImageCallback = record.iSelectedImage == I_IMAGECALLBACK;
    }
    if (record.mask & CBEIF_OVERLAY)
        item.overlay = record.iOverlay;
    // A negative indent would draw the item left of the list.
    if (record.mask & CBEIF_INDENT)
        item.indent = record.iIndent < 0 ? 0 : record.iIndent;
    if (record.mask & CBEIF_LPARAM)
        item.data = record.lParam;
}

template <typename Record>
void FillNumbers(Record& record, const ComboBoxExItem& item) {
    if (record.mask & CBEIF_IMAGE)
        record.iImage = item.image;
    if (record.mask & CBEIF_SELECTEDIMAGE)
        record.iSelectedImage = item.selectedImage;
    if (record.mask & CBEIF_OVERLAY)
        record.iOverlay = item.overlay;
    if (record.mask & CBEIF_INDENT)
        record.iIndent = item.indent;
    if (record.mask & CBEIF_LPARAM)
        record.lParam = item.data;
}

template <typename Record, typename Text>
void Describe(Record& record, const ComboBoxExItem& item, int index, Text& text) {
    record.mask =
        CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT | CBEIF_LPARAM;
    record.iItem = index;
    record.pszText = text.data();
    record.cchTextMax = static_cast<int>(text.size()) + 1;
    FillNumbers(record, item);
}

} // namespace

UINT ComboBoxExItem::CallbackMask() const {
    return (textCallback ? CBEIF_TEXT : 0) | (imageCallback ? CBEIF_IMAGE : 0) |
           (selectedImageCallback ? CBEIF_SELECTEDIMAGE : 0);
}

void ApplyRecord(ComboBoxExItem& item, const COMBOBOXEXITEMA& record) {
    if (record.mask & CBEIF_TEXT) {
        item.textCallback = record.pszText == LPSTR_TEXTCALLBACKA;
        item.text = item.textCallback ? std::u16string() : TextFromCaller(record.pszText);
    }
    ApplyNumbers(item, record);
}

void ApplyRecord(ComboBoxExItem& item, const COMBOBOXEXITEMW& record) {
    if (record.mask & CBEIF_TEXT) {
        item.textCallback = record.pszText == LPSTR_TEXTCALLBACKW;
        item.text = item.textCallback ? std::u16string() : TextFromCaller(record.pszText);
    }
    ApplyNumbers(item, record);
}

void FillRecord(COMBOBOXEXITEMA& record, const ComboBoxExItem& item) {
    if (record.mask & CBEIF_TEXT)
        CopyTextToCaller(item.text, record.pszText, record.cchTextMax);
    FillNumbers(record, item);
}

void FillRecord(COMBOBOXEXITEMW& record, const ComboBoxExItem& item) {
    if (record.mask & CBEIF_TEXT)
        CopyTextToCaller(item.text, record.pszText, record.cchTextMax);
    FillNumbers(record, item);
}

void DescribeItem(COMBOBOXEXITEMA& record, const ComboBoxExItem& item, int index, std::string& text) {
    text = Utf16ToGbk(item.text);
    Describe(record, item, index, text);
}

void DescribeItem(COMBOBOXEXITEMW& record, const ComboBoxExItem& item, int index, std::u16string& text) {
    text = item.text;
    Describe(record, item, index, text);
}

} // namespace platform
