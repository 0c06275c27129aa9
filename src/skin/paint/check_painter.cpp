#include "skin/paint/check_painter.h"

#include <algorithm>

#include "skin/paint/control_canvas.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"
#include "text/ascii.h"

namespace skin::paint {
namespace {

// A "State" text: the first of the words that it holds, in this order.
int FrameOfStateText(const std::string& state) {
  const std::string s = text::Lower(state);
  if (s.find("uncheck") != std::string::npos) return 1;
  if (s.find("check") != std::string::npos) return 2;
  if (s.find("gray") != std::string::npos) return 4;
  return 1;
}

int CheckBoxFrame(const CheckState& s, int frames) {
  bool indeterminate = false;
  int n;
  if (s.data_binding) {
    n = 1;
  } else if (s.data_field_check) {
    n = std::clamp(*s.data_field_check, 0, 2) + 1;
    if (n == 3) n = 4;
  } else if (s.state) {
    n = FrameOfStateText(*s.state);
  } else if (s.checked) {
    n = text::Lower(*s.checked) == "true" ? 2 : 1;
  } else {
    n = (s.button_state & kButtonChecked) ? 2 : 1;
    indeterminate = (s.button_state & kButtonIndeterminate) != 0;
  }
  if (!s.enabled) n += 2;
  if (indeterminate) n = 4;
  if (frames == 12) {
    if (indeterminate) return s.enabled ? 9 : 12;
    if (n == 2) return 5;
    if (n == 3) return 4;
    if (n == 4) return 8;
  }
  return n;
}

int RadioFrame(const CheckState& s, int frames) {
  const bool checked = s.checked ? text::Lower(*s.checked) == "true" : (s.button_state & kButtonChecked) != 0;
  int n = checked ? 2 : 1;
  if (!s.enabled) n += 2;
  if (frames == 8) {
    if (n == 2) return 5;
    if (n == 3) return 4;
    if (n == 4) return 8;
  }
  return n;
}

}  // namespace

int CheckFrame(const CheckState& s, int frames) { return s.radio ? RadioFrame(s, frames) : CheckBoxFrame(s, frames); }

bool CanPaintCheck(const TSkinData& skin, bool radio) {
  const TDataSkinButton* b = skin.Buttons();
  return b && !(radio ? b->RadioImage : b->CheckImage).Empty();
}

void PaintCheck(fw::TBitmap& out, const TSkinData& skin, const CheckState& s) {
  if (!CanPaintCheck(skin, s.radio)) return;
  const TDataSkinButton& b = *skin.Buttons();
  const fw::TBitmap& strip = s.radio ? b.RadioImage : b.CheckImage;
  const int frames = std::max(1, s.radio ? b.RadioFrames : b.CheckFrames);
  StartControlBitmap(out, skin, s.width, s.height, s.background);

  const int gw = strip.Width() / frames;
  const int gx = s.left_text ? s.width - gw : 0;
  DrawCentredFrame(out, fw::TRect{gx, 0, gx + gw, s.height}, strip, frames, CheckFrame(s, frames), true);

  unsigned flags = kTextSingleLine | kTextVCenter;
  fw::TRect text{gw + 2, 0, s.width, s.height};
  if (s.left_text) {
    text = fw::TRect{0, 0, s.width - gw - 2, s.height};
    flags |= kTextRight;
    if (s.right_to_left) flags |= kTextRtlReading;
  }
  const fw::TColor colour = s.enabled ? fw::ColorToRGB(s.font.Color) : DisabledTextColour();
  const fw::TRect box = DrawCaptionText(out, s.caption, s.font, colour, text, flags);
  if (s.focused && !s.caption.empty())
    DrawFocusRect(out, fw::TRect{box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1});
}

}  // namespace skin::paint
