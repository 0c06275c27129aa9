#include "framework/win32/dib_section.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace fw::win32 {

TDibSection::TDibSection(int w, int h) : w_(w), h_(h) {
  if (w <= 0 || h <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down, as TBitmap stores its rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (!bitmap_ || !bits || !dc_) return;
  old_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
}

TDibSection::~TDibSection() {
  if (dc_ && old_) SelectObject(dc_, old_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
}

void TDibSection::Load(const TBitmap& bmp, int sx, int sy) {
  if (!Ok()) return;
  for (int y = 0; y < h_; ++y) {
    const TColor* in = bmp.Row(sy + y) + sx;
    uint32_t* out = Row(y);
    for (int x = 0; x < w_; ++x) out[x] = FromColor(in[x]);
  }
}

TBitmap TDibSection::Save() {
  TBitmap out(w_, h_);
  if (!Ok()) return out;
  GdiFlush();
  for (int y = 0; y < h_; ++y) {
    const uint32_t* in = Row(y);
    TColor* row = out.Row(y);
    for (int x = 0; x < w_; ++x) row[x] = ToColor(in[x]);
  }
  return out;
}

TDibSection& TDibSection::Scratch(int w, int h) {
  constexpr size_t kKept = 8;
  // Most recently used last.
  static auto* kept = new std::vector<std::unique_ptr<TDibSection>>;
  auto it = std::find_if(kept->begin(), kept->end(), [&](const auto& d) { return d->w_ == w && d->h_ == h; });
  if (it != kept->end()) {
    std::rotate(it, it + 1, kept->end());
    return *kept->back();
  }
  if (kept->size() >= kKept) kept->erase(kept->begin());
  kept->push_back(std::make_unique<TDibSection>(w, h));
  return *kept->back();
}

}  // namespace fw::win32
