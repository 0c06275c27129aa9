#include "skin/paint/button_painter.h"

#include "skin/paint/control_canvas.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin::paint {

int ButtonFrame(const ButtonState& s) {
  if (!s.enabled) return 3;
  if (s.pressed) return 2;
  if (s.hot) return 4;
  if (s.focused) return 5;
  return 1;
}

bool CanPaintButton(const TSkinData& skin) { return skin.Buttons() && !skin.Buttons()->Image.Empty(); }

std::wstring ButtonCaption(const std::wstring& caption) {
  std::wstring text = caption;
  const size_t at = text.find(L"||");
  if (at != std::wstring::npos) text.replace(at, 2, L"\r\n");
  return text;
}

fw::TColor ButtonTextColour(const TSkinData& skin, const ButtonState& s) {
  const TDataSkinButton* b = skin.Buttons();
  switch (ButtonFrame(s)) {
    case 3: return DisabledTextColour();
    case 1: if (b && b->HasNormalColour2) return b->NormalColour2; break;
    case 4: if (b && b->HasMouseOverColour2) return b->MouseOverColour2; break;
    case 2: if (b && b->HasPressedColour2) return b->PressedColour2; break;
  }
  return fw::ColorToRGB(s.font.Color);
}

void PaintButton(fw::TBitmap& out, const TSkinData& skin, const ButtonState& s) {
  if (!CanPaintButton(skin)) return;
  const TDataSkinButton& b = *skin.Buttons();
  StartControlBitmap(out, skin, s.width, s.height, s.background);
  Draw(out, 0, 0, NineSlice(b, ButtonFrame(s), Orientation::SideBySide, s.width, s.height), b.Trans == 1);

  unsigned flags = kTextCenter | kTextWordBreak | kTextExpandTabs | kTextNoClip;
  if (s.right_to_left) flags |= kTextRtlReading;
  const fw::TRect text = DrawCaptionText(out, ButtonCaption(s.caption), s.font, ButtonTextColour(skin, s),
                                         fw::TRect{2, 2, s.width - 2, s.height - 2}, flags);
  if (s.focused && !skin.Options.Contains(xoNoFocusRect))
    DrawFocusRect(out, fw::TRect{text.Left - 2, text.Top - 2, text.Right + 2, text.Bottom + 2});
}

}  // namespace skin::paint
