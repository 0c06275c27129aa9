// The skinned menu bar: item rectangles, the item under a point, and the
// arrow keys that move a drop-down along the bar.
#include <gtest/gtest.h>

#include <climits>

#include "skin/engine/menu_bar.h"

namespace {

using namespace skin;

MenuBarEntry Entry(int w, bool visible = true, bool empty = false) { return MenuBarEntry{w, visible, empty}; }

TEST(MenuBarLayout, ItemsFollowOneAnotherFromTheStart) {
  const std::vector<MenuBarEntry> items{Entry(30), Entry(20, false), Entry(4, true, true), Entry(40)};
  struct Case {
    const char* what;
    MenuBarGeometry g;
    std::vector<fw::TRect> rects;
  } cases[] = {
      {"bar object: its left margin + 4",
       {300, 20, true, 2, 9, false},
       {{6, 0, 46, 19}, {}, {46, 0, 50, 19}, {50, 0, 100, 19}}},
      {"no bar object: 6",
       {300, 20, false, 50, 50, false},
       {{6, 0, 46, 19}, {}, {46, 0, 50, 19}, {50, 0, 100, 19}}},
      {"wide left margin",
       {300, 20, true, 20, 0, false},
       {{24, 0, 64, 19}, {}, {64, 0, 68, 19}, {68, 0, 118, 19}}},
      {"right to left: its right margin + 8 from the right",
       {300, 20, true, 2, 9, true},
       {{243, 0, 283, 19}, {}, {239, 0, 243, 19}, {189, 0, 239, 19}}},
      {"right to left without bar object",
       {300, 20, false, 0, 0, true},
       {{254, 0, 294, 19}, {}, {250, 0, 254, 19}, {200, 0, 250, 19}}},
      {"bar narrower than the start: 12",
       {10, 20, true, 20, 0, false},
       {{12, 0, 52, 19}, {}, {52, 0, 56, 19}, {56, 0, 106, 19}}},
      {"negative margins count as 0",
       {300, 20, true, -100, -100, false},
       {{4, 0, 44, 19}, {}, {44, 0, 48, 19}, {48, 0, 98, 19}}},
      {"huge margin: beyond the bar",
       {300, 20, true, INT_MAX, INT_MAX, true},
       {{248, 0, 288, 19}, {}, {244, 0, 248, 19}, {194, 0, 244, 19}}},
      {"no height", {300, 0, false, 0, 0, false}, {{6, 0, 46, 0}, {}, {46, 0, 50, 0}, {50, 0, 100, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(LayoutMenuBar(c.g, items), c.rects) << c.what;
  EXPECT_TRUE(LayoutMenuBar(MenuBarGeometry{300, 20}, {}).empty());
  // Widths from a broken measure stay within int.
  const auto far = LayoutMenuBar(MenuBarGeometry{300, 20}, {Entry(INT_MAX), Entry(INT_MAX), Entry(-9)});
  EXPECT_EQ(far[1].Right, INT_MAX);
  for (const fw::TRect& r : far) EXPECT_GE(r.Right, r.Left);
}

TEST(MenuBarLayout, ItemAtSkipsEmptyCaptionsAndMisses) {
  const std::vector<MenuBarEntry> items{Entry(30), Entry(20, false), Entry(4, true, true), Entry(40)};
  const auto rects = LayoutMenuBar(MenuBarGeometry{300, 20}, items);
  struct Case {
    int x, y, item;
  } cases[] = {{6, 0, 0},    {45, 18, 0}, {46, 5, -1} /* empty caption */, {50, 5, 3}, {99, 18, 3},
               {100, 5, -1}, {5, 5, -1},  {20, 19, -1},                       {20, -1, -1}, {0, 0, -1}};
  for (const Case& c : cases) EXPECT_EQ(MenuBarItemAt(rects, items, c.x, c.y), c.item) << c.x << "," << c.y;
  // Fewer entries than rectangles: only those that have both count.
  EXPECT_EQ(MenuBarItemAt(rects, {Entry(30)}, 60, 5), -1);
  EXPECT_EQ(MenuBarItemAt({}, items, 6, 0), -1);
}

TEST(MenuLoopSwitch, ArrowsMoveAlongVisibleItemsAndWrap) {
  const std::vector<MenuBarEntry> items{Entry(30), Entry(20, false), Entry(4), Entry(40)};
  auto key = [](bool left, bool right, bool rtl, bool top, bool sub) { return MenuLoopKey{left, right, rtl, top, sub}; };
  struct Case {
    const char* what;
    MenuLoopKey k;
    int current, next;
  } cases[] = {
      {"left to the previous visible", key(true, false, false, true, false), 2, 0},
      {"left from the first wraps to the last", key(true, false, false, true, false), 0, 3},
      {"left inside a submenu: the menu's own", key(true, false, false, false, false), 2, -1},
      {"left on an item with sub-items still switches", key(true, false, false, true, true), 2, 0},
      {"right skips the invisible", key(false, true, false, true, false), 0, 2},
      {"right from the last wraps to the first", key(false, true, false, true, false), 3, 0},
      {"right in a submenu on a plain item switches", key(false, true, false, false, false), 3, 0},
      {"right on an item with sub-items opens it", key(false, true, false, true, true), 0, -1},
      {"right to left: Left acts as Right", key(true, false, true, true, false), 0, 2},
      {"right to left: Right acts as Left", key(false, true, true, true, false), 0, 3},
      {"right to left: Left on sub-items", key(true, false, true, true, true), 0, -1},
      {"no arrow", key(false, false, false, true, false), 0, -1},
      {"no current item", key(false, true, false, true, false), -1, -1},
      {"current out of range", key(false, true, false, true, false), 4, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(MenuLoopSwitch(c.k, c.current, items), c.next) << c.what;

  // A single visible item has nowhere to go.
  const std::vector<MenuBarEntry> lone{Entry(10, false), Entry(30), Entry(10, false)};
  EXPECT_EQ(MenuLoopSwitch(key(false, true, false, true, false), 1, lone), -1);
  EXPECT_EQ(MenuLoopSwitch(key(true, false, false, true, false), 1, lone), -1);
}

}  // namespace
