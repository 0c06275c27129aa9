// One window's procedure replaced by a skin object. The object is found
// from the window through a value kept under a name for that window, and the
// procedure it replaced under a second name, so that the replacing
// procedure can still pass messages on once the object has let go: when
// another procedure was put in front of ours later, ours cannot be taken out
// of the chain and stays in it, passing everything on.
//
// The values live in this process, not in window properties: any program
// on the desktop can set a property on our windows, and a forged object or
// procedure address would be followed.
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

namespace skin {

class TWindowSubclass {
 public:
  // Ansi: installed as a narrow procedure on any window. OfWindow: as the
  // window's own kind (wide on a Unicode window).
  enum class Charset { Ansi, OfWindow };

  // The two property names belong to one kind of skin object; proc is its
  // static window procedure.
  TWindowSubclass(const char* owner_prop, const char* previous_prop, WNDPROC proc)
      : owner_prop_(owner_prop), previous_prop_(previous_prop), proc_(proc) {}
  ~TWindowSubclass() { Remove(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Puts proc in front of the window's procedure; owner is what Owner()
  // finds on the window from then on.
  void Install(HWND w, void* owner, Charset charset);
  // Gives the previous procedure back when ours is still the window's
  // (otherwise ours stays in the chain, passing on), and takes the owner
  // off the window.
  void Remove();
  // The window is going: the owner is taken off it, the chain is left as
  // it is.
  void Release();

  bool Installed() const { return installed_; }
  bool Wide() const { return wide_; }
  // The replaced procedure's handling of a message (DefWindowProc when
  // there was none).
  LRESULT CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const;

  // The owner recorded on the window, if any.
  static void* Owner(HWND w, const char* owner_prop) { return Value(w, owner_prop); }

  // The values kept for windows: Value is null when none is kept.
  static void SetValue(HWND w, const char* name, void* value);
  static void* Value(HWND w, const char* name);
  // Removes the value when it is the one given (any value when null).
  static void RemoveValue(HWND w, const char* name, void* only_if = nullptr);
  // For the static procedure when no owner is found: the message goes to
  // the procedure we replaced, whose property goes with the window.
  static LRESULT PassOn(HWND w, const char* previous_prop, Charset charset, UINT msg, WPARAM wp, LPARAM lp);

 private:
  const char* owner_prop_;
  const char* previous_prop_;
  WNDPROC proc_;
  HWND window_ = nullptr;
  void* owner_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool wide_ = false;
  bool installed_ = false;
};

}  // namespace skin
