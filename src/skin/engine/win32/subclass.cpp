#include "skin/engine/win32/subclass.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace skin {

namespace {

struct WindowValues {
  std::mutex lock;
  std::map<std::pair<HWND, std::string>, void*> values;
};

WindowValues& Values() {
  static WindowValues* v = new WindowValues;  // outlives every static skin object
  return *v;
}

LRESULT CallProc(bool wide, WNDPROC proc, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (!proc) return wide ? DefWindowProcW(w, msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
  return wide ? CallWindowProcW(proc, w, msg, wp, lp) : CallWindowProcA(proc, w, msg, wp, lp);
}

}  // namespace

void TWindowSubclass::SetValue(HWND w, const char* name, void* value) {
  WindowValues& v = Values();
  std::lock_guard<std::mutex> hold(v.lock);
  v.values[{w, name}] = value;
}

void* TWindowSubclass::Value(HWND w, const char* name) {
  WindowValues& v = Values();
  std::lock_guard<std::mutex> hold(v.lock);
  auto it = v.values.find({w, name});
  return it == v.values.end() ? nullptr : it->second;
}

void TWindowSubclass::RemoveValue(HWND w, const char* name, void* only_if) {
  WindowValues& v = Values();
  std::lock_guard<std::mutex> hold(v.lock);
  auto it = v.values.find({w, name});
  if (it != v.values.end() && (!only_if || it->second == only_if)) v.values.erase(it);
}

void TWindowSubclass::Install(HWND w, void* owner, Charset charset) {
  if (installed_ || !w) return;
  window_ = w;
  owner_ = owner;
  wide_ = charset == Charset::OfWindow && IsWindowUnicode(w);
  SetValue(w, owner_prop_, owner);
  const auto proc = reinterpret_cast<LONG_PTR>(proc_);
  previous_ = reinterpret_cast<WNDPROC>(wide_ ? SetWindowLongPtrW(w, GWLP_WNDPROC, proc)
                                             : SetWindowLongPtrA(w, GWLP_WNDPROC, proc));
  SetValue(w, previous_prop_, reinterpret_cast<void*>(previous_));
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
    RemoveValue(w, previous_prop_);
  }
  RemoveValue(w, owner_prop_, owner_);
}

void TWindowSubclass::Release() {
  if (!installed_) return;
  installed_ = false;
  RemoveValue(window_, owner_prop_, owner_);
}

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const {
  return CallProc(wide_, previous_, window_, msg, wp, lp);
}

LRESULT TWindowSubclass::PassOn(HWND w, const char* previous_prop, Charset charset, UINT msg, WPARAM wp, LPARAM lp) {
  auto previous = reinterpret_cast<WNDPROC>(Value(w, previous_prop));
  if (msg == WM_NCDESTROY) RemoveValue(w, previous_prop);
  return CallProc(charset == Charset::OfWindow && IsWindowUnicode(w), previous, w, msg, wp, lp);
}

}  // namespace skin
