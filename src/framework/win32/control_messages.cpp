// The framework's handling of a control's window messages: reflected child
// notifications feed user changes back into the controls, focus and key
// events, colours, painting of graphic children, and the form's frame
// messages. Whatever is not consumed ends in the original class procedure.
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "framework/win32/win32_internal.h"

#include <unordered_map>

#include <commctrl.h>
#include <windowsx.h>

namespace fw::win32 {
namespace {

// The combo box whose edit part a window is. Kept in this process, not in a
// window property that any program could set to an address of its choice.
std::unordered_map<HWND, ControlHandle*>& ComboOfEdit() {
  static auto* m = new std::unordered_map<HWND, ControlHandle*>;  // GUI thread only
  return *m;
}

bool IsFrameworkMessage(UINT m) {
  return (m >= CM_BASE && m < CM_BASE + 0x400) || (m >= CN_BASE && m < CN_BASE + 0x400);
}

bool HasGraphicChildren(const TWinControl* c) {
  for (TControl* ch : c->Controls())
    if (dynamic_cast<TGraphicControl*>(ch)) return true;
  return false;
}

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  ::FillRect(dc, &r, b);
  DeleteObject(b);
}

// One-pixel 3D frame; r shrinks by one pixel.
void Frame3D(HDC dc, RECT& r, COLORREF top_left, COLORREF bottom_right) {
  FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, top_left);
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
  InflateRect(&r, -1, -1);
}

// The button and direction of a mouse-button message; false for any
// other message.
bool MouseButtonMessage(UINT msg, TMouseButton& button, bool& down, bool& double_click) {
  down = true;
  double_click = false;
  switch (msg) {
    case WM_LBUTTONDBLCLK: double_click = true; [[fallthrough]];
    case WM_LBUTTONDOWN: button = TMouseButton::mbLeft; return true;
    case WM_RBUTTONDBLCLK: double_click = true; [[fallthrough]];
    case WM_RBUTTONDOWN: button = TMouseButton::mbRight; return true;
    case WM_MBUTTONDBLCLK: double_click = true; [[fallthrough]];
    case WM_MBUTTONDOWN: button = TMouseButton::mbMiddle; return true;
    case WM_LBUTTONUP: button = TMouseButton::mbLeft; break;
    case WM_RBUTTONUP: button = TMouseButton::mbRight; break;
    case WM_MBUTTONUP: button = TMouseButton::mbMiddle; break;
    default: return false;
  }
  down = false;
  return true;
}

}  // namespace

TShiftState KeysToShiftState(WPARAM keys, bool double_click) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (double_click) s |= ssDouble;
  return s;
}

bool ControlHandle::MouseButton(TMessage& m) {
  TMouseButton button;
  bool down, double_click;
  if (!MouseButtonMessage(m.Msg, button, down, double_click)) return false;
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  const TShiftState shift = KeysToShiftState(m.WParam, double_click);
  // A handler may free the control (and this handle) with its window.
  const HWND w = wnd_;
  TWinControl* c = control_;
  if (down) {
    // After the system has taken the press (the control has the focus).
    CallDefault(m);
    if (HandleOfWindow(w) == this) c->MouseDown(button, shift, x, y);
  } else {
    // Before the system acts on the release, so that a click follows it.
    c->MouseUp(button, shift, x, y);
    if (HandleOfWindow(w) == this) CallDefault(m);
  }
  return true;
}

void ControlHandle::CallDefault(TMessage& m) {
  if (!wnd_ || IsFrameworkMessage(m.Msg)) return;
  m.Result = CallWindowProcA(original_ ? original_ : DefWindowProcA, wnd_, m.Msg, m.WParam, m.LParam);
}

