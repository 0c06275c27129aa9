// The frame object's window procedure and its hook of a framework form's
// WindowProc: which messages the skin answers, which it watches on their
// way, and which pass straight to the window's own procedure.
#include <windowsx.h>

#include "framework/forms.h"
#include "skin/engine/skin_caption.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/win_skin_form.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

constexpr UINT kNcUahDrawCaption = 0xAE;

}  // namespace

LRESULT CALLBACK TWinSkinForm::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  TWinSkinForm* f = Of(w);
  if (!f) {
    // The frame went while another procedure subclassed the window after
    // us: we stay in the chain and only pass on.
    return TWindowSubclass::PassOn(w, kOldProcProp, TWindowSubclass::Charset::OfWindow, msg, wp, lp);
  }
  // The frame may be freed by whatever the message sets off (its form
  // destroyed in a handler): it is only touched again when still alive.
  Busy busy(*f);
  try {
    return f->WndProc(msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT TWinSkinForm::CallOld(UINT msg, WPARAM wp, LPARAM lp) { return subclass_.CallPrevious(msg, wp, lp); }

LRESULT TWinSkinForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  const int state = SkinState();
  if (state == kFrameCreated && msg == WM_NCPAINT) return 0;
  switch (msg) {
    case WM_ERASEBKGND: {
      LRESULT r = CallOld(msg, wp, lp);
      if (form_) return r;
      RECT rc;
      GetClientRect(Wnd(), &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, fw::win32::ColorBrush(FormColour()));
      return 1;
    }
    case WM_NCDESTROY: {
      SetSkinState(kFrameDestroying);
      Detach();
      LRESULT r = CallOld(msg, wp, lp);
      SetSkinState(kFrameDead);
      return r;
    }
    case WM_NCACTIVATE:
      if (state == kFrameCreated && mdi_kind_ != kMdiChild) return 0;
      break;
    case kNcUahDrawCaption: return 0;
    case WM_INITMENUPOPUP:
      Manager().SetMenuKind(HIWORD(lp) || reinterpret_cast<HMENU>(wp) == system_menu_.WindowMenu() ? kMenuSystem
                                                                                      : kMenuDropDown);
      return CallOld(msg, wp, lp);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      LRESULT r = CallOld(msg, wp, lp);
      if (form_) return r;
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(fw::win32::ColorBrush(FormColour()));
      return r;
    }
    case msg::kInitSkin: DeferredInit(); return 0;
    case msg::kReattachScrollbar: return 0;
    case msg::kQuerySkinned: return 1;
    default: break;
  }
  if (!frame_skinning_) return CallOld(msg, wp, lp);
  bool handled = false;
  if (!child_ || mdi_kind_ == kMdiChild) {
    LRESULT r = TopLevelMessage(msg, wp, lp, handled);
    if (handled) return r;
  }
  if (SkinState() != kFrameCreated && !(mdi_kind_ == kMdiChild && placement_ == kPlaceMaximized) &&
      border_kind_ != kBorderNoCaption) {
    LRESULT r = NonClientMessage(msg, wp, lp, handled);
    if (handled) return r;
  }
  if (msg == WM_NCCALCSIZE && SkinState() != kFrameCreated && border_kind_ == kBorderNoCaption) {
    // No skinned frame: the system's client area stands.
    return NcCalcSize(wp, lp);
  }
  return CallOld(msg, wp, lp);
}

LRESULT TWinSkinForm::TopLevelMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  handled = true;
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = CallOld(msg, wp, lp);
      placement_ = PlacementFromSizeType(wp);
      if (mdi_kind_ == kMdiNone && (SkinState() == kFrameSkinned || SkinState() == kFrameRefreshing)) ApplyRegion();
      return r;
    }
    case WM_ACTIVATE: active_ = LOWORD(wp) != WA_INACTIVE; break;
    case WM_GETMINMAXINFO: {
      LRESULT r = CallOld(msg, wp, lp);
      ReadPlacement();
      if (placement_ != kPlaceMinimized && !(mdi_kind_ == kMdiChild && placement_ == kPlaceMaximized))
        ShowCaptionStyles(false);
      return r;
    }
    case WM_WINDOWPOSCHANGED: ReadPlacement(); break;
    case WM_MENUSELECT: menu_loop_.MenuSelect(wp, lp); break;
    case msg::kOpenMenuBarItem:
      if (menu_bar_) {
        POINT p = ToWindow(lp);
        if (TMenuBtn* b = menu_bar_->ItemAt(p.x, p.y)) OpenBarItem(*b);
      }
      return 0;
    case WM_SYSCOMMAND:
      if (SysCommand(wp, lp)) return 0;
      break;
    default: break;
  }
  handled = false;
  return 0;
}

LRESULT TWinSkinForm::NonClientMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  handled = true;
  switch (msg) {
    case WM_NCCALCSIZE: return NcCalcSize(wp, lp);
    case WM_NCHITTEST: {
      LRESULT r = CallOld(msg, wp, lp);
      POINT p = ToWindow(lp);
      return ReviseHitTest(int(r), p.x, p.y, m_);
    }
    case WM_NCPAINT:
      RemoveSysMenuStyle();
      if (SkinData()->SkinLoaded()) PaintFrame();
      return 0;
    case WM_NCACTIVATE: return NcActivate(wp, lp);
    case WM_NCMOUSEMOVE:
      if (NcMouseMove(lp)) return 0;
      break;
    case WM_NCLBUTTONDOWN:
      if (NcLButtonDown(wp, lp)) return 0;
      return CallOld(msg, wp, lp);
    case WM_NCLBUTTONUP:
      if (NcLButtonUp(lp)) return 0;
      break;
    case WM_NCLBUTTONDBLCLK:
      if (NcLButtonDblClk(wp, lp)) return 0;
      break;
    case WM_NCRBUTTONDOWN:
      if (NcRButtonDown(wp, lp)) return 0;
      break;
    case msg::kRepaintFrame: PaintFrame(); return 0;
    default: break;
  }
  handled = false;
  return 0;
}

