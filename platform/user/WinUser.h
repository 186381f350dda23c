#pragma once
// The window manager's calls, as the platform documents them: classes, windows, messages,
// timers, hooks, input, focus and activation, system metrics. Narrow texts ("A") are code
// page 936, wide texts ("W") UTF-16. Every call checks its window handle and fails with
// ERROR_INVALID_WINDOW_HANDLE on a stale one.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
#include "platform/user/Clipboard.h"
#include "platform/user/Cursors.h"
#include "platform/user/FrameTypes.h"
#include "platform/user/ScrollBar.h"
#include "platform/user/SystemIcons.h"
#include "platform/user/UserErrors.h"
#include "platform/user/UserFlags.h"
#include "platform/user/VirtualKeys.h"
#include "platform/user/WinMessages.h"
#include "platform/user/WinUserTypes.h"
#include "platform/user/WindowStyles.h"
#include "platform/user/menus/WinMenu.h"

// Classes
ATOM RegisterClassA(const WNDCLASSA* description);
ATOM RegisterClassExA(const WNDCLASSEXA* description);
ATOM RegisterClassExW(const WNDCLASSEXW* description);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* info);
BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, WNDCLASSEXA* info);
BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW* info);
int GetClassNameA(HWND window, LPSTR buffer, int size);
int GetClassNameW(HWND window, LPWSTR buffer, int size);
DWORD GetClassLongA(HWND window, int index);
DWORD GetClassLongW(HWND window, int index);
ULONG_PTR GetClassLongPtrA(HWND window, int index);
ULONG_PTR GetClassLongPtrW(HWND window, int index);
DWORD SetClassLongA(HWND window, int index, LONG value);
DWORD SetClassLongW(HWND window, int index, LONG value);
ULONG_PTR SetClassLongPtrA(HWND window, int index, LONG_PTR value);
ULONG_PTR SetClassLongPtrW(HWND window, int index, LONG_PTR value);

// Atoms and registered messages
ATOM GlobalAddAtomA(LPCSTR name);
ATOM GlobalAddAtomW(LPCWSTR name);
ATOM GlobalFindAtomA(LPCSTR name);
ATOM GlobalFindAtomW(LPCWSTR name);
ATOM GlobalDeleteAtom(ATOM atom);
UINT GlobalGetAtomNameA(ATOM atom, LPSTR buffer, int size);
UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size);
ATOM AddAtomA(LPCSTR name);
ATOM FindAtomA(LPCSTR name);
ATOM DeleteAtom(ATOM atom);
UINT GetAtomNameA(ATOM atom, LPSTR buffer, int size);
UINT RegisterWindowMessageA(LPCSTR name);
UINT RegisterWindowMessageW(LPCWSTR name);
inline LPSTR MAKEINTATOM(WORD atom) {
    return MAKEINTRESOURCEA(atom);
}

// Creating and destroying windows
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);
inline HWND CreateWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    return CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu, instance,
                           parameter);
}
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsWindowEnabled(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowUnicode(HWND window);
BOOL IsChild(HWND parent, HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
HWND GetDesktopWindow();

// Window data
LONG GetWindowLongA(HWND window, int index);
LONG GetWindowLongW(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);
LONG SetWindowLongW(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtrA(HWND window, int index);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
int GetWindowTextA(HWND window, LPSTR buffer, int size);
int GetWindowTextW(HWND window, LPWSTR buffer, int size);
int GetWindowTextLengthA(HWND window);
int GetWindowTextLengthW(HWND window);
BOOL SetWindowTextA(HWND window, LPCSTR text);
BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetDlgCtrlID(HWND window);
HWND GetDlgItem(HWND dialog, int id);
BOOL SetPropA(HWND window, LPCSTR name, HANDLE data);
BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data);
HANDLE GetPropA(HWND window, LPCSTR name);
HANDLE GetPropW(HWND window, LPCWSTR name);
HANDLE RemovePropA(HWND window, LPCSTR name);
HANDLE RemovePropW(HWND window, LPCWSTR name);
int EnumPropsA(HWND window, PROPENUMPROCA callback);

// Window procedures
LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window tree
HWND GetParent(HWND window);
HWND SetParent(HWND window, HWND newParent);
HWND GetAncestor(HWND window, UINT flags);
HWND GetWindow(HWND window, UINT command);
HWND GetTopWindow(HWND window);
inline HWND GetNextWindow(HWND window, UINT command) {
    return GetWindow(window, command);
}
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM lParam);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);
DWORD GetCurrentThreadId();

// Geometry
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL ClientToScreen(HWND window, LPPOINT point);
BOOL ScreenToClient(HWND window, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);
HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);

// Messages
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
BOOL GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
BOOL GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
BOOL PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL PeekMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
LRESULT DispatchMessageA(const MSG* message);
LRESULT DispatchMessageW(const MSG* message);
BOOL TranslateMessage(const MSG* message);
BOOL WaitMessage();
void PostQuitMessage(int exitCode);
LONG GetMessageTime();
DWORD GetMessagePos();
DWORD GetQueueStatus(UINT flags);
BOOL InSendMessage();

// Painting
HDC GetDC(HWND window);
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
HDC GetWindowDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HWND WindowFromDC(HDC dc);
HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL ValidateRgn(HWND window, HRGN region);
BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);
BOOL UpdateWindow(HWND window);
BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase);
int GetUpdateRgn(HWND window, HRGN region, BOOL erase);
int SetWindowRgn(HWND window, HRGN region, BOOL redraw);
int GetWindowRgn(HWND window, HRGN region);
int GetWindowRgnBox(HWND window, LPRECT rect);
int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags);
BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip);

// Caret
BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);

// Timers
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC callback);
BOOL KillTimer(HWND window, UINT_PTR id);

// Hooks
HHOOK SetWindowsHookExA(int type, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
HHOOK SetWindowsHookExW(int type, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
BOOL CallMsgFilterA(LPMSG message, int code);
BOOL CallMsgFilterW(LPMSG message, int code);

// Mouse and keyboard
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
BOOL GetKeyboardState(BYTE* state);
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT milliseconds);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
BOOL MessageBeep(UINT type);

// Focus and activation
HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();

// System settings
int GetSystemMetrics(int index);
BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
