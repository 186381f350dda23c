#pragma once
// The skin data's Skin3rd list: lines "ClassName=kind" that tell the control mapping how to skin
// control classes it does not know (other libraries' grids, panels, combo boxes...). A line
// matches when it begins with the class name and "=", case ignored; the first matching line
// wins, and it settles the control: an unknown kind, or one whose kind of control the skin
// data leaves alone, leaves the control unskinned.

#include <optional>
#include <string>
#include <string_view>

class TComponent;
class TControl;
class TControlMapping;
class TStringList;

// The lower-case kind of the first line for the class (at most 50 characters); none when no
// line names the class.
std::optional<std::string> Skin3rdKind(const TStringList& lines, std::string_view className);

// Skins the control as the kind says. `className` is the control's class name in upper case.
void ApplySkin3rdKind(TControlMapping& mapping, TControl& control, const std::string& className,
                      const std::string& kind, TComponent* container);
