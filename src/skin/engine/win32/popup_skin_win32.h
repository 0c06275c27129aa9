// TWinSkinPopMenu: the skin of one popup-menu window ("#32768"). It takes
// over the menu window's procedure for as long as the window lives and
// gives it back cleanly when the window goes.
#pragma once

#include "framework/win32/win32_widgetset.h"

#include "skin/engine/skin_frame.h"

namespace skin {

class TSkinManage;

class TWinSkinPopMenu final : public TPopupSkin {
 public:
  TWinSkinPopMenu(TSkinManage& manager, HWND w, TSkinData* data);
  ~TWinSkinPopMenu() override;
  void Attach();
  void Detach() override;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  HWND Wnd() const { return static_cast<HWND>(Window()); }

  TSkinManage& manager_;
  WNDPROC old_proc_ = nullptr;
  bool attached_ = false;
};

}  // namespace skin
