// What the control painters share: the bitmap a control is composed in,
// started on the parent's background or the skin's form colour, and the
// colour of disabled text.
#pragma once

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

// Sizes out to w x h (a size below 1 counts as 0) and fills it: with the
// parent's background when one is given (its top-left pixel at the
// control's top-left, the rest in the form colour), else with the skin's
// form colour (its ButtonFace colour).
void StartControlBitmap(fw::TBitmap& out, const TSkinData& skin, int w, int h,
                        const fw::TBitmap* background = nullptr);

// Disabled captions are drawn in the system's button shadow colour.
fw::TColor DisabledTextColour();

}  // namespace skin::paint
