// BMP reading and writing, and fetching skin images by INI value.
#include <gtest/gtest.h>

#include "skin/bmp_reader.h"
#include "skin/image_fetch.h"
#include "skin/skin_reader.h"

namespace {

using namespace skin;
using Bytes = std::vector<uint8_t>;
using fw::RGBColor;
using fw::TBitmap;

TBitmap Pattern(int w, int h, int colours) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int k = (x * 7 + y * 3) % colours;
      b.SetPixel(x, y, RGBColor(uint8_t(k * 37), uint8_t(255 - k * 11), uint8_t(k * 5)));
    }
  return b;
}

// A BMP assembled field by field (40-byte header unless info_size says
// otherwise), for depths and layouts the writer does not produce.
struct RawBmp {
  int32_t width = 0, height = 0;
  uint16_t bpp = 0;
  uint32_t compression = 0;
  std::vector<uint32_t> masks;    // written right after the header
  std::vector<uint32_t> palette;  // 0x00RRGGBB as stored (B, G, R, 0)
  Bytes pixels;
  Bytes Build() const {
    Bytes b;
    auto put = [&](uint32_t v, int n) { for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * i))); };
    const uint32_t off = uint32_t(14 + 40 + 4 * masks.size() + 4 * palette.size());
    b.push_back('B');
    b.push_back('M');
    put(off + uint32_t(pixels.size()), 4);
    put(0, 4);
    put(off, 4);
    put(40, 4);
    put(uint32_t(width), 4);
    put(uint32_t(height), 4);
    put(1, 2);
    put(bpp, 2);
    put(compression, 4);
    put(uint32_t(pixels.size()), 4);
    put(0, 4);
    put(0, 4);
    put(uint32_t(palette.size()), 4);
    put(0, 4);
    for (uint32_t m : masks) put(m, 4);
    for (uint32_t p : palette) put(p, 4);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
  }
};

TEST(Bmp, WrittenDepthsReadBackExactly) {
  for (int bpp : {4, 8, 24, 32}) {
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {13, 5}, {65, 13}}) {
      const TBitmap src = Pattern(w, h, bpp == 4 ? 16 : 200);
      Bytes file;
      ASSERT_TRUE(SaveBmp(src, bpp, file)) << bpp;
      TBitmap back;
      int depth = 0;
      std::string why;
      ASSERT_TRUE(LoadBmp(file, back, &why, &depth)) << why;
      EXPECT_EQ(depth, bpp);
      EXPECT_EQ(back, src) << bpp << " bpp " << w << "x" << h;
    }
  }
  Bytes file;
  EXPECT_FALSE(SaveBmp(Pattern(20, 20, 17), 4, file));  // 17 colours
  EXPECT_FALSE(SaveBmp(Pattern(5, 5, 3), 16, file));
  EXPECT_FALSE(SaveBmp(TBitmap(), 24, file));
  EXPECT_TRUE(file.empty());
}

TEST(Bmp, OneBitTopDownAndBottomUp) {
  RawBmp r;
  r.width = 10;
  r.height = 2;
  r.bpp = 1;
  r.palette = {0x000000, 0xFF8000};
  // Row stride 4 bytes; first stored row 1010000000, second 0000000001.
  r.pixels = {0xA0, 0x00, 0, 0, 0x00, 0x40, 0, 0};
  TBitmap b;
  ASSERT_TRUE(LoadBmp(r.Build(), b));
  const fw::TColor orange = RGBColor(0xFF, 0x80, 0x00);
  EXPECT_EQ(b.Pixel(0, 1), orange);  // bottom-up: first stored row is the last
  EXPECT_EQ(b.Pixel(1, 1), 0u);
  EXPECT_EQ(b.Pixel(2, 1), orange);
  EXPECT_EQ(b.Pixel(9, 0), orange);
  r.height = -2;
  ASSERT_TRUE(LoadBmp(r.Build(), b));
  EXPECT_EQ(b.Pixel(0, 0), orange);
  EXPECT_EQ(b.Pixel(9, 1), orange);
}

