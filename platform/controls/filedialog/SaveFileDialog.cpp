// GetSaveFileNameA: a modal "#32770" dialog in the classic look. "保存在" shows the folders
// from the root down to the current one (and the home folder); the list shows ".." with the
// sub-folders and the files the chosen type matches; "文件名" takes a name, a folder or a
// path; "保存类型" chooses among the filter pairs. The chosen path goes back in lpstrFile.

#include "platform/controls/filedialog/CommonDialogs.h"

#include "platform/controls/OwnerDraw.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/filedialog/FileDialogModel.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/controls/statics/Static.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform {

namespace {

thread_local DWORD lastError = 0;

// The ids the platform's own save dialog gives its controls.
constexpr int IdFolderLabel = 1091;
constexpr int IdFolders = 1137;
constexpr int IdUp = 1138;
constexpr int IdHome = 1139;
constexpr int IdFiles = 1120;
constexpr int IdNameLabel = 1090;
constexpr int IdName = 1152;
constexpr int IdTypeLabel = 1089;
constexpr int IdTypes = 1136;

constexpr const char* DefaultTitle = "另存为";

// One save dialog: the caller's record, the filters, where it is and what it lists.
class SaveFileDialog {
public:
    explicit SaveFileDialog(OPENFILENAMEA& request)
        : request(request), filters(ParseFilters(request.lpstrFilter)) {}

    OPENFILENAMEA& request;
    std::vector<FileFilter> filters;
    std::vector<std::string> typedPatterns; // a wildcard typed as the name lists by it instead
    std::string folder;
    std::vector<std::string> folderItems;
    std::vector<FolderEntry> entries;
    HWND dialog = nullptr;
    DWORD error = 0;

    void Initialize(HWND window);
    void Navigate(const std::string& target);
    void Refill();
    bool Accept();
    void EntryChosen(bool open);
    void DrawEntry(const DRAWITEMSTRUCT& draw) const;
    std::vector<std::string> Patterns() const;
    int TypeIndex() const;

private:
    void CreateControls();
    void FillFolders();
    bool Confirm(const std::string& path) const;
    bool Deliver(const std::string& path);
};

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::string TextOf(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// A control placed in dialog units.
HWND AddControl(HWND dialog, const char* className, const char* text, DWORD style, RECT units, int id) {
    MapDialogRect(dialog, &units);
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, units.left, units.top,
                                   units.right - units.left, units.bottom - units.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return control;
}

void SaveFileDialog::CreateControls() {
    AddControl(dialog, "STATIC", "保存在(&I):", SS_LEFT, RECT{7, 8, 55, 18}, IdFolderLabel);
    AddControl(dialog, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
               RECT{57, 6, 225, 160}, IdFolders);
    AddControl(dialog, "BUTTON", "向上(&U)", BS_PUSHBUTTON | WS_TABSTOP, RECT{229, 5, 262, 19}, IdUp);
    AddControl(dialog, "BUTTON", "主文件夹(&H)", BS_PUSHBUTTON | WS_TABSTOP, RECT{265, 5, 318, 19}, IdHome);
    AddControl(dialog, "LISTBOX", "",
               LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                   WS_BORDER | WS_TABSTOP | WS_GROUP,
               RECT{7, 24, 318, 128}, IdFiles);
    AddControl(dialog, "STATIC", "文件名(&N):", SS_LEFT, RECT{7, 136, 60, 146}, IdNameLabel);
    AddControl(dialog, "EDIT", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
               RECT{62, 134, 250, 146}, IdName);
    AddControl(dialog, "BUTTON", "保存(&S)", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
               RECT{258, 133, 318, 147}, IDOK);
    AddControl(dialog, "STATIC", "保存类型(&T):", SS_LEFT, RECT{7, 154, 60, 164}, IdTypeLabel);
    AddControl(dialog, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
               RECT{62, 152, 250, 220}, IdTypes);
    AddControl(dialog, "BUTTON", "取消", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, RECT{258, 151, 318, 165},
               IDCANCEL);
}

int SaveFileDialog::TypeIndex() const {
    LRESULT index = SendMessageA(Item(dialog, IdTypes), CB_GETCURSEL, 0, 0);
    return index < 0 ? 0 : static_cast<int>(index);
}

std::vector<std::string> SaveFileDialog::Patterns() const {
    if (!typedPatterns.empty())
        return typedPatterns;
    if (filters.empty())
        return {"*.*"};
    return filters[static_cast<std::size_t>(std::min<int>(TypeIndex(), static_cast<int>(filters.size()) - 1))]
        .patterns;
}

// The name and the folder the dialog starts with: lpstrInitialDir, else the folder of the
// initial name, else the current folder.
void SaveFileDialog::Initialize(HWND window) {
    dialog = window;
    SetWindowTextA(dialog, request.lpstrTitle ? request.lpstrTitle : DefaultTitle);
    CreateControls();
    HWND types = Item(dialog, IdTypes);
    for (const FileFilter& filter : filters)
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.description.c_str()));
    int index = static_cast<int>(request.nFilterIndex) - 1;
    SendMessageA(types, CB_SETCURSEL,
                 static_cast<WPARAM>(std::clamp(index, 0, std::max(0, static_cast<int>(filters.size()) - 1))),
                 0);

