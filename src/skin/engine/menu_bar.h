// The skinned menu bar's geometry and the keyboard and mouse rules of its
// drop-downs, as plain functions.
#pragma once

#include <string>
#include <vector>

#include "framework/graphics.h"

namespace skin {

struct MenuBarEntry {
  int caption_width = 0;  // the caption's width in the menu font
  bool visible = true;
  bool empty_caption = false;
};

struct MenuBarGeometry {
  int width = 0;              // the bar's width (W - L - R)
  int height = 0;             // M
  bool has_bar_object = false;
  int bar_left_margin = 0;    // the menu bar object's left margin
  int bar_right_margin = 0;   // and right margin
  bool right_to_left = false;
};

// Item rectangles in bar coordinates: items start at the bar object's left
// margin + 4 (right-to-left: from the right, at its right margin + 8), or 6
// without a bar object, and at 12 when the bar is narrower than that start;
// each visible item is as wide as its caption + 10 (an empty caption: its
// measured width unchanged), from the bar's top to one pixel above its
// bottom; an invisible item gets an empty rectangle.
std::vector<fw::TRect> LayoutMenuBar(const MenuBarGeometry& g, const std::vector<MenuBarEntry>& items);
// The first item whose rectangle holds the point and whose caption is not
// empty; -1 for none.
int MenuBarItemAt(const std::vector<fw::TRect>& rects, const std::vector<MenuBarEntry>& items, int x, int y);

// What the menu loop does with a key while a drop-down of the bar is open.
struct MenuLoopKey {
  bool left = false, right = false;     // the arrow pressed (before any swap)
  bool right_to_left = false;           // the menu reads right to left: arrows swap
  bool in_top_drop_down = false;        // the open menu is the bar item's own drop-down
  bool selected_has_sub_items = false;  // the selected item opens a submenu
};
// The bar item to open instead of the current one, or -1 to let the menu
// handle the key: Left in the top drop-down opens the previous visible item
// (wrapping to the last), Right on an item without sub-items the next
// (wrapping to the first).
int MenuLoopSwitch(const MenuLoopKey& k, int current, const std::vector<MenuBarEntry>& items);

}  // namespace skin
