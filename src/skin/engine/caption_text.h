// The title text in a skinned caption: whether it is drawn (the caption
// extras' process-wide switch) and where, in which colour and font, from
// the skin's title settings.
#pragma once

#include <string>

#include "skin/paint/frame_painter.h"

class TSkinData;

namespace skin {

// The caption extras' switch, shared by every TSkinCaption: on until one
// turns it off.
bool CaptionExtrasActive();
void SetCaptionExtrasActive(bool active);
// The caption extras' alpha value.
int CaptionAlpha();
void SetCaptionAlpha(int alpha);

struct CaptionTextInput {
  std::wstring text;
  int width = 0;           // window width W
  int height = 0;          // caption height T
  bool active = true;
  // The text ends before this x (the left edge of the right-hand caption
  // buttons); the window width when there are none.
  int limit = 0;
  bool right_to_left = false;
};

// The title as drawn in the caption strip: shifted by the title's text
// shift (horizontally and vertically), cut by its right clip and by limit,
// aligned as the title says (0 left, 1 right, 2 centred), single line with
// an ellipsis when it does not fit, in the active or inactive title colour
// (the title's own colours first, then the colour table's), and the title's
// text back image behind it when it asks for one. False when there is
// nothing to draw.
bool PlaceCaptionText(const TSkinData& skin, const CaptionTextInput& in, paint::CaptionText& out);

}  // namespace skin