    std::string initial = request.lpstrFile
                              ? std::string(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile))
                              : std::string();
    std::string name = initial;
    std::string start = NormalFolder(".");
    std::size_t slash = initial.find_last_of("/\\");
    if (slash != std::string::npos) {
        name = initial.substr(slash + 1);
        std::string initialFolder = slash == 0 ? "/" : initial.substr(0, slash);
        if (FolderExists(initialFolder))
            start = NormalFolder(initialFolder);
    }
    if (request.lpstrInitialDir && FolderExists(request.lpstrInitialDir))
        start = NormalFolder(request.lpstrInitialDir);
    SetWindowTextA(Item(dialog, IdName), name.c_str());
    Navigate(start);
    HWND edit = Item(dialog, IdName);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void SaveFileDialog::FillFolders() {
    HWND combo = Item(dialog, IdFolders);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    folderItems = FolderChain(folder);
    std::string home = HomeFolder();
    if (std::find(folderItems.begin(), folderItems.end(), home) == folderItems.end())
        folderItems.push_back(home);
    for (const std::string& item : folderItems) {
        std::string shown = item == home && item != "/" ? item + "  (主文件夹)" : item;
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    auto current = std::find(folderItems.begin(), folderItems.end(), folder);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(current - folderItems.begin()), 0);
}

void SaveFileDialog::Refill() {
    entries = ListFolder(folder, Patterns());
    HWND list = Item(dialog, IdFiles);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    EnableWindow(Item(dialog, IdUp), folder != "/");
}

