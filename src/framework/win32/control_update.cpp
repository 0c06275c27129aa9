// Mirroring a control's properties into its window.
#include <vector>

#include "framework/extctrls.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/win32/win32_internal.h"

#include <commctrl.h>

namespace fw::win32 {

void ControlHandle::Update(Prop p) {
  if (!wnd_) return;
  if (p == Prop::Parent) {
    ApplyParent();  // may destroy this handle: nothing may follow
    return;
  }
  ScopedOverride g(updating_);
  switch (p) {
    case Prop::Bounds: ApplyBounds(); break;
    case Prop::Text: ApplyText(); break;
    case Prop::Visible:
      ShowWindow(wnd_, control_->Visible() ? (kind_ == Kind::Form ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
      break;
    case Prop::Enabled:
      EnableWindow(wnd_, control_->Enabled());
      control_->Perform(CM_ENABLEDCHANGED);
      break;
    case Prop::Font: ApplyFont(); break;
    case Prop::Color: InvalidateRect(wnd_, nullptr, TRUE); break;
    case Prop::Checked: ApplyCheck(); break;
    case Prop::Items: ApplyItems(); break;
    case Prop::ItemIndex: ApplyItemIndex(); break;
    case Prop::MaxLength:
      if (kind_ == Kind::Edit)
        SendMessageA(wnd_, EM_LIMITTEXT, WPARAM(static_cast<TEdit*>(control_)->MaxLength()), 0);
      break;
    case Prop::Panels: ApplyPanels(); break;
    case Prop::Border: ApplyBorder(); break;
    case Prop::ReadOnly:
      if (kind_ == Kind::Edit) SendMessageA(wnd_, EM_SETREADONLY, static_cast<TEdit*>(control_)->ReadOnly, 0);
      break;
    case Prop::ClientSize: ApplyClientSize(); break;
    case Prop::Hint: ApplyHint(); break;
    case Prop::Menu: ApplyMenu(false); break;
    case Prop::Parent:
    case Prop::Shape:
    case Prop::TabOrder:
    case Prop::Alignment: break;
  }
}

void ControlHandle::Invalidate() {
  if (wnd_) InvalidateRect(wnd_, nullptr, TRUE);
}

void ControlHandle::SetFocus() {
  if (wnd_) ::SetFocus(wnd_);
}

std::string ControlHandle::WindowText() const {
  int n = GetWindowTextLengthA(wnd_);
  if (n <= 0) return {};
  std::string s(size_t(n) + 1, '\0');
  int got = GetWindowTextA(wnd_, s.data(), n + 1);
  s.resize(size_t(got > 0 ? got : 0));
  return s;
}

void ControlHandle::ApplyBounds() {
  if (kind_ == Kind::Form) {
    if (syncing_) return;
    SetWindowPos(wnd_, nullptr, control_->Left(), control_->Top(), control_->Width(), control_->Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  int h = control_->Height();
  if (kind_ == Kind::ComboBox) h += ComboListHeight(control_);
  SetWindowPos(wnd_, nullptr, control_->Left(), control_->Top(), control_->Width(), h,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlHandle::ApplyText() {
  switch (kind_) {
    case Kind::StatusBar: return;
    case Kind::Panel:
    case Kind::Custom:
      SetWindowTextA(wnd_, control_->Text().c_str());
      InvalidateRect(wnd_, nullptr, TRUE);
      return;
    default:
      // Writing the same text again would only echo a change notification.
      if (WindowText() != control_->Text()) SetWindowTextA(wnd_, control_->Text().c_str());
  }
}

void ControlHandle::ApplyFont() {
  SendMessageA(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(control_->Font())), TRUE);
  if (kind_ == Kind::Form || kind_ == Kind::Panel || kind_ == Kind::Custom) InvalidateRect(wnd_, nullptr, TRUE);
}

void ControlHandle::ApplyCheck() {
  if (kind_ != Kind::CheckBox) return;
  WPARAM v = BST_UNCHECKED;
  switch (static_cast<TCheckBox*>(control_)->State()) {
    case TCheckBoxState::cbChecked: v = BST_CHECKED; break;
    case TCheckBoxState::cbGrayed: v = BST_INDETERMINATE; break;
    case TCheckBoxState::cbUnchecked: break;
  }
  SendMessageA(wnd_, BM_SETCHECK, v, 0);
}

void ControlHandle::ApplyItems() {
  if (kind_ != Kind::ComboBox) return;
  auto* cb = static_cast<TComboBox*>(control_);
  SendMessageA(wnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& s : cb->Items()) SendMessageA(wnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  ApplyItemIndex();
  ApplyText();
}

void ControlHandle::ApplyItemIndex() {
  if (kind_ != Kind::ComboBox) return;
  auto* cb = static_cast<TComboBox*>(control_);
  if (SendMessageA(wnd_, CB_GETCURSEL, 0, 0) != cb->ItemIndex())
    SendMessageA(wnd_, CB_SETCURSEL, WPARAM(cb->ItemIndex()), 0);
}

void ControlHandle::ApplyPanels() {
  if (kind_ != Kind::StatusBar) return;
  const auto& panels = static_cast<TStatusBar*>(control_)->Panels();
  // SB_SETPARTS takes right edges; the last panel reaches the right end.
  std::vector<int> edges;
  int x = 0;
  for (size_t i = 0; i < panels.size() && i < 255; ++i) {
    x += panels[i].Width;
    edges.push_back(i + 1 == panels.size() ? -1 : x);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageA(wnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < edges.size(); ++i) {
    const char* t = i < panels.size() ? panels[i].Text.c_str() : "";
    SendMessageA(wnd_, SB_SETTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(t));
  }
}

void ControlHandle::ApplyClientSize() {
  if (kind_ != Kind::Form) return;
  auto* f = static_cast<TForm*>(control_);
  RECT r{0, 0, f->ClientWidth(), f->ClientHeight()};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(wnd_, GWL_STYLE)), GetMenu(wnd_) != nullptr,
                     DWORD(GetWindowLongPtrA(wnd_, GWL_EXSTYLE)));
  f->SetBounds(f->Left(), f->Top(), r.right - r.left, r.bottom - r.top);
  // The frame may not give exactly what was asked for (a wrapped menu):
  // read back what the window has.
  FormPosChanged();
}

void ControlHandle::ApplyBorder() {
  if (kind_ != Kind::Form) return;
  DWORD style, ex;
  StylesFor(style, ex);
  DWORD keep = DWORD(GetWindowLongPtrA(wnd_, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongPtrA(wnd_, GWL_STYLE, LONG_PTR(style | keep));
  SetWindowLongPtrA(wnd_, GWL_EXSTYLE, LONG_PTR(ex));
  SetWindowPos(wnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ApplyClientSize();
}

// The form's menu bar on its window. Attaching puts it there (or redraws
// it); otherwise only a bar that is no longer the form's is taken off, so
// that whoever took the bar off the window (the skin engine paints its own)
// decides when it comes back.
void ControlHandle::ApplyMenu(bool attach) {
  if (kind_ != Kind::Form) return;
  TMainMenu* menu = static_cast<TForm*>(control_)->Menu();
  HMENU want = menu ? static_cast<HMENU>(menu->Handle()) : nullptr;
  HMENU cur = GetMenu(wnd_);
  if (attach && cur != want) ::SetMenu(wnd_, want);
  else if (attach && want) DrawMenuBar(wnd_);
  else if (!attach && cur && cur != want) ::SetMenu(wnd_, nullptr);
}

void ControlHandle::ApplyParent() {
  TWinControl* p = control_->Parent();
  HWND pw = p && p->Widget() ? static_cast<HWND>(p->Widget()->Native()) : nullptr;
  if (kind_ == Kind::Form) return;
  if (!pw) {
    // Without a parent window a child window cannot live: give it up; it is
    // created again when the control gets a parent with a window.
    control_->DestroyHandle();
    return;
  }
  ::SetParent(wnd_, pw);
  ApplyBounds();
}

}  // namespace fw::win32
