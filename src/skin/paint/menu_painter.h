// Menu items painted from the skin: the MenuItem strip (frame 1 normal,
// frame 4 selected) over the popup's own background, separators, glyphs
// and check marks, the caption and the shortcut text; and the skinned menu
// bar with its items. Without the skin's menu objects the flat menu
// colours serve.
#pragma once

#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

// The width an owner-drawn item asks for, from the width of its text (the
// caption and shortcut as the framework measured them). A main-menu item
// adds the MenuItem left margin + 10, and 25 more without an image list;
// a popup-menu (or system-menu) item adds the MenuItem left margin (when the
// skin has that object) + 12, and 23 more without an image list.
int MenuItemWidth(const TSkinData& skin, int text_width, bool main_menu, bool has_images);
// The height of an item: a separator's, or a text line's in the font.
int MenuItemHeight(const TSkinData& skin, const fw::TFont& font, bool separator);

struct MenuItemState {
  int width = 0, height = 0;
  std::wstring caption;   // "&" marks the accelerator (drawn underlined)
  std::wstring shortcut;  // the shortcut's text form, drawn at the right
  bool separator = false;
  bool enabled = true;
  bool selected = false;
  bool checked = false;
  // The item's glyph (from the menu's image list), or null.
  const fw::TBitmap* glyph = nullptr;
  fw::TColor glyph_mask = 0xFF00FF;  // pixels of this colour are not drawn
  bool has_images = false;            // the menu has an image list: a glyph column
  fw::TFont font;
  // What the popup window shows behind the item: its rendered background
  // and where the item's top-left corner lies on it (null: the Menu colour).
  const fw::TBitmap* background = nullptr;
  int background_x = 0, background_y = 0;
  bool right_to_left = false;
};

// The whole item into out (width x height).
void PaintMenuItem(fw::TBitmap& out, const TSkinData& skin, const MenuItemState& s);

// The rendered background of a popup-menu window of w x h: the
// MenuBackground image (one frame) as a nine-slice with its margins and
// tile setting; empty when the skin has none.
fw::TBitmap RenderMenuBackground(const TSkinData& skin, int w, int h);

struct MenuBarItem {
  fw::TRect rect;  // in bar coordinates; empty for an invisible item
  std::wstring caption;
  bool enabled = true;
  int state = 1;  // 1 normal, 2 pressed, 3 hot
};

// The bar's background (w x h): the menu bar object's image (2 frames
// stacked; frame 1 active, 2 inactive) as a nine-slice with stretched
// middle when its Tile is 1, otherwise as a three-part band with repeated
// middle; the Menubar colour without the object.
fw::TBitmap RenderMenuBarBackground(const TSkinData& skin, int w, int h, bool active);
// The bar: its background, then every item (a 1-pixel ButtonHilight frame
// around a hot or pressed item, the caption centred in the menu font,
// MenuBarText when enabled, the system button shadow colour when not).
void PaintMenuBar(fw::TBitmap& out, const TSkinData& skin, const fw::TBitmap& background,
                  const std::vector<MenuBarItem>& items, const fw::TFont& font);
// One item over the saved background (for a state change).
void PaintMenuBarItem(fw::TBitmap& out, const TSkinData& skin, const fw::TBitmap& background,
                      const MenuBarItem& item, const fw::TFont& font);

}  // namespace skin::paint
