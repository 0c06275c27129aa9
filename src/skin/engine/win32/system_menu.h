// TFrameSystemMenu: the skinned system menu of one frame. It is a popup
// copy of the window's system menu whose items follow the window's state,
// painted by the skin with its menu glyphs; each item posts its system
// command to the window. The frame opens it from the caption's icon, a
// right click on the caption and Alt+Space.
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

#include <cstdint>
#include <memory>

#include "skin/engine/frame_rules.h"

class TSkinData;
namespace fw {
class TImageList;
class TPopupMenu;
}  // namespace fw

namespace skin {

class TMenuOwnerDraw;

// The command bits of a WM_SYSCOMMAND (the low four are the system's).
inline constexpr unsigned kSysCommandMask = 0xFFF0;

// The window's state that decides which items are enabled.
struct SystemMenuState {
  int placement = kPlaceNormal;
  unsigned features = 0;  // kFeat... bits
  bool sizeable = false;
};

class TFrameSystemMenu final {
 public:
  // The Tag of the skinned system menu.
  static constexpr intptr_t kSystemMenuTag = 33333;

  TFrameSystemMenu(HWND window, TSkinData& data, TMenuOwnerDraw& owner_draw);
  ~TFrameSystemMenu();
  TFrameSystemMenu(const TFrameSystemMenu&) = delete;
  TFrameSystemMenu& operator=(const TFrameSystemMenu&) = delete;

  // Reads the window's own system menu (once the window is set up).
  void ReadWindowMenu();
  // The window's own system menu as read, or null.
  HMENU WindowMenu() const { return window_menu_; }
  // Whether this opening follows the last one within the double-click time
  // (a double click on the icon): it then does not open, and the next
  // opening counts as a first one again.
  bool RepeatedOpening();
  // Rebuilds the popup from the window's system menu; false when the window
  // has none.
  bool Build(const SystemMenuState& state);
  // Shows the built popup at a screen point and returns when it closes.
  // Whatever a chosen item sets off may free the frame and this object with
  // it: nothing of this object is touched after the popup returns.
  void Show(POINT at);
  // Frees the popup (the window is given back).
  void FreePopup();

 private:
  HWND window_;
  TSkinData& data_;
  TMenuOwnerDraw& owner_draw_;
  HMENU window_menu_ = nullptr;
  std::unique_ptr<fw::TPopupMenu> popup_;
  std::unique_ptr<fw::TImageList> images_;
  DWORD last_opening_ = 0;  // tick count of the last opening, 0 for none
};

}  // namespace skin
