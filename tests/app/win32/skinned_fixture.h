// The configurator window shown in the skin: a fixture that waits until
// the window is skinned, and helpers to read the screen and drive the
// real mouse and keyboard.
#pragma once

#include "app/umset.h"
#include "framework/forms.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/skin_data.h"

#include "skin/engine/win32/win_skin_form.h"
#include "support/pump.h"
#include "support/win32_helpers.h"

#include <gtest/gtest.h>

#include <memory>

namespace skintest {


inline constexpr int kClientW = 925, kClientH = 511;

inline bool Skinned(HWND w) { return SendMessageA(w, skin::msg::kQuerySkinned, 0, 0) == 1; }

inline skin::TSkinManage* Manager() { return dynamic_cast<skin::TSkinManage*>(skin::SkinManager()); }

// The screen's pixels in r (screen coordinates), as TColor values.
inline fw::TBitmap ScreenPixels(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  fw::TBitmap out(w, h);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = px[y * w + x];
      out.SetPixel(x, y, fw::RGBColor(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
    }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

inline POINT Centre(HWND w, const fw::TRect& r) {
  RECT wr;
  GetWindowRect(w, &wr);
  return POINT{wr.left + (r.Left + r.Right) / 2, wr.top + (r.Top + r.Bottom) / 2};
}

// The real mouse, driven on the thread that owns the windows: each move
// waits until the system reports the pointer there.
inline bool MoveMouse(POINT p) { return fwtest::MovePointer(p); }

inline void MouseButton(bool down) { fwtest::PressButton(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

// What the screen shows of a window.
inline fw::TBitmap ScreenOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return ScreenPixels(r);
}

inline bool Click(POINT p) { return fwtest::ClickAt(p); }

inline void AltKey(WORD vk) {
  INPUT in[4]{};
  for (auto& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = VK_MENU;
  in[1].ki.wVk = vk;
  in[2].ki.wVk = vk;
  in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  in[3].ki.wVk = VK_MENU;
  in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
}

// The visible popup menu window of this thread, if any.
inline HWND OpenMenu() {
  HWND m = FindWindowA("#32768", nullptr);
  return m && IsWindowVisible(m) ? m : nullptr;
}

class SkinnedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<Tfrm_mset>(nullptr);
    w->DoCreate();
    w->Show();
    form = static_cast<HWND>(w->Handle());
    ASSERT_TRUE(fwtest::PumpUntil([&] { return SkinnedAndSized(); }, 60000)) << "the window was not skinned";
  }
  void TearDown() override {
    w.reset();
    skin::DestroySkinManager();
  }

  bool SkinnedAndSized() {
    auto* f = skin::TWinSkinForm::Of(form);
    if (!Skinned(form) || !f || f->SkinState() != skin::kFrameSkinned) return false;
    RECT c;
    GetClientRect(form, &c);
    return c.right == kClientW && c.bottom == kClientH;
  }
  skin::TWinSkinForm& Frame() { return *skin::TWinSkinForm::Of(form); }
  const skin::TWinSysButton* ButtonWithAction(int action) {
    for (const auto& b : Frame().Buttons())
      if (b->Visible && b->Definition().Action == action) return b.get();
    return nullptr;
  }
  bool Closed() { return !IsWindowVisible(form); }

  std::unique_ptr<Tfrm_mset> w;
  HWND form = nullptr;
};

}  // namespace skintest
