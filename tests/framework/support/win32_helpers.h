// Helpers for the Win32-only tests.
#pragma once

#include "framework/win32/win32_widgetset.h"

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