LRESULT TWinSkinForm::NcCalcSize(WPARAM wp, LPARAM lp) {
  LRESULT r = CallOld(WM_NCCALCSIZE, wp, lp);
  const bool system_frame = border_kind_ == kBorderNoCaption || (mdi_kind_ == kMdiChild && placement_ != kPlaceNormal);
  if (!wp) {
    // The client rectangle of a window rectangle: ours too, so that
    // whoever asks gets the client area the window really has.
    auto* rc = reinterpret_cast<RECT*>(lp);
    if (rc && !system_frame) {
      fw::TRect c = ClientRectFor({rc->left, rc->top, rc->right, rc->bottom}, m_);
      *rc = RECT{c.Left, c.Top, c.Right, c.Bottom};
    }
    return 0;
  }
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
  (void)r;
  if (system_frame) {
    p->rgrc[1] = p->rgrc[0];
    return WVR_REDRAW;
  }
  const WINDOWPOS* pos = p->lppos;
  fw::TRect win = pos ? fw::TRect{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy}
                      : fw::TRect{p->rgrc[0].left, p->rgrc[0].top, p->rgrc[0].right, p->rgrc[0].bottom};
  fw::TRect c = ClientRectFor(win, m_);
  p->rgrc[0] = RECT{c.Left, c.Top, c.Right, c.Bottom};
  p->rgrc[1] = p->rgrc[0];
  return WVR_REDRAW;
}

LRESULT TWinSkinForm::NcActivate(WPARAM wp, LPARAM lp) {
  active_ = wp != 0;
  if (active_) StartHover();
  else StopHover();
  if (mdi_kind_ == kMdiChild) CallOld(WM_NCACTIVATE, wp, lp);
  if (!(mdi_kind_ == kMdiChild && placement_ == kPlaceMaximized)) PaintFrame();
  return 1;
}

// ---- the framework form's WindowProc ----

void TWinSkinForm::FormWindowProc(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT: SetText(m); return;
    case msg::kRefreshColours: RefreshColours(); return;
    case msg::kPaintFrameOnDC:
      if (m.LParam == msg::kMagic) {
        PaintFrame(reinterpret_cast<HDC>(m.WParam));
        m.Result = msg::kMagic;
        return;
      }
      break;
    case msg::kSkinnedFrameQuery: m.Result = m.LParam == msg::kMagic ? msg::kMagic : 1; return;
    case msg::kCaptionButtonQuery:
    case msg::kCaptionButtonAction:
      // The form's caption extras answer for the skin's custom buttons.
      for (fw::TComponent* c : form_->Components())
        if (auto* caption = dynamic_cast<TSkinCaption*>(c)) {
          if (m.Msg == msg::kCaptionButtonQuery) m.Result = caption->CustomButtonQuery(int(m.WParam), int(m.LParam));
          else caption->CustomButtonAction(int(m.WParam));
          return;
        }
      break;
    case msg::kMenuChanged: {
      // The framework puts its new bar on the window; the skin's bar takes
      // its items and the system's bar goes again.
      frame_quiet_ = true;
      std::shared_ptr<bool> alive = AliveToken();
      if (saved_window_proc_) saved_window_proc_(m);
      if (!*alive) return;
      frame_quiet_ = false;
      const int before = m_.menu;
      if (form_->Menu() && !menu_bar_) CreateMenuBar();
      else if (menu_bar_) menu_bar_->LoadItems();
      if (m_.menu != before)
        SetWindowPos(Wnd(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      PaintFrame();
      return;
    }
    case msg::kDialogChar: {
      if (saved_window_proc_) saved_window_proc_(m);
      if (m.Result) return;
      const bool only_alt = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
      if (only_alt && menu_bar_) {
        if (TMenuBtn* b = menu_bar_->ItemForKey(unsigned(m.WParam))) {
          RECT wr;
          GetWindowRect(Wnd(), &wr);
          PostMessageA(Wnd(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(wr.left + b->Rect.Left + 1, wr.top + b->Rect.Top + 1));
          m.Result = 1;
          return;
        }
      }
      fw::TForm* main = fw::Application().MainForm();
      if (main && main != form_) m.Result = main->Perform(msg::kDialogChar, m.WParam, m.LParam);
      return;
    }
    default: break;
  }
  if (saved_window_proc_) saved_window_proc_(m);
}

void TWinSkinForm::SetText(fw::TMessage& m) {
  HWND w = Wnd();
  if (!IsWindowVisible(w)) {
    if (saved_window_proc_) saved_window_proc_(m);
    return;
  }
  // The system would paint its own caption with the new text: nothing is
  // drawn while the text changes, then the skinned caption shows it.
  const bool quiet = !unicode_ && mdi_kind_ != kMdiChild;
  if (quiet) SendMessageA(w, WM_SETREDRAW, FALSE, 0);
  std::shared_ptr<bool> alive = AliveToken();
  if (saved_window_proc_) saved_window_proc_(m);
  if (!*alive || !IsWindow(w)) return;
  if (quiet) SendMessageA(w, WM_SETREDRAW, TRUE, 0);
  fw::Application().ProcessMessages();
  // Whatever ran in the pump may have closed the window or freed us.
  if (!*alive || !IsWindow(w)) return;
  if (placement_ == kPlaceMaximized)
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  else
    PaintFrame();
}

}  // namespace skin