void SaveFileDialog::Navigate(const std::string& target) {
    if (!FolderExists(target)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    folder = NormalFolder(target);
    FillFolders();
    Refill();
}

void SaveFileDialog::EntryChosen(bool open) {
    HWND list = Item(dialog, IdFiles);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return;
    const FolderEntry& entry = entries[static_cast<std::size_t>(index)];
    if (!entry.choosable) {
        if (open)
            MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    if (entry.folder) {
        if (open)
            Navigate(entry.name == ".." ? ParentFolder(folder) : JoinPath(folder, entry.name));
        return;
    }
    SetWindowTextA(Item(dialog, IdName), entry.name.c_str());
    if (open)
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// Asks before an existing file is replaced, when the caller wants that.
bool SaveFileDialog::Confirm(const std::string& path) const {
    if (!(request.Flags & OFN_OVERWRITEPROMPT) || !FileExists(path))
        return true;
    std::string text = path + " 已存在。\n要替换它吗？";
    return MessageBoxA(dialog, text.c_str(), TextOf(dialog).c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool SaveFileDialog::Deliver(const std::string& path) {
    if (path.size() + 1 > request.nMaxFile) {
        // The caller learns how many bytes the path needs from the first two of its buffer.
        error = FNERR_BUFFERTOOSMALL;
        if (request.nMaxFile >= 2) {
            auto needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(request.lpstrFile, &needed, sizeof needed);
        }
        return true;
    }
    std::memcpy(request.lpstrFile, path.c_str(), path.size() + 1);
    std::size_t slash = path.rfind('/');
    std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    request.nFileOffset = static_cast<WORD>(nameStart);
    request.nFileExtension = dot != std::string::npos && dot > nameStart ? static_cast<WORD>(dot + 1) : 0;
    request.nFilterIndex = static_cast<DWORD>(TypeIndex() + 1);
    if (request.lpstrFileTitle && request.nMaxFileTitle) {
        std::string name = path.substr(nameStart);
        std::size_t room = std::min<std::size_t>(name.size(), request.nMaxFileTitle - 1);
        std::memcpy(request.lpstrFileTitle, name.data(), room);
        request.lpstrFileTitle[room] = '\0';
    }
    return true;
}

// Save: a folder typed opens it, a wildcard lists by it, a file name ends the dialog.
bool SaveFileDialog::Accept() {
    HWND list = Item(dialog, IdFiles);
    if (GetFocus() == list) {
        LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<std::size_t>(index) < entries.size() &&
            entries[static_cast<std::size_t>(index)].folder) {
            EntryChosen(true);
            return false;
        }
    }
    HWND edit = Item(dialog, IdName);
    std::string defaultExtension = request.lpstrDefExt ? request.lpstrDefExt : "";
    TypedName typed = InterpretTypedName(folder, TextOf(edit), defaultExtension);
    switch (typed.kind) {
    case TypedKind::Nothing:
        return false;
    case TypedKind::Navigate:
        Navigate(typed.path);
        SetWindowTextA(edit, "");
        return false;
    case TypedKind::Filter:
        typedPatterns = {typed.pattern};
        Navigate(typed.path);
        return false;
    case TypedKind::Save:
        break;
    }
    if (!typed.folderExists) {
        std::string text = ParentFolder(typed.path) + "\n路径不存在。请检查路径是否正确。";
        MessageBoxA(dialog, text.c_str(), TextOf(dialog).c_str(), MB_OK | MB_ICONWARNING);
        return false;
    }
    if (!Confirm(typed.path))
        return false;
    return Deliver(typed.path);
}

// Folders are drawn with a folder, files with a page, in front of their names.
void SaveFileDialog::DrawEntry(const DRAWITEMSTRUCT& draw) const {
    if (draw.itemID >= entries.size())
        return;
    const FolderEntry& entry = entries[draw.itemID];
    bool selected = draw.itemState & ODS_SELECTED;
    HDC dc = draw.hDC;
    RECT row = draw.rcItem;
    FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int middle = (row.top + row.bottom) / 2;
    RECT glyph{row.left + 3, middle - 5, row.left + 15, middle + 5};
    HBRUSH fill = CreateSolidBrush(entry.folder ? RGB(255, 224, 128) : RGB(255, 255, 255));
    FillRect(dc, &glyph, fill);
    DeleteObject(fill);
    FrameRect(dc, &glyph, GetSysColorBrush(COLOR_3DDKSHADOW));
    if (entry.folder) {
        RECT tab{glyph.left, glyph.top - 2, glyph.left + 5, glyph.top + 1};
        FrameRect(dc, &tab, GetSysColorBrush(COLOR_3DDKSHADOW));
    }
    RECT text = row;
    text.left = glyph.right + 4;
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (!entry.choosable)
        colour = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
    if (draw.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &row);
}

void Command(SaveFileDialog& save, WORD id, WORD code) {
    switch (id) {
    case IDOK:
        if (save.Accept())
            EndDialog(save.dialog, IDOK);
        return;
    case IDCANCEL:
        EndDialog(save.dialog, IDCANCEL);
        return;
    case IdUp:
        save.Navigate(ParentFolder(save.folder));
        return;
    case IdHome:
        save.Navigate(HomeFolder());
        return;
    case IdFiles:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
            save.EntryChosen(code == LBN_DBLCLK);
        return;
    case IdFolders:
        if (code == CBN_SELENDOK ||
            (code == CBN_SELCHANGE &&
             !SendMessageA(GetDlgItem(save.dialog, IdFolders), CB_GETDROPPEDSTATE, 0, 0))) {
            LRESULT index = SendMessageA(GetDlgItem(save.dialog, IdFolders), CB_GETCURSEL, 0, 0);
            if (index >= 0 && static_cast<std::size_t>(index) < save.folderItems.size() &&
                save.folderItems[static_cast<std::size_t>(index)] != save.folder)
                save.Navigate(save.folderItems[static_cast<std::size_t>(index)]);
        }
        return;
    case IdTypes:
        if (code == CBN_SELCHANGE) {
            save.typedPatterns.clear();
            save.Refill();
        }
        return;
    default:
        return;
    }
}

INT_PTR CALLBACK SaveDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* save = reinterpret_cast<SaveFileDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        save = reinterpret_cast<SaveFileDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        save->Initialize(dialog);
        return FALSE; // the focus is set: the name edit
    case WM_COMMAND:
        if (save)
            Command(*save, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_MEASUREITEM:
        if (wParam == IdFiles) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measure->itemHeight = std::max<UINT>(measure->itemHeight, 16);
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM:
        if (save && wParam == IdFiles) {
            save->DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// The dialog's frame: no controls (the procedure makes them), the dialog font, its size.
std::vector<WORD> FrameTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header{
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0, 0, 0, 0, 325, 172};
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0); // no menu
    words.push_back(0); // the dialog class
    words.push_back(0); // the title comes later
    words.push_back(9); // point size
    for (char16_t c : std::u16string(u"宋体"))
        words.push_back(c);
    words.push_back(0);
    return words;
}

} // namespace

} // namespace platform

BOOL GetSaveFileNameA(LPOPENFILENAMEA request) {
    using namespace platform;
    lastError = 0;
    if (!request || request->lStructSize != sizeof(OPENFILENAMEA)) {
        lastError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!request->lpstrFile || request->nMaxFile == 0) {
        lastError = CDERR_INITIALIZATION;
        return FALSE;
    }
    if ((request->Flags & OFN_ENABLEHOOK) && !request->lpfnHook) {
        lastError = CDERR_NOHOOK;
        return FALSE;
    }
    SaveFileDialog save(*request);
    std::vector<WORD> frame = FrameTemplate();
    INT_PTR result =
        DialogBoxIndirectParamA(nullptr, reinterpret_cast<const DLGTEMPLATE*>(frame.data()),
                                request->hwndOwner, SaveDialogProcedure, reinterpret_cast<LPARAM>(&save));
    if (result == -1) {
        lastError = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    lastError = save.error;
    return result == IDOK && save.error == 0;
}

DWORD CommDlgExtendedError() {
    return platform::lastError;
}
