// The target is a memory DC holding a screen-compatible bitmap, as the
// window DC a frame is painted on would be.
#include "../blit_target.h"
#include "skin/paint/win32/gdi_bitmap.h"

namespace paintbench {
namespace {

HDC g_dc = nullptr;
HBITMAP g_bmp = nullptr;
HGDIOBJ g_old = nullptr;

}  // namespace

bool OpenTarget(int w, int h) {
  HDC screen = GetDC(nullptr);
  g_dc = CreateCompatibleDC(screen);
  g_bmp = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  if (!g_dc || !g_bmp) return false;
  g_old = SelectObject(g_dc, g_bmp);
  return true;
}

void BlitToTarget(const fw::TBitmap& bmp, int x, int y) { skin::win32::Blit(g_dc, x, y, bmp); }

void CloseTarget() {
  if (g_dc) SelectObject(g_dc, g_old), DeleteDC(g_dc);
  if (g_bmp) DeleteObject(g_bmp);
}

}  // namespace paintbench
