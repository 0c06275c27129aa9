// Painting a skinned window frame into bitmaps: the four border parts (left,
// right, bottom, caption) drawn from the skin's border strips, the caption
// strip with its buttons and title text, and the window region the
// borders' transparency asks for. The window layer decides the geometry and
// the state (frame_rules.h) and blits the results.
#pragma once

#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;
class TDataSkinSysButton;

namespace skin::paint {

// Which border: the numbers the frame uses for them.
enum BorderPart : int { kPartLeft = 1, kPartRight = 2, kPartCaption = 3, kPartBottom = 4 };

// Frame 1 of the border strip when active or when the strip has one frame,
// else frame 2.
int BorderFrame(int frames, bool active);
// One border part as a nine-slice image of w x h (left and right strips lie
// side by side, caption and bottom strips are stacked), middle stretched
// when the border's Tile (its Stretch setting) is 1, else tiled. Empty when
// the skin has no image for it.
fw::TBitmap RenderBorderPart(const TSkinData& skin, BorderPart part, int w, int h, bool active);

// A caption button as laid out by the frame: its definition, rectangle in
// caption-strip coordinates and the frame number to draw.
struct CaptionButton {
  const TDataSkinSysButton* def = nullptr;
  fw::TRect rect;
  int frame = 1;
  // The window icon takes the place of the image (actions 3 and 11).
  bool is_icon = false;
};

// The title text as placed in the caption strip.
struct CaptionText {
  std::wstring text;
  fw::TFont font;
  fw::TColor colour = 0;
  fw::TRect rect;       // where the text goes, strip coordinates
  unsigned flags = 0;   // text flags (text.h)
  // Image behind the text, when the skin has one (drawn transparently
  // first, scaled to back_rect).
  const fw::TBitmap* back = nullptr;
  fw::TRect back_rect;
};

struct CaptionPaint {
  int width = 0;     // window width W
  int height = 0;    // caption height T
  int left = 0;      // left border width L
  int right = 0;     // right border width R
  bool active = true;
  bool minimized = false;  // the caption is then drawn alone, on the form colour
  std::vector<CaptionButton> buttons;
  // The window icon at its drawn size, magenta transparent.
  const fw::TBitmap* icon = nullptr;
  // No text when empty (the caption extras are off or there is no title).
  std::vector<CaptionText> texts;
};

// Draws the caption into strip (width x height; pre-filled by the caller
// with what lies under it on screen, or the form colour): the caption
// border part in (left, 0, width - right, height), then the buttons
// (transparent, key colour magenta; the icon scaled into its rectangle),
// then the title text.
void PaintCaption(fw::TBitmap& strip, const TSkinData& skin, const CaptionPaint& paint);

// The window region as rectangles in window coordinates: the client
// rectangle (L, T, W - R, H - B) united with each border part: transparent
// parts (Trans 1, larger than 1 pixel) as the runs of their non-key pixels,
// opaque parts as their whole rectangle. Answers false (no region: the
// whole window) when no border object is transparent.
struct FrameGeometry {
  int width = 0, height = 0;           // W, H
  int left = 0, top = 0, right = 0, bottom = 0;  // L, T, R, B (T includes no menu bar)
};
bool FrameRegionRuns(const TSkinData& skin, const FrameGeometry& g, bool active, std::vector<fw::TRect>& runs);

}  // namespace skin::paint