bool ControlHandle::Reflect(TMessage& m, HWND child) {
  if (!child || child == wnd_ || !HandleOfWindow(child)) return false;
  m.Result = SendMessageA(child, CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void ControlHandle::Dispatch(TMessage& m) {
  if (kind_ == Kind::Form && MenuMessage(wnd_, m)) return;
  if (MouseButton(m)) return;
  switch (m.Msg) {
    case WM_COMMAND:
      if (m.LParam && Reflect(m, reinterpret_cast<HWND>(m.LParam))) return;
      break;
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(m.LParam);
      if (nm && Reflect(m, nm->hwndFrom)) return;
      break;
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (di && di->CtlType != ODT_MENU && Reflect(m, di->hwndItem)) return;
      break;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (Reflect(m, reinterpret_cast<HWND>(m.LParam))) return;
      // The inner edit and list of a combo box take the combo's colours.
      if (kind_ == Kind::ComboBox) {
        CtlColor(m);
        return;
      }
      break;
    case CN_COMMAND: Command(m); return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC: CtlColor(m); return;
    case WM_CHAR:
      if (kind_ != Kind::Form && m.WParam < 256) {
        char k = control_->KeyPress(static_cast<char>(m.WParam));
        if (k == 0) {
          m.Result = 0;
          return;
        }
        m.WParam = static_cast<unsigned char>(k);
      }
      break;
    case WM_SETTEXT:
      // A drop-down tells nobody when its text is set from outside (an
      // automation tool, say): the control hears it as a change.
      CallDefault(m);
      if (kind_ == Kind::ComboBox && !updating_) control_->NativeTextChanged(WindowText());
      return;
    case WM_SETFOCUS:
      CallDefault(m);
      if (kind_ != Kind::ComboBox && kind_ != Kind::Form) WS().FocusIn(control_);
      return;
    case WM_KILLFOCUS:
      CallDefault(m);
      if (kind_ != Kind::ComboBox && kind_ != Kind::Form) WS().FocusOut(control_, reinterpret_cast<HWND>(m.WParam));
      return;
    case WM_PAINT:
      if (kind_ == Kind::Form || kind_ == Kind::Panel || kind_ == Kind::Custom || HasGraphicChildren(control_)) {
        Paint(m);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (EraseBackground(m)) return;
      break;
    case WM_CLOSE:
      if (kind_ == Kind::Form) {
        static_cast<TForm*>(control_)->Close();
        m.Result = 0;
        return;
      }
      break;
    case WM_ACTIVATE:
      // Back in an inactive form: the focus returns to the control that had it.
      if (kind_ == Kind::Form && LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam) && active_child &&
          IsWindow(active_child) && IsChild(wnd_, active_child) && IsWindowVisible(active_child) &&
          IsWindowEnabled(active_child)) {
        ::SetFocus(active_child);
        m.Result = 0;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (kind_ == Kind::Form) {
        CallDefault(m);
        FormPosChanged();
        return;
      }
      break;
    case CM_MENUCHANGED:
      if (kind_ == Kind::Form) ApplyMenu(true);
      return;
    case WM_DESTROY:
      // A window frees its menu bar with itself; the menu's items own it.
      if (kind_ == Kind::Form && GetMenu(wnd_)) ::SetMenu(wnd_, nullptr);
      break;
    case CM_DIALOGKEY:
      if (kind_ == Kind::Form && m.WParam == VK_TAB) {
        static_cast<TForm*>(control_)->SelectNext(GetKeyState(VK_SHIFT) >= 0);
        m.Result = 1;
      }
      return;
    case WM_NCDESTROY: {
      RemoveHint();
      CallDefault(m);
      DetachWindow(wnd_);
      Destroyed();
      return;
    }
    default: break;
  }
  CallDefault(m);
}

void ControlHandle::Command(TMessage& m) {
  const unsigned code = HIWORD(m.WParam);
  switch (kind_) {
    case Kind::Edit:
      if (code == EN_CHANGE && !updating_) control_->NativeTextChanged(WindowText());
      break;
    case Kind::ComboBox: {
      auto* cb = static_cast<TComboBox*>(control_);
      if (code == CBN_EDITCHANGE && !updating_) {
        cb->NativeTextChanged(WindowText());
      } else if (code == CBN_SELCHANGE && !updating_) {
        LRESULT i = SendMessageA(wnd_, CB_GETCURSEL, 0, 0);
        if (i >= 0) cb->SelectFromList(int(i));
      } else if (code == CBN_DROPDOWN) {
        cb->DropDown();
      } else if (code == CBN_SETFOCUS) {
        WS().FocusIn(control_);
      } else if (code == CBN_KILLFOCUS) {
        WS().FocusOut(control_, GetFocus());
      }
      break;
    }
    case Kind::Button:
      if (code == BN_CLICKED) control_->Click();
      break;
    case Kind::CheckBox:
      if (code == BN_CLICKED) static_cast<TCheckBox*>(control_)->Toggle();
      break;
    default: break;
  }
  m.Result = 0;
}

void ControlHandle::CtlColor(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorRef(control_->Font().Color));
  SetBkColor(dc, ColorRef(control_->Color()));
  m.Result = reinterpret_cast<LRESULT>(ColorBrush(control_->Color()));
}

bool ControlHandle::EraseBackground(TMessage& m) {
  switch (kind_) {
    case Kind::Form:
    case Kind::Panel:
    case Kind::Custom:
    case Kind::GroupBox:
    case Kind::CheckBox: {
      RECT r;
      GetClientRect(wnd_, &r);
      ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, ColorBrush(control_->Color()));
      m.Result = 1;
      return true;
    }
    default: return false;
  }
}

void ControlHandle::Paint(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps;
  const bool own_dc = dc == nullptr;
  if (own_dc) dc = BeginPaint(wnd_, &ps);
  if (!own_dc && (kind_ == Kind::Form || kind_ == Kind::Panel || kind_ == Kind::Custom)) {
    // Painting on a DC given by someone else: no WM_ERASEBKGND came first.
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<uintptr_t>(dc), 0, 0};
    EraseBackground(erase);
  }
  PaintSelf(dc);
  PaintGraphicControls(control_, dc);
  if (own_dc) EndPaint(wnd_, &ps);
  m.Result = 0;
}

