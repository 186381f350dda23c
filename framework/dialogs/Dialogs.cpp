#include "framework/dialogs/Dialogs.h"

#include "framework/classes/PropertyTable.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "platform/controls/filedialog/CommonDialogs.h"

#include <iterator>
#include <vector>

namespace {

// The platform flag of each option, in the order of TOpenOption.
constexpr DWORD OptionFlags[] = {OFN_READONLY,         OFN_OVERWRITEPROMPT,    OFN_HIDEREADONLY,
                                 OFN_NOCHANGEDIR,      OFN_SHOWHELP,           OFN_NOVALIDATE,
                                 OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST,
                                 OFN_FILEMUSTEXIST,    OFN_CREATEPROMPT,       OFN_SHAREAWARE,
                                 OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE,   OFN_NONETWORKBUTTON,
                                 OFN_NOLONGNAMES,      OFN_NODEREFERENCELINKS, OFN_ENABLESIZING};
static_assert(std::size(OptionFlags) == ofEnableSizing + 1);

// Room for any path the platform can name, so the dialog never fails for want of space.
constexpr std::size_t PathRoom = 32768;

// "a|b|c|d" as the platform's list of zero-ended texts, ended by one more zero.
std::string FilterList(const std::string& filter) {
    std::string list = filter;
    for (char& c : list) {
        if (c == '|')
            c = '\0';
    }
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

} // namespace

const TClass& TCommonDialog::ClassInfo() {
    static const TClass info("TCommonDialog", &TComponent::ClassInfo());
    return info;
}

HWND TCommonDialog::OwnerWindow() {
    TCustomForm* form = Screen()->ActiveForm();
    if (!form)
        form = Application()->MainForm();
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

const TEnumInfo& OpenOptionIdents() {
    static const TEnumInfo idents{{"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                                   "ofShowHelp", "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent",
                                   "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt", "ofShareAware",
                                   "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton",
                                   "ofNoLongNames", "ofNoDereferenceLinks", "ofEnableSizing"}};
    return idents;
}

const TClass& TSaveDialog::ClassInfo() {
    static const TClass info(
        "TSaveDialog", &TCommonDialog::ClassInfo(),
        {
            StrProperty("DefaultExt", &TSaveDialog::DefaultExt, &TSaveDialog::SetDefaultExt),
            StrProperty("FileName", &TSaveDialog::FileName, &TSaveDialog::SetFileName),
            StrProperty("Filter", &TSaveDialog::Filter, &TSaveDialog::SetFilter),
            OrdProperty("FilterIndex", &TSaveDialog::FilterIndex, &TSaveDialog::SetFilterIndex),
            StrProperty("InitialDir", &TSaveDialog::InitialDir, &TSaveDialog::SetInitialDir),
            SetProperty("Options", OpenOptionIdents(), &TSaveDialog::Options, &TSaveDialog::SetOptions),
            StrProperty("Title", &TSaveDialog::Title, &TSaveDialog::SetTitle),
        });
    return info;
}

void TSaveDialog::SetDefaultExt(const std::string& extension) {
    // The platform puts the '.' in itself.
    m_defaultExt = extension.substr(std::min(extension.find_first_not_of('.'), extension.size()));
}

DWORD TSaveDialog::Flags() const {
    DWORD flags = OFN_EXPLORER;
    for (int option = 0; option <= ofEnableSizing; ++option) {
        if (m_options.Contains(static_cast<TOpenOption>(option)))
            flags |= OptionFlags[option];
    }
    return flags;
}

bool TSaveDialog::Execute() {
    std::vector<char> file(std::max(PathRoom, m_fileName.size() + 1), '\0');
    std::copy(m_fileName.begin(), m_fileName.end(), file.begin());
    const std::string filter = FilterList(m_filter);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = OwnerWindow();
    request.lpstrFilter = m_filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = static_cast<DWORD>(std::max(m_filterIndex, 0));
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = m_initialDir.empty() ? nullptr : m_initialDir.c_str();
    request.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
    request.Flags = Flags();
    request.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    if (!GetSaveFileNameA(&request))
        return false;

    m_fileName = file.data();
    m_filterIndex = static_cast<int>(request.nFilterIndex);
    if (request.Flags & OFN_READONLY)
        m_options.Include(ofReadOnly);
    else
        m_options.Exclude(ofReadOnly);
    if (request.Flags & OFN_EXTENSIONDIFFERENT)
        m_options.Include(ofExtensionDifferent);
    else
        m_options.Exclude(ofExtensionDifferent);
    return true;
}
