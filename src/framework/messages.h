// Framework notifications: message numbers sent through a control's
// WindowProc in every flavour. A replaced WindowProc (the skin engine's)
// sees them like any window message; the default handler acts on those that
// concern the native window.
#pragma once

namespace fw {

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;       // to the form: wParam virtual key; Result 1 = used
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;    // to every control of the form: lParam the new TWinControl*
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12; // to the control whose Enabled changed
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
// To a form whose main menu was assigned or changed (items added, removed,
// or an item's caption, shortcut, state or visibility changed): lParam the
// TMenuItem* that changed, 0 for the menu as a whole. The default handler
// puts the menu's native bar on the window (again) and redraws it.
constexpr unsigned CM_MENUCHANGED = CM_BASE + 21;

// Notifications of a child window, reflected by the parent to the child's
// own control as CN_BASE + the parent's message.
constexpr unsigned CN_BASE = 0xBC00;

}  // namespace fw
