// Menu items and the menu bar: item sizes, the MenuItem frames over the
// popup's background, separators, glyphs and check marks, text placement,
// and the bar's background and item states.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "builtin_skin_test.h"
#include "fake_text.h"
#include "skin/paint/menu_painter.h"
#include "skin/paint/primitives.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "skin_test_util.h"

namespace {

using namespace skin::paint;
using painttest::TFakeText;

class MenuPainter : public painttest::BuiltinSkinTest {
 protected:
  static const TDataSkinObject& Item() { return *Skin().Object("MenuItem"); }
};

// A skin with colours only: no menu objects.
class BareSkin {
 public:
  BareSkin() {
    skin::DestroySkinManager();
    data.LoadSkinFromStream(skintest::MakeSkin(
        "[Colours]\r\nMenu=10,20,30\r\nHilight=200,0,0\r\nHilightText=0,0,200\r\nMenuText=1,2,3\r\n"
        "Menubar=40,50,60\r\nButtonShadow=90,90,90\r\nButtonHilight=250,250,250\r\n"));
  }
  ~BareSkin() { skin::DestroySkinManager(); }
  TSkinData data{nullptr};
};

// A background with a different colour at every pixel.
fw::TBitmap Pattern(int w, int h) {
  fw::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, fw::RGBColor(uint8_t(x), uint8_t(y), 77));
  return b;
}

MenuItemState TextItem(int w, int h) {
  MenuItemState s;
  s.width = w, s.height = h;
  s.caption = L"&Open";
  return s;
}

TEST_F(MenuPainter, WidthAddsTheLeftMarginAndTheGlyphAllowance) {
  BareSkin bare;
  const int lm = Item().LeftWidth;
  ASSERT_GT(lm, 0);
  struct Case {
    const TSkinData* skin;
    bool main_menu, images;
    int width;
  } cases[] = {
      {&Skin(), true, true, 100 + lm + 10},       {&Skin(), true, false, 100 + lm + 35},
      {&Skin(), false, true, 100 + lm + 12},      {&Skin(), false, false, 100 + lm + 35},
      {&bare.data, true, true, 100 + 10},         {&bare.data, true, false, 100 + 35},
      {&bare.data, false, true, 100 + 12},        {&bare.data, false, false, 100 + 35},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MenuItemWidth(*c.skin, 100, c.main_menu, c.images), c.width)
        << (c.skin == &Skin()) << c.main_menu << c.images;
  EXPECT_EQ(MenuItemWidth(Skin(), -50, false, true), lm + 12);
  EXPECT_EQ(MenuItemWidth(Skin(), INT_MAX, false, false), INT_MAX);
}

TEST_F(MenuPainter, HeightHoldsALineAndASmallGlyph) {
  TFakeText text;
  fw::TFont font;
  EXPECT_EQ(MenuItemHeight(Skin(), font, true), 8);
  EXPECT_EQ(MenuItemHeight(Skin(), font, false), 20);  // a 12-pixel line + 6 is below the minimum
}

// The item pixels that the MenuItem frame covers (corners and edges, away
// from the text) show the frame, and its key-coloured ones the popup's
// background.
TEST_F(MenuPainter, NormalAndSelectedItemsDrawTheirFrameOverTheBackground) {
  TFakeText text;
  const fw::TBitmap background = Pattern(150, 80);
  for (const auto& [selected, frame] : {std::pair{false, 1}, {true, 4}}) {
    MenuItemState s = TextItem(120, 20);
    s.selected = selected;
    s.background = &background, s.background_x = 3, s.background_y = 23;
    fw::TBitmap out;
    PaintMenuItem(out, Skin(), s);
    ASSERT_EQ(out.Width(), 120);
    ASSERT_EQ(out.Height(), 20);
    const fw::TBitmap nine = NineSlice(Item(), frame, Orientation::SideBySide, 120, 20);
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 3}, {119, 19}, {117, 17}, {60, 1}, {1, 10}, {118, 10}}) {
      const fw::TColor want = IsKeyColoured(nine.Pixel(x, y)) ? background.Pixel(x + 3, y + 23) : nine.Pixel(x, y);
      EXPECT_EQ(out.Pixel(x, y), want) << "frame " << frame << " at " << x << "," << y;
    }
    // With a MenuItem object the caption stays in the menu text colour.
    ASSERT_EQ(text.draws.size(), 1u);
    EXPECT_EQ(text.draws[0].colour, Skin().Colours().MenuText);
    text.draws.clear();
  }
  // The selected frame is not all key colour: the test above saw it.
  bool drawn = false;
  const fw::TBitmap selected = NineSlice(Item(), 4, Orientation::SideBySide, 120, 20);
  for (int x = 0; x < 120; ++x) drawn = drawn || !IsKeyColoured(selected.Pixel(x, 10));
  EXPECT_TRUE(drawn);
}

