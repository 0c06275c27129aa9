#include "skin/paint/status_bar_painter.h"

#include "skin/paint/control_canvas.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin::paint {
namespace {

bool IsSimple(const StatusBarState& s) { return s.simple || s.panels.empty(); }

unsigned AlignmentFlags(const StatusPanelState& p) {
  switch (p.alignment) {
    case PanelAlignment::Center: return kTextCenter;
    case PanelAlignment::Right: return p.right_to_left ? kTextLeft : kTextRight;
    case PanelAlignment::Left: break;
  }
  return p.right_to_left ? kTextRight : kTextLeft;
}

void PaintPanel(fw::TBitmap& out, const TSkinData& skin, const StatusPanelState& p, const fw::TRect& r,
                const fw::TFont& font, fw::TColor colour) {
  const TDataSkinObject* edges = skin.Object("StatusBarEdges");
  if (edges && !edges->Image.Empty()) {
    Draw(out, r.Left, r.Top, NineSlice(*edges, PanelFrame(p.bevel), Orientation::SideBySide, r.Width(), r.Height()),
         edges->Trans == 1);
  } else if (p.bevel != PanelBevel::None) {
    const fw::TColor shadow = fw::ColorToRGB(fw::clBtnShadow), light = fw::ColorToRGB(fw::clBtnHighlight);
    const bool lowered = p.bevel == PanelBevel::Lowered;
    Frame3D(out, r, lowered ? shadow : light, lowered ? light : shadow);
  }
  if (p.owner_draw) return;
  unsigned flags = AlignmentFlags(p) | kTextSingleLine | kTextVCenter | kTextNoPrefix;
  if (p.right_to_left) flags |= kTextRtlReading;
  DrawCaptionText(out, p.text.empty() ? L" " : p.text, font, colour, fw::TRect{r.Left + 2, r.Top, r.Right - 2, r.Bottom},
                  flags);
}

}  // namespace

int PanelFrame(PanelBevel bevel) {
  switch (bevel) {
    case PanelBevel::Raised: return 2;
    case PanelBevel::None: return 3;
    case PanelBevel::Lowered: break;
  }
  return 1;
}

std::vector<fw::TRect> StatusPanelRects(const StatusBarState& s) {
  if (IsSimple(s)) return {fw::TRect{0, 0, s.width, s.height}};
  std::vector<fw::TRect> rects;
  for (const StatusPanelState& p : s.panels) rects.push_back(fw::TRect{p.rect.Left, p.rect.Top, p.rect.Right + 2, p.rect.Bottom});
  rects.back().Right = s.width;
  return rects;
}

void PaintStatusBar(fw::TBitmap& out, const TSkinData& skin, const StatusBarState& s) {
  StartControlBitmap(out, skin, s.width, s.height);
  fw::TFont font = s.font;
  font.Style = 0;
  const TDataSkinObject* edges = skin.Object("StatusBarEdges");
  const fw::TColor colour = edges ? edges->NormalColour2 : fw::ColorToRGB(font.Color);

  const std::vector<fw::TRect> rects = StatusPanelRects(s);
  if (IsSimple(s)) {
    StatusPanelState simple;
    simple.text = s.simple_text;
    simple.right_to_left = s.right_to_left;
    PaintPanel(out, skin, simple, rects[0], font, colour);
  } else {
    for (size_t i = 0; i < rects.size(); ++i) PaintPanel(out, skin, s.panels[i], rects[i], font, colour);
  }

  const TDataSkinObject* extra = skin.Object("ExtraImages");
  if (s.size_grip && extra && !extra->Image.Empty()) {
    const int gw = extra->FrameWidth(), gh = extra->Image.Height();
    DrawFrameStrip(out, fw::TRect{s.width - 1 - gw, s.height - 1 - gh, s.width - 1, s.height - 1}, extra->Image,
                   extra->Frames, 5, true);
  }
}

}  // namespace skin::paint
