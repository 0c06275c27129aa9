// The skinned system menu: a popup copy of the window's system menu whose
// items follow the window's state, opened by the caption's icon, a right
// click on the caption and Alt+Space. Each item posts its system command.
// A second opening within the double-click time (a double click on the
// icon) closes the window instead.
#include <string>

#include "skin/engine/skin_manager.h"
#include "skin/engine/win32/win_skin_form.h"

namespace skin {

namespace {

// What the window's state allows of a system command; -1: keep the system
// menu's own state.
int StateFor(unsigned cmd, int placement, unsigned features) {
  switch (cmd) {
    case SC_MINIMIZE: return placement != kPlaceMinimized && (features & kFeatMinimizeBox);
    case SC_MAXIMIZE: return placement != kPlaceMaximized && (features & kFeatMaximizeBox);
    case SC_RESTORE: return placement != kPlaceNormal;
    case SC_SIZE:
    case SC_MOVE: return placement != kPlaceMaximized ? -1 : 0;
    default: return -1;
  }
}

}  // namespace

void TWinSkinForm::BuildSystemMenu() {}

void TWinSkinForm::OpenSystemMenu(POINT at) {
  HWND w = Wnd();
  const DWORD now = GetTickCount();
  if (last_system_menu_ && now - last_system_menu_ <= GetDoubleClickTime()) {
    last_system_menu_ = 0;
    if (HotElement()) {
      StopHover();
      PostMessageA(w, WM_CLOSE, 0, 0);
    }
    return;
  }
  last_system_menu_ = now;
  HMENU sys = GetSystemMenu(w, FALSE);
  if (!sys) return;
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  const int n = GetMenuItemCount(sys);
  for (int i = 0; i < n; ++i) {
    char text[81] = {};
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
    mi.dwTypeData = text;
    mi.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(sys, UINT(i), TRUE, &mi)) continue;
    if ((mi.fType & MFT_SEPARATOR) || !text[0]) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const unsigned cmd = mi.wID & 0xFFF0;
    int allowed = StateFor(cmd, placement_, features_);
    bool enabled = allowed < 0 ? !(mi.fState & (MFS_DISABLED | MFS_GRAYED)) : allowed != 0;
    // A window that cannot be sized keeps its Size item off.
    if (cmd == SC_SIZE && !sizeable_) enabled = false;
    UINT flags = MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | ((mi.fState & MFS_CHECKED) ? MF_CHECKED : 0);
    AppendMenuA(menu, flags, mi.wID, text);
  }
  Manager().SetMenuKind(kMenuSystem);
  menu_running_ = true;
  std::shared_ptr<bool> alive = AliveToken();
  SetForegroundWindow(w);
  const UINT cmd = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                       at.x, at.y, 0, w, nullptr));
  DestroyMenu(menu);
  if (!*alive) return;
  menu_running_ = false;
  if (cmd && IsWindow(w)) PostMessageA(w, WM_SYSCOMMAND, cmd, 0);
}

}  // namespace skin
