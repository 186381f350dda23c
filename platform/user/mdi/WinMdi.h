#pragma once
// The multiple-document interface: the "MDICLIENT" class that holds a frame's document windows
// (MDI children), its WM_MDI messages, the default procedures of the frame and of the
// children, and the calls that arrange child windows.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUserTypes.h"

#define MDICLIENT_CLASS_NAME "MDICLIENT"

constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIICONARRANGE = 0x0228;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr UINT WM_MDISETMENU = 0x0230;
constexpr UINT WM_MDIREFRESHMENU = 0x0234;

// WM_MDITILE, WM_MDICASCADE, TileWindows and CascadeWindows.
constexpr UINT MDITILE_VERTICAL = 0x0000;
constexpr UINT MDITILE_HORIZONTAL = 0x0001;
constexpr UINT MDITILE_SKIPDISABLED = 0x0002;
constexpr UINT MDITILE_ZORDER = 0x0004;

// A client style: children keep every style they are created with.
constexpr DWORD MDIS_ALLCHILDSTYLES = 0x0001;

// The creation parameter of an MDI client: the frame's window menu, where the children are
// listed, and the command id of the first child.
struct CLIENTCREATESTRUCT {
    HANDLE hWindowMenu;
    UINT idFirstChild;
};

// WM_MDICREATE's parameter; the new child's creation record points to it.
struct MDICREATESTRUCTA {
    LPCSTR szClass;
    LPCSTR szTitle;
    HANDLE hOwner; // the instance of the child's class
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam;
};

struct MDICREATESTRUCTW {
    LPCWSTR szClass;
    LPCWSTR szTitle;
    HANDLE hOwner;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam;
};

LRESULT DefFrameProcA(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefFrameProcW(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProcA(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProcW(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
// Ctrl+F4, Ctrl+F6 and Ctrl+Tab (with Shift: backwards) become the active child's system
// commands; TRUE when the message was one of them.
BOOL TranslateMDISysAccel(HWND client, LPMSG message);
HWND CreateMDIWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                      HWND client, HINSTANCE instance, LPARAM lParam);
HWND CreateMDIWindowW(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width, int height,
                      HWND client, HINSTANCE instance, LPARAM lParam);

// Arranging child windows (of any parent; null means the desktop's top-level windows are not
// arranged). `area` limits the arrangement (null: the parent's client area) and `kids` names
// the windows (null: every child of the parent). Both answer how many windows were placed.
WORD CascadeWindows(HWND parent, UINT how, const RECT* area, UINT count, const HWND* kids);
WORD TileWindows(HWND parent, UINT how, const RECT* area, UINT count, const HWND* kids);
// Lines the minimised children up along the bottom of the parent; answers the height of a row.
UINT ArrangeIconicWindows(HWND parent);