TEST(MenuItemWithoutSkinObject, SelectedIsHilightWithHilightText) {
  TFakeText text;
  BareSkin bare;
  MenuItemState s = TextItem(80, 20);
  fw::TBitmap out;
  PaintMenuItem(out, bare.data, s);
  EXPECT_EQ(out.Pixel(0, 0), fw::RGBColor(10, 20, 30));
  EXPECT_EQ(text.draws.at(0).colour, fw::RGBColor(1, 2, 3));
  s.selected = true;
  PaintMenuItem(out, bare.data, s);
  EXPECT_EQ(out.Pixel(0, 0), fw::RGBColor(200, 0, 0));
  EXPECT_EQ(out.Pixel(79, 19), fw::RGBColor(200, 0, 0));
  EXPECT_EQ(text.draws.at(1).colour, fw::RGBColor(0, 0, 200));
  s.enabled = false;
  PaintMenuItem(out, bare.data, s);
  EXPECT_EQ(text.draws.at(2).colour, fw::ColorToRGB(fw::clGrayText));
}

TEST_F(MenuPainter, SeparatorDrawsTheSecondFrameAlongTheBottom) {
  TFakeText text;
  const TDataSkinObject& item = Item();
  const int fw_ = item.FrameWidth(), fh = item.Image.Height();
  // Find the separator's line in the second frame: its middle column's
  // lowest pixel that is not key-coloured.
  const fw::TBitmap second = CutFrame(item.Image, item.Frames, 2, Orientation::SideBySide);
  int line = -1;
  for (int y = 0; y < fh; ++y)
    if (!IsKeyColoured(second.Pixel(fw_ / 2, y))) line = y;
  ASSERT_GE(line, fh - 8) << "the built-in separator lies in the frame's bottom rows";

  MenuItemState s = TextItem(100, MenuItemHeight(Skin(), fw::TFont{}, true));
  s.separator = true;
  fw::TBitmap out;
  PaintMenuItem(out, Skin(), s);
  const int y = s.height - (fh - line);
  EXPECT_EQ(out.Pixel(50, y), second.Pixel(fw_ / 2, line));
  EXPECT_EQ(out.Pixel(50, y - 1), IsKeyColoured(second.Pixel(fw_ / 2, line - 1)) ? Skin().Colours().Menu
                                                                                  : second.Pixel(fw_ / 2, line - 1));
  EXPECT_EQ(out.Pixel(50, 0), Skin().Colours().Menu);
  EXPECT_TRUE(text.draws.empty());

  // Without the object: an etched line across the middle.
  BareSkin bare;
  PaintMenuItem(out, bare.data, s);
  EXPECT_EQ(out.Pixel(50, 3), fw::RGBColor(90, 90, 90));
  EXPECT_EQ(out.Pixel(50, 4), fw::RGBColor(250, 250, 250));
  EXPECT_EQ(out.Pixel(0, 3), fw::RGBColor(10, 20, 30));
}

// The bounding box of the pixels of one colour inside r.
fw::TRect BoxOf(const fw::TBitmap& b, const fw::TRect& r, fw::TColor c) {
  fw::TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (b.Pixel(x, y) == c) box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                                     std::max(box.Bottom, y + 1)};
  return box;
}

