#include "skin/paint/menu_painter.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "framework/imglist.h"
#include "skin/paint/control_canvas.h"
#include "skin/paint/grid_copy.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin::paint {

using detail::Bounds;
using detail::DrawGrid;
using detail::Intersect;
using detail::Segment;
using detail::SizeFits;

namespace {

constexpr int kSeparatorHeight = 8;
constexpr int kMinItemHeight = 20;
// The column at the item's start that holds a glyph or a check mark.
constexpr int kImageColumn = 22;
constexpr int kCheckColumn = 18;
// Between the glyph column and the caption, and after the shortcut.
constexpr int kTextGap = 4;
constexpr int kShortcutRight = 10;

// The MenuItem object when it has an image to draw from.
const TDataSkinObject* MenuItemObject(const TSkinData& skin) {
  const TDataSkinObject* item = skin.Object("MenuItem");
  return item && !item->Image.Empty() ? item : nullptr;
}

// Where an item's contents begin: after the MenuItem object's left margin,
// which is never taken wider than one of its frames.
int ContentLeft(const TSkinData& skin) {
  const TDataSkinObject* item = MenuItemObject(skin);
  return item ? std::clamp(item->LeftWidth, 0, std::max(item->FrameWidth(), 0)) : 0;
}

int ClampToInt(int64_t v) { return int(std::clamp<int64_t>(v, 0, INT_MAX)); }

// r with its edges brought into a range where sizes and centres can be
// computed without overflow; no bitmap comes near it.
fw::TRect Tame(const fw::TRect& r) {
  static constexpr int kFar = 1 << 24;
  auto c = [](int v) { return std::clamp(v, -kFar, kFar); };
  return fw::TRect{c(r.Left), c(r.Top), c(r.Right), c(r.Bottom)};
}

// r reflected across the vertical middle of a bitmap w wide.
fw::TRect Mirror(const fw::TRect& r, int w) { return fw::TRect{w - r.Right, r.Top, w - r.Left, r.Bottom}; }

// Copies the part of src that lies under r (both in dst's coordinates, src
// at the origin) into dst.
void CopyArea(fw::TBitmap& dst, const fw::TBitmap& src, const fw::TRect& r) {
  DrawGrid(dst, Intersect(r, Bounds(dst)), {Segment{0, src.Width(), 0, src.Width()}},
           {Segment{0, src.Height(), 0, src.Height()}}, src, false);
}

// The system's check mark, 7 x 7.
constexpr const char* kCheckMark[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};
constexpr int kCheckMarkSize = 7;

void DrawCheckMark(fw::TBitmap& out, const fw::TRect& column, fw::TColor colour) {
  const int x0 = column.Left + (column.Width() - kCheckMarkSize) / 2;
  const int y0 = column.Top + (column.Height() - kCheckMarkSize) / 2;
  for (int y = 0; y < kCheckMarkSize; ++y)
    for (int x = 0; x < kCheckMarkSize; ++x)
      if (kCheckMark[y][x] == '#') out.SetPixel(x0 + x, y0 + y, colour);
}

// The sunken, dithered box that marks a checked item with a glyph.
void DrawCheckedBox(fw::TBitmap& out, const TSkinData& skin, const fw::TRect& box) {
  const TSkinColours& c = skin.Colours();
  const fw::TRect v = Intersect(box, Bounds(out));
  for (int y = v.Top; y < v.Bottom; ++y)
    for (int x = v.Left; x < v.Right; ++x) out.SetPixel(x, y, ((x + y) & 1) ? c.ButtonHilight : c.Menu);
  Frame3D(out, box, c.ButtonShadow, c.ButtonHilight);
}

// The glyph centred in the column, its mask-coloured pixels left out,
// greyed when the item is disabled.
void DrawGlyph(fw::TBitmap& out, const TSkinData& skin, const MenuItemState& s, const fw::TRect& column) {
  const fw::TBitmap* glyph = s.glyph;
  fw::TBitmap greyed;
  if (!s.enabled) {
    greyed = *glyph;
    fw::GreyGlyph(greyed, s.glyph_mask);
    glyph = &greyed;
  }
  const int gw = glyph->Width(), gh = glyph->Height();
  const int x = column.Left + (column.Width() - gw) / 2, y = column.Top + (column.Height() - gh) / 2;
  if (s.checked) DrawCheckedBox(out, skin, fw::TRect{column.Left + 1, y - 2, column.Right - 1, y + gh + 2});
  const bool masked = s.glyph_mask != fw::clNone;
  DrawGrid(out, Bounds(out), {Segment{x, gw, 0, gw}}, {Segment{y, gh, 0, gh}}, *glyph, masked,
           s.glyph_mask & 0xFFFFFF);
}

// The background: what the popup shows behind the item, or the Menu
// colour.
void FillItemBackground(fw::TBitmap& out, const TSkinData& skin, const MenuItemState& s) {
  out.SetSize(s.width, s.height, skin.Colours().Menu);
  out.Transparent = false;
  if (s.background)
    DrawGrid(out, Bounds(out), {Segment{-int64_t(s.background_x), s.background->Width(), 0, s.background->Width()}},
             {Segment{-int64_t(s.background_y), s.background->Height(), 0, s.background->Height()}}, *s.background,
             false);
}

// A separator: the MenuItem object's second frame as a band along the
// item's bottom, or an etched line across the middle.
void PaintSeparator(fw::TBitmap& out, const TSkinData& skin, const MenuItemState& s) {
  if (const TDataSkinObject* item = MenuItemObject(skin)) {
    const int fh = item->Image.Height();
    DrawThreePartBand(out, fw::TRect{0, s.height - fh, s.width, s.height}, item->Image, item->Frames, 2,
                      Orientation::SideBySide, item->LeftWidth, item->RightWidth, true);
    return;
  }
  const int y = s.height / 2 - 1;
  FillRect(out, fw::TRect{1, y, s.width - 1, y + 1}, skin.Colours().ButtonShadow);
  FillRect(out, fw::TRect{1, y + 1, s.width - 1, y + 2}, skin.Colours().ButtonHilight);
}

fw::TColor CaptionColour(const TSkinData& skin, const MenuItemState& s) {
  if (!s.enabled) return fw::ColorToRGB(fw::clGrayText);
  if (s.selected && !MenuItemObject(skin)) return skin.Colours().HilightText;
  return skin.Colours().MenuText;
}

}  // namespace

