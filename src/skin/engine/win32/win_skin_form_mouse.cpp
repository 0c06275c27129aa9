// The mouse and keyboard on a skinned frame: the caption buttons' hover,
// press and release, double clicks, the right click on the caption, the
// hover timer, the keyboard's system commands, and what each button does.
#include <windowsx.h>

#include "framework/extctrls.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/win_skin_form.h"
#include "skin/skin_data.h"

namespace skin {

POINT TWinSkinForm::ToWindow(LPARAM screen_point) const {
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  return POINT{GET_X_LPARAM(screen_point) - wr.left, GET_Y_LPARAM(screen_point) - wr.top};
}

TNCObject* TWinSkinForm::ElementAt(POINT p) const {
  for (const auto& b : buttons_)
    if (b->Contains(p.x, p.y)) return b.get();
  return menu_bar_ ? menu_bar_->ItemAt(p.x, p.y) : nullptr;
}

bool TWinSkinForm::NcMouseMove(LPARAM lp) {
  if (!active_) return false;
  if (TNCObject* e = ElementAt(ToWindow(lp))) {
    e->MouseEnter();
    return true;
  }
  if (TNCObject* hot = HotElement()) hot->MouseLeave();
  return false;
}

bool TWinSkinForm::NcLButtonDown(WPARAM& wp, LPARAM lp) {
  if (TNCObject* e = ElementAt(ToWindow(lp))) {
    if (!active_) SetForegroundWindow(Wnd());
    e->MouseDown();
    if (auto* item = dynamic_cast<TMenuBtn*>(e)) OpenBarItem(*item);
    return true;
  }
  // A maximized window is not dragged by its caption.
  if (placement_ == kPlaceMaximized && active_ && wp == HTCAPTION) wp = HTMENU;
  return false;
}

bool TWinSkinForm::NcLButtonUp(LPARAM lp) {
  TNCObject* e = ElementAt(ToWindow(lp));
  if (!e) return false;
  if (e == HotElement()) {
    if (auto* b = dynamic_cast<TWinSysButton*>(e)) {
      b->MouseUp();
      RunAction(*b);
    }
  }
  return true;
}

bool TWinSkinForm::NcLButtonDblClk(WPARAM, LPARAM lp) {
  HWND w = Wnd();
  if (TNCObject* e = ElementAt(ToWindow(lp))) {
    auto* b = dynamic_cast<TWinSysButton*>(e);
    if (b && IsIconAction(b->Definition().Action)) {
      StopHover();
      PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return true;
  }
  if (placement_ != kPlaceNormal) {
    PostMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    return true;
  }
  if (features_ & kFeatMaximizeBox) {
    PostMessageA(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    return true;
  }
  return false;
}

bool TWinSkinForm::NcRButtonDown(WPARAM wp, LPARAM lp) {
  if (wp != HTCAPTION || mdi_kind_ == kMdiChild) return false;
  OpenSystemMenu(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  return true;
}

void TWinSkinForm::OpenSystemMenu(POINT at) {
  if (system_menu_.RepeatedOpening()) {
    // A second click on the icon: the window closes.
    if (HotElement()) {
      StopHover();
      PostMessageA(Wnd(), WM_CLOSE, 0, 0);
    }
    return;
  }
  Manager().SetMenuKind(kMenuSystem);
  if (!system_menu_.Build(SystemMenuState{placement_, features_, sizeable_})) return;
  std::shared_ptr<bool> alive = AliveToken();
  menu_loop_.SetMenuRunning(true);
  system_menu_.Show(at);
  if (!*alive) return;
  menu_loop_.SetMenuRunning(false);
}

bool TWinSkinForm::SysCommand(WPARAM wp, LPARAM lp) {
  const unsigned cmd = unsigned(wp & kSysCommandMask);
  HWND w = Wnd();
  switch (cmd) {
    case SC_KEYMENU:
      if (lp == ' ') {
        POINT origin{0, 0};
        ClientToScreen(w, &origin);
        OpenSystemMenu(origin);
        return true;
      }
      // Alt with a letter (or F10 and Alt alone: 0) opens the bar item.
      if (lp != '-' && menu_bar_ && !GetCapture()) {
        if (TMenuBtn* b = menu_bar_->ItemForKey(unsigned(lp))) {
          OpenBarItem(*b);
          return true;
        }
      }
      return false;
    case SC_MINIMIZE:
      placement_ = kPlaceMinimized;
      // The minimized window needs its system menu style for the system's
      // own menu of the task bar.
      if ((features_ & kFeatSysMenu) && !(features_ & kFeatCaptionHidden)) {
        LONG_PTR s = GetWindowLongPtrA(w, GWL_STYLE);
        if (!(s & WS_SYSMENU)) SetWindowLongPtrA(w, GWL_STYLE, s | WS_SYSMENU);
      }
      if (mdi_kind_ == kMdiChild) ShowCaptionStyles(true);
      return false;
    case SC_MAXIMIZE:
      placement_ = kPlaceMaximized;
      if (mdi_kind_ == kMdiChild) ShowCaptionStyles(false);
      return false;
    case SC_RESTORE:
      placement_ = kPlaceNormal;
      if (mdi_kind_ == kMdiChild) ShowCaptionStyles(false);
      return false;
    default: return false;
  }
}

void TWinSkinForm::RunAction(const TWinSysButton& b) {
  HWND w = Wnd();
  const int action = b.Definition().Action;
  switch (EffectOfAction(action)) {
    case ButtonEffect::Close: {
      HMENU sys = system_menu_.WindowMenu() ? system_menu_.WindowMenu() : GetSystemMenu(w, FALSE);
      if (Manager().Windows9x() || (sys && GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) != UINT(-1)))
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    }
    case ButtonEffect::MaximizeOrRestore:
      PostMessageA(w, WM_SYSCOMMAND, placement_ == kPlaceMaximized ? SC_RESTORE : SC_MAXIMIZE, 0);
      if (mdi_kind_ == kMdiChild) Manager().SetMdiMaximized(true);
      break;
    case ButtonEffect::MinimizeOrRestore:
      PostMessageA(w, WM_SYSCOMMAND, placement_ == kPlaceMinimized ? SC_RESTORE : SC_MINIMIZE, 0);
      break;
    case ButtonEffect::SystemMenu: {
      RECT wr;
      GetWindowRect(w, &wr);
      OpenSystemMenu(POINT{wr.left + b.Rect.Left, wr.top + b.Rect.Bottom});
      break;
    }
    case ButtonEffect::MdiChildMinimize:
    case ButtonEffect::MdiChildRestore:
    case ButtonEffect::MdiChildClose: {
      HWND client = FindWindowExA(w, nullptr, "MDIClient", nullptr);
      HWND child = client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
      if (!child) break;
      const ButtonEffect e = EffectOfAction(action);
      const WPARAM sc = e == ButtonEffect::MdiChildMinimize  ? SC_MINIMIZE
                        : e == ButtonEffect::MdiChildRestore ? SC_RESTORE
                                                             : SC_CLOSE;
      PostMessageA(child, WM_SYSCOMMAND, sc, 0);
      break;
    }
    case ButtonEffect::Custom: PostMessageA(w, msg::kCaptionButtonAction, WPARAM(action), 0); break;
  }
}

// ---- the hover timer ----

void TWinSkinForm::StartHover() {
  if (hover_ && SkinState() != kFrameDead) hover_->SetEnabled(true);
}

void TWinSkinForm::StopHover() {
  if (hover_) hover_->SetEnabled(false);
}

void TWinSkinForm::HoverTick() {
  if (menu_loop_.MenuRunning() || Dead() || !IsWindow(Wnd())) return;
  Busy busy(*this);
  controls_.PurgeDead();
  TNCObject* hot = HotElement();
  if (!hot) return;
  POINT c;
  if (!GetCursorPos(&c)) return;
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  if (!hot->Contains(c.x - wr.left, c.y - wr.top)) hot->MouseLeave();
}

}  // namespace skin
