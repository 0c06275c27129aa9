// Edit boxes keep the system's painting inside and get a skinned border: a
// line in the skin's ButtonShadow colour with two white lines inside it.
#pragma once

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

struct EditState {
  int width = 0, height = 0;               // the window
  int client_width = 0, client_height = 0;  // its client area
};

// A window has a border when its client area is smaller than the window
// in both directions; only such edits get the frame.
bool EditHasBorder(const EditState& s);
// The frame into out (width x height); answers the inner rectangle the
// window layer leaves out, empty (and out untouched) without a border.
fw::TRect PaintEditFrame(fw::TBitmap& out, const TSkinData& skin, const EditState& s);

}  // namespace skin::paint
