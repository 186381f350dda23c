#pragma once
// Which control skin a child window of a bare window (a system dialog) gets, by its window class
// and, for "button" windows, by its button style.

#include "platform/base/WinTypes.h"
#include "skin/forms/WinSkinData.h"

#include <string>

enum class TBareSkinKind {
    None,
    ComboBox,
    ComboBoxEx, // the inner combo box (its first child) is skinned
    Sizer,      // a size box
    Dialog,     // its children are mapped, then it is skinned as a box
    Panel,      // its children are mapped; its framework control takes the skin's form colour
    CheckBox,
    RadioButton,
    Button,
    Progress,
    SilentPanel, // its framework control takes the skin's form colour
    Tab,
    ToolBar,
    Edit,
    ListBox // a dialog's list: its bars are skinned
};

TBareSkinKind BareSkinKindOf(const std::string& className, DWORD style, TSkinControlTypes kinds);