TEST_F(MenuPainter, CheckedItemWithoutGlyphGetsACentredCheckMark) {
  TFakeText text;
  const fw::TColor ink = fw::ColorToRGB(fw::clWindowText);
  ASSERT_NE(ink, Skin().Colours().Menu);
  const int lm = Item().LeftWidth;
  for (const auto& [rtl, column] : {std::pair{false, fw::TRect{lm, 0, lm + 18, 20}}, {true, fw::TRect{100 - lm - 18, 0, 100 - lm, 20}}}) {
    MenuItemState s = TextItem(100, 20);
    s.checked = true, s.right_to_left = rtl;
    fw::TBitmap out;
    PaintMenuItem(out, Skin(), s);
    const fw::TRect box = BoxOf(out, fw::TRect{0, 0, 100, 20}, ink);
    EXPECT_EQ(box.Width(), 7) << rtl;
    EXPECT_EQ(box.Height(), 7) << rtl;
    EXPECT_LE(std::abs((box.Left + box.Right) - (column.Left + column.Right)), 1) << rtl;
    EXPECT_LE(std::abs((box.Top + box.Bottom) - 20), 1) << rtl;
  }
}

TEST_F(MenuPainter, CheckedGlyphSitsInASunkenDitheredBox) {
  TFakeText text;
  const fw::TColor ink = fw::RGBColor(0, 120, 0);
  fw::TBitmap glyph(16, 16, ink);
  glyph.SetPixel(0, 0, 0xFF00FF);
  const TSkinColours& c = Skin().Colours();
  const int lm = Item().LeftWidth;

  MenuItemState s = TextItem(120, 20);
  s.has_images = true, s.checked = true, s.glyph = &glyph;
  fw::TBitmap out;
  PaintMenuItem(out, Skin(), s);
  // The glyph centred in a 22-pixel column, its mask pixel letting the box
  // through; the box 2 pixels around it, sunken.
  const int gx = lm + 3, gy = 2;
  EXPECT_EQ(BoxOf(out, fw::TRect{0, 0, 120, 20}, ink), (fw::TRect{gx, gy, gx + 16, gy + 16}));
  EXPECT_EQ(out.Pixel(gx, gy), ((gx + gy) & 1) ? c.ButtonHilight : c.Menu);
  EXPECT_EQ(out.Pixel(gx - 2, gy - 2), c.ButtonShadow);
  EXPECT_EQ(out.Pixel(gx + 17, gy + 17), c.ButtonHilight);
  EXPECT_NE(out.Pixel(gx - 1, gy + 5), out.Pixel(gx - 1, gy + 6));  // dithered
  // The caption after the column.
  EXPECT_EQ(text.draws.at(0).rect.Left, lm + 22 + 4);

  // Unchecked: no box (the item as it is without a glyph there);
  // disabled: the glyph greyed.
  s.checked = false, s.enabled = false;
  PaintMenuItem(out, Skin(), s);
  MenuItemState plain = s;
  plain.glyph = nullptr;
  fw::TBitmap reference;
  PaintMenuItem(reference, Skin(), plain);
  EXPECT_EQ(out.Pixel(gx - 2, gy - 2), reference.Pixel(gx - 2, gy - 2));
  EXPECT_EQ(out.Pixel(gx, gy), reference.Pixel(gx, gy));
  const fw::TColor grey = out.Pixel(gx + 8, gy + 8);
  EXPECT_NE(grey, ink);
  EXPECT_TRUE(fw::GetRValue(grey) == fw::GetGValue(grey) && fw::GetGValue(grey) == fw::GetBValue(grey));
}

TEST_F(MenuPainter, CaptionAfterTheColumnShortcutTenPixelsFromTheEnd) {
  TFakeText text;
  const int lm = Item().LeftWidth;
  MenuItemState s = TextItem(150, 20);
  s.shortcut = L"Ctrl+O";
  fw::TBitmap out;
  PaintMenuItem(out, Skin(), s);
  ASSERT_EQ(text.draws.size(), 2u);
  EXPECT_EQ(text.draws[0].text, L"&Open");
  EXPECT_EQ(text.draws[0].rect.Left, lm + 18 + 4);
  EXPECT_FALSE(text.draws[0].flags & kTextNoPrefix);  // the accelerator is underlined
  EXPECT_EQ(text.draws[1].rect.Right, 140);
  EXPECT_TRUE(text.draws[1].flags & kTextNoPrefix);

  // Right to left: the caption ends before the column at the right, the
  // shortcut starts 10 pixels from the left.
  text.draws.clear();
  s.right_to_left = true;
  PaintMenuItem(out, Skin(), s);
  EXPECT_EQ(text.draws[0].rect.Right, 150 - (lm + 18 + 4));
  EXPECT_TRUE(text.draws[0].flags & kTextRtlReading);
  EXPECT_EQ(text.draws[1].rect.Left, 10);
}

