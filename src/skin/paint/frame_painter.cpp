#include "skin/paint/frame_painter.h"

#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin::paint {
namespace {

const TDataSkinBorder* BorderObject(const TSkinData& skin, BorderPart part) {
  switch (part) {
    case kPartLeft: return skin.Left();
    case kPartRight: return skin.Right();
    case kPartCaption: return skin.Top();
    case kPartBottom: return skin.Bottom();
  }
  return nullptr;
}

bool HasImage(const TDataSkinBorder* b) { return b && !b->Image.Empty(); }
bool IsTransparent(const TDataSkinBorder* b) { return HasImage(b) && b->Trans == 1; }

}  // namespace

int BorderFrame(int frames, bool active) { return active || frames <= 1 ? 1 : 2; }

fw::TBitmap RenderBorderPart(const TSkinData& skin, BorderPart part, int w, int h, bool active) {
  const TDataSkinBorder* b = BorderObject(skin, part);
  if (!HasImage(b)) return {};
  const Orientation o = part == kPartLeft || part == kPartRight ? Orientation::SideBySide : Orientation::Stacked;
  // A border's Tile is its Stretch setting: 1 stretches the middle.
  return NineSlice(b->Image, b->Frames, BorderFrame(b->Frames, active), o, MarginsOf(*b), b->Tile != 1, w, h);
}

void PaintCaption(fw::TBitmap& strip, const TSkinData& skin, const CaptionPaint& paint) {
  const TDataSkinBorder* top = skin.Top();
  fw::TRect part{paint.left, 0, paint.width - paint.right, paint.height};
  if (paint.minimized) {
    FillRect(strip, fw::TRect{0, 0, strip.Width(), strip.Height()}, skin.Colours().ButtonFace);
    part = fw::TRect{0, 0, paint.width, paint.height};
  }
  // Magenta corners of a transparent caption keep what lies under them.
  Draw(strip, part.Left, part.Top,
       RenderBorderPart(skin, kPartCaption, part.Width(), part.Height(), paint.active), IsTransparent(top));

  for (const CaptionButton& b : paint.buttons) {
    if (b.is_icon && paint.icon && !paint.icon->Empty())
      StretchDraw(strip, b.rect, *paint.icon, true);
    else if (b.def)
      DrawFrameStrip(strip, b.rect, b.def->Image, b.def->Frames, b.frame, true);
  }

  for (const CaptionText& t : paint.texts) {
    if (t.back) StretchDraw(strip, t.back_rect, *t.back, true);
    DrawCaptionText(strip, t.text, t.font, t.colour, t.rect, t.flags);
  }
}

bool FrameRegionRuns(const TSkinData& skin, const FrameGeometry& g, bool active, std::vector<fw::TRect>& runs) {
  runs.clear();
  const BorderPart parts[] = {kPartLeft, kPartRight, kPartBottom, kPartCaption};
  bool any = false;
  for (BorderPart p : parts) any = any || IsTransparent(BorderObject(skin, p));
  if (!any) return false;

  auto add = [&runs](const fw::TRect& r) {
    if (r.Right > r.Left && r.Bottom > r.Top) runs.push_back(r);
  };
  add(fw::TRect{g.left, g.top, g.width - g.right, g.height - g.bottom});
  const fw::TRect rects[] = {
      {0, 0, g.left, g.height},
      {g.width - g.right, 0, g.width, g.height},
      {g.left, g.height - g.bottom, g.width - g.right, g.height},
      {g.left, 0, g.width - g.right, g.top},
  };
  for (int i = 0; i < 4; ++i) {
    const fw::TRect& r = rects[i];
    if (r.Width() <= 0 || r.Height() <= 0) continue;
    // A transparent part gives the runs of its visible pixels; an opaque
    // one (or one the skin has no image for) its whole rectangle.
    if (IsTransparent(BorderObject(skin, parts[i])) && r.Width() > 1 && r.Height() > 1) {
      const fw::TBitmap img = RenderBorderPart(skin, parts[i], r.Width(), r.Height(), active);
      const std::vector<fw::TRect> part = RegionRuns(img, r.Left, r.Top);
      runs.insert(runs.end(), part.begin(), part.end());
    } else {
      add(r);
    }
  }
  return true;
}

}  // namespace skin::paint