int MenuItemWidth(const TSkinData& skin, int text_width, bool main_menu, bool has_images) {
  int64_t w = int64_t(std::max(text_width, 0)) + ContentLeft(skin) + (main_menu ? 10 : 12);
  if (!has_images) w += main_menu ? 25 : 23;
  return ClampToInt(w);
}

int MenuItemHeight(const TSkinData& skin, const fw::TFont& font, bool separator) {
  if (separator) return kSeparatorHeight;
  const int line = TextRenderer().Measure(L"Wg", font, fw::TRect{0, 0, 1000, 1000}, kTextSingleLine).Height();
  int h = std::max(line + 6, kMinItemHeight);
  // A frame whose margins do not fit would lose its corners.
  if (const TDataSkinObject* item = MenuItemObject(skin)) {
    const int64_t margins = int64_t(std::max(item->TopHeight, 0)) + std::max(item->BottomHeight, 0);
    h = std::max<int64_t>(h, std::min<int64_t>(margins, item->Image.Height()));
  }
  return h;
}

void PaintMenuItem(fw::TBitmap& out, const TSkinData& skin, const MenuItemState& s) {
  if (!SizeFits(s.width, s.height)) {
    out.SetSize(0, 0);
    return;
  }
  FillItemBackground(out, skin, s);
  if (s.separator) return PaintSeparator(out, skin, s);

  const TDataSkinObject* item = MenuItemObject(skin);
  if (item)
    Draw(out, 0, 0, NineSlice(*item, s.selected ? 4 : 1, Orientation::SideBySide, s.width, s.height),
         item->Trans == 1);
  else if (s.selected)
    FillRect(out, fw::TRect{0, 0, s.width, s.height}, skin.Colours().Hilight);

  // Laid out left to right, then mirrored for right-to-left menus.
  const int left = ContentLeft(skin);
  const int column_width = s.has_images ? kImageColumn : kCheckColumn;
  const auto place = [&](fw::TRect r) { return s.right_to_left ? Mirror(r, s.width) : r; };
  const fw::TRect column = place(fw::TRect{left, 0, left + column_width, s.height});
  if (s.glyph && !s.glyph->Empty())
    DrawGlyph(out, skin, s, column);
  else if (s.checked)
    DrawCheckMark(out, column, fw::ColorToRGB(s.enabled ? fw::clWindowText : fw::clGrayText));

  const fw::TRect text = place(fw::TRect{left + column_width + kTextGap, 0, s.width - kShortcutRight, s.height});
  const fw::TColor colour = CaptionColour(skin, s);
  const unsigned base = kTextSingleLine | kTextVCenter | (s.right_to_left ? unsigned(kTextRtlReading) : 0u);
  DrawCaptionText(out, s.caption, s.font, colour, text, base | (s.right_to_left ? kTextRight : kTextLeft));
  if (!s.shortcut.empty())
    DrawCaptionText(out, s.shortcut, s.font, colour, text,
                    base | kTextNoPrefix | (s.right_to_left ? kTextLeft : kTextRight));
}

