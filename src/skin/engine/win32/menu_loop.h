// TFrameMenuLoop: the drop-downs of a frame's skinned menu bar. Opening a
// bar item runs its drop-down; while it is open a message-filter hook
// selects the first item, lets Left and Right move to the neighbouring bar
// item (wrapping round) and follows the mouse to another bar item. The hook
// lives exactly as long as the drop-down: it is removed however the menu
// ends (a choice, Escape, a click elsewhere, the window going away).
//
// It also keeps whether any menu of the window runs (a drop-down or the
// system menu), which the frame's hover timer respects.
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

#include <memory>

#include "skin/engine/win32/skin_menu_bar.h"

namespace skin {

class TSkinManage;

// What the loop needs of the frame whose bar it runs, besides what the bar
// itself needs: the bar (it may be rebuilt or freed by a chosen command)
// and a flag that turns false when the frame, and the loop with it, is
// freed.
class TMenuLoopHost : public TMenuBarHost {
 public:
  virtual TWinSkinMenu* MenuBar() const = 0;
  virtual std::shared_ptr<bool> FrameAlive() const = 0;
};

class TFrameMenuLoop final {
 public:
  // WM_MENUSELECT's flags when the menu closes.
  static constexpr unsigned kMenuClosedFlags = 0xFFFF;

  TFrameMenuLoop(TMenuLoopHost& host, TSkinManage& manager);
  ~TFrameMenuLoop();
  TFrameMenuLoop(const TFrameMenuLoop&) = delete;
  TFrameMenuLoop& operator=(const TFrameMenuLoop&) = delete;

  // Opens a bar item's drop-down (a command item posts its command) and
  // runs one drop-down after another while the keys or the mouse move along
  // the bar. Returns when the last one closes.
  void Open(TMenuBtn& first);
  // The window's WM_MENUSELECT: which menu and item are selected, or that
  // the menu closed.
  void MenuSelect(WPARAM wp, LPARAM lp);
  // Takes the hook away when this loop owns it.
  void End();

  bool MenuRunning() const { return menu_running_; }
  void SetMenuRunning(bool running) { menu_running_ = running; }

  // Whether a drop-down of a skinned bar is open (its hook in place).
  static bool HookInstalled();

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
  // The bar item the hook's message moves to, or -1.
  int SwitchTarget(const MSG& msg);
  int KeySwitchTarget(const MSG& msg, const TWinSkinMenu& bar) const;
  int MouseSwitchTarget(const MSG& msg, const TWinSkinMenu& bar);

  TMenuLoopHost& host_;
  TSkinManage& manager_;
  int open_item_ = -1;       // the bar item whose drop-down is open
  int pending_switch_ = -1;  // the bar item to open next, once the drop-down has closed
  HMENU select_menu_ = nullptr;
  bool select_has_sub_ = false;
  bool menu_running_ = false;
  bool select_first_ = false;  // the first item is still to be selected
  POINT mouse_{};              // where the mouse was when the drop-down opened, or last moved
};

}  // namespace skin