TEST_F(MenuPainter, BackgroundIsTheMenuBackgroundAsANineSlice) {
  const TDataSkinObject& bg = *Skin().Object("MenuBackground");
  const fw::TBitmap out = RenderMenuBackground(Skin(), 60, 90);
  ASSERT_EQ(out.Width(), 60);
  ASSERT_EQ(out.Height(), 90);
  const int w = bg.Image.Width(), h = bg.Image.Height();
  EXPECT_EQ(out.Pixel(0, 0), bg.Image.Pixel(0, 0));
  EXPECT_EQ(out.Pixel(1, 1), bg.Image.Pixel(1, 1));
  EXPECT_EQ(out.Pixel(59, 89), bg.Image.Pixel(w - 1, h - 1));
  EXPECT_EQ(out.Pixel(30, 45), bg.Image.Pixel(w / 2, h / 2));
  BareSkin bare;
  EXPECT_TRUE(RenderMenuBackground(bare.data, 60, 90).Empty());
}

TEST_F(MenuPainter, BarBackgroundUsesTheActiveOrInactiveFrame) {
  const TDataSkinObject& bar = *Skin().MenuBar();
  const int fh = bar.Image.Height() / 2, mid = bar.Image.Width() / 2;
  ASSERT_NE(bar.Image.Pixel(mid, 0), bar.Image.Pixel(mid, fh));
  for (const auto& [active, top] : {std::pair{true, 0}, {false, fh}}) {
    const fw::TBitmap out = RenderMenuBarBackground(Skin(), 300, fh, active);
    ASSERT_EQ(out.Width(), 300);
    EXPECT_EQ(out.Pixel(150, 0), bar.Image.Pixel(mid, top)) << active;
    EXPECT_EQ(out.Pixel(150, fh - 1), bar.Image.Pixel(mid, top + fh - 1)) << active;
    EXPECT_EQ(out.Pixel(0, 0), bar.Image.Pixel(0, top)) << active;
  }
  BareSkin bare;
  const fw::TBitmap flat = RenderMenuBarBackground(bare.data, 50, 19, false);
  EXPECT_EQ(flat.Pixel(49, 18), fw::RGBColor(40, 50, 60));
}

TEST(MenuBarBackground, WithoutTileTheMiddleRepeats) {
  skin::DestroySkinManager();
  // Two stacked 6 x 2 frames: a 2-pixel end at each side, a middle of two
  // columns (A, B) that repeats across.
  fw::TBitmap img(6, 4, 0x111111);
  for (int y = 0; y < 4; ++y) img.SetPixel(2, y, 0xAAAAAA), img.SetPixel(3, y, 0xBBBBBB);
  TSkinData data(nullptr);
  data.LoadSkinFromStream(skintest::MakeSkin(
      "[Personality]\r\nmenuBar=bar.bmp\r\nTileMenu=0\r\nTileLeftMenu=2\r\nTileRightMenu=2\r\n", {{"bar.bmp", img}}));
  ASSERT_EQ(data.MenuBar()->Tile, 0);
  const fw::TBitmap out = RenderMenuBarBackground(data, 12, 4, true);
  const fw::TColor want[12] = {0x111111, 0x111111, 0xAAAAAA, 0xBBBBBB, 0xAAAAAA, 0xBBBBBB,
                               0xAAAAAA, 0xBBBBBB, 0xAAAAAA, 0xBBBBBB, 0x111111, 0x111111};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(out.Pixel(x, 3), want[x]) << x;
  skin::DestroySkinManager();
}

