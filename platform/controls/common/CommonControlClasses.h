#pragma once
// The registration of each common control class, called by InitCommonControlsEx for the
// groups that hold it.

namespace platform {

void RegisterStatusBarClass();
void RegisterTabControlClass();
void RegisterUpDownClass();
void RegisterProgressClass();
void RegisterTrackBarClass();
void RegisterHeaderClass();
void RegisterListViewClass();
void RegisterToolBarClass();
void RegisterComboBoxExClass();

} // namespace platform
