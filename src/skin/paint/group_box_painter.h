// Group boxes: a rounded frame in the skin's ButtonShadow colour on the
// form colour, the caption on the form colour over the frame's top line.
// The caller then paints the box's labels and shapes on the same bitmap
// (TSkinCanvas).
#pragma once

#include <string>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

struct GroupBoxState {
  int width = 0, height = 0;
  // The window text, or the control's "Caption" when that is empty.
  std::wstring caption;
  fw::TFont font;  // its colour is the caption's
  // The caption at the right (WS_EX_RIGHT).
  bool right_aligned = false;
  bool right_to_left = false;
};

// Where the caption goes: 8 pixels in from the left (or, right-aligned,
// from the right), at the top, as wide and high as the text.
fw::TRect GroupBoxCaptionRect(const GroupBoxState& s);
// The whole box into out (width x height). The form colour fills it all,
// so a system frame underneath is covered as well.
void PaintGroupBox(fw::TBitmap& out, const TSkinData& skin, const GroupBoxState& s);

}  // namespace skin::paint
