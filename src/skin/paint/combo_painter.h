// Drop-down combo boxes: the edge and the drop-down button from the skin's
// ComboButton and SunkEdge objects. The painter draws the frame; the inner
// rectangle it answers is where the control's own field shows, and the
// window layer leaves it out when it puts the bitmap on the screen.
#pragma once

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

struct ComboState {
  int width = 0, height = 0;
  bool pressed = false, focused = false, hot = false, enabled = true;
  // The button on the left (windows with a left scroll bar).
  bool left_scroll = false;
  // Width of the drop-down button: the system's horizontal scroll arrow
  // width + 2.
  int button_width = 0;
  // Width of the button area of ComboButton style 1: the system's
  // vertical scroll thumb height.
  int thumb_width = 0;
  // The control's own colour, which its field shows.
  fw::TColor field = fw::clWindow;
};

// Pressed 2, focused or hot 4, normal 1; disabled 3.
int ComboFrame(const ComboState& s);
// Whether the skin can paint combo boxes (ComboButton has an image).
bool CanPaintCombo(const TSkinData& skin);
// The whole control into out (width x height); answers the inner
// rectangle (empty when the skin cannot paint combo boxes). ComboButton
// style 2 is the whole control, edge and button; style 1 a plain frame
// with the button image in a field-coloured button area; otherwise the
// SunkEdge edge with the button image over the button strip.
fw::TRect PaintCombo(fw::TBitmap& out, const TSkinData& skin, const ComboState& s);

}  // namespace skin::paint
