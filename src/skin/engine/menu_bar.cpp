#include "skin/engine/menu_bar.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace skin {
namespace {

// Where the first item begins, measured from the bar's leading edge. The
// margins come from the skin: negative ones count as 0, and a start beyond
// the bar falls back to a fixed one.
int64_t LeadingStart(const MenuBarGeometry& g) {
  int64_t start = 6;
  if (g.has_bar_object)
    start = g.right_to_left ? int64_t(std::max(g.bar_right_margin, 0)) + 8 : int64_t(std::max(g.bar_left_margin, 0)) + 4;
  if (g.width < start) start = 12;
  return start;
}

int64_t ItemWidth(const MenuBarEntry& e) {
  const int64_t w = std::max(e.caption_width, 0);
  return e.empty_caption ? w : w + 10;
}

int ToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The next visible item from current in steps of step (+1 or -1), going
// round the ends; -1 when no other item is visible.
int NextVisible(int current, int step, const std::vector<MenuBarEntry>& items) {
  const int n = int(items.size());
  for (int i = 1; i < n; ++i) {
    const int k = ((current + step * i) % n + n) % n;
    if (items[size_t(k)].visible) return k;
  }
  return -1;
}

}  // namespace

std::vector<fw::TRect> LayoutMenuBar(const MenuBarGeometry& g, const std::vector<MenuBarEntry>& items) {
  std::vector<fw::TRect> rects;
  rects.reserve(items.size());
  const int bottom = std::max(g.height - 1, 0);
  const int64_t start = LeadingStart(g);
  // x runs from the leading edge: rightwards, or leftwards from the bar's
  // right end for right-to-left menus.
  int64_t x = g.right_to_left ? int64_t(g.width) - start : start;
  for (const MenuBarEntry& e : items) {
    if (!e.visible) {
      rects.push_back(fw::TRect{});
      continue;
    }
    const int64_t w = ItemWidth(e);
    const int64_t left = g.right_to_left ? x - w : x;
    rects.push_back(fw::TRect{ToInt(left), 0, ToInt(left + w), bottom});
    x = g.right_to_left ? left : left + w;
  }
  return rects;
}

int MenuBarItemAt(const std::vector<fw::TRect>& rects, const std::vector<MenuBarEntry>& items, int x, int y) {
  const size_t n = std::min(rects.size(), items.size());
  for (size_t i = 0; i < n; ++i) {
    const fw::TRect& r = rects[i];
    if (!items[i].empty_caption && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return int(i);
  }
  return -1;
}

int MenuLoopSwitch(const MenuLoopKey& k, int current, const std::vector<MenuBarEntry>& items) {
  if (current < 0 || size_t(current) >= items.size()) return -1;
  const bool left = k.right_to_left ? k.right : k.left;
  const bool right = k.right_to_left ? k.left : k.right;
  if (left && k.in_top_drop_down) return NextVisible(current, -1, items);
  if (right && !k.selected_has_sub_items) return NextVisible(current, +1, items);
  return -1;
}

}  // namespace skin
