#include "skin/engine/win32/popup_skin_win32.h"

#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"

namespace skin {

namespace {
constexpr char kPopupProp[] = "GsmSkinPopup";
constexpr char kPopupOldProp[] = "GsmSkinPopupProc";
}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(TSkinManage& manager, HWND w, TSkinData* data)
    : TPopupSkin(w, data), manager_(manager) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach() {
  HWND w = Wnd();
  SetPropA(w, kPopupProp, this);
  old_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinSkinPopMenu::Proc)));
  SetPropA(w, kPopupOldProp, reinterpret_cast<HANDLE>(old_proc_));
  attached_ = true;
}

void TWinSkinPopMenu::Detach() {
  if (!attached_) return;
  attached_ = false;
  HWND w = Wnd();
  if (!IsWindow(w)) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)) == &TWinSkinPopMenu::Proc) {
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_proc_));
    RemovePropA(w, kPopupOldProp);
  }
  RemovePropA(w, kPopupProp);
}

LRESULT CALLBACK TWinSkinPopMenu::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* p = static_cast<TWinSkinPopMenu*>(GetPropA(w, kPopupProp));
  if (!p) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(w, kPopupOldProp));
    if (msg == WM_NCDESTROY) RemovePropA(w, kPopupOldProp);
    return old ? CallWindowProcA(old, w, msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
  }
  try {
    return p->WndProc(msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT TWinSkinPopMenu::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  HWND w = Wnd();
  WNDPROC old = old_proc_;
  if (msg == msg::kQuerySkinned) return 1;
  if (msg == WM_DESTROY) {
    Detach();
    return CallWindowProcA(old, w, msg, wp, lp);
  }
  return CallWindowProcA(old, w, msg, wp, lp);
}

}  // namespace skin
