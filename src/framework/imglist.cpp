#include "framework/imglist.h"

#include <algorithm>
#include <cstdint>

namespace fw {
namespace {

constexpr int64_t kMaxPixels = int64_t(1) << 26;

int ClampSize(int v) { return std::clamp(v, 1, TImageList::kMaxSize); }

}  // namespace

void GreyGlyph(TBitmap& glyph, TColor mask) {
  for (TColor& p : glyph.Pixels()) {
    if (mask != clNone && (p & 0xFFFFFF) == (mask & 0xFFFFFF)) continue;
    int lum = (GetRValue(p) * 30 + GetGValue(p) * 59 + GetBValue(p) * 11) / 100;
    auto g = uint8_t(128 + lum / 2);
    p = RGBColor(g, g, g);
  }
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int w, int h) {
  w = ClampSize(w);
  h = ClampSize(h);
  if (w == width_ && h == height_) return;
  width_ = w;
  height_ = h;
  Clear();
}

int TImageList::Add(const TBitmap& image) {
  if (image.Empty()) return -1;
  const int added = std::max(1, image.Width() / width_);
  const int first = count_;
  // A strip beyond this many pixels is refused rather than allocated.
  if (int64_t(count_ + added) * width_ * height_ > kMaxPixels) return -1;
  TBitmap grown((count_ + added) * width_, height_, MaskColor == clNone ? 0 : MaskColor);
  for (int y = 0; y < height_ && y < strip_.Height(); ++y)
    std::copy(strip_.Row(y), strip_.Row(y) + strip_.Width(), grown.Row(y));
  for (int g = 0; g < added; ++g)
    for (int y = 0; y < height_ && y < image.Height(); ++y)
      for (int x = 0; x < width_ && g * width_ + x < image.Width(); ++x)
        grown.SetPixel((first + g) * width_ + x, y, image.Pixel(g * width_ + x, y));
  strip_ = std::move(grown);
  count_ += added;
  return first;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= count_) return;
  TBitmap shrunk((count_ - 1) * width_, height_);
  for (int y = 0; y < height_; ++y) {
    const TColor* row = strip_.Row(y);
    TColor* out = shrunk.Row(y);
    std::copy(row, row + index * width_, out);
    std::copy(row + (index + 1) * width_, row + count_ * width_, out + index * width_);
  }
  strip_ = std::move(shrunk);
  --count_;
}

void TImageList::Clear() {
  strip_ = TBitmap();
  count_ = 0;
}

TBitmap TImageList::Glyph(int index) const {
  if (index < 0 || index >= count_) return {};
  TBitmap g(width_, height_);
  for (int y = 0; y < height_; ++y)
    std::copy(strip_.Row(y) + index * width_, strip_.Row(y) + (index + 1) * width_, g.Row(y));
  return g;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  TBitmap g = Glyph(index);
  if (g.Empty()) return;
  if (!enabled) GreyGlyph(g, MaskColor);
  g.Transparent = MaskColor != clNone;
  g.TransparentColor = MaskColor & 0xFFFFFF;
  canvas.Draw(x, y, g);
}

}  // namespace fw
