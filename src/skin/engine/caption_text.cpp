#include "skin/engine/caption_text.h"

#include <algorithm>

#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin {

namespace {
bool g_active = true;
int g_alpha = 0;
}  // namespace

bool CaptionExtrasActive() { return g_active; }
void SetCaptionExtrasActive(bool active) { g_active = active; }
int CaptionAlpha() { return g_alpha; }
void SetCaptionAlpha(int alpha) { g_alpha = alpha; }

bool PlaceCaptionText(const TSkinData& skin, const CaptionTextInput& in, paint::CaptionText& out) {
  if (in.text.empty() || in.width <= 0 || in.height <= 0) return false;
  const TDataSkinTitle* t = skin.Title();
  const int shift = t ? std::max(t->LeftWidth, 0) : 4;
  const int shift_vert = t ? t->TopHeight : 0;
  const int right_clip = t ? std::max(t->RightWidth, 0) : 0;
  const int alignment = t ? t->TextAlignment : 0;

  fw::TRect r{shift, shift_vert, std::min(in.width - right_clip, in.limit), in.height + shift_vert};
  if (r.Right - r.Left < 8) return false;

  const TSkinColours& c = skin.Colours();
  fw::TColor colour = in.active ? c.TitleTextActive : c.TitleTextNoActive;
  if (t) {
    const fw::TColor own = in.active ? t->ActiveText : t->InActiveText;
    if (own != fw::clNone) colour = own;
  }

  unsigned flags = paint::kTextSingleLine | paint::kTextVCenter | paint::kTextNoPrefix | paint::kTextEndEllipsis;
  int align = alignment;
  if (in.right_to_left) {
    flags |= paint::kTextRtlReading;
    if (align == 0) align = 1;
    else if (align == 1) align = 0;
  }
  if (align == 1) flags |= paint::kTextRight;
  else if (align == 2) flags |= paint::kTextCenter;

  out = paint::CaptionText{};
  out.text = in.text;
  out.font = skin.CaptionFont();
  out.colour = colour;
  out.rect = r;
  out.flags = flags;
  if (t && t->Textbackground == 1 && !t->Image.Empty()) {
    // The back image spans the text's own width and the caption's height.
    const fw::TRect box = paint::TextRenderer().Measure(in.text, out.font, r, flags & ~paint::kTextEndEllipsis);
    int left = r.Left, width = std::min(box.Width(), r.Width());
    if (align == 1) left = r.Right - width;
    else if (align == 2) left = r.Left + (r.Width() - width) / 2;
    out.back = &t->Image;
    out.back_rect = {left - t->TXTBackleft, 0, left + width + t->TXTBackRight, in.height};
  }
  return true;
}

}  // namespace skin
