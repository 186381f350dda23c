#pragma once
// The items of an extended combo box and their exchange with the caller's item records, in
// either character set: a record's mask says which members are read or filled in.

#include "platform/controls/common/CommCtrl.h"

#include <string>

namespace platform {

struct ComboBoxExItem {
    std::u16string text;
    int image = -1;
    int selectedImage = -1;
    int overlay = 0;
    int indent = 0;
    LPARAM data = 0;
    // Set by LPSTR_TEXTCALLBACK and I_IMAGECALLBACK: the parent is asked (CBEN_GETDISPINFO)
    // each time the member is shown, until it answers with CBEIF_DI_SETITEM.
    bool textCallback = false;
    bool imageCallback = false;
    bool selectedImageCallback = false;

    // The CBEIF_ members the parent is asked for.
    UINT CallbackMask() const;
};

// Takes the members the record's mask names.
void ApplyRecord(ComboBoxExItem& item, const COMBOBOXEXITEMA& record);
void ApplyRecord(ComboBoxExItem& item, const COMBOBOXEXITEMW& record);
// Fills the members the record's mask names; the text goes into the record's buffer
// (cchTextMax characters, or bytes for the narrow form, with the terminating zero).
void FillRecord(COMBOBOXEXITEMA& record, const ComboBoxExItem& item);
void FillRecord(COMBOBOXEXITEMW& record, const ComboBoxExItem& item);
// Fills every member for a notification, the text pointing at `text` (the item's text in the
// record's character set, kept alive by the caller).
void DescribeItem(COMBOBOXEXITEMA& record, const ComboBoxExItem& item, int index, std::string& text);
void DescribeItem(COMBOBOXEXITEMW& record, const ComboBoxExItem& item, int index, std::u16string& text);

} // namespace platform
