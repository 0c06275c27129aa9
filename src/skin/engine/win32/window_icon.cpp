#include "skin/engine/win32/window_icon.h"

#include <cstdint>

namespace skin::win32 {

namespace {

HICON IconOf(HWND w) {
  auto get = [&](WPARAM type) {
    DWORD_PTR r = 0;
    // A hung window must not hang the skin.
    if (!SendMessageTimeoutA(w, WM_GETICON, type, 0, SMTO_ABORTIFHUNG, 500, &r)) return HICON(nullptr);
    return reinterpret_cast<HICON>(r);
  };
  HICON icon = get(ICON_SMALL);
  if (!icon) icon = get(ICON_BIG);
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(w, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(w, GCLP_HICON));
  return icon;
}

}  // namespace

fw::TBitmap WindowIconBitmap(HWND w, const fw::TBitmap& fallback) {
  HICON icon = IconOf(w);
  if (!icon) return fallback;
  int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  if (cx <= 0 || cy <= 0) cx = cy = 16;
  fw::TBitmap out(cx, cy, 0xFF00FF);
  out.Transparent = true;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!dc) return fallback;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ old = SelectObject(dc, dib);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    RECT r{0, 0, cx, cy};
    FillRect(dc, &r, magenta);
    DeleteObject(magenta);
    HICON scaled = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0));
    DrawIconEx(dc, 0, 0, scaled ? scaled : icon, cx, cy, 0, nullptr, DI_NORMAL);
    if (scaled) DestroyIcon(scaled);
    GdiFlush();
    const auto* px = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < cy; ++y)
      for (int x = 0; x < cx; ++x) {
        const uint32_t c = px[y * cx + x];
        out.SetPixel(x, y, fw::RGBColor(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)));
      }
    SelectObject(dc, old);
  }
  if (dib) DeleteObject(dib);
  DeleteDC(dc);
  return out;
}

}  // namespace skin::win32
