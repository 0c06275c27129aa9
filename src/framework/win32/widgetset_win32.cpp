// The Win32 widgetset object: what the portable framework reaches through
// WidgetSet(), and the keyboard focus bookkeeping.
//
// Enter and exit events follow the focus inside a form. When the focus goes
// to another window altogether (a message box, another program) the form
// keeps its active control and no event fires; when the focus comes back
// to that control none fires either.
#include "framework/win32/win32_internal.h"

namespace fw {

TWidgetSet& WidgetSet() { return win32::WS(); }

namespace win32 {

// The application window belongs to the thread that creates the widgetset.
Win32WidgetSet& WS() {
  static Win32WidgetSet* ws = new Win32WidgetSet;
  return *ws;
}

Win32WidgetSet::Win32WidgetSet() {
  CreateAppWindow();
  FilterPostedPrivateMessages();
}

namespace {
// The widgetset (and its application window) is made before main runs, on
// the main thread, which is the GUI thread: a worker thread that posts
// first must not become the owner of the application window.
[[maybe_unused]] const bool g_created_at_start = (WS(), true);
}  // namespace

namespace {

ControlHandle* FormHandle(TWinControl* c) {
  TForm* f = c ? c->GetParentForm() : nullptr;
  return f ? dynamic_cast<ControlHandle*>(f->Widget()) : nullptr;
}

HWND Wnd(TWinControl* c) {
  return c && c->Widget() ? static_cast<HWND>(c->Widget()->Native()) : nullptr;
}

void BroadcastFocusChanged(TWinControl* root, TWinControl* focused) {
  for (TControl* c : root->Controls())
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      w->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(focused));
      BroadcastFocusChanged(w, focused);
    }
}

}  // namespace

void Win32WidgetSet::SetFocus(TWinControl* c) {
  if (!c) {
    // Drop the focus: the control loses it as if the user had left it.
    TWinControl* old = focused_;
    if (!old) return;
    focused_ = nullptr;
    ControlHandle* fh = FormHandle(old);
    if (fh) fh->active_child = nullptr;
    HWND ow = Wnd(old);
    if (ow && (GetFocus() == ow || IsChild(ow, GetFocus()))) {
      ScopedOverride g(suppress_focus_);
      ::SetFocus(fh ? fh->Wnd() : nullptr);
    }
    old->DoExit();
    return;
  }
  HWND w = static_cast<HWND>(c->Handle());
  if (w) ::SetFocus(w);
}

void Win32WidgetSet::FocusIn(TWinControl* c) {
  if (suppress_focus_) return;
  ControlHandle* fh = FormHandle(c);
  HWND w = Wnd(c);
  const bool returning = fh && fh->active_child == w && w;
  focused_ = c;
  if (fh) fh->active_child = w;
  if (returning) return;
  if (TForm* f = c->GetParentForm()) BroadcastFocusChanged(f, c);
  if (focused_ == c) c->DoEnter();
}

void Win32WidgetSet::FocusOut(TWinControl* c, HWND next) {
  if (suppress_focus_) return;
  ControlHandle* fh = FormHandle(c);
  HWND fw = fh ? fh->Wnd() : nullptr;
  // Leaving for another window of the same form is an exit; leaving the
  // form is not.
  const bool inside = next && fw && (next == fw || IsChild(fw, next));
  if (!inside) return;
  if (fh && fh->active_child == Wnd(c)) fh->active_child = nullptr;
  if (focused_ == c) focused_ = nullptr;
  c->DoExit();
}

TColor Win32WidgetSet::SysColor(int index) const { return GetSysColor(index); }

void Win32WidgetSet::ScreenSize(int& width, int& height) const {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
}

HWND Win32WidgetSet::ModalOwner() const {
  HWND active = GetActiveWindow();
  for (TForm* f : Screen().Forms())
    if (f->HandleAllocated() && Wnd(f) == active) return active;
  TForm* m = Application().MainForm();
  return m && m->HandleAllocated() && IsWindowVisible(Wnd(m)) ? Wnd(m) : nullptr;
}

}  // namespace win32
}  // namespace fw
