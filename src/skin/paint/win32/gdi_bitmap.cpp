#include "skin/paint/win32/gdi_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "framework/win32/dib_section.h"

namespace skin::win32 {

void Blit(HDC dc, int x, int y, const fw::TBitmap& bmp, int sx, int sy, int w, int h) {
  // The part asked for, cut to the bitmap.
  const int64_t right = w < 0 ? bmp.Width() : std::min<int64_t>(int64_t(sx) + w, bmp.Width());
  const int64_t bottom = h < 0 ? bmp.Height() : std::min<int64_t>(int64_t(sy) + h, bmp.Height());
  const int64_t left = std::max(sx, 0), top = std::max(sy, 0);
  if (!dc || right <= left || bottom <= top) return;
  const int cw = int(right - left), ch = int(bottom - top);
  fw::win32::TDibSection& dib = fw::win32::TDibSection::Scratch(cw, ch);
  if (!dib.Ok()) return;
  dib.Load(bmp, int(left), int(top));
  BitBlt(dc, int(x + (left - sx)), int(y + (top - sy)), cw, ch, dib.Dc(), 0, 0, SRCCOPY);
}

fw::TBitmap Capture(HDC dc, const RECT& r) {
  const int w = std::max<LONG>(r.right - r.left, 0), h = std::max<LONG>(r.bottom - r.top, 0);
  fw::win32::TDibSection dib(w, h);
  if (!dib.Ok()) return fw::TBitmap(w, h);
  if (dc) BitBlt(dib.Dc(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  return dib.Save();
}

HRGN RegionFromRuns(const std::vector<fw::TRect>& runs) {
  constexpr size_t kBlock = 2000;
  HRGN result = nullptr;
  // One RGNDATA with room for a block of rectangles, reused for each block.
  const size_t bytes = sizeof(RGNDATAHEADER) + kBlock * sizeof(RECT);
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[bytes]);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.get());
  for (size_t first = 0; first < runs.size(); first += kBlock) {
    const size_t n = std::min(kBlock, runs.size() - first);
    RECT bound{runs[first].Left, runs[first].Top, runs[first].Right, runs[first].Bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < n; ++i) {
      const fw::TRect& t = runs[first + i];
      rects[i] = RECT{t.Left, t.Top, t.Right, t.Bottom};
      bound.left = std::min(bound.left, LONG(t.Left));
      bound.top = std::min(bound.top, LONG(t.Top));
      bound.right = std::max(bound.right, LONG(t.Right));
      bound.bottom = std::max(bound.bottom, LONG(t.Bottom));
    }
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(n);
    data->rdh.nRgnSize = DWORD(n * sizeof(RECT));
    data->rdh.rcBound = bound;
    HRGN block = ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + n * sizeof(RECT)), data);
    if (!block) {
      if (result) DeleteObject(result);
      return nullptr;
    }
    if (!result) {
      result = block;
      continue;
    }
    const int combined = CombineRgn(result, result, block, RGN_OR);
    DeleteObject(block);
    if (combined == ERROR) {
      DeleteObject(result);
      return nullptr;
    }
  }
  return result;
}

}  // namespace skin::win32
