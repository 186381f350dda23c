#pragma once
// The small enumerations the standard controls share with other controls: text alignment,
// the single-line border of a control and the scroll bars a window shows.

#include "framework/classes/PropInfo.h"
#include "framework/forms/Form.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The alignments of a check box or radio button's text: left or right of the box.
using TLeftRight = TAlignment;
// A control's border: none, or a sunken edge (the first two form border styles).
using TBorderStyle = TFormBorderStyle;
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

const TEnumInfo& AlignmentIdents();
const TEnumInfo& LeftRightIdents();
const TEnumInfo& BorderStyleIdents();
const TEnumInfo& ScrollStyleIdents();