fw::TBitmap RenderMenuBackground(const TSkinData& skin, int w, int h) {
  const TDataSkinObject* bg = skin.Object("MenuBackground");
  if (!bg || bg->Image.Empty() || !SizeFits(w, h)) return {};
  return NineSlice(bg->Image, 1, 1, Orientation::SideBySide, MarginsOf(*bg), bg->Tile == 1, w, h);
}

fw::TBitmap RenderMenuBarBackground(const TSkinData& skin, int w, int h, bool active) {
  fw::TBitmap out;
  if (!SizeFits(w, h)) return out;
  out.SetSize(w, h, skin.Colours().Menubar);
  const TDataSkinObject* bar = skin.MenuBar();
  if (!bar || bar->Image.Empty()) return out;
  const int n = active ? 1 : 2;
  const bool transparent = bar->Trans == 1;
  if (bar->Tile == 1)
    Draw(out, 0, 0, NineSlice(bar->Image, bar->Frames, n, Orientation::Stacked, MarginsOf(*bar), false, w, h),
         transparent);
  else
    DrawThreePartBand(out, fw::TRect{0, 0, w, h}, bar->Image, bar->Frames, n, Orientation::Stacked, bar->LeftWidth,
                      bar->RightWidth, transparent);
  return out;
}

void PaintMenuBarItem(fw::TBitmap& out, const TSkinData& skin, const fw::TBitmap& background,
                      const MenuBarItem& item, const fw::TFont& font) {
  const fw::TRect r = Tame(item.rect);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  CopyArea(out, background, r);
  if (item.state == 2 || item.state == 3) FrameRect(out, r, skin.Colours().ButtonHilight);
  fw::TFont regular = font;
  regular.Style = 0;
  DrawCaptionText(out, item.caption, regular, item.enabled ? skin.Colours().MenuBarText : DisabledTextColour(), r,
                  kTextCenter | kTextSingleLine | kTextVCenter);
}

void PaintMenuBar(fw::TBitmap& out, const TSkinData& skin, const fw::TBitmap& background,
                  const std::vector<MenuBarItem>& items, const fw::TFont& font) {
  out = background;
  for (const MenuBarItem& item : items) PaintMenuBarItem(out, skin, background, item, font);
}

}  // namespace skin::paint
