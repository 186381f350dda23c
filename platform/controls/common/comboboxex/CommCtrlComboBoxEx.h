#pragma once
// The extended combo box ("ComboBoxEx32") as the platform's headers spell it: its extended
// styles, messages, notifications and item records. A combo box whose items carry an image
// from an image list and an indent; CommCtrl.h includes this file. Narrow texts ("A") are code
// page 936, wide texts ("W") UTF-16.

#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/common/CommCtrl.h"

inline constexpr const char* WC_COMBOBOXEXA = "ComboBoxEx32";
inline constexpr const WCHAR* WC_COMBOBOXEXW = u"ComboBoxEx32";

// ---- item records ---------------------------------------------------------------------------

constexpr UINT CBEIF_TEXT = 0x00000001;
constexpr UINT CBEIF_IMAGE = 0x00000002;
constexpr UINT CBEIF_SELECTEDIMAGE = 0x00000004;
constexpr UINT CBEIF_OVERLAY = 0x00000008;
constexpr UINT CBEIF_INDENT = 0x00000010;
constexpr UINT CBEIF_LPARAM = 0x00000020;
constexpr UINT CBEIF_DI_SETITEM = 0x10000000;

struct COMBOBOXEXITEMA {
    UINT mask;
    INT_PTR iItem;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int iOverlay;
    int iIndent; // in steps of 10 pixels
    LPARAM lParam;
};

struct COMBOBOXEXITEMW {
    UINT mask;
    INT_PTR iItem;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int iOverlay;
    int iIndent;
    LPARAM lParam;
};

// ---- extended styles ------------------------------------------------------------------------

constexpr DWORD CBES_EX_NOEDITIMAGE = 0x00000001;
constexpr DWORD CBES_EX_NOEDITIMAGEINDENT = 0x00000002;
constexpr DWORD CBES_EX_PATHWORDBREAKPROC = 0x00000004;
constexpr DWORD CBES_EX_NOSIZELIMIT = 0x00000008;
constexpr DWORD CBES_EX_CASESENSITIVE = 0x00000010;

// ---- messages -------------------------------------------------------------------------------

constexpr UINT CBEM_INSERTITEMA = WM_USER + 1;
constexpr UINT CBEM_SETIMAGELIST = WM_USER + 2;
constexpr UINT CBEM_GETIMAGELIST = WM_USER + 3;
constexpr UINT CBEM_GETITEMA = WM_USER + 4;
constexpr UINT CBEM_SETITEMA = WM_USER + 5;
constexpr UINT CBEM_DELETEITEM = CB_DELETESTRING;
constexpr UINT CBEM_GETCOMBOCONTROL = WM_USER + 6;
constexpr UINT CBEM_GETEDITCONTROL = WM_USER + 7;
constexpr UINT CBEM_SETEXSTYLE = WM_USER + 8;
constexpr UINT CBEM_GETEXSTYLE = WM_USER + 9;
constexpr UINT CBEM_GETEXTENDEDSTYLE = WM_USER + 9;
constexpr UINT CBEM_HASEDITCHANGED = WM_USER + 10;
constexpr UINT CBEM_INSERTITEMW = WM_USER + 11;
constexpr UINT CBEM_SETITEMW = WM_USER + 12;
constexpr UINT CBEM_GETITEMW = WM_USER + 13;
constexpr UINT CBEM_SETEXTENDEDSTYLE = WM_USER + 14;

// ---- notifications --------------------------------------------------------------------------

constexpr UINT CBEN_FIRST = static_cast<UINT>(-800);
constexpr UINT CBEN_GETDISPINFOA = CBEN_FIRST - 0;
constexpr UINT CBEN_INSERTITEM = CBEN_FIRST - 1;
constexpr UINT CBEN_DELETEITEM = CBEN_FIRST - 2;
constexpr UINT CBEN_BEGINEDIT = CBEN_FIRST - 4;
constexpr UINT CBEN_ENDEDITA = CBEN_FIRST - 5;
constexpr UINT CBEN_ENDEDITW = CBEN_FIRST - 6;
constexpr UINT CBEN_GETDISPINFOW = CBEN_FIRST - 7;

// Why an edit ended (NMCBEENDEDIT's iWhy).
constexpr int CBENF_KILLFOCUS = 1;
constexpr int CBENF_RETURN = 2;
constexpr int CBENF_ESCAPE = 3;
constexpr int CBENF_DROPDOWN = 4;

constexpr int CBEMAXSTRLEN = 260;

// CBEN_INSERTITEM and CBEN_DELETEITEM: the item concerned (its text in the parent's
// character set: the record is the wide one when the parent takes UTF-16).
struct NMCOMBOBOXEXA {
    NMHDR hdr;
    COMBOBOXEXITEMA ceItem;
};
struct NMCOMBOBOXEXW {
    NMHDR hdr;
    COMBOBOXEXITEMW ceItem;
};

struct NMCBEENDEDITA {
    NMHDR hdr;
    BOOL fChanged;
    int iNewSelection;
    char szText[CBEMAXSTRLEN];
    int iWhy;
};
struct NMCBEENDEDITW {
    NMHDR hdr;
    BOOL fChanged;
    int iNewSelection;
    WCHAR szText[CBEMAXSTRLEN];
    int iWhy;
};