void ControlHandle::PaintSelf(HDC dc) {
  if (kind_ == Kind::Form || kind_ == Kind::Custom) return;
  if (kind_ != Kind::Panel) {
    int saved = SaveDC(dc);
    CallWindowProcA(original_, wnd_, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    return;
  }
  auto* p = static_cast<TPanel*>(control_);
  RECT r;
  GetClientRect(wnd_, &r);
  const COLORREF hi = ColorRef(clBtnHighlight), sh = ColorRef(clBtnShadow);
  for (TBevelCut cut : {p->BevelOuter, p->BevelInner}) {
    if (cut == TBevelCut::bvRaised) Frame3D(dc, r, hi, sh);
    else if (cut == TBevelCut::bvLowered) Frame3D(dc, r, sh, hi);
  }
  const std::string& text = p->Caption();
  if (text.empty()) return;
  int saved = SaveDC(dc);
  SelectObject(dc, FontHandle(p->Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorRef(p->Font().Color));
  DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
  RestoreDC(dc, saved);
}

void ControlHandle::FormPosChanged() {
  if (kind_ != Kind::Form || !wnd_ || IsIconic(wnd_)) return;
  RECT wr, cr;
  GetWindowRect(wnd_, &wr);
  GetClientRect(wnd_, &cr);
  auto* f = static_cast<TForm*>(control_);
  {
    ScopedOverride g(syncing_);
    f->SetBounds(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top);
  }
  f->ClientSizeChanged(cr.right - cr.left, cr.bottom - cr.top);
  for (TControl* c : f->Controls())
    if (auto* sb = dynamic_cast<TStatusBar*>(c)) sb->AlignToParent();
}

void ForgetComboEdit(HWND edit, ControlHandle* h) {
  auto it = ComboOfEdit().find(edit);
  if (it != ComboOfEdit().end() && it->second == h) ComboOfEdit().erase(it);
}

void ControlHandle::SubclassComboEdit() {
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  combo_edit_ = GetComboBoxInfo(wnd_, &ci) ? ci.hwndItem : GetWindow(wnd_, GW_CHILD);
  if (!combo_edit_ || combo_edit_ == wnd_) {
    combo_edit_ = nullptr;
    return;
  }
  ComboOfEdit()[combo_edit_] = this;
  combo_edit_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(combo_edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboEditProc)));
}

// The edit inside a combo box: typed characters go through the combo's key
// filter like those of an edit.
LRESULT CALLBACK ControlHandle::ComboEditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto found = ComboOfEdit().find(wnd);
  ControlHandle* h = found == ComboOfEdit().end() ? nullptr : found->second;
  if (!h || !h->combo_edit_proc_) return DefWindowProcA(wnd, msg, wp, lp);
  WNDPROC orig = h->combo_edit_proc_;
  if (msg == WM_CHAR && wp < 256) {
    try {
      char k = h->control_->KeyPress(static_cast<char>(wp));
      if (k == 0) return 0;
      wp = static_cast<unsigned char>(k);
    } catch (...) {
      return 0;
    }
  } else if (msg == WM_NCDESTROY) {
    h->RemoveHint();  // the edit goes first: its tool with it
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)) == ComboEditProc)
      SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(orig));
    ComboOfEdit().erase(wnd);
    h->combo_edit_ = nullptr;
  }
  return CallWindowProcA(orig, wnd, msg, wp, lp);
}

}  // namespace fw::win32