TEST_F(MenuPainter, BarItemsHotFramedDisabledGreyInvisibleSkipped) {
  TFakeText text;
  const fw::TBitmap background = RenderMenuBarBackground(Skin(), 200, 20, true);
  std::vector<MenuBarItem> items(4);
  items[0] = {{6, 0, 40, 19}, L"&File", true, 1};
  items[1] = {{40, 0, 80, 19}, L"&Edit", true, 3};
  items[2] = {{80, 0, 120, 19}, L"&Help", false, 2};
  items[3] = {{}, L"Hidden", true, 1};
  fw::TFont font;
  font.Style = 1;
  fw::TBitmap out;
  PaintMenuBar(out, Skin(), background, items, font);
  ASSERT_EQ(out.Width(), 200);
  const fw::TColor hilight = Skin().Colours().ButtonHilight;
  ASSERT_NE(background.Pixel(40, 0), hilight);
  EXPECT_EQ(out.Pixel(6, 0), background.Pixel(6, 0));          // normal: no frame
  EXPECT_EQ(out.Pixel(40, 0), hilight);                         // hot
  EXPECT_EQ(out.Pixel(79, 18), hilight);
  EXPECT_EQ(out.Pixel(80, 10), hilight);                        // pressed
  EXPECT_EQ(out.Pixel(150, 10), background.Pixel(150, 10));
  ASSERT_EQ(text.draws.size(), 3u);
  EXPECT_EQ(text.draws[0].colour, Skin().Colours().MenuBarText);
  EXPECT_EQ(text.draws[2].colour, fw::ColorToRGB(fw::clBtnShadow));
  EXPECT_EQ(text.draws[0].font.Style, 0u);
  // Centred: "&File" measures 5 characters in the fake renderer.
  EXPECT_EQ(text.draws[0].rect, (fw::TRect{6 + (34 - 30) / 2, (19 - 12) / 2, 6 + (34 - 30) / 2 + 30, (19 - 12) / 2 + 12}));

  // The hot item back to normal: its frame gives way to the background.
  items[1].state = 1;
  PaintMenuBarItem(out, Skin(), background, items[1], font);
  EXPECT_EQ(out.Pixel(40, 0), background.Pixel(40, 0));
  EXPECT_EQ(out.Pixel(80, 10), hilight);  // the neighbour keeps its own
}

// Sizes from the system and geometry from a broken skin: nothing read or
// written outside a bitmap, nothing absurdly large built.
TEST(MenuPainterGeometry, BrokenSkinsAndOddSizesStayInside) {
  TFakeText text;
  skin::DestroySkinManager();
  TSkinData data(nullptr);
  data.LoadSkinFromStream(skintest::MakeSkin(
      "[MenuItem]\r\nImage=i.bmp\r\nLeftWidth=2147483647\r\nTopHeight=-7\r\nRightWidth=900\r\nBottomHeight=2000000000\r\n"
      "Trans=1\r\n[MenuBackground]\r\nImage=i.bmp\r\nLeftWidth=-3\r\nTopHeight=99\r\n"
      "[Personality]\r\nmenuBar=i.bmp\r\nTileMenu=0\r\nTileLeftMenu=-5\r\nTileRightMenu=70000\r\n",
      {{"i.bmp", fw::TBitmap(7, 3, 0x445566)}}));
  ASSERT_TRUE(data.SkinLoaded());
  EXPECT_EQ(MenuItemWidth(data, 10, false, true), 10 + 1 + 12);  // the margin no wider than a frame
  EXPECT_GE(MenuItemHeight(data, fw::TFont{}, false), 20);
  fw::TBitmap glyph(40, 40, 0x00FF00);
  for (auto [w, h] : {std::pair{0, 0}, {-4, 20}, {1, 1}, {3, 100}, {500, 2}, {100000, 100000}}) {
    for (bool separator : {false, true}) {
      MenuItemState s = TextItem(w, h);
      s.separator = separator, s.checked = true, s.glyph = &glyph, s.right_to_left = w == 3;
      fw::TBitmap bg(5, 5, 0x123456);
      s.background = &bg, s.background_x = -1000, s.background_y = INT_MAX;
      fw::TBitmap out;
      PaintMenuItem(out, data, s);
      EXPECT_EQ(out.Width(), w == 100000 ? 0 : std::max(w, 0)) << w << "x" << h;
    }
    const fw::TBitmap back = RenderMenuBackground(data, w, h);
    const fw::TBitmap bar = RenderMenuBarBackground(data, w, h, false);
    EXPECT_EQ(bar.Width(), w == 100000 ? 0 : std::max(w, 0));
    fw::TBitmap out;
    PaintMenuBar(out, data, bar, {{{-5, -5, INT_MAX, 9}, L"x", true, 3}, {{10, 0, 5, 9}, L"y", true, 2}}, fw::TFont{});
  }
  skin::DestroySkinManager();
}

}  // namespace
