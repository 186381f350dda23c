#pragma once
// The platform's own window classes (controls, dialogs, menus) exist before a program asks for
// them, as on the platform: the first class look-up registers them all.

namespace platform {

void EnsureSystemClasses();

} // namespace platform
