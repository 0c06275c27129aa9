#include "skin/bmp_reader.h"

#include <bit>
#include <unordered_map>

namespace skin {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
// Bounds on what a skin image may be: generous for pieces of a window frame,
// small enough that a forged header cannot claim a large allocation.
constexpr int64_t kMaxSide = 1 << 16;
constexpr int64_t kMaxPixels = int64_t(1) << 24;

uint16_t Le16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

// One channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;  // largest value of the field
  bool Set(uint32_t m) {
    mask = m;
    if (m == 0) return true;
    shift = std::countr_zero(m);
    const uint32_t field = m >> shift;
    if ((field & (field + 1)) != 0) return false;  // not one run of ones
    max = field;
    return true;
  }
  uint32_t Get(uint32_t pixel) const {
    if (mask == 0) return 0;
    const uint64_t v = (pixel & mask) >> shift;
    return uint32_t((v * 255 + max / 2) / max);
  }
};

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

}  // namespace

bool LoadBmp(std::span<const uint8_t> d, fw::TBitmap& bmp, std::string* error, int* bits_per_pixel) {
  bmp.SetSize(0, 0);
  if (d.size() < 14 + 12) return Fail(error, "too short for a BMP header");
  if (d[0] != 'B' || d[1] != 'M') return Fail(error, "not a BMP file");
  const uint32_t off_bits = Le32(d, 10);
  const uint32_t info_size = Le32(d, 14);
  if (info_size != 12 && info_size != 40 && info_size != 52 && info_size != 56 && info_size != 108 &&
      info_size != 124)
    return Fail(error, "unknown BMP info header");
  if (info_size > d.size() - 14) return Fail(error, "BMP info header runs past the data");

  int64_t width, height;
  unsigned planes, bpp;
  uint32_t compression = kRgb, colours_used = 0;
  size_t palette_at = 14 + info_size;
  size_t entry_size = 4;
  Channel red, green, blue;
  if (info_size == 12) {
    width = Le16(d, 18);
    height = Le16(d, 20);
    planes = Le16(d, 22);
    bpp = Le16(d, 24);
    entry_size = 3;
  } else {
    width = int32_t(Le32(d, 18));
    height = int32_t(Le32(d, 22));
    planes = Le16(d, 26);
    bpp = Le16(d, 28);
    compression = Le32(d, 30);
    colours_used = Le32(d, 46);
  }
  if (planes != 1) return Fail(error, "BMP with more than one plane");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(error, "unsupported BMP depth");
  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (width <= 0 || height <= 0) return Fail(error, "empty BMP");
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
    return Fail(error, "BMP too large");

  if (compression == kRle8 || compression == kRle4) return Fail(error, "compressed BMP not supported");
  if (compression == kBitFields || compression == kAlphaBitFields) {
    if (bpp != 16 && bpp != 32) return Fail(error, "BMP bit fields need 16 or 32 bits per pixel");
    // With the 40-byte header the masks follow it; later headers hold them.
    const size_t masks_at = 14 + 40;
    if (info_size == 40) palette_at += compression == kAlphaBitFields ? 16 : 12;
    if (masks_at + 12 > d.size()) return Fail(error, "BMP bit fields run past the data");
    if (!red.Set(Le32(d, masks_at)) || !green.Set(Le32(d, masks_at + 4)) || !blue.Set(Le32(d, masks_at + 8)))
      return Fail(error, "BMP bit field is not contiguous");
  } else if (compression != kRgb) {
    return Fail(error, "unknown BMP compression");
  } else if (bpp == 16) {
    red.Set(0x7C00);
    green.Set(0x03E0);
    blue.Set(0x001F);
  } else if (bpp == 32) {
    red.Set(0x00FF0000);
    green.Set(0x0000FF00);
    blue.Set(0x000000FF);
  }

  std::vector<fw::TColor> palette;
  if (bpp <= 8) {
    const size_t max_entries = size_t(1) << bpp;
    size_t entries = colours_used == 0 ? max_entries : size_t(colours_used);
    if (entries > max_entries) entries = max_entries;
    if (palette_at > d.size() || entries * entry_size > d.size() - palette_at)
      return Fail(error, "BMP palette runs past the data");
    palette.resize(max_entries, 0);  // indices past the palette read black
    for (size_t i = 0; i < entries; ++i) {
      const size_t at = palette_at + i * entry_size;
      palette[i] = fw::RGBColor(d[at + 2], d[at + 1], d[at]);
    }
  }

  const size_t stride = ((size_t(width) * bpp + 31) / 32) * 4;
  if (off_bits > d.size() || stride * size_t(height) > d.size() - off_bits)
    return Fail(error, "BMP pixels run past the data");

  bmp.SetSize(int(width), int(height));
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* row = d.data() + off_bits + size_t(y) * stride;
    fw::TColor* out = bmp.Row(int(top_down ? y : height - 1 - y));
    for (int64_t x = 0; x < width; ++x) {
      fw::TColor c;
      switch (bpp) {
        case 1: c = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: c = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
        case 8: c = palette[row[x]]; break;
        case 16: {
          const uint32_t p = uint32_t(row[2 * x] | row[2 * x + 1] << 8);
          c = fw::RGBColor(uint8_t(red.Get(p)), uint8_t(green.Get(p)), uint8_t(blue.Get(p)));
          break;
        }
        case 24: c = fw::RGBColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        default: {
          const uint8_t* q = row + 4 * x;
          const uint32_t p = uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16 | uint32_t(q[3]) << 24;
          c = fw::RGBColor(uint8_t(red.Get(p)), uint8_t(green.Get(p)), uint8_t(blue.Get(p)));
          break;
        }
      }
      out[x] = c;
    }
  }
  if (bits_per_pixel) *bits_per_pixel = int(bpp);
  return true;
}

