// The popup-menu part of the headless test scripts (menus_headless.cpp),
// reset with the others.
#pragma once

namespace fw::headless {

void ResetPopupScripts();

}  // namespace fw::headless
