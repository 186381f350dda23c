#pragma once
// The skin engine's private window messages. Their values are fixed: every part of the engine
// (the manager, the skinned windows, the control skins) and any window that cooperates with it
// uses the same numbers.

#include "platform/base/WinTypes.h"

// Skin changed: sent to a framework form whose skin was replaced.
constexpr UINT SM_SKINCHANGED = 0x3401;
// Repaint the frame now.
constexpr UINT SM_REPAINTFRAME = 0x3502;
// Start skinning a window: posted with wParam 0 and lParam SkinStartParam right after its skin
// object was made.
constexpr UINT SM_STARTSKIN = 0x3503;
constexpr LPARAM SkinStartParam = 1000;
// Switch a control skin off (wParam 0) or on (wParam above 0).
constexpr UINT SM_SKINCONTROLSWITCH = 0x3506;
// May this tab be closed? (wParam the tab window, lParam the tab's index; 0 closes.)
constexpr UINT SM_TABCLOSEQUERY = 0x3507;
// A custom caption button was clicked (wParam its action).
constexpr UINT SM_CAPTIONBUTTONCLICK = 0x3514;
// Should a custom caption button show? (wParam its visibility code, lParam its action.)
constexpr UINT SM_CAPTIONBUTTONQUERY = 0x3515;
// Redraw the MDI frame.
constexpr UINT SM_REDRAWMDIFRAME = 0x3516;
// Re-create the skin of the control whose old window is wParam.
constexpr UINT SM_RESKINCONTROL = 0x3517;
// Open the menu-bar button under the point in lParam.
constexpr UINT SM_OPENMENUBUTTON = 0x3518;
// Is this window skinned? Every window procedure of the engine answers SkinnedAnswer; a window
// that answers it is passed over by the engine.
constexpr UINT SM_SKINNEDQUERY = 0x3523;
constexpr LRESULT SkinnedAnswer = 1;

// Paint the client or the frame into the DC in wParam; lParam and the answer are SkinMagic.
constexpr UINT SM_PAINTCLIENT = 0xBC4A;
constexpr UINT SM_PAINTFRAME = 0xBC4B;
// Is the skin engine here? (answered SkinMagic when lParam is SkinMagic)
constexpr UINT SM_ENGINEQUERY = 0xBC4D;
// A window was skinned (wParam 0, lParam SkinMagic).
constexpr UINT SM_SKINNEDNOTIFY = 0xBC4E;
constexpr LPARAM SkinMagic = 0x41A2;
