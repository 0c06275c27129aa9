#include "skin/engine/win32/subclass.h"

namespace skin {

namespace {

LRESULT CallProc(bool wide, WNDPROC proc, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (!proc) return wide ? DefWindowProcW(w, msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
  return wide ? CallWindowProcW(proc, w, msg, wp, lp) : CallWindowProcA(proc, w, msg, wp, lp);
}

}  // namespace

void TWindowSubclass::Install(HWND w, void* owner, Charset charset) {
  if (installed_ || !w) return;
  window_ = w;
  owner_ = owner;
  wide_ = charset == Charset::OfWindow && IsWindowUnicode(w);
  SetPropA(w, owner_prop_, owner);
  const auto proc = reinterpret_cast<LONG_PTR>(proc_);
  previous_ = reinterpret_cast<WNDPROC>(wide_ ? SetWindowLongPtrW(w, GWLP_WNDPROC, proc)
                                             : SetWindowLongPtrA(w, GWLP_WNDPROC, proc));
  SetPropA(w, previous_prop_, reinterpret_cast<HANDLE>(previous_));
  installed_ = true;
}

void TWindowSubclass::Remove() {
  if (!installed_) return;
  installed_ = false;
  HWND w = window_;
  if (!IsWindow(w)) return;
  // Read back as it was set: the other kind of read gives a translating
  // stub, never our procedure.
  const auto current =
      reinterpret_cast<WNDPROC>(wide_ ? GetWindowLongPtrW(w, GWLP_WNDPROC) : GetWindowLongPtrA(w, GWLP_WNDPROC));
  if (current == proc_) {
    if (wide_) SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    else SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(w, previous_prop_);
  }
  if (GetPropA(w, owner_prop_) == owner_) RemovePropA(w, owner_prop_);
}

void TWindowSubclass::Release() {
  if (!installed_) return;
  installed_ = false;
  if (IsWindow(window_) && GetPropA(window_, owner_prop_) == owner_) RemovePropA(window_, owner_prop_);
}

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const {
  return CallProc(wide_, previous_, window_, msg, wp, lp);
}

LRESULT TWindowSubclass::PassOn(HWND w, const char* previous_prop, Charset charset, UINT msg, WPARAM wp, LPARAM lp) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(w, previous_prop));
  if (msg == WM_NCDESTROY) RemovePropA(w, previous_prop);
  return CallProc(charset == Charset::OfWindow && IsWindowUnicode(w), previous, w, msg, wp, lp);
}

}  // namespace skin