TEST(Bmp, SixteenBitsPlainAndWithBitFields) {
  RawBmp r;
  r.width = 2;
  r.height = 1;
  r.bpp = 16;
  r.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: full red, full blue
  TBitmap b;
  ASSERT_TRUE(LoadBmp(r.Build(), b));
  EXPECT_EQ(b.Pixel(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(b.Pixel(1, 0), RGBColor(0, 0, 255));
  r.compression = 3;
  r.masks = {0xF800, 0x07E0, 0x001F};
  r.pixels = {0xE0, 0x07, 0x10, 0x00};  // 5-6-5: full green, half blue
  ASSERT_TRUE(LoadBmp(r.Build(), b));
  EXPECT_EQ(b.Pixel(0, 0), RGBColor(0, 255, 0));
  EXPECT_EQ(b.Pixel(1, 0), RGBColor(0, 0, 132));
  r.masks = {0xF00F, 0x07E0, 0x001F};  // not one run of bits
  EXPECT_FALSE(LoadBmp(r.Build(), b));
}

TEST(Bmp, MalformedFilesAreRefused) {
  Bytes good;
  ASSERT_TRUE(SaveBmp(Pattern(7, 3, 200), 8, good));
  TBitmap b;
  // Every truncation is refused, and leaves the bitmap empty.
  for (size_t n = 0; n < good.size(); ++n) {
    b.SetSize(2, 2);
    EXPECT_FALSE(LoadBmp(std::span(good.data(), n), b)) << n;
    EXPECT_TRUE(b.Empty());
  }
  auto with = [&](size_t at, std::initializer_list<uint8_t> bytes) {
    Bytes f = good;
    std::copy(bytes.begin(), bytes.end(), f.begin() + ptrdiff_t(at));
    return f;
  };
  std::string why;
  EXPECT_FALSE(LoadBmp(with(0, {'X'}), b, &why));
  EXPECT_FALSE(LoadBmp(with(14, {41}), b, &why));             // header size
  EXPECT_FALSE(LoadBmp(with(18, {0, 0, 0, 0}), b, &why));     // width 0
  EXPECT_FALSE(LoadBmp(with(18, {0, 0, 0, 0x80}), b, &why));  // negative width
  EXPECT_FALSE(LoadBmp(with(22, {0, 0, 0, 0x80}), b, &why));  // height INT_MIN
  EXPECT_FALSE(LoadBmp(with(18, {0, 0, 1, 0}), b, &why));     // 65536 wide: no data
  EXPECT_FALSE(LoadBmp(with(26, {2}), b, &why));              // planes
  EXPECT_FALSE(LoadBmp(with(28, {2}), b, &why));              // depth
  EXPECT_FALSE(LoadBmp(with(30, {1}), b, &why));              // RLE
  EXPECT_FALSE(LoadBmp(with(30, {3}), b, &why));              // bit fields on 8 bits
  EXPECT_FALSE(LoadBmp(with(10, {0xFF, 0xFF, 0, 0}), b, &why));  // pixels far away
  EXPECT_FALSE(LoadBmp(with(46, {0, 0, 0, 1}), b, &why) && b.Width() != 7);
  // A palette index past the colours given reads black rather than garbage.
  RawBmp r;
  r.width = 1;
  r.height = 1;
  r.bpp = 8;
  r.palette = {0xFFFFFF};
  r.pixels = {200, 0, 0, 0};
  ASSERT_TRUE(LoadBmp(r.Build(), b));
  EXPECT_EQ(b.Pixel(0, 0), 0u);
}

TEST(ImageFetch, NamesExtensionsAndPaths) {
  Bytes red;
  TBitmap one(1, 1, RGBColor(255, 0, 0));
  ASSERT_TRUE(SaveBmp(one, 24, red));
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(PackSkin({{"frame.bmp", red}, {"bad.bmp", {1, 2, 3}}, {"pic.png", red}})));
  TBitmap b;
  FetchImage(reader, b, "Frame.bmp");
  EXPECT_EQ(b, one);
  b = TBitmap();
  FetchImage(reader, b, "C:\\skins\\blue\\FRAME.bmp");
  EXPECT_EQ(b, one);
  FetchImage(reader, b, "FRAME.BMP");  // the extension compares case-sensitively
  EXPECT_TRUE(b.Empty());
  b = one;
  FetchImage(reader, b, "pic.png");
  EXPECT_TRUE(b.Empty());
  b = one;
  FetchImage(reader, b, "missing.bmp");
  EXPECT_TRUE(b.Empty());
  b = one;
  FetchImage(reader, b, "dir\\");
  EXPECT_TRUE(b.Empty());
  EXPECT_THROW(FetchImage(reader, b, "bad.bmp"), ESkinError);
}

}  // namespace
