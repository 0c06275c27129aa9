// Push buttons from the skin's Buttons strip: five frames (normal,
// pressed, disabled, hot, focused) drawn as a nine-slice over the whole
// button, and the caption centred and word-wrapped over it.
#pragma once

#include <string>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

struct ButtonState {
  int width = 0, height = 0;
  bool pressed = false, hot = false, focused = false, enabled = true;
  // The caption as the control holds it (its "Caption", or the window
  // text of a foreign button).
  std::wstring caption;
  // The caption font; its colour is the text colour unless the skin gives
  // one for the state.
  fw::TFont font;
  bool right_to_left = false;
  // What the parent shows behind the button, when the button lets it
  // through (transparent mode); otherwise the form colour is behind it.
  const fw::TBitmap* background = nullptr;
};

// The frame of the Buttons strip: disabled 3, else pressed 2, hot 4,
// focused 5, or 1.
int ButtonFrame(const ButtonState& s);
// Whether the skin can paint push buttons (its Buttons object has an
// image); otherwise buttons keep the system look.
bool CanPaintButton(const TSkinData& skin);
// The caption as drawn: the first "||" becomes a line break.
std::wstring ButtonCaption(const std::wstring& caption);
// The text colour: the skin's colour for normal (1), hot (4) and pressed
// (2) when it gives one, the system button shadow colour when disabled,
// else the font's colour.
fw::TColor ButtonTextColour(const TSkinData& skin, const ButtonState& s);

// The whole button into out (width x height). Nothing when the skin cannot
// paint buttons.
void PaintButton(fw::TBitmap& out, const TSkinData& skin, const ButtonState& s);

}  // namespace skin::paint
