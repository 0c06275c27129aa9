// TBitmap: a portable 32-bit pixel buffer. Pixels are stored top-down, one
// uint32_t each, as "TColor" values in the platform's
// blue-green-red order (0x00BBGGRR), the same value a TColor carries, so that
// colour arithmetic and pixel access use one representation. The Win32
// widgetset turns a TBitmap into a DIB section when it paints it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// <windows.h> defines these as macros; the framework's own functions below
// stand for them (same values), whichever header comes first.
#undef GetRValue
#undef GetGValue
#undef GetBValue

namespace fw {

using TColor = uint32_t;  // 0x00BBGGRR

constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t(c >> 8); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t(c >> 16); }

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int w, int h, TColor fill = 0) { SetSize(w, h, fill); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // Resizes and fills; a negative size is taken as 0.
  void SetSize(int w, int h, TColor fill = 0) {
    width_ = w > 0 ? w : 0;
    height_ = h > 0 ? h : 0;
    pixels_.assign(size_t(width_) * size_t(height_), fill);
  }

  // Out-of-range reads give 0 and out-of-range writes are ignored, so callers
  // working from untrusted geometry cannot step outside the buffer.
  TColor Pixel(int x, int y) const {
    return Inside(x, y) ? pixels_[size_t(y) * size_t(width_) + size_t(x)] : 0;
  }
  void SetPixel(int x, int y, TColor c) {
    if (Inside(x, y)) pixels_[size_t(y) * size_t(width_) + size_t(x)] = c;
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  TColor* Row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const TColor* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
  std::vector<TColor>& Pixels() { return pixels_; }
  const std::vector<TColor>& Pixels() const { return pixels_; }

  // Set when the bitmap's magenta pixels (0xFF00FF) are to be left out when
  // it is drawn.
  bool Transparent = false;
  TColor TransparentColor = 0xFF00FF;

  bool operator==(const TBitmap& o) const {
    return width_ == o.width_ && height_ == o.height_ && pixels_ == o.pixels_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TColor> pixels_;
};

}  // namespace fw