bool SaveBmp(const fw::TBitmap& bmp, int bpp, std::vector<uint8_t>& out) {
  if (bmp.Empty() || (bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)) return false;
  const int w = bmp.Width(), h = bmp.Height();

  std::vector<fw::TColor> palette;
  std::unordered_map<fw::TColor, uint8_t> index;
  if (bpp <= 8) {
    const size_t max_entries = size_t(1) << bpp;
    for (fw::TColor c : bmp.Pixels()) {
      c &= 0xFFFFFF;
      if (index.count(c)) continue;
      if (palette.size() == max_entries) return false;
      index.emplace(c, uint8_t(palette.size()));
      palette.push_back(c);
    }
  }

  const size_t stride = ((size_t(w) * size_t(bpp) + 31) / 32) * 4;
  const size_t header = 14 + 40 + 4 * palette.size();
  const size_t total = header + stride * size_t(h);
  std::vector<uint8_t> f;
  f.reserve(total);
  auto put16 = [&](uint32_t v) { f.push_back(uint8_t(v)); f.push_back(uint8_t(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  f.push_back('B');
  f.push_back('M');
  put32(uint32_t(total));
  put32(0);
  put32(uint32_t(header));
  put32(40);
  put32(uint32_t(w));
  put32(uint32_t(h));
  put16(1);
  put16(uint32_t(bpp));
  put32(kRgb);
  put32(uint32_t(stride * size_t(h)));
  put32(2835);
  put32(2835);
  put32(uint32_t(palette.size()));
  put32(0);
  for (fw::TColor c : palette) {
    f.push_back(fw::GetBValue(c));
    f.push_back(fw::GetGValue(c));
    f.push_back(fw::GetRValue(c));
    f.push_back(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    const size_t row_start = f.size();
    const fw::TColor* src = bmp.Row(y);
    for (int x = 0; x < w; ++x) {
      const fw::TColor c = src[x] & 0xFFFFFF;
      switch (bpp) {
        case 4:
          if (x & 1) f.back() = uint8_t(f.back() | index[c]);
          else f.push_back(uint8_t(index[c] << 4));
          break;
        case 8: f.push_back(index[c]); break;
        default:
          f.push_back(fw::GetBValue(c));
          f.push_back(fw::GetGValue(c));
          f.push_back(fw::GetRValue(c));
          if (bpp == 32) f.push_back(0);
      }
    }
    f.resize(row_start + stride, 0);
  }
  out = std::move(f);
  return true;
}

}  // namespace skin
