#include "skin/paint/group_box_painter.h"

#include "skin/paint/control_canvas.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin::paint {
namespace {

unsigned CaptionFlags(const GroupBoxState& s) {
  return kTextSingleLine | (s.right_to_left ? kTextRtlReading : 0u);
}

}  // namespace

fw::TRect GroupBoxCaptionRect(const GroupBoxState& s) {
  if (s.caption.empty()) return {};
  const fw::TRect m = TextRenderer().Measure(s.caption, s.font, fw::TRect{0, 0, s.width, s.height}, CaptionFlags(s));
  const int left = s.right_aligned ? s.width - 8 - m.Width() : 8;
  return fw::TRect{left, 0, left + m.Width(), m.Height()};
}

void PaintGroupBox(fw::TBitmap& out, const TSkinData& skin, const GroupBoxState& s) {
  StartControlBitmap(out, skin, s.width, s.height);
  // The frame's top line runs through the middle of the caption's line.
  const int half = TextRenderer().Measure(L"0", s.font, fw::TRect{}, kTextSingleLine).Height() / 2;
  RoundRectFrame(out, fw::TRect{1, half, s.width - 1, s.height - 1}, 5, 5, skin.Colours().ButtonShadow);
  const fw::TRect caption = GroupBoxCaptionRect(s);
  if (caption.Width() <= 0) return;
  FillRect(out, caption, skin.Colours().ButtonFace);
  TextRenderer().Draw(out, s.caption, s.font, fw::ColorToRGB(s.font.Color), caption, CaptionFlags(s));
}

}  // namespace skin::paint
