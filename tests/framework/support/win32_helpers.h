// Helpers for the Win32-only tests.
#pragma once

#include "framework/win32/win32_widgetset.h"
#include "support/pump.h"

#include <chrono>
#include <string>
#include <thread>

namespace fwtest {

// Waits (from any thread) for a top-level window of the class and title to
// appear; nullptr when none came within the limit.
inline HWND WaitForWindow(const char* cls, const char* title, unsigned timeout_ms = 60000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (HWND w = FindWindowA(cls, title)) return w;
    if (std::chrono::steady_clock::now() > end) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

namespace detail {
inline thread_local POINT pointer_target{};
inline thread_local bool pointer_seen = false;
// Notes a mouse message at the target as this thread takes it from its queue.
inline LRESULT CALLBACK PointerSeenHook(int code, WPARAM wp, LPARAM lp) {
  if (code >= 0) {
    const auto* m = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp);
    if (m->pt.x == pointer_target.x && m->pt.y == pointer_target.y) pointer_seen = true;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace detail

inline bool PointerAt(POINT p) {
  POINT now{};
  return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

// Moves the real pointer to p (screen coordinates) and pumps this thread's
// messages until the system reports it there: GetCursorPos reads p and, when
// the move ends over a window of this thread (or one that has captured the
// mouse), that window's mouse message at p has been taken from the queue.
// Call it on the thread that owns the windows: a move made there makes the
// display drop the reports of the old position still under way, while a move
// from another thread lets them arrive afterwards and put the pointer back.
// False when the pointer was not reported there within the limit.
inline bool MovePointer(POINT p, unsigned timeout_ms = 30000) {
  HWND under = GetCapture();
  if (!under) under = WindowFromPoint(p);
  const bool ours = under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId();
  detail::pointer_target = p;
  detail::pointer_seen = !ours || PointerAt(p);
  HHOOK hook = SetWindowsHookExA(WH_MOUSE, detail::PointerSeenHook, nullptr, GetCurrentThreadId());
  SetCursorPos(p.x, p.y);
  const bool ok = PumpUntil([&] { return detail::pointer_seen && PointerAt(p); }, timeout_ms);
  if (hook) UnhookWindowsHookEx(hook);
  return ok;
}

// Presses or releases a mouse button where the pointer is.
inline void PressButton(DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  SendInput(1, &in, sizeof(INPUT));
}

// A click of the left (or right) button at p, after the pointer has been
// reported there.
inline bool ClickAt(POINT p, bool right = false) {
  if (!MovePointer(p)) return false;
  PressButton(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  PressButton(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  return true;
}

inline std::string ClassOf(HWND w) {
  char buf[256] = {};
  GetClassNameA(w, buf, sizeof buf);
  return buf;
}

inline std::string TextOf(HWND w) {
  char buf[1024] = {};
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

// The window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A memory DC with a white bitmap of the given size, for painting tests.
class MemoryDC {
 public:
  MemoryDC(int w, int h) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bmp_ = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bmp_);
    RECT r{0, 0, w, h};
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~MemoryDC() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // How many pixels of the rectangle have exactly this colour.
  int Count(const RECT& r, COLORREF c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(dc_, x, y) == c;
    return n;
  }

 private:
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

}  // namespace fwtest
