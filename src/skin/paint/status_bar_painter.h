// Status bars: one panel over the whole bar (a simple bar) or one per
// panel, each framed by its bevel from the skin's StatusBarEdges strip (or
// with plain 3D lines without it), its text 2 pixels in, and the size grip
// from ExtraImages in the bottom-right corner. The caller then paints the
// bar's graphic children (the window's lamps) on the same bitmap.
#pragma once

#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

enum class PanelBevel { Lowered, Raised, None };
enum class PanelAlignment { Left, Right, Center };

struct StatusPanelState {
  fw::TRect rect;  // as the bar reports it (SB_GETRECT)
  std::wstring text;
  PanelBevel bevel = PanelBevel::Lowered;
  PanelAlignment alignment = PanelAlignment::Left;
  bool right_to_left = false;  // left and right alignment swap
  bool owner_draw = false;     // the application draws the text
};

struct StatusBarState {
  int width = 0, height = 0;
  // A simple bar (SimplePanel, or no panels) shows simple_text in one
  // panel over the whole bar.
  bool simple = false;
  std::wstring simple_text;
  bool right_to_left = false;
  bool size_grip = false;  // SBARS_SIZEGRIP
  fw::TFont font;          // drawn in regular style
  std::vector<StatusPanelState> panels;
};

// The frame of the StatusBarEdges strip: lowered 1, raised 2, none 3.
int PanelFrame(PanelBevel bevel);
// The rectangles the panels are drawn in: each widened by 2 pixels to the
// right, the last reaching the bar's right edge; one over the whole bar
// for a simple bar.
std::vector<fw::TRect> StatusPanelRects(const StatusBarState& s);
// The whole bar into out (width x height).
void PaintStatusBar(fw::TBitmap& out, const TSkinData& skin, const StatusBarState& s);

}  // namespace skin::paint
